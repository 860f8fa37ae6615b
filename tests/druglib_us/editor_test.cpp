// The pages of the US editor driven through its model.

#include "druglib_us/core/tv1_file.hpp"
#include "editor_driver.hpp"

namespace mc::druglib_us {
namespace {

const std::string Prompt = "Please validate modifications with OK key";

// ---- department page ------------------------------------------------------------

TEST_F(UsEditorTest, DepartmentsAreStoredAsTypedAndShownCut) {
    click("Command12");
    EXPECT_EQ(editor->visiblePage(), 2);
    type("Text1", "ICU  ");
    EXPECT_FALSE((*this)["Command3"].enabled);
    EXPECT_TRUE((*this)["Command2"].enabled);
    EXPECT_EQ(text("Label36"), Prompt);
    click("Command4");
    EXPECT_EQ(text("Label36"), "Departments list Updated");
    EXPECT_EQ(editor->library().DepartmentName[1], "ICU  ");
    EXPECT_EQ(text("Text1"), "ICU");
    EXPECT_TRUE((*this)["Command3"].enabled);
    EXPECT_FALSE((*this)["Command4"].enabled);

    type("Text24", "Oncology");
    click("Command5");  // Cancel Last Changes
    EXPECT_EQ(text("Text24"), "");
    EXPECT_FALSE((*this)["Command5"].enabled);
    EXPECT_EQ(text("Label36"), "");
}

TEST_F(UsEditorTest, TypingStopsAtTheBoxLimit) {
    click("Command12");
    type("Text13", std::string(21, 'a'));
    EXPECT_EQ(text("Text13"), std::string(20, 'a'));
}

TEST_F(UsEditorTest, ALongDepartmentNameFromAFileIsShownCutAndKeptUntilOk) {
    UsDrugLibrary library;
    const std::string name = "Cardiology Intensive Care 1234";  // 30 characters
    library.DepartmentName[6] = name;
    folder.write("long.tv1", writeTv1(library, "long"));
    openFile("long.tv1");
    ASSERT_EQ(editor->visiblePage(), 2);
    EXPECT_EQ(text("Text6"), "Cardiology Intensive");
    click("Command3");
    EXPECT_EQ(text("Check6"), name);  // the check box carries the whole name
    click("Command7");
    EXPECT_EQ(editor->library().DepartmentName[6], name);
    type("Text1", "x");
    click("Command4");
    EXPECT_EQ(editor->library().DepartmentName[6], "Cardiology Intensive");
}

// ---- entering the drug page, stepping, cancel, delete ------------------------------

TEST_F(UsEditorTest, AnEmptyLibraryOpensDrugOneAsAPendingEntry) {
    newLibrary();
    EXPECT_EQ(editor->visiblePage(), 3);
    EXPECT_EQ(drugOf(), "1 of 1");
    EXPECT_EQ(text("Text26"), "");
    EXPECT_EQ(text("Text25"), "0");
    EXPECT_EQ(text("Text33"), "0");
    EXPECT_TRUE(modified());
    EXPECT_EQ(text("Label74"), "");
    EXPECT_FALSE((*this)["Command7"].enabled);
    EXPECT_FALSE((*this)["Command10"].enabled);
    EXPECT_TRUE((*this)["Command15"].enabled);
    for (int d = 1; d <= 24; ++d) {
        EXPECT_EQ(text("Check" + std::to_string(d)), "");
        EXPECT_FALSE((*this)["Check" + std::to_string(d)].checked);
    }
    EXPECT_TRUE(editor->NewDrugPending());

    click("Command8");  // Cancel keeps the only entry pending
    EXPECT_EQ(drugOf(), "1 of 1");
    EXPECT_TRUE(modified());
    EXPECT_TRUE(editor->NewDrugPending());

    EXPECT_EQ(enter(validPage()), Texts{"Drug Updated"});
    EXPECT_FALSE(modified());
    EXPECT_FALSE(editor->NewDrugPending());
    EXPECT_TRUE((*this)["Command10"].enabled);
    EXPECT_FALSE((*this)["Command14"].enabled);
    EXPECT_TRUE((*this)["Command13"].enabled);
}

TEST_F(UsEditorTest, AnAcceptedEntryKeepsEveryTextAsTyped) {
    newLibrary();
    ASSERT_EQ(enter(with(validPage(), {{"Text25", "70.0"}, {"Text27", " 5.50 "}, {"Check3", "1"}})),
              Texts{"Drug Updated"});
    const DrugEntry& e = editor->library().Drug[1];
    EXPECT_EQ(e.WeightLowerSoft, 70);
    EXPECT_EQ(text("Text25"), "70");
    EXPECT_EQ(e.Concentration, " 5.50 ");
    EXPECT_EQ(e.DrugDepartments, 0b101);
    EXPECT_EQ(e.BolusTimeUnits, "SS");
    EXPECT_EQ(e.BolusTime, "30");
}

TEST_F(UsEditorTest, TheHiddenBolusBoxIsStoredToo) {
    newLibrary();
    fill(with(validPage(), {{"Combo4", "NOTIME"}, {"Text38", "12.5"}}));
    pick("Combo4", "MM");
    type("Text37", "5");
    ASSERT_EQ(ok(), Texts{"Drug Updated"});
    EXPECT_EQ(editor->library().Drug[1].BolusRate, "12.5");
    EXPECT_EQ(editor->library().Drug[1].BolusTime, "5");
}

TEST_F(UsEditorTest, SteppingPastTheLastEntryOpensANewOneAndCancelReturns) {
    newLibrary();
    for (int i = 1; i <= 3; ++i) {
        ASSERT_EQ(enter(with(validPage(), {{"Text26", "Drug " + std::to_string(i)}})), Texts{"Drug Updated"});
        if (i < 3) click("Command13");
    }
    EXPECT_EQ(drugOf(), "3 of 3");
    click("Command13");
    EXPECT_EQ(drugOf(), "4 of 4");
    EXPECT_TRUE(modified());
    EXPECT_FALSE((*this)["Command13"].enabled);
    click("Command8");
    EXPECT_EQ(drugOf(), "3 of 3");
    EXPECT_EQ(text("Text26"), "Drug 3");
    EXPECT_FALSE(modified());
    click("Command14");
    EXPECT_EQ(drugOf(), "2 of 3");
    type("Text26", "changed");
    click("Command8");
    EXPECT_EQ(text("Text26"), "Drug 2");
    EXPECT_EQ(drugOf(), "2 of 3");
}

TEST_F(UsEditorTest, DeleteShiftsTheLaterEntriesDown) {
    newLibrary();
    for (int i = 1; i <= 3; ++i) {
        ASSERT_EQ(enter(with(validPage(), {{"Text26", "Drug " + std::to_string(i)}})), Texts{"Drug Updated"});
        if (i < 3) click("Command13");
    }
    click("Command14");
    std::vector<std::string> asked;
    bool goAhead = false;
    editor->askWith([&](const Question& question) {
        asked.push_back(question.text + " [" + question.goAhead + "]");
        return goAhead;
    });
    click("Command15");  // Cancel
    EXPECT_EQ(asked, Texts{"Delete entry 2 (Drug 2)? [Delete]"});
    EXPECT_EQ(drugOf(), "2 of 3");
    goAhead = true;
    click("Command15");  // delete entry 2 of 3
    EXPECT_EQ(drugOf(), "1 of 2");
    EXPECT_EQ(text("Text26"), "Drug 1");
    EXPECT_EQ(editor->library().Drug[2].DrugName, "Drug 3");
    EXPECT_EQ(editor->library().Drug[3], DrugEntry{});
    click("Command15");  // delete entry 1 of 2
    EXPECT_EQ(drugOf(), "1 of 1");
    EXPECT_EQ(text("Text26"), "Drug 3");
    click("Command15");  // delete the only entry
    EXPECT_EQ(drugOf(), "1 of 1");
    EXPECT_EQ(text("Text26"), "");
    EXPECT_TRUE(modified());
    EXPECT_TRUE(editor->NewDrugPending());
    EXPECT_EQ(editor->library().Drug[1], DrugEntry{});
    click("Command15");  // a new entry holds nothing stored: nothing is asked
    EXPECT_EQ(asked.size(), 4u);
}

TEST_F(UsEditorTest, DeleteOnAPendingEntryActsAsCancel) {
    newLibrary();
    ASSERT_EQ(enter(validPage()), Texts{"Drug Updated"});
    click("Command13");
    type("Text26", "typed");
    click("Command15");
    EXPECT_EQ(drugOf(), "1 of 1");
    EXPECT_FALSE(modified());
    EXPECT_EQ(editor->library().DrugCount, 1);
}

TEST_F(UsEditorTest, Entry128IsTheLast) {
    UsDrugLibrary library;
    library.DrugCount = 128;
    for (int i = 1; i <= 128; ++i) library.Drug[i].DrugName = "D" + std::to_string(i);
    folder.write("full.tv1", writeTv1(library, "full"));
    openFile("full.tv1");
    click("Command3");
    for (int i = 1; i < 128; ++i) click("Command13");
    EXPECT_EQ(drugOf(), "128 of 128");
    EXPECT_FALSE((*this)["Command13"].enabled);
    click("Command15");
    EXPECT_EQ(drugOf(), "127 of 127");
    EXPECT_EQ(editor->library().Drug[128], DrugEntry{});
    EXPECT_EQ(editor->library().Drug[129], DrugEntry{});
}

// ---- the pickers -----------------------------------------------------------------

TEST_F(UsEditorTest, ConcentrationUnitsRefillTheDoseUnits) {
    newLibrary();
    fill(validPage());
    ASSERT_EQ(ok(), Texts{"Drug Updated"});
    pick("Combo2", "MU/ML");
    EXPECT_EQ(text("Text27"), "");
    EXPECT_EQ((*this)["Combo1"].items.front(), "MU/KG/MIN");
    EXPECT_EQ((*this)["Combo1"].items.size(), 8u);
    EXPECT_EQ((*this)["Combo1"].selected, -1);
    EXPECT_EQ(text("Label4"), "MU/ML");
    EXPECT_EQ(text("Text28"), "5");  // the dose-unit handler did not run
    EXPECT_TRUE(modified());

    pick("Combo1", "U/HR");
    for (const char* box : {"Text28", "Text31", "Text32", "Text34", "Text35", "Text36", "Text39", "Text40", "Text41",
                            "Text42"})
        EXPECT_EQ(text(box), "") << box;
    for (const char* label : {"Label7", "Label9", "Label21", "Label23", "Label25"}) EXPECT_EQ(text(label), "U/HR");
    for (const char* label : {"Label28", "Label35", "Label38", "Label40", "Label42"}) EXPECT_EQ(text(label), "U");
}

TEST_F(UsEditorTest, BolusUnitCaptionFollowsModeAndDoseUnits) {
    newLibrary();
    pick("Combo2", "MG/ML");
    pick("Combo3", "VOLUME");
    EXPECT_EQ(text("Label28"), "ML");
    pick("Combo3", "WEIGHT");
    EXPECT_EQ(text("Label28"), "ML");  // no dose units yet: left as it was
    for (const auto& [dose, caption] : std::vector<std::pair<std::string, std::string>>{
             {"MCG/KG/MIN", "MCG/KG"}, {"MG/KG/HR", "MG/KG"}, {"MCG/HR", "MCG"}, {"MG/MIN", "MG"}}) {
        pick("Combo1", dose);
        EXPECT_EQ(text("Label28"), caption) << dose;
        EXPECT_EQ(text("Label42"), caption) << dose;
    }
    pick("Combo3", "VOLUME");
    EXPECT_EQ(text("Label35"), "ML");
    pick("Combo3", "");
    EXPECT_EQ(text("Label40"), "");
}

TEST_F(UsEditorTest, OnlyOneOfBolusTimeAndBolusRateIsShown) {
    newLibrary();
    pick("Combo4", "NOTIME");
    type("Text38", "25");
    EXPECT_TRUE((*this)["Text38"].visible);
    EXPECT_FALSE((*this)["Text37"].visible);
    pick("Combo4", "SS");
    EXPECT_FALSE((*this)["Text38"].visible);
    EXPECT_FALSE((*this)["Label30"].visible);
    EXPECT_TRUE((*this)["Text37"].visible);
    EXPECT_EQ(text("Label32"), "SS");
    EXPECT_EQ(text("Text37"), "");
    pick("Combo4", "NOTIME");
    EXPECT_EQ(text("Text38"), "25");
    EXPECT_TRUE((*this)["Label33"].visible);
}

TEST_F(UsEditorTest, AStoredUnitOutsideItsListShowsThePickerUnchosen) {
    UsDrugLibrary library;
    library.DrugCount = 1;
    library.Drug[1].DrugName = "Odd";
    library.Drug[1].ConcUnits = "MG/ML";
    library.Drug[1].DoseUnits = "U/HR";  // of the other family
    library.Drug[1].BolusTimeUnits = "DAYS";
    folder.write("odd.tv1", writeTv1(library, "odd"));
    openFile("odd.tv1");
    click("Command3");
    EXPECT_EQ((*this)["Combo2"].selectedText(), "MG/ML");
    EXPECT_EQ((*this)["Combo1"].selected, -1);
    EXPECT_EQ((*this)["Combo4"].selected, -1);
    EXPECT_FALSE(modified());
}

// ---- open and save --------------------------------------------------------------------

TEST_F(UsEditorTest, SaveThenOpenGivesTheSameLibrary) {
    click("Command12");
    type("Text2", "Surgery ");
    click("Command4");
    click("Command3");
    ASSERT_EQ(enter(validPage()), Texts{"Drug Updated"});
    click("Command13");
    ASSERT_EQ(enter(with(validPage(), {{"Text26", "Insulin"}, {"Combo2", "U/ML"}, {"Combo1", "U/HR"},
                                       {"Combo4", "HH:MM"}, {"Text37", "1:30"}})),
              Texts{"Drug Updated"});
    const UsDrugLibrary before = editor->library();
    save("Night shift");
    EXPECT_EQ(editor->visiblePage(), 1);
    EXPECT_TRUE(folder.read("Night shift.tv1").ends_with("\r\nTYPE=FINISHDRUGLIBRARY,NAME=Night shift\r\n"));

    click("Command12");
    EXPECT_EQ(editor->library().DrugCount, 0);
    openFile("Night shift.tv1");
    EXPECT_EQ(editor->visiblePage(), 2);
    EXPECT_EQ(text("Label12"), "");
    EXPECT_EQ(editor->library(), before);
}

TEST_F(UsEditorTest, SavingUnderAnExistingNameWritesNothing) {
    folder.write("old.tv1", "keep");
    newLibrary();
    ASSERT_EQ(enter(validPage()), Texts{"Drug Updated"});
    save("old");
    EXPECT_EQ(editor->visiblePage(), 4);
    EXPECT_EQ(text("Label76"), "The Macro with name old alredy exist. Please enter another Macro name");
    EXPECT_EQ(folder.read("old.tv1"), "keep");
    type("Text29", "a/b");
    click("Command11");
    EXPECT_EQ(editor->visiblePage(), 4);
    EXPECT_NE(text("Label76"), "");
}

TEST_F(UsEditorTest, ARefusedFileStaysOnTheOpenPageWithItsMessage) {
    folder.write("bad.tv1", "TYPE=STARTDRUGLIBRARY \r\n");
    openFile("bad.tv1");
    EXPECT_EQ(editor->visiblePage(), 1);
    EXPECT_EQ(text("Label12"), "File bad.tv1 can not be open as corrupted or for newer creator version");
    click("Command12");
    EXPECT_EQ(text("Label12"), "");
    EXPECT_EQ(editor->visiblePage(), 2);
}

TEST_F(UsEditorTest, ALongDrugNameFromAFileStaysWholeUntilOk) {
    UsDrugLibrary library;
    library.DrugCount = 1;
    library.Drug[1].DrugName = std::string(30, 'n');
    folder.write("n.tv1", writeTv1(library, "n"));
    openFile("n.tv1");
    click("Command3");
    EXPECT_EQ(text("Text26"), std::string(30, 'n'));
    type("Text26", std::string(29, 'n'));  // deleting one character is fine
    EXPECT_EQ(text("Text26"), std::string(29, 'n'));
    type("Text26", std::string(31, 'n'));  // but the text does not grow
    EXPECT_EQ(text("Text26"), std::string(29, 'n'));
}

}  // namespace
}  // namespace mc::druglib_us
