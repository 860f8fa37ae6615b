#pragma once
// One kind of macro file as the command-line program sees it: how its editor
// reads it, why a file is not sound, what the page's "OK" says of each entry,
// the entries a review compares and the pages the window prints. Each kind of
// file is one Dialect; the commands know nothing else about the formats.

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "shell/core/line_diff.hpp"
#include "shell/core/print_page.hpp"

namespace mc::cli {

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

// Everything "OK" on an entry's page says against it.
struct EntryCheck {
    std::string kind;
    int number = 0;
    std::string name;
    std::vector<std::string> messages;
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
    virtual std::vector<Entry> entries(std::string_view bytes) const = 0;
    // The printed pages, or why this kind cannot be printed.
    struct Printout {
        std::vector<PrintedPage> pages;
        std::string problem;
    };
    virtual Printout printout(std::string_view bytes, const PrintRequest& request) const = 0;
};

// The dialects that may read a file of this extension (letter case ignored),
// in the order they are tried; empty for a file of another kind.
std::vector<std::unique_ptr<Dialect>> dialectsFor(std::string_view extension);

// The extensions the program knows, for messages.
inline constexpr std::string_view KnownExtensions = ".tm2, .tv1, .tb2, .tv9, .tv8";

}  // namespace mc::cli
