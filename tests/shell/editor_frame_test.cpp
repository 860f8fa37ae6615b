#include <gtest/gtest.h>

#include <new>
#include <set>

#include "shell/core/editor_frame.hpp"
#include "support/model_driver.hpp"
#include "support/temp_folder.hpp"

namespace mc {
namespace {

namespace fs = std::filesystem;
using Names = std::vector<std::string>;

// A small dialect: one text per data page, written "NAME:a|b" under the macro name.
class TestEditor : public EditorFrame {
public:
    explicit TestEditor(const fs::path& folder) : EditorFrame(layoutFor(), folder, NumberFormat{}) {
        for (const char* name : {"TextA", "TextB", "Delete", "Exhaust", "Refuse"}) form_.add(name);
        onEdit("TextA", [this] { markModified(2); });
        onEdit("TextB", [this] { markModified(3); });
        onClick("Delete", [this] { b.clear(); markLibraryChanged(); });
        onClick("Exhaust", [] { throw std::bad_alloc(); });
        onClick("Refuse", [this] { refuseCommit = !refuseCommit; });
        onClick("Command13", [this] { ++record; restorePage(3); });
    }
    static FrameLayout layoutFor() {
        FrameLayout layout;
        layout.extension = ".tst";
        layout.saveNameMaxLength = 11;
        layout.fileButtons = {{"Command15", "Print Macro Data"}};
        layout.recordButtons = {{"Command14", "Previous Drug"}, {"Command13", "Next Drug"}};
        layout.forgetChosenFileAfterSave = true;
        return layout;
    }

    std::string a, b;
    int record = 0;
    bool refuseCommit = false, readsBack = true;

protected:
    void ResetMacro() override { a.clear(); b.clear(); }
    std::optional<std::string> readMacro(std::string_view bytes) override {
        const auto colon = bytes.find(':'), bar = bytes.find('|');
        if (colon == std::string_view::npos || bar == std::string_view::npos || bar < colon) return "not a test macro";
        a = bytes.substr(colon + 1, bar - colon - 1);
        b = bytes.substr(bar + 1);
        return std::nullopt;
    }
    std::optional<std::string> writeMacro(const std::string& name) override { return name + ":" + a + "|" + b; }
    bool readsBackAsMacro(std::string_view bytes) const override { return readsBack && bytes.ends_with(":" + a + "|" + b); }
    void fillPage(int page) override { form_[page == 2 ? "TextA" : "TextB"].text = page == 2 ? a : b; }
    Commit commitPage(int page) override {
        if (refuseCommit) return refused({{"TextB", "Value must be valid"}});
        (page == 2 ? a : b) = form_[page == 2 ? "TextA" : "TextB"].text;
        return stored(page == 2 ? "List Updated" : "Record Updated");
    }
    void selectFirstRecord() override { record = 1; }
    void enableRecordButtons() override { form_["Command14"].enabled = record > 1; }
};

const fs::path& withMacros(const testing::TempFolder& folder) {
    for (const auto& [name, bytes] : {std::pair{"beta.tst", "beta:b1|b2"}, {"Alpha.TST", "Alpha:a1|a2"}, {"other.tm2", "x"}})
        folder.write(name, bytes);
    return folder.path();
}

class Frame : public ::testing::Test {
protected:
    testing::TempFolder folder;
    TestEditor editor{withMacros(folder)};
    testing::ModelDriver ui{editor};
    std::optional<std::string> copy;  // what a recovery store keeps: a copy after every change, none after a discard

    Frame() {
        editor.watchLibrary([this] { copy = editor.libraryBytes(); EXPECT_TRUE(editor.unsaved()); }, [this] { copy.reset(); });
    }

    std::string text(const std::string& name) const { return ui[name].text; }
    void act(const Names& steps) { ui.act(steps); }
    // The page in view as the technician sees it: its number, its enabled buttons and its message.
    std::string view() const {
        static const std::map<int, std::pair<Names, std::string>> pages = {
            {1, {{"Command1", "Command15", "Command12"}, "OpenMessage"}}, {4, {{"Command6", "Command11"}, "Label76"}},
            {2, {{"Command2", "Command3", "Command4", "Command5"}, "Label36"}},
            {3, {{"Command7", "Command8", "Command9", "Command10", "Command13", "Command14"}, "Label74"}}};
        const auto& [buttons, label] = pages.at(editor.visiblePage());
        std::string shown = "page " + std::to_string(editor.visiblePage()) + ":";
        for (const auto& name : buttons)
            if (ui[name].enabled) shown += " " + name;
        return shown + " | " + text(label);
    }
    // The library in memory and what the status strip says of it.
    std::string library() const {
        const std::string saved = text("StatusSaved");
        return editor.a + "|" + editor.b + " @ " + text("StatusLibrary") + (saved.empty() ? "" : ", " + saved);
    }
    // The names in the working folder, in order.
    Names listing() const {
        std::set<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder.path())) names.insert(entry.path().filename().string());
        return {names.begin(), names.end()};
    }
};

TEST_F(Frame, ListsTheFilesOfItsExtensionInAnyCaseOpensTheOneChosenAndNewEmptiesTheLibrary) {
    EXPECT_EQ(view(), "page 1: Command12 | ");
    EXPECT_EQ(ui["File1"].items, (Names{"Alpha.TST", "beta.tst"}));
    EXPECT_EQ(ui["File2"].items, ui["File1"].items);
    EXPECT_EQ(text("Frame1") + "/" + text("Frame4"), "Open Macro/Save Macro");
    EXPECT_EQ(library(), "| @ new library");
    EXPECT_FALSE(ui["Command11"].enabled);
    EXPECT_EQ(ui["Text29"].maxLength, 11);
    EXPECT_FALSE(editor.closeQuestion());

    act({"File1=beta.tst"});
    EXPECT_EQ(view() + text("Text30"), "page 1: Command1 Command15 Command12 | beta.tst");
    editor.doubleClick("File1");
    EXPECT_EQ(view() + text("TextA"), "page 2: Command2 Command3 | b1");
    EXPECT_EQ(library() + ": " + text("StatusMessage"), "b1|b2 @ beta.tst: Opened beta.tst");
    act({"Command2", "Command12"});
    EXPECT_EQ(view() + text("TextA"), "page 2: Command2 Command3 | ");
    EXPECT_EQ(library(), "| @ new library");
    act({"Exhaust"});
    EXPECT_EQ(view(), "page 2: Command2 Command3 | There was not enough memory to finish this action.");
    act({"Command3"});
    EXPECT_EQ(editor.visiblePage(), 3) << "running out of memory is a message, and the editor goes on working";
}

TEST_F(Frame, AFileThatCannotBeOpenedLeavesPageAndLibraryAsTheyWere) {
    const struct { std::function<void()> spoil; const char* message; } cases[] = {
        {[&] { fs::remove(folder.path() / "beta.tst"); }, "The Macro file beta.tst can not be opened. It may have been removed."},
        {[&] { fs::resize_file(folder.path() / "beta.tst", 1024 * 1024 * 1024); },  // sparse: nothing written
         "The Macro file beta.tst can not be opened: at more than 1 MiB it is far larger than any macro file."},
        {[&] { folder.write("beta.tst", "garbage"); }, "not a test macro"},
    };
    for (const auto& c : cases) {
        folder.write("beta.tst", "beta:b1|b2");
        act({"Command12", "TextA=kept", "Command4", "Command2", "File1=beta.tst"});
        c.spoil();
        act({"Command1"});
        EXPECT_EQ(view(), std::string("page 1: Command1 Command15 Command12 | ") + c.message);
        EXPECT_EQ(library(), "kept| @ new library, not saved");
    }
}

// A data page is clean, as filled from memory, or modified, holding the user until OK or Cancel. Each page
// filled anew takes the keyboard; typing and a refused OK leave it where it is.
TEST_F(Frame, ADataPageHoldsTheUserUntilOkOrCancelAndEachPageFilledAnewTakesTheKeyboard) {
    const std::string prompt = " | Please validate modifications with OK key";
    // The view, then the box of the page ("!" when marked, "*" when the message is), and whether it was filled anew.
    const std::pair<Names, std::string> steps[] = {
        {{"Command12"}, "page 2: Command2 Command3 |  [] fresh"},
        {{"TextA=x", "Command3"}, "page 2: Command2 Command4 Command5" + prompt + " [x]"},  // a disabled Next does nothing
        {{"Command5"}, "page 2: Command2 Command3 |  [] fresh"},  // Cancel Last Changes
        {{"TextA=y", "Command4"}, "page 2: Command2 Command3 | List Updated [y] fresh"},
        {{"Command3"}, "page 3: Command7 Command10 Command13 |  [] fresh"},  // no record before the first
        {{"TextB=z"}, "page 3: Command8 Command9" + prompt + " [z]"},
        {{"Refuse", "Command9"}, "page 3: Command8 Command9 | Value must be valid\r\n [z!*]"},  // still modified
        {{"Command8"}, "page 3: Command7 Command10 Command13 |  [] fresh"},  // the restored page marks no field
        {{"Refuse", "TextB=z", "Command9"}, "page 3: Command7 Command10 Command13 | Record Updated [z] fresh"},
        {{"Command13"}, "page 3: Command7 Command10 Command13 Command14 |  [z] fresh"},  // the next record
        {{"Command10"}, "page 4: Command6 |  fresh"},
        {{"Command6"}, "page 3: Command7 Command10 Command13 Command14 |  [z] fresh"},
        {{"Command7"}, "page 2: Command2 Command3 |  [y] fresh"},
        {{"Command2"}, "page 1: Command12 |  fresh"},
    };
    int seen = editor.freshPages();
    for (const auto& [step, expected] : steps) {
        act(step);
        const int page = editor.visiblePage();
        const std::string box = page == 2 ? "TextA" : "TextB";
        std::string shown = view();
        if (page == 2 || page == 3)
            shown += " [" + text(box) + (ui[box].error ? "!" : "") + (ui["Label74"].error ? "*" : "") + "]";
        if (std::exchange(seen, editor.freshPages()) != seen) shown += " fresh";
        EXPECT_EQ(shown, expected) << step.back();
    }
    EXPECT_EQ(library(), "y|z @ new library, not saved");
}

TEST_F(Frame, GoingBackAsksOnlyWhenUnsavedWorkWouldBeLost) {
    Names asked;
    bool goAhead = false;
    editor.askWith([&](const Question& q) { asked.push_back(q.name + ": " + q.text + " [" + q.goAhead + "]"); return goAhead; });
    act({"Command12", "TextA=typed"});  // typing alone is not stored: nothing to ask
    EXPECT_EQ(editor.closeQuestion()->text,
              "This page holds changes that are not confirmed with OK. Close the window and lose them?");
    act({"Command2"});
    EXPECT_EQ(editor.visiblePage(), 1);
    EXPECT_TRUE(asked.empty());

    act({"Command12", "TextA=stored", "Command4", "Command2"});  // Cancel
    EXPECT_EQ(asked, Names{"BackQuestion: The library holds changes that are not saved. Go back and lose them? [Go Back]"});
    EXPECT_EQ(view(), "page 2: Command2 Command3 | List Updated");
    EXPECT_EQ(editor.closeQuestion()->text,
              "The library holds changes that are not saved. Close the window and lose them?");
    goAhead = true;
    act({"Command2"});
    EXPECT_EQ(editor.visiblePage(), 1);
    EXPECT_EQ(library(), "stored| @ new library, not saved") << "the library is replaced by the next Open or New";
}

// The listed entry is the file opened, whatever its name shows: "a" 0xC0 0xAF "b.tst" is no "a/b.tst".
TEST_F(Frame, AnotherWorkingFolderMovesTheListsOpenAndSave) {
    testing::TempFolder other;
    fs::create_directory(other.path() / "a");
    std::ofstream(other.path() / "a" / "b.tst") << "wrong:wrong|file";
    std::ofstream(other.path() / fs::path("a\xC0\xAF" "b.tst")) << "right:right|file";
    act({"File1=beta.tst"});
    editor.setWorkingDirectory(other.path());
    EXPECT_EQ(view() + text("Text30"), "page 1: Command12 | ");
    EXPECT_EQ(ui["File1"].items, Names{"a\xC0\xAF" "b.tst"});
    EXPECT_EQ(text("WorkingFolder"), other.path().string());
    act({"File1=a\xC0\xAF" "b.tst", "Command1", "Command3", "Command10", "Text29=delta", "Command11"});
    EXPECT_EQ(other.read("delta.tst"), "delta:right|file");
    EXPECT_EQ(ui["File1"].items, (Names{"a\xC0\xAF" "b.tst", "delta.tst"}));
}

TEST_F(Frame, ANewNameIsWrittenReadBackAndListedAndNothingStaysChosen) {
    act({"File1=beta.tst", "Command1", "Command3", "TextB=changed", "Command9", "Command10", "Text29=gamma", "Command11"});
    EXPECT_EQ(folder.read("gamma.tst"), "gamma:b1|changed");
    EXPECT_EQ(listing(), (Names{"Alpha.TST", "beta.tst", "gamma.tst", "other.tm2"})) << "no temporary left";
    EXPECT_EQ(view() + text("Text30"), "page 1: Command12 | ");
    EXPECT_EQ(ui["File1"].items, (Names{"Alpha.TST", "beta.tst", "gamma.tst"}));
    EXPECT_EQ(ui["File1"].selected, -1);
    EXPECT_EQ(text("Text29"), "gamma");
    EXPECT_EQ(library() + ": " + text("StatusMessage"), "b1|changed @ gamma.tst: Saved gamma.tst, read back and verified");
}

TEST_F(Frame, ARefusedSaveLeavesEveryFileAsItWas) {
    const struct { const char* name; std::function<void()> prepare; const char* message; } cases[] = {
        {"beta", [] {}, "The Macro with name beta alredy exist. Please enter another Macro name"},
        {"../up", [] {}, "The Macro name ../up can not be used as a file name. Please enter another Macro name"},
        {"box", [&] { fs::create_directory(folder.path() / "box.tst"); },
         "A folder named box.tst is in the working folder. Please enter another Macro name"},
        {"alias", [&] { fs::create_symlink(folder.path() / "beta.tst", folder.path() / "alias.tst"); },
         "A link named alias.tst is in the working folder. Please enter another Macro name"},
        {"garbled", [&] { editor.readsBack = false; },
         "The Macro file garbled.tst did not read back as the library in memory, so it was removed. Nothing was "
         "saved."},
    };
    act({"File1=beta.tst", "Command1", "Command3", "Command10", "Text29=", "Command11"});
    EXPECT_EQ(view(), "page 4: Command6 | ") << "Save waits for a name";
    act({"Text29=a very long name"});
    EXPECT_EQ(text("Text29"), "a very long");
    for (const auto& c : cases) {
        c.prepare();
        act({"Text29=" + std::string(c.name), "Command11"});
        EXPECT_EQ(view(), "page 4: Command6 Command11 | " + std::string(c.message));
        EXPECT_EQ(library(), "b1|b2 @ beta.tst");
    }
    EXPECT_EQ(folder.read("beta.tst"), "beta:b1|b2");
    EXPECT_EQ(listing(), (Names{"Alpha.TST", "alias.tst", "beta.tst", "box.tst", "other.tm2"}));
    EXPECT_FALSE(fs::exists(folder.path().parent_path() / "up.tst"));

    fs::remove_all(folder.path());
    editor.readsBack = true;
    act({"Text29=lost", "Command11"});
    EXPECT_EQ(text("Label76"), "The Macro lost could not be written in the working folder. Nothing was saved.");
}

// A copy exists exactly while the strip says "not saved", and holds the whole library.
TEST_F(Frame, EveryStoredChangeWritesARecoveryCopyAndEveryDiscardDropsIt) {
    const std::vector<std::pair<Names, std::optional<std::string>>> steps = {
        {{"Command12", "TextA=ICU"}, {}},  // typing alone changes nothing in the library
        {{"Command4"}, "RECOVER:ICU|"},
        {{"Command3", "TextB=Dopamine", "Command9"}, "RECOVER:ICU|Dopamine"},
        {{"Delete"}, "RECOVER:ICU|"},
        {{"Command10", "Text29=Ward", "Command11"}, {}},  // Save
        {{"File1=Alpha.TST", "Command1", "TextA=Z", "Command4"}, "RECOVER:Z|a2"},
        {{"Command2", "File1=Alpha.TST", "Command1"}, {}},  // Open replaces it
        {{"TextA=Y", "Command4"}, "RECOVER:Y|a2"},
        {{"Command2", "Command12"}, {}},  // New
    };
    for (const auto& [step, expected] : steps) {
        act(step);
        EXPECT_EQ(copy, expected) << step.front();
        EXPECT_EQ(text("StatusSaved") == "not saved", expected.has_value()) << step.front();
    }
}

TEST_F(Frame, RestoringReadsTheCopyAsOpenWouldButLeavesItUnsaved) {
    EXPECT_FALSE(editor.restoreLibrary("RECOVER:ICU|Dopamine", "old.tst", "Restored unsaved work from X"));
    EXPECT_EQ(view() + text("TextA"), "page 2: Command2 Command3 | ICU") << "the page is in its clean state";
    EXPECT_EQ(library() + ": " + text(std::string(StatusNote)), "ICU|Dopamine @ old.tst, not saved: Restored unsaved work from X");
    EXPECT_EQ(copy, "RECOVER:ICU|Dopamine") << "the restored work is kept in a copy of its own at once";
    EXPECT_EQ(listing(), (Names{"Alpha.TST", "beta.tst", "other.tm2"})) << "nothing was written in the working folder";
    act({"Command3", "Command10", "Text29=Back", "Command11"});
    EXPECT_EQ(text(std::string(StatusNote)), "") << "saving it ends the note with the unsaved work";
    EXPECT_EQ(folder.read("Back.tst"), "Back:ICU|Dopamine");
    EXPECT_FALSE(copy);
}

TEST_F(Frame, ACopyTheReaderRefusesLeavesTheEditorEmpty) {
    act({"Command12", "TextA=ICU", "Command4"});
    EXPECT_EQ(editor.restoreLibrary("garbage", "new library", "note"), "not a test macro");
    EXPECT_EQ(editor.a, "");
    EXPECT_EQ(copy, "RECOVER:ICU|") << "the copy stays as it was";
}

// "Go to" takes a record number, or the start of a name, and then moves on
// from the record in view to the next that matches, round the end.
TEST(GoTo, FindsARecordByNumberOrByTheStartOfItsName) {
    const Names names{"", "Heparin   ", "Morphine  ", "", "heroin    ", "Insulin   "};
    const auto nameOf = [&](int n) { return names[static_cast<std::size_t>(n)]; };
    const struct { const char* typed; int current; std::optional<int> expected; } cases[] = {
        {"3", 1, 3},   {"1", 4, 1},   {"100", 1, 100},    {"101", 1, std::nullopt}, {"0", 1, std::nullopt},
        {"007", 1, 7}, {"99999999999", 1, std::nullopt},  {"mor", 1, 2},            {"HE", 1, 4},
        {"he", 4, 1},  {"he", 5, 1},  {"Insulin", 1, 5},  {"Aspirin", 1, std::nullopt},
        {"", 1, std::nullopt},        {"-1", 1, std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(recordNamed(c.typed, 100, 5, c.current, nameOf), c.expected) << c.typed << " from " << c.current;
}

}  // namespace
}  // namespace mc
