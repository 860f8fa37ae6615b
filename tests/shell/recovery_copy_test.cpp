#include <gtest/gtest.h>

#include "shell/core/editor_frame.hpp"
#include "shell/core/recovery_copy.hpp"
#include "support/temp_folder.hpp"

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

TEST(RecoveryCopyText, HeaderThenTheBytesUntouched) {
    const std::string text = textOf(Sample);
    EXPECT_EQ(text.substr(0, text.size() - Sample.bytes.size()),
              "TAVREL-RECOVERY 2\neditor=RX_Macro_Creator\nsource=new library\ntime=2026-12-06T04:50:00\n"
              "mode=EPIDURAL\nlength=25\nsha256=" + byteSum(Sample.bytes) + "\n\n");
    EXPECT_TRUE(text.ends_with(Sample.bytes));
    EXPECT_EQ(parsed(text), Sample);
}

TEST(RecoveryCopyText, ALineBreakInAFileNameCannotBreakTheHeader) {
    RecoveryCopy copy = Sample;
    copy.source = "two\nlines.tm2";
    const auto read = parsed(textOf(copy));
    ASSERT_TRUE(read);
    EXPECT_EQ(read->source, "two?lines.tm2");
    EXPECT_EQ(read->bytes, Sample.bytes);
}

TEST(RecoveryCopyText, AnEmptyLibraryIsACopyToo) {
    RecoveryCopy copy = Sample;
    copy.bytes.clear();
    copy.mode.clear();
    EXPECT_EQ(parsed(textOf(copy)), copy);
}

TEST(RecoveryCopyText, DamagedCopiesAreRefused) {
    const std::string whole = textOf(Sample);
    std::string zeroed = whole;
    zeroed.replace(zeroed.size() - 10, 4, std::string(4, '\0'));
    auto replaced = [&](std::string_view from, std::string_view to) {
        std::string text = whole;
        text.replace(text.find(from), from.size(), to);
        return text;
    };
    const std::vector<std::pair<const char*, std::string>> cases = {
        {"empty", ""},
        {"cut in the bytes", whole.substr(0, whole.size() - 1)},
        {"cut in the header", whole.substr(0, 30)},
        {"longer than its length", whole + "x"},
        {"a block of zeros in the bytes", zeroed},
        {"no digest", replaced("sha256=" + byteSum(Sample.bytes) + "\n", "")},
        {"an earlier version without a digest", replaced("TAVREL-RECOVERY 2", "TAVREL-RECOVERY 1")},
        {"no editor", replaced("editor=RX_Macro_Creator\n", "")},
        {"empty editor", replaced("editor=RX_Macro_Creator", "editor=")},
        {"no source", replaced("source=new library\n", "")},
        {"no time", replaced("time=2026-12-06T04:50:00\n", "")},
        {"time not a time", replaced("2026-12-06T04:50:00", "yesterday at five")},
        {"no length", replaced("length=25\n", "")},
        {"length not a number", replaced("length=25", "length=25x")},
        {"negative length", replaced("length=25", "length=-25")},
        {"huge length", replaced("length=25", "length=99999999999999999999999")},
        {"line without a key", replaced("source=new library", "source new library")},
        {"just the bytes", Sample.bytes},
    };
    for (const auto& [what, text] : cases) EXPECT_FALSE(parsed(text)) << what;
}

TEST(RecoveryCopyText, KeysOfALaterHeaderArePassedOver) {
    std::string text = textOf(Sample);
    text.insert(text.find("length="), "pumps=3\n");
    EXPECT_EQ(parsed(text), Sample);
}

TEST(RecoveryCopyText, TheQuestionAndTheNoteShowDateAndTime) {
    EXPECT_EQ(restoreQuestion(Sample), "Unsaved work from 2026-12-06 04:50:00 was found (new library). Restore it?");
    EXPECT_EQ(restoredMessage(Sample), "Restored unsaved work from 2026-12-06 04:50:00");
}

// A dialect of one text per data page, written as "a|b" behind the macro name.
class Library : public EditorFrame {
public:
    explicit Library(const std::filesystem::path& folder) : EditorFrame(layoutFor(), folder, NumberFormat{}) {
        form_.add("TextA");
        form_.add("TextB");
        form_.add("Delete");
        onEdit("TextA", [this] { markModified(2); });
        onEdit("TextB", [this] { markModified(3); });
        onClick("Delete", [this] {
            b.clear();
            markLibraryChanged();
        });
    }
    static FrameLayout layoutFor() {
        FrameLayout layout;
        layout.windowName = "Test_Macro_Creator";
        layout.extension = ".tst";
        return layout;
    }
    std::string a, b;

protected:
    void ResetMacro() override { a = b = ""; }
    std::optional<std::string> readMacro(std::string_view bytes) override {
        const auto name = bytes.find(':');
        const auto cut = bytes.find('|');
        if (name == std::string_view::npos || cut == std::string_view::npos || cut < name) return "not a test macro";
        bytes.remove_prefix(name + 1);
        a = bytes.substr(0, cut - name - 1);
        b = bytes.substr(cut - name);
        return std::nullopt;
    }
    std::optional<std::string> writeMacro(const std::string& name) override { return name + ":" + a + "|" + b; }
    bool readsBackAsMacro(std::string_view bytes) const override { return bytes.ends_with(a + "|" + b); }
    void fillPage(int page) override { form_[page == 2 ? "TextA" : "TextB"].text = page == 2 ? a : b; }
    Commit commitPage(int page) override {
        (page == 2 ? a : b) = form_[page == 2 ? "TextA" : "TextB"].text;
        return stored("Updated");
    }
};

// What a recovery store would have seen: a copy after every change, none after a discard.
class Recovery : public ::testing::Test {
protected:
    testing::TempFolder folder;
    Library library{folder.path()};
    std::vector<std::string> events;
    std::optional<std::string> copy;

    void SetUp() override {
        folder.write("old.tst", "SAVED:x|y");
        library.watchLibrary(
            [this] {
                events.push_back("changed");
                copy = library.libraryBytes();
                EXPECT_TRUE(library.unsaved());
            },
            [this] {
                events.push_back("discarded");
                copy.reset();
            });
    }
    void confirm(const char* field, const std::string& text) {
        library.textEdited(field, text);
        library.click(field == std::string("TextA") ? "Command4" : "Command9");
    }
    std::string saved() const { return library.form()[std::string(StatusSaved)].text; }
};

TEST_F(Recovery, EveryOkAndEveryDeletionWritesTheWholeLibrary) {
    library.click("Command12");  // New
    EXPECT_EQ(events, std::vector<std::string>{"discarded"});
    library.textEdited("TextA", "ICU");
    EXPECT_EQ(events.size(), 1u) << "typing alone changes nothing in the library";
    library.click("Command4");
    EXPECT_EQ(copy, "RECOVER:ICU|");
    library.click("Command3");
    confirm("TextB", "Dopamine");
    EXPECT_EQ(copy, "RECOVER:ICU|Dopamine");
    library.click("Delete");
    EXPECT_EQ(copy, "RECOVER:ICU|");
    EXPECT_EQ(events, (std::vector<std::string>{"discarded", "changed", "changed", "changed"}));
}

TEST_F(Recovery, ACopyExistsExactlyWhileTheStripSaysNotSaved) {
    struct Step {
        const char* what;
        std::function<void()> act;
        bool copyKept;
    };
    const std::vector<Step> steps = {
        {"OK on a new library", [&] { library.click("Command12"), confirm("TextA", "ICU"); }, true},
        {"New again", [&] { library.click("Command2"), library.click("Command12"); }, false},
        {"OK again", [&] { confirm("TextA", "Ward"); }, true},
        {"Save", [&] {
             library.click("Command3"), library.click("Command10");
             library.textEdited("Text29", "Ward"), library.click("Command11");
         }, false},
        {"Open, then OK", [&] {
             library.pick("File1", 0), library.click("Command1"), confirm("TextA", "Z");
         }, true},
        {"Open replaces it", [&] { library.click("Command2"), library.pick("File1", 0), library.click("Command1"); },
         false},
    };
    for (const Step& step : steps) {
        step.act();
        EXPECT_EQ(copy.has_value(), step.copyKept) << step.what;
        EXPECT_EQ(saved() == "not saved", step.copyKept) << step.what;
    }
}

TEST_F(Recovery, RestoringReadsTheCopyAsOpenWouldButLeavesItUnsaved) {
    const auto refused = library.restoreLibrary("RECOVER:ICU|Dopamine", "old.tst", "Restored unsaved work from X");
    EXPECT_FALSE(refused);
    EXPECT_EQ(library.visiblePage(), 2);
    EXPECT_EQ(library.form()["TextA"].text, "ICU");
    EXPECT_EQ(library.libraryName(), "old.tst");
    EXPECT_EQ(saved(), "not saved");
    EXPECT_EQ(library.form()[std::string(StatusNote)].text, "Restored unsaved work from X");
    EXPECT_EQ(copy, "RECOVER:ICU|Dopamine") << "the restored work is kept in a copy of its own at once";
    EXPECT_FALSE(library.form()["Command4"].enabled) << "the page is in its clean state";
    // Nothing was written in the working folder.
    EXPECT_EQ(listFiles(folder.path(), ".tst").size(), 1u);
    // Saving it ends the note with the unsaved work.
    library.click("Command3"), library.click("Command10");
    library.textEdited("Text29", "Back"), library.click("Command11");
    EXPECT_EQ(library.form()[std::string(StatusNote)].text, "");
    EXPECT_EQ(folder.read("Back.tst"), "Back:ICU|Dopamine");
    EXPECT_FALSE(copy);
}

TEST_F(Recovery, ACopyTheReaderRefusesLeavesTheEditorEmpty) {
    library.click("Command12");
    confirm("TextA", "ICU");
    events.clear();
    EXPECT_EQ(library.restoreLibrary("garbage", "new library", "note"), "not a test macro");
    EXPECT_EQ(library.a, "");
    EXPECT_TRUE(events.empty());
}

}  // namespace
}  // namespace mc
