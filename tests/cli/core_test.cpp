#include <gtest/gtest.h>

#include "cli/core/commands.hpp"

namespace mc::cli {
namespace {

Entry drug(int number, const std::string& name, const std::string& dose = "1 mg/hr") {
    return {"Drug", number, name, true, {{"Drug Name", name}, {"Dose Maximum", dose}}};
}
Entry department(int number, const std::string& name) { return {"Department", number, name, false, {{"Name", name}}}; }

// Records that can move are matched by name first, then by slot; fields by
// caption, values as their pages show them.
TEST(DiffEntries, MatchesByNameThenBySlot) {
    const struct {
        const char* what;
        std::vector<Entry> before, after;
        std::vector<std::string> lines;
    } cases[] = {
        {"equal", {drug(1, "A"), drug(2, "B")}, {drug(1, "A"), drug(2, "B")}, {}},
        {"numbers by value, units as meant", {drug(1, "A", "1 \xB5g/h")}, {drug(1, "A", "1.00 mcg/hr")}, {}},
        {"swapped slots are two moves, not two renames",
         {drug(1, "A"), drug(2, "B")},
         {drug(1, "B"), drug(2, "A")},
         {"Drug 1 (A) moved to 2", "Drug 2 (B) moved to 1"}},
        {"a renamed drug keeps its slot",
         {drug(3, "Morfine")},
         {drug(3, "Morphine")},
         {"Drug 3 (Morfine): Drug Name \"Morfine\" -> \"Morphine\""}},
        {"a new name in another slot is a removal and an addition",
         {drug(3, "A")},
         {drug(4, "B")},
         {"Drug 3 (A) removed", "Drug 4 (B) added"}},
        {"the same name twice pairs in slot order",
         {drug(1, "A", "1 mg/hr"), drug(5, "A", "2 mg/hr")},
         {drug(2, "A", "1 mg/hr"), drug(6, "A", "3 mg/hr")},
         {"Drug 1 (A) moved to 2", "Drug 5 (A) moved to 6", "Drug 5 (A): Dose Maximum \"2 mg/hr\" -> \"3 mg/hr\""}},
        {"blank names match by slot only",
         {drug(1, ""), drug(2, "")},
         {drug(2, "", "5 mg/hr")},
         {"Drug 1 removed", "Drug 2: Dose Maximum \"1 mg/hr\" -> \"5 mg/hr\""}},
        {"departments never move: a rename is a change of name",
         {department(1, "ICU"), department(2, "Oncology")},
         {department(1, "Oncology"), department(2, "ICU")},
         {"Department 1 (ICU): Name \"ICU\" -> \"Oncology\"", "Department 2 (Oncology): Name \"Oncology\" -> \"ICU\""}},
        {"kinds never match each other", {department(1, "X")}, {drug(1, "X")},
         {"Department 1 (X) removed", "Drug 1 (X) added"}},
    };
    for (const auto& c : cases) EXPECT_EQ(changeLines(diffEntries(c.before, c.after)), c.lines) << c.what;
}

}  // namespace
}  // namespace mc::cli
