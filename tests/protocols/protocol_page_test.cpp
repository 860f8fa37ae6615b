#include <gtest/gtest.h>

#include "editor_driver.hpp"

namespace mc::protocols {
namespace {

std::vector<std::string> shownVolumes(const EditorDriver& driver) {
    return {driver["Text23"].text, driver["Text24"].text, driver["Text25"].text, driver["Text26"].text,
            driver["Text28"].text};
}

std::vector<std::string> storedVolumes(const ProtocolMacro& macro, int n) {
    return {macro.ProtocolInitialRate[n], macro.ProtocolTitrationLimit[n], macro.ProtocolBolusDose[n],
            macro.ProtocolMaxBolus[n], macro.ProtocolLimit[n]};
}

TEST(ProtocolPage, AfterNewShowsProtocolAEmpty) {
    EditorDriver driver(Variant::Rx);
    driver.toProtocolPage();
    const Control& list = driver["Combo19"];
    ASSERT_EQ(list.items.size(), 26u);
    EXPECT_EQ(list.items.front(), "A:");
    EXPECT_EQ(list.items.back(), "Z:");
    EXPECT_EQ(list.selectedText(), "A:");
    EXPECT_EQ(driver["Text18"].text, "");
    EXPECT_EQ(driver["Combo20"].selectedText(), "OFF");
    EXPECT_EQ(driver["Combo21"].selected, -1);
    EXPECT_EQ(driver["Combo22"].selectedText(), "Patient Bolus");
    EXPECT_EQ(shownVolumes(driver), std::vector<std::string>(5, ""));
    EXPECT_EQ(driver["Label74"].text, "");
    EXPECT_FALSE(driver["Command9"].enabled);
    EXPECT_TRUE(driver["Command7"].enabled);
    EXPECT_TRUE(driver["Combo19"].enabled);
}

TEST(ProtocolPage, StoresVolumeValuesAndShowsThemInTheDrugUnits) {
    struct Case {
        const char* what;
        Values protocol;
        std::vector<std::string> stored, shown;
        NumberFormat numbers{'.'};
    };
    const std::vector<Case> cases{
        {"2 mg/mL, OFF", {}, {"1.5", "2.0", "0.5", "1.0", "10.0"}, {"3.0", "4.0", "1.0", "2.0", "20.0"}},
        {"2 mg/mL, ON",
         {{"Combo20", "ON"}, {"Text23", "0.25"}, {"Text24", "1"}, {"Text25", "0.1"}, {"Text26", "0.2"}},
         {"0.125", "0.500", "0.050", "0.100", "10.000"},
         {"0.250", "1.000", "0.100", "0.200", "20.000"}},
        {"mL Only keeps the typed value",
         {{"Combo21", "mL Only"}, {"Text22", ""}, {"Text23", "2"}, {"Text24", "2."}, {"Text26", "1.0"}},
         {"2.0", "2.0", "1.0", "1.0", "20.0"},
         {"2.0", "2.0", "1.0", "1.0", "20.0"}},
        {"3 mg/mL: exact thirds", {{"Text22", "3"}, {"Text23", "0.9"}, {"Text24", "0.9"}, {"Text25", "0.3"},
                                   {"Text26", ".6"}, {"Text28", "3"}},
         {"0.3", "0.3", "0.1", "0.2", "1.0"},
         {"0.9", "0.9", "0.3", "0.6", "3.0"}},
        {"0.3 mg/mL: the exact product is shown", {{"Text22", "0.3"}, {"Text23", "0.03"}, {"Text24", "0.03"},
                                                   {"Text25", "0.03"}, {"Text26", "0.03"}, {"Text28", "0.03"}},
         {"0.1", "0.1", "0.1", "0.1", "0.1"},
         {"0.03", "0.03", "0.03", "0.03", "0.03"}},
        {"regional format", {{"Text22", "2,5"}, {"Text23", "2,5"}, {"Text24", "5"}, {"Text25", "0,25"},
                             {"Text26", "2,5"}, {"Text28", "25"}},
         {"1,0", "2,0", "0,1", "1,0", "10,0"},
         {"2,5", "5,0", "0,25", "2,5", "25,0"},
         NumberFormat{','}},
    };
    for (const Case& c : cases) {
        EditorDriver driver(Variant::Rx, c.numbers);
        driver.toProtocolPage();
        ASSERT_EQ(driver.okProtocol(c.protocol), "Protocol Updated") << c.what;
        EXPECT_EQ(storedVolumes(driver.editor->macro(), 1), c.stored) << c.what;
        EXPECT_EQ(shownVolumes(driver), c.shown) << c.what;
        // A second OK of what is shown stores the same values.
        driver.type("Text27", "15");
        driver.click("Command9");
        EXPECT_EQ(storedVolumes(driver.editor->macro(), 1), c.stored) << c.what;
    }
}

TEST(ProtocolPage, UnitLabelsFollowDosaviaAndUnit) {
    struct Case { const char* dosavia; const char* unit; const char* rate; const char* dose; };
    for (const Case& c : {Case{"OFF", "mL Only", "mL/hr", "mL"}, {"OFF", "mg/mL", "mg/hr", "mg"},
                          {"OFF", "mcg/mL", "mcg/hr", "mcg"}, {"ON", "mL Only", "mL/kg/hr", "mL/kg"},
                          {"ON", "mg/mL", "mg/kg/hr", "mg/kg"}, {"ON", "mcg/mL", "mcg/kg/hr", "mcg/kg"}}) {
        EditorDriver driver(Variant::Kt);
        driver.toProtocolPage();
        driver.pick("Combo21", c.unit);
        driver.type("Text23", "5");
        driver.pick("Combo20", c.dosavia);
        EXPECT_EQ(driver["Text23"].text, "");  // emptied: the value no longer fits the units
        for (const char* rate : {"Label70", "Label69", "Label65"}) EXPECT_EQ(driver[rate].text, c.rate) << c.unit;
        for (const char* dose : {"Label68", "Label67"}) EXPECT_EQ(driver[dose].text, c.dose) << c.unit;
        EXPECT_EQ(driver["Label66"].text, "Minutes");
        EXPECT_EQ(driver["Label71"].text, "mL");
        EXPECT_EQ(driver["Label73"].text, "kg");
    }
}

TEST(ProtocolPage, DrugNameLines) {
    EditorDriver rx(Variant::Rx);
    rx.toProtocolPage();
    ASSERT_EQ(rx.okProtocol({{"Text18", "Morphine"}, {"Text17", "HCl"}}), "Protocol Updated");
    EXPECT_EQ(rx.editor->macro().ProtocolDrugName[1], "Morphine            HCl");
    EXPECT_EQ(rx["Combo19"].items[0], "A:Morphine            HCl");
    EXPECT_EQ(rx["Text18"].text, "Morphine            ");
    EXPECT_EQ(rx["Text17"].text, "HCl");
    EXPECT_EQ(rx["Text18"].maxLength, 20);

    EditorDriver kt(Variant::Kt);
    kt.toProtocolPage();
    ASSERT_EQ(kt.okProtocol({{"Text18", "Fentanyl citrate 1"}}), "Protocol Updated");
    EXPECT_EQ(kt.editor->macro().ProtocolDrugName[1], "Fentanyl citrate 1");
    EXPECT_EQ(kt["Text18"].maxLength, 18);
    EXPECT_EQ(kt["Text17"].maxLength, 3);  // there it is the backlight box of the setting page
}

TEST(ProtocolPage, ModifiedStateLocksTheListAndNavigation) {
    for (Variant variant : {Variant::Rx, Variant::Kt}) {
        EditorDriver driver(variant);
        driver.toProtocolPage();
        driver.pick("Combo22", "Auto-bolus");  // the bolus type alone does not modify the page
        EXPECT_FALSE(driver["Command9"].enabled);
        if (variant == Variant::Rx) {
            driver.type("Text17", "x");  // nor does the second name line
            EXPECT_FALSE(driver["Command9"].enabled);
        }
        driver.type("Text27", "1");
        EXPECT_EQ(driver["Label74"].text, variant == Variant::Rx ? "Press OK key to accept value"
                                                                  : "Please validate modifications with OK key");
        EXPECT_FALSE(driver["Combo19"].enabled);
        EXPECT_FALSE(driver["Command7"].enabled);
        EXPECT_FALSE(driver["Command10"].enabled);
        EXPECT_TRUE(driver["Command8"].enabled);
        driver.pick("Combo19", "C:");
        EXPECT_EQ(driver.editor->CurrentProtocol(), 1);
        EXPECT_EQ(driver["Combo19"].selectedText(), "A:");
        driver.click("Command8");  // Cancel Changes
        EXPECT_EQ(driver["Text27"].text, "");
        EXPECT_TRUE(driver["Combo19"].enabled);
        EXPECT_TRUE(driver["Command10"].enabled);
    }
}

TEST(ProtocolPage, ChoosingAProtocolShowsIt) {
    EditorDriver driver(Variant::Rx);
    driver.toProtocolPage();
    ASSERT_EQ(driver.okProtocol({{"Text18", "Ketamine"}, {"Combo21", "mcg/mL"}, {"Text22", "50"}, {"Text23", "5"},
                                 {"Text24", "10"}, {"Text25", "5"}, {"Text26", "10"}, {"Text28", "50"}}),
              "Protocol Updated");
    driver.pick("Combo19", "B:");
    EXPECT_EQ(driver.editor->CurrentProtocol(), 2);
    EXPECT_EQ(driver["Text18"].text, "");
    EXPECT_EQ(driver["Combo21"].selected, -1);  // never the unit of the protocol shown before
    EXPECT_EQ(shownVolumes(driver), std::vector<std::string>(5, ""));
    driver.pick("Combo19", "A:Ketamine");
    EXPECT_EQ(driver["Combo21"].selectedText(), "mcg/mL");
    EXPECT_EQ(driver["Text23"].text, "5.0");
    EXPECT_EQ(driver["Label70"].text, "mcg/hr");
    // Back to the settings and Next again: protocol A.
    driver.pick("Combo19", "D:");
    driver.click("Command7");
    EXPECT_TRUE(driver["Frame2"].visible);
    driver.click("Command3");
    EXPECT_EQ(driver.editor->CurrentProtocol(), 1);
    // The Save page's Back shows the protocol in view again.
    driver.pick("Combo19", "E:");
    driver.click("Command10");
    EXPECT_TRUE(driver["Frame4"].visible);
    driver.click("Command6");
    EXPECT_EQ(driver["Combo19"].selectedText(), "E:");
}

TEST(ProtocolPage, ShowsStoredTextsAsMemoryHoldsThem) {
    struct Case { const char* unit; const char* concentration; const char* stored; const char* shown; };
    for (const Case& c : {Case{"0", "", "abc", ""}, {"1", "2", "abc", ""}, {"0", "", "1", "1"},
                          {"0", "", "12.500", "12.500"}, {"1", "2", "", ""}, {"2", "0.3", "0.1", "0.03"},
                          {"1", "2", ".5", "1.0"}, {"1", "x", "1.5", ""}, {"7", "2", "1.5", ""}}) {
        EditorDriver driver(Variant::Rx);
        ProtocolMacro& memory = driver.editor->memory();
        memory.ProtocolConcUnit[1] = c.unit;
        memory.ProtocolConcentration[1] = c.concentration;
        memory.ProtocolInitialRate[1] = c.stored;
        driver.toProtocolPage();  // "New" empties the memory: fill it again and show it
        memory.ProtocolConcUnit[1] = c.unit;
        memory.ProtocolConcentration[1] = c.concentration;
        memory.ProtocolInitialRate[1] = c.stored;
        driver.click("Command10");
        driver.click("Command6");
        EXPECT_EQ(driver["Text23"].text, c.shown) << c.unit << " " << c.stored;
        EXPECT_EQ(driver.editor->macro().ProtocolInitialRate[1], c.stored);
    }
}

TEST(ProtocolPage, DamagedValuesNeitherHangNorCrash) {
    EditorDriver driver(Variant::Rx);
    driver.toProtocolPage();
    ProtocolMacro& memory = driver.editor->memory();
    memory.ProtocolConcUnit[1] = "1";
    memory.ProtocolConcentration[1] = "7." + std::string(200000, '3');
    memory.ProtocolInitialRate[1] = std::string(200000, '9');
    memory.ProtocolTitrationLimit[1] = "0.5";
    driver.click("Command10");
    driver.click("Command6");
    EXPECT_EQ(driver["Text23"].text, "");
    EXPECT_EQ(driver["Text24"].text, "");
    driver.type("Text27", "15");
    driver.click("Command9");
    EXPECT_NE(driver["Label74"].text.find("Concentration must be in 0.1 mg/mL resolution"), std::string::npos);
}

TEST(ProtocolPage, RestoreShowsLongTextsWholeWhileTypingIsLimited) {
    EditorDriver driver(Variant::Kt);
    driver.toProtocolPage();
    ProtocolMacro& memory = driver.editor->memory();
    memory.ProtocolDrugName[1] = "Hydromorphone 10 mg/mL";  // 22 characters, the box takes 18
    memory.ProtocolConcUnit[1] = "0";
    memory.ProtocolTitrationLimit[1] = "12.500";
    driver.click("Command10");
    driver.click("Command6");
    EXPECT_EQ(driver["Text18"].text, "Hydromorphone 10 mg/mL");
    EXPECT_EQ(driver["Text24"].text, "12.500");
    driver.type("Text18", "Hydromorphone 10 mg/m");  // shortened by one: kept
    EXPECT_EQ(driver["Text18"].text, "Hydromorphone 10 mg/m");
    driver.type("Text27", "1234");
    EXPECT_EQ(driver["Text27"].text, "123");
}

}  // namespace
}  // namespace mc::protocols
