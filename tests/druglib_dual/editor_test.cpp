// The drug library editors of both releases as the technician drives them:
// the pages show the library and the typed drug page, "OK" marks the fields
// its messages are about, Save and Open carry the drug through the file.
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <tuple>

#include "druglib_dual/core/quelda036_editor.hpp"
#include "druglib_dual/core/quelda041_editor.hpp"
#include "druglib_dual/core/tm2_file.hpp"
#include "support/model_driver.hpp"
#include "support/temp_folder.hpp"

namespace mc::druglib {
namespace {

using testing::Values;
using Steps = std::vector<std::pair<std::string, std::string>>;
constexpr Release R041 = Release::R041, R036 = Release::R036;

class DrugEditor : public ::testing::Test {
protected:
    testing::TempFolder folder;
    std::unique_ptr<DrugLibraryEditor> editor;
    std::optional<testing::ModelDriver> page;

    // A fresh editor at its department page: a new library, or the file Lib.tm2 of `bytes`.
    void load(Release release, const std::optional<std::string>& bytes = {}) {
        if (bytes) folder.write("Lib.tm2", *bytes);
        if (release == R041) editor = std::make_unique<Quelda041Editor>(folder.path(), NumberFormat{});
        else editor = std::make_unique<Quelda036Editor>(folder.path(), NumberFormat{});
        page.emplace(*editor);
        if (bytes) page->pick("File1", "Lib.tm2");
        page->click(bytes ? "Command1" : "Command12");
    }
    void expectShown(const Values& values) {
        for (const auto& [name, value] : values) EXPECT_EQ(page->shown(name), value) << name;
    }
    const DrugLibrary& library() const { return editor->library(); }
};

// A new library shows empty departments and drugs; a refused "OK" marks the
// fields of its messages, even where captions begin alike, stores nothing and
// leaves the page modified; an accepted drug goes through Save and Open whole.
TEST_F(DrugEditor, ADrugOfANewLibraryThroughOkSaveAndOpen) {
    const Steps typed = {{"Text26", "Morphine"}, {"Text27", "1"}, {"Text28", "1"}, {"Text31", "0.5"},
                         {"Text32", "10"},       {"Check1", "1"}, {"Check3", "1"}};
    const struct {
        Release release;
        Values fresh;  // what the new drug page shows besides empty names and zero limits
        std::tuple<int, int, int> maxLengths;  // of the name, a limit and the save name
        Steps units;  // in the order they are picked
        std::vector<std::pair<Steps, std::vector<std::string>>> refused;  // typed on the drug, the fields marked
        std::string line, storedName;
    } cases[] = {
        {R041,
         {{"Combo2", "mg/mL"}, {"Combo3", "mg"}, {"Combo1", "mcg/kg/min"}, {"Label8", "mg/mL"}, {"Label10", "mcg/kg/min"}},
         {14, 5, 11}, {{"Combo2", "mg/mL"}, {"Combo3", "mg"}, {"Combo1", "mg/hr"}},
         {{{{"Combo2", ""}, {"Text27", "1"}, {"Text28", "1"}}, {"Combo2", "Combo3"}},
          {{{"Combo2", "mcg/mL"}}, {"Combo1", "Combo3", "Text27", "Text28"}}},
         "\r\nD41:0007=Morphine      ,0703E803E801F42710000005101B\r\n", "Morphine      "},
        {R036, {{"Combo1", "\xB5g/kg/min"}, {"Label8", "mg/ml"}, {"Label10", "\xB5g/kg/min"}}, {10, 0, 8},
         {{"Combo1", "mg/h"}}, {{{{"Text28", "655.36"}}, {"Text28"}}},
         "\r\nD36:0007=Morphine  ,0300640064003203E8000005\r\n", "Morphine  "},
    };
    for (const auto& c : cases) {
        load(c.release);
        for (int d = 1; d <= 25; ++d) EXPECT_EQ(page->shown("Text" + std::to_string(d)), "");
        page->click("Command3");
        expectShown(testing::with(c.fresh, {{"Label1", "1"}, {"Text26", ""}, {"Text27", "0"}, {"Text28", "0"},
                                            {"Text31", "0"}, {"Text32", "0"}}));
        EXPECT_EQ(std::tuple((*page)["Text26"].maxLength, (*page)["Text32"].maxLength, (*page)["Text29"].maxLength),
                  c.maxLengths);
        EXPECT_EQ(editor->form().has("Combo2"), c.release == R041);
        page->act({"GoTo=7", "GoTo"});
        for (const auto& [wrong, marked] : c.refused) {
            page->set(c.units);
            page->set(typed);
            page->set(wrong);
            page->click("Command9");
            EXPECT_EQ(page->marked(), marked) << page->shown("Label74");
            EXPECT_EQ(library().DrugNames[7], "");
            EXPECT_FALSE((*page)["Command13"].enabled || (*page)["GoTo"].enabled) << "the page stays modified";
        }
        page->set(c.units);
        page->set(typed);
        page->act({"Command9", "Command10", "Text29=Lib", "Command11"});
        const std::string file = folder.read("Lib.tm2");
        EXPECT_NE(file.find(c.line), std::string::npos) << file;
        EXPECT_EQ(file.find("LIBRARY=Lib        \r\n") != std::string::npos, c.release == R041);
        load(c.release, file);
        page->act({"Command3", "GoTo=7", "GoTo"});
        expectShown(testing::with(Values(typed.begin(), typed.end()), Values(c.units.begin(), c.units.end())));
        EXPECT_EQ(library().DrugNames[7], c.storedName);
        std::filesystem::remove(folder.path() / "Lib.tm2");
    }
}

TEST_F(DrugEditor, AUnitEmptiesWhatDependsOnIt) {
    load(R041);
    page->act({"Command3", "Combo3=g"});
    EXPECT_TRUE((*page)["Command13"].enabled) << "the vial unit alone does not mark the page";
    page->act({"Combo2=mcg/mL"});
    expectShown({{"Text27", ""}, {"Text28", ""}, {"Text31", "0"}, {"Combo3", ""}, {"Combo1", ""}, {"Label8", "mcg/mL"},
                 {"Label9", "mcg/mL"}, {"Label74", "Please validate modifications with OK key"}});
    EXPECT_EQ((*page)["Combo3"].items, (std::vector<std::string>{"mcg", "mg"}));
    page->act({"Text31=1", "Combo1=Ng/hr"});
    expectShown({{"Text31", ""}, {"Text32", ""}, {"Label10", "Ng/hr"}, {"Label11", "Ng/hr"}});
    for (const bool mlOnly : {true, false}) {
        page->set({{"Combo2", mlOnly ? "mL Only" : "mg/mL"}});
        for (const char* name : {"Label3", "Label4", "Label13", "Text27", "Text28", "Combo3", "Label8", "Label9"})
            EXPECT_EQ((*page)[name].visible, !mlOnly) << name;
        EXPECT_EQ((*page)["Combo1"].items.at(3), mlOnly ? "mL/hr" : "mg/min");
    }
    for (const std::string box : {"Text26", "Check5"}) {
        page->act({"Command8", box + "=x"});
        EXPECT_FALSE((*page)["Command13"].enabled) << box << " marks the page";
    }
}

// Department names keep their padding but on the page, and caption the check
// boxes of departments 1 to 24. Stepping stops at drugs 1 and 100; "Go to"
// takes a number or the start of a name.
TEST_F(DrugEditor, AnOpenedLibraryDrugByDrug) {
    DrugLibrary file;
    file.DepartmentNames[1] = "  ICU";
    file.DepartmentNames[24] = "Oncology";
    file.DrugNames[2] = "Morphine";
    file.DepartmentMasks[2] = 1u << 23;
    file.DrugNames[57] = "Heparin";
    file.DrugUnitCodes[1] = 0x52;  // Units/mL has no second vial unit
    file.DrugUnitCodes[2] = 0x62;  // mUnits/mL uses odd dose indices only
    file.DrugUnitCodes[3] = 0x0C;  // dose index beyond the list
    load(R041, writeTm2Release041(file, "Lib"));
    EXPECT_EQ(page->shown("Text1") + "|" + library().DepartmentNames[1], "  ICU|  ICU               ");
    page->click("Command3");
    EXPECT_EQ((*page)["Check1"].text + (*page)["Check24"].text, library().DepartmentNames[1] + library().DepartmentNames[24]);
    EXPECT_FALSE(editor->form().has("Check25") || (*page)["Command14"].enabled);
    for (const Values& units : {Values{{"Combo2", "Units/mL"}, {"Combo3", ""}, {"Combo1", "mUnits/min"}},
                                Values{{"Combo2", "mUnits/mL"}, {"Combo3", "mUnits"}, {"Combo1", ""},
                                       {"Text26", "Morphine"}, {"Check24", "1"}},
                                Values{{"Combo2", "mg/mL"}, {"Combo3", "mg"}, {"Combo1", ""}}}) {
        expectShown(units);
        page->click("Command13");
    }
    for (const auto& [typed, drug] : {std::pair{"mor", "2"}, {"100", "100"}}) {
        page->act({"GoTo=" + std::string(typed), "GoTo"});
        EXPECT_EQ(page->shown("Label1"), drug) << typed;
    }
    page->act({"GoTo=101", "GoTo"});
    EXPECT_EQ(page->shown("Label1") + "|" + page->shown("Label74"), "100|Nothing to go to is named or numbered 101");
    EXPECT_FALSE((*page)["Command13"].enabled);
    page->act({"GoTo=1", "GoTo", "Check1=1", "Command9"});
    EXPECT_EQ(page->shown("Label74"), "Drug Vial Units must be selected\r\n");

    // Release 036 keeps a code it has no dose unit for until a unit is chosen and confirmed.
    file.DrugUnitCodes[1] = 9;
    load(R036, writeTm2Release036(file));
    page->click("Command3");
    expectShown({{"Combo1", ""}, {"Label10", ""}});
    page->act({"Text26=Renamed", "Command9"});
    EXPECT_EQ(library().DrugUnitCodes[1], 9u);
    page->act({"Combo1=\xB5g/h", "Text31=1", "Text32=1", "Command9"});
    EXPECT_EQ(library().DrugUnitCodes[1], 2u);
}

}  // namespace
}  // namespace mc::druglib
