// The rules of the drug page of both releases on the typed page: each limit
// on both sides, each message with the field it marks, what is stored.
#include <gtest/gtest.h>

#include <array>
#include <map>

#include "druglib_dual/core/drug_page.hpp"

namespace mc::druglib {
namespace {

// Boxes by control name, lists by the position chosen ("-1" for none).
using Typed = std::vector<std::pair<std::string, std::string>>;

DrugPage with(DrugPage page, const Typed& typed) {
    for (const auto& [name, text] : typed) {
        if (name == "Combo2") page.concentrationUnit = std::stoi(text);
        else if (name == "Combo3") page.vialUnit = std::stoi(text);
        else if (name == "Combo1") page.doseUnit = std::stoi(text);
        else if (name == "Text27") page.concMin = text;
        else if (name == "Text28") page.concMax = text;
        else if (name == "Text31") page.doseMin = text;
        else page.doseMax = text;
    }
    return page;
}

// A message is the caption of its field and what the rule says.
constexpr const char* Selected = " must be selected";
constexpr const char* Valid = " must be valid value";
constexpr const char* NotLess = " must be not less than 0.01";
constexpr const char* NotMore = " must be not more than 1000";
constexpr const char* Below2500 = " must be less than 2500";
constexpr const char* Below655 = " must be less than 655.36";
constexpr const char* Negative = " can not be negative";
constexpr const char* Order = " must be less or equal to Maximum";
constexpr const char* Three = " must be number, up to three digits after decimal point";
constexpr const char* Two = " must be number, up to two digits after decimal point";
using Said = std::vector<std::pair<std::string, const char*>>;

FieldMessages messages(const Said& said) {
    static const std::map<std::string, std::string> captions = {
        {"Combo2", "Concentration Units"},   {"Combo3", "Drug Vial Units"},       {"Combo1", "Dose Units"},
        {"Text27", "Concentration Minimum"}, {"Text28", "Concentration Maximum"}, {"Text31", "Dose Minimum"},
        {"Text32", "Dose Maximum"}};
    FieldMessages messages;
    for (const auto& [field, rule] : said) messages.push_back({field, captions.at(field) + rule});
    return messages;
}

// Every limit at its widest: release 041 in mg/mL, vial mg, dose mg/hr; release 036 in mg/h.
const DrugPage Page041{"Morphine", 0, 0, 7, "0", "1000", "0", "2500"};
const DrugPage Page036{"Morphine", -1, -1, 3, "0", "655.35", "0", "655.35"};
constexpr Release R041 = Release::R041, R036 = Release::R036;

TEST(DrugRules, EachLimitOnBothSidesWithItsMessagesAndFields) {
    const struct {
        Release release;
        Typed typed;
        Said said;  // field and rule of each message, in the page's order
    } cases[] = {
        {R041, {}, {}},  {R041, {{"Text27", "0.01"}}, {}},  {R041, {{"Text27", "0.009"}}, {{"Text27", NotLess}}},
        {R041, {{"Text28", "0.01"}}, {}},  {R041, {{"Text28", "0.009"}}, {{"Text28", NotLess}}},
        {R041, {{"Text28", "0"}}, {}},  {R041, {{"Text27", "-0.001"}}, {{"Text27", NotLess}}},
        {R041, {{"Text27", "1000"}}, {}},  {R041, {{"Text27", "1000.001"}}, {{"Text27", NotMore}, {"Text27", Order}}},
        {R041, {{"Text28", "1000.001"}}, {{"Text28", NotMore}}},
        {R041, {{"Text27", "1.0010"}}, {}},  {R041, {{"Text27", "1.0001"}}, {{"Text27", Three}}},
        {R041, {{"Text28", "999.9999"}}, {{"Text28", Three}}},  // rounds to 1000, refused all the same
        {R041, {{"Text27", "5"}, {"Text28", "5"}}, {}},  {R041, {{"Text27", "5.001"}, {"Text28", "5"}}, {{"Text27", Order}}},
        {R041, {{"Text27", "abc"}}, {{"Text27", Valid}, {"Text27", Three}}},
        {R041, {{"Text28", ""}}, {{"Text28", Valid}, {"Text28", Three}}},
        {R041, {{"Text31", "2500"}}, {}},  {R041, {{"Text31", "2500.001"}}, {{"Text31", Below2500}, {"Text31", Order}}},
        {R041, {{"Text32", "2500.001"}}, {{"Text32", Below2500}}},  {R041, {{"Text31", "-0.001"}}, {{"Text31", Negative}}},
        {R041, {{"Text32", "-0.001"}}, {{"Text32", Negative}, {"Text31", Order}}},
        {R041, {{"Text31", "0.001"}}, {}},  {R041, {{"Text31", "0.0005"}}, {{"Text31", Three}}},
        {R041, {{"Text32", "7.0001"}}, {{"Text32", Three}}},
        {R041, {{"Text31", "7"}, {"Text32", "7"}}, {}},  {R041, {{"Text31", "7.001"}, {"Text32", "7"}}, {{"Text31", Order}}},
        {R041, {{"Text31", ""}}, {{"Text31", Valid}, {"Text31", Three}}},
        {R041, {{"Text32", "x"}}, {{"Text32", Valid}, {"Text32", Three}}},
        // The units: nothing chosen, or a position beyond the unit's lists.
        {R041, {{"Combo2", "-1"}}, {{"Combo2", Selected}, {"Combo3", Selected}}},
        {R041, {{"Combo2", "8"}}, {{"Combo2", Selected}, {"Combo3", Selected}}},
        {R041, {{"Combo3", "-1"}}, {{"Combo3", Selected}}},  {R041, {{"Combo3", "2"}}, {{"Combo3", Selected}}},
        {R041, {{"Combo2", "2"}, {"Combo3", "1"}}, {{"Combo3", Selected}}},  // Units/mL has one vial unit
        {R041, {{"Combo1", "-1"}}, {{"Combo1", Selected}}},  {R041, {{"Combo1", "12"}}, {{"Combo1", Selected}}},
        {R041, {{"Combo2", "3"}, {"Combo1", "6"}}, {{"Combo1", Selected}}},  // mUnits/mL has six dose units
        // "mL Only" has no concentration and no vial unit to check.
        {R041, {{"Combo2", "7"}, {"Combo3", "-1"}, {"Combo1", "5"}, {"Text27", "x"}, {"Text28", "-5"}}, {}},
        {R041, {{"Combo2", "7"}, {"Combo1", "6"}}, {{"Combo1", Selected}}},
        {R041, {{"Combo3", "-1"}, {"Combo1", "-1"}, {"Text27", "x"}, {"Text28", "-1"}, {"Text31", "2500.0001"}, {"Text32", ""}},
         {{"Combo3", Selected}, {"Combo1", Selected}, {"Text27", Valid}, {"Text28", NotLess}, {"Text27", Three},
          {"Text27", Order}, {"Text32", Valid}, {"Text31", Three}, {"Text32", Three}, {"Text31", Order}}},

        {R036, {}, {}},  {R036, {{"Text28", "655.36"}}, {{"Text28", Below655}}},
        {R036, {{"Text27", "655.36"}}, {{"Text27", Below655}, {"Text27", Order}}},
        {R036, {{"Text31", "655.35"}}, {}},  {R036, {{"Text31", "655.36"}}, {{"Text31", Below655}, {"Text31", Order}}},
        {R036, {{"Text32", "655.36"}}, {{"Text32", Below655}}},
        {R036, {{"Text27", "0.01"}}, {}},  {R036, {{"Text27", "1.010"}}, {}},  {R036, {{"Text27", "1.005"}}, {{"Text27", Two}}},
        {R036, {{"Text32", "0.001"}}, {{"Text32", Two}}},  {R036, {{"Text27", "-0.01"}}, {{"Text27", Negative}}},
        {R036, {{"Text32", "-0.01"}}, {{"Text32", Negative}, {"Text31", Order}}},
        {R036, {{"Text27", "5"}, {"Text28", "5"}}, {}},  {R036, {{"Text27", "5.01"}, {"Text28", "5"}}, {{"Text27", Order}}},
        {R036, {{"Text31", "5"}, {"Text32", "5"}}, {}},  {R036, {{"Text31", "5.01"}, {"Text32", "5"}}, {{"Text31", Order}}},
        {R036, {{"Text28", "y"}}, {{"Text28", Valid}, {"Text28", Two}}},
        {R036, {{"Combo1", "-1"}}, {}},  // the dose unit is not checked
        {R036, {{"Text27", "x"}, {"Text28", "-1"}, {"Text31", "700"}, {"Text32", "0.001"}},
         {{"Text27", Valid}, {"Text31", Below655}, {"Text28", Negative}, {"Text27", Two}, {"Text32", Two},
          {"Text27", Order}, {"Text31", Order}}},
    };
    for (const auto& c : cases) {
        const DrugCheck check = checkDrug(with(c.release == R041 ? Page041 : Page036, c.typed), c.release, {'.'});
        EXPECT_EQ(check.messages, messages(c.said)) << ::testing::PrintToString(c.typed);
        EXPECT_EQ(check.codes.has_value(), c.said.empty()) << ::testing::PrintToString(c.typed);
    }
}

TEST(DrugRules, AnAcceptedPageStoresItsUnitAndLimitCodes) {
    const struct {
        Release release;
        char separator;
        Typed typed;
        std::array<std::uint32_t, 5> codes;  // unit, concentration and dose minimum and maximum
    } cases[] = {
        {R041, '.', {{"Text27", "1"}, {"Text28", "1"}, {"Text31", "0.5"}, {"Text32", "10"}}, {0x07, 1000, 1000, 500, 10000}},
        {R041, '.', {{"Combo2", "1"}, {"Combo3", "1"}, {"Combo1", "11"}, {"Text27", "99.99"}, {"Text28", "999.9"},
                     {"Text31", "12.25"}, {"Text32", "1500"}}, {0x3B, 18999, 27999, 10225, 28500}},
        {R041, '.', {{"Combo3", "1"}, {"Combo1", "0"}}, {0x10, 0, 28000, 0, 29500}},
        {R041, '.', {{"Combo2", "3"}, {"Combo3", "1"}, {"Combo1", "5"}}, {0x7B, 0, 28000, 0, 29500}},
        {R041, '.', {{"Combo2", "5"}, {"Combo1", "1"}}, {0xA3, 0, 28000, 0, 29500}},
        {R041, '.', {{"Combo2", "7"}, {"Combo3", "-1"}, {"Combo1", "3"}, {"Text27", "5"}}, {0xE7, 0, 0, 0, 29500}},
        {R041, ',', {{"Text27", "0,5"}, {"Text28", "1.5"}, {"Text32", "2,001"}}, {0x07, 500, 1500, 0, 2001}},
        {R036, '.', {{"Text27", "1.5"}, {"Text28", "2"}, {"Text31", "0.5"}, {"Text32", "10"}}, {3, 150, 200, 50, 1000}},
        {R036, ',', {{"Combo1", "0"}, {"Text28", "400"}, {"Text32", "0,07"}}, {0, 0, 40000, 0, 7}},
    };
    for (const auto& c : cases) {
        const DrugCheck check = checkDrug(with(c.release == R041 ? Page041 : Page036, c.typed), c.release, {c.separator});
        ASSERT_TRUE(check.codes) << ::testing::PrintToString(c.typed);
        const DrugCodes& s = *check.codes;
        EXPECT_EQ((std::array{s.unit, s.concMin, s.concMax, s.doseMin, s.doseMax}), c.codes)
            << ::testing::PrintToString(c.typed);
    }
    // Release 036 shows no dose unit for a code beyond its list, and keeps the code until one is chosen.
    DrugLibrary library;
    library.DrugUnitCodes[1] = 9;
    DrugPage kept = shownDrug(library, 1, R036);
    EXPECT_EQ(checkDrug(kept, R036, {'.'}).codes->unit, 9u);
    kept.doseUnit = 0;
    EXPECT_EQ(checkDrug(kept, R036, {'.'}).codes->unit, 0u);
}

// What the command-line program shows of a drug for review: the page's captions and values with their units.
TEST(DrugPage, ShownFieldsAreTheCaptionsAndValuesOfThePage) {
    using Fields = std::vector<std::pair<std::string, std::string>>;
    DrugPage morphine = with(Page041, {{"Text27", "1.5"}, {"Text31", "0.5"}});
    morphine.departments = 0b101;
    EXPECT_EQ(shownFields(morphine, R041),
              (Fields{{"Drug Name", "Morphine"}, {"Concentration Units", "mg/mL"}, {"Concentration Minimum", "1.5 mg/mL"},
                      {"Concentration Maximum", "1000 mg/mL"}, {"Drug Vial Units", "mg"}, {"Dose Units", "mg/hr"},
                      {"Dose Minimum", "0.5 mg/hr"}, {"Dose Maximum", "2500 mg/hr"}, {"Departments", "1, 3"}}));
    // "mL Only" hides the concentration rows; release 036 has no unit lists but the dose units.
    EXPECT_EQ(shownFields(with(Page041, {{"Combo2", "7"}, {"Combo1", "1"}}), R041).at(2).second, "mL/min");
    EXPECT_EQ(shownFields(Page036, R036),
              (Fields{{"Drug Name", "Morphine"}, {"Concentration Minimum", "0 mg/ml"},
                      {"Concentration Maximum", "655.35 mg/ml"}, {"Dose Units", "mg/h"}, {"Dose Minimum", "0 mg/h"},
                      {"Dose Maximum", "655.35 mg/h"}, {"Departments", "none"}}));
}

}  // namespace
}  // namespace mc::druglib
