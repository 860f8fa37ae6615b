#include <gtest/gtest.h>

#include "editor_driver.hpp"

namespace mc::protocols {
namespace {

struct ProtocolCase {
    const char* what;
    Values settings;  // changes to the valid settings
    Values protocol;  // changes to the valid protocol
    std::string expected;
};

// Valid under Dosavia "ON" with 2 mg/mL: rates and doses per kg.
const Values OnAt2{{"Combo20", "ON"}, {"Text23", "0.25"}, {"Text24", "1"},
                   {"Text25", "0.1"}, {"Text26", "0.2"}, {"Text28", "20"}};

Values with(Values base, const Values& changes) {
    for (const auto& [name, value] : changes) base[name] = value;
    return base;
}

void runProtocolCases(const std::vector<ProtocolCase>& cases, NumberFormat numbers = NumberFormat{'.'}) {
    for (const ProtocolCase& c : cases) {
        EditorDriver driver(Variant::Rx, numbers);
        driver.toProtocolPage(c.settings);
        EXPECT_EQ(driver.okProtocol(c.protocol), c.expected.empty() ? "Protocol Updated" : c.expected) << c.what;
    }
}

const Values AllowOff{{"Combo16", "OFF"}};

TEST(CheckProtocol, DosaviaAndWeights) {
    runProtocolCases({
        {"valid", {}, {}, ""},
        {"not allowed", AllowOff, {{"Combo20", "ON"}, {"Text23", "0.25"}, {"Text24", "1"}, {"Text25", "0.1"},
                                   {"Text26", "0.2"}},
         lines({"Dosavia not Allowed. Enable Dosavia. "})},
        {"not allowed: weights must be 0", AllowOff, {{"Text19", "50"}, {"Text20", "7"}},
         lines({"With Dosavia not Allowed Min. Patient weight not used and must be 0"})},
        {"not allowed: max weight", AllowOff, {{"Text20", "7"}},
         lines({"With Dosavia not Allowed Max. Patient weight not used and must be 0"})},
        {"max below min", {}, {{"Text19", "10"}, {"Text20", "5"}},
         lines({"Max. Patient weight must be >= Min. Patient weight"})},
        {"min rounded before the comparison", {}, {{"Text19", "5.4"}, {"Text20", "5"}},
         lines({"Min. Patient weight must be in 1 kg resolution"})},
        {"min 201", {}, {{"Text19", "201"}, {"Text20", "201"}}, lines({"Min. Patient weight must be <= 200 kg"})},
        {"min -1", {}, {{"Text19", "-1"}}, lines({"Min. Patient weight must be >= 0 kg"})},
        {"max 200", {}, {{"Text19", "10"}, {"Text20", "200"}}, ""},
        {"max -1", {}, {{"Text20", "-1"}}, lines({"Max. Patient weight must be > 0 kg"})},
        {"max 2.5", {}, {{"Text20", "2.5"}}, lines({"Max. Patient weight must be in 1 kg resolution"})},
        {"weight letters", {}, {{"Text19", "x"}, {"Text20", ""}},
         lines({"Min. Patient weight must be numbers only", "Max. Patient weight must be entered",
                "Max. Patient weight must be numbers only"})},
    });
}

TEST(CheckProtocol, BagVolumeAndConcentration) {
    runProtocolCases({
        {"bag 1000", {}, {{"Text21", "1000"}}, ""},
        {"bag 0", {}, {{"Text21", "0"}}, ""},
        {"bag 1001", {}, {{"Text21", "1001"}}, lines({"Bag Volume must be < 1000 mL"})},
        {"bag -1", {}, {{"Text21", "-1"}}, lines({"Bag Volume must be > 0 mL"})},
        {"bag 2.25", {}, {{"Text21", "2.25"}}, lines({"Bag Volume must be in 0.1 mL resolution"})},
        {"mL Only with 1", {}, {{"Combo21", "mL Only"}, {"Text22", "1"}}, ""},
        {"mL Only with nothing", {}, {{"Combo21", "mL Only"}, {"Text22", ""}}, ""},
        {"mL Only with 2", {}, {{"Combo21", "mL Only"}, {"Text22", "2"}},
         lines({"Concentration can not be entered at mL Only"})},
        {"zero", {}, {{"Text22", "0"}}, lines({"Concentration must be > 0 mg/mL"})},
        {"quarter", {}, {{"Combo21", "mcg/mL"}, {"Text22", ".25"}},
         lines({"Concentration must be in 0.1 mcg/mL resolution"})},
        {"empty", {}, {{"Text22", ""}}, lines({"Concentration must be entered", "Concentration must be numbers only"})},
        {"no unit, and no division", {}, {{"Combo21", ""}, {"Text25", ""}},
         lines({"Concentration units must be selected", "Bolus Dose must be entered",
                "Bolus Dose must be numbers only"})},
        {"no unit after a weight failure", {}, {{"Combo21", ""}, {"Text21", "x"}},
         lines({"Bag Volume must be numbers only", "Concentration units must be selected"})},
    });
}

TEST(CheckProtocol, RatesInTheDrugUnits) {
    runProtocolCases({
        {"example of the page: 3 mg/hr at 2 mg/mL", {}, {}, ""},
        {"Dosavia ON, mL Only, 70", {}, with(OnAt2, {{"Combo21", "mL Only"}, {"Text22", ""}, {"Text23", "70"}}),
         lines({"Initial Rate must be <= 65.5650 mL/kg/hr"})},
        {"... and a missing bolus dose", {}, with(OnAt2, {{"Combo21", "mL Only"}, {"Text22", ""}, {"Text23", "70"},
                                                           {"Text25", ""}}),
         lines({"Initial Rate must be <= 65.5650 mL/kg/hr", "Bolus Dose must be entered",
                "Bolus Dose must be numbers only"})},
        {"above the basal rate", {}, {{"Combo21", "mL Only"}, {"Text22", ""}, {"Text23", "31"}, {"Text24", "31"}},
         lines({"Initial Rate must be <= 30.00 mL/hr"})},
        {"basal rate in mg", {}, {{"Text23", "61"}, {"Text24", "61"}}, lines({"Initial Rate must be <= 60.00 mg/hr"})},
        {"0.15 mL/hr", {}, {{"Text23", "0.3"}}, lines({"Initial Rate must be in 0.20 mg/hr resolution"})},
        {"negative", {}, {{"Text23", "-1"}}, lines({"Initial Rate must be >= 0 mg/hr"})},
        {"ON: 0.0005 mL/kg/hr", {}, with(OnAt2, {{"Text23", "0.001"}}),
         lines({"Initial Rate must be in 0.0020 mg/kg/hr resolution"})},
        {"0.9 mg/hr at 3 mg/mL is 0.3 mL/hr exactly", {},
         {{"Text22", "3"}, {"Text23", "0.9"}, {"Text24", "0.9"}, {"Text25", "0.3"}, {"Text26", "0.6"}, {"Text28", "3"}},
         ""},
        {"0.7 mg/mL", {},
         {{"Text22", "0.7"}, {"Text23", "0.07"}, {"Text24", "0.21"}, {"Text25", "0.7"}, {"Text26", "1.4"},
          {"Text28", "7"}},
         ""},
        {"titration below rate", {}, {{"Text23", "5"}, {"Text24", "4"}}, lines({"Titration Limit must be >= Initial Rate"})},
        {"cross check after a titration failure", {}, {{"Text23", "5"}, {"Text24", "4.1"}},
         lines({"Titration Limit must be in 0.20 mg/hr resolution", "Titration Limit must be >= Initial Rate"})},
        {"titration above basal", {}, {{"Text24", "61"}}, lines({"Titration Limit must be <= 60.00 mg/hr"})},
        {"titration ON", {}, with(OnAt2, {{"Text24", "132"}, {"Text28", "300"}}),
         lines({"Titration Limit must be <= 131.1300 mg/kg/hr"})},
        {"a failure before skips the rate rows", {}, {{"Text21", "1001"}, {"Text23", "5"}, {"Text24", "4"}},
         lines({"Bag Volume must be < 1000 mL"})},
    });
}

TEST(CheckProtocol, BolusLockoutAndLimit) {
    runProtocolCases({
        {"auto-bolus not allowed, after another failure", {{"Combo10", "OFF"}},
         {{"Text21", "1001"}, {"Combo22", "Auto-bolus"}},
         lines({"Bag Volume must be < 1000 mL", "Auto-Bolus not Allowed. Enable Auto-Bolus."})},
        {"auto-bolus allowed", {}, {{"Combo22", "Auto-bolus"}}, ""},
        {"bolus OFF above 25.5 mL", {}, {{"Text25", "52"}}, lines({"Bolus Dose must be <= 51.00 mg"})},
        {"bolus ON above 0.255 mL/kg", {}, with(OnAt2, {{"Text25", "0.6"}, {"Text26", "0.6"}}),
         lines({"Bolus Dose must be <= 0.5100 mg/kg"})},
        {"bolus resolution", {}, {{"Text25", "0.3"}}, lines({"Bolus Dose must be in 0.20 mg resolution"})},
        {"max bolus below bolus", {}, {{"Text25", "2"}, {"Text26", "1"}},
         lines({"Maximum Bolus must be >= Bolus Dose"})},
        {"max bolus ON", {}, with(OnAt2, {{"Text26", "0.52"}}), lines({"Maximum Bolus must be <= 0.5100 mg/kg"})},
        {"max bolus negative", {}, {{"Text25", "0"}, {"Text26", "-2"}},
         lines({"Maximum Bolus must be >= 0 mg", "Maximum Bolus must be >= Bolus Dose"})},
        {"lockout below the setting", {{"Text15", "15"}}, {{"Text27", "10"}}, lines({"Lockout Time must be >= 15 Minutes"})},
        {"lockout 255", {}, {{"Text27", "255"}}, ""},
        {"lockout 256", {}, {{"Text27", "256"}}, lines({"Lockout Time must be <= 255 Minutes"})},
        {"lockout 7.5", {{"Text15", "5"}}, {{"Text27", "7.5"}}, lines({"Lockout Time must be in 1 Minute resolution"})},
        {"limit OFF 0 whatever the titration", {}, {{"Text28", "0"}}, ""},
        {"limit ON 0", {}, with(OnAt2, {{"Text28", "0"}}), lines({"Limit must be >= 1 mg/kg/hr"})},
        {"limit ON too high", {}, with(OnAt2, {{"Text28", "1400"}}), lines({"Limit must be <= 1311.300 mg/kg/hr"})},
        {"limit ON resolution", {}, with(OnAt2, {{"Text23", "0"}, {"Text24", "0.01"}, {"Text28", "0.03"}}),
         lines({"Limit must be in 0.020 mg/kg/hr resolution"})},
        {"limit OFF too high", {}, {{"Text28", "600"}}, lines({"Limit must be <= 546.20 mg/hr"})},
        {"limit OFF below titration", {}, {{"Text28", "3"}}, lines({"Limit must be >= 4 mg/hr"})},
        {"limit OFF resolution", {}, {{"Text28", "20.1"}}, lines({"Limit must be in 0.20 mg/hr resolution"})},
        {"every field empty", {}, {{"Text19", ""}, {"Text20", ""}, {"Text21", ""}, {"Text22", ""}, {"Text23", ""},
                                   {"Text24", ""}, {"Text25", ""}, {"Text26", ""}, {"Text27", ""}, {"Text28", ""}},
         lines({"Min. Patient weight must be entered", "Min. Patient weight must be numbers only",
                "Max. Patient weight must be entered", "Max. Patient weight must be numbers only",
                "Bag Volume must be entered", "Bag Volume must be numbers only", "Concentration must be entered",
                "Concentration must be numbers only", "Initial Rate must be entered",
                "Initial Rate must be numbers only", "Titration Limit must be entered",
                "Titration Limit must be numbers only", "Bolus Dose must be entered", "Bolus Dose must be numbers only",
                "Maximum Bolus must be entered", "Maximum Bolus must be numbers only", "Lockout Time must be entered",
                "Lockout Time must be numbers only", "Limit must be entered", "Limit must be numbers only"})},
    });
}

TEST(CheckProtocol, MessagesUseTheRegionalFormat) {
    runProtocolCases(
        {
            {"basal rate", {{"Text13", "30"}}, {{"Combo21", "mL Only"}, {"Text22", ""}, {"Text23", "31"}, {"Text24", "31"}},
             lines({"Initial Rate must be <= 30,00 mL/hr"})},
            {"resolution", {}, {{"Text22", "2,5"}, {"Text23", "0,3"}}, lines({"Initial Rate must be in 0,25 mg/hr resolution"})},
            {"regional numbers pass", {}, {{"Text22", "2,5"}, {"Text23", "2,5"}, {"Text24", "5"}}, ""},
        },
        NumberFormat{','});
}

// A macro opened without some setting lines: the rules that read them hold.
TEST(CheckProtocol, EmptyStoredSettingsFailNothing) {
    EditorDriver driver(Variant::Kt);
    driver.click("Command13");
    driver.click("Command3");
    ASSERT_TRUE(driver["Frame3"].visible);
    EXPECT_EQ(driver.okProtocol({{"Combo21", "mL Only"}, {"Text22", ""}, {"Text19", "50"}, {"Text20", "7"},
                                 {"Text23", "500"}, {"Text24", "500"}, {"Text27", "0"}, {"Text28", "0"},
                                 {"Combo22", "Auto-bolus"}}),
              "Protocol Updated");
    EXPECT_EQ(driver.editor->macro().ProtocolInitialRate[1], "500.0");
}

// Texts longer than the boxes (shown from a file) are judged like typed ones.
TEST(CheckProtocol, JudgesTextsLongerThanTheirBoxes) {
    struct Case { const char* box; const char* text; std::string expected; };
    for (const Case& c : {Case{"Text22", "1000", lines({"Concentration must be <= 999 mg/mL"})},
                          {"Text22", "-0.25", lines({"Concentration must be > 0 mg/mL",
                                                     "Concentration must be in 0.1 mg/mL resolution"})},
                          {"Text23", "3.000", ""},
                          {"Text23", "0.0001", lines({"Initial Rate must be in 0.20 mg/hr resolution"})}}) {
        EditorDriver driver(Variant::Rx);
        driver.toProtocolPage();
        Values protocol = EditorDriver::validProtocol();
        protocol.erase(c.box);
        driver.okProtocol(protocol);  // stored, then the long text as a restore would show it
        driver.editor->form()[c.box].text = c.text;
        driver.type("Text27", "15");
        driver.click("Command9");
        EXPECT_EQ(driver["Label74"].text, c.expected.empty() ? "Protocol Updated" : c.expected) << c.text;
    }
}

}  // namespace
}  // namespace mc::protocols
