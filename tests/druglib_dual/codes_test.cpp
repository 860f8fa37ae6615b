#include <gtest/gtest.h>

#include <limits>
#include <map>
#include <stdexcept>
#include <string>
#include <tuple>

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

}  // namespace
}  // namespace mc::druglib
