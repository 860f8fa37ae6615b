#pragma once
// A printer that keeps the text of every page it is asked to print.

#include <filesystem>
#include <string>
#include <vector>

#include "shell/core/macro_files.hpp"
#include "shell/core/print_page.hpp"

namespace mc::testing {

struct RecordingPrinter {
    bool present = true;
    int failAtJob = 0;  // the job (from 1) that fails; 0 for none
    std::vector<std::filesystem::path> files;
    std::vector<std::string> jobs;  // the print file as it was when printed

    PrintServices services() {
        return {[this] { return present; },
                [this](const std::filesystem::path& file) {
                    files.push_back(file);
                    jobs.push_back(readFile(file).value_or("<unreadable>"));
                    return static_cast<int>(jobs.size()) != failAtJob;
                },
                [] { return std::string("05/12/2026"); }, [] { return std::string("15:30"); }};
    }
};

}  // namespace mc::testing
