// The two data pages, "Pump Setting" and "Protocol Data": every rule at its
// limits in each pump mode, with Dosavia OFF and ON and in each concentration
// unit, with its message and the field it marks; what each page shows of the
// stored macro and what it stores.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>

#include "protocols/core/protocol_page.hpp"
#include "protocols/core/setting_page.hpp"
#include "support/passing_pages.hpp"

namespace mc::protocols {
namespace {

const NumberFormat Point{'.'};
constexpr PumpMode None = PumpMode::None, Pca = PumpMode::Pca, Epidural = PumpMode::Epidural;

// A field's range and resolution: each bound accepted and the next step past
// it refused, a value on its step accepted and one off it refused, and a value
// that is no number refused; "" where the field has no such bound.
struct Range {
    int field;  // the setting's number; 0 on the protocol page
    const char *control, *name, *maximum, *pastMaximum, *above, *minimum, *pastMinimum, *below, *onStep, *offStep, *step;
};

template <typename With>  // FieldMessages(const Range&, const char* value)
void expectRanges(std::initializer_list<Range> ranges, With with) {
    for (const Range& r : ranges) {
        const std::string name = r.name, resolution = "in " + std::string(r.step) + " resolution";
        auto refused = [&](const std::string& what) { return FieldMessages{{r.control, name + " must be " + what}}; };
        for (const char* accepted : {r.maximum, r.minimum, r.onStep})
            EXPECT_EQ(*accepted ? with(r, accepted) : FieldMessages{}, FieldMessages{}) << name << " " << accepted;
        for (auto [value, what] : {std::pair<const char*, std::string>{r.pastMaximum, r.above}, {r.pastMinimum, r.below},
                                   {r.offStep, resolution}})
            EXPECT_EQ(*value ? with(r, value) : refused(what), refused(what)) << name << " " << value;
        EXPECT_EQ(with(r, "1x"), refused("numbers only")) << name;
    }
}

// A page that passes in every mode, as the editor tests fill it in.
SettingPage validPage(Variant variant) {
    SettingPage page;
    for (const auto& [control, text] : testing::passingSettings(variant == Variant::Rx))
        for (const SettingRow& row : settingRows(variant))
            if (row.field.control == control) page[row.number] = text;
    return page;
}

// The page's "OK" with one field changed; nothing for a value accepted.
FieldMessages okWith(Variant variant, int field, const std::string& value, PumpMode mode = None) {
    SettingPage page = validPage(variant);
    page[field] = value;
    return checkSettings(page, variant, mode, Point);
}

void expectRanges(Variant variant, std::initializer_list<Range> ranges, PumpMode mode = None) {
    expectRanges(ranges, [&](const Range& r, const char* value) { return okWith(variant, r.field, value, mode); });
    // "Pressure Level", though typed, must be "selected".
    for (const Range& r : ranges)
        EXPECT_EQ(okWith(variant, r.field, "", mode),
                  (FieldMessages{{r.control, r.name + std::string(r.field == 18 ? " must be selected" : " must be entered")}}));
}

TEST(SettingRules, EachLimitAcceptsItsValueAndRefusesTheNextStep) {
    expectRanges(Variant::Rx, {
        {14, "Text5", "Minimum Pressing time", "0.3", "0.31", "< 0.3 second", "0.04", "0.03", "> 0.04 second", "0.06", ".055",
         "0.02 second"},
        {15, "Text6", "Maximum Pressing time", "5", "5.01", "< 5 second", "1.5", "1.49", "> 1.5 second", "2.22", "2.225",
         "0.02 second"},
        {16, "Text7", "Minimum Interval time", "5", "5.01", "< 5 second", "0.1", "0.09", "> 0.1 second", "0.11", "0.115",
         "0.02 second"},
        {21, "Text8", "Air-in-Line Limit", "1", "1.01", "<= 1 mL", "0.04", "0.03", ">= 0.04 mL", "0.05", "0.055", "0.01 mL"},
        {22, "Text9", "Priming Volume", "20", "20.1", "< 20 mL", "-3", "", "", "2.5", "2.55", "0.1 mL"},
        {23, "Text10", "Priming Rate", "425", "425.1", "<= 425 mL/hr", "300", "299.9", ">= 300 mL/hr", "300.5", "300.05",
         "0.1 mL/hr"},
        {24, "Text11", "Bolus Rate", "1000", "1000.1", "<= 1000 mL/hr", "40", "39.9", ">= 40 mL/hr", "40.1", "40.05",
         "0.1 mL/hr"},
        {25, "Text12", "KVO Rate", "5", "5.1", "<= 5 mL/hr", "0", "-0.1", ">= 0 mL/hr", "0.1", "0.15", "0.1 mL/hr"},
        {26, "Text13", "Maximum Basal Rate", "", "", "", "0", "-0.1", ">= 0 mL/hr", "29.9", "29.95", "0.1 mL/hr"},
        {32, "Text14", "Max. Clinician Bolus", "20", "20.1", "<= 20 mL", "0", "-0.1", ">= 0 mL", "0.1", "0.15", "0.1 mL"},
        {33, "Text15", "Minimum Lock Out", "255", "256", "<= 255 minutes", "0", "-1", ">= 0 minute", "7", "2.5", "1 minute"},
        {34, "Text16", "Info screen duration", "255", "256", "<= 255 seconds", "1", "0", ">= 1 second", "7", "1.5", "1 second"},
    });
    // The modes' limits of "Maximum Basal Rate" and "Pressure Level".
    expectRanges(Variant::Rx, {{26, "Text13", "Maximum Basal Rate", "100", "100.1", "<= 100 mL/hr", "", "", "", "0.1", "0.05",
                                "0.1 mL/hr"},
                               {18, "Text31", "Pressure Level", "520", "530", "<= 520 mmHg", "250", "240", ">= 250 mmHg",
                                "300", "365", "10 mmHg"}},
                 Pca);
    expectRanges(Variant::Rx, {{26, "Text13", "Maximum Basal Rate", "30", "30.1", "<= 30 mL/hr", "", "", "", "", "0.05",
                                "0.1 mL/hr"},
                               {18, "Text31", "Pressure Level", "1100", "1110", "<= 1100 mmHg", "350", "340", ">= 350 mmHg",
                                "360", "355", "10 mmHg"}},
                 Epidural);
    // Past the first failed row nothing more is judged; no mode judges as PCA. The codes
    // and "Priming Volume" are 16-bit whole numbers; numbers are in the regional format.
    const std::tuple<int, const char*, PumpMode, FieldMessages> cases[] = {
        {18, "521", None, {{"Text31", "Pressure Level must be <= 520 mmHg"}}},
        {18, "525", Epidural, {}},
        {18, "305", Pca, {}},
        {26, "30.05", None, {}},
        {26, "5000", None, {}},
        {2, "32767", None, {}},
        {2, "32768", None, {{"Text2", "Level One Code must be numbers only"}}},
        {4, "-32769", None, {{"Text3", "Level Three Code must be numbers only"}}},
        {22, "40000", None, {{"Text9", "Priming Volume must be numbers only"}}},
        {21, "0,055", None, {{"Text8", "Air-in-Line Limit must be numbers only"}}},
    };
    for (const auto& [field, value, mode, expected] : cases) EXPECT_EQ(okWith(Variant::Rx, field, value, mode), expected) << value;
}

TEST(SettingRules, MacroCreatorsOwnMessagesPressureAndBacklight) {
    expectRanges(Variant::Kt, {
        {21, "Text8", "Air-in-Line Limit", "1", "1.01", "< 1 mL", "0.04", "0.03", "> 0.04 mL", "0.05", "0.055", "0.01 mL"},
        {23, "Text10", "Priming Rate", "425", "425.1", "< 425 mL/hr", "300", "299.9", "> 300 mL/hr", "300.5", "300.05",
         "0.1 mL/hr"},
        {35, "Text17", "Backlight duration", "255", "256", "<= 255 seconds", "0", "-1", ">= 0 second", "7", "1.5", "1 second"},
    });
    EXPECT_EQ(okWith(Variant::Kt, 18, "", Epidural), (FieldMessages{{"Combo11", "Pressure Level must be selected"}}));
    EXPECT_EQ(okWith(Variant::Kt, 26, "30.1", Epidural), (FieldMessages{{"Text13", "Maximum Basal Rate must be <= 30 mL/hr"}}));
}

TEST(SettingRules, AnEmptyPageListsEveryPresenceMessageInPageOrder) {
    FieldMessages rx;
    const std::pair<const char*, const char*> controls[] = {
        {"Text1", "Technician Code"}, {"Text2", "Level One Code"}, {"Text3", "Level Three Code"}, {"Text4", "Level Two Code"},
        {"Combo1", "Resume Access"}, {"Combo2", "Menu Access"}, {"Combo3", "Select Protocol Accass"},
        {"Combo4", "Modify Protocol Access"}, {"Combo5", "Patient Bolus Titration"}, {"Combo6", "Basal Rate Titration"},
        {"Combo7", "Clinician Bolus Access"}, {"Combo8", "Change Set Up Access"}, {"Combo9", "Handset Key Type"},
        {"Text5", "Minimum Pressing time"}, {"Text6", "Maximum Pressing time"}, {"Text7", "Minimum Interval time"},
        {"Combo10", "Auto-bolus"}, {"Text31", "Pressure Level"}, {"Combo12", "LED Indicator"},
        {"Combo13", "Bolus Titrations"}, {"Text8", "Air-in-Line Limit"}, {"Text9", "Priming Volume"},
        {"Text10", "Priming Rate"}, {"Text11", "Bolus Rate"}, {"Text12", "KVO Rate"}, {"Text13", "Maximum Basal Rate"},
        {"Text14", "Max. Clinician Bolus"}, {"Text15", "Minimum Lock Out"}, {"Text16", "Info screen duration"}};
    for (const auto& [control, name] : controls)
        rx.push_back({control, std::string(name) + (control[0] == 'C' || control == std::string("Text31") ? " must be selected"
                                                                                                        : " must be entered")});
    EXPECT_EQ(checkSettings({}, Variant::Rx, None, Point), rx);
    FieldMessages kt = rx;
    kt[17].field = "Combo11";
    kt.push_back({"Text17", "Backlight duration must be entered"});
    EXPECT_EQ(checkSettings({}, Variant::Kt, Pca, Point), kt);
}

TEST(SettingRules, RangesAreJudgedOnlyWhileNothingHasFailed) {
    SettingPage page = validPage(Variant::Rx);
    page[14] = "0.5";   // out of range
    page[24] = "5000";  // out of range, after it: not judged
    page[19] = "";      // unchosen: judged all the same
    page[34] = "x";     // not a number: judged all the same
    const FieldMessages expected{{"Text5", "Minimum Pressing time must be < 0.3 second"},
                                 {"Combo12", "LED Indicator must be selected"},
                                 {"Text16", "Info screen duration must be numbers only"}};
    EXPECT_EQ(checkSettings(page, Variant::Rx, None, Point), expected);
    // Each field judged on its own, as the command-line program asks.
    const FieldMessages alone{expected[0], expected[1], {"Text11", "Bolus Rate must be <= 1000 mL/hr"}, expected[2]};
    EXPECT_EQ(checkEachSetting(page, Variant::Rx, None, Point), alone);
    page = validPage(Variant::Rx);
    page[21] = "0,055";  // numbers in the regional format
    EXPECT_EQ(checkSettings(page, Variant::Rx, None, NumberFormat{','}),
              (FieldMessages{{"Text8", "Air-in-Line Limit must be in 0.01 mL resolution"}}));
}

TEST(SettingPage, ShowsAndStoresPositionsAndChosenTexts) {
    ProtocolMacro macro;
    const std::pair<int, const char*> stored[] = {{5, "2"}, {6, "01"}, {7, "4"}, {8, "x"}, {9, "-1"}, {13, "1"},
                                                  {27, "5"}, {28, "1"}, {31, "24"}, {18, "1"}};
    for (const auto& [field, value] : stored) macro.PumpSettings[field] = value;
    for (const Variant variant : {Variant::Rx, Variant::Kt}) {
        const SettingPage page = shownSettings(macro, variant);
        // Positions beyond their list and texts no item shows choose nothing.
        const char* shown[] = {"Level Two", "Level One", "", "", "", "Code switch", "5", "", "24"};
        for (std::size_t i = 0; i < std::size(shown); ++i) EXPECT_EQ(page[stored[i].first], shown[i]);
        EXPECT_EQ(page[18], variant == Variant::Rx ? "1" : "Normal");  // typed in RX_Macro_Creator
    }
    SettingPage page = validPage(Variant::Kt);
    page[29] = "";  // unchosen: the stored value stays
    page[31] = "";  // Limit Period takes even no choice
    macro.PumpSettings[29] = "1";
    storeSettings(macro, page, Variant::Kt);
    const std::pair<int, const char*> expected[] = {{1, "1234"}, {3, "22"}, {4, "33"}, {5, "2"}, {6, "0"}, {13, "1"}, {18, "1"},
                                                    {27, "5"}, {28, "4"}, {29, "1"}, {30, "1"}, {31, ""}, {35, "30"}};
    for (const auto& [field, value] : expected) EXPECT_EQ(macro.PumpSettings[field], value) << field;
}

using Changes = std::vector<std::pair<const char*, const char*>>;  // control, text

// A protocol that passes, every volume value 0, with some fields changed.
ProtocolPage protocol(const char* dosavia, const char* unit, const char* concentration, const Changes& changes = {}) {
    ProtocolPage page{"Morphine", "", dosavia, "0", "0", "100", unit, concentration, "0", "0", "Patient Bolus",
                      "0", "0", "15", "0"};
    const auto& rows = protocolRows(Variant::Rx);
    for (const auto& [control, text] : changes)
        page.*std::find_if(rows.begin(), rows.end(), [&](auto& row) { return row.field.control == control; })->value = text;
    return page;
}

const ProtocolLimits Allowed{"1", "1", "30", "10"};  // Dosavia, Auto-bolus, Maximum Basal Rate, Minimum Lock Out

FieldMessages ok(const ProtocolPage& page, const ProtocolLimits& limits = Allowed) {
    return checkProtocol(page, limits, Point);
}

// Per Dosavia and unit, the limits of the rates (Initial Rate, Titration
// Limit), the doses (Bolus Dose, Maximum Bolus) and the Limit in the drug's
// units: each maximum, the next step past it, a value off the step just below
// it, and the maxima and steps as the messages show them.
struct VolumeLimits {
    const char *dosavia, *unit, *concentration, *rateUnit, *doseUnit;
    std::array<const char*, 3> maximum, pastMaximum, offStep, maximumShown;  // rate, dose, Limit
    const char *step, *limitStep;
};

TEST(ProtocolRules, RatesDosesAndLimitAtTheirLimitsInEachUnit) {
    const VolumeLimits units[] = {
        {"OFF", "mL Only", "", "mL/hr", "mL", {"30", "25.5", "273.1"}, {"30.1", "25.6", "273.2"},
         {"29.95", "25.45", "273.05"}, {"30.00", "25.50", "273.10"}, "0.10", "0.10"},
        {"OFF", "mg/mL", "2", "mg/hr", "mg", {"60", "51", "546.2"}, {"60.2", "51.2", "546.4"}, {"59.9", "50.9", "546.1"},
         {"60.00", "51.00", "546.20"}, "0.20", "0.20"},
        {"OFF", "mcg/mL", "50", "mcg/hr", "mcg", {"1500", "1275", "13655"}, {"1505", "1280", "13660"},
         {"1497.5", "1272.5", "13652.5"}, {"1500.00", "1275.00", "13655.00"}, "5.00", "5.00"},
        {"ON", "mL Only", "", "mL/kg/hr", "mL/kg", {"65.565", "0.255", "655.65"}, {"65.566", "0.256", "655.66"},
         {"65.5645", "0.2545", "655.645"}, {"65.5650", "0.2550", "655.650"}, "0.0010", "0.010"},
        {"ON", "mg/mL", "2", "mg/kg/hr", "mg/kg", {"131.13", "0.51", "1311.3"}, {"131.132", "0.512", "1311.32"},
         {"131.129", "0.509", "1311.29"}, {"131.1300", "0.5100", "1311.300"}, "0.0020", "0.020"},
        {"ON", "mcg/mL", "50", "mcg/kg/hr", "mcg/kg", {"3278.25", "12.75", "32782.5"}, {"3278.3", "12.8", "32783"},
         {"3278.225", "12.725", "32782.25"}, {"3278.2500", "12.7500", "32782.500"}, "0.0500", "0.500"},
    };
    // Which limits a field takes, and what a negative value also says against the field before it.
    struct Field { const char *control, *name; std::size_t limits; const char* crossCheck; };
    const Field fields[] = {{"Text23", "Initial Rate", 0, ""}, {"Text24", "Titration Limit", 0, "Titration Limit must be >= Initial Rate"},
                            {"Text25", "Bolus Dose", 1, ""}, {"Text26", "Maximum Bolus", 1, "Maximum Bolus must be >= Bolus Dose"},
                            {"Text28", "Limit", 2, ""}};
    for (const VolumeLimits& u : units) {
        // Titration Limit, Maximum Bolus and Limit at their maxima; the rest 0.
        const Changes atMaxima{{"Text24", u.maximum[0]}, {"Text26", u.maximum[1]}, {"Text28", u.maximum[2]}};
        auto with = [&](const char* control, const char* value) {
            Changes changes = atMaxima;
            changes.emplace_back(control, value);
            return checkProtocol(protocol(u.dosavia, u.unit, u.concentration, changes), Allowed, Point);
        };
        for (const Field& f : fields) {
            const std::string unit = f.limits == 1 ? u.doseUnit : u.rateUnit, name = f.name;
            const std::string at = std::string(u.dosavia) + " " + u.unit + " " + f.control;
            EXPECT_EQ(with(f.control, u.maximum[f.limits]), FieldMessages{}) << at;
            EXPECT_EQ(with(f.control, u.pastMaximum[f.limits]),
                      (FieldMessages{{f.control, name + " must be <= " + u.maximumShown[f.limits] + " " + unit}})) << at;
            EXPECT_EQ(with(f.control, u.offStep[f.limits]),
                      (FieldMessages{{f.control, name + " must be in " + (f.limits == 2 ? u.limitStep : u.step) + " " +
                                                     unit + " resolution"}})) << at;
            // The Limit has no lower bound of its own: the Titration Limit is its least.
            FieldMessages negative{{f.control, f.limits == 2 ? "Limit must be >= " + std::string(u.maximum[0]) + " " + unit
                                                             : name + " must be >= 0 " + unit}};
            if (*f.crossCheck) negative.push_back({f.control, f.crossCheck});
            EXPECT_EQ(with(f.control, "-1"), negative) << at;
        }
        // No Limit: with Dosavia OFF, whatever the Titration Limit.
        EXPECT_EQ(with("Text28", "0"), (std::string(u.dosavia) == "OFF"
                                          ? FieldMessages{}
                                          : FieldMessages{{"Text28", "Limit must be >= " + std::string(u.maximum[0]) +
                                                                         " " + u.rateUnit}}));
    }
}

TEST(ProtocolRules, WeightsBagConcentrationAndLockoutAtTheirLimits) {
    const std::initializer_list<Range> ranges = {
        {0, "Text19", "Min. Patient weight", "200", "201", "<= 200 kg", "0", "-1", ">= 0 kg", "7", "2.5", "1 kg"},
        {0, "Text20", "Max. Patient weight", "200", "201", "<= 200 kg", "0", "-1", "> 0 kg", "7", "2.5", "1 kg"},
        {0, "Text21", "Bag Volume", "1000", "1000.1", "< 1000 mL", "0", "-0.1", "> 0 mL", "0.1", "0.15", "0.1 mL"},
        {0, "Text22", "Concentration", "999", "999.1", "<= 999 mg/mL", "0.1", "0", "> 0 mg/mL", "0.2", "0.15", "0.1 mg/mL"},
        {0, "Text27", "Lockout Time", "255", "256", "<= 255 Minutes", "10", "9", ">= 10 Minutes", "16", "15.5", "1 Minute"},
    };
    auto with = [](const Range& r, const char* value) {
        return ok(protocol("OFF", "mg/mL", "2", {{"Text20", "200"}, {r.control, value}}));  // no weight above the max
    };
    expectRanges(ranges, with);
    for (const Range& r : ranges)
        EXPECT_EQ(with(r, ""), (FieldMessages{{r.control, r.name + std::string(" must be entered")},
                                              {r.control, r.name + std::string(" must be numbers only")}}));
}

TEST(ProtocolRules, SettingsUnitsAndTheOrderOfTheRules) {
    const ProtocolLimits notAllowed{"0", "0", "30", "10"};
    const ProtocolLimits noBasalLimit{"1", "1", "", "10"}, noDosaviaSetting{"", "1", "30", "10"},
        noLockOutLimit{"1", "1", "30", ""};
    struct Case { ProtocolPage page; FieldMessages expected; ProtocolLimits limits = Allowed; };
    const Case cases[] = {
        {protocol("ON", "mg/mL", "2"), {{"Combo20", "Dosavia not Allowed. Enable Dosavia. "}}, notAllowed},
        {protocol("OFF", "mg/mL", "2", {{"Text19", "1"}}),
         {{"Text19", "With Dosavia not Allowed Min. Patient weight not used and must be 0"}}, notAllowed},
        {protocol("OFF", "mg/mL", "2", {{"Text20", "1"}}),
         {{"Text20", "With Dosavia not Allowed Max. Patient weight not used and must be 0"}}, notAllowed},
        // Auto-bolus not allowed is said even after another failure.
        {protocol("OFF", "mg/mL", "2", {{"Text21", "1000.1"}, {"Combo22", "Auto-bolus"}}),
         {{"Text21", "Bag Volume must be < 1000 mL"}, {"Combo22", "Auto-Bolus not Allowed. Enable Auto-Bolus."}}, notAllowed},
        {protocol("OFF", "mg/mL", "2", {{"Text19", "0"}, {"Text20", "0"}}), {}, notAllowed},
        {protocol("ON", "mg/mL", "2", {{"Combo22", "Auto-bolus"}}), {}},
        {protocol("OFF", "mg/mL", "2", {{"Text19", "500"}, {"Text20", "2.5"}}), {}, noDosaviaSetting},  // no weight rows
        {protocol("OFF", "mg/mL", "2", {{"Text19", "10"}, {"Text20", "10"}}), {}},
        {protocol("OFF", "mg/mL", "2", {{"Text19", "10"}, {"Text20", "9"}}),
         {{"Text20", "Max. Patient weight must be >= Min. Patient weight"}}},
        // Without a Maximum Basal Rate, and without Dosavia shown, the rates have no upper limit.
        {protocol("OFF", "mL Only", "", {{"Text23", "500"}, {"Text24", "500"}}), {}, noBasalLimit},
        {protocol("", "mg/mL", "2", {{"Text23", "1000.01"}, {"Text24", "1000.01"}}), {}},
        {protocol("OFF", "mL Only", "", {{"Text23", "5"}, {"Text24", "4.9"}}), {{"Text24", "Titration Limit must be >= Initial Rate"}}},
        {protocol("OFF", "mL Only", "", {{"Text25", "2"}, {"Text26", "1.9"}}), {{"Text26", "Maximum Bolus must be >= Bolus Dose"}}},
        {protocol("OFF", "mcg/mL", "999.1"), {{"Text22", "Concentration must be <= 999 mcg/mL"}}},
        // The concentration rows do not stop at the first that fails.
        {protocol("OFF", "mg/mL", "1000.05"),
         {{"Text22", "Concentration must be <= 999 mg/mL"}, {"Text22", "Concentration must be in 0.1 mg/mL resolution"}}},
        {protocol("OFF", "mL Only", ""), {}},
        {protocol("OFF", "mL Only", "0"), {}},
        {protocol("OFF", "mL Only", "1"), {}},
        {protocol("OFF", "mL Only", "2"), {{"Text22", "Concentration can not be entered at mL Only"}}},
        {protocol("OFF", "", "2"), {{"Combo21", "Concentration units must be selected"}}},
        {protocol("OFF", "mg/mL", "2", {{"Text27", "0"}}), {}, noLockOutLimit},
        // After a failure only the entered and numbers-only rules run.
        {protocol("OFF", "mg/mL", "2", {{"Text21", "x"}, {"Text23", "999"}, {"Text27", ""}}),
         {{"Text21", "Bag Volume must be numbers only"}, {"Text27", "Lockout Time must be entered"},
          {"Text27", "Lockout Time must be numbers only"}}},
    };
    for (const Case& c : cases) EXPECT_EQ(ok(c.page, c.limits), c.expected) << c.page.name << c.page.concentration;
    EXPECT_EQ(checkProtocol(protocol("OFF", "mL Only", "", {{"Text23", "30,1"}, {"Text24", "30,1"}}), Allowed, NumberFormat{','}),
              (FieldMessages{{"Text23", "Initial Rate must be <= 30,00 mL/hr"}}));
}

TEST(ProtocolPage, StoresVolumeValuesExactlyAndShowsThemInTheDrugUnits) {
    struct Stored {
        ProtocolPage page;
        const char *stored, *shown;  // Initial Rate, Titration Limit, Bolus Dose, Maximum Bolus, Limit
        NumberFormat format = Point;
    };
    const Stored cases[] = {
        {protocol("OFF", "mg/mL", "2", {{"Text23", "3"}, {"Text24", "4"}, {"Text25", "1"}, {"Text28", "20"}}),
         "1.5 2.0 0.5 0.0 10.0", "3.0 4.0 1.0 0.0 20.0"},
        {protocol("ON", "mg/mL", "2", {{"Text23", "0.25"}, {"Text24", "1"}, {"Text25", "0.1"}, {"Text28", "20"}}),
         "0.125 0.500 0.050 0.000 10.000", "0.250 1.000 0.100 0.000 20.000"},
        {protocol("OFF", "mL Only", "7", {{"Text23", "2"}, {"Text24", "2."}}), "2.0 2.0 0.0 0.0 0.0", "2.0 2.0 0.0 0.0 0.0"},
        {protocol("OFF", "mcg/mL", "0.3", {{"Text23", "0.03"}, {"Text24", "0.09"}}), "0.1 0.3 0.0 0.0 0.0",
         "0.03 0.09 0.0 0.0 0.0"},  // the exact drug amount, with more decimals where it needs them
        {protocol("OFF", "mg/mL", "2,5", {{"Text23", "2,5"}, {"Text25", "0,25"}}), "1,0 0,0 0,1 0,0 0,0",
         "2,5 0,0 0,25 0,0 0,0", NumberFormat{','}},
    };
    for (const Stored& c : cases) {
        ProtocolMacro m;
        storeProtocol(m, 3, c.page, Variant::Rx, c.format);
        EXPECT_EQ(m.ProtocolInitialRate[3] + " " + m.ProtocolTitrationLimit[3] + " " + m.ProtocolBolusDose[3] + " " +
                      m.ProtocolMaxBolus[3] + " " + m.ProtocolLimit[3], c.stored);
        const ProtocolPage p = shownProtocol(m, 3, Variant::Rx, c.format);
        EXPECT_EQ(p.initialRate + " " + p.titrationLimit + " " + p.bolusDose + " " + p.maxBolus + " " + p.limit, c.shown);
        EXPECT_EQ(p.dosavia + " " + p.concentrationUnit + " " + p.concentration,
                  c.page.dosavia + " " + c.page.concentrationUnit + " " + (c.page.concentration == "7" ? "" : c.page.concentration));
    }
    ProtocolMacro macro;
    storeProtocol(macro, 1, protocol("OFF", "mL Only", "", {{"Text18", "Morphine"}, {"Text17", "HCl"}}), Variant::Rx, Point);
    EXPECT_EQ(protocolList(macro).front(), "A:Morphine            HCl");
    EXPECT_EQ(protocolList(macro).back(), "Z:");
    const ProtocolPage shown = shownProtocol(macro, 1, Variant::Rx, Point);
    EXPECT_EQ(shown.name + "|" + shown.secondName, "Morphine            |HCl");
    EXPECT_EQ(shownProtocol(macro, 1, Variant::Kt, Point).name, "Morphine            HCl");
    storeProtocol(macro, 2, protocol("ON", "mL Only", "", {{"Text17", "HCl"}, {"Combo22", "Auto-bolus"}}), Variant::Kt, Point);
    EXPECT_EQ(macro.ProtocolDrugName[2] + macro.ProtocolDosavia[2] + macro.ProtocolBolusType[2] + macro.ProtocolConcUnit[2],
              "Morphine110");
}

TEST(ProtocolPage, ShowsStoredTextsAsMemoryHoldsThem) {
    struct Shown { const char *unit, *concentration, *stored, *shown, *shownUnit; };
    for (const Shown& c : {Shown{"0", "", "abc", "", "mL Only"}, {"0", "", "1", "1", "mL Only"}, {"1", "2", "", "", "mg/mL"},
                           {"0", "", "12.500", "12.500", "mL Only"}, {"2", "0.3", "0.1", "0.03", "mcg/mL"},
                           {"1", "2", ".5", "1.0", "mg/mL"}, {"1", "x", "1.5", "", "mg/mL"}, {"7", "2", "1.5", "", ""}}) {
        ProtocolMacro macro;
        macro.ProtocolConcUnit[1] = c.unit;
        macro.ProtocolConcentration[1] = c.concentration;
        macro.ProtocolInitialRate[1] = c.stored;
        const ProtocolPage page = shownProtocol(macro, 1, Variant::Rx, Point);
        EXPECT_EQ(page.initialRate, c.shown) << c.unit << " " << c.stored;
        EXPECT_EQ(page.concentrationUnit, c.shownUnit);
        EXPECT_EQ(page.dosavia + page.bolusType, "OFFPatient Bolus");
    }
    // A damaged file's endless digits are neither multiplied out nor shown.
    ProtocolMacro damaged;
    damaged.ProtocolConcUnit[1] = damaged.ProtocolConcUnit[2] = "1";
    damaged.ProtocolConcentration[1] = "7." + std::string(200000, '3');
    damaged.ProtocolTitrationLimit[1] = "0.5";
    damaged.ProtocolConcentration[2] = "2";
    damaged.ProtocolInitialRate[2] = std::string(200000, '9');
    EXPECT_EQ(shownProtocol(damaged, 1, Variant::Rx, Point).titrationLimit, "");
    EXPECT_EQ(shownProtocol(damaged, 2, Variant::Rx, Point).initialRate, "");
    // Another Dosavia or unit empties the five values in volume units, and only them.
    const Changes typed{{"Text23", "1"}, {"Text24", "2"}, {"Text25", "3"}, {"Text26", "4"}, {"Text28", "5"}, {"Text27", "16"}};
    const Changes emptied{{"Text23", ""}, {"Text24", ""}, {"Text25", ""}, {"Text26", ""}, {"Text28", ""}, {"Text27", "16"}};
    ProtocolPage page = protocol("OFF", "mg/mL", "2", typed);
    chooseDosavia(page, "ON");
    EXPECT_EQ(page, protocol("ON", "mg/mL", "2", emptied));
    page = protocol("OFF", "mg/mL", "2", typed);
    chooseConcentrationUnit(page, "mcg/mL");
    EXPECT_EQ(page, protocol("OFF", "mcg/mL", "2", emptied));
}

}  // namespace
}  // namespace mc::protocols
