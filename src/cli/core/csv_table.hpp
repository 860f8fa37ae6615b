#pragma once
// Spreadsheet files (CSV) as the program reads and writes them, through
// libcsv: RFC 4180 quoting, "," or ";" between fields, fields with line
// breaks. Files written here are Latin-1 with CR LF; files read may come from
// any spreadsheet program: a byte-order mark, CR LF or LF, Latin-1 or UTF-8.

#include <string>
#include <string_view>
#include <vector>

namespace mc::cli {

// One field as read, turned into the Latin-1 the macros hold.
struct CsvCell {
    std::string text;   // Latin-1; a character Latin-1 cannot hold is '?'
    std::string fault;  // why the field cannot be taken as it stands; empty when it can
};

struct CsvTable {
    std::string error;  // why the file is no CSV at all; empty when read
    char separator = ',';
    bool utf8 = false;
    std::vector<std::vector<CsvCell>> rows;  // the records, the header first
};

// The separator is the one that follows the first field of the first line
// ("," unless it is ";"); the file is UTF-8 when it starts with a byte-order
// mark or is well-formed UTF-8 throughout, else Latin-1.
CsvTable readCsv(std::string_view bytes);

// Every field quoted, "," between fields, CR LF after each record.
std::string writeCsv(const std::vector<std::vector<std::string>>& rows);

}  // namespace mc::cli
