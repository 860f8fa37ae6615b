#include <gtest/gtest.h>

#include <fstream>
#include <new>

#include "shell/core/editor_frame.hpp"
#include "support/temp_folder.hpp"

namespace mc {
namespace {

// A small dialect: the macro is one text per data page, written as two lines.
class TestEditor : public EditorFrame {
public:
    explicit TestEditor(const std::filesystem::path& folder) : EditorFrame(layoutFor(), folder, NumberFormat{}) {
        form_.add("TextA");
        form_.add("TextB");
        form_.add("Exhaust");
        onEdit("TextA", [this] { markModified(2); });
        onEdit("TextB", [this] { markModified(3); });
        onClick("Exhaust", [] { throw std::bad_alloc(); });
        onClick("Command13", [this] {
            ++record;
            restorePage(3);
        });
    }
    static FrameLayout layoutFor() {
        FrameLayout layout;
        layout.windowName = "Test_Macro_Creator";
        layout.extension = ".tst";
        layout.saveNameMaxLength = 11;
        layout.fileButtons = {{"Command15", "Print Macro Data"}};
        layout.recordButtons = {{"Command14", "Previous Drug"}, {"Command13", "Next Drug"}};
        layout.forgetChosenFileAfterSave = true;
        return layout;
    }

    std::string a, b;
    int record = 0;
    int resets = 0;
    bool refuseCommit = false;
    std::function<void()> beforeWrite;
    bool readsBack = true;

protected:
    void ResetMacro() override {
        a.clear();
        b.clear();
        ++resets;
    }
    std::optional<std::string> readMacro(std::string_view bytes) override {
        ResetMacro();
        const auto cut = bytes.find('|');
        a = bytes.substr(0, cut);
        if (cut != std::string_view::npos) b = bytes.substr(cut + 1);
        return std::nullopt;
    }
    std::optional<std::string> writeMacro(const std::string&) override {
        if (beforeWrite) beforeWrite();
        return a + "|" + b;
    }
    bool readsBackAsMacro(std::string_view bytes) const override { return readsBack && bytes == a + "|" + b; }
    void fillPage(int page) override { form_[page == 2 ? "TextA" : "TextB"].text = page == 2 ? a : b; }
    Commit commitPage(int page) override {
        if (refuseCommit) return refused({{"", "Value must be valid"}});
        (page == 2 ? a : b) = form_[page == 2 ? "TextA" : "TextB"].text;
        return stored(page == 2 ? "List Updated" : "Record Updated");
    }
    void selectFirstRecord() override { record = 1; }
    void enableRecordButtons() override { form_["Command14"].enabled = record > 1; }
};

class Frame : public ::testing::Test {
protected:
    testing::TempFolder folder;
    void SetUp() override {
        folder.write("beta.tst", "b1|b2");
        folder.write("Alpha.TST", "a1|a2");
        folder.write("other.tm2", "x");
    }
    TestEditor& editor() {
        if (!editor_) editor_ = std::make_unique<TestEditor>(folder.path());
        return *editor_;
    }
    const Control& operator[](const char* name) { return editor().form()[name]; }
    void chooseFile(const std::string& name) {
        const auto& items = editor().form()["File1"].items;
        editor().pick("File1", static_cast<int>(std::find(items.begin(), items.end(), name) - items.begin()));
    }

private:
    std::unique_ptr<TestEditor> editor_;
};

TEST_F(Frame, LoadsOnTheOpenPageWithTheFilesOfItsExtension) {
    EXPECT_EQ(editor().visiblePage(), 1);
    EXPECT_EQ((*this)["File1"].items, (std::vector<std::string>{"Alpha.TST", "beta.tst"}));
    EXPECT_EQ((*this)["File2"].items, (*this)["File1"].items);
    EXPECT_FALSE((*this)["Command1"].enabled);
    EXPECT_FALSE((*this)["Command15"].enabled);
    EXPECT_FALSE((*this)["Command11"].enabled);
    EXPECT_TRUE((*this)["Command12"].enabled);
    EXPECT_EQ((*this)["Frame1"].text, "Open Macro");
    EXPECT_EQ((*this)["Frame4"].text, "Save Macro");
    EXPECT_EQ((*this)["Text29"].maxLength, 11);
}

TEST_F(Frame, ChoosingAFileEnablesOpenAndDoubleClickOpensIt) {
    chooseFile("beta.tst");
    EXPECT_EQ((*this)["Text30"].text, "beta.tst");
    EXPECT_TRUE((*this)["Command1"].enabled);
    EXPECT_TRUE((*this)["Command15"].enabled);
    editor().doubleClick("File1");
    EXPECT_EQ(editor().visiblePage(), 2);
    EXPECT_EQ((*this)["TextA"].text, "b1");
    EXPECT_EQ(editor().b, "b2");
}

TEST_F(Frame, OpeningAVanishedFileLeavesPageAndMacroAsTheyWere) {
    editor().click("Command12");
    editor().textEdited("TextA", "kept");
    editor().click("Command4");
    editor().click("Command2");
    chooseFile("beta.tst");
    std::filesystem::remove(folder.path() / "beta.tst");
    editor().click("Command1");
    EXPECT_EQ(editor().visiblePage(), 1);
    EXPECT_EQ((*this)["OpenMessage"].text, "The Macro file beta.tst can not be opened. It may have been removed.");
    EXPECT_EQ(editor().a, "kept");
}

TEST_F(Frame, TheListedEntryIsTheFileOpenedWhateverItsNameShows) {
    std::filesystem::create_directory(folder.path() / "a");
    std::ofstream(folder.path() / "a" / "b.tst") << "wrong|file";
    std::ofstream(folder.path() / std::filesystem::path("a\xC0\xAF" "b.tst")) << "right|file";
    chooseFile("a\xC0\xAF" "b.tst");
    EXPECT_EQ((*this)["Text30"].text, "a\xC0\xAF" "b.tst");
    editor().click("Command1");
    EXPECT_EQ(editor().a, "right");
}

TEST_F(Frame, AFileFarLargerThanAnyMacroIsRefusedUnread) {
    std::ofstream(folder.path() / "huge.tst") << "x";
    std::filesystem::resize_file(folder.path() / "huge.tst", 1024 * 1024 * 1024);
    editor().click("Command12");
    editor().textEdited("TextA", "kept");
    editor().click("Command4");
    editor().click("Command2");
    chooseFile("huge.tst");
    editor().click("Command1");
    EXPECT_EQ(editor().visiblePage(), 1);
    EXPECT_EQ((*this)["OpenMessage"].text,
              "The Macro file huge.tst can not be opened: at more than 1 MiB it is far larger than any macro file.");
    EXPECT_EQ(editor().a, "kept");
}

TEST_F(Frame, RunningOutOfMemoryIsAMessageNotTheEnd) {
    editor().click("Exhaust");
    EXPECT_EQ((*this)["OpenMessage"].text, "There was not enough memory to finish this action.");
    editor().click("Command12");
    EXPECT_EQ(editor().visiblePage(), 2) << "the editor goes on working";
}

TEST_F(Frame, NewEmptiesTheMacroAndShowsTheFirstDataPage) {
    chooseFile("Alpha.TST");
    editor().click("Command1");
    editor().click("Command2");
    editor().click("Command12");
    EXPECT_EQ(editor().visiblePage(), 2);
    EXPECT_EQ((*this)["TextA"].text, "");
    EXPECT_EQ(editor().b, "");
}

TEST_F(Frame, GuardHoldsTheUserOnAModifiedPage) {
    editor().click("Command12");
    EXPECT_TRUE((*this)["Command3"].enabled);
    EXPECT_FALSE((*this)["Command4"].enabled);
    EXPECT_FALSE((*this)["Command5"].enabled);

    editor().textEdited("TextA", "x");
    EXPECT_FALSE((*this)["Command3"].enabled);
    EXPECT_TRUE((*this)["Command4"].enabled);
    EXPECT_TRUE((*this)["Command5"].enabled);
    EXPECT_TRUE((*this)["Command2"].enabled);  // leaving without validating is always possible
    EXPECT_EQ((*this)["Label36"].text, "Please validate modifications with OK key");
    editor().click("Command3");
    EXPECT_EQ(editor().visiblePage(), 2) << "a disabled Next does nothing";

    editor().click("Command5");  // Cancel Last Changes
    EXPECT_EQ((*this)["TextA"].text, "");
    EXPECT_EQ((*this)["Label36"].text, "");
    EXPECT_TRUE((*this)["Command3"].enabled);

    editor().textEdited("TextA", "y");
    editor().click("Command4");
    EXPECT_EQ(editor().a, "y");
    EXPECT_EQ((*this)["Label36"].text, "List Updated");
    EXPECT_FALSE((*this)["Command4"].enabled);
}

TEST_F(Frame, FailedOkKeepsThePageModifiedWithItsMessages) {
    editor().click("Command12");
    editor().click("Command3");
    ASSERT_EQ(editor().visiblePage(), 3);
    editor().textEdited("TextB", "z");
    for (const char* name : {"Command7", "Command10", "Command13", "Command14"}) EXPECT_FALSE((*this)[name].enabled);
    editor().refuseCommit = true;
    editor().click("Command9");
    EXPECT_EQ((*this)["Label74"].text, "Value must be valid\r\n");
    EXPECT_TRUE((*this)["Command9"].enabled);
    EXPECT_EQ(editor().b, "");
}

TEST_F(Frame, RecordPageNavigation) {
    editor().click("Command12");
    editor().click("Command3");
    EXPECT_EQ(editor().record, 1);
    EXPECT_FALSE((*this)["Command14"].enabled);
    editor().click("Command13");
    EXPECT_EQ(editor().record, 2);
    EXPECT_TRUE((*this)["Command14"].enabled);
    editor().click("Command10");
    EXPECT_EQ(editor().visiblePage(), 4);
    editor().click("Command6");
    EXPECT_EQ(editor().visiblePage(), 3);
    editor().click("Command7");
    EXPECT_EQ(editor().visiblePage(), 2);
    editor().click("Command2");
    EXPECT_EQ(editor().visiblePage(), 1);
}

TEST_F(Frame, GoingBackAsksOnlyWhenUnsavedWorkWouldBeLost) {
    std::vector<std::string> asked;
    bool goAhead = false;
    editor().askWith([&](const Question& question) {
        asked.push_back(question.name + ": " + question.text + " [" + question.goAhead + "]");
        return goAhead;
    });
    editor().click("Command12");
    editor().textEdited("TextA", "typed");  // typing alone is not stored: nothing to ask
    EXPECT_FALSE(editor().closeQuestion()->text.starts_with("The library"));
    editor().click("Command2");
    EXPECT_EQ(editor().visiblePage(), 1);
    EXPECT_TRUE(asked.empty());

    editor().click("Command12");
    editor().textEdited("TextA", "stored");
    editor().click("Command4");
    editor().click("Command2");  // Cancel
    EXPECT_EQ(asked, (std::vector<std::string>{"BackQuestion: The library holds changes that are not saved. Go back "
                                               "and lose them? [Go Back]"}));
    EXPECT_EQ(editor().visiblePage(), 2);
    EXPECT_EQ((*this)["TextA"].text, "stored");
    EXPECT_EQ(editor().closeQuestion()->text,
              "The library holds changes that are not saved. Close the window and lose them?");
    goAhead = true;
    editor().click("Command2");
    EXPECT_EQ(editor().visiblePage(), 1);
    EXPECT_EQ(editor().a, "stored") << "the library is replaced by the next Open or New";
}

TEST_F(Frame, APageFilledAnewTakesTheKeyboardButARefusedOkDoesNot) {
    editor().click("Command12");
    auto fresh = [this, seen = editor().freshPages()]() mutable {
        const bool changed = editor().freshPages() != seen;
        seen = editor().freshPages();
        return changed;
    };
    editor().textEdited("TextA", "x");
    EXPECT_FALSE(fresh());
    editor().refuseCommit = true;
    editor().click("Command4");
    EXPECT_FALSE(fresh());
    editor().refuseCommit = false;
    editor().click("Command4");
    EXPECT_TRUE(fresh());
    editor().click("Command3");
    EXPECT_TRUE(fresh());
    editor().click("Command13");  // another record
    EXPECT_TRUE(fresh());
}

TEST_F(Frame, AnotherWorkingFolderMovesTheListsAndSaving) {
    testing::TempFolder other;
    other.write("gamma.tst", "g1|g2");
    chooseFile("beta.tst");
    editor().setWorkingDirectory(other.path());
    EXPECT_EQ((*this)["File1"].items, std::vector<std::string>{"gamma.tst"});
    EXPECT_EQ((*this)["WorkingFolder"].text, other.path().string());
    EXPECT_EQ((*this)["Text30"].text, "");
    EXPECT_FALSE((*this)["Command1"].enabled);
    editor().click("Command12");
    editor().click("Command3");
    editor().click("Command10");
    editor().textEdited("Text29", "delta");
    editor().click("Command11");
    EXPECT_EQ(other.read("delta.tst"), "|");
    EXPECT_EQ((*this)["File1"].items, (std::vector<std::string>{"delta.tst", "gamma.tst"}));
}

class SavePage : public Frame {
protected:
    void SetUp() override {
        Frame::SetUp();
        chooseFile("beta.tst");
        editor().click("Command1");
        editor().click("Command3");
        editor().click("Command10");
        ASSERT_EQ(editor().visiblePage(), 4);
    }
    void save(const std::string& name) {
        editor().textEdited("Text29", name);
        editor().click("Command11");
    }
};

TEST_F(SavePage, SaveIsEnabledExactlyWhileANameIsTyped) {
    editor().textEdited("Text29", "a");
    EXPECT_TRUE((*this)["Command11"].enabled);
    editor().textEdited("Text29", "");
    EXPECT_FALSE((*this)["Command11"].enabled);
    editor().textEdited("Text29", "a very long name");
    EXPECT_EQ((*this)["Text29"].text, "a very long");
}

TEST_F(SavePage, ANameInUseIsRefusedAndNothingIsWritten) {
    save("beta");
    EXPECT_EQ((*this)["Label76"].text, "The Macro with name beta alredy exist. Please enter another Macro name");
    EXPECT_EQ(editor().visiblePage(), 4);
    EXPECT_EQ(folder.read("beta.tst"), "b1|b2");
}

TEST_F(SavePage, ANewNameIsWrittenListedAndNothingStaysChosen) {
    save("gamma");
    EXPECT_EQ(folder.read("gamma.tst"), "b1|b2");
    EXPECT_EQ(editor().visiblePage(), 1);
    EXPECT_EQ((*this)["File1"].items, (std::vector<std::string>{"Alpha.TST", "beta.tst", "gamma.tst"}));
    EXPECT_EQ((*this)["File1"].selected, -1);
    EXPECT_EQ((*this)["Text30"].text, "");
    EXPECT_FALSE((*this)["Command1"].enabled);
    EXPECT_FALSE((*this)["Command15"].enabled);
    EXPECT_EQ((*this)["Text29"].text, "gamma");
    EXPECT_EQ(editor().b, "b2") << "the macro stays in memory";
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 4) << "no temporary left";
}

TEST_F(SavePage, NamesThatAreNoPlainFileNameAreRefused) {
    for (const char* name : {"../up", "a/b", "a\\b", "..", ".", "tab\there", "con", "LPT1", "a:b", "why?"}) {
        save(name);
        EXPECT_EQ((*this)["Label76"].text, std::string("The Macro name ") + name +
                                               " can not be used as a file name. Please enter another Macro name");
        EXPECT_EQ(editor().visiblePage(), 4);
    }
    EXPECT_FALSE(std::filesystem::exists(folder.path().parent_path() / "up.tst"));
}

TEST_F(SavePage, AFileThatDoesNotReadBackAsTheLibraryIsRemovedAndTheUserIsTold) {
    editor().readsBack = false;
    save("garbled");
    EXPECT_EQ((*this)["Label76"].text,
              "The Macro file garbled.tst did not read back as the library in memory, so it was removed. Nothing was "
              "saved.");
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "garbled.tst"));
    EXPECT_EQ(editor().visiblePage(), 4);
    EXPECT_EQ(editor().b, "b2");
}

TEST_F(SavePage, SavingClearsNotSavedAndNamesTheFile) {
    editor().click("Command6");
    editor().textEdited("TextB", "changed");
    editor().click("Command9");
    EXPECT_TRUE(editor().unsaved());
    EXPECT_EQ((*this)["StatusSaved"].text, "not saved");
    editor().click("Command10");
    save("named");
    EXPECT_FALSE(editor().unsaved());
    EXPECT_EQ((*this)["StatusSaved"].text, "");
    EXPECT_EQ((*this)["StatusLibrary"].text, "named.tst");
}

TEST_F(SavePage, AFolderOrALinkInTheWayIsNamedForWhatItIs) {
    std::filesystem::create_directory(folder.path() / "box.tst");
    std::filesystem::create_symlink(folder.path() / "beta.tst", folder.path() / "alias.tst");
    save("box");
    EXPECT_EQ((*this)["Label76"].text, "A folder named box.tst is in the working folder. Please enter another Macro name");
    save("alias");
    EXPECT_EQ((*this)["Label76"].text, "A link named alias.tst is in the working folder. Please enter another Macro name");
    EXPECT_EQ(editor().visiblePage(), 4);
}

TEST_F(SavePage, AFileCreatedMeanwhileWinsAndTheUserIsTold) {
    editor().beforeWrite = [this] { folder.write("late.tst", "theirs"); };
    save("late");
    EXPECT_EQ(folder.read("late.tst"), "theirs");
    EXPECT_EQ((*this)["Label76"].text, "The Macro with name late alredy exist. Please enter another Macro name");
    EXPECT_EQ(editor().visiblePage(), 4);
}

TEST_F(SavePage, AFolderThatCannotBeWrittenGivesAMessage) {
    editor().beforeWrite = [this] { std::filesystem::remove_all(folder.path()); };
    save("lost");
    EXPECT_EQ((*this)["Label76"].text, "The Macro lost could not be written in the working folder. Nothing was saved.");
    EXPECT_EQ(editor().visiblePage(), 4);
}

}  // namespace
}  // namespace mc

namespace mc {
namespace {

// "Go to" takes a record number, or the start of a name, and then moves on
// from the record in view to the next that matches, round the end.
TEST(GoTo, FindsARecordByNumberOrByTheStartOfItsName) {
    const std::vector<std::string> names{"", "Heparin   ", "Morphine  ", "", "heroin    ", "Insulin   "};
    const auto nameOf = [&](int n) { return names[static_cast<std::size_t>(n)]; };
    struct Case {
        const char* typed;
        int current;
        std::optional<int> expected;
    };
    const Case cases[] = {
        {"3", 1, 3},         {"1", 4, 1},          {"100", 1, 100},       {"101", 1, std::nullopt},
        {"0", 1, std::nullopt}, {"007", 1, 7},     {"99999999999", 1, std::nullopt},
        {"mor", 1, 2},       {"HE", 1, 4},         {"he", 4, 1},          {"he", 5, 1},
        {"Insulin", 1, 5},   {"Aspirin", 1, std::nullopt},                {"", 1, std::nullopt},
        {"-1", 1, std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(recordNamed(c.typed, 100, 5, c.current, nameOf), c.expected)
            << c.typed << " from " << c.current;
}

}  // namespace
}  // namespace mc
