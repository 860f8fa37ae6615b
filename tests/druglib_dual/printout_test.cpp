// The two printouts of a saved release-041 library: which drugs go on which
// page, and the whole text of a page printed from the Open page on a printer
// that keeps the text of each page.
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

// The library "Lib" as read from its file, with these drugs (concentration 1 to 2, dose 0.5 to 10).
DrugLibrary saved(DrugLibrary library, const std::vector<Drug>& drugs) {
    for (const Drug& d : drugs) {
        library.DrugNames[d.slot] = d.name;
        library.DrugUnitCodes[d.slot] = d.unit;
        library.ConcMinCodes[d.slot] = 1000;
        library.ConcMaxCodes[d.slot] = 2000;
        library.DoseMinCodes[d.slot] = 500;
        library.DoseMaxCodes[d.slot] = 10000;
        library.DepartmentMasks[d.slot] = d.departments;
    }
    return asSaved(library, Release::R041, "Lib");
}

// Each page as its header and the numbers of its drugs.
Lines summary(const std::vector<PrintedPage>& pages) {
    Lines shown;
    for (const PrintedPage& page : pages) {
        shown.push_back(page[0] + ":");
        for (const std::string& line : page)
            if (line.starts_with("Drug Number              : ")) shown.back() += " " + line.substr(27);
    }
    return shown;
}

// Pages are numbered among the defined drugs, five drugs a department page
// with an empty line after each.
TEST(Printout, PagesAndTheirDrugs) {
    const std::string blank(14, ' '), byDrug = "Drug Library: Lib                  Page ", lib = "Lib        , ";
    const PageFooter footer{"Lib.tm2", "05/12/2026", "15:30"};
    // A blank name with a department is a drug, blank and in no department is none.
    const DrugLibrary some = saved({}, {{2, "A", 1}, {4, "", 2}, {5, "B", 1}, {6, blank, 0}, {100, std::string(9, ' ') + "x", 0}});
    EXPECT_EQ(summary(printoutByDrug(some, footer)),
              (Lines{byDrug + "1 of 4: 2", byDrug + "2 of 4: 4", byDrug + "3 of 4: 5", byDrug + "4 of 4: 100"}));
    DrugLibrary surgery;
    surgery.DepartmentNames[3] = "Surgery";
    surgery = saved(surgery, {{3, "A", 4}, {6, "B", 4}, {9, "C", 4}, {12, "D", 4}, {15, "E", 4}, {18, "F", 4},
                              {21, "G", 4 | 1u << 23}, {60, "H", 1u << 24}, {100, blank, 1u << 23}});
    const auto pages = printoutByDepartment(surgery, footer);
    EXPECT_EQ(summary(pages), (Lines{lib + "Surgery              (3) Page 1 of 2: 3 6 9 12 15",
                                     lib + "Surgery              (3) Page 2 of 2: 18 21",
                                     lib + std::string(20, ' ') + " (24) Page 1 of 1: 21 100"}));
    for (std::size_t block = 0; block < 5; ++block) EXPECT_EQ(pages[0].at(8 * block + 8), "") << block;
}

class PrintButton : public ::testing::Test {
protected:
    testing::TempFolder folder;
    testing::RecordingPrinter printer;

    // Saves the library as Lib.tm2, chooses it on the Open page and presses a
    // print button; what the Open page and the status strip then say.
    std::string print(const char* button, const DrugLibrary& library) {
        folder.write("Lib.tm2", writeTm2Release041(library, "Lib"));
        Quelda041Editor editor(folder.path(), NumberFormat{}, printer.services());
        editor.pick("File1", 0);
        editor.click(button);
        return editor.form()["OpenMessage"].text + "|" + editor.form()["StatusMessage"].text;
    }
};

TEST_F(PrintButton, PrintsEachDrugPageFieldByField) {
    DrugLibrary library;
    library.DepartmentNames[1] = "ICU";
    library.DepartmentNames[13] = "Oncology";
    library.DepartmentNames[25] = "Spare";
    library = saved(library, {{7, "Morphine", 1u | 1u << 12}, {9, "Saline", 0, 0xE7}});
    EXPECT_EQ(print("Command15", library), "|Printed 2 pages on Office");
    Lines expected = {"Drug Library: Lib                  Page 1 of 2", "Drug Number              : 7",
                      "Drug Name                : Morphine", "Concentration Minimum    : 1 mg/mL",
                      "Concentration Maximum    : 2 mg/mL", "Drug Vial Units          : mg",
                      "Dose Minimum             : 0.5 mg/hr", "Dose Maximum             : 10 mg/hr",
                      "ICU                           ON        Oncology                      ON"};
    expected.resize(20, std::string(30, ' ') + "OFF" + std::string(37, ' ') + "OFF");
    expected.insert(expected.end(), {std::string(40, ' ') + "Spare               ", "", "", "File Name Lib.tm2",
                                     "Printed 05/12/2026 at 15:30"});
    const std::string signature = "Name: .......................... Signature: .............. Date:..............";
    for (int i = 0; i < 4; ++i) expected.insert(expected.end(), {"", "", signature});
    const auto page = [&](std::size_t job) {
        const auto lines = splitLines(printer.jobs.at(job));
        return Lines(lines.begin(), lines.end());
    };
    EXPECT_EQ(page(0), expected);
    // "mL Only" has one unit line for the concentration and the vial.
    const Lines mlOnly = page(1);
    EXPECT_EQ(Lines(mlOnly.begin() + 2, mlOnly.begin() + 7),
              (Lines{"Drug Name                : Saline", std::string(25, ' ') + ": mL Only",
                     "Dose Minimum             : 0.5 mL/hr", "Dose Maximum             : 10 mL/hr",
                     "ICU                           OFF       Oncology                      OFF"}));
    EXPECT_EQ(folder.read("ToPrint.tmp"), printer.jobs.back()) << "the print file stays behind";
}

// The Open page and the status strip say how a printout ended.
TEST_F(PrintButton, SaysHowAPrintoutEnded) {
    const DrugLibrary none = saved({}, {{6, std::string(14, ' '), 0}}), three = saved({}, {{1, "A", 1}, {2, "B", 2}, {3, "C", 4}});
    EXPECT_EQ(print("Command15", none), "The Macro Lib.tm2 has no drug to print.|");
    EXPECT_EQ(print("Command16", none), "The Macro Lib.tm2 has no drug to print.|");
    printer.problem = "There is no default printer.";
    EXPECT_EQ(print("Command15", three), "There is no default printer. Nothing was printed.|");
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "ToPrint.tmp"));
    printer = {};
    printer.failAtJob = 2;
    const std::string stopped = "Printing stopped: 1 of 3 pages were printed. Page 2 was not printed (the printer "
                                "refused it), nor were the pages after it.";
    EXPECT_EQ(print("Command16", three), stopped + "|" + stopped);
    EXPECT_EQ(printer.jobs.size(), 2u);
}

}  // namespace
}  // namespace mc::druglib
