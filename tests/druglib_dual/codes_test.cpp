#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <span>
#include <stdexcept>
#include <string_view>

#include "druglib_dual/core/limit_codes.hpp"
#include "druglib_dual/core/unit_codes.hpp"

namespace mc::druglib {
namespace {

int positionIn(std::span<const std::string_view> list, std::string_view name) {
    for (std::size_t i = 0; i < list.size(); ++i)
        if (list[i] == name) return static_cast<int>(i);
    return -1;
}

TEST(UnitCode, ListChoicesGiveTheKnownBytes) {
    const std::string_view names[] = {"mg/mL",  "mcg/mL",  "Units/mL", "mUnits/mL",
                                      "mEq/mL", "mmol/mL", "g/mL",     "mL Only"};
    const struct {
        int concentration;
        std::string_view vial, dose;
        std::uint32_t code;
    } cases[] = {
        {0, "mg", "mcg/kg/min", 0x00},       {0, "g", "mcg/kg/min", 0x10},      {0, "mg", "mg/hr", 0x07},
        {1, "mcg", "Ng/kg/min", 0x20},       {1, "mg", "mcg/day", 0x3B},        {2, "Units", "Units/hr", 0x47},
        {3, "mUnits", "mUnits/kg/min", 0x61}, {3, "Units", "mUnits/day", 0x7B}, {4, "mEq", "mEq/hr", 0x87},
        {5, "mmol", "mmol/min", 0xA3},       {6, "g", "mg/kg/min", 0xC0},       {7, "", "mL/hr", 0xE7},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.dose);
        const auto& unit = concentrationUnits()[static_cast<std::size_t>(c.concentration)];
        EXPECT_EQ(unit.name, names[c.concentration]);
        const int vial = c.vial.empty() ? 0 : positionIn(unit.vialUnits, c.vial);
        const auto dose = doseIndexAt(unit, positionIn(unit.doseUnits, c.dose));
        ASSERT_GE(vial, 0);
        ASSERT_TRUE(dose.has_value());
        EXPECT_EQ(makeUnitCode(c.concentration, vial, *dose), c.code);
    }
}

TEST(UnitCode, ListsHaveTheirSizesAndOrder) {
    const std::size_t vialCounts[] = {2, 2, 1, 2, 1, 1, 1, 0};
    const std::size_t doseCounts[] = {12, 12, 12, 6, 6, 6, 12, 6};
    const std::string_view periods[] = {"/min", "/hr", "/day"};
    for (std::size_t i = 0; i < concentrationUnits().size(); ++i) {
        const auto& unit = concentrationUnits()[i];
        SCOPED_TRACE(unit.name);
        EXPECT_EQ(unit.vialUnits.size(), vialCounts[i]);
        ASSERT_EQ(unit.doseUnits.size(), doseCounts[i]);
        // Per minute, per hour, per day, each with the per-kilogram form first.
        const std::size_t perPeriod = unit.doseUnits.size() / 3;
        for (std::size_t k = 0; k < unit.doseUnits.size(); ++k) {
            EXPECT_TRUE(unit.doseUnits[k].ends_with(periods[k / perPeriod])) << unit.doseUnits[k];
            EXPECT_EQ(unit.doseUnits[k].find("/kg/") != std::string_view::npos, k % perPeriod < perPeriod / 2)
                << unit.doseUnits[k];
        }
    }
}

TEST(UnitCode, DoseIndexAndListPositionMapBothWays) {
    for (const auto& unit : concentrationUnits()) {
        SCOPED_TRACE(unit.name);
        const bool sixEntries = unit.doseUnits.size() == 6;
        for (int dose = -1; dose <= 16; ++dose) {
            const bool used = dose >= 0 && dose <= 11 && (!sixEntries || dose % 2 == 1);
            const auto position = dosePositionOf(unit, dose);
            ASSERT_EQ(position.has_value(), used) << "dose index " << dose;
            if (used) {
                EXPECT_EQ(doseIndexAt(unit, *position), dose);
            }
        }
        EXPECT_FALSE(doseIndexAt(unit, -1).has_value());
        EXPECT_FALSE(doseIndexAt(unit, static_cast<int>(unit.doseUnits.size())).has_value());
    }
}

TEST(UnitCode, EveryByteSplitsAndBuildsBack) {
    for (std::uint32_t code = 0; code <= 255; ++code) {
        const UnitCodeParts parts = splitUnitCode(code);
        EXPECT_EQ(makeUnitCode(parts.concentration, parts.vialBit, parts.doseIndex), code);
    }
    EXPECT_EQ(splitUnitCode(0x3B), (UnitCodeParts{1, 1, 11}));
    // A part outside its bits must not spill into its neighbour.
    EXPECT_THROW(makeUnitCode(8, 0, 0), std::out_of_range);
    EXPECT_THROW(makeUnitCode(-1, 0, 0), std::out_of_range);
    EXPECT_THROW(makeUnitCode(0, 2, 0), std::out_of_range);
    EXPECT_THROW(makeUnitCode(0, 0, 16), std::out_of_range);
    EXPECT_THROW(makeUnitCode(0, 0, -1), std::out_of_range);
}

TEST(LimitCode, EncodesAtRangeEdgesWithTiesToEven) {
    const struct {
        std::int64_t thousandths;
        std::uint32_t code;
    } cases[] = {
        {0, 0},              {1, 1},               {10000, 10000},       // 0.001 steps
        {10001, 10000},      {10005, 10000},       {10006, 10001},       // 0.01 steps
        {10015, 10002},      {10025, 10002},       {12250, 10225},
        {99990, 18999},      {99995, 19000},       {100000, 19000},
        {100001, 19000},     {100050, 19000},      {100150, 19002},      // 0.1 steps
        {100250, 19002},     {999900, 27999},      {999950, 28000},
        {1000000, 28000},    {1000001, 28000},     {1000500, 28000},     // whole steps
        {1000501, 28001},    {1001500, 28002},     {1002500, 28002},
        {1500000, 28500},    {2500000, 29500},
        {-1, 0},             {std::numeric_limits<std::int64_t>::min(), 0},  // saturated, never wrapped
        {38535499, 65535},   {38536000, 65535},    {std::numeric_limits<std::int64_t>::max(), 65535},
    };
    for (const auto& c : cases) EXPECT_EQ(encodeLimitCode(c.thousandths), c.code) << c.thousandths;
}

TEST(LimitCode, DecodesEachRange) {
    const std::pair<std::uint32_t, std::int64_t> cases[] = {
        {10000, 10000},  {10001, 10010},    {19000, 100000},  {19001, 100100},
        {28000, 1000000}, {28001, 1001000}, {29500, 2500000}, {65535, 38535000},
    };
    for (const auto& [code, thousandths] : cases) EXPECT_EQ(limitCodeThousandths(code), thousandths) << code;
}

// Every 16-bit code is one the encoder produces, and a larger code is a larger
// value, so limits compare correctly as codes.
TEST(LimitCode, EveryCodeDecodesAndEncodesBack) {
    std::int64_t previous = -1;
    for (std::uint32_t code = 0; code <= 0xFFFF; ++code) {
        const std::int64_t value = limitCodeThousandths(code);
        ASSERT_GT(value, previous) << code;
        ASSERT_EQ(encodeLimitCode(value), code);
        previous = value;
    }
}

TEST(LimitCode, StoredValueStaysWithinHalfAStep) {
    for (std::int64_t v = 0; v <= 2500000; ++v) {
        const std::int64_t step = v <= 10000 ? 1 : v <= 100000 ? 10 : v <= 1000000 ? 100 : 1000;
        const std::int64_t error = limitCodeThousandths(encodeLimitCode(v)) - v;
        ASSERT_LE(2 * (error < 0 ? -error : error), step) << v;
    }
}

TEST(LimitCode, ShownAsShortestDecimalText) {
    const std::pair<std::uint32_t, std::string_view> limits[] = {
        {0, "0"},         {1, "0.001"}, {500, "0.5"},    {10225, "12.25"},
        {18999, "99.99"}, {19500, "150"}, {27999, "999.9"}, {29500, "2500"},
    };
    for (const auto& [code, text] : limits) EXPECT_EQ(limitCodeText(code), text);
    const std::pair<std::uint32_t, std::string_view> hundredths[] = {
        {0, "0"}, {5, "0.05"}, {150, "1.5"}, {200, "2"}, {40000, "400"}, {65535, "655.35"},
    };
    for (const auto& [code, text] : hundredths) EXPECT_EQ(hundredthsText(code), text);
}

}  // namespace
}  // namespace mc::druglib
