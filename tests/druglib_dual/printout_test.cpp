#include <gtest/gtest.h>

#include <algorithm>

#include "druglib_dual/core/quelda041_editor.hpp"
#include "druglib_dual/core/tm2_file.hpp"
#include "shell/core/text.hpp"
#include "support/recording_printer.hpp"
#include "support/temp_folder.hpp"

namespace mc::druglib {
namespace {

void setDrug(DrugLibrary& library, int n, std::string name, std::uint32_t mask, std::uint32_t unit = 0x07) {
    library.DrugNames[n] = padRight(std::move(name), 14);
    library.DrugUnitCodes[n] = unit;
    library.ConcMinCodes[n] = 1000;
    library.ConcMaxCodes[n] = 1000;
    library.DoseMinCodes[n] = 500;
    library.DoseMaxCodes[n] = 10000;
    library.DepartmentMasks[n] = mask;
}

class Printout : public ::testing::Test {
protected:
    testing::TempFolder folder;
    testing::RecordingPrinter printer;
    DrugLibrary library;

    void SetUp() override {
        library.DepartmentNames[1] = "ICU";
        library.DepartmentNames[13] = "Oncology";
        library.DepartmentNames[25] = "Spare";
    }
    // Saves the library, chooses it on the Open page and presses a print button.
    std::string print(const char* button) {
        folder.write("Lib.tm2", writeTm2Release041(library, "Lib"));
        Quelda041Editor editor(folder.path(), NumberFormat{}, printer.services());
        editor.pick("File1", 0);
        editor.click(button);
        return editor.form()["OpenMessage"].text;
    }
    std::vector<std::string> lines(std::size_t job) {
        std::vector<std::string> result;
        for (auto line : splitLines(printer.jobs.at(job))) result.emplace_back(line);
        return result;
    }
    static bool has(const std::vector<std::string>& page, const std::string& line) {
        return std::find(page.begin(), page.end(), line) != page.end();
    }
};

TEST_F(Printout, OnePagePerDefinedDrugLaidOutFieldByField) {
    setDrug(library, 7, "Morphine", 0b1 | 1u << 12);
    EXPECT_EQ(print("Command15"), "");
    ASSERT_EQ(printer.jobs.size(), 1u);
    const std::string expected = joinCrLf({
        "Drug Library: Lib                  Page 1 of 1",
        "Drug Number              : 7",
        "Drug Name                : Morphine",
        "Concentration Minimum    : 1 mg/mL",
        "Concentration Maximum    : 1 mg/mL",
        "Drug Vial Units          : mg",
        "Dose Minimum             : 0.5 mg/hr",
        "Dose Maximum             : 10 mg/hr",
        "ICU                           ON        Oncology                      ON",
        std::string(30, ' ') + "OFF" + std::string(7, ' ') + std::string(30, ' ') + "OFF",
    });
    EXPECT_EQ(printer.jobs[0].substr(0, expected.size()), expected);
    const auto page = lines(0);
    EXPECT_EQ(page[20], std::string(40, ' ') + "Spare               ");
    const std::vector<std::string> footer(page.begin() + 21, page.end());
    EXPECT_EQ(footer.size(), 16u);
    EXPECT_EQ(footer[0], "");
    EXPECT_EQ(footer[2], "File Name Lib.tm2");
    EXPECT_EQ(footer[3], "Printed 05/12/2026 at 15:30");
    EXPECT_EQ(footer[15], "Name: .......................... Signature: .............. Date:..............");
    EXPECT_EQ(folder.read("ToPrint.tmp"), printer.jobs[0]) << "the print file stays behind";
}

TEST_F(Printout, PagesAreNumberedAmongTheDefinedDrugs) {
    for (int n : {2, 5, 9}) setDrug(library, n, "Drug" + std::to_string(n), 1);
    setDrug(library, 4, "", 2);  // a blank name with a department is still a drug
    library.DrugNames[6] = std::string(14, ' ');  // blank and in no department: not printed
    print("Command15");
    ASSERT_EQ(printer.jobs.size(), 4u);
    const int expectedNumbers[] = {2, 4, 5, 9};
    for (std::size_t k = 0; k < 4; ++k) {
        const auto page = lines(k);
        EXPECT_TRUE(page[0].ends_with("Page " + std::to_string(k + 1) + " of 4")) << page[0];
        EXPECT_EQ(page[1], "Drug Number              : " + std::to_string(expectedNumbers[k]));
    }
    EXPECT_EQ(folder.read("ToPrint.tmp"), printer.jobs.back());
}

TEST_F(Printout, AnMlOnlyDrugPrintsOneUnitLine) {
    setDrug(library, 1, "Saline", 1, 0xE7);
    print("Command15");
    const auto page = lines(0);
    EXPECT_EQ(page[3], std::string(25, ' ') + ": mL Only");
    EXPECT_EQ(page[4], "Dose Minimum             : 0.5 mL/hr");
}

TEST_F(Printout, DepartmentsPrintFiveDrugsAPage) {
    for (int n = 1; n <= 7; ++n) setDrug(library, n * 3, "D" + std::to_string(n), 1u << 2);
    setDrug(library, 50, "Other", 1u << 23);
    library.DepartmentNames[3] = "Surgery";
    library.DepartmentNames[24] = "Night";
    print("Command16");
    ASSERT_EQ(printer.jobs.size(), 3u);
    const auto first = lines(0);
    EXPECT_EQ(first[0], "Lib        , Surgery              (3) Page 1 of 2");
    EXPECT_EQ(std::count_if(first.begin(), first.end(), [](auto& l) { return l.starts_with("Drug Number"); }), 5);
    EXPECT_TRUE(has(first, "Drug Number              : 15"));
    const auto second = lines(1);
    EXPECT_EQ(second[0], "Lib        , Surgery              (3) Page 2 of 2");
    EXPECT_EQ(std::count_if(second.begin(), second.end(), [](auto& l) { return l.starts_with("Drug Number"); }), 2);
    EXPECT_EQ(second[8], "") << "an empty line after each drug";
    EXPECT_EQ(lines(2)[0], "Lib        , Night                (24) Page 1 of 1");
}

TEST_F(Printout, AnEmptyLibraryPrintsNothing) {
    EXPECT_EQ(print("Command15"), "The Macro Lib.tm2 has no drug to print.");
    EXPECT_EQ(print("Command16"), "The Macro Lib.tm2 has no drug to print.");
    EXPECT_TRUE(printer.jobs.empty());
}

TEST_F(Printout, WithoutAPrinterNothingIsPrintedAndTheUserIsTold) {
    setDrug(library, 1, "A", 1);
    printer.problem = "There is no default printer.";
    EXPECT_EQ(print("Command15"), "There is no default printer. Nothing was printed.");
    EXPECT_TRUE(printer.jobs.empty());
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "ToPrint.tmp"));
}

TEST_F(Printout, ARefusedPageStopsThePrintoutAndCountsThePagesPrinted) {
    for (int n = 1; n <= 3; ++n) setDrug(library, n, "A", 1);
    printer.failAtJob = 2;
    EXPECT_EQ(print("Command15"),
              "Printing stopped: 1 of 3 pages were printed. Page 2 was not printed (the printer refused it), nor "
              "were the pages after it.");
    EXPECT_EQ(printer.jobs.size(), 2u);
}

TEST_F(Printout, CancellingStopsAfterTheCurrentPage) {
    for (int n = 1; n <= 3; ++n) setDrug(library, n, "A", 1);
    printer.cancelAfterPage = 1;
    EXPECT_EQ(print("Command15"), "Printing cancelled: 1 of 3 pages were printed; the rest were not.");
    EXPECT_EQ(printer.jobs.size(), 1u);
}

}  // namespace
}  // namespace mc::druglib

// The status strip says how the printout ended: on which printer every page
// went, or how far it got.
namespace mc::druglib {
namespace {

TEST_F(Printout, TheStatusStripSaysHowThePrintoutEnded) {
    struct Case {
        const char* what;
        int failAtJob;
        const char* said;
    };
    const Case cases[] = {
        {"every page", 0, "Printed 3 pages on Office"},
        {"refused at the second page", 2,
         "Printing stopped: 1 of 3 pages were printed. Page 2 was not printed (the printer refused it), nor were "
         "the pages after it."},
    };
    for (const Case& c : cases) {
        for (int n = 1; n <= 3; ++n) setDrug(library, n, "D" + std::to_string(n), 1);
        printer.jobs.clear();
        printer.failAtJob = c.failAtJob;
        folder.write("Lib.tm2", writeTm2Release041(library, "Lib"));
        Quelda041Editor editor(folder.path(), NumberFormat{}, printer.services());
        editor.pick("File1", 0);
        editor.click("Command15");
        EXPECT_EQ(editor.form()["StatusMessage"].text, c.said) << c.what;
    }
}

}  // namespace
}  // namespace mc::druglib
