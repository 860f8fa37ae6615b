// The two printouts of a saved release-041 library, printed from the Open
// page on a printer that keeps the text of each page.
#include <gtest/gtest.h>

#include <filesystem>

#include "druglib_dual/core/quelda041_editor.hpp"
#include "druglib_dual/core/tm2_file.hpp"
#include "shell/core/text.hpp"
#include "support/recording_printer.hpp"
#include "support/temp_folder.hpp"

namespace mc::druglib {
namespace {

using Lines = std::vector<std::string>;
struct Drug {
    int slot;
    std::string name;
    std::uint32_t departments, unit = 0x07;  // mg/mL, vial mg, dose mg/hr
};

class Printout : public ::testing::Test {
protected:
    testing::TempFolder folder;
    testing::RecordingPrinter printer;
    DrugLibrary library;

    // Saves the library with these drugs (concentration 1 to 2, dose 0.5 to 10),
    // chooses it on the Open page and presses a print button; what the Open page
    // and the status strip then say.
    std::string print(const char* button, const std::vector<Drug>& drugs) {
        for (const Drug& d : drugs) {
            library.DrugNames[d.slot] = d.name;
            library.DrugUnitCodes[d.slot] = d.unit;
            library.ConcMinCodes[d.slot] = 1000;
            library.ConcMaxCodes[d.slot] = 2000;
            library.DoseMinCodes[d.slot] = 500;
            library.DoseMaxCodes[d.slot] = 10000;
            library.DepartmentMasks[d.slot] = d.departments;
        }
        folder.write("Lib.tm2", writeTm2Release041(library, "Lib"));
        Quelda041Editor editor(folder.path(), NumberFormat{}, printer.services());
        editor.pick("File1", 0);
        editor.click(button);
        return editor.form()["OpenMessage"].text + "|" + editor.form()["StatusMessage"].text;
    }
    Lines page(std::size_t job) const {
        const auto lines = splitLines(printer.jobs.at(job));
        return {lines.begin(), lines.end()};
    }
};

TEST_F(Printout, ADrugPageFieldByField) {
    library.DepartmentNames[1] = "ICU";
    library.DepartmentNames[13] = "Oncology";
    library.DepartmentNames[25] = "Spare";
    EXPECT_EQ(print("Command15", {{7, "Morphine", 1u | 1u << 12}, {9, "Saline", 0, 0xE7}}), "|Printed 2 pages on Office");
    Lines expected = {"Drug Library: Lib                  Page 1 of 2",
                      "Drug Number              : 7",
                      "Drug Name                : Morphine",
                      "Concentration Minimum    : 1 mg/mL",
                      "Concentration Maximum    : 2 mg/mL",
                      "Drug Vial Units          : mg",
                      "Dose Minimum             : 0.5 mg/hr",
                      "Dose Maximum             : 10 mg/hr",
                      "ICU                           ON        Oncology                      ON"};
    expected.resize(20, std::string(30, ' ') + "OFF" + std::string(37, ' ') + "OFF");
    expected.insert(expected.end(), {std::string(40, ' ') + "Spare               ", "", "", "File Name Lib.tm2",
                                     "Printed 05/12/2026 at 15:30"});
    const std::string signature = "Name: .......................... Signature: .............. Date:..............";
    for (int i = 0; i < 4; ++i) expected.insert(expected.end(), {"", "", signature});
    EXPECT_EQ(page(0), expected);
    // "mL Only" has one unit line for the concentration and the vial.
    const Lines mlOnly = page(1);
    EXPECT_EQ(Lines(mlOnly.begin() + 2, mlOnly.begin() + 7),
              (Lines{"Drug Name                : Saline", std::string(25, ' ') + ": mL Only",
                     "Dose Minimum             : 0.5 mL/hr", "Dose Maximum             : 10 mL/hr",
                     "ICU                           OFF       Oncology                      OFF"}));
    EXPECT_EQ(folder.read("ToPrint.tmp"), printer.jobs.back()) << "the print file stays behind";
}

// Pages are numbered among the defined drugs, five drugs a department page;
// the Open page and the status strip say how the printout ended.
TEST_F(Printout, PagesTheirDrugsAndHowAPrintoutEnds) {
    const std::string blank(14, ' '), byDrug = "Drug Library: Lib                  Page ", lib = "Lib        , ";
    const std::string stopped = "Printing stopped: 1 of 3 pages were printed. Page 2 was not printed (the printer "
                                "refused it), nor were the pages after it.";
    const std::string cancelled = "Printing cancelled: 1 of 3 pages were printed; the rest were not.";
    const std::vector<Drug> three = {{1, "A", 1}, {2, "B", 2}, {3, "C", 4}};
    using Pages = std::vector<std::pair<std::string, std::vector<int>>>;  // header and drug numbers of each page
    const struct {
        const char* button;
        std::vector<Drug> drugs;
        Pages pages;
        std::string said;  // on the Open page | in the status strip
        void (*printer)(testing::RecordingPrinter&) = [](testing::RecordingPrinter&) {};
    } cases[] = {
        // A blank name with a department is a drug, blank and in no department is none.
        {"Command15", {{2, "A", 1}, {4, "", 2}, {5, "B", 1}, {6, blank, 0}, {8, std::string(9, ' ') + "x", 0}},
         {{byDrug + "1 of 4", {2}}, {byDrug + "2 of 4", {4}}, {byDrug + "3 of 4", {5}}, {byDrug + "4 of 4", {8}}},
         "|Printed 4 pages on Office"},
        {"Command16",
         {{3, "A", 4}, {6, "B", 4}, {9, "C", 4}, {12, "D", 4}, {15, "E", 4}, {18, "F", 4}, {21, "G", 4 | 1u << 23},
          {50, blank, 1u << 23}},
         {{lib + "Surgery              (3) Page 1 of 2", {3, 6, 9, 12, 15}},
          {lib + "Surgery              (3) Page 2 of 2", {18, 21}}, {lib + std::string(20, ' ') + " (24) Page 1 of 1", {21, 50}}},
         "|Printed 3 pages on Office"},
        {"Command15", {{6, blank, 0}}, {}, "The Macro Lib.tm2 has no drug to print.|"},
        {"Command16", {{6, blank, 0}}, {}, "The Macro Lib.tm2 has no drug to print.|"},
        {"Command15", three, {}, "There is no default printer. Nothing was printed.|",
         [](testing::RecordingPrinter& p) { p.problem = "There is no default printer."; }},
        {"Command16", three,
         {{lib + std::string(20, ' ') + " (1) Page 1 of 1", {1}}, {lib + std::string(20, ' ') + " (2) Page 1 of 1", {2}}},
         stopped + "|" + stopped, [](testing::RecordingPrinter& p) { p.failAtJob = 2; }},
        {"Command15", three, {{byDrug + "1 of 3", {1}}}, cancelled + "|" + cancelled,
         [](testing::RecordingPrinter& p) { p.cancelAfterPage = 1; }},
    };
    for (const auto& c : cases) {
        library = {};
        library.DepartmentNames[3] = "Surgery";
        printer = {};
        c.printer(printer);
        std::filesystem::remove(folder.path() / "ToPrint.tmp");
        EXPECT_EQ(print(c.button, c.drugs), c.said);
        Pages pages;
        for (std::size_t k = 0; k < printer.jobs.size(); ++k) {
            const Lines lines = page(k);
            pages.push_back({lines[0], {}});
            for (std::size_t i = 0; i < lines.size(); ++i) {
                if (!lines[i].starts_with("Drug Number              : ")) continue;
                pages.back().second.push_back(std::stoi(lines[i].substr(27)));
                const bool byDepartment = c.button == std::string("Command16");
                EXPECT_TRUE(!byDepartment || lines.at(i + 7).empty()) << "an empty line after each drug";
            }
        }
        EXPECT_EQ(pages, c.pages) << c.said;
        EXPECT_EQ(std::filesystem::exists(folder.path() / "ToPrint.tmp"), !c.pages.empty()) << c.said;
    }
}

}  // namespace
}  // namespace mc::druglib
