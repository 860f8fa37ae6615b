#include <gtest/gtest.h>

#include <algorithm>

#include "druglib_dual/core/quelda036_editor.hpp"
#include "druglib_dual/core/quelda041_editor.hpp"
#include "druglib_dual/core/tm2_file.hpp"
#include "support/temp_folder.hpp"

namespace mc::druglib {
namespace {

// Drives an editor the way a technician does: by control names and shown texts.
template <typename Editor>
class EditorTest : public ::testing::Test {
protected:
    testing::TempFolder folder;
    NumberFormat numbers{'.'};
    std::unique_ptr<Editor> editor;

    void SetUp() override { load(); }
    void load() { editor = std::make_unique<Editor>(folder.path(), numbers); }

    const Control& operator[](const std::string& name) { return editor->form()[name]; }
    void type(const std::string& name, const std::string& text) { editor->textEdited(name, text); }
    void click(const std::string& name) { editor->click(name); }
    void pick(const std::string& name, const std::string& entry) {
        const auto& items = (*this)[name].items;
        const auto it = std::find(items.begin(), items.end(), entry);
        ASSERT_NE(it, items.end()) << entry << " not in " << name;
        editor->pick(name, static_cast<int>(it - items.begin()));
    }
    void open(const std::string& file) {
        const auto& items = (*this)["File1"].items;
        editor->pick("File1", static_cast<int>(std::find(items.begin(), items.end(), file) - items.begin()));
        click("Command1");
    }
    void newLibraryAtDrug(int n) {
        click("Command12");
        click("Command3");
        for (int i = 1; i < n; ++i) click("Command13");
    }
    void typeLimits(const std::string& concMin, const std::string& concMax, const std::string& doseMin,
                    const std::string& doseMax) {
        type("Text27", concMin);
        type("Text28", concMax);
        type("Text31", doseMin);
        type("Text32", doseMax);
    }
    std::string ok() {
        click("Command9");
        return (*this)["Label74"].text;
    }
    void save(const std::string& name) {
        click("Command10");
        type("Text29", name);
        click("Command11");
    }
    std::vector<std::string> shownLimits() {
        return {(*this)["Text27"].text, (*this)["Text28"].text, (*this)["Text31"].text, (*this)["Text32"].text};
    }
};

using Release041 = EditorTest<Quelda041Editor>;
using Release036 = EditorTest<Quelda036Editor>;
using Texts = std::vector<std::string>;

// ---- departments (shared by both releases) ------------------------------------

TEST_F(Release041, NewShowsEmptyDepartmentsAndAnEmptyFirstDrug) {
    click("Command12");
    for (int d = 1; d <= 25; ++d) EXPECT_EQ((*this)["Text" + std::to_string(d)].text, "");
    click("Command3");
    EXPECT_EQ((*this)["Label1"].text, "1");
    EXPECT_EQ((*this)["Text26"].text, "");
    EXPECT_EQ((*this)["Combo2"].selectedText(), "mg/mL");
    EXPECT_EQ((*this)["Combo3"].selectedText(), "mg");
    EXPECT_EQ((*this)["Combo1"].selectedText(), "mcg/kg/min");
    EXPECT_EQ(shownLimits(), (Texts{"0", "0", "0", "0"}));
    EXPECT_EQ((*this)["Label10"].text, "mcg/kg/min");
    EXPECT_FALSE((*this)["Command14"].enabled);
    EXPECT_TRUE((*this)["Command13"].enabled);
}

TEST_F(Release041, DepartmentNamesLoseTheirPaddingOnThePageOnly) {
    std::string file = writeTm2Release041(DrugLibrary{}, "Lib");
    file.replace(file.find("DEP:01=") + 7, 20, "  ICU               ");
    folder.write("padded.tm2", file);
    load();
    open("padded.tm2");
    EXPECT_EQ((*this)["Text1"].text, "  ICU");
    EXPECT_EQ(editor->library().DepartmentNames[1], "  ICU               ");
    type("Text2", "Cardio");
    EXPECT_FALSE((*this)["Command3"].enabled);
    click("Command4");
    EXPECT_EQ((*this)["Label36"].text, "Departments list Updated");
    EXPECT_EQ(editor->library().DepartmentNames[1], "  ICU");
    EXPECT_EQ(editor->library().DepartmentNames[2], "Cardio");
    type("Text2", "typo");
    click("Command5");
    EXPECT_EQ((*this)["Text2"].text, "Cardio");
    EXPECT_EQ((*this)["Label36"].text, "");
}

TEST_F(Release041, DepartmentNamesCaptionTheDrugCheckBoxes) {
    click("Command12");
    type("Text1", "ICU");
    type("Text24", "Oncology");
    type("Text25", "Spare");
    click("Command4");
    click("Command3");
    EXPECT_EQ((*this)["Check1"].text, "ICU");
    EXPECT_EQ((*this)["Check24"].text, "Oncology");
    EXPECT_FALSE(editor->form().has("Check25"));
}

// ---- release 041 drug page ------------------------------------------------------

TEST_F(Release041, MlOnlyHidesTheConcentrationAndStoresCodeE0PlusDose) {
    newLibraryAtDrug(1);
    pick("Combo2", "mL Only");
    for (const char* hidden : {"Label3", "Label4", "Label13", "Text27", "Text28", "Combo3", "Label8", "Label9"})
        EXPECT_FALSE((*this)[hidden].visible) << hidden;
    EXPECT_EQ((*this)["Combo1"].items, (Texts{"mL/kg/min", "mL/min", "mL/kg/hr", "mL/hr", "mL/kg/day", "mL/day"}));
    pick("Combo1", "mL/hr");
    type("Text31", "1");
    type("Text32", "5");
    EXPECT_EQ(ok(), "Drug Updated");
    EXPECT_EQ(editor->library().DrugUnitCodes[1], 0xE7u);
    EXPECT_EQ(editor->library().ConcMinCodes[1], 0u);
    EXPECT_EQ(editor->library().ConcMaxCodes[1], 0u);
    pick("Combo2", "mg/mL");
    EXPECT_TRUE((*this)["Text27"].visible);
}

TEST_F(Release041, ChangingAUnitEmptiesWhatDependsOnIt) {
    newLibraryAtDrug(1);
    pick("Combo2", "mcg/mL");
    EXPECT_EQ((*this)["Text27"].text, "");
    EXPECT_EQ((*this)["Text28"].text, "");
    EXPECT_EQ((*this)["Text31"].text, "0") << "the dose limits stay until the dose unit changes";
    EXPECT_EQ((*this)["Label8"].text, "mcg/mL");
    EXPECT_EQ((*this)["Combo3"].items, (Texts{"mcg", "mg"}));
    EXPECT_EQ((*this)["Combo3"].selected, -1);
    EXPECT_EQ((*this)["Combo1"].selected, -1);
    EXPECT_EQ((*this)["Label74"].text, "Please validate modifications with OK key");
    const std::string messages = ok();
    EXPECT_NE(messages.find("Drug Vial Units must be selected\r\n"), std::string::npos);
    EXPECT_NE(messages.find("Dose Units must be selected\r\n"), std::string::npos);

    pick("Combo1", "Ng/hr");
    EXPECT_EQ((*this)["Text31"].text, "");
    EXPECT_EQ((*this)["Text32"].text, "");
    EXPECT_EQ((*this)["Label10"].text, "Ng/hr");
    EXPECT_EQ((*this)["Label11"].text, "Ng/hr");
}

TEST_F(Release041, TheVialUnitAloneDoesNotMarkThePage) {
    newLibraryAtDrug(1);
    pick("Combo3", "g");
    EXPECT_TRUE((*this)["Command13"].enabled);
    EXPECT_EQ((*this)["Label74"].text, "");
    editor->toggle("Check5", true);
    EXPECT_FALSE((*this)["Command13"].enabled);
}

TEST_F(Release041, LimitsAreJudgedInTableOrder) {
    struct Case { Texts limits; std::string messages; };
    const Case cases[] = {
        {{"0", "0.01", "0", "2500"}, "Drug Updated"},
        {{"1.001", "1.0010", "0.001", "1000"}, "Drug Updated"},
        {{"0.005", "1000", "1", "1"}, "Concentration Minimum must be not less than 0.01\r\n"},
        {{"1", "1001", "1", "1"}, "Concentration Maximum must be not more than 1000\r\n"},
        {{"1", "1", "1", "2501"}, "Dose Maximum must be less than 2500\r\n"},
        {{"1", "1", "", "1"},
         "Dose Minimum must be valid value\r\n"
         "Dose Minimum must be number, up to three digits after decimal point\r\n"},
        {{"1", "1", "-1", "1"}, "Dose Minimum can not be negative\r\n"},
        {{"-1", "1", "1", "1"}, "Concentration Minimum must be not less than 0.01\r\n"},
        {{".0005", "1", "1", "1"}, "Concentration Minimum must be number, up to three digits after decimal point\r\n"},
        {{"x", "5", "9", "2"},
         "Concentration Minimum must be valid value\r\n"
         "Concentration Minimum must be number, up to three digits after decimal point\r\n"
         "Dose Minimum must be less or equal to Maximum\r\n"},
        {{"5", "2", "abc", "3000"},
         "Concentration Minimum must be less or equal to Maximum\r\n"
         "Dose Minimum must be valid value\r\n"
         "Dose Maximum must be less than 2500\r\n"
         "Dose Minimum must be number, up to three digits after decimal point\r\n"},
    };
    for (const Case& c : cases) {
        newLibraryAtDrug(1);
        typeLimits(c.limits[0], c.limits[1], c.limits[2], c.limits[3]);
        EXPECT_EQ(ok(), c.messages) << c.limits[0] << " " << c.limits[1] << " " << c.limits[2] << " " << c.limits[3];
    }
}

TEST_F(Release041, AFailedOkStoresNothing) {
    newLibraryAtDrug(3);
    type("Text26", "Heparin");
    typeLimits("1", "1", "5", "1");
    ok();
    EXPECT_EQ(editor->library().DrugNames[3], "");
    EXPECT_TRUE((*this)["Command9"].enabled);
    EXPECT_FALSE((*this)["Command13"].enabled);
}

TEST_F(Release041, LimitCodesAreStoredAndShownAgainUnchanged) {
    newLibraryAtDrug(2);
    type("Text26", "Dopamine");
    typeLimits("99.99", "999.9", "12.25", "1500");
    ASSERT_EQ(ok(), "Drug Updated");
    EXPECT_EQ(editor->library().ConcMinCodes[2], 18999u);
    EXPECT_EQ(editor->library().ConcMaxCodes[2], 27999u);
    EXPECT_EQ(editor->library().DoseMaxCodes[2], 28500u);
    EXPECT_EQ(shownLimits(), (Texts{"99.99", "999.9", "12.25", "1500"}));
}

TEST_F(Release041, TheRegionalSeparatorIsAccepted) {
    numbers = NumberFormat{','};
    load();
    newLibraryAtDrug(1);
    typeLimits("0,5", "1.5", "0", "2");
    ASSERT_EQ(ok(), "Drug Updated");
    EXPECT_EQ(editor->library().ConcMinCodes[1], 500u);
    EXPECT_EQ(editor->library().ConcMaxCodes[1], 1500u);
}

TEST_F(Release041, SteppingStopsAtTheFirstAndLastSlot) {
    newLibraryAtDrug(100);
    EXPECT_EQ((*this)["Label1"].text, "100");
    EXPECT_FALSE((*this)["Command13"].enabled);
    EXPECT_TRUE((*this)["Command14"].enabled);
    click("Command13");
    EXPECT_EQ(editor->ActiveDrug(), 100);
}

TEST_F(Release041, UnitCodesTheEditorNeverWritesShowNothingChosen) {
    DrugLibrary library;
    library.DrugUnitCodes[1] = 0x52;  // Units/mL has no second vial unit
    library.DrugUnitCodes[2] = 0x62;  // mUnits/mL uses odd dose indices only
    library.DrugUnitCodes[3] = 0x0C;  // dose index beyond the list
    folder.write("odd.tm2", writeTm2Release041(library, "Odd"));
    load();
    open("odd.tm2");
    click("Command3");
    EXPECT_EQ((*this)["Combo2"].selectedText(), "Units/mL");
    EXPECT_EQ((*this)["Combo3"].selected, -1);
    EXPECT_EQ((*this)["Combo1"].selectedText(), "mUnits/min");
    EXPECT_EQ(ok(), "") << "a clean page has nothing to confirm";
    editor->toggle("Check1", true);
    EXPECT_EQ(ok(), "Drug Vial Units must be selected\r\n");
    click("Command8");
    click("Command13");
    EXPECT_EQ((*this)["Combo1"].selected, -1);
    click("Command13");
    EXPECT_EQ((*this)["Combo2"].selectedText(), "mg/mL");
    EXPECT_EQ((*this)["Combo1"].selected, -1);
}

TEST_F(Release041, ALibraryMakesTheRoundTripThroughItsFile) {
    click("Command12");
    type("Text1", "ICU");
    type("Text3", "Surgery");
    type("Text25", "Spare");
    click("Command4");
    click("Command3");
    for (int i = 1; i < 7; ++i) click("Command13");
    type("Text26", "Morphine");
    pick("Combo2", "mg/mL");
    pick("Combo3", "mg");
    pick("Combo1", "mg/hr");
    typeLimits("1", "1", "0.5", "10");
    editor->toggle("Check1", true);
    editor->toggle("Check3", true);
    ASSERT_EQ(ok(), "Drug Updated");
    save("Lib");
    EXPECT_EQ(editor->visiblePage(), 1);
    const std::string file = folder.read("Lib.tm2");
    EXPECT_NE(file.find("D41:0007=Morphine      ,0703E803E801F42710000005101B\r\n"), std::string::npos) << file.substr(file.find("D41:0007"), 60);
    EXPECT_NE(file.find("LIBRARY=Lib        \r\n"), std::string::npos);

    load();
    open("Lib.tm2");
    EXPECT_EQ((*this)["Text3"].text, "Surgery");
    EXPECT_EQ((*this)["Text25"].text, "Spare");
    click("Command3");
    for (int i = 1; i < 7; ++i) click("Command13");
    EXPECT_EQ((*this)["Text26"].text, "Morphine");
    EXPECT_EQ((*this)["Combo1"].selectedText(), "mg/hr");
    EXPECT_EQ(shownLimits(), (Texts{"1", "1", "0.5", "10"}));
    EXPECT_TRUE((*this)["Check3"].checked);
    EXPECT_FALSE((*this)["Check2"].checked);
    EXPECT_EQ(editor->library().LibraryName, "Lib        ");
}

// ---- release 036 --------------------------------------------------------------------

TEST_F(Release036, AnEmptySlotShowsZerosAndTheFirstDoseUnit) {
    newLibraryAtDrug(1);
    EXPECT_EQ(shownLimits(), (Texts{"0", "0", "0", "0"}));
    EXPECT_EQ((*this)["Combo1"].selectedText(), "\xB5g/kg/min");
    EXPECT_EQ((*this)["Label8"].text, "mg/ml");
    EXPECT_EQ((*this)["Text26"].maxLength, 10);
    EXPECT_EQ((*this)["Text27"].maxLength, 0);
    EXPECT_FALSE(editor->form().has("Combo2"));
}

TEST_F(Release036, LimitsAreJudgedInHundredths) {
    struct Case { Texts limits; std::string messages; };
    const Case cases[] = {
        {{"0", "655.35", "0.01", "0.07"}, "Drug Updated"},
        {{"1.10", "400", "0", "0"}, "Drug Updated"},
        {{"0", "655.36", "0", "0"}, "Concentration Maximum must be less than 655.36\r\n"},
        {{"1.005", "2", "0", "0"}, "Concentration Minimum must be number, up to two digits after decimal point\r\n"},
        {{"0", "1", "-0.5", "0"}, "Dose Minimum can not be negative\r\n"},
        {{"1", "y", "5", "4"},
         "Concentration Maximum must be valid value\r\n"
         "Concentration Maximum must be number, up to two digits after decimal point\r\n"
         "Concentration Minimum must be less or equal to Maximum\r\n"
         "Dose Minimum must be less or equal to Maximum\r\n"},
    };
    for (const Case& c : cases) {
        newLibraryAtDrug(1);
        typeLimits(c.limits[0], c.limits[1], c.limits[2], c.limits[3]);
        EXPECT_EQ(ok(), c.messages) << c.limits[0] << " " << c.limits[1] << " " << c.limits[2] << " " << c.limits[3];
    }
}

TEST_F(Release036, ADrugMakesTheRoundTripThroughItsFile) {
    newLibraryAtDrug(1);
    type("Text26", "Morphine");
    type("Text27", "1.5");
    type("Text28", "2");
    pick("Combo1", "mg/h");
    EXPECT_EQ((*this)["Text31"].text, "");
    EXPECT_EQ((*this)["Label11"].text, "mg/h");
    type("Text31", "0.5");
    type("Text32", "10");
    editor->toggle("Check1", true);
    editor->toggle("Check3", true);
    ASSERT_EQ(ok(), "Drug Updated");
    click("Command13");
    typeLimits("400", "655.35", "0", "0");
    ASSERT_EQ(ok(), "Drug Updated");
    save("Old");
    const std::string file = folder.read("Old.tm2");
    EXPECT_NE(file.find("D36:0001=Morphine  ,03009600C8003203E8000005\r\n"), std::string::npos);
    EXPECT_EQ(file.find("LIBRARY="), std::string::npos);

    load();
    open("Old.tm2");
    click("Command3");
    EXPECT_EQ(shownLimits(), (Texts{"1.5", "2", "0.5", "10"}));
    EXPECT_EQ((*this)["Combo1"].selectedText(), "mg/h");
    click("Command13");
    EXPECT_EQ(shownLimits(), (Texts{"400", "655.35", "0", "0"}));
}

TEST_F(Release036, FilesOfEachReleaseOpenInTheOther) {
    DrugLibrary library;
    library.DepartmentNames[2] = "Cardio";
    library.DrugNames[4] = "Heparin";
    library.DepartmentMasks[4] = 2;
    folder.write("new.tm2", writeTm2Release041(library, "New"));
    load();
    open("new.tm2");
    EXPECT_EQ((*this)["Text2"].text, "Cardio");
    EXPECT_EQ(editor->library().DrugNames[4], "") << "release 041 drug lines are not for this release";

    folder.write("old.tm2", writeTm2Release036(library));
    Quelda041Editor newer(folder.path(), numbers);
    newer.pick("File1", 1);
    newer.click("Command1");
    EXPECT_EQ(newer.library().DrugNames[4], "Heparin       ");
}

TEST_F(Release036, AnUnknownDoseUnitIsKeptUntilAUnitIsConfirmed) {
    DrugLibrary library;
    library.DrugUnitCodes[1] = 9;
    folder.write("odd.tm2", writeTm2Release036(library));
    load();
    open("odd.tm2");
    click("Command3");
    EXPECT_EQ((*this)["Combo1"].selected, -1);
    EXPECT_EQ((*this)["Label10"].text, "");
    type("Text26", "Renamed");
    ASSERT_EQ(ok(), "Drug Updated");
    EXPECT_EQ(editor->library().DrugUnitCodes[1], 9u);
    pick("Combo1", "\xB5g/h");
    type("Text31", "1");
    type("Text32", "1");
    ASSERT_EQ(ok(), "Drug Updated");
    EXPECT_EQ(editor->library().DrugUnitCodes[1], 2u);
}

}  // namespace
}  // namespace mc::druglib
