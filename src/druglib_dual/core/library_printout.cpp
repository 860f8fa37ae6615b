#include "druglib_dual/core/library_printout.hpp"

#include "shell/core/print_page.hpp"
#include "shell/core/text.hpp"

namespace mc::druglib {
namespace {

constexpr int DrugsPerPage = 5;

std::string fieldLine(const std::string& caption, const std::string& value) {
    return padRight(caption, 25) + ": " + value;
}

void appendDrugBlock(PrintedPage& page, const Form& drug) {
    auto withUnit = [&](const char* box, const char* unit) { return drug[box].text + " " + drug[unit].text; };
    page.push_back(fieldLine("Drug Number", drug["Label1"].text));
    page.push_back(fieldLine("Drug Name", drug["Text26"].text));
    if (drug["Combo2"].selectedText() == "mL Only") {
        page.push_back(fieldLine("", "mL Only"));
    } else {
        page.push_back(fieldLine("Concentration Minimum", withUnit("Text27", "Label8")));
        page.push_back(fieldLine("Concentration Maximum", withUnit("Text28", "Label9")));
        page.push_back(fieldLine("Drug Vial Units", drug["Combo3"].selectedText()));
    }
    page.push_back(fieldLine("Dose Minimum", withUnit("Text31", "Label10")));
    page.push_back(fieldLine("Dose Maximum", withUnit("Text32", "Label11")));
}

void appendFooter(PrintedPage& page, const PageFooter& footer) {
    page.insert(page.end(), {"", "", "File Name " + footer.fileName});
    const auto signatures = signatureFooter(footer.date, footer.time);
    page.insert(page.end(), signatures.begin(), signatures.end());
}

std::string onOff(const Form& drug, int department) {
    return drug["Check" + std::to_string(department)].checked ? "ON" : "OFF";
}

bool enabledIn(const DrugLibrary& library, int drug, int department) {
    return (library.DepartmentMasks[drug] >> (department - 1) & 1u) != 0;
}

}  // namespace

std::vector<PrintedPage> printoutByDrug(const DrugLibrary& library, const ShowDrug& showDrug,
                                        const PageFooter& footer) {
    std::vector<int> drugs;
    for (int n = 1; n <= DrugCount; ++n)
        if (isDefined(library, n)) drugs.push_back(n);

    std::vector<PrintedPage> pages;
    for (std::size_t k = 0; k < drugs.size(); ++k) {
        PrintedPage page{"Drug Library: " + library.LibraryName + "          Page " + std::to_string(k + 1) +
                         " of " + std::to_string(drugs.size())};
        const Form& drug = showDrug(drugs[k]);
        appendDrugBlock(page, drug);
        const auto& names = library.DepartmentNames;
        for (int i = 1; i <= 12; ++i) {
            std::string line = padRight(names[i], 30) + onOff(drug, i);
            line = padRight(padRight(line, 40) + names[i + 12], 70) + onOff(drug, i + 12);
            page.push_back(line);
        }
        page.push_back(std::string(40, ' ') + names[25]);  // department 25 is never enabled for a drug
        appendFooter(page, footer);
        pages.push_back(std::move(page));
    }
    return pages;
}

std::vector<PrintedPage> printoutByDepartment(const DrugLibrary& library, const ShowDrug& showDrug,
                                              const PageFooter& footer) {
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
                appendDrugBlock(page, showDrug(drugs[i]));
                page.emplace_back();
            }
            appendFooter(page, footer);
            pages.push_back(std::move(page));
        }
    }
    return pages;
}

}  // namespace mc::druglib
