// Feeds arbitrary bytes to the spreadsheet reader. Besides crashes, hangs and
// sanitizer reports it checks that whatever it reads, written out again, reads
// back in the same rows and fields, and the same texts where they are ASCII.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "cli/core/csv_table.hpp"

namespace {

void check(bool condition) {
    if (!condition) std::abort();
}

bool ascii(std::string_view text) {
    for (const char c : text)
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace mc::cli;
    const CsvTable read = readCsv(std::string_view(reinterpret_cast<const char*>(data), size));
    check(read.separator == ',' || read.separator == ';');
    if (!read.error.empty()) return 0;
    std::vector<std::vector<std::string>> rows;
    bool allAscii = true;
    for (const auto& row : read.rows) {
        rows.emplace_back();
        for (const CsvCell& cell : row) {
            rows.back().push_back(cell.text);
            allAscii = allAscii && ascii(cell.text);
        }
    }
    const CsvTable again = readCsv(writeCsv(rows));
    check(again.error.empty());
    check(again.rows.size() == rows.size());
    for (std::size_t r = 0; r < rows.size(); ++r) {
        check(again.rows[r].size() == rows[r].size());
        for (std::size_t c = 0; allAscii && c < rows[r].size(); ++c) check(again.rows[r][c].text == rows[r][c]);
    }
    return 0;
}
