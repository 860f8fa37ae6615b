#include <gtest/gtest.h>

#include "shell/core/recovery_copy.hpp"

namespace mc {
namespace {

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

TEST(RecoveryCopyText, TheQuestionAndTheNoteShowDateAndTime) {
    EXPECT_EQ(restoreQuestion(Sample), "Unsaved work from 2026-12-06 04:50:00 was found (new library). Restore it?");
    EXPECT_EQ(restoredMessage(Sample), "Restored unsaved work from 2026-12-06 04:50:00");
}

}  // namespace
}  // namespace mc
