// The US editor driven through its model as a technician drives its window.

#include <gtest/gtest.h>

#include "druglib_us/core/orrx_usa_editor.hpp"
#include "druglib_us/core/tv1_file.hpp"
#include "support/model_driver.hpp"
#include "support/passing_pages.hpp"
#include "support/temp_folder.hpp"

namespace mc::druglib_us {
namespace {

using Texts = std::vector<std::string>;

class UsEditor : public ::testing::Test {
protected:
    testing::TempFolder folder;
    OrrxUsaEditor editor{folder.path(), NumberFormat{}};
    testing::ModelDriver page{editor};

    // After pressing `button`: "1 of 3 Heparin", the drug's number, the count and its name.
    std::string after(const std::string& button) {
        page.click(button);
        return page.shown("Label1") + " of " + page.shown("Label14") + " " + page.shown("Text26");
    }
    bool modified() const { return page["Command9"].enabled; }
    Texts ok() {
        page.click("Command9");
        return page.messages("Label74");
    }
    // Types a drug that passes every rule, each list picked before the boxes it empties.
    void typeDrug(const std::string& name) { page.set(testing::passingUsDrug(name)); }
    // A new library of the one drug "D1", shown.
    void newDrug() {
        page.act({"Command12", "Command3"});
        typeDrug("D1");
        ASSERT_EQ(ok(), Texts{"Drug Updated"});
    }
    void open(const std::string& name, const std::string& bytes) {
        folder.write(name, bytes);
        editor.setWorkingDirectory(folder.path());  // the lists are read again
        page.act({"File1=" + name, "Command1"});
    }
};

// A file the reader refuses is named. An entry from a file shows only what
// the page can show: 20 characters in the department boxes, but the whole name
// on the check boxes; no units of another family; 24 departments; up to 128 entries.
TEST_F(UsEditor, EntriesFromAFileShowOnlyWhatThePageCanShow) {
    open("bad.tv1", "TYPE=STARTDRUGLIBRARY \r\n");
    EXPECT_EQ(page.shown("Label12"), "File bad.tv1 can not be open as corrupted or for newer creator version");
    UsDrugLibrary library;
    library.DepartmentName[24] = "Cardiology Intensive Care 1234";
    library.DrugCount = 128;
    // Dose units of the other family, bolus time units the list lacks, departments beyond 24.
    library.Drug[1] = {std::string(30, 'n'), 0, 0, "MG/ML", "", "U/HR", "", "", "", "", "", "", "", "DAYS", "", "", "", "",
                       "", "", -1};
    open("full.tv1", writeTv1(library, "x"));
    EXPECT_EQ(page.shown("Text24"), "Cardiology Intensive");
    page.click("Command3");
    EXPECT_EQ(page.shown("Combo2") + "|" + page.shown("Combo1") + "|" + page.shown("Combo4"), "MG/ML||");
    EXPECT_EQ(page["Check24"].text, "Cardiology Intensive Care 1234");
    EXPECT_TRUE(page["Check24"].checked);
    EXPECT_FALSE(modified());
    page.type("Text26", std::string(31, 'n'));  // a longer name from a file stays whole but grows no more
    EXPECT_EQ(page.shown("Text26"), std::string(30, 'n'));
    page.click("Command8");
    for (int i = 1; i < 127; ++i) page.click("Command13");
    EXPECT_EQ(after("Command13"), "128 of 128 ");
    EXPECT_FALSE(page["Command13"].enabled);
    EXPECT_EQ(after("Command15"), "127 of 127 ");
    EXPECT_EQ(editor.library().Drug[128], DrugEntry{});
    page.act({"Command7", "Text1=" + std::string(21, 'a'), "Command4"});
    EXPECT_EQ(editor.library().DepartmentName[1] + editor.library().DepartmentName[24],
              std::string(20, 'a') + "Cardiology Intensive");
}

// A new entry counts at once; only OK, Cancel or Delete leave it, and the
// library never gets below one entry. Delete asks before it drops a stored
// entry and shifts the later ones down.
TEST_F(UsEditor, EntriesComeWithNextAndGoWithCancelOrDelete) {
    page.click("Command12");
    EXPECT_EQ(after("Command3"), "1 of 1 ");
    EXPECT_EQ(page.shown("Text25") + page.shown("Text33"), "00");
    EXPECT_TRUE(modified() && editor.NewDrugPending());
    EXPECT_TRUE(page["Command15"].enabled);
    page.click("Command8");  // the only entry stays new
    EXPECT_TRUE(modified() && editor.NewDrugPending());
    for (int i = 1; i <= 3; ++i) {
        if (i > 1) page.click("Command13");
        typeDrug("D" + std::to_string(i));
        ASSERT_EQ(ok(), Texts{"Drug Updated"});
    }
    EXPECT_FALSE(modified() || editor.NewDrugPending());
    EXPECT_EQ(after("Command13"), "4 of 4 ");
    EXPECT_EQ(after("Command8"), "3 of 3 D3");
    page.act({"Command14", "Text26=changed"});
    EXPECT_EQ(after("Command8"), "2 of 3 D2");
    EXPECT_FALSE(modified());

    Texts asked;
    bool goAhead = false;
    editor.askWith([&](const Question& question) {
        asked.push_back(question.text + " [" + question.goAhead + "]");
        return goAhead;
    });
    EXPECT_EQ(after("Command15"), "2 of 3 D2");
    EXPECT_EQ(asked, Texts{"Delete entry 2 (D2)? [Delete]"});
    goAhead = true;
    EXPECT_EQ(after("Command15"), "1 of 2 D1");
    EXPECT_EQ(editor.library().Drug[2].DrugName + "|" + editor.library().Drug[3].DrugName, "D3|");
    page.click("Command15");
    EXPECT_EQ(after("Command15"), "1 of 1 ");  // the only entry: an empty new one takes its place
    EXPECT_TRUE(modified() && editor.NewDrugPending());
    page.click("Command15");  // nothing stored to lose: nothing asked
    EXPECT_EQ(asked.size(), 4u);
    typeDrug("A");
    ASSERT_EQ(ok(), Texts{"Drug Updated"});
    page.click("Command13");
    EXPECT_EQ(after("Command15"), "1 of 1 A");  // on a new entry, as Cancel
    EXPECT_FALSE(modified() || page["Command14"].enabled);
}

TEST_F(UsEditor, ListsEmptyTheBoxesAfterThemAndSetTheUnits) {
    newDrug();
    page.pick("Combo2", "MU/ML");
    EXPECT_EQ(page.shown("Text27") + page.shown("Combo1") + page.shown("Label4"), "MU/ML");
    EXPECT_EQ(page["Combo1"].items, (Texts{"MU/KG/MIN", "MU/KG/HR", "U/KG/MIN", "U/KG/HR", "MU/MIN", "MU/HR",
                                           "U/MIN", "U/HR"}));
    EXPECT_EQ(page.shown("Text28") + page.shown("Label7"), "5MCG/KG/MIN");  // until dose units are picked
    page.pick("Combo1", "U/HR");
    // The dose boxes and their units, then the bolus boxes and theirs.
    std::string shown;
    for (const char* name : {"Text28", "Label7", "Text31", "Label9", "Text32", "Label21", "Text34", "Label23", "Text35",
                             "Label25", "Text36", "Label28", "Text39", "Label35", "Text40", "Label38", "Text41",
                             "Label40", "Text42", "Label42"})
        shown += page.shown(name) + "|";
    EXPECT_EQ(shown, "|U/HR||U/HR||U/HR||U/HR||U/HR||U||U||U||U||U|");
    page.set({{"Combo3", "VOLUME"}});
    EXPECT_EQ(page.shown("Label42"), "ML");
    page.set({{"Combo3", ""}});
    EXPECT_EQ(page.shown("Label28"), "");
    page.set({{"Combo3", "WEIGHT"}, {"Combo1", "MU/KG/MIN"}, {"Combo2", "MG/ML"}, {"Combo3", "WEIGHT"}});
    EXPECT_EQ(page.shown("Label38"), "MU/KG");  // without dose units the bolus unit stays as it was

    // Other bolus time units empty the time, not the rate, which comes back with "NOTIME".
    page.set({{"Combo4", "NOTIME"}, {"Text38", "25"}, {"Combo4", "MM"}});
    EXPECT_FALSE(page["Text38"].visible || page["Label30"].visible || page["Label33"].visible);
    EXPECT_EQ(page.shown("Label32") + page.shown("Text37"), "MM");
    page.set({{"Combo4", "NOTIME"}});
    EXPECT_EQ(page.shown("Text38") + page.shown("Label33"), "25ML/HR");

    page.act({"Command8", "Command13"});  // a new entry keeps the dose units list of the entry before
    EXPECT_EQ(page.shown("Combo2") + page.shown("Combo1") + page["Combo1"].items.at(0), "MCG/KG/MIN");
}

// Each message marks its field, "Concentration units" and not "Concentration",
// until the field changes; the entry is stored as typed, the weights whole.
TEST_F(UsEditor, OkMarksTheFieldsOfItsMessagesOrStoresTheEntryAsTyped) {
    newDrug();
    page.set({{"Combo2", ""}, {"Text33", "300"}, {"Check1", ""}});
    EXPECT_EQ(ok(), (Texts{"Patient Weight Upper Soft Limit must be less than 250 kg",
                           "Concentration units must be specified", "Dose Units must be specified",
                           "At list one Department must be enabled"}));
    EXPECT_EQ(page.marked(), (Texts{"Combo1", "Combo2", "Text33"}));
    page.set({{"Combo2", "MG/ML"}, {"Combo1", "MG/HR"}});
    EXPECT_EQ(page.marked(), Texts{"Text33"});
    typeDrug("D1");
    page.set({{"Text27", "0"}});
    EXPECT_EQ(ok(), Texts{"Concentration must be more then zero"});
    EXPECT_EQ(page.marked(), Texts{"Text27"});

    // The bolus time typed for "SS" stays, hidden, beside the rate of "NOTIME"; Save writes the one in use.
    page.set({{"Text25", "70.0"}, {"Text27", " 5.50 "}, {"Check24", "1"}, {"Combo4", "NOTIME"}, {"Text38", "25"}});
    ASSERT_EQ(ok(), Texts{"Drug Updated"});
    EXPECT_EQ(page.marked(), Texts{});
    EXPECT_EQ(page.shown("Text25") + "|" + page.shown("Text27"), "70| 5.50 ");
    EXPECT_EQ(editor.library().Drug[1].DrugDepartments, 1 | 1 << 23);
    page.act({"Command10", "Text29=Night", "Command11"});
    EXPECT_NE(folder.read("Night.tv1").find(",BTU=NOTIME,BR=25,BDLS=1,"), std::string::npos) << page.shown("Label76");
}

TEST(DrugPageReview, ShowsTheShownFieldsWithTheirUnits) {
    UsDrugLibrary library;
    library.DrugCount = 1;
    library.Drug[1] = {"Insulin", 40, 120, "U/ML", "100", "U/HR", "0.5", "2", "0.1", "5", "1", "VOLUME", "2.5",
                       "NOTIME", "12.5", "0:30", "1", "3", "0", "5", 5 | 1 << 23};
    const auto shown = [](const DrugPage& page) {
        std::string text;
        for (const auto& [caption, value] : shownFields(page)) text += caption + "=" + value + ";";
        return text;
    };
    EXPECT_EQ(shown(shownEntry(library, 1)),
              "Drug Name=Insulin;Patient Weight Lower Soft Limit=40 kg;PatientWeight Upper Soft Limit=120 kg;"
              "Concentration units=U/ML;Concentration=100 U/ML;Dose Units=U/HR;Dose Rate Initial Value=1 U/HR;"
              "Dose Rate Lower Soft Limit=0.5 U/HR;Dose Rate Upper Soft Limit=2 U/HR;"
              "Dose Rate Lower Hard Limit=0.1 U/HR;Dose Rate Upper Hard Limit=5 U/HR;Bolus Mode=VOLUME;"
              "Bolus Initial Value=2.5 ML;Bulus  Time Units=NOTIME;Bolus Rate=12.5 ML/HR;"
              "Bolus Dose Lower Soft Limit=1 ML;Bolus Dose Upper Soft Limit=3 ML;Bolus Dose Lower Hard Limit=0 ML;"
              "Bolus Dose Upper Hard Limit=5 ML;Departments=1, 3, 24;");
    // An empty value has no unit and no blank; without bolus time units the time row shows.
    const std::string empty = shown(newEntryPage());
    EXPECT_TRUE(empty.find(";Concentration=;") != std::string::npos &&
                empty.find(";Bolus Time Initial Value=;") != std::string::npos && empty.ends_with(";Departments=none;"))
        << empty;
}

}  // namespace
}  // namespace mc::druglib_us
