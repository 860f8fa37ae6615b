#pragma once
// The rules "OK" checks a drug entry against: the limits of the US pump for
// weights, concentration, dose rate, bolus and bolus time, and the departments.

#include <optional>

#include "druglib_us/core/drug_page.hpp"
#include "druglib_us/core/us_library.hpp"
#include "shell/core/decimal.hpp"
#include "shell/core/page_table.hpp"

namespace mc::druglib_us {

struct DrugCheck {
    FieldMessages messages;           // one a violated rule, in the rules' order
    std::optional<DrugEntry> stored;  // the entry to store when no rule was violated
};

// Runs every rule in its fixed order; each violated one says so, naming the
// control of the field it is about (none for the departments).
DrugCheck checkDrugEntry(const DrugPage& page, const NumberFormat& format);

}  // namespace mc::druglib_us
