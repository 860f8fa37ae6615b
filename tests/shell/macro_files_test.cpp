#include <gtest/gtest.h>

#include <filesystem>

#include "shell/core/macro_files.hpp"
#include "support/temp_folder.hpp"

namespace mc {
namespace {

namespace fs = std::filesystem;

// A file whose name is given as the raw bytes the file system keeps.
fs::path rawFile(const testing::TempFolder& folder, const std::string& bytes, const std::string& content) {
    const fs::path path = folder.path() / fs::path(bytes);
    std::ofstream(path, std::ios::binary) << content;
    return path;
}

class FaultsOff : public ::testing::Test {
protected:
    void TearDown() override { setFileSystemFaultsForTesting({}); }
    testing::TempFolder folder;
};

TEST(ListFiles, ShowsEveryNameReadablyAndKeepsTheExactEntry) {
    testing::TempFolder folder;
    fs::create_directory(folder.path() / "a");
    std::ofstream(folder.path() / "a" / "b.tm2") << "inside a folder";
    struct Case {
        const char* what;
        std::string bytes;
        std::string shown;
    };
    const Case cases[] = {
        {"overlong slash", "a\xC0\xAF" "b.tm2", "a\xC0\xAF" "b.tm2"},
        {"Latin-1 bytes", "\xE9t\xE9.tm2", "\xE9t\xE9.tm2"},
        {"UTF-8 accents", "\xC3\xA9t\xC3\xA9 2.tm2", "\xE9t\xE9 2.tm2"},
        {"beyond Latin-1", "\xE6\x97\xA5.tm2", "?.tm2"},
        {"upper-case extension", "CAPS.TM2", "CAPS.TM2"},
    };
    for (const Case& c : cases) rawFile(folder, c.bytes, c.what);
    const auto files = listFiles(folder.path(), ".tm2");
    ASSERT_EQ(files.size(), std::size(cases));
    for (const Case& c : cases) {
        const auto it = std::find_if(files.begin(), files.end(),
                                     [&](const ListedFile& f) { return f.path.filename().native() == c.bytes; });
        ASSERT_NE(it, files.end()) << c.what;
        EXPECT_EQ(it->shownName, c.shown) << c.what;
        // The listed entry is the file that is read, whatever its name shows.
        const ReadResult read = readFile(it->path);
        EXPECT_EQ(read.status, ReadStatus::Read) << c.what;
        EXPECT_EQ(read.bytes, c.what) << c.what;
    }
}

TEST(ListFiles, LeavesOutFoldersLinksAndOtherExtensions) {
    testing::TempFolder outside;
    outside.write("secret.tm2", "outside the working folder");
    testing::TempFolder folder;
    folder.write("real.tm2", "");
    folder.write("other.tv1", "");
    fs::create_directory(folder.path() / "folder.tm2");
    fs::create_symlink(outside.path() / "secret.tm2", folder.path() / "link.tm2");
    const auto files = listFiles(folder.path(), ".tm2");
    ASSERT_EQ(files.size(), 1u);
    EXPECT_EQ(files[0].shownName, "real.tm2");
    // Nor is a link read when asked for by name.
    EXPECT_EQ(readFile(folder.path() / "link.tm2").status, ReadStatus::Unreadable);
    EXPECT_EQ(kindAt(folder.path() / "link.tm2"), PathKind::Link);
    EXPECT_EQ(kindAt(folder.path() / "folder.tm2"), PathKind::Folder);
    EXPECT_EQ(kindAt(folder.path() / "real.tm2"), PathKind::File);
    EXPECT_EQ(kindAt(folder.path() / "none.tm2"), PathKind::Nothing);
}

TEST(ReadFile, RefusesFilesAboveTheLimitBeforeReadingThem) {
    testing::TempFolder folder;
    const fs::path file = folder.path() / "huge.tm2";
    std::ofstream(file, std::ios::binary) << "x";
    fs::resize_file(file, MaxMacroFileSize + 1);  // sparse: no megabyte written
    EXPECT_EQ(readFile(file).status, ReadStatus::TooLarge);
    fs::resize_file(file, MaxMacroFileSize);
    const ReadResult atLimit = readFile(file);
    EXPECT_EQ(atLimit.status, ReadStatus::Read);
    EXPECT_EQ(atLimit.bytes.size(), MaxMacroFileSize);
    EXPECT_EQ(readFile(folder.path() / "missing.tm2").status, ReadStatus::Unreadable);
    EXPECT_EQ(readFile(folder.path()).status, ReadStatus::Unreadable);
}

TEST_F(FaultsOff, WithoutHardLinksTheFileIsCopiedIntoPlaceAndStillNeverReplaced) {
    setFileSystemFaultsForTesting({.refuseHardLinks = true});
    const fs::path file = folder.path() / "new.tm2";
    EXPECT_EQ(writeNewFile(file, "bytes\r\n"), WriteOutcome::Written);
    EXPECT_EQ(folder.read("new.tm2"), "bytes\r\n");
    EXPECT_EQ(writeNewFile(file, "other"), WriteOutcome::AlreadyExists);
    EXPECT_EQ(folder.read("new.tm2"), "bytes\r\n");
    // Nothing but the file itself is left in the folder.
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), {}), 1);
}

TEST_F(FaultsOff, AFailedSyncIsAFailedWriteAndLeavesNothingBehind) {
    setFileSystemFaultsForTesting({.failSync = true});
    EXPECT_EQ(writeNewFile(folder.path() / "new.tm2", "bytes"), WriteOutcome::Failed);
    EXPECT_FALSE(replaceFile(folder.path() / "ToPrint.tmp", "page"));
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), {}), 0);
}

}  // namespace
}  // namespace mc
