#pragma once
// The two printouts of a release-041 drug library, as the text of each page.
// Values are printed as the drug page shows them, with their units.

#include <string>
#include <vector>

#include "druglib_dual/core/drug_library.hpp"
#include "shell/core/print_page.hpp"

namespace mc::druglib {

// The lines every page ends with, after the body.
struct PageFooter {
    std::string fileName;
    std::string date;
    std::string time;
};

// One page per defined drug, in slot order.
std::vector<PrintedPage> printoutByDrug(const DrugLibrary& library, const PageFooter& footer);

// For each department 1..24 with enabled drugs, pages of five drugs each.
std::vector<PrintedPage> printoutByDepartment(const DrugLibrary& library, const PageFooter& footer);

}  // namespace mc::druglib
