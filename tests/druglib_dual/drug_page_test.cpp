// The drug page of both releases: the codes it stores units and limits in,
// and its rules on the typed page: each limit on both sides, each message with
// the field it marks, what is stored.
#include <gtest/gtest.h>

#include <array>
#include <limits>
#include <map>
#include <stdexcept>

#include "druglib_dual/core/drug_page.hpp"
#include "druglib_dual/core/limit_codes.hpp"
#include "druglib_dual/core/unit_codes.hpp"

namespace mc::druglib {
namespace {

// Dose index k names the amount (the concentration's own unit for odd k, the
// next smaller one for even k), "/kg" for k % 4 < 2, per minute, hour or day
// for k / 4; a six-entry list holds the odd indices only. Vial bit 1 picks the
// next larger unit. Every byte splits into parts that build it back.
TEST(UnitCode, EveryListAndByteFollowsTheLayoutOfTheCode) {
    const std::map<std::string, std::string> smaller = {{"mg", "mcg"}, {"mcg", "Ng"}, {"Units", "mUnits"}, {"g", "mg"}};
    const char* const periods[] = {"min", "hr", "day"};
    for (const auto& unit : concentrationUnits()) {
        const std::string own(unit.name.substr(0, unit.name.find_first_of("/ ")));
        for (int k = -1; k <= 16; ++k) {
            const bool used = k >= 0 && k <= 11 && (unit.doseUnits.size() == 12 || k % 2 == 1);
            const auto position = dosePositionOf(unit, k);
            ASSERT_EQ(position.has_value(), used) << unit.name << " dose index " << k;
            if (!used) continue;
            EXPECT_EQ(doseIndexAt(unit, *position), k);
            EXPECT_EQ(unit.doseUnits[static_cast<std::size_t>(*position)],
                      (k % 2 == 1 ? own : smaller.at(own)) + (k % 4 < 2 ? "/kg/" : "/") + periods[k / 4]);
        }
        EXPECT_FALSE(doseIndexAt(unit, -1) || doseIndexAt(unit, static_cast<int>(unit.doseUnits.size())));
        for (std::size_t bit = 0; bit < unit.vialUnits.size(); ++bit)
            EXPECT_EQ(bit == 0 ? std::string(unit.vialUnits[0]) : smaller.at(std::string(unit.vialUnits[1])), own);
    }
    for (std::uint32_t code = 0; code <= 255; ++code) {
        const UnitCodeParts parts = splitUnitCode(code);
        EXPECT_EQ(makeUnitCode(parts.concentration, parts.vialBit, parts.doseIndex), code);
    }
    EXPECT_EQ(splitUnitCode(0x3B), (UnitCodeParts{1, 1, 11}));
    // A part outside its bits must not spill into its neighbour.
    for (const auto& [concentration, vial, dose] : {std::tuple{8, 0, 0}, {-1, 0, 0}, {0, 2, 0}, {0, -1, 0}, {0, 0, 16}})
        EXPECT_THROW(makeUnitCode(concentration, vial, dose), std::out_of_range);
}

TEST(LimitCode, EncodesAtRangeEdgesWithTiesToEvenAndEveryCodeBack) {
    const std::pair<std::int64_t, std::uint32_t> cases[] = {
        {0, 0}, {1, 1}, {10000, 10000},                                                        // 0.001 steps
        {10001, 10000}, {10005, 10000}, {10006, 10001}, {10015, 10002}, {10025, 10002},        // 0.01 steps
        {99994, 18999}, {99995, 19000}, {100000, 19000},
        {100001, 19000}, {100050, 19000}, {100051, 19001}, {100150, 19002}, {100250, 19002},   // 0.1 steps
        {999949, 27999}, {999950, 28000}, {1000000, 28000},
        {1000001, 28000}, {1000500, 28000}, {1000501, 28001}, {1001500, 28002}, {1002500, 28002},  // whole steps
        {2500000, 29500}, {38535499, 65535}, {38536000, 65535}, {-1, 0},  // saturated, never wrapped
        {std::numeric_limits<std::int64_t>::max(), 65535}, {std::numeric_limits<std::int64_t>::min(), 0},
    };
    for (const auto& [thousandths, code] : cases) EXPECT_EQ(encodeLimitCode(thousandths), code) << thousandths;
    // Every 16-bit code is one the encoder produces, and a larger code is a
    // larger value, so that limits compare correctly as codes.
    for (std::uint32_t code = 0; code <= 0xFFFF; ++code) {
        ASSERT_EQ(encodeLimitCode(limitCodeThousandths(code)), code);
        ASSERT_TRUE(code == 0 || limitCodeThousandths(code) > limitCodeThousandths(code - 1)) << code;
    }
}

// The page's controls: the three unit lists and the four limit boxes.
constexpr const char *Conc = "Combo2", *Vial = "Combo3", *Dose = "Combo1";
constexpr const char *CMin = "Text27", *CMax = "Text28", *DMin = "Text31", *DMax = "Text32";

// Boxes by control name, lists by the position chosen ("-1" for none).
using Typed = std::vector<std::pair<std::string, std::string>>;

DrugPage with(DrugPage page, const Typed& typed) {
    for (const auto& [name, text] : typed) {
        if (name == Conc) page.concentrationUnit = std::stoi(text);
        else if (name == Vial) page.vialUnit = std::stoi(text);
        else if (name == Dose) page.doseUnit = std::stoi(text);
        else if (name == CMin) page.concMin = text;
        else if (name == CMax) page.concMax = text;
        else if (name == DMin) page.doseMin = text;
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
        {Conc, "Concentration Units"},   {Vial, "Drug Vial Units"},       {Dose, "Dose Units"},
        {CMin, "Concentration Minimum"}, {CMax, "Concentration Maximum"}, {DMin, "Dose Minimum"},
        {DMax, "Dose Maximum"}};
    FieldMessages messages;
    for (const auto& [field, rule] : said) messages.push_back({field, captions.at(field) + rule});
    return messages;
}

// Every limit at its widest: release 041 in mg/mL, vial mg, dose mg/hr; release 036 in mg/h.
const DrugPage Page041{"Morphine", 0, 0, 7, "0", "1000", "0", "2500"};
const DrugPage Page036{"Morphine", -1, -1, 3, "0", "655.35", "0", "655.35"};
constexpr Release R041 = Release::R041, R036 = Release::R036;
using Codes = std::array<std::uint32_t, 5>;  // unit, concentration and dose minimum and maximum

// Each limit on both sides and each step on and off it, with the messages
// and fields of a refused page and the codes an accepted one stores.
TEST(DrugRules, EachLimitOnBothSidesWithItsMessagesFieldsAndCodes) {
    const struct {
        Release release;
        Typed typed;
        Said said;  // field and rule of each message, in the page's order
        std::optional<Codes> codes = std::nullopt;
        char separator = '.';
    } cases[] = {
        {R041, {}, {}, Codes{0x07, 0, 28000, 0, 29500}},
        {R041, {{CMin, "0.01"}, {CMax, "0.01"}}, {}, Codes{0x07, 10, 10, 0, 29500}},
        {R041, {{CMin, "0.009"}}, {{CMin, NotLess}}},  {R041, {{CMax, "0.009"}}, {{CMax, NotLess}}},
        {R041, {{CMax, "0"}}, {}},  {R041, {{CMin, "-0.001"}}, {{CMin, NotLess}}},
        {R041, {{CMin, "1000"}}, {}, Codes{0x07, 28000, 28000, 0, 29500}},
        {R041, {{CMin, "1000.001"}}, {{CMin, NotMore}, {CMin, Order}}},  {R041, {{CMax, "1000.001"}}, {{CMax, NotMore}}},
        {R041, {{CMin, "1.0010"}}, {}},  {R041, {{CMin, "1.0001"}}, {{CMin, Three}}},
        {R041, {{CMax, "999.9999"}}, {{CMax, Three}}},  // rounds to 1000, refused all the same
        {R041, {{CMin, "5"}, {CMax, "5"}}, {}},  {R041, {{CMin, "5.001"}, {CMax, "5"}}, {{CMin, Order}}},
        {R041, {{CMin, "abc"}}, {{CMin, Valid}, {CMin, Three}}},  {R041, {{CMax, ""}}, {{CMax, Valid}, {CMax, Three}}},
        {R041, {{DMin, "2500"}}, {}, Codes{0x07, 0, 28000, 29500, 29500}},
        {R041, {{DMin, "2500.001"}}, {{DMin, Below2500}, {DMin, Order}}},  {R041, {{DMax, "2500.001"}}, {{DMax, Below2500}}},
        {R041, {{DMin, "-0.001"}}, {{DMin, Negative}}},  {R041, {{DMax, "-0.001"}}, {{DMax, Negative}, {DMin, Order}}},
        {R041, {{DMin, "0.001"}}, {}},  {R041, {{DMin, "0.0005"}}, {{DMin, Three}}},
        {R041, {{DMax, "7.0001"}}, {{DMax, Three}}},
        {R041, {{DMin, "7"}, {DMax, "7"}}, {}},  {R041, {{DMin, "7.001"}, {DMax, "7"}}, {{DMin, Order}}},
        {R041, {{DMin, ""}}, {{DMin, Valid}, {DMin, Three}}},  {R041, {{DMax, "x"}}, {{DMax, Valid}, {DMax, Three}}},
        // The units: nothing chosen, or a position beyond the unit's lists.
        {R041, {{Conc, "-1"}}, {{Conc, Selected}, {Vial, Selected}}},
        {R041, {{Conc, "8"}}, {{Conc, Selected}, {Vial, Selected}}},
        {R041, {{Vial, "-1"}}, {{Vial, Selected}}},  {R041, {{Vial, "2"}}, {{Vial, Selected}}},
        {R041, {{Conc, "2"}, {Vial, "1"}}, {{Vial, Selected}}},  // Units/mL has one vial unit
        {R041, {{Dose, "-1"}}, {{Dose, Selected}}},  {R041, {{Dose, "12"}}, {{Dose, Selected}}},
        {R041, {{Conc, "3"}, {Dose, "6"}}, {{Dose, Selected}}},  // mUnits/mL has six dose units
        // "mL Only" has no concentration and no vial unit to check, and stores no concentration.
        {R041, {{Conc, "7"}, {Vial, "-1"}, {Dose, "3"}, {CMin, "x"}, {CMax, "-5"}}, {}, Codes{0xE7, 0, 0, 0, 29500}},
        {R041, {{Conc, "7"}, {Dose, "6"}}, {{Dose, Selected}}},
        {R041, {{Vial, "-1"}, {Dose, "-1"}, {CMin, "x"}, {CMax, "-1"}, {DMin, "2500.0001"}, {DMax, ""}},
         {{Vial, Selected}, {Dose, Selected}, {CMin, Valid}, {CMax, NotLess}, {CMin, Three}, {CMin, Order},
          {DMax, Valid}, {DMin, Three}, {DMax, Three}, {DMin, Order}}},
        // The unit byte of each part; limits in the codes of their ranges, with either separator.
        {R041, {{Conc, "1"}, {Vial, "1"}, {Dose, "11"}, {CMin, "99.99"}, {CMax, "999.9"}, {DMin, "12.25"}, {DMax, "1500"}},
         {}, Codes{0x3B, 18999, 27999, 10225, 28500}},
        {R041, {{Vial, "1"}, {Dose, "0"}}, {}, Codes{0x10, 0, 28000, 0, 29500}},
        {R041, {{Conc, "3"}, {Vial, "1"}, {Dose, "5"}}, {}, Codes{0x7B, 0, 28000, 0, 29500}},
        {R041, {{Conc, "5"}, {Dose, "1"}}, {}, Codes{0xA3, 0, 28000, 0, 29500}},
        {R041, {{CMin, "0,5"}, {CMax, "1.5"}, {DMax, "2,001"}}, {}, Codes{0x07, 500, 1500, 0, 2001}, ','},

        {R036, {}, {}, Codes{3, 0, 65535, 0, 65535}},  {R036, {{CMax, "655.36"}}, {{CMax, Below655}}},
        {R036, {{CMin, "655.36"}}, {{CMin, Below655}, {CMin, Order}}},
        {R036, {{DMin, "655.35"}}, {}},  {R036, {{DMin, "655.36"}}, {{DMin, Below655}, {DMin, Order}}},
        {R036, {{DMax, "655.36"}}, {{DMax, Below655}}},  {R036, {{CMin, "0.01"}}, {}, Codes{3, 1, 65535, 0, 65535}},
        {R036, {{CMin, "1.010"}}, {}},  {R036, {{CMin, "1.005"}}, {{CMin, Two}}},  {R036, {{DMax, "0.001"}}, {{DMax, Two}}},
        {R036, {{CMin, "-0.01"}}, {{CMin, Negative}}},  {R036, {{DMax, "-0.01"}}, {{DMax, Negative}, {DMin, Order}}},
        {R036, {{CMin, "5"}, {CMax, "5"}}, {}},  {R036, {{CMin, "5.01"}, {CMax, "5"}}, {{CMin, Order}}},
        {R036, {{DMin, "5"}, {DMax, "5"}}, {}},  {R036, {{DMin, "5.01"}, {DMax, "5"}}, {{DMin, Order}}},
        {R036, {{CMax, "y"}}, {{CMax, Valid}, {CMax, Two}}},  {R036, {{Dose, "-1"}}, {}},  // the dose unit is not checked
        {R036, {{CMin, "x"}, {CMax, "-1"}, {DMin, "700"}, {DMax, "0.001"}},
         {{CMin, Valid}, {DMin, Below655}, {CMax, Negative}, {CMin, Two}, {DMax, Two}, {CMin, Order}, {DMin, Order}}},
        {R036, {{Dose, "0"}, {CMax, "400"}, {DMax, "0,07"}}, {}, Codes{0, 0, 40000, 0, 7}, ','},
    };
    for (const auto& c : cases) {
        const DrugCheck check = checkDrug(with(c.release == R041 ? Page041 : Page036, c.typed), c.release, {c.separator});
        EXPECT_EQ(check.messages, messages(c.said)) << ::testing::PrintToString(c.typed);
        ASSERT_EQ(check.codes.has_value(), c.said.empty()) << ::testing::PrintToString(c.typed);
        if (!c.codes) continue;
        const DrugCodes& s = *check.codes;
        EXPECT_EQ((Codes{s.unit, s.concMin, s.concMax, s.doseMin, s.doseMax}), *c.codes) << ::testing::PrintToString(c.typed);
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
    DrugPage morphine = with(Page041, {{CMin, "1.5"}, {DMin, "0.5"}});
    morphine.departments = 0b101;
    EXPECT_EQ(shownFields(morphine, R041),
              (Fields{{"Drug Name", "Morphine"}, {"Concentration Units", "mg/mL"}, {"Concentration Minimum", "1.5 mg/mL"},
                      {"Concentration Maximum", "1000 mg/mL"}, {"Drug Vial Units", "mg"}, {"Dose Units", "mg/hr"},
                      {"Dose Minimum", "0.5 mg/hr"}, {"Dose Maximum", "2500 mg/hr"}, {"Departments", "1, 3"}}));
    // "mL Only" hides the concentration rows; release 036 has no unit lists but the dose units.
    EXPECT_EQ(shownFields(with(Page041, {{Conc, "7"}, {Dose, "1"}}), R041).at(2).second, "mL/min");
    EXPECT_EQ(shownFields(Page036, R036),
              (Fields{{"Drug Name", "Morphine"}, {"Concentration Minimum", "0 mg/ml"},
                      {"Concentration Maximum", "655.35 mg/ml"}, {"Dose Units", "mg/h"}, {"Dose Minimum", "0 mg/h"},
                      {"Dose Maximum", "655.35 mg/h"}, {"Departments", "none"}}));
}

}  // namespace
}  // namespace mc::druglib
