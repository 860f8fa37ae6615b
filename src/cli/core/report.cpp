#include "cli/core/report.hpp"

#include <nlohmann/json.hpp>

#include "shell/core/text.hpp"

namespace mc::cli {
namespace {

using nlohmann::json;

// Texts from a file may hold control characters; a terminal must not act on them.
std::string utf8(std::string_view latin1) {
    std::string shown(latin1);
    for (char& c : shown) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || (byte >= 0x7F && byte < 0xA0)) c = '?';
    }
    return latin1ToUtf8(shown);
}

std::string dump(const json& document) {
    // File names come from the command line and may not be UTF-8.
    return document.dump(2, ' ', false, json::error_handler_t::replace) + "\n";
}


std::string readBy(const FileCheck& check) {
    std::string text = " (" + check.dialect;
    for (const std::string& other : check.alsoReadBy) text += "; " + other + " reads it too";
    return text + ")";
}


const char* whatText(EntryDiff::What what) {
    switch (what) {
    case EntryDiff::What::Added: return "added";
    case EntryDiff::What::Removed: return "removed";
    case EntryDiff::What::Changed: return "changed";
    }
    return "";
}

std::string quoted(const std::string& latin1) { return "\"" + utf8(latin1) + "\""; }

std::string readAs(const FileDiff& diff) {
    return diff.newDialect == diff.dialect ? diff.dialect : diff.dialect + " and " + diff.newDialect;
}

// Where two files differ though their values are the same, old -> new.
std::string lineText(const LineDifference& d) {
    const std::string at = "line " + std::to_string(d.line) + ": ";
    switch (d.kind) {
    case LineDifference::Kind::Changed: return at + quoted(d.first) + " -> " + quoted(d.second);
    case LineDifference::Kind::Extra: return at + quoted(d.first) + " -> no such line";
    case LineDifference::Kind::Missing: return "before line " + std::to_string(d.line) + ": no such line -> " +
                                               quoted(d.second);
    case LineDifference::Kind::LineEnd:
        if (d.lastLine == d.line) return at + "ends in " + d.first + " -> " + d.second;
        return "lines " + std::to_string(d.line) + " to " + std::to_string(d.lastLine) + ": end in " + d.first +
               " -> " + d.second;
    }
    return {};
}

// Why the reader refused a file: its own message, then each line and cause.
std::string readingLines(const Reading& reading) {
    std::string text;
    if (!reading.refusal.empty()) text += "  " + utf8(reading.refusal) + "\n";
    for (const Problem& problem : reading.problems)
        text += "  " + (problem.line > 0 ? "line " + std::to_string(problem.line) + ": " : "") + utf8(problem.text) + "\n";
    return text;
}

}  // namespace

std::string checkText(const std::vector<FileCheck>& checks) {
    std::string text;
    for (const FileCheck& check : checks) {
        if (!check.error.empty()) {
            text += "ERROR " + check.file + ": " + check.error + "\n";
            continue;
        }
        text += (check.clean() ? "ACCEPTED " : "REFUSED ") + check.file + readBy(check) + " sha256 " +
                check.sha256 + "\n";
        text += readingLines(check.reading);
        for (const EntryCheck& entry : check.entries)
            for (const FieldMessage& failed : entry.messages)
                text += "  " + utf8(entryName(entry.kind, entry.number, entry.name) + ": " + failed.message) + "\n";
    }
    return text;
}

std::string checkJson(const std::vector<FileCheck>& checks) {
    json files = json::array();
    for (const FileCheck& check : checks) {
        json file{{"file", check.file}};
        if (!check.error.empty()) {
            file["status"] = "error";
            file["error"] = check.error;
            files.push_back(file);
            continue;
        }
        file["status"] = check.clean() ? "accepted" : "refused";
        file["readAs"] = check.dialect;
        file["alsoReadBy"] = check.alsoReadBy;
        file["sha256"] = check.sha256;
        file["refusal"] = utf8(check.reading.refusal);
        json problems = json::array();
        for (const Problem& problem : check.reading.problems)
            problems.push_back({{"line", problem.line}, {"text", utf8(problem.text)}});
        file["problems"] = problems;
        json entries = json::array();
        for (const EntryCheck& entry : check.entries) {
            json messages = json::array();
            for (const FieldMessage& failed : entry.messages) messages.push_back(utf8(failed.message));
            entries.push_back(
                {{"kind", entry.kind}, {"number", entry.number}, {"name", utf8(entry.name)}, {"messages", messages}});
        }
        file["entries"] = entries;
        file["clean"] = check.clean();
        files.push_back(file);
    }
    return dump({{"files", files}, {"exitStatus", checkStatus(checks)}});
}

std::string diffText(const FileDiff& diff) {
    if (!diff.error.empty()) return "ERROR " + diff.error + "\n";
    std::string text = (diff.equal() ? "EQUAL " : "DIFFERENT ") + diff.oldFile + " " + diff.newFile + " (" +
                       readAs(diff) + ")";
    if (!diff.lines.empty()) text += ": the values are equal, the bytes are not";
    text += "\n";
    for (const std::string& line : changeLines(diff.entries)) text += "  " + utf8(line) + "\n";
    for (const LineDifference& line : diff.lines) text += "  " + lineText(line) + "\n";
    return text;
}

std::string diffJson(const FileDiff& diff) {
    json document{{"old", diff.oldFile}, {"new", diff.newFile}, {"exitStatus", diff.status()}};
    if (!diff.error.empty()) {
        document["error"] = diff.error;
        return dump(document);
    }
    document["readAs"] = diff.dialect;
    document["newReadAs"] = diff.newDialect;
    document["equal"] = diff.equal();
    json entries = json::array();
    for (const EntryDiff& entry : diff.entries) {
        json changes = json::array();
        for (const Change& change : entry.changes)
            changes.push_back({{"field", utf8(change.caption)}, {"old", utf8(change.before)}, {"new", utf8(change.after)}});
        json item{{"kind", entry.kind}, {"name", utf8(entry.name)}, {"change", whatText(entry.what)},
                  {"moved", entry.moved()}, {"changes", changes}};
        item["oldNumber"] = entry.oldNumber > 0 ? json(entry.oldNumber) : json(nullptr);
        item["newNumber"] = entry.newNumber > 0 ? json(entry.newNumber) : json(nullptr);
        entries.push_back(item);
    }
    document["entries"] = entries;
    json lines = json::array();
    for (const LineDifference& line : diff.lines)
        lines.push_back({{"line", line.line}, {"lastLine", line.lastLine}, {"text", lineText(line)}});
    document["lines"] = lines;
    return dump(document);
}

std::string exportText(const ExportCsv& exported) {
    if (!exported.error.empty()) return {};
    if (!exported.reading.accepted()) {
        std::string text = "REFUSED " + exported.file + " (" + exported.dialect + "): not exported\n";
        text += readingLines(exported.reading);
        return text;
    }
    return "EXPORTED " + std::to_string(exported.drugs) + (exported.drugs == 1 ? " drug" : " drugs") + " of " +
           exported.file + " (" + exported.dialect + ") to " + exported.csv + "\n";
}

std::string importText(const ImportCsv& imported) {
    if (!imported.error.empty()) return {};
    if (imported.built.faults.empty())
        return "IMPORTED " + std::to_string(imported.built.drugs) + (imported.built.drugs == 1 ? " drug" : " drugs") +
               " from " + imported.csv + " into " + imported.file + " (" + imported.dialect + ")\n";
    std::string text = "REFUSED " + imported.csv + " (" + imported.dialect + "): nothing written\n";
    for (const SheetFault& fault : imported.built.faults) {
        text += "  row " + std::to_string(fault.row);
        if (!fault.column.empty()) text += ", column " + quoted(fault.column);
        if (!fault.value.empty()) text += ", value " + quoted(fault.value);
        text += ": " + utf8(fault.message) + "\n";
    }
    return text;
}

}  // namespace mc::cli
