#pragma once
// Printed pages: each page is written as text into the print file of the
// working directory and then printed from there, one print job per page.

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mc {

inline constexpr std::string_view PrintFileName = "ToPrint.tmp";

using PrintedPage = std::vector<std::string>;  // title first, then the body lines

// What printing needs from the system; the shell gives the real ones.
struct PrintServices {
    // Why the default printer cannot take jobs now ("There is no default
    // printer."), or nothing when it can.
    std::function<std::optional<std::string>()> printerProblem;
    // Prints the print file as one page on the default printer. Nothing when
    // the printer accepted the job, else why it did not.
    std::function<std::optional<std::string>(const std::filesystem::path& printFile)> printFile;
    // The current date and time, as text in the user's regional formats.
    std::function<std::string()> currentDate;
    std::function<std::string()> currentTime;
    // Told when a printout of several pages starts and ends, and after each
    // page (returning false stops the printout there). Each may be empty.
    std::function<bool(int printed, int total)> pagePrinted;
    std::function<void(int total)> printingStarts;
    std::function<void()> printingEnds;
    // The name of the printer the pages go to; may be empty.
    std::function<std::string()> printerName;
};

// The footer every printed page ends with: the print date and four lines for
// name, signature and date, each after two empty lines.
std::vector<std::string> signatureFooter(const std::string& date, const std::string& time);

// Writes one page (title first, then the body, which should already end with
// the footer) into the print file of `folder` and prints it. Nothing when the
// printer took the page, else why not (nothing is printed when the print file
// cannot be written).
std::optional<std::string> printPage(const std::filesystem::path& folder, const PrintedPage& lines,
                                     PrintServices& services);

// Prints the pages one job each, first asking whether the printer takes jobs
// at all, and stops at the first page it refuses or when told to stop.
// Nothing when every page was printed; else what the Open page says: how many
// pages were printed and that the rest were not.
std::optional<std::string> printPages(const std::filesystem::path& folder, const std::vector<PrintedPage>& pages,
                                      PrintServices& services);

// What the status strip says after every page of a printout was printed:
// "Printed 3 pages on Office".
std::string printedMessage(std::size_t pageCount, const PrintServices& services);

}  // namespace mc
