#include "shell/core/print_page.hpp"

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

bool printPage(const std::filesystem::path& folder, const std::vector<std::string>& lines, PrintServices& services) {
    // The file stays behind after the job: it is the record of the last page sent.
    const std::filesystem::path file = fileIn(folder, PrintFileName);
    if (!replaceFile(file, joinCrLf(lines))) return false;
    return services.printFile(file);
}

}  // namespace mc
