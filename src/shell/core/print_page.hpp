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
    // Prints the print file as one page on the default printer, with the
    // footer line below its body. Nothing when the printer accepted the job,
    // else why it did not.
    std::function<std::optional<std::string>(const std::filesystem::path& printFile, const std::string& footer)>
        printFile;
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
    // When the pages are printed, for their footer: "2026-12-06 14:05".
    std::function<std::string()> printedAt;
    // The SHA-256 of bytes, 64 lower-case hexadecimal digits.
    std::function<std::string(std::string_view bytes)> sha256;
};

// The file a printout is of, as the footer of each of its pages names it, so
// that a signature on paper is tied to the very bytes that reach the pump.
struct PrintedFile {
    std::string name;    // "ward3.tm2"
    std::string sha256;  // of its bytes; empty for a library not saved yet
};

// "File ward3.tm2  SHA-256 ba33bbf01d353c74  Page 2 of 3  Printed 2026-12-06 14:05":
// the first 16 digits of the digest, or "not saved".
std::string pageFooter(const PrintedFile& file, int page, int pages, const std::string& printedAt);

// The footer every printed page ends with: the print date and four lines for
// name, signature and date, each after two empty lines.
std::vector<std::string> signatureFooter(const std::string& date, const std::string& time);

// Writes one page (title first, then the body, which should already end with
// the signature lines) into the print file of `folder` and prints it with the
// footer line below. Nothing when the printer took the page, else why not
// (nothing is printed when the print file cannot be written).
std::optional<std::string> printPage(const std::filesystem::path& folder, const PrintedPage& lines,
                                     const std::string& footer, PrintServices& services);

// Prints the pages one job each, first asking whether the printer takes jobs
// at all, and stops at the first page it refuses or when told to stop.
// Nothing when every page was printed; else what the Open page says: how many
// pages were printed and that the rest were not.
std::optional<std::string> printPages(const std::filesystem::path& folder, const std::vector<PrintedPage>& pages,
                                      const PrintedFile& file, PrintServices& services);

// A report of lines (the changes to a library) as pages titled `title`, each
// ending with the date line and the signature lines, for the sign-off record.
std::vector<PrintedPage> changeReportPages(const std::string& title, const std::vector<std::string>& lines,
                                           const std::string& date, const std::string& time);

// What the status strip says after every page of a printout was printed:
// "Printed 3 pages on Office".
std::string printedMessage(std::size_t pageCount, const PrintServices& services);

}  // namespace mc
