#pragma once
// A drug library as one spreadsheet: a row per drug with the drug page's
// captions as headings and a column per department. Exporting lists every
// drug as its page shows it; importing fills every row into the drug page of
// a new library and confirms it with the page's own rules, and the editor's
// Save checks write the file, so that a spreadsheet passes what the window does.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "cli/core/csv_table.hpp"
#include "cli/core/sheet_library.hpp"

namespace mc::cli {

std::string sheetKindName(SheetKind kind);  // "release 041", "US drug library"
std::string sheetExtension(SheetKind kind);  // ".tm2", ".tv1"

// One fault of a spreadsheet: the row as the spreadsheet numbers it (the
// headings are row 1), the column's heading, the value and what is wrong.
struct SheetFault {
    int row = 0;
    std::string column;   // Latin-1
    std::string value;    // Latin-1
    std::string message;  // the page's own message where the page gives one
    bool operator==(const SheetFault&) const = default;
};

struct SheetExport {
    std::string csv;
    int drugs = 0;
};
// The library of a macro file that its editor's reader accepts.
SheetExport exportSheet(SheetKind kind, std::string_view macroBytes);

struct SheetImport {
    std::vector<SheetFault> faults;  // nothing is written when there is one
    std::string error;               // why nothing could be written (the Save page's message)
    int drugs = 0;
    bool written = false;
};
// Builds a library from the table and saves it as `macroName` in `folder`
// through the editor's own Save, which never writes over an existing file.
SheetImport importSheet(SheetKind kind, const CsvTable& table, const std::filesystem::path& folder,
                        const std::string& macroName);

}  // namespace mc::cli
