#pragma once
// The drug page of both releases as typed data: what its boxes and lists
// show of a drug, the rules its "OK" checks them against, and what it stores.
// The editors render a DrugPage into their controls; the command-line program
// reads, checks and prints drugs through the same functions, without a page.

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "druglib_dual/core/drug_library.hpp"
#include "shell/core/decimal.hpp"
#include "shell/core/page_table.hpp"

namespace mc::druglib {

// The drug page's fields, in the order the page and a spreadsheet show them.
const PageTable& drugPageTable(Release release);

struct DrugPage {
    std::string name;
    int concentrationUnit = -1;  // release 041: position in concentrationUnits(); -1 none chosen
    int vialUnit = -1;           // release 041: position in the concentration unit's vial units
    int doseUnit = -1;           // position in the dose list (of the concentration unit, or of release 036)
    std::string concMin, concMax, doseMin, doseMax;
    std::uint32_t departments = 0;  // bit d-1: department d ticked, d = 1..24
    // Release 036: the stored unit code, kept while no dose unit is chosen.
    std::uint32_t keptUnitCode = 0;
    bool operator==(const DrugPage&) const = default;
};

// What the page shows around the values: the lists it offers, the unit
// labels beside the limits, and whether the concentration rows are shown
// ("mL Only" has none).
struct DrugPageUnits {
    std::vector<std::string> concentrationUnits, vialUnits, doseUnits;
    std::string concentrationUnit, vialUnit, doseUnit;  // the chosen entries; "" for none
    std::string concentrationLabel;                     // beside the concentration limits
    bool concentrationShown = true;
};
DrugPageUnits unitsOf(const DrugPage& page, Release release);

// Drug n as its page shows it after a restore.
DrugPage shownDrug(const DrugLibrary& library, int n, Release release);

// A new concentration unit empties the concentration limits and both lists
// below it; a new dose unit empties the dose limits.
void chooseConcentrationUnit(DrugPage& page, int unit);
void chooseDoseUnit(DrugPage& page, int unit);

// What the release stores for a drug that passed its rules.
struct DrugCodes {
    std::uint32_t unit, concMin, concMax, doseMin, doseMax;
};
struct DrugCheck {
    FieldMessages messages;  // one a violated rule, in the page's order
    std::optional<DrugCodes> codes;
};
DrugCheck checkDrug(const DrugPage& page, Release release, const NumberFormat& format);

// Stores a drug that passed its rules as drug n.
void storeDrug(DrugLibrary& library, int n, const DrugPage& page, const DrugCodes& codes);

// The drug's fields as its page shows them, caption and value with its unit,
// in page order; the hidden ones left out, the departments last ("1, 3" or "none").
std::vector<std::pair<std::string, std::string>> shownFields(const DrugPage& page, Release release);

}  // namespace mc::druglib
