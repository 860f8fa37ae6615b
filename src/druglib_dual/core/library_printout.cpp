#include "druglib_dual/core/library_printout.hpp"

#include "druglib_dual/core/drug_page.hpp"
#include "shell/core/print_page.hpp"
#include "shell/core/text.hpp"

namespace mc::druglib {
namespace {

constexpr int DrugsPerPage = 5;

std::string fieldLine(const std::string& caption, const std::string& value) {
    return padRight(caption, 25) + ": " + value;
}

void appendDrugBlock(PrintedPage& page, const DrugLibrary& library, int n) {
    const DrugPage drug = shownDrug(library, n, Release::R041);
    const DrugPageUnits units = unitsOf(drug, Release::R041);
    page.push_back(fieldLine("Drug Number", std::to_string(n)));
    page.push_back(fieldLine("Drug Name", drug.name));
    if (units.concentrationUnit == "mL Only") {
        page.push_back(fieldLine("", "mL Only"));
    } else {
        page.push_back(fieldLine("Concentration Minimum", drug.concMin + " " + units.concentrationLabel));
        page.push_back(fieldLine("Concentration Maximum", drug.concMax + " " + units.concentrationLabel));
        page.push_back(fieldLine("Drug Vial Units", units.vialUnit));
    }
    page.push_back(fieldLine("Dose Minimum", drug.doseMin + " " + units.doseUnit));
    page.push_back(fieldLine("Dose Maximum", drug.doseMax + " " + units.doseUnit));
}

void appendFooter(PrintedPage& page, const PageFooter& footer) {
    page.insert(page.end(), {"", "", "File Name " + footer.fileName});
    const auto signatures = signatureFooter(footer.date, footer.time);
    page.insert(page.end(), signatures.begin(), signatures.end());
}

bool enabledIn(const DrugLibrary& library, int drug, int department) {
    return (library.DepartmentMasks[drug] >> (department - 1) & 1u) != 0;
}

std::string onOff(const DrugLibrary& library, int drug, int department) {
    return enabledIn(library, drug, department) ? "ON" : "OFF";
}

}  // namespace

std::vector<PrintedPage> printoutByDrug(const DrugLibrary& library, const PageFooter& footer) {
    std::vector<int> drugs;
    for (int n = 1; n <= DrugCount; ++n)
        if (isDefined(library, n)) drugs.push_back(n);

    std::vector<PrintedPage> pages;
    for (std::size_t k = 0; k < drugs.size(); ++k) {
        PrintedPage page{"Drug Library: " + library.LibraryName + "          Page " + std::to_string(k + 1) +
                         " of " + std::to_string(drugs.size())};
        appendDrugBlock(page, library, drugs[k]);
        const auto& names = library.DepartmentNames;
        for (int i = 1; i <= 12; ++i) {
            std::string line = padRight(names[i], 30) + onOff(library, drugs[k], i);
            line = padRight(padRight(line, 40) + names[i + 12], 70) + onOff(library, drugs[k], i + 12);
            page.push_back(line);
        }
        page.push_back(std::string(40, ' ') + names[25]);  // department 25 is never enabled for a drug
        appendFooter(page, footer);
        pages.push_back(std::move(page));
    }
    return pages;
}

std::vector<PrintedPage> printoutByDepartment(const DrugLibrary& library, const PageFooter& footer) {
    std::vector<PrintedPage> pages;
    for (int department = 1; department <= MaskDepartmentCount; ++department) {
        std::vector<int> drugs;
        for (int n = 1; n <= DrugCount; ++n)
            if (isDefined(library, n) && enabledIn(library, n, department)) drugs.push_back(n);
        const auto pageCount = (drugs.size() + DrugsPerPage - 1) / DrugsPerPage;
        for (std::size_t p = 0; p < pageCount; ++p) {
            PrintedPage page{library.LibraryName + ", " + library.DepartmentNames[department] + " (" +
                             std::to_string(department) + ") Page " + std::to_string(p + 1) + " of " +
                             std::to_string(pageCount)};
            for (std::size_t i = p * DrugsPerPage; i < drugs.size() && i < (p + 1) * DrugsPerPage; ++i) {
                appendDrugBlock(page, library, drugs[i]);
                page.emplace_back();
            }
            appendFooter(page, footer);
            pages.push_back(std::move(page));
        }
    }
    return pages;
}

}  // namespace mc::druglib
