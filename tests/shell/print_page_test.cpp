#include <gtest/gtest.h>

#include "shell/core/print_page.hpp"
#include "support/recording_printer.hpp"
#include "support/temp_folder.hpp"

namespace mc {
namespace {

class Printing : public ::testing::Test {
protected:
    testing::TempFolder folder;
    testing::RecordingPrinter printer;
    PrintServices services = printer.services();
};

// A change report has 50 lines a page, each page ending with two empty lines, the print date and four signature
// blocks of two empty lines and a line to sign.
TEST(ChangeReport, SplitsTheLinesIntoNumberedPagesThatEachEndWithTheSignatures) {
    const auto pages = changeReportPages("Changes to w.tm2", std::vector<std::string>(51, "changed"), "05/12/2024", "14:03");
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(pages[0].front(), "Changes to w.tm2 (1 of 2)");
    EXPECT_EQ(pages[0].size(), 1 + 50 + 2 + 13u);
    const std::string sign = "Name: .......................... Signature: .............. Date:..............";
    EXPECT_EQ(pages[1], (PrintedPage{"Changes to w.tm2 (2 of 2)", "changed", "", "", "Printed 05/12/2024 at 14:03",
                                     "", "", sign, "", "", sign, "", "", sign, "", "", sign}));
    EXPECT_EQ(changeReportPages("Changes to w.tm2", {}, "d", "t").at(0).size(), 1 + 2 + 13u) << "no lines is one page";
}

// Each page replaces the print file with its lines, CR LF after each and the bytes unchanged, and prints that file.
TEST_F(Printing, EachPageReplacesThePrintFileWhichHoldsTheLastPageAfterwards) {
    folder.write("ToPrint.tmp", "an older, much longer page left from a previous run\r\n\r\n\r\n");
    const std::pair<PrintedPage, std::string> pages[] = {
        {{"Title", "  a  ", "", "b"}, "Title\r\n  a  \r\n\r\nb\r\n"},
        {{"D\xE9partement \xB5g", "\xFF"}, "D\xE9partement \xB5g\r\n\xFF\r\n"},
        {{"Title only"}, "Title only\r\n"},
        {{}, ""},
    };
    for (const auto& [lines, bytes] : pages) {
        EXPECT_EQ(printPage(folder.path(), lines, "", services), std::nullopt);
        EXPECT_EQ(printer.jobs.back(), bytes);
        EXPECT_EQ(folder.read("ToPrint.tmp"), bytes);
    }
    EXPECT_EQ(printer.files, std::vector(4, folder.path() / "ToPrint.tmp"));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1) << "no temporary left";
}

TEST_F(Printing, AFailedJobIsReportedAndTheFileStaysButAFileNotWrittenIsNeverPrinted) {
    printer.failAtJob = 1;
    EXPECT_EQ(printPage(folder.path(), {"T", "b"}, "", services), "the printer refused it");
    EXPECT_EQ(folder.read("ToPrint.tmp"), "T\r\nb\r\n");
    EXPECT_EQ(printPage(folder.path() / "no such folder", {"T", "b"}, "", services),
              "the print file ToPrint.tmp could not be written");
    EXPECT_EQ(printer.jobs.size(), 1u);
}

// Each page names the file printed, its digest and its place in the printout.
TEST(PageFooter, NamesTheFileItsDigestAndThePage) {
    EXPECT_EQ(pageFooter({"ward3.tm2", "ba33bbf01d353c74bda319136e38ac82144e4641329d59206e785c143474e98c"}, 1, 2, "2026-12-05 15:30"),
              "File ward3.tm2  SHA-256 ba33bbf01d353c74  Page 1 of 2  Printed 2026-12-05 15:30");
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
