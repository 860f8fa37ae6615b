#pragma once
// Printed pages: each page is written as text into the print file of the
// working directory and then printed from there, one print job per page.

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace mc {

inline constexpr std::string_view PrintFileName = "ToPrint.tmp";

// What printing needs from the system; the shell gives the real ones.
struct PrintServices {
    std::function<bool()> hasDefaultPrinter;
    // Prints the print file as one page on the default printer; false when the job failed.
    std::function<bool(const std::filesystem::path& printFile)> printFile;
    // The current date and time, as text in the user's regional formats.
    std::function<std::string()> currentDate;
    std::function<std::string()> currentTime;
};

// The footer every printed page ends with: the print date and four lines for
// name, signature and date, each after two empty lines.
std::vector<std::string> signatureFooter(const std::string& date, const std::string& time);

// Writes one page (title first, then the body, which should already end with
// the footer) into the print file of `folder` and prints it. False, with
// nothing printed, when the file cannot be written or the job fails.
bool printPage(const std::filesystem::path& folder, const std::vector<std::string>& lines, PrintServices& services);

}  // namespace mc
