#pragma once
// The units of a drug and the one-byte unit code that packs them:
// bits 7..5 concentration unit index, bit 4 vial bit, bits 3..0 dose index.

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace mc::druglib {

inline constexpr int ConcentrationUnitCount = 8;

struct ConcentrationUnit {
    std::string_view name;
    // Drug vial units; the vial bit picks the entry. Empty for "mL Only".
    std::span<const std::string_view> vialUnits;
    // Dose units in list order: 12 entries (dose index k at position k) or
    // 6 entries (dose index 2k + 1 at position k, so only odd indices).
    std::span<const std::string_view> doseUnits;
};

// Release 041 concentration units in list order; the position is the index
// kept in the unit code.
const std::array<ConcentrationUnit, ConcentrationUnitCount>& concentrationUnits();

struct UnitCodeParts {
    int concentration = 0;  // 0..7
    int vialBit = 0;        // 0..1
    int doseIndex = 0;      // 0..15
    bool operator==(const UnitCodeParts&) const = default;
};

// Throws std::out_of_range when a part does not fit its bits, so that a wrong
// choice can never spill into a neighbouring field of the byte.
std::uint32_t makeUnitCode(int concentration, int vialBit, int doseIndex);

// Reads the low byte of `code`; any byte splits, used by the unit or not.
UnitCodeParts splitUnitCode(std::uint32_t code);

// Dose index of the entry at `position` of the unit's dose list.
std::optional<int> doseIndexAt(const ConcentrationUnit& unit, int position);

// Position in the unit's dose list of `doseIndex`; empty for an index the unit
// does not use (even ones with a six-entry list, any above 11).
std::optional<int> dosePositionOf(const ConcentrationUnit& unit, int doseIndex);

// Release 036 dose units; the index is the unit code. Latin-1: 0xB5 is the micro sign.
inline constexpr std::array<std::string_view, 4> DoseUnitNames = {
    "\xB5g/kg/min",
    "mg/kg/min",
    "\xB5g/h",
    "mg/h",
};

}  // namespace mc::druglib
