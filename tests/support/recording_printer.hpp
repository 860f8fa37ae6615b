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
        PrintServices services;
        services.printerProblem = [this] { return problem; };
        services.printFile = [this](const std::filesystem::path& file,
                                    const std::string&) -> std::optional<std::string> {
            files.push_back(file);
            const ReadResult read = readFile(file);
            jobs.push_back(read.status == ReadStatus::Read ? read.bytes : "<unreadable>");
            if (static_cast<int>(jobs.size()) == failAtJob) return std::string("the printer refused it");
            return std::nullopt;
        };
        services.currentDate = [] { return std::string("05/12/2026"); };
        services.currentTime = [] { return std::string("15:30"); };
        services.pagePrinted = [this](int printed, int) { return printed != cancelAfterPage; };
        services.printingStarts = [this](int total) { started.push_back(total); };
        services.printingEnds = [this] { ++ended; };
        services.printerName = [] { return std::string("Office"); };
        services.printedAt = [] { return std::string("2026-12-05 15:30"); };
        services.sha256 = [](std::string_view bytes) { return "digest-of-" + std::to_string(bytes.size()) + "-bytes"; };
        return services;
    }
};

}  // namespace mc::testing
