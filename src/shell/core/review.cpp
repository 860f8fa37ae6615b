#include "shell/core/review.hpp"

#include <algorithm>
#include <climits>

#include "shell/core/decimal.hpp"

namespace mc {
namespace {

// Where the bytes are not what the editor's own Save writes for the library
// its reader takes: every such line, unless the reader's explanation names
// the line already; runs of missing lines as one.
std::vector<Problem> unsavedLines(std::string_view bytes, std::string_view saved,
                                  const std::vector<Problem>& explained) {
    auto explainedAt = [&explained](int line) {
        return std::any_of(explained.begin(), explained.end(), [line](const Problem& p) { return p.line == line; });
    };
    auto quoted = [](const std::string& line) { return "\"" + line + "\""; };
    std::vector<Problem> problems;
    const auto differences = differingLines(bytes, saved);
    for (std::size_t i = 0; i < differences.size(); ++i) {
        const LineDifference& d = differences[i];
        switch (d.kind) {
        case LineDifference::Kind::Changed:
            if (!explainedAt(d.line)) problems.push_back({d.line, quoted(d.first) + ", Save writes " + quoted(d.second)});
            break;
        case LineDifference::Kind::Extra:
            if (!explainedAt(d.line)) problems.push_back({d.line, quoted(d.first) + ", a line Save does not write"});
            break;
        case LineDifference::Kind::Missing: {
            std::size_t last = i;
            while (last + 1 < differences.size() && differences[last + 1].kind == LineDifference::Kind::Missing &&
                   differences[last + 1].line == d.line)
                ++last;
            problems.push_back({d.line, last == i ? "missing, Save writes " + quoted(d.second)
                                                  : std::to_string(last - i + 1) + " lines missing, Save writes " +
                                                        quoted(d.second) + " to " + quoted(differences[last].second)});
            i = last;
            break;
        }
        case LineDifference::Kind::LineEnd:
            if (d.lastLine == d.line) {
                if (!explainedAt(d.line))
                    problems.push_back({d.line, "ends in " + d.first + ", Save ends it in " + d.second});
            } else {
                problems.push_back({0, "lines " + std::to_string(d.line) + " to " + std::to_string(d.lastLine) +
                                           " end in " + d.first + ", Save ends them in " + d.second});
            }
            break;
        }
    }
    return problems;
}

}  // namespace

Reading readExactly(const Dialect& dialect, std::string_view bytes) {
    Reading reading = dialect.read(bytes);
    if (!reading.refusal.empty()) return reading;
    if (const auto saved = dialect.saved(bytes)) {
        for (Problem& problem : unsavedLines(bytes, *saved, reading.problems))
            reading.problems.push_back(std::move(problem));
    }
    std::stable_sort(reading.problems.begin(), reading.problems.end(), [](const Problem& a, const Problem& b) {
        return (a.line == 0 ? INT_MAX : a.line) < (b.line == 0 ? INT_MAX : b.line);
    });
    return reading;
}

namespace {

// A unit as both releases mean it: they spell some alike units differently
// ("\xB5g/h" and "mcg/hr", "mg/ml" and "mg/mL").
std::string unitMeant(std::string_view unit) {
    std::string meant;
    for (const char c : unit) {
        if (c == '\xB5') meant += "mc";
        else meant += (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    }
    if (meant.ends_with("/h")) meant += 'r';
    return meant;
}

// Two values as their pages show them: a unit, "number unit", or anything
// else, which must be the same text. Numbers are equal by value ("1" and "1.00").
bool sameValue(const std::string& caption, const std::string& a, const std::string& b) {
    if (a == b) return true;
    if (caption.ends_with("Units") || caption.ends_with("units")) return unitMeant(a) == unitMeant(b);
    auto split = [](const std::string& value) {
        const std::size_t blank = value.find(' ');
        return std::pair{Decimal::parse(std::string_view(value).substr(0, blank), NumberFormat{}),
                         blank == std::string::npos ? std::string() : unitMeant(value.substr(blank + 1))};
    };
    const auto [numberA, unitA] = split(a);
    const auto [numberB, unitB] = split(b);
    return numberA && numberB && *numberA == *numberB && unitA == unitB;
}

}  // namespace

std::vector<EntryDiff> diffEntries(const std::vector<Entry>& before, const std::vector<Entry>& after,
                                   bool commonFieldsOnly) {
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
        // Fields by caption, in the order of the old page, then the new page's own.
        auto valueOf = [](const Entry& entry, const std::string& caption) -> const std::string* {
            for (const Field& field : entry.fields)
                if (field.caption == caption) return &field.value;
            return nullptr;
        };
        static const std::string none;
        for (const Field& a : old.fields) {
            const std::string* b = valueOf(now, a.caption);
            if (!b && commonFieldsOnly) continue;
            if (!sameValue(a.caption, a.value, b ? *b : none)) diff.changes.push_back({a.caption, a.value, b ? *b : none});
        }
        for (const Field& b : now.fields)
            if (!valueOf(old, b.caption) && !commonFieldsOnly && !b.value.empty())
                diff.changes.push_back({b.caption, "", b.value});
        if (!diff.changes.empty() || diff.moved()) diffs.push_back(std::move(diff));
    }
    for (std::size_t j = 0; j < after.size(); ++j)
        if (!taken[j]) diffs.push_back({EntryDiff::What::Added, after[j].kind, after[j].name, 0, after[j].number, {}});
    return diffs;
}

Dialect::Place Dialect::placeOf(const EntryCheck& check) const {
    std::string kind = check.kind;
    if (!kind.empty() && kind[0] >= 'a' && kind[0] <= 'z') kind[0] = static_cast<char>(kind[0] - 'a' + 'A');
    return {entryName(kind, check.number, check.name), 3, check.number};
}

std::string entryName(const std::string& kind, int number, const std::string& name) {
    std::string text = kind + (number > 0 ? " " + std::to_string(number) : "");
    if (!name.empty()) text += " (" + name + ")";
    return text;
}

std::vector<std::string> changeLines(const std::vector<EntryDiff>& diffs) {
    auto quoted = [](const std::string& value) { return "\"" + value + "\""; };
    std::vector<std::string> lines;
    for (const EntryDiff& entry : diffs) {
        const int number = entry.what == EntryDiff::What::Added ? entry.newNumber : entry.oldNumber;
        const std::string name = entryName(entry.kind, number, entry.name);
        if (entry.what != EntryDiff::What::Changed) {
            lines.push_back(name + (entry.what == EntryDiff::What::Added ? " added" : " removed"));
            continue;
        }
        if (entry.moved()) lines.push_back(name + " moved to " + std::to_string(entry.newNumber));
        for (const Change& change : entry.changes)
            lines.push_back(name + ": " + change.caption + " " + quoted(change.before) + " -> " + quoted(change.after));
    }
    return lines;
}

}  // namespace mc
