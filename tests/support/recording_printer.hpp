#pragma once
// A printer that keeps the text of every page it is asked to print.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "shell/core/macro_files.hpp"
#include "shell/core/print_page.hpp"

namespace mc::testing {

struct RecordingPrinter {
    std::optional<std::string> problem;  // why the printer takes no jobs at all
    int failAtJob = 0;                   // the job (from 1) that is refused; 0 for none
    int cancelAfterPage = 0;             // the page (from 1) after which the user cancels
    std::vector<std::filesystem::path> files;
    std::vector<std::string> jobs;  // the print file as it was when printed
    std::vector<int> started;       // the page count of each printout begun
    int ended = 0;                  // printouts ended, however they ended

    PrintServices services() {
        return {[this] { return problem; },
                [this](const std::filesystem::path& file) -> std::optional<std::string> {
                    files.push_back(file);
                    const ReadResult read = readFile(file);
                    jobs.push_back(read.status == ReadStatus::Read ? read.bytes : "<unreadable>");
                    if (static_cast<int>(jobs.size()) == failAtJob) return std::string("the printer refused it");
                    return std::nullopt;
                },
                [] { return std::string("05/12/2026"); }, [] { return std::string("15:30"); },
                [this](int printed, int) { return printed != cancelAfterPage; },
                [this](int total) { started.push_back(total); }, [this] { ++ended; },
                [] { return std::string("Office"); }};
    }
};

}  // namespace mc::testing
