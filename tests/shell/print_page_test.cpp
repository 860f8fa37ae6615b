#include <gtest/gtest.h>

#include "shell/core/print_page.hpp"
#include "support/recording_printer.hpp"
#include "support/temp_folder.hpp"

namespace mc {
namespace {

const std::string SignatureLine = "Name: .......................... Signature: .............. Date:..............";

TEST(SignatureFooter, DateLineThenFourSignatureBlocks) {
    const std::vector<std::string> expected{
        "Printed 05/12/2024 at 14:03",
        "", "", SignatureLine,
        "", "", SignatureLine,
        "", "", SignatureLine,
        "", "", SignatureLine,
    };
    EXPECT_EQ(signatureFooter("05/12/2024", "14:03"), expected);
    // Regional formats arrive as they are, whatever their shape.
    EXPECT_EQ(signatureFooter("2024-12-05", "2:03 PM").front(), "Printed 2024-12-05 at 2:03 PM");
    EXPECT_EQ(signatureFooter("", "").front(), "Printed  at ");
}

class Printing : public ::testing::Test {
protected:
    testing::TempFolder folder;
    testing::RecordingPrinter printer;
    PrintServices services = printer.services();
};

// A change report has 50 lines a page, each page ending with two empty lines and the signatures.
TEST(ChangeReport, SplitsTheLinesIntoNumberedPagesThatEachEndWithTheSignatures) {
    const auto pages = changeReportPages("Changes to w.tm2", std::vector<std::string>(51, "changed"), "d", "t");
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(pages[0].front() + " / " + pages[1].front(), "Changes to w.tm2 (1 of 2) / Changes to w.tm2 (2 of 2)");
    EXPECT_EQ(pages[0].size() + pages[1].size(), (1 + 50 + 2 + 13) + (1 + 1 + 2 + 13u));
    EXPECT_EQ(std::vector(pages[1].begin() + 1, pages[1].begin() + 5), (std::vector<std::string>{"changed", "", "", "Printed d at t"}));
    EXPECT_EQ(pages[1].back(), SignatureLine);
    EXPECT_EQ(changeReportPages("Changes to w.tm2", {}, "d", "t").at(0).size(), 1 + 2 + 13u) << "no lines is one page";
}

TEST(PrintPage, WritesCrLfLinesWithBytesUnchangedAndPrintsThatFile) {
    const struct { const char* what; std::vector<std::string> lines; std::string bytes; } cases[] = {
        {"title and padded body", {"Title", "  a  ", "", "b"}, "Title\r\n  a  \r\n\r\nb\r\n"},
        {"Latin-1 bytes", {"D\xE9partement \xB5g", "\xFF"}, "D\xE9partement \xB5g\r\n\xFF\r\n"},
        {"title only", {"Title"}, "Title\r\n"},
        {"nothing", {}, ""},
    };
    for (const auto& c : cases) {
        testing::TempFolder folder;
        testing::RecordingPrinter printer;
        PrintServices services = printer.services();
        EXPECT_EQ(printPage(folder.path(), c.lines, "", services), std::nullopt) << c.what;
        EXPECT_EQ(printer.files, std::vector{folder.path() / "ToPrint.tmp"}) << c.what;
        EXPECT_EQ(printer.jobs, std::vector{c.bytes}) << c.what;
        EXPECT_EQ(folder.read("ToPrint.tmp"), c.bytes) << c.what;
    }
}

TEST_F(Printing, EachPageReplacesTheFileWhichHoldsTheLastPageAfterwards) {
    folder.write("ToPrint.tmp", "an older, much longer page left from a previous run\r\n\r\n\r\n");
    EXPECT_EQ(printPage(folder.path(), {"Page 1", "first body"}, "", services), std::nullopt);
    EXPECT_EQ(printPage(folder.path(), {"Page 2"}, "", services), std::nullopt);
    EXPECT_EQ(printer.jobs, (std::vector<std::string>{"Page 1\r\nfirst body\r\n", "Page 2\r\n"}));
    EXPECT_EQ(folder.read("ToPrint.tmp"), "Page 2\r\n");
    // Nothing else is left behind in the folder (no temporary files).
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1);
}

TEST_F(Printing, AFailedJobIsReportedAndTheFileStaysButAFileNotWrittenIsNeverPrinted) {
    printer.failAtJob = 1;
    EXPECT_EQ(printPage(folder.path(), {"T", "b"}, "", services), "the printer refused it");
    EXPECT_EQ(folder.read("ToPrint.tmp"), "T\r\nb\r\n");
    EXPECT_EQ(printPage(folder.path() / "no such folder", {"T", "b"}, "", services),
              "the print file ToPrint.tmp could not be written");
    EXPECT_EQ(printer.jobs.size(), 1u);
}

// Each page names the file printed, its digest and its place in the printout,
// below the body, never in the print file.
TEST_F(Printing, EachPageCarriesTheFooterOfTheFilePrinted) {
    const std::string digest = "ba33bbf01d353c74bda319136e38ac82144e4641329d59206e785c143474e98c";
    EXPECT_EQ(printPages(folder.path(), {{"1", "a"}, {"2", "b"}}, {"ward3.tm2", digest}, services), std::nullopt);
    EXPECT_EQ(printer.footers,
              (std::vector<std::string>{"File ward3.tm2  SHA-256 ba33bbf01d353c74  Page 1 of 2  Printed 2026-12-05 15:30",
                                        "File ward3.tm2  SHA-256 ba33bbf01d353c74  Page 2 of 2  Printed 2026-12-05 15:30"}));
    EXPECT_EQ(printer.jobs[1], "2\r\nb\r\n");
    EXPECT_EQ(pageFooter({"new.tm2", ""}, 1, 1, "2026-12-05 15:30"),
              "File new.tm2  SHA-256 not saved  Page 1 of 1  Printed 2026-12-05 15:30");
}

TEST(PrintPages, SaysHowFarItGotWhenThePrinterOrTheUserStopsIt) {
    const std::vector<PrintedPage> pages{{"1", "a"}, {"2", "b"}, {"3", "c"}};
    struct Case { const char* what; std::optional<std::string> problem; int failAtJob, cancelAfterPage; std::size_t jobs;
                  std::optional<std::string> message; };
    const Case cases[] = {
        {"all printed", {}, 0, 0, 3, std::nullopt},
        {"no printer", "There is no default printer.", 0, 0, 0, "There is no default printer. Nothing was printed."},
        {"first page refused", {}, 1, 0, 1,
         "Printing stopped: 0 of 3 pages were printed. Page 1 was not printed (the printer refused it), nor were "
         "the pages after it."},
        {"last page refused", {}, 3, 0, 3,
         "Printing stopped: 2 of 3 pages were printed. Page 3 was not printed (the printer refused it), nor were "
         "the pages after it."},
        {"cancelled", {}, 0, 2, 2, "Printing cancelled: 2 of 3 pages were printed; the rest were not."},
        {"cancelled at the end", {}, 0, 3, 3, std::nullopt},
    };
    for (const Case& c : cases) {
        testing::TempFolder folder;
        testing::RecordingPrinter printer;
        printer.problem = c.problem;
        printer.failAtJob = c.failAtJob;
        printer.cancelAfterPage = c.cancelAfterPage;
        PrintServices services = printer.services();
        EXPECT_EQ(printPages(folder.path(), pages, {"w.tm2", "x"}, services), c.message) << c.what;
        EXPECT_EQ(printer.jobs.size(), c.jobs) << c.what;
        // A progress shown is always taken down again.
        EXPECT_EQ(printer.started.size(), c.problem ? 0u : 1u) << c.what;
        EXPECT_EQ(printer.ended, c.problem ? 0 : 1) << c.what;
    }
}

}  // namespace
}  // namespace mc
