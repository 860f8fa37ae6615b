// The US editor driven through its model as a technician drives its window.

#include <gtest/gtest.h>

#include "druglib_us/core/orrx_usa_editor.hpp"
#include "druglib_us/core/tv1_file.hpp"
#include "support/model_driver.hpp"
#include "support/temp_folder.hpp"

namespace mc::druglib_us {
namespace {

using Texts = std::vector<std::string>;

class UsEditor : public ::testing::Test {
protected:
    testing::TempFolder folder;
    OrrxUsaEditor editor{folder.path(), NumberFormat{}};
    testing::ModelDriver page{editor};

    // "1 of 3 Heparin": the drug's number, the count and its name.
    std::string drugOf() const {
        return page.shown("Label1") + " of " + page.shown("Label14") + " " + page.shown("Text26");
    }
    bool modified() const { return page["Command9"].enabled; }
    Texts ok() {
        page.click("Command9");
        return page.messages("Label74");
    }
    // Types a drug that passes every rule, each list picked before the boxes it empties.
    void typeDrug(const std::string& name) {
        page.set({{"Text26", name}, {"Text25", "10"}, {"Text33", "100"}, {"Combo2", "MG/ML"}, {"Text27", "5"},
                  {"Combo1", "MCG/KG/MIN"}, {"Text28", "5"}, {"Text31", "2"}, {"Text32", "10"}, {"Text34", "1"},
                  {"Text35", "20"}, {"Combo3", "WEIGHT"}, {"Text36", "1"}, {"Text39", "1"}, {"Text40", "2"},
                  {"Text41", "0.5"}, {"Text42", "3"}, {"Combo4", "SS"}, {"Text37", "30"}, {"Check1", "1"}});
    }
    // A new library of drugs "D1".."Dn"; drug n is shown.
    void newDrugs(int n) {
        page.click("Command12");
        page.click("Command3");
        for (int i = 1; i <= n; ++i) {
            if (i > 1) page.click("Command13");
            typeDrug("D" + std::to_string(i));
            ASSERT_EQ(ok(), Texts{"Drug Updated"});
        }
    }
    void open(const std::string& name, const std::string& bytes) {
        folder.write(name, bytes);
        editor.setWorkingDirectory(folder.path());  // the lists are read again
        page.pick("File1", name);
        page.click("Command1");
    }
    Texts marked() const {
        Texts fields;
        for (const PageField& field : drugEntryPageTable())
            if (page[field.control].error) fields.push_back(field.control);
        return fields;
    }
};

// The 24 boxes take 20 characters; the check boxes show a longer name from a file whole.
TEST_F(UsEditor, DepartmentNamesCaptionTheDrugPageWhole) {
    UsDrugLibrary library;
    library.DepartmentName[24] = "Cardiology Intensive Care 1234";
    library.DrugCount = 1;
    library.Drug[1].DrugName = std::string(30, 'n');
    open("long.tv1", writeTv1(library, "x"));
    EXPECT_EQ(page.shown("Text24"), "Cardiology Intensive");
    page.click("Command3");
    EXPECT_EQ(page["Check24"].text, "Cardiology Intensive Care 1234");
    page.type("Text26", std::string(31, 'n'));  // a longer name from a file stays whole but grows no more
    EXPECT_EQ(page.shown("Text26"), std::string(30, 'n'));
    page.click("Command8");
    page.click("Command7");
    page.type("Text1", std::string(21, 'a'));
    page.click("Command4");
    EXPECT_EQ(page.shown("Label36"), "Departments list Updated");
    EXPECT_EQ(editor.library().DepartmentName[1], std::string(20, 'a'));
    EXPECT_EQ(editor.library().DepartmentName[24], "Cardiology Intensive");
}

TEST_F(UsEditor, NewEntriesCountAtOnceAndOnlyOkCancelOrDeleteLeaveThem) {
    page.click("Command12");
    page.click("Command3");
    EXPECT_EQ(drugOf() + page.shown("Text25") + page.shown("Text33"), "1 of 1 00");
    EXPECT_TRUE(modified() && editor.NewDrugPending());
    EXPECT_EQ(page.shown("Label74"), "");
    EXPECT_FALSE(page["Command7"].enabled || page["Command10"].enabled || !page["Command15"].enabled);
    page.click("Command8");  // the only entry stays new
    EXPECT_TRUE(modified() && editor.NewDrugPending());
    typeDrug("D1");
    ASSERT_EQ(ok(), Texts{"Drug Updated"});
    EXPECT_FALSE(modified() || editor.NewDrugPending() || page["Command14"].enabled);
    for (int i = 2; i <= 3; ++i) {
        page.click("Command13");
        typeDrug("D" + std::to_string(i));
        ASSERT_EQ(ok(), Texts{"Drug Updated"});
    }
    page.click("Command13");
    EXPECT_EQ(drugOf(), "4 of 4 ");
    page.click("Command8");
    EXPECT_EQ(drugOf(), "3 of 3 D3");
    page.click("Command14");
    page.type("Text26", "changed");
    page.click("Command8");
    EXPECT_EQ(drugOf(), "2 of 3 D2");
    EXPECT_FALSE(modified());
}

TEST_F(UsEditor, DeleteAsksThenShiftsTheLaterEntriesDown) {
    newDrugs(3);
    page.click("Command14");
    Texts asked;
    bool goAhead = false;
    editor.askWith([&](const Question& question) {
        asked.push_back(question.text + " [" + question.goAhead + "]");
        return goAhead;
    });
    page.click("Command15");
    EXPECT_EQ(asked, Texts{"Delete entry 2 (D2)? [Delete]"});
    EXPECT_EQ(drugOf(), "2 of 3 D2");
    goAhead = true;
    page.click("Command15");
    EXPECT_EQ(drugOf(), "1 of 2 D1");
    EXPECT_EQ(editor.library().Drug[2].DrugName, "D3");
    EXPECT_EQ(editor.library().Drug[3], DrugEntry{});
    page.click("Command15");
    page.click("Command15");  // the only entry: an empty new one takes its place
    EXPECT_EQ(drugOf(), "1 of 1 ");
    EXPECT_TRUE(modified() && editor.NewDrugPending());
    page.click("Command15");  // nothing stored to lose: nothing asked
    EXPECT_EQ(asked.size(), 4u);
    typeDrug("A");
    ASSERT_EQ(ok(), Texts{"Drug Updated"});
    page.click("Command13");
    page.click("Command15");  // on a new entry, as Cancel
    EXPECT_EQ(drugOf(), "1 of 1 A");
    EXPECT_FALSE(modified());
}

TEST_F(UsEditor, EntriesFromAFileShowOnlyWhatThePageCanShowUpTo128) {
    UsDrugLibrary library;
    library.DrugCount = 128;
    library.Drug[1].ConcUnits = "MG/ML";
    library.Drug[1].DoseUnits = "U/HR";  // of the other family
    library.Drug[1].BolusTimeUnits = "DAYS";
    library.Drug[1].DrugDepartments = -1;  // the page has 24 departments
    open("full.tv1", writeTv1(library, "x"));
    page.click("Command3");
    EXPECT_EQ(page.shown("Combo2") + "|" + page.shown("Combo1") + "|" + page.shown("Combo4"), "MG/ML||");
    EXPECT_TRUE(page["Check24"].checked);
    EXPECT_FALSE(modified());
    for (int i = 1; i < 128; ++i) page.click("Command13");
    EXPECT_EQ(drugOf(), "128 of 128 ");
    EXPECT_FALSE(page["Command13"].enabled);
    page.click("Command15");
    EXPECT_EQ(drugOf(), "127 of 127 ");
    EXPECT_EQ(editor.library().Drug[128], DrugEntry{});
}

TEST_F(UsEditor, ListsEmptyTheBoxesAfterThemAndSetTheUnits) {
    newDrugs(1);
    page.pick("Combo2", "MU/ML");
    EXPECT_EQ(page.shown("Text27") + page.shown("Combo1") + page.shown("Label4"), "MU/ML");
    EXPECT_EQ(page["Combo1"].items, (Texts{"MU/KG/MIN", "MU/KG/HR", "U/KG/MIN", "U/KG/HR", "MU/MIN", "MU/HR",
                                           "U/MIN", "U/HR"}));
    EXPECT_EQ(page.shown("Text28") + page.shown("Label7"), "5MCG/KG/MIN");  // until dose units are picked
    page.pick("Combo1", "U/HR");
    for (const char* box : {"Text28", "Text31", "Text32", "Text34", "Text35", "Text36", "Text39", "Text40", "Text41",
                            "Text42"})
        EXPECT_EQ(page.shown(box), "") << box;
    for (const char* label : {"Label7", "Label9", "Label21", "Label23", "Label25"})
        EXPECT_EQ(page.shown(label), "U/HR");
    for (const char* label : {"Label28", "Label35", "Label38", "Label40", "Label42"})
        EXPECT_EQ(page.shown(label), "U");
    page.set({{"Combo3", "VOLUME"}});
    EXPECT_EQ(page.shown("Label42"), "ML");
    page.set({{"Combo3", ""}});
    EXPECT_EQ(page.shown("Label28"), "");
    page.set({{"Combo3", "WEIGHT"}, {"Combo1", "MU/KG/MIN"}, {"Combo2", "MG/ML"}, {"Combo3", "WEIGHT"}});
    EXPECT_EQ(page.shown("Label38"), "MU/KG");  // without dose units the bolus unit stays as it was

    page.set({{"Combo4", "NOTIME"}, {"Text38", "25"}});
    EXPECT_FALSE(page["Text37"].visible || page["Label31"].visible || page["Label32"].visible);
    page.set({{"Combo4", "MM"}});
    EXPECT_FALSE(page["Text38"].visible || page["Label30"].visible || page["Label33"].visible);
    EXPECT_EQ(page.shown("Label32") + page.shown("Text37"), "MM");
    page.set({{"Combo4", "NOTIME"}});
    EXPECT_EQ(page.shown("Text38") + page.shown("Label33"), "25ML/HR");

    page.click("Command8");
    page.click("Command13");  // a new entry keeps the dose units list of the entry before
    EXPECT_EQ(page.shown("Combo2") + page.shown("Combo1"), "");
    EXPECT_EQ(page["Combo1"].items.at(0), "MCG/KG/MIN");
}

TEST_F(UsEditor, OkMarksTheFieldsOfItsMessagesOrStoresTheEntryAsTyped) {
    newDrugs(1);
    page.set({{"Combo2", ""}, {"Text33", "300"}, {"Check1", ""}});
    EXPECT_EQ(ok(), (Texts{"Patient Weight Upper Soft Limit must be less than 250 kg",
                           "Concentration units must be specified", "Dose Units must be specified",
                           "At list one Department must be enabled"}));
    EXPECT_EQ(marked(), (Texts{"Text33", "Combo2", "Combo1"}));  // not "Concentration"
    page.set({{"Combo2", "MG/ML"}, {"Combo1", "MG/HR"}});
    EXPECT_EQ(marked(), Texts{"Text33"});  // until it changes
    typeDrug("D1");
    page.set({{"Text27", "0"}});
    EXPECT_EQ(ok(), Texts{"Concentration must be more then zero"});
    EXPECT_EQ(marked(), Texts{"Text27"});

    page.set({{"Text25", "70.0"}, {"Text27", " 5.50 "}, {"Check3", "1"}, {"Combo4", "NOTIME"}, {"Text38", "12.5"},
              {"Combo4", "MM"}, {"Text37", "5"}});
    ASSERT_EQ(ok(), Texts{"Drug Updated"});
    EXPECT_EQ(marked(), Texts{});
    EXPECT_EQ(page.shown("Text25"), "70");
    const DrugEntry& e = editor.library().Drug[1];
    EXPECT_EQ(e.Concentration + "|" + e.BolusRate + "|" + e.BolusTime, " 5.50 |12.5|5");  // the hidden one too
    EXPECT_EQ(e.WeightLowerSoft + e.DrugDepartments, 70 + 0b101);
}

TEST_F(UsEditor, SaveWritesWhatOpenReadsBack) {
    open("bad.tv1", "TYPE=STARTDRUGLIBRARY \r\n");
    EXPECT_EQ(page.shown("Label12"), "File bad.tv1 can not be open as corrupted or for newer creator version");
    newDrugs(2);
    const UsDrugLibrary before = editor.library();
    page.click("Command10");
    page.type("Text29", "Night shift");
    page.click("Command11");
    EXPECT_TRUE(folder.read("Night shift.tv1").ends_with("\r\nTYPE=FINISHDRUGLIBRARY,NAME=Night shift\r\n"));
    open("Night shift.tv1", folder.read("Night shift.tv1"));
    EXPECT_EQ(editor.library(), before);
}

TEST(DrugPageReview, ShowsTheShownFieldsWithTheirUnits) {
    UsDrugLibrary library;
    library.DrugCount = 1;
    library.Drug[1] = {"Insulin", 40, 120, "U/ML", "100", "U/HR", "0.5", "2", "0.1", "5", "1", "VOLUME", "2.5",
                       "NOTIME", "12.5", "0:30", "1", "3", "0", "5", 5};
    using Pairs = std::vector<std::pair<std::string, std::string>>;
    EXPECT_EQ(shownFields(shownEntry(library, 1)),
              (Pairs{{"Drug Name", "Insulin"}, {"Patient Weight Lower Soft Limit", "40 kg"},
                     {"PatientWeight Upper Soft Limit", "120 kg"}, {"Concentration units", "U/ML"},
                     {"Concentration", "100 U/ML"}, {"Dose Units", "U/HR"}, {"Dose Rate Initial Value", "1 U/HR"},
                     {"Dose Rate Lower Soft Limit", "0.5 U/HR"}, {"Dose Rate Upper Soft Limit", "2 U/HR"},
                     {"Dose Rate Lower Hard Limit", "0.1 U/HR"}, {"Dose Rate Upper Hard Limit", "5 U/HR"},
                     {"Bolus Mode", "VOLUME"}, {"Bolus Initial Value", "2.5 ML"}, {"Bulus  Time Units", "NOTIME"},
                     {"Bolus Rate", "12.5 ML/HR"}, {"Bolus Dose Lower Soft Limit", "1 ML"},
                     {"Bolus Dose Upper Soft Limit", "3 ML"}, {"Bolus Dose Lower Hard Limit", "0 ML"},
                     {"Bolus Dose Upper Hard Limit", "5 ML"}, {"Departments", "1, 3"}}));
    const auto empty = shownFields(newEntryPage());
    EXPECT_EQ(empty[4], (std::pair<std::string, std::string>{"Concentration", ""}));  // no unit, no blank
    EXPECT_EQ(empty[14].first + "|" + empty.back().second, "Bolus Time Initial Value|none");
}

}  // namespace
}  // namespace mc::druglib_us
