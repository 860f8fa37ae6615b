// The rules of the commands: entries matched between two libraries, and
// spreadsheets: what the CSV reader makes of files as spreadsheet programs
// save them, and libraries that go out to a spreadsheet and come back the
// same, byte for byte.
#include <gtest/gtest.h>

#include <array>

#include "cli/core/commands.hpp"
#include "cli/core/csv_table.hpp"
#include "cli/core/library_sheet.hpp"
#include "druglib_dual/core/tm2_file.hpp"
#include "druglib_us/core/tv1_file.hpp"
#include "support/random_tm2_library.hpp"
#include "support/random_us_library.hpp"
#include "support/temp_folder.hpp"

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

// A table as "<separator> <utf8|latin1>: [cell][cell{its fault}] / [next row]", or "error".
std::string shown(const CsvTable& table) {
    if (!table.error.empty()) return "error";
    std::string text = std::string(1, table.separator) + (table.utf8 ? " utf8:" : " latin1:");
    for (std::size_t row = 0; row < table.rows.size(); ++row) {
        text += row == 0 ? " " : " / ";
        for (const CsvCell& cell : table.rows[row])
            text += "[" + cell.text + (cell.fault.empty() ? "" : "{" + cell.fault + "}") + "]";
    }
    return text;
}

TEST(ReadCsv, TakesFilesAsSpreadsheetProgramsSaveThem) {
    const std::string control = "{holds a line break or another control character, which no box of the page takes}";
    const std::pair<std::string, std::string> cases[] = {
        {"a,b\nc,d\n", ", utf8: [a][b] / [c][d]"},
        {"a,b\r\nc,d", ", utf8: [a][b] / [c][d]"},  // the last line without its end
        {"\xEF\xBB\xBF" "a;b\r\n1,5;2\r\n", "; utf8: [a][b] / [1,5][2]"},
        {"\"x,y\",\"say \"\"hi\"\"\"\r\n", ", utf8: [x,y][say \"hi\"]"},
        {"\"a;b\",c\r\n", ", utf8: [a;b][c]"},  // the separator follows the first field
        {"\"l1\r\nl2\",z\r\nnext,row\r\n", ", utf8: [l1\r\nl2" + control + "][z] / [next][row]"},
        {" a , b\r\n,,\r\n", ", utf8: [ a ][ b] / [][][]"},  // blanks around a field are part of it
        {"caf\xC3\xA9\r\n", ", utf8: [caf\xE9]"},
        {"caf\xE9\r\n", ", latin1: [caf\xE9]"},
        {"\x80uro", ", latin1: [\x80uro" + control + "]"},  // a Windows-1252 byte is a control character in Latin-1
        {"\xEF\xBB\xBF" "a\xC3", ", utf8: [a?{is not well-formed UTF-8}]"},
        {"\"never closed\r\n", "error"},
        {"a\"b,c\r\n", "error"},
        {"\"a\"b,c\r\n", "error"},
    };
    for (const auto& [bytes, table] : cases) EXPECT_EQ(shown(readCsv(bytes)), table) << bytes;
}

// ---- round trips over generated libraries ---------------------------------------

std::string faultsText(const std::vector<SheetFault>& faults) {
    std::string text;
    for (const SheetFault& f : faults)
        text += "row " + std::to_string(f.row) + " " + f.column + " [" + f.value + "]: " + f.message + "\n";
    return text;
}

// Libraries as each editor stores them go out to a spreadsheet and come back
// through the drug page's "OK" and Save, byte for byte.
TEST(SheetRoundTrip, GivesBackEveryLibraryByteForByte) {
    mc::testing::RandomTm2Library tm2(20261206);
    mc::testing::RandomUsLibrary us(128);
    for (std::size_t n = 0; n < 36; ++n) {
        const SheetKind kind = std::array{SheetKind::Release041, SheetKind::Release036, SheetKind::Us}[n % 3];
        const std::string bytes =
            kind == SheetKind::Us ? druglib_us::writeTv1(us.library(n % 4 == 0 ? druglib_us::MaxDrugCount
                                                                                : us.between(1, 30)), "WARD")
            : kind == SheetKind::Release041
                ? druglib::writeTm2Release041(tm2(druglib::Release::R041, mc::testing::Tm2Drugs::Stored), "WARD")
                : druglib::writeTm2Release036(tm2(druglib::Release::R036, mc::testing::Tm2Drugs::Stored));
        const std::string csv = exportSheet(kind, bytes).csv;
        const mc::testing::TempFolder folder;
        const SheetImport built = importSheet(kind, readCsv(csv), folder.path(), "WARD");
        ASSERT_EQ(built.error + faultsText(built.faults), "") << "library " << n << "\n" << csv;
        ASSERT_EQ(folder.read("WARD" + sheetExtension(kind)), bytes) << "library " << n << "\n" << csv;
    }
}

}  // namespace
}  // namespace mc::cli
