// What an editor shows of a library opened from a file: its problems and its
// changes, on the reference files and cases of `tavrel-macro check` and `diff`.

#include <gtest/gtest.h>

#include <memory>

#include "druglib_dual/core/quelda036_editor.hpp"
#include "druglib_dual/core/quelda041_editor.hpp"
#include "druglib_us/core/orrx_usa_editor.hpp"
#include "protocols/core/protocol_editor.hpp"
#include "support/model_driver.hpp"
#include "support/temp_folder.hpp"

namespace mc {
namespace {

std::unique_ptr<EditorFrame> editorFor(const std::string& file) {
    const std::filesystem::path data = MC_CLI_DATA;
    if (file.ends_with("036.tm2")) return std::make_unique<druglib::Quelda036Editor>(data, NumberFormat{});
    if (file.ends_with(".tm2")) return std::make_unique<druglib::Quelda041Editor>(data, NumberFormat{});
    if (file.ends_with(".tv1")) return std::make_unique<druglib_us::OrrxUsaEditor>(data, NumberFormat{});
    return std::make_unique<protocols::ProtocolEditor>(protocols::Variant::Rx, data, NumberFormat{});
}

// Chooses the file on the Open page and presses "Open", then goes through `steps`.
void open(EditorFrame& editor, const std::string& file, const std::vector<std::string>& steps = {}) {
    testing::ModelDriver(editor).act({"File1=" + file, "Command1"});
    testing::ModelDriver(editor).act(steps);
}

// The Problems list finds what check finds, each problem as "entry | field | text".
TEST(Problems, AreWhatCheckFinds) {
    const std::pair<std::string, std::vector<std::string>> cases[] = {
        {"clean041.tm2", {}},
        {"ok_fails041.tm2", {"Drug 100 (Morphine) | Text31 | Dose Minimum must be less or equal to Maximum"}},
        {"ok_fails036.tm2", {"Drug 5 (Insulin) | Text27 | Concentration Minimum must be less or equal to Maximum"}},
        {"ok_fails.tv1",
         {"Drug 1 (Heparin) | Text28 | Dose Rate Initial Value must be less or equal to Dose Rate Upper Soft Limit"}},
        {"twice.tb2", {"Line 26 |  | \"Send:DATACOM7:300\", a line Save does not write"}},
    };
    for (const auto& [file, problems] : cases) {
        auto editor = editorFor(file);
        open(*editor, file);
        std::vector<std::string> found;
        for (const auto& problem : editor->problems())
            found.push_back(problem.entry + " | " + problem.field + " | " + problem.text);
        EXPECT_EQ(found, problems) << file;
        const Control& status = editor->form()["StatusProblems"];
        EXPECT_EQ(status.visible ? status.text : "hidden",
                  found.empty() ? "hidden" : std::to_string(found.size()) + (found.size() == 1 ? " problem" : " problems"));
    }
}

// Saving a library whose entries break a rule asks first; Cancel writes nothing.
// What Save rewrites (a bad checksum) is no reason to ask.
TEST(Problems, SavingALibraryWithProblemsAsksFirst) {
    testing::TempFolder folder;
    for (const char* file : {"ok_fails041.tm2", "bad_checksum041.tm2"})
        folder.write(file, readFile(std::filesystem::path(MC_CLI_DATA) / file).bytes);
    for (const auto& [file, question] : std::vector<std::pair<std::string, std::string>>{
             {"ok_fails041.tm2", "SaveQuestion: COPY.tm2 has 1 problem (first: Dose Minimum must be less or equal "
                                 "to Maximum). Save it anyway? [Save]"},
             {"bad_checksum041.tm2", ""}}) {
        druglib::Quelda041Editor editor(folder.path(), NumberFormat{});
        std::string asked;
        editor.askWith([&asked](const Question& q) { asked = q.name + ": " + q.text + " [" + q.goAhead + "]"; return false; });
        open(editor, file, {"Command3", "Command10", "Text29=COPY", "Command11"});
        EXPECT_EQ(asked, question);
        EXPECT_EQ(std::filesystem::exists(folder.path() / "COPY.tm2"), question.empty()) << file;
    }
}

// The change list says in diff's words what the pages changed since Open, to
// the last department; a new library's changes are everything in it, counted
// from empty slots.
TEST(Changes, AreWhatDiffSays) {
    druglib::Quelda041Editor editor(MC_CLI_DATA, NumberFormat{});
    open(editor, "clean041.tm2", {"Text25=Spare", "Command4"});
    EXPECT_EQ(editor.changes(), std::vector<std::string>{"Department 25: Name \"\" -> \"Spare\""});
    druglib_us::OrrxUsaEditor us(MC_CLI_DATA, NumberFormat{});
    open(us, "clean.tv1");
    EXPECT_EQ(us.changes(), std::vector<std::string>{});
    testing::ModelDriver(us).act({"Command2", "Command12", "Text24=ICU", "Command4"});
    EXPECT_EQ(us.changes(), std::vector<std::string>{"Department 24: Name \"\" -> \"ICU\""});
}

}  // namespace
}  // namespace mc
