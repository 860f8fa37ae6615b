#pragma once
// The drug library of the US pump in memory: 24 department names and up to 128
// drug entries with soft and hard limits. Every field but the two weights and
// the department mask is kept as the text the technician typed or picked; that
// text is what the ".tv1" file carries.

#include <cstdint>
#include <string>

#include "shell/core/table.hpp"

namespace mc::druglib_us {

inline constexpr int DepartmentCount = 24;
inline constexpr int MaxDrugCount = 128;
inline constexpr int DepartmentNameLength = 20;  // Text1..Text24 and the shown names
inline constexpr int DrugNameLength = 20;        // Text26

struct DrugEntry {
    std::string DrugName;
    std::int16_t WeightLowerSoft = 0;
    std::int16_t WeightUpperSoft = 0;
    std::string ConcUnits;
    std::string Concentration;
    std::string DoseUnits;
    std::string DoseRateLowerSoft;
    std::string DoseRateUpperSoft;
    std::string DoseRateLowerHard;
    std::string DoseRateUpperHard;
    std::string DoseRateInitial;
    std::string BolusMode;
    std::string BolusInitial;
    std::string BolusTimeUnits;
    std::string BolusRate;  // used with bolus time units "NOTIME"
    std::string BolusTime;  // used with the other bolus time units
    std::string BolusLowerSoft;
    std::string BolusUpperSoft;
    std::string BolusLowerHard;
    std::string BolusUpperHard;
    std::int32_t DrugDepartments = 0;  // bit k-1 set: department k may use the drug

    bool operator==(const DrugEntry&) const = default;
};

struct UsDrugLibrary {
    Table<std::string, DepartmentCount> DepartmentName;
    int DrugCount = 0;
    // Entry 129 always stays empty, so that deleting entry 128 shifts an empty
    // entry into its place.
    Table<DrugEntry, MaxDrugCount + 1> Drug;

    void ResetMacro() { *this = UsDrugLibrary{}; }
    bool operator==(const UsDrugLibrary&) const = default;
};

}  // namespace mc::druglib_us
