// The "Pump Setting" page: every rule at its limits in each pump mode, with
// its message and the field it marks; what the page shows and stores.

#include <gtest/gtest.h>

#include "protocols/core/setting_page.hpp"

namespace mc::protocols {
namespace {

const NumberFormat Point{'.'};
constexpr PumpMode None = PumpMode::None, Pca = PumpMode::Pca, Epidural = PumpMode::Epidural;

// A page that passes in every mode.
SettingPage validPage(Variant variant) {
    const char* values[] = {"1234", "11", "22", "33", "Level Two", "No Code", "Level One", "Level Three", "Level Two",
                            "Level Two", "Level One", "Level Three", "Code switch", "0.1", "2", "0.5", "ON",
                            variant == Variant::Rx ? "400" : "Normal", "ON", "OFF", "0.5", "2", "350", "100", "1",
                            "30", "5", "4", "ON", "Boluses", "24", "5", "10", "5", "30"};
    SettingPage page;
    for (int field = 1; field <= settingCount(variant); ++field) page[field] = values[field - 1];
    return page;
}

// The page's "OK" with one field changed; nothing for a value accepted.
FieldMessages okWith(Variant variant, int field, const std::string& value, PumpMode mode = None) {
    SettingPage page = validPage(variant);
    page[field] = value;
    return checkSettings(page, variant, mode, Point);
}

// A field's range and resolution: each bound accepted and the next step past
// it refused, a value on its step accepted and one off it refused; "" where
// the field has no such bound.
struct Range {
    int field;
    const char *control, *name, *maximum, *pastMaximum, *above, *minimum, *pastMinimum, *below, *onStep, *offStep, *step;
};

void expectRanges(Variant variant, std::initializer_list<Range> ranges, PumpMode mode = None) {
    for (const Range& r : ranges) {
        const std::string name = r.name, resolution = "in " + std::string(r.step) + " resolution";
        auto refused = [&](const std::string& what) { return FieldMessages{{r.control, name + " must be " + what}}; };
        for (const char* accepted : {r.maximum, r.minimum, r.onStep})
            EXPECT_EQ(*accepted ? okWith(variant, r.field, accepted, mode) : FieldMessages{}, FieldMessages{}) << accepted;
        for (auto [value, what] : {std::pair<const char*, std::string>{r.pastMaximum, r.above}, {r.pastMinimum, r.below},
                                   {r.offStep, resolution}})
            EXPECT_EQ(*value ? okWith(variant, r.field, value, mode) : refused(what), refused(what)) << value;
        // "Pressure Level", though typed, must be "selected".
        EXPECT_EQ(okWith(variant, r.field, "", mode), refused(r.field == 18 ? "selected" : "entered"));
        EXPECT_EQ(okWith(variant, r.field, "1x", mode), refused("numbers only"));
    }
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

}  // namespace
}  // namespace mc::protocols
