#pragma once
// The in-memory drug library of the 510 pump, shared by releases 041 and 036:
// 25 department names and 100 drug slots that always exist.

#include <cstdint>
#include <string>

#include "shell/core/table.hpp"

namespace mc::druglib {

// The two software releases of the 510 pump, each with its own editor and line forms.
enum class Release { R041, R036 };

inline constexpr int DepartmentCount = 25;
inline constexpr int DrugCount = 100;
// Only departments 1..24 can be enabled for a drug; department 25 has a name only.
inline constexpr int MaskDepartmentCount = 24;

struct DrugLibrary {
    Table<std::string, DepartmentCount> DepartmentNames;
    Table<std::string, DrugCount> DrugNames;
    Table<std::uint32_t, DrugCount> DrugUnitCodes;  // one byte (041) or the dose unit index (036)
    Table<std::uint32_t, DrugCount> ConcMinCodes;   // 16-bit limit codes
    Table<std::uint32_t, DrugCount> ConcMaxCodes;
    Table<std::uint32_t, DrugCount> DoseMinCodes;
    Table<std::uint32_t, DrugCount> DoseMaxCodes;
    Table<std::uint32_t, DrugCount> DepartmentMasks;  // bit d-1 = department d, d = 1..24
    std::string LibraryName;                          // release 041 only

    // Empties every table; the active drug is page state and is not part of it.
    void ResetMacro() { *this = DrugLibrary{}; }

    bool operator==(const DrugLibrary&) const = default;
};

// A slot counts as not defined when its name begins with ten blanks and no
// department is enabled (slots read from a file have 14-character names).
inline bool isDefined(const DrugLibrary& library, int drug) {
    return !(library.DrugNames[drug].starts_with("          ") && library.DepartmentMasks[drug] == 0);
}

}  // namespace mc::druglib
