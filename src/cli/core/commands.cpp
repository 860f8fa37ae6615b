#include "cli/core/commands.hpp"

#include <algorithm>
#include <system_error>

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
    for (const auto& dialect : dialects) readings.push_back(dialect->read(opened.bytes));
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

std::vector<EntryDiff> diffEntries(const std::vector<Entry>& before, const std::vector<Entry>& after) {
    constexpr std::size_t None = static_cast<std::size_t>(-1);
    std::vector<std::size_t> partner(before.size(), None);
    std::vector<bool> taken(after.size(), false);
    auto match = [&](auto same) {
        for (std::size_t i = 0; i < before.size(); ++i) {
            if (partner[i] != None) continue;
            for (std::size_t j = 0; j < after.size(); ++j) {
                if (taken[j] || after[j].kind != before[i].kind || !same(before[i], after[j])) continue;
                partner[i] = j;
                taken[j] = true;
                break;
            }
        }
    };
    match([](const Entry& a, const Entry& b) { return a.matchByName && !a.name.empty() && a.name == b.name; });
    match([](const Entry& a, const Entry& b) { return a.number == b.number; });

    std::vector<EntryDiff> diffs;
    for (std::size_t i = 0; i < before.size(); ++i) {
        const Entry& old = before[i];
        if (partner[i] == None) {
            diffs.push_back({EntryDiff::What::Removed, old.kind, old.name, old.number, 0, {}});
            continue;
        }
        const Entry& now = after[partner[i]];
        EntryDiff diff{EntryDiff::What::Changed, old.kind, old.name, old.number, now.number, {}};
        for (std::size_t f = 0; f < std::max(old.fields.size(), now.fields.size()); ++f) {
            const Field a = f < old.fields.size() ? old.fields[f] : Field{now.fields[f].caption, ""};
            const Field b = f < now.fields.size() ? now.fields[f] : Field{a.caption, ""};
            if (a.caption != b.caption) {
                diff.changes.push_back({a.caption, a.value, ""});
                diff.changes.push_back({b.caption, "", b.value});
            } else if (a.value != b.value) {
                diff.changes.push_back({a.caption, a.value, b.value});
            }
        }
        if (!diff.changes.empty() || diff.moved()) diffs.push_back(std::move(diff));
    }
    for (std::size_t j = 0; j < after.size(); ++j)
        if (!taken[j]) diffs.push_back({EntryDiff::What::Added, after[j].kind, after[j].name, 0, after[j].number, {}});
    return diffs;
}

FileDiff diffFiles(const std::filesystem::path& oldFile, const std::filesystem::path& newFile, const Choice& choice) {
    FileDiff diff{oldFile.string(), newFile.string(), {}, {}, {}};
    auto fail = [&diff](const std::filesystem::path& file, const std::string& why) {
        diff.error = file.string() + ": " + why;
        return diff;
    };
    std::string error, oldBytes, newBytes;
    if (error = readError(oldFile, oldBytes); !error.empty()) return fail(oldFile, error);
    if (error = readError(newFile, newBytes); !error.empty()) return fail(newFile, error);
    auto oldDialects = chosenDialects(oldFile, choice, error);
    if (!error.empty()) return fail(oldFile, error);
    auto newDialects = chosenDialects(newFile, choice, error);
    if (!error.empty()) return fail(newFile, error);

    // The dialect both files have in common that reads them best.
    std::erase_if(oldDialects, [&](const auto& d) {
        return std::none_of(newDialects.begin(), newDialects.end(), [&](const auto& n) { return n->name() == d->name(); });
    });
    if (oldDialects.empty()) {
        diff.error = "the files are not of the same kind";
        return diff;
    }
    std::vector<Reading> together;
    for (const auto& dialect : oldDialects) {
        Reading both = dialect->read(oldBytes);
        const Reading second = dialect->read(newBytes);
        both.problems.insert(both.problems.end(), second.problems.begin(), second.problems.end());
        if (both.refusal.empty()) both.refusal = second.refusal;
        together.push_back(std::move(both));
    }
    const Dialect& dialect = *oldDialects[bestOf(together)];
    diff.dialect = dialect.name();
    diff.entries = diffEntries(dialect.entries(oldBytes), dialect.entries(newBytes));
    return diff;
}

PrintPages printPages(const std::filesystem::path& file, const Choice& choice, PrintRequest request) {
    Opened opened = openMacro(file, choice);
    if (!opened.error.empty()) return {opened.error, {}};
    request.fileName = shownFileName(file.filename());
    Dialect::Printout printout = opened.dialect->printout(opened.bytes, request);
    return {std::move(printout.problem), std::move(printout.pages)};
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
