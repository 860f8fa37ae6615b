// The files of the working folder, and the recovery copies of unsaved work.
#include <gtest/gtest.h>

#include "shell/core/macro_files.hpp"
#include "shell/core/recovery_copy.hpp"
#include "support/temp_folder.hpp"

namespace mc {
namespace {

namespace fs = std::filesystem;

// A fresh working folder, and the file system's faults off again whatever a test did.
class Files : public ::testing::Test {
protected:
    void TearDown() override { setFileSystemFaultsForTesting({}); }
    testing::TempFolder folder;
};

TEST_F(Files, ListFilesShowsEveryNameReadablyInOrderAndKeepsTheExactEntry) {
    fs::create_directory(folder.path() / "a");
    std::ofstream(folder.path() / "a" / "b.tm2") << "inside a folder";
    const struct { const char* what; std::string bytes, shown; } cases[] = {  // in the order listed
        {"beyond Latin-1", "\xE6\x97\xA5.tm2", "?.tm2"},
        {"upper-case extension", "CAPS.TM2", "CAPS.TM2"},
        {"overlong slash", "a\xC0\xAF" "b.tm2", "a\xC0\xAF" "b.tm2"},
        {"UTF-8 accents", "\xC3\xA9t\xC3\xA9 2.tm2", "\xE9t\xE9 2.tm2"},
        {"Latin-1 bytes", "\xE9t\xE9.tm2", "\xE9t\xE9.tm2"},
    };
    for (const auto& c : cases) std::ofstream(folder.path() / fs::path(c.bytes)) << c.what;  // the name's raw bytes
    const auto files = listFiles(folder.path(), ".tm2");
    ASSERT_EQ(files.size(), std::size(cases));
    for (std::size_t k = 0; k < files.size(); ++k) {
        EXPECT_EQ(files[k].shownName, cases[k].shown) << cases[k].what;
        // The listed entry is the file that is read, whatever its name shows.
        EXPECT_EQ(readFile(files[k].path).bytes, cases[k].what) << cases[k].what;
    }
}

TEST_F(Files, ListFilesLeavesOutFoldersLinksAndOtherExtensions) {
    testing::TempFolder outside;
    outside.write("secret.tm2", "outside the working folder");
    folder.write("real.tm2", "");
    folder.write("other.tv1", "");
    folder.write("real.tm2.bak", "");
    fs::create_directory(folder.path() / "folder.tm2");
    fs::create_symlink(outside.path() / "secret.tm2", folder.path() / "link.tm2");
    const auto files = listFiles(folder.path(), ".tm2");
    ASSERT_EQ(files.size(), 1u);
    EXPECT_EQ(files[0].shownName, "real.tm2");
    EXPECT_EQ(readFile(folder.path() / "link.tm2").status, ReadStatus::Unreadable) << "nor is a link read by its name";
}

TEST_F(Files, ReadFileRefusesFilesAboveTheLimitBeforeReadingThem) {
    const fs::path file = folder.path() / "huge.tm2";
    std::ofstream(file, std::ios::binary) << "x";
    fs::resize_file(file, MaxMacroFileSize + 1);  // sparse: no megabyte written
    EXPECT_EQ(readFile(file).status, ReadStatus::TooLarge);
    fs::resize_file(file, MaxMacroFileSize);
    EXPECT_EQ(readFile(file).bytes.size(), MaxMacroFileSize);
    EXPECT_EQ(readFile(folder.path() / "missing.tm2").status, ReadStatus::Unreadable);
    EXPECT_EQ(readFile(folder.path()).status, ReadStatus::Unreadable);
}

// What the Save page accepts as a macro name: a file name on every system, in this folder.
TEST(PlainFileName, RefusesPathsDevicesAndCharactersWindowsForbids) {
    for (const char* name : {"Ward 3", "\xE9t\xE9", "LPT0", "COM10", "conx", "a.b", "..."})
        EXPECT_TRUE(isPlainFileName(name)) << name;
    for (const char* name : {"", ".", "..", "../up", "a/b", "a\\b", "a:b", "why?", "a*", "\"q\"", "<", ">", "a|b",
                             "tab\there", "del\x7F", "con", "PRN", "Aux", "nul", "COM1", "lpt9"})
        EXPECT_FALSE(isPlainFileName(name)) << name;
}

TEST_F(Files, WithoutHardLinksTheFileIsCopiedIntoPlaceAndStillNeverReplaced) {
    setFileSystemFaultsForTesting({.refuseHardLinks = true});
    const fs::path file = folder.path() / "new.tm2";
    EXPECT_EQ(writeNewFile(file, "bytes\r\n"), WriteOutcome::Written);
    EXPECT_EQ(writeNewFile(file, "other"), WriteOutcome::AlreadyExists);
    EXPECT_EQ(folder.read("new.tm2"), "bytes\r\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), {}), 1) << "nothing but the file is left";
}

TEST_F(Files, AFailedSyncIsAFailedWriteAndLeavesNothingBehind) {
    setFileSystemFaultsForTesting({.failSync = true});
    EXPECT_EQ(writeNewFile(folder.path() / "new.tm2", "bytes"), WriteOutcome::Failed);
    EXPECT_FALSE(replaceFile(folder.path() / "ToPrint.tmp", "page"));
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), {}), 0);
}

const RecoveryCopy Sample{"RX_Macro_Creator", "new library", "2026-12-06T04:50:00",
                          std::string("LIBRARY RECOVER\r\n\xE9t\xE9\r\n\0end\r\n", 25), "EPIDURAL"};

// A stand-in for SHA-256 (the shell's, from Qt): the sum of the bytes, which
// any changed byte changes.
std::string byteSum(std::string_view bytes) {
    unsigned sum = 0;
    for (const char c : bytes) sum += static_cast<unsigned char>(c);
    return "sum" + std::to_string(sum);
}

std::string textOf(const RecoveryCopy& copy) { return recoveryCopyText(copy, byteSum); }
std::optional<RecoveryCopy> parsed(std::string_view text) { return parseRecoveryCopy(text, byteSum); }

TEST(RecoveryCopyText, WritesAHeaderThenTheBytesUntouchedAndReadsThemBack) {
    EXPECT_EQ(textOf(Sample), "TAVREL-RECOVERY 2\neditor=RX_Macro_Creator\nsource=new library\ntime=2026-12-06T04:50:00\n"
                              "mode=EPIDURAL\nlength=25\nsha256=" + byteSum(Sample.bytes) + "\n\n" + Sample.bytes);
    EXPECT_EQ(parsed(textOf(Sample)), Sample);
    RecoveryCopy empty = Sample, twoLines = Sample, oneLine = Sample;
    empty.bytes.clear();
    empty.mode.clear();
    EXPECT_EQ(parsed(textOf(empty)), empty);
    twoLines.source = "two\nlines.tm2";
    oneLine.source = "two?lines.tm2";
    EXPECT_EQ(parsed(textOf(twoLines)), oneLine) << "a line break in a file name cannot break the header";
    std::string later = textOf(Sample);
    later.insert(later.find("length="), "pumps=3\n");
    EXPECT_EQ(parsed(later), Sample) << "the keys of a later header are passed over";
    EXPECT_EQ(restoredMessage(Sample), "Restored unsaved work from 2026-12-06 04:50:00");
}

TEST(RecoveryCopyText, DamagedCopiesAreRefused) {
    const std::string whole = textOf(Sample);
    auto replaced = [&](std::string_view from, std::string_view to) {
        std::string text = whole;
        text.replace(text.find(from), from.size(), to);
        return text;
    };
    const std::vector<std::pair<const char*, std::string>> cases = {
        {"cut in the bytes", whole.substr(0, whole.size() - 1)},
        {"cut in the header", whole.substr(0, 30)},
        {"longer than its length", whole + "x"},
        {"longer by a byte the digest misses", whole + std::string(1, '\0')},  // a zero adds nothing to the sum
        {"a block of zeros in the bytes", replaced("\xE9t\xE9", std::string(3, '\0'))},
        {"no digest", replaced("sha256=" + byteSum(Sample.bytes) + "\n", "")},
        {"an earlier version without a digest", replaced("TAVREL-RECOVERY 2", "TAVREL-RECOVERY 1")},
        {"empty editor", replaced("editor=RX_Macro_Creator", "editor=")},
        {"no source", replaced("source=new library\n", "")},
        {"time not a time", replaced("2026-12-06T04:50:00", "yesterday at five")},
        {"no length", replaced("length=25\n", "")},
        {"length not a number", replaced("length=25", "length=25x")},
        {"negative length", replaced("length=25", "length=-25")},
        {"line without a key", replaced("source=new library", "source new library")},
    };
    for (const auto& [what, text] : cases) EXPECT_FALSE(parsed(text)) << what;
}

}  // namespace
}  // namespace mc
