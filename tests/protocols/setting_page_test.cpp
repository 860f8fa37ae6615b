#include <gtest/gtest.h>

#include "editor_driver.hpp"

namespace mc::protocols {
namespace {

struct SettingCase {
    const char* what;
    Values changes;
    const char* mode;  // "PCA", "EPIDURAL" or "" for none
    std::string expected;
};

void runSettingCases(Variant variant, const std::vector<SettingCase>& cases) {
    for (const SettingCase& c : cases) {
        EditorDriver driver(variant);
        if (*c.mode) driver.click(c.mode);
        driver.click("Command13");
        Values values = driver.validSettings();
        for (const auto& [name, value] : c.changes) values[name] = value;
        driver.set(values);
        EXPECT_EQ(driver.okSettings(), c.expected.empty() ? "Setting Updated" : c.expected) << c.what;
    }
}

TEST(CheckSetting, RangeAndResolutionRulesWithInclusiveBounds) {
    runSettingCases(Variant::Rx, {
        {"all valid", {}, "", ""},
        {"0.3 is the upper bound", {{"Text5", "0.3"}}, "", ""},
        {"0.04 is the lower bound", {{"Text5", "0.04"}}, "", ""},
        {"0.31 too long", {{"Text5", "0.31"}}, "", lines({"Minimum Pressing time must be < 0.3 second"})},
        {"0.03 too short", {{"Text5", "0.03"}}, "", lines({"Minimum Pressing time must be > 0.04 second"})},
        {"two decimals pass", {{"Text5", "0.05"}}, "", ""},
        {"three decimals", {{"Text5", ".055"}}, "", lines({"Minimum Pressing time must be in 0.02 second resolution"})},
        {"separator at the end", {{"Text6", "3."}}, "", ""},
        {"1.5 lower bound", {{"Text6", "1.5"}}, "", ""},
        {"5.01", {{"Text6", "5.01"}}, "", lines({"Maximum Pressing time must be < 5 second"})},
        {"0.09", {{"Text7", "0.09"}}, "", lines({"Minimum Interval time must be > 0.1 second"})},
        {"air 1 passes", {{"Text8", "1"}}, "", ""},
        {"air 1.01", {{"Text8", "1.01"}}, "", lines({"Air-in-Line Limit must be <= 1 mL"})},
        {"air 0.03", {{"Text8", "0.03"}}, "", lines({"Air-in-Line Limit must be >= 0.04 mL"})},
        {"air 0.055", {{"Text8", ".055"}}, "", lines({"Air-in-Line Limit must be in 0.01 mL resolution"})},
        {"priming volume 2.5", {{"Text9", "2.5"}}, "", ""},
        {"priming volume 2.55", {{"Text9", "2.55"}}, "", lines({"Priming Volume must be in 0.1 mL resolution"})},
        {"priming volume -3", {{"Text9", "-3"}}, "", ""},
        {"priming volume 20", {{"Text9", "20"}}, "", ""},
        {"priming volume 21", {{"Text9", "21"}}, "", lines({"Priming Volume must be < 20 mL"})},
        {"priming rate 426", {{"Text10", "426"}}, "", lines({"Priming Rate must be <= 425 mL/hr"})},
        {"priming rate 299", {{"Text10", "299"}}, "", lines({"Priming Rate must be >= 300 mL/hr"})},
        {"bolus rate 40", {{"Text11", "40"}}, "", ""},
        {"bolus rate 39.9", {{"Text11", "39.9"}}, "", lines({"Bolus Rate must be >= 40 mL/hr"})},
        {"KVO -1", {{"Text12", "-1"}}, "", lines({"KVO Rate must be >= 0 mL/hr"})},
        {"KVO 0.15", {{"Text12", ".15"}}, "", lines({"KVO Rate must be in 0.1 mL/hr resolution"})},
        {"clinician bolus 20.1", {{"Text14", "20.1"}}, "", lines({"Max. Clinician Bolus must be <= 20 mL"})},
        {"lock out 255", {{"Text15", "255"}}, "", ""},
        {"lock out 256", {{"Text15", "256"}}, "", lines({"Minimum Lock Out must be <= 255 minutes"})},
        {"lock out 2.5", {{"Text15", "2.5"}}, "", lines({"Minimum Lock Out must be in 1 minute resolution"})},
        {"info 0", {{"Text16", "0"}}, "", lines({"Info screen duration must be >= 1 second"})},
        {"code 12a", {{"Text1", "12a"}}, "", lines({"Technician Code must be numbers only"})},
        {"code 40000", {{"Text2", "40000"}}, "", lines({"Level One Code must be numbers only"})},
        {"code -5 is a number", {{"Text3", "-5"}}, "", ""},
        {"lone separator", {{"Text4", "."}}, "", lines({"Level Two Code must be numbers only"})},
    });
}

TEST(CheckSetting, ModeDependentLimitsAreReadFromTheButtons) {
    runSettingCases(Variant::Rx, {
        {"pressure 1000 epidural", {{"Text31", "1000"}}, "EPIDURAL", ""},
        {"pressure 1100 epidural", {{"Text31", "1100"}}, "EPIDURAL", ""},
        {"pressure 1110 epidural", {{"Text31", "1110"}}, "EPIDURAL", lines({"Pressure Level must be <= 1100 mmHg"})},
        {"pressure 1000 pca", {{"Text31", "1000"}}, "PCA", lines({"Pressure Level must be <= 520 mmHg"})},
        {"pressure 1000 no mode", {{"Text31", "1000"}}, "", lines({"Pressure Level must be <= 520 mmHg"})},
        {"pressure 520 pca", {{"Text31", "520"}}, "PCA", ""},
        {"pressure 300 epidural", {{"Text31", "300"}}, "EPIDURAL", lines({"Pressure Level must be >= 350 mmHg"})},
        {"pressure 300 pca", {{"Text31", "300"}}, "PCA", ""},
        {"pressure 305 accepted below 350", {{"Text31", "305"}}, "PCA", ""},
        {"pressure 200 pca", {{"Text31", "200"}}, "PCA", lines({"Pressure Level must be >= 250 mmHg"})},
        {"pressure 365 pca", {{"Text31", "365"}}, "PCA", lines({"Pressure Level must be in 10 mmHg resolution"})},
        {"pressure 365 epidural", {{"Text31", "365"}}, "EPIDURAL", lines({"Pressure Level must be in 10 mmHg resolution"})},
        {"pressure 360", {{"Text31", "360"}}, "EPIDURAL", ""},
        {"pressure empty", {{"Text31", ""}}, "", lines({"Pressure Level must be selected"})},
        {"basal 50 pca", {{"Text13", "50"}}, "PCA", ""},
        {"basal 50 epidural", {{"Text13", "50"}}, "EPIDURAL", lines({"Maximum Basal Rate must be <= 30 mL/hr"})},
        {"basal 150 pca", {{"Text13", "150"}}, "PCA", lines({"Maximum Basal Rate must be <= 100 mL/hr"})},
        {"basal 150 epidural", {{"Text13", "150"}}, "EPIDURAL", lines({"Maximum Basal Rate must be <= 30 mL/hr"})},
        {"basal 5000 no mode", {{"Text13", "5000.55"}}, "", ""},
        {"basal 0.55", {{"Text13", "0.55"}}, "", lines({"Maximum Basal Rate must be in 0.1 mL/hr resolution"})},
    });
}

TEST(CheckSetting, RangeRulesStopOnceAnythingFailed) {
    runSettingCases(Variant::Rx, {
        {"empty before", {{"Text5", ""}, {"Text11", "5000"}}, "", lines({"Minimum Pressing time must be entered"})},
        {"valid before", {{"Text5", "0.2"}, {"Text11", "5000"}}, "", lines({"Bolus Rate must be <= 1000 mL/hr"})},
        {"first range failure stops later ones", {{"Text5", "0.5"}, {"Text11", "5000"}}, "",
         lines({"Minimum Pressing time must be < 0.3 second"})},
        {"presence after a failure still runs", {{"Text5", "0.5"}, {"Combo16", ""}, {"Combo9", ""}, {"Text16", "x"}}, "",
         lines({"Handset Key Type must be selected", "Info screen duration must be numbers only"})},
        {"a later failure hides an earlier range", {{"Text6", "9"}, {"Combo12", ""}}, "",
         lines({"Maximum Pressing time must be < 5 second", "LED Indicator must be selected"})},
    });
}

TEST(CheckSetting, EveryFieldEmptyListsEachPresenceMessageInPageOrder) {
    const std::string rxExpected = lines(
        {"Technician Code must be entered", "Level One Code must be entered", "Level Three Code must be entered",
         "Level Two Code must be entered", "Resume Access must be selected", "Menu Access must be selected",
         "Select Protocol Accass must be selected", "Modify Protocol Access must be selected",
         "Patient Bolus Titration must be selected", "Basal Rate Titration must be selected",
         "Clinician Bolus Access must be selected", "Change Set Up Access must be selected",
         "Handset Key Type must be selected", "Minimum Pressing time must be entered",
         "Maximum Pressing time must be entered", "Minimum Interval time must be entered",
         "Auto-bolus must be selected", "Pressure Level must be selected", "LED Indicator must be selected",
         "Bolus Titrations must be selected", "Air-in-Line Limit must be entered", "Priming Volume must be entered",
         "Priming Rate must be entered", "Bolus Rate must be entered", "KVO Rate must be entered",
         "Maximum Basal Rate must be entered", "Max. Clinician Bolus must be entered",
         "Minimum Lock Out must be entered", "Info screen duration must be entered"});
    for (Variant variant : {Variant::Rx, Variant::Kt}) {
        EditorDriver driver(variant);
        driver.click("Command13");
        driver.type("Text1", "1");
        driver.type("Text1", "");
        const std::string messages = driver.okSettings();
        EXPECT_EQ(messages, variant == Variant::Rx ? rxExpected : rxExpected + "Backlight duration must be entered\r\n");
        EXPECT_EQ(std::count(messages.begin(), messages.end(), '\n'), variant == Variant::Rx ? 29 : 30);
        EXPECT_TRUE(driver["Command4"].enabled);
        EXPECT_FALSE(driver["Command3"].enabled);
    }
}

TEST(CheckSetting, MacroCreatorHasItsOwnPressureBacklightAndMessages) {
    runSettingCases(Variant::Kt, {
        {"all valid", {}, "", ""},
        {"pressure unchosen", {{"Combo11", ""}}, "", lines({"Pressure Level must be selected"})},
        {"air 1.01", {{"Text8", "1.01"}}, "", lines({"Air-in-Line Limit must be < 1 mL"})},
        {"air 0.03", {{"Text8", "0.03"}}, "", lines({"Air-in-Line Limit must be > 0.04 mL"})},
        {"priming rate 426", {{"Text10", "426"}}, "", lines({"Priming Rate must be < 425 mL/hr"})},
        {"priming rate 299", {{"Text10", "299"}}, "", lines({"Priming Rate must be > 300 mL/hr"})},
        {"basal 50 epidural", {{"Text13", "50"}}, "EPIDURAL", lines({"Maximum Basal Rate must be <= 30 mL/hr"})},
        {"backlight 0", {{"Text17", "0"}}, "", ""},
        {"backlight 256", {{"Text17", "256"}}, "", lines({"Backlight duration must be <= 255 seconds"})},
        {"backlight -1", {{"Text17", "-1"}}, "", lines({"Backlight duration must be >= 0 second"})},
        {"backlight 1.5", {{"Text17", "1.5"}}, "", lines({"Backlight duration must be in 1 second resolution"})},
        {"backlight last", {{"Text17", "x"}, {"Text16", ""}}, "",
         lines({"Info screen duration must be entered", "Backlight duration must be numbers only"})},
    });
}

TEST(CheckSetting, ReadsNumbersInTheRegionalFormat) {
    EditorDriver driver(Variant::Rx, NumberFormat{','});
    driver.click("Command13");
    Values values = driver.validSettings();
    values["Text5"] = "0,1";
    values["Text8"] = ",055";
    driver.set(values);
    EXPECT_EQ(driver.okSettings(), lines({"Air-in-Line Limit must be in 0.01 mL resolution"}));
    driver.type("Text8", "0,05");
    EXPECT_EQ(driver.okSettings(), "Setting Updated");
    EXPECT_EQ(driver.editor->macro().PumpSettings[21], "0,05");
}

TEST(SettingPage, StoresPositionsAndChosenTexts) {
    for (Variant variant : {Variant::Rx, Variant::Kt}) {
        EditorDriver driver(variant);
        driver.click("Command13");
        Values values = driver.validSettings();
        values["Combo9"] = "Code switch";
        values["Combo16"] = "";  // Allow Dosavia left unchosen
        driver.set(values);
        ASSERT_EQ(driver.okSettings(), "Setting Updated");
        const auto& s = driver.editor->macro().PumpSettings;
        EXPECT_EQ(s[1], "1234");
        EXPECT_EQ(s[3], "22");  // Level Two Code, from Text4
        EXPECT_EQ(s[4], "33");  // Level Three Code, from Text3
        EXPECT_EQ(s[5], "2");
        EXPECT_EQ(s[6], "0");
        EXPECT_EQ(s[13], "1");
        EXPECT_EQ(s[27], "5");
        EXPECT_EQ(s[28], "4");
        EXPECT_EQ(s[29], "");
        EXPECT_EQ(s[30], "1");
        EXPECT_EQ(s[31], "24");
        EXPECT_EQ(s[18], variant == Variant::Rx ? "400" : "1");
        EXPECT_EQ(s[35], variant == Variant::Rx ? "" : "30");
        EXPECT_EQ(driver["Combo16"].selected, -1);
        EXPECT_EQ(driver["Combo9"].selectedText(), "Code switch");
        EXPECT_FALSE(driver["Command4"].enabled);
        EXPECT_TRUE(driver["Command3"].enabled);
    }
}

TEST(SettingPage, UnchosenComboKeepsItsStoredValue) {
    EditorDriver driver(Variant::Rx);
    driver.click("Command13");
    driver.set(driver.validSettings());
    ASSERT_EQ(driver.okSettings(), "Setting Updated");
    // A choice undone by the user: the Form says nothing is chosen, the stored value stays.
    driver.pick("Combo14", "");
    driver.pick("Combo5", "");
    driver.pick("Combo5", "Level One");
    EXPECT_EQ(driver.okSettings(), "Setting Updated");
    EXPECT_EQ(driver.editor->macro().PumpSettings[27], "5");
    EXPECT_EQ(driver.editor->macro().PumpSettings[9], "1");
}

TEST(SettingPage, ModifiedStateAndCancel) {
    EditorDriver driver(Variant::Rx);
    driver.click("Command13");
    driver.type("Text1", "12");
    EXPECT_EQ(driver["Label36"].text, "Press OK key to accept value");
    EXPECT_TRUE(driver["Command5"].enabled);
    EXPECT_TRUE(driver["Command4"].enabled);
    EXPECT_FALSE(driver["Command3"].enabled);
    EXPECT_TRUE(driver["Command2"].enabled);
    driver.pick("Combo3", "Level One");
    driver.click("Command5");  // Cancel Changes: the settings in memory are empty
    EXPECT_EQ(driver["Text1"].text, "");
    EXPECT_EQ(driver["Combo3"].selected, -1);
    EXPECT_EQ(driver["Label36"].text, "");
    EXPECT_TRUE(driver["Command3"].enabled);
    EXPECT_EQ(driver["Command5"].text, "Cancel Changes");
    EXPECT_EQ(driver["Command2"].text, "Cancel All Changes Back");
}

}  // namespace
}  // namespace mc::protocols
