#include <gtest/gtest.h>

#include "editor_driver.hpp"

namespace mc::protocols {
namespace {

std::vector<std::string> items(std::initializer_list<const char*> texts) { return {texts.begin(), texts.end()}; }

TEST(ProtocolEditor, LoadFillsTheChoiceListsAndChoosesNothing) {
    for (Variant variant : {Variant::Rx, Variant::Kt}) {
        EditorDriver driver(variant);
        for (int k = 1; k <= 8; ++k)
            EXPECT_EQ(driver["Combo" + std::to_string(k)].items,
                      items({"No Code", "Level One", "Level Two", "Level Three"}));
        EXPECT_EQ(driver["Combo9"].items, items({"Normaly open switch", "Code switch"}));
        for (const char* onOff : {"Combo10", "Combo12", "Combo13", "Combo16"})
            EXPECT_EQ(driver[onOff].items, items({"OFF", "ON"}));
        EXPECT_EQ(driver["Combo14"].items, items({"1", "2", "3", "4", "5", "6", "7"}));
        EXPECT_EQ(driver["Combo15"].items, items({"2", "3", "4", "5", "6", "7"}));
        EXPECT_EQ(driver["Combo17"].items, items({"Volume", "Boluses"}));
        EXPECT_EQ(driver["Combo18"].items, items({"0", "1", "4", "24"}));
        if (variant == Variant::Kt) {
            EXPECT_EQ(driver["Combo11"].items, items({"Low", "Normal", "High"}));
        }
        EXPECT_EQ(driver.editor->form().has("Text31"), variant == Variant::Rx);
        for (const SettingRow& row : settingRows(variant)) {
            EXPECT_EQ(driver[row.control].text, "") << row.control;
            EXPECT_EQ(driver[row.control].selected, -1) << row.control;
            EXPECT_EQ(driver[row.captionLabel].text, row.caption);
        }
        EXPECT_EQ(settingRows(variant).size(), variant == Variant::Rx ? 34u : 35u);
        EXPECT_FALSE(driver["PCA"].checked);
        EXPECT_FALSE(driver["EPIDURAL"].checked);
        EXPECT_EQ(driver["Frame2"].text, "Pump Setting");
        EXPECT_EQ(driver["Frame3"].text, "Protocol Data");
        EXPECT_FALSE(driver["Command12"].enabled);
        EXPECT_EQ(driver["Command12"].text, "Print Macro Data");
        EXPECT_EQ(driver["Command13"].text, "New");
        EXPECT_EQ(driver.editor->layout().page2MessagePointSize, 18);
    }
}

TEST(ProtocolEditor, PageCaptionsCarryTheirNames) {
    EditorDriver rx(Variant::Rx);
    EXPECT_EQ(rx["Label3"].text, "Level Three Code");
    EXPECT_EQ(rx["Label4"].text, "Level Two Code");
    EXPECT_EQ(rx["Label18"].text, "Pressure Level");
    EXPECT_EQ(rx["Label35"].text, "mmHg");
    EXPECT_EQ(rx["Label41"].text, "hours");
    EXPECT_EQ(rx["Label34"].text, "Info screen duration");
    EXPECT_EQ(rx["Label51"].text, "Protocol");
    EXPECT_EQ(rx["Label64"].text, "Limit");
    EXPECT_EQ(rx["Label65"].text, "ml/h/kg");
    EXPECT_EQ(rx["Text31"].maxLength, 4);
    EXPECT_EQ(rx["Text12"].maxLength, 3);
    EditorDriver kt(Variant::Kt);
    EXPECT_EQ(kt["Label35"].text, "Backlight duration");
    EXPECT_EQ(kt["Label37"].text, "seconds");
}

TEST(ProtocolEditor, ModeButtonsChooseTheFileTypeOnlyInRx) {
    EditorDriver rx(Variant::Rx);
    for (const char* name : {"a.tb2", "b.tv9", "c.tv8"}) rx.folder.write(name, "");
    EditorDriver kt(Variant::Kt);
    for (const char* name : {"a.tb2", "b.tv9", "c.tv8"}) kt.folder.write(name, "");
    // The lists were read at load, before the files existed: leave and come back through page 2.
    for (EditorDriver* driver : {&rx, &kt}) {
        driver->click("Command13");
        driver->click("Command2");
        ASSERT_EQ((*driver)["File1"].items, items({"a.tb2"}));
        driver->pick("File1", "a.tb2");
        EXPECT_TRUE((*driver)["Command12"].enabled);
    }
    struct Case { const char* button; const char* file; };
    for (const Case& c : {Case{"PCA", "b.tv9"}, {"EPIDURAL", "c.tv8"}, {"PCA", "b.tv9"}}) {
        rx.click(c.button);
        EXPECT_TRUE(rx[c.button].checked);
        EXPECT_FALSE(rx[std::string(c.button) == "PCA" ? "EPIDURAL" : "PCA"].checked);
        EXPECT_EQ(rx["File1"].items, items({c.file}));
        EXPECT_EQ(rx["File2"].items, items({c.file}));
        EXPECT_EQ(rx["Text30"].text, "");
        EXPECT_FALSE(rx["Command1"].enabled);
        EXPECT_FALSE(rx["Command12"].enabled);
        rx.pick("File1", c.file);
        EXPECT_TRUE(rx["Command1"].enabled);
        EXPECT_TRUE(rx["Command12"].enabled);

        kt.click(c.button);
        EXPECT_TRUE(kt[c.button].checked);
        EXPECT_EQ(kt["File1"].items, items({"a.tb2"}));
        EXPECT_EQ(kt["Text30"].text, "a.tb2");
        EXPECT_TRUE(kt["Command1"].enabled);
    }
}

TEST(ProtocolEditor, NewKeepsPageTwoAndTheMode) {
    for (Variant variant : {Variant::Rx, Variant::Kt}) {
        EditorDriver driver(variant);
        driver.click("EPIDURAL");
        driver.toProtocolPage();
        ASSERT_EQ(driver.okProtocol({}), "Protocol Updated");
        driver.click("Command7");
        driver.click("Command2");
        driver.click("Command13");  // New
        EXPECT_TRUE(driver["Frame2"].visible);
        EXPECT_TRUE(driver["EPIDURAL"].checked);
        EXPECT_EQ(driver["Command3"].enabled, variant == Variant::Kt);
        // The page still shows the settings; memory is empty.
        EXPECT_EQ(driver["Text1"].text, "1234");
        EXPECT_EQ(driver["Combo1"].selectedText(), "Level Two");
        EXPECT_EQ(driver.editor->macro().PumpSettings[1], "");
        EXPECT_EQ(driver.editor->macro().ProtocolDrugName[1], "");
        driver.type("Text1", "4321");
        EXPECT_EQ(driver.okSettings(), "Setting Updated");
        EXPECT_EQ(driver.editor->macro().PumpSettings[1], "4321");
        EXPECT_EQ(driver.editor->macro().PumpSettings[5], "2");
        EXPECT_TRUE(driver["Command3"].enabled);
    }
}

TEST(ProtocolEditor, ResetMacroEmptiesSettingsAndProtocolsOnly) {
    EditorDriver driver(Variant::Rx);
    driver.click("PCA");
    driver.toProtocolPage();
    ASSERT_EQ(driver.okProtocol({}), "Protocol Updated");
    driver.pick("Combo19", "C:");
    driver.editor->memory().MacroTitle = "ABC     ";
    driver.editor->memory().ResetMacro();
    ProtocolMacro empty;
    empty.MacroTitle = "ABC     ";
    EXPECT_EQ(driver.editor->macro(), empty);
    EXPECT_EQ(driver.editor->CurrentProtocol(), 3);
    EXPECT_EQ(driver.editor->MacroExtension(), ".tv9");
    EXPECT_TRUE(driver["PCA"].checked);
}

}  // namespace
}  // namespace mc::protocols

namespace mc::protocols {
namespace {

TEST(ProtocolEditor, PageDownAndPageUpStepThroughTheProtocolsOfAClean) {
    EditorDriver d(Variant::Rx);
    d.toProtocolPage();
    d.click("NextProtocol");
    EXPECT_EQ(d.editor->CurrentProtocol(), 2);
    EXPECT_EQ(d["Combo19"].selected, 1);
    d.click("PreviousProtocol");
    d.click("PreviousProtocol");  // no protocol before A
    EXPECT_EQ(d.editor->CurrentProtocol(), 1);
    d.type("Text18", "Changed");  // a modified page holds the technician on it
    d.click("NextProtocol");
    EXPECT_EQ(d.editor->CurrentProtocol(), 1);
}

TEST(ProtocolEditor, AFailedOkMarksTheFieldsItsMessagesName) {
    EditorDriver d(Variant::Kt);
    d.toProtocolPage();
    EXPECT_NE(d.okProtocol({{"Text21", "2.25"}, {"Text27", "x"}}), "Protocol Updated");
    EXPECT_TRUE(d["Text21"].error);   // Bag Volume
    EXPECT_TRUE(d["Text27"].error);   // Lockout Time
    EXPECT_FALSE(d["Text23"].error);  // Initial Rate passed
    d.type("Text21", "2.5");
    EXPECT_FALSE(d["Text21"].error);
}

}  // namespace
}  // namespace mc::protocols
