#include "shell/core/print_page.hpp"

#include <algorithm>

#include "shell/core/macro_files.hpp"
#include "shell/core/text.hpp"

namespace mc {

std::vector<std::string> signatureFooter(const std::string& date, const std::string& time) {
    std::vector<std::string> lines{"Printed " + date + " at " + time};
    for (int i = 0; i < 4; ++i) {
        lines.emplace_back();
        lines.emplace_back();
        lines.emplace_back("Name: .......................... Signature: .............. Date:..............");
    }
    return lines;
}

std::string pageFooter(const PrintedFile& file, int page, int pages, const std::string& printedAt) {
    return "File " + file.name + "  SHA-256 " + (file.sha256.empty() ? std::string("not saved") : file.sha256.substr(0, 16)) +
           "  Page " + std::to_string(page) + " of " + std::to_string(pages) + "  Printed " + printedAt;
}

std::optional<std::string> printPage(const std::filesystem::path& folder, const PrintedPage& lines,
                                     const std::string& footer, PrintServices& services) {
    // The file stays behind after the job: it is the record of the last page sent.
    const std::filesystem::path file = fileIn(folder, PrintFileName);
    if (!replaceFile(file, joinCrLf(lines))) return "the print file " + std::string(PrintFileName) + " could not be written";
    return services.printFile(file, footer);
}

std::optional<std::string> printPages(const std::filesystem::path& folder, const std::vector<PrintedPage>& pages,
                                      const PrintedFile& file, PrintServices& services) {
    // A model given no printer has none.
    const auto problem = services.printerProblem ? services.printerProblem() : std::string("There is no default printer.");
    if (problem) return *problem + " Nothing was printed.";
    const auto total = static_cast<int>(pages.size());
    if (services.printingStarts) services.printingStarts(total);
    std::optional<std::string> outcome;
    for (int k = 0; k < total && !outcome; ++k) {
        const std::string footer = pageFooter(file, k + 1, total, services.printedAt ? services.printedAt() : std::string());
        if (const auto refused = printPage(folder, pages[static_cast<std::size_t>(k)], footer, services)) {
            outcome = "Printing stopped: " + std::to_string(k) + " of " + std::to_string(total) +
                      " pages were printed. Page " + std::to_string(k + 1) + " was not printed (" + *refused +
                      "), nor were the pages after it.";
        } else if (services.pagePrinted && !services.pagePrinted(k + 1, total) && k + 1 < total) {
            outcome = "Printing cancelled: " + std::to_string(k + 1) + " of " + std::to_string(total) +
                      " pages were printed; the rest were not.";
        }
    }
    if (services.printingEnds) services.printingEnds();
    return outcome;
}

std::vector<PrintedPage> changeReportPages(const std::string& title, const std::vector<std::string>& lines,
                                           const std::string& date, const std::string& time) {
    // The body font fits some 80 lines on a sheet; the signatures take 13 of them.
    constexpr std::size_t LinesPerPage = 50;
    const std::size_t pageCount = std::max<std::size_t>(1, (lines.size() + LinesPerPage - 1) / LinesPerPage);
    const auto signatures = signatureFooter(date, time);
    std::vector<PrintedPage> pages;
    for (std::size_t p = 0; p < pageCount; ++p) {
        PrintedPage page{title + (pageCount > 1 ? " (" + std::to_string(p + 1) + " of " + std::to_string(pageCount) + ")" : "")};
        for (std::size_t i = p * LinesPerPage; i < lines.size() && i < (p + 1) * LinesPerPage; ++i)
            page.push_back(lines[i]);
        page.insert(page.end(), {"", ""});
        page.insert(page.end(), signatures.begin(), signatures.end());
        pages.push_back(std::move(page));
    }
    return pages;
}

std::string printedMessage(std::size_t pageCount, const PrintServices& services) {
    std::string said = "Printed " + std::to_string(pageCount) + (pageCount == 1 ? " page" : " pages");
    if (const std::string printer = services.printerName ? services.printerName() : std::string(); !printer.empty())
        said += " on " + printer;
    return said;
}

}  // namespace mc
