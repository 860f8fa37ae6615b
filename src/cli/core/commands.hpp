#pragma once
// The commands of tavrel-macro without their output: each reads its files
// through the shell's bounded reader, picks the dialect that reads them and
// returns what it found, for the text and JSON reports to show.

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/core/dialect.hpp"
#include "cli/core/library_sheet.hpp"
#include "shell/core/line_diff.hpp"

namespace mc::cli {

// Exit statuses.
inline constexpr int Clean = 0;
inline constexpr int Faulty = 1;  // a file refused, an entry "OK" refuses, files that differ
inline constexpr int Failed = 2;  // usage or read error

// "041" or "036" to read every ".tm2" as that release only.
struct Choice {
    std::optional<std::string> release;
};

// A file read and the dialect its editor reads it with.
struct Opened {
    std::string error;  // why it could not be read at all; empty when read
    std::string bytes;
    std::unique_ptr<Dialect> dialect;
    Reading reading;
    std::vector<std::string> alsoReadBy;  // the other dialects that accept it
};
Opened openMacro(const std::filesystem::path& file, const Choice& choice);

using Sha256 = std::function<std::string(std::string_view bytes)>;

// A file is clean only when its bytes are exactly what the editor's own
// "Save" writes for the library its reader takes, and "OK" takes every entry.
struct FileCheck {
    std::string file;  // as given
    std::string error;
    std::string dialect;
    std::vector<std::string> alsoReadBy;
    std::string sha256;
    Reading reading;
    std::vector<EntryCheck> entries;
    bool clean() const { return error.empty() && reading.accepted() && entries.empty(); }
};
FileCheck checkFile(const std::filesystem::path& file, const Choice& choice, const Sha256& sha256);
int checkStatus(const std::vector<FileCheck>& checks);

using mc::Change;
using mc::EntryDiff;
using mc::diffEntries;

struct FileDiff {
    std::string oldFile, newFile;
    std::string error;
    std::string dialect, newDialect;  // how each file was read
    std::vector<EntryDiff> entries;
    // When the values are equal but the bytes are not: where the files differ.
    std::vector<LineDifference> lines;
    bool equal() const { return error.empty() && entries.empty() && lines.empty(); }
    int status() const { return !error.empty() ? Failed : equal() ? Clean : Faulty; }
};
FileDiff diffFiles(const std::filesystem::path& oldFile, const std::filesystem::path& newFile, const Choice& choice);

struct PrintPages {
    std::string error;
    std::vector<PrintedPage> pages;
    PrintedFile file;  // as the footer of each page names it
};
// The pages the window prints of `file`; `request.fileName` is filled in.
PrintPages printPages(const std::filesystem::path& file, const Choice& choice, PrintRequest request,
                      const Sha256& sha256);

// A drug library written out as a spreadsheet, one row a drug.
struct ExportCsv {
    std::string file, csv;  // as given
    std::string error;      // usage or read error
    std::string dialect;
    Reading reading;        // a file its reader refuses is not exported
    int drugs = 0;
    int status() const { return !error.empty() ? Failed : reading.accepted() ? Clean : Faulty; }
};
// Never writes over an existing file; the spreadsheet appears whole or not at all.
ExportCsv exportCsv(const std::filesystem::path& file, const std::filesystem::path& csv, const Choice& choice);

// A drug library built from a spreadsheet and saved by its editor.
struct ImportCsv {
    std::string csv, file;  // as given
    std::string error;      // usage, read or write error
    std::string dialect;
    SheetImport built;
    int status() const { return !error.empty() ? Failed : built.faults.empty() ? Clean : Faulty; }
};
ImportCsv importCsv(const std::filesystem::path& csv, SheetKind kind, const std::filesystem::path& file);

}  // namespace mc::cli
