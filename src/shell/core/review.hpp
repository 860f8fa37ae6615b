#pragma once
// Reviewing a macro file as its editor sees it, for a technician who checks a
// library before it goes to the pumps and for a pharmacist who signs off its
// changes: how the editor's reader takes the file, why it is not sound (lines
// left out, bytes that are not what the editor's own Save writes), what each
// entry's "OK" says against it, and what changed between two files. Each kind
// of macro file is one Dialect, implemented by its editor's subsystem; the
// command-line program and the editor windows both review through it.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "shell/core/line_diff.hpp"
#include "shell/core/page_table.hpp"
#include "shell/core/print_page.hpp"

namespace mc {

// Why a file is not sound; line 0 stands for the file as a whole.
using Problem = LineProblem;

struct Reading {
    // The editor's own message when its reader refuses the file (empty when
    // the reader has none).
    std::string refusal;
    std::vector<Problem> problems;
    bool accepted() const { return refusal.empty() && problems.empty(); }
};

// One field as the page shows it: caption and value with its unit.
struct Field {
    std::string caption;
    std::string value;
    bool operator==(const Field&) const = default;
};

// A record of the macro: a department, a drug, a protocol, the library name.
struct Entry {
    std::string kind;      // "Department", "Drug", ...
    int number = 0;        // its slot; 0 for a single record
    std::string name;      // what people call it; may be empty
    bool matchByName = false;  // records that can move between slots
    std::vector<Field> fields;
};

// Everything "OK" on an entry's page says against it, each message with its field.
struct EntryCheck {
    std::string kind;
    int number = 0;
    std::string name;
    FieldMessages messages;
};

struct PrintRequest {
    std::string fileName;  // as the footer names it
    bool byDepartments = false;
    std::string date;
    std::string time;
};

class Dialect {
public:
    virtual ~Dialect() = default;
    // How the report names it: "release 041", "RX_Macro_Creator".
    virtual std::string name() const = 0;
    // The kind of macro; files of one kind can be compared whatever the dialect.
    virtual std::string kind() const = 0;
    // Why the reader would skip or half-read lines, and what the editor's
    // pages could not show as the file holds it.
    virtual Reading read(std::string_view bytes) const = 0;
    // What the editor's own "Save" writes for the library its reader takes
    // from these bytes; nothing when the reader refuses them.
    virtual std::optional<std::string> saved(std::string_view bytes) const = 0;
    // Runs "OK" on every entry the reader took.
    virtual std::vector<EntryCheck> checkEntries(std::string_view bytes) const = 0;
    // Where an editor shows a checked entry: its name in a list of problems
    // ("Drug 7 (Heparin)"), its data page and the record on it.
    struct Place {
        std::string label;
        int page;
        int record;
    };
    virtual Place placeOf(const EntryCheck& check) const;
    virtual std::vector<Entry> entries(std::string_view bytes) const = 0;
    // The printed pages, or why this kind cannot be printed.
    struct Printout {
        std::vector<PrintedPage> pages;
        std::string problem;
    };
    virtual Printout printout(std::string_view bytes, const PrintRequest& request) const = 0;
};

// The dialect's reading and every line whose bytes are not what Save writes
// for the library its reader takes (unless the reading names the line
// already): problems of a line in line order, then those of the whole file.
Reading readExactly(const Dialect& dialect, std::string_view bytes);

struct Change {
    std::string caption, before, after;
};
struct EntryDiff {
    enum class What { Added, Removed, Changed } what;
    std::string kind;
    std::string name;
    int oldNumber = 0;  // 0 when added
    int newNumber = 0;  // 0 when removed
    std::vector<Change> changes;
    bool moved() const { return what == What::Changed && oldNumber != newNumber; }
};
// Records that keep their slot are matched by slot; the others by name first
// (the first unmatched one of that name), then by slot. Fields are matched by
// caption and compared as their pages show them (numbers by value, units as
// meant); `commonFieldsOnly` leaves out the fields only one side's page has
// (the pages of two releases).
std::vector<EntryDiff> diffEntries(const std::vector<Entry>& before, const std::vector<Entry>& after,
                                   bool commonFieldsOnly = false);


// How a report names an entry: "Drug 7 (Morphine)", "Department 3", "Library".
std::string entryName(const std::string& kind, int number, const std::string& name);

// The changes as a review lists them, one a line (Latin-1):
//   Department 3 (Pediatrics): Name "Pediatrics" -> "Paediatrics"
//   Drug 7 (Morphine) moved to 8
//   Drug 12 (Propofol) added
std::vector<std::string> changeLines(const std::vector<EntryDiff>& diffs);

}  // namespace mc
