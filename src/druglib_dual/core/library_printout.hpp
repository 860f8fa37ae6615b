#pragma once
// The two printouts of a 510 drug library, as the text of each page. Values
// are taken as the drug page shows them: each drug is shown on the page first
// and its lines are read off the page's controls.

#include <functional>
#include <string>
#include <vector>

#include "druglib_dual/core/drug_library.hpp"
#include "shell/core/form.hpp"
#include "shell/core/print_page.hpp"

namespace mc::druglib {

// Shows drug n on the drug page and returns the page.
using ShowDrug = std::function<const Form&(int drug)>;

// The lines every page ends with, after the body.
struct PageFooter {
    std::string fileName;
    std::string date;
    std::string time;
};

// One page per defined drug, in slot order.
std::vector<PrintedPage> printoutByDrug(const DrugLibrary& library, const ShowDrug& showDrug,
                                        const PageFooter& footer);

// For each department 1..24 with enabled drugs, pages of five drugs each.
std::vector<PrintedPage> printoutByDepartment(const DrugLibrary& library, const ShowDrug& showDrug,
                                              const PageFooter& footer);

}  // namespace mc::druglib
