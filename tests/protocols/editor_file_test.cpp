// The pump command macro through the editor: "Save" writes what the pages
// confirmed, "Open" brings it back onto the pages, and "Print Macro Data"
// prints the chosen file's 14 pages.

#include <gtest/gtest.h>

#include "editor_driver.hpp"
#include "protocols/core/macro_file.hpp"
#include "shell/core/text.hpp"
#include "support/recording_printer.hpp"

namespace mc::protocols {
namespace {

class EditorFile : public ::testing::TestWithParam<Variant> {
protected:
    EditorDriver d{GetParam()};

    // A macro with its settings and protocol A confirmed, on the Save page.
    void confirmAndGoToSave() {
        d.toProtocolPage();
        ASSERT_EQ(d.okProtocol({}), "Protocol Updated");
        d.click("Command10");
        ASSERT_TRUE(d["Frame4"].visible);
    }
    void save(const std::string& name) {
        d.type("Text29", name);
        d.click("Command11");
    }
    void choose(const std::string& file) {
        const auto& items = d["File1"].items;
        d.editor->pick("File1", static_cast<int>(std::find(items.begin(), items.end(), file) - items.begin()));
    }
};

TEST_P(EditorFile, SaveWritesTheConfirmedMacroAndPadsTheNameBox) {
    confirmAndGoToSave();
    save("ABC");
    EXPECT_TRUE(d["Frame1"].visible) << d["Label76"].text;
    EXPECT_EQ(d["Text29"].text, "ABC     ");
    const std::string bytes = d.folder.read("ABC.tb2");
    const auto lines = splitLines(bytes);
    // 34 (35) settings, 3 fixed lines, 26 blocks of 13 lines, one concentration line, the name.
    EXPECT_EQ(lines.size(), (GetParam() == Variant::Rx ? 34u : 35u) + 3 + 26 * 13 + 1 + 1);
    EXPECT_EQ(lines.back(), "Send:PDT30:ABC     ");
    EXPECT_NE(bytes.find("Send:PDT06:1\r\nSend:PDT07:Morphine\r\n"), std::string::npos);
    EXPECT_NE(bytes.find("Send:PDT05:2\r\nSend:PDT16:1.5\r\n"), std::string::npos);
    EXPECT_EQ(readProtocolMacro(bytes, GetParam(), NumberFormat{}).macro.PumpSettings, d.editor->macro().PumpSettings);
    EXPECT_EQ(d["StatusLibrary"].text, "ABC.tb2");
}

TEST_P(EditorFile, ANameInUseIsRefusedWithTheEditorsOwnMessage) {
    d.folder.write("ABC.tb2", "theirs");
    confirmAndGoToSave();
    save("ABC");
    EXPECT_EQ(d["Label76"].text, "This Macro name already exists. Please enter another Macro name.");
    EXPECT_EQ(d["Text29"].text, "ABC");
    EXPECT_EQ(d.folder.read("ABC.tb2"), "theirs");
}

TEST_P(EditorFile, OpenShowsTheSettingsAndProtocolsOfTheFile) {
    confirmAndGoToSave();
    save("Round");
    const ProtocolMacro saved = d.editor->macro();
    d.click("Command13");  // New: the macro is empty
    d.click("Command2");
    choose("Round.tb2");
    d.click("Command1");
    ASSERT_TRUE(d["Frame2"].visible);
    EXPECT_EQ(d["Text1"].text, "1234");
    EXPECT_EQ(d["Combo1"].selectedText(), "Level Two");
    ProtocolMacro expected = saved;
    expected.MacroTitle = "Round   ";
    EXPECT_EQ(d.editor->macro(), expected);
    d.click("Command3");
    EXPECT_EQ(d["Text18"].text, "Morphine");
    EXPECT_EQ(d["Text23"].text, "3.0");
}

TEST_P(EditorFile, PrintMacroDataPrintsFourteenPagesOfTheChosenFile) {
    testing::RecordingPrinter printer;
    d.editor = std::make_unique<OpenEditor>(GetParam(), d.folder.path(), NumberFormat{}, printer.services());
    confirmAndGoToSave();
    save("Pages");
    ASSERT_TRUE(d["Frame1"].visible) << d["Label76"].text;
    choose("Pages.tb2");
    ASSERT_EQ(d["Text30"].text, "Pages.tb2");
    ASSERT_TRUE(d["Command12"].enabled);
    d.click("Command12");
    EXPECT_EQ(d["OpenMessage"].text, "");
    ASSERT_EQ(printer.jobs.size(), 14u);
    EXPECT_EQ(splitLines(printer.jobs[0]).front(), "Protocol Pages    Setting (page 1 of 14)");
    EXPECT_EQ(splitLines(printer.jobs[8]).front(), "Protocol Pages    Protocols (page 9 of 14)");
    EXPECT_NE(printer.jobs[1].find("Drug Name                               Morphine"), std::string::npos);
    EXPECT_TRUE(d["Frame1"].visible);
}

INSTANTIATE_TEST_SUITE_P(BothWindows, EditorFile, ::testing::Values(Variant::Rx, Variant::Kt),
                         [](const ::testing::TestParamInfo<Variant>& param) { return param.param == Variant::Rx ? "Rx" : "Kt"; });

}  // namespace
}  // namespace mc::protocols
