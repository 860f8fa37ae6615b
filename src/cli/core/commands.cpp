#include "cli/core/commands.hpp"

#include <algorithm>
#include <climits>
#include <system_error>

#include "shell/core/decimal.hpp"
#include "shell/core/line_diff.hpp"
#include "shell/core/macro_files.hpp"
#include "shell/core/text.hpp"

namespace mc::cli {
namespace {

std::string readError(const std::filesystem::path& file, std::string& bytes) {
    std::filesystem::path target = file;
    if (kindAt(target) == PathKind::Link) {
        // Named on the command line, a link stands for its file.
        std::error_code failed;
        target = std::filesystem::canonical(file, failed);
        if (failed) return "cannot be read: the link leads nowhere";
    }
    switch (kindAt(target)) {
    case PathKind::Nothing: return "no such file";
    case PathKind::Folder: return "is a folder, not a macro file";
    case PathKind::File: break;
    default: return "is not a plain file";
    }
    ReadResult read = readFile(target);
    if (read.status == ReadStatus::TooLarge) return "is larger than 1 MiB, far larger than any macro file";
    if (read.status != ReadStatus::Read) return "cannot be read";
    bytes = std::move(read.bytes);
    return {};
}

std::size_t weight(const Reading& reading) { return reading.problems.size() + (reading.refusal.empty() ? 0 : 1); }

// The first dialect that accepts the file, else the one with the fewest problems.
std::size_t bestOf(const std::vector<Reading>& readings) {
    std::size_t best = 0;
    for (std::size_t i = 0; i < readings.size(); ++i) {
        const bool better = readings[i].accepted() ? !readings[best].accepted() || weight(readings[best]) > 0
                                                   : weight(readings[i]) < weight(readings[best]);
        if (better) best = i;
        if (readings[best].accepted()) break;
    }
    return best;
}

std::vector<std::unique_ptr<Dialect>> chosenDialects(const std::filesystem::path& file, const Choice& choice,
                                                     std::string& error) {
    auto dialects = dialectsFor(file.extension().string());
    if (dialects.empty()) {
        error = "is not a macro file (" + std::string(KnownExtensions) + ")";
        return {};
    }
    if (choice.release) {
        const std::string wanted = "release " + *choice.release;
        std::erase_if(dialects, [&](const auto& d) { return d->name() != wanted; });
        if (dialects.empty()) error = "--release " + *choice.release + " does not apply to this kind of file";
    }
    return dialects;
}

}  // namespace

Opened openMacro(const std::filesystem::path& file, const Choice& choice) {
    Opened opened;
    if (opened.error = readError(file, opened.bytes); !opened.error.empty()) return opened;
    auto dialects = chosenDialects(file, choice, opened.error);
    if (dialects.empty()) return opened;
    std::vector<Reading> readings;
    for (const auto& dialect : dialects) readings.push_back(readExactly(*dialect, opened.bytes));
    const std::size_t best = bestOf(readings);
    for (std::size_t i = 0; i < dialects.size(); ++i)
        if (i != best && readings[i].accepted() && readings[best].accepted())
            opened.alsoReadBy.push_back(dialects[i]->name());
    opened.dialect = std::move(dialects[best]);
    opened.reading = std::move(readings[best]);
    return opened;
}

FileCheck checkFile(const std::filesystem::path& file, const Choice& choice, const Sha256& sha256) {
    FileCheck check;
    check.file = file.string();
    Opened opened = openMacro(file, choice);
    if (!opened.error.empty()) {
        check.error = opened.error;
        return check;
    }
    check.dialect = opened.dialect->name();
    check.alsoReadBy = opened.alsoReadBy;
    check.sha256 = sha256(opened.bytes);
    check.reading = opened.reading;
    check.entries = opened.dialect->checkEntries(opened.bytes);
    return check;
}

int checkStatus(const std::vector<FileCheck>& checks) {
    int status = Clean;
    for (const FileCheck& check : checks)
        status = std::max(status, !check.error.empty() ? Failed : check.clean() ? Clean : Faulty);
    return status;
}

FileDiff diffFiles(const std::filesystem::path& oldFile, const std::filesystem::path& newFile, const Choice& choice) {
    FileDiff diff{oldFile.string(), newFile.string(), {}, {}, {}, {}, {}};
    // Each file is read as the dialect that reads it best, releases apart.
    Opened before = openMacro(oldFile, choice);
    if (!before.error.empty()) {
        diff.error = oldFile.string() + ": " + before.error;
        return diff;
    }
    Opened after = openMacro(newFile, choice);
    if (!after.error.empty()) {
        diff.error = newFile.string() + ": " + after.error;
        return diff;
    }
    if (before.dialect->kind() != after.dialect->kind()) {
        diff.error = "the files are not of the same kind";
        return diff;
    }
    diff.dialect = before.dialect->name();
    diff.newDialect = after.dialect->name();
    if (before.bytes == after.bytes) return diff;
    diff.entries = diffEntries(before.dialect->entries(before.bytes), after.dialect->entries(after.bytes),
                               diff.dialect != diff.newDialect);
    if (diff.entries.empty()) diff.lines = differingLines(before.bytes, after.bytes);
    return diff;
}

PrintPages printPages(const std::filesystem::path& file, const Choice& choice, PrintRequest request,
                      const Sha256& sha256) {
    Opened opened = openMacro(file, choice);
    if (!opened.error.empty()) return {opened.error, {}, {}};
    request.fileName = shownFileName(file.filename());
    Dialect::Printout printout = opened.dialect->printout(opened.bytes, request);
    return {std::move(printout.problem), std::move(printout.pages), {request.fileName, sha256(opened.bytes)}};
}

ExportCsv exportCsv(const std::filesystem::path& file, const std::filesystem::path& csv, const Choice& choice) {
    ExportCsv exported;
    exported.file = file.string();
    exported.csv = csv.string();
    if (kindAt(csv) != PathKind::Nothing) {
        exported.error = exported.csv + ": is there already; nothing was written";
        return exported;
    }
    Opened opened = openMacro(file, choice);
    if (!opened.error.empty()) {
        exported.error = exported.file + ": " + opened.error;
        return exported;
    }
    exported.dialect = opened.dialect->name();
    exported.reading = opened.reading;
    std::optional<SheetKind> kind;
    for (const SheetKind k : {SheetKind::Release041, SheetKind::Release036, SheetKind::Us})
        if (sheetKindName(k) == exported.dialect) kind = k;
    if (!kind) {
        exported.error = exported.file + ": only drug libraries (.tm2, .tv1) have a spreadsheet form";
        return exported;
    }
    if (!exported.reading.accepted()) return exported;
    const SheetExport sheet = exportSheet(*kind, opened.bytes);
    exported.drugs = sheet.drugs;
    switch (writeNewFile(csv, sheet.csv)) {
    case WriteOutcome::Written: break;
    case WriteOutcome::AlreadyExists: exported.error = exported.csv + ": is there already; nothing was written"; break;
    case WriteOutcome::Failed: exported.error = exported.csv + ": cannot be written; nothing was written"; break;
    }
    return exported;
}

ImportCsv importCsv(const std::filesystem::path& csv, SheetKind kind, const std::filesystem::path& file) {
    ImportCsv imported;
    imported.csv = csv.string();
    imported.file = file.string();
    imported.dialect = sheetKindName(kind);
    auto fail = [&imported](const std::string& what, const std::string& why) {
        imported.error = what + ": " + why;
        return imported;
    };
    if (file.extension().string() != sheetExtension(kind))
        return fail(imported.file, "a " + imported.dialect + " is saved as a " + sheetExtension(kind) + " file");
    if (kindAt(file) != PathKind::Nothing) return fail(imported.file, "is there already; nothing was written");
    const std::filesystem::path folder = file.parent_path().empty() ? std::filesystem::path(".") : file.parent_path();
    if (kindAt(folder) != PathKind::Folder) return fail(imported.file, "its folder does not exist");
    const std::string stem = file.stem().string();
    const std::string macroName = utf8ToLatin1(stem);
    if (latin1ToUtf8(macroName) != stem) return fail(imported.file, "the name holds a character Latin-1 cannot hold");

    std::string bytes;
    if (const std::string error = readError(csv, bytes); !error.empty()) return fail(imported.csv, error);
    const CsvTable table = readCsv(bytes);
    if (!table.error.empty()) return fail(imported.csv, table.error);
    imported.built = importSheet(kind, table, folder, macroName);
    if (!imported.built.error.empty()) return fail(imported.file, imported.built.error);
    return imported;
}

}  // namespace mc::cli
