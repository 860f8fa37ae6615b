#include "druglib_dual/core/unit_codes.hpp"

#include <stdexcept>

namespace mc::druglib {
namespace {

using Names = std::string_view;

constexpr Names mgVials[] = {"mg", "g"};
constexpr Names mcgVials[] = {"mcg", "mg"};
constexpr Names unitsVials[] = {"Units"};
constexpr Names mUnitsVials[] = {"mUnits", "Units"};
constexpr Names mEqVials[] = {"mEq"};
constexpr Names mmolVials[] = {"mmol"};
constexpr Names gVials[] = {"g"};

constexpr Names mgDoses[] = {"mcg/kg/min", "mg/kg/min", "mcg/min", "mg/min",
                             "mcg/kg/hr",  "mg/kg/hr",  "mcg/hr",  "mg/hr",
                             "mcg/kg/day", "mg/kg/day", "mcg/day", "mg/day"};
constexpr Names mcgDoses[] = {"Ng/kg/min", "mcg/kg/min", "Ng/min", "mcg/min",
                              "Ng/kg/hr",  "mcg/kg/hr",  "Ng/hr",  "mcg/hr",
                              "Ng/kg/day", "mcg/kg/day", "Ng/day", "mcg/day"};
constexpr Names unitsDoses[] = {"mUnits/kg/min", "Units/kg/min", "mUnits/min", "Units/min",
                                "mUnits/kg/hr",  "Units/kg/hr",  "mUnits/hr",  "Units/hr",
                                "mUnits/kg/day", "Units/kg/day", "mUnits/day", "Units/day"};
constexpr Names mUnitsDoses[] = {"mUnits/kg/min", "mUnits/min", "mUnits/kg/hr",
                                 "mUnits/hr",     "mUnits/kg/day", "mUnits/day"};
constexpr Names mEqDoses[] = {"mEq/kg/min", "mEq/min", "mEq/kg/hr",
                              "mEq/hr",     "mEq/kg/day", "mEq/day"};
constexpr Names mmolDoses[] = {"mmol/kg/min", "mmol/min", "mmol/kg/hr",
                               "mmol/hr",     "mmol/kg/day", "mmol/day"};
constexpr Names gDoses[] = {"mg/kg/min", "g/kg/min", "mg/min", "g/min",
                            "mg/kg/hr",  "g/kg/hr",  "mg/hr",  "g/hr",
                            "mg/kg/day", "g/kg/day", "mg/day", "g/day"};
constexpr Names mLDoses[] = {"mL/kg/min", "mL/min", "mL/kg/hr", "mL/hr", "mL/kg/day", "mL/day"};

constexpr std::array<ConcentrationUnit, ConcentrationUnitCount> units = {{
    {"mg/mL", mgVials, mgDoses},
    {"mcg/mL", mcgVials, mcgDoses},
    {"Units/mL", unitsVials, unitsDoses},
    {"mUnits/mL", mUnitsVials, mUnitsDoses},
    {"mEq/mL", mEqVials, mEqDoses},
    {"mmol/mL", mmolVials, mmolDoses},
    {"g/mL", gVials, gDoses},
    {"mL Only", {}, mLDoses},
}};

// A six-entry list leaves out the first unit of each pair, so its entries sit
// on the odd indices of the twelve-entry layout.
bool usesOddIndicesOnly(const ConcentrationUnit& unit) { return unit.doseUnits.size() == 6; }

}  // namespace

const std::array<ConcentrationUnit, ConcentrationUnitCount>& concentrationUnits() { return units; }

std::uint32_t makeUnitCode(int concentration, int vialBit, int doseIndex) {
    if (concentration < 0 || concentration > 7 || vialBit < 0 || vialBit > 1 || doseIndex < 0 ||
        doseIndex > 15)
        throw std::out_of_range("unit code part does not fit its bits");
    return static_cast<std::uint32_t>((concentration << 5) | (vialBit << 4) | doseIndex);
}

UnitCodeParts splitUnitCode(std::uint32_t code) {
    return {static_cast<int>(code >> 5 & 7u), static_cast<int>(code >> 4 & 1u),
            static_cast<int>(code & 15u)};
}

std::optional<int> doseIndexAt(const ConcentrationUnit& unit, int position) {
    if (position < 0 || static_cast<std::size_t>(position) >= unit.doseUnits.size())
        return std::nullopt;
    return usesOddIndicesOnly(unit) ? 2 * position + 1 : position;
}

std::optional<int> dosePositionOf(const ConcentrationUnit& unit, int doseIndex) {
    if (doseIndex < 0) return std::nullopt;
    if (usesOddIndicesOnly(unit)) {
        if (doseIndex % 2 == 0) return std::nullopt;
        doseIndex /= 2;
    }
    if (static_cast<std::size_t>(doseIndex) >= unit.doseUnits.size()) return std::nullopt;
    return doseIndex;
}

}  // namespace mc::druglib
