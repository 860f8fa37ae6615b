#pragma once
// The line forms of the ".tm2" file, in one place for its reader, its writer
// and the explanation of a file's faults. Columns are 0-based.

#include <array>
#include <cstddef>
#include <string_view>

#include "druglib_dual/core/tm2_file.hpp"

namespace mc::druglib::tm2 {

inline constexpr std::size_t NumberStart = 4;
inline constexpr std::size_t DepartmentNumberWidth = 2;
inline constexpr std::size_t DrugNumberWidth = 4;
inline constexpr std::size_t DepartmentEquals = NumberStart + DepartmentNumberWidth;
inline constexpr std::size_t DrugEquals = NumberStart + DrugNumberWidth;
inline constexpr std::size_t DrugNameStart = DrugEquals + 1;
inline constexpr std::size_t ChecksumWidth = 4;

inline constexpr std::string_view DepartmentKey = "DEP:";
inline constexpr std::string_view LibraryKey = "LIBRARY=";
inline constexpr std::size_t DepartmentLineLength = DepartmentEquals + 1 + DepartmentNameWidth;
inline constexpr std::size_t LibraryLineLength = LibraryKey.size() + LibraryNameWidth;

// The hex fields after a drug line's comma: the unit code, the four limit
// codes and the department mask.
struct HexField {
    std::string_view caption;
    std::size_t offset;
    std::size_t width;
};
inline constexpr std::array<HexField, 6> DrugHexFields{{{"unit code", 0, 2},
                                                       {"concentration minimum", 2, 4},
                                                       {"concentration maximum", 6, 4},
                                                       {"dose minimum", 10, 4},
                                                       {"dose maximum", 14, 4},
                                                       {"department mask", 18, 6}}};
inline constexpr std::size_t DrugFieldsWidth = DrugHexFields.back().offset + DrugHexFields.back().width;

struct DrugLineForm {
    std::string_view key;
    std::size_t nameWidth;
    std::size_t checksumWidth;

    constexpr std::size_t commaColumn() const { return DrugNameStart + nameWidth; }
    constexpr std::size_t fieldsStart() const { return commaColumn() + 1; }
    constexpr std::size_t checksumStart() const { return fieldsStart() + DrugFieldsWidth; }
    constexpr std::size_t length() const { return checksumStart() + checksumWidth; }
};

inline constexpr DrugLineForm Release036Line{"D36:", DrugNameWidth036, 0};
inline constexpr DrugLineForm Release041Line{"D41:", DrugNameWidth041, ChecksumWidth};

}  // namespace mc::druglib::tm2
