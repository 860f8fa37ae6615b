// The protocol-and-settings editors as a technician drives them: the pages
// render the typed records, "OK" marks the fields its rules name, and Save,
// Open and "Print Macro Data" go through the file.

#include <gtest/gtest.h>

#include "protocols/core/macro_file.hpp"
#include "protocols/core/protocol_editor.hpp"
#include "protocols/core/protocol_printout.hpp"
#include "shell/core/text.hpp"
#include "support/model_driver.hpp"
#include "support/passing_pages.hpp"
#include "support/recording_printer.hpp"
#include "support/temp_folder.hpp"

namespace mc::protocols {
namespace {

using Texts = std::vector<std::string>;

class Editor : public ::testing::TestWithParam<Variant> {
protected:
    Variant variant = GetParam();
    testing::TempFolder folder;
    testing::RecordingPrinter printer;
    ProtocolEditor editor{variant, folder.path(), NumberFormat{'.'}, printer.services()};
    testing::ModelDriver d{editor};

    // "New", settings that pass with Allow Dosavia "OFF", and protocol A in view.
    void toProtocolPage() {
        d.click("Command13");
        d.set(testing::passingSettings(variant == Variant::Rx));
        d.click("Command4");
        ASSERT_EQ(d.shown("Label36"), "Setting Updated");
        d.click("Command3");
    }
    // Morphine, 2 mg/mL, Dosavia OFF: the units first, as they empty the values.
    void typeProtocol() {
        d.set({{"Combo20", "OFF"}, {"Combo21", "mg/mL"}, {"Text18", "Morphine"}, {"Text19", "0"}, {"Text20", "0"}, {"Text21", "100"},
               {"Text22", "2"}, {"Text23", "3"}, {"Text24", "4"}, {"Text25", "1"}, {"Text26", "2"}, {"Text27", "15"}, {"Text28", "20"}});
    }
};

TEST_P(Editor, ModeButtonsChooseTheFileTypeOnlyInRx) {
    for (const char* file : {"a.tb2", "b.tv9", "c.tv8"}) folder.write(file, "");
    d.click("Command13");
    EXPECT_EQ(d["Command3"].enabled, variant == Variant::Kt);  // RX_Macro_Creator: Next waits for a restore
    d.click("Command2");  // the Open page reads its lists again
    d.pick("File1", "a.tb2");
    d.click("EPIDURAL");
    EXPECT_EQ(d["File1"].items, Texts{variant == Variant::Rx ? "c.tv8" : "a.tb2"});
    EXPECT_EQ(d["Command12"].enabled, variant == Variant::Kt);
    d.click("PCA");
    EXPECT_FALSE(d["EPIDURAL"].checked);
    EXPECT_EQ(editor.MacroExtension(), variant == Variant::Rx ? ".tv9" : ".tb2");
}

TEST_P(Editor, OkMarksTheFieldsItsRulesName) {
    d.click("EPIDURAL");  // the rules judge the settings in the mode chosen on the Open page
    toProtocolPage();
    d.click("Command7");  // back to the settings
    d.set({{"Combo3", ""}, {"Text13", "50"}});
    d.click("Command4");
    EXPECT_EQ(d.messages("Label36"), Texts{"Select Protocol Accass must be selected"});
    EXPECT_EQ(d.marked(), Texts{"Combo3"});
    d.pick("Combo3", "Level One");
    d.click("Command4");
    EXPECT_EQ(d.messages("Label36"), Texts{"Maximum Basal Rate must be <= 30 mL/hr"});
    EXPECT_EQ(d.marked(), Texts{"Text13"});  // the list picked again is no longer marked
    d.type("Text13", "30");
    d.click("Command4");
    d.click("Command3");
    // The concentration and its unit list have captions that begin alike: each message marks its own.
    typeProtocol();
    d.set({{"Text19", "5"}, {"Text22", ""}});
    d.click("Command9");
    EXPECT_EQ(d.messages("Label74"), (Texts{"With Dosavia not Allowed Min. Patient weight not used and must be 0",
                                           "Concentration must be entered", "Concentration must be numbers only"}));
    EXPECT_EQ(d.marked(), (Texts{"Text19", "Text22"}));
    typeProtocol();
    d.pick("Combo21", "");
    d.set({{"Text23", "3"}, {"Text24", "4"}, {"Text25", "1"}, {"Text26", "2"}, {"Text28", "20"}});
    d.click("Command9");
    EXPECT_EQ(d.marked(), Texts{"Combo21"});
}

TEST_P(Editor, ProtocolPageShowsStoresAndLocksWhileModified) {
    toProtocolPage();
    EXPECT_EQ(d.shown("Combo19"), "A:");
    d.pick("Combo22", "Auto-bolus");  // the bolus type alone does not modify the page
    if (variant == Variant::Rx) d.type("Text17", "HCl");  // nor does the second name line
    EXPECT_FALSE(d["Command9"].enabled);
    d.set({{"Combo21", "mcg/mL"}, {"Text23", "5"}, {"Combo20", "ON"}});
    EXPECT_EQ(d.shown("Text23"), "");  // emptied: the value no longer fits the units
    EXPECT_EQ(d.shown("Label70") + " " + d.shown("Label67"), "mcg/kg/hr mcg/kg");
    EXPECT_EQ(d.shown("Label74"), variant == Variant::Rx ? "Press OK key to accept value"
                                                         : "Please validate modifications with OK key");
    for (const char* locked : {"Combo19", "Command7", "Command10"}) EXPECT_FALSE(d[locked].enabled);
    d.click("NextProtocol");
    typeProtocol();
    d.click("Command9");
    EXPECT_EQ(d.shown("Label74"), "Protocol Updated");
    EXPECT_EQ(editor.macro().ProtocolInitialRate[1], "1.5");
    EXPECT_EQ(d.shown("Text23"), "3.0");
    EXPECT_EQ(d.shown("Combo22"), "Auto-bolus");
    EXPECT_EQ(d.shown("Combo19"), variant == Variant::Rx ? "A:Morphine            HCl" : "A:Morphine");
    d.click("NextProtocol");
    EXPECT_EQ(d.shown("Combo19") + d.shown("Combo21"), "B:");
    EXPECT_EQ(d.shown("Label70"), "mg/hr");  // B has no unit: the labels stay as A left them
    d.pick("Combo19", "Y:");
    d.click("NextProtocol");
    d.click("NextProtocol");  // nothing after Z
    EXPECT_EQ(editor.CurrentProtocol(), 26);
    d.type("GoTo", "mor");
    d.click("GoTo");
    EXPECT_EQ(editor.CurrentProtocol(), 1);
    d.click("PreviousProtocol");  // nothing before A
    EXPECT_EQ(d.shown("Combo19").substr(0, 2), "A:");
    d.type("Text27", "16");
    d.click("Command8");  // Cancel Changes
    EXPECT_EQ(d.shown("Text27"), "15");
}

TEST_P(Editor, SaveOpenAndPrintGoThroughTheFile) {
    toProtocolPage();
    typeProtocol();
    d.click("Command9");
    d.pick("Combo19", "Z:");  // and Z in mL Only, which its file line holds as concentration "0"
    typeProtocol();
    d.set({{"Combo21", "mL Only"}, {"Text22", ""}, {"Text23", "3"}, {"Text24", "4"}, {"Text25", "1"}, {"Text26", "2"}, {"Text28", "20"}});
    d.click("Command9");
    ASSERT_EQ(d.shown("Label74"), "Protocol Updated");
    const ProtocolMacro saved = editor.macro();
    d.click("Command10");
    d.type("Text29", "ABC");
    d.click("Command11");
    EXPECT_EQ(d.shown("Text29"), "ABC     ");
    const std::string file = folder.read("ABC.tb2"), settingsEnd = "Send:PDT06:1";
    EXPECT_EQ(file, writeProtocolMacro(saved, variant, "ABC"));
    // The settings stand in the lines of the reference macro, which is written apart from this program; the
    // page here chose another Handset Key Type and no Dosavia (Macro_Creator's own settings differ more).
    if (variant == Variant::Rx) {
        std::string reference = readFile(std::filesystem::path(MC_CLI_DATA) / "clean.tb2").bytes;
        reference.erase(reference.find(settingsEnd));
        for (const auto& [from, to] : {std::pair{"COM1E", "COM1F"}, {"COM21", "COM20"}}) reference.replace(reference.find(from), 5, to);
        EXPECT_EQ(file.substr(0, file.find(settingsEnd)), reference);
    }
    d.click("Command13");
    d.click("Command2");
    d.pick("File1", "ABC.tb2");
    d.click("Command1");
    EXPECT_EQ(d.shown("Combo1"), "Level Two");
    d.click("Command3");
    EXPECT_EQ(d.shown("Text23"), "3.0");
    d.click("Command10");
    d.type("Text29", "ABC");
    d.click("Command11");
    EXPECT_EQ(d.shown("Label76"), "This Macro name already exists. Please enter another Macro name.");
    // The chosen file is printed, in the units the protocol page showed before.
    ProtocolMacro printed;
    printed.ProtocolDosavia[2] = printed.ProtocolConcUnit[2] = "1";
    printed.ProtocolConcentration[2] = "50";
    folder.write("P.tb2", writeProtocolMacro(printed, variant, "P"));
    for (const char* back : {"Command6", "Command7", "Command2"}) d.click(back);
    d.pick("File1", "P.tb2");
    d.click("Command12");
    printed.MacroTitle = "P       ";
    const auto pages = protocolPrintout(printed, variant, NumberFormat{'.'}, "05/12/2026", "15:30", {"mg/hr", "mg", "mg/hr"});
    ASSERT_EQ(printer.jobs.size(), 14u);
    for (std::size_t i = 0; i < pages.size(); ++i) EXPECT_EQ(printer.jobs[i], joinCrLf(pages[i])) << i;
    EXPECT_EQ(d.shown("StatusMessage"), "Printed 14 pages on Office");
    // The protocol page is left as the printout left it: protocol A has no unit of its own.
    d.click("Command1");
    d.click("Command3");
    EXPECT_EQ(d.shown("Label70"), "mg/kg/hr");
}

INSTANTIATE_TEST_SUITE_P(BothWindows, Editor, ::testing::Values(Variant::Rx, Variant::Kt),
                         [](const auto& param) { return param.param == Variant::Rx ? "Rx" : "Kt"; });

}  // namespace
}  // namespace mc::protocols
