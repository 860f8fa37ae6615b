#include <gtest/gtest.h>

#include "cli/core/commands.hpp"
#include "druglib_dual/core/tm2_explain.hpp"
#include "druglib_dual/core/tm2_file.hpp"

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

// ---- explaining ".tm2" lines ---------------------------------------------------

std::string departmentLines() {
    std::string text;
    for (int d = 1; d <= 25; ++d) text += "DEP:" + std::string(d < 10 ? "0" : "") + std::to_string(d) + "=" + std::string(20, ' ') + "\r\n";
    return text;
}

std::string emptyDrugLines041(int from, int to) {
    std::string text;
    for (int n = from; n <= to; ++n) {
        std::string number = std::to_string(n);
        text += "D41:" + std::string(4 - number.size(), '0') + number + "=" + std::string(14, ' ') + "," +
                std::string(24, '0') + "C07C\r\n";
    }
    return text;
}

const std::string LibraryLine = "LIBRARY=NAME       \r\n";

std::vector<std::string> texts(const std::vector<Problem>& problems) {
    std::vector<std::string> lines;
    for (const Problem& p : problems) lines.push_back(std::to_string(p.line) + ": " + p.text);
    return lines;
}

TEST(ExplainTm2, NamesTheLineAndTheCause) {
    const std::string head = departmentLines() + emptyDrugLines041(1, 99);
    const struct {
        const char* what;
        std::string last;  // drug 100's line, then the library line
        std::vector<std::string> expected;
    } cases[] = {
        {"a clean library", emptyDrugLines041(100, 100) + LibraryLine, {}},
        {"lower-case hex reads like upper case",
         "D41:0100=              ,000000000000000000000000c07c\r\n" + LibraryLine, {}},
        {"a release 036 line is read by release 041",
         "D36:0100=          ,000000000000000000000000\r\n" + LibraryLine, {}},
        {"a wrong checksum and the right one",
         "D41:0100=              ,000000000000000000000000C07D\r\n" + LibraryLine,
         {"125: checksum C07D, should be C07C"}},
        {"a line one character too long",
         "D41:0100=              ,000000000000000000000000C07C \r\n" + LibraryLine,
         {"125: drug line of 53 characters, should be 52", "0: no line for drug 100"}},
        {"a drug number out of range",
         "D41:0101=              ,000000000000000000000000C07C\r\n" + LibraryLine,
         {"125: drug number \"0101\" is not 1 to 100", "0: no line for drug 100"}},
        {"a missing comma",
         "D41:0100=              ;000000000000000000000000C07C\r\n" + LibraryLine,
         {"125: \",\" missing after the drug name", "0: no line for drug 100"}},
        {"an empty line and a stray one",
         emptyDrugLines041(100, 100) + "\r\nhello\r\n" + LibraryLine,
         {"126: empty line", "127: not a line of a .tm2 file: \"hello\""}},
        {"the library line first is out of order", LibraryLine + emptyDrugLines041(100, 100),
         {"126: drug 100 out of order, after the library line"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(texts(druglib::explainTm2(head + c.last, druglib::Release::R041)), c.expected) << c.what;
}

TEST(ExplainTm2, ChecksumOfALineTooShortToHoldItsFieldsIsNone) {
    EXPECT_EQ(druglib::release041Checksum("D41:0007=Morphine      ,0703E803E801F4271000000"), "");
    EXPECT_EQ(druglib::release041Checksum("D41:0007=Morphine      ,0703E803E801F42710000005"), "101B");
}

TEST(ExplainTm2, Release036ReadsNoRelease041Lines) {
    const std::string file = departmentLines() + emptyDrugLines041(1, 100) + LibraryLine;
    const auto problems = druglib::explainTm2(file, druglib::Release::R036);
    ASSERT_EQ(problems.size(), 102u);
    EXPECT_EQ(problems[0].text, "release 041 drug line, not read by release 036");
    EXPECT_EQ(problems[100].text, "release 041 library line, not read by release 036");
    EXPECT_EQ(problems[101].text, "no line for drugs 1 to 100");
}

}  // namespace
}  // namespace mc::cli
