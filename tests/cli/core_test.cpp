#include <gtest/gtest.h>

#include "cli/core/commands.hpp"

namespace mc::cli {
namespace {

// ---- matching entries for review -------------------------------------------------

Entry drug(int number, const std::string& name, const std::string& dose = "1 mg/hr") {
    return {"Drug", number, name, true, {{"Drug Name", name}, {"Dose Maximum", dose}}};
}
Entry department(int number, const std::string& name) { return {"Department", number, name, false, {{"Name", name}}}; }

// One line per difference: what, old and new slot, changed fields.
std::vector<std::string> summary(const std::vector<EntryDiff>& diffs) {
    std::vector<std::string> lines;
    for (const EntryDiff& d : diffs) {
        std::string line = d.kind + " " + d.name + " " +
                           (d.what == EntryDiff::What::Added     ? "added"
                            : d.what == EntryDiff::What::Removed ? "removed"
                                                                 : "changed") +
                           " " + std::to_string(d.oldNumber) + "->" + std::to_string(d.newNumber);
        for (const Change& c : d.changes) line += " [" + c.caption + ": " + c.before + " -> " + c.after + "]";
        lines.push_back(line);
    }
    return lines;
}

struct MatchCase {
    const char* what;
    std::vector<Entry> before, after;
    std::vector<std::string> expected;
};

TEST(DiffEntries, MatchesByNameThenBySlot) {
    const MatchCase cases[] = {
        {"equal", {drug(1, "A"), drug(2, "B")}, {drug(1, "A"), drug(2, "B")}, {}},
        {"swapped slots are two moves, not two renames",
         {drug(1, "A"), drug(2, "B")},
         {drug(1, "B"), drug(2, "A")},
         {"Drug A changed 1->2", "Drug B changed 2->1"}},
        {"a renamed drug keeps its slot",
         {drug(3, "Morfine")},
         {drug(3, "Morphine")},
         {"Drug Morfine changed 3->3 [Drug Name: Morfine -> Morphine]"}},
        {"a new name in another slot is a removal and an addition",
         {drug(3, "A")},
         {drug(4, "B")},
         {"Drug A removed 3->0", "Drug B added 0->4"}},
        {"the same name twice pairs in slot order",
         {drug(1, "A", "1 mg/hr"), drug(5, "A", "2 mg/hr")},
         {drug(2, "A", "1 mg/hr"), drug(6, "A", "3 mg/hr")},
         {"Drug A changed 1->2", "Drug A changed 5->6 [Dose Maximum: 2 mg/hr -> 3 mg/hr]"}},
        {"blank names match by slot only",
         {drug(1, ""), drug(2, "")},
         {drug(2, "", "5 mg/hr")},
         {"Drug  removed 1->0", "Drug  changed 2->2 [Dose Maximum: 1 mg/hr -> 5 mg/hr]"}},
        {"departments never move: a rename is a change of name",
         {department(1, "ICU"), department(2, "Oncology")},
         {department(1, "Oncology"), department(2, "ICU")},
         {"Department ICU changed 1->1 [Name: ICU -> Oncology]",
          "Department Oncology changed 2->2 [Name: Oncology -> ICU]"}},
        {"kinds never match each other", {department(1, "X")}, {drug(1, "X")},
         {"Department X removed 1->0", "Drug X added 0->1"}},
    };
    for (const MatchCase& c : cases) EXPECT_EQ(summary(diffEntries(c.before, c.after)), c.expected) << c.what;
}

}  // namespace
}  // namespace mc::cli
