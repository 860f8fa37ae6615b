#include <gtest/gtest.h>

#include <limits>
#include <stdexcept>
#include <string_view>
#include <tuple>

#include "druglib_dual/core/limit_codes.hpp"
#include "druglib_dual/core/unit_codes.hpp"

namespace mc::druglib {
namespace {

// Every dose list runs per minute, per hour, per day, the per-kilogram form
// first; a six-entry list sits on the odd indices of the twelve-entry layout.
TEST(UnitCode, DoseIndexAndListPositionMapBothWays) {
    for (const auto& unit : concentrationUnits()) {
        const std::size_t perPeriod = unit.doseUnits.size() / 3;
        for (std::size_t k = 0; k < unit.doseUnits.size(); ++k) {
            const std::string_view dose = unit.doseUnits[k];
            EXPECT_TRUE(dose.ends_with(k < perPeriod ? "/min" : k < 2 * perPeriod ? "/hr" : "/day")) << dose;
            EXPECT_EQ(dose.find("/kg/") != std::string_view::npos, k % perPeriod < perPeriod / 2) << dose;
        }
        for (int dose = -1; dose <= 16; ++dose) {
            const bool used = dose >= 0 && dose <= 11 && (unit.doseUnits.size() == 12 || dose % 2 == 1);
            const auto position = dosePositionOf(unit, dose);
            ASSERT_EQ(position.has_value(), used) << unit.name << " dose index " << dose;
            if (used) { EXPECT_EQ(doseIndexAt(unit, *position), dose); }
        }
        EXPECT_FALSE(doseIndexAt(unit, -1) || doseIndexAt(unit, static_cast<int>(unit.doseUnits.size())));
    }
}

TEST(UnitCode, EveryByteSplitsAndBuildsBack) {
    for (std::uint32_t code = 0; code <= 255; ++code) {
        const UnitCodeParts parts = splitUnitCode(code);
        EXPECT_EQ(makeUnitCode(parts.concentration, parts.vialBit, parts.doseIndex), code);
    }
    EXPECT_EQ(splitUnitCode(0x3B), (UnitCodeParts{1, 1, 11}));
    // A part outside its bits must not spill into its neighbour.
    for (const auto& [concentration, vial, dose] : {std::tuple{8, 0, 0}, {-1, 0, 0}, {0, 2, 0}, {0, -1, 0}, {0, 0, 16}})
        EXPECT_THROW(makeUnitCode(concentration, vial, dose), std::out_of_range);
}

TEST(LimitCode, EncodesAtRangeEdgesWithTiesToEven) {
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
}

// Every 16-bit code is one the encoder produces, and a larger code is a larger
// value, so that limits compare correctly as codes.
TEST(LimitCode, EveryCodeDecodesAndEncodesBack) {
    std::int64_t previous = -1;
    for (std::uint32_t code = 0; code <= 0xFFFF; ++code) {
        const std::int64_t value = limitCodeThousandths(code);
        ASSERT_GT(value, previous) << code;
        ASSERT_EQ(encodeLimitCode(value), code);
        previous = value;
    }
}

}  // namespace
}  // namespace mc::druglib
