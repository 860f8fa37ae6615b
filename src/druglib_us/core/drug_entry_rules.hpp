#pragma once
// The rules "OK" checks a drug entry against: the limits of the US pump for
// weights, concentration, dose rate, bolus and bolus time, and the departments.

#include <cstdint>
#include <optional>
#include <vector>
#include <string>

#include "druglib_us/core/us_library.hpp"
#include "shell/core/decimal.hpp"

namespace mc::druglib_us {

// The dose units of a concentration units family, in the order they are offered;
// empty for a text that is none of the four concentration units.
const std::vector<std::string>& doseUnitsFor(const std::string& concUnits);
bool isWeightBasedDoseUnit(const std::string& doseUnits);
// The unit of the bolus boxes; nothing when the caption stays as it was
// (bolus mode "WEIGHT" without dose units).
std::optional<std::string> bolusUnitCaption(const std::string& bolusMode, const std::string& doseUnits);

// The drug page as "OK" reads it: every text as it stands in its box, every
// picker's chosen text ("" when nothing is picked), the ticked departments as
// a mask. The weights are still texts here; `entry`'s weight fields are unused.
struct DrugPage {
    DrugEntry entry;
    std::string weightLowerSoft;
    std::string weightUpperSoft;
};

struct DrugCheck {
    std::string messages;  // each violated rule's message followed by CR LF
    DrugEntry stored;      // the entry to store when no rule was violated
    bool accepted() const { return messages.empty(); }
};

// Runs every rule in its fixed order and collects the message of each one violated.
DrugCheck checkDrugEntry(const DrugPage& page, const NumberFormat& format);

}  // namespace mc::druglib_us
