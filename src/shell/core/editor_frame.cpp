#include "shell/core/editor_frame.hpp"

#include <algorithm>

#include "shell/core/macro_files.hpp"

namespace mc {
namespace {

struct DataPage {
    const char* ok;
    const char* cancel;
    const char* message;
    std::vector<std::string> navigation;
};

// The guarded buttons of the two data pages.
DataPage dataPage(int page, const FrameLayout& layout) {
    if (page == 2) return {"Command4", "Command5", "Label36", {"Command3"}};
    DataPage drugs{"Command9", "Command8", "Label74", {"Command7", "Command10"}};
    for (const auto& [name, caption] : layout.recordButtons) drugs.navigation.push_back(name);
    return drugs;
}

Control caption(std::string text) {
    Control control;
    control.text = std::move(text);
    return control;
}

Control box(int maxLength) {
    Control control;
    control.maxLength = maxLength;
    return control;
}

}  // namespace

EditorFrame::EditorFrame(FrameLayout layout, std::filesystem::path workingDirectory, NumberFormat numberFormat)
    : layout_(std::move(layout)), workingDirectory_(std::move(workingDirectory)), numberFormat_(numberFormat) {
    addPages();
    buttons_ = {
        {"Command1", [this] { Command1_Click(); }},   {layout_.newButton, [this] { New_Click(); }},
        {"Command2", [this] { Command2_Click(); }},   {"Command3", [this] { Command3_Click(); }},
        {"Command4", [this] { commit(2); }},          {"Command5", [this] { restorePage(2); }},
        {"Command7", [this] { Command7_Click(); }},   {"Command8", [this] { restorePage(3); }},
        {"Command9", [this] { commit(3); }},          {"Command10", [this] { Command10_Click(); }},
        {"Command11", [this] { Command11_Click(); }}, {"Command6", [this] { Command6_Click(); }},
    };
    // Load step: the macro is empty (the editors' tables start empty), the
    // lists show the macro files of the working directory, page 1 is in view.
    refreshFileLists();
    showPage(1);
}

void EditorFrame::addPages() {
    form_.add("Frame1", caption("Open Macro"));
    form_.add("Frame2", caption(layout_.page2Caption));
    form_.add("Frame3", caption(layout_.page3Caption));
    form_.add("Frame4", caption("Save Macro"));

    form_.add("File1");
    form_.add("Text30");
    form_.add("Command1", caption("Open")).enabled = false;
    form_.add(layout_.newButton, caption("New"));
    for (const auto& [name, text] : layout_.fileButtons) form_.add(name, caption(text)).enabled = false;
    for (const auto& [name, text] : layout_.modeButtons) form_.add(name, caption(text));
    form_.add(layout_.openMessage);

    form_.add("Command2", caption(layout_.page2BackCaption));
    form_.add("Command3", caption("Next"));
    form_.add("Command4", caption("OK"));
    form_.add("Command5", caption(layout_.cancelCaption));
    form_.add("Label36");

    form_.add("Command7", caption("Back"));
    form_.add("Command8", caption(layout_.cancelCaption));
    form_.add("Command9", caption("OK"));
    form_.add("Command10", caption("Next"));
    for (const auto& [name, text] : layout_.recordButtons) form_.add(name, caption(text));
    form_.add("Label74");

    form_.add("Label75", caption(layout_.saveNameCaption));
    form_.add("Text29", box(layout_.saveNameMaxLength));
    form_.add("File2");
    form_.add("Command11", caption("Save")).enabled = false;
    form_.add("Command6", caption("Back"));
    form_.add("Label76");

    setClean(2);
    setClean(3);
}

int EditorFrame::visiblePage() const {
    for (int page = 1; page <= 4; ++page)
        if (form_["Frame" + std::to_string(page)].visible) return page;
    return 0;
}

void EditorFrame::showPage(int page) {
    for (int p = 1; p <= 4; ++p) form_["Frame" + std::to_string(p)].visible = p == page;
}

// ---- events ----------------------------------------------------------------

void EditorFrame::click(const std::string& name) {
    if (!form_.has(name) || !form_[name].enabled) return;
    if (const auto it = buttons_.find(name); it != buttons_.end()) {
        it->second();
        return;
    }
    onClick(name);
}

void EditorFrame::doubleClick(const std::string& name) {
    if (name != "File1" || form_["File1"].selected < 0) return;
    File1_Click();
    Command1_Click();
}

void EditorFrame::textEdited(const std::string& name, const std::string& text) {
    if (!form_.has(name)) return;
    Control& control = form_[name];
    // The limit holds typing only: a text already longer (shown from memory)
    // may be edited, but it does not grow.
    const auto limit = std::max(static_cast<std::size_t>(control.maxLength), control.text.size());
    control.text = control.maxLength > 0 && text.size() > limit ? text.substr(0, limit) : text;
    if (name == "Text29") Text29_Change();
    else onTextEdited(name);
}

void EditorFrame::pick(const std::string& name, int index) {
    if (!form_.has(name)) return;
    Control& control = form_[name];
    control.selected = index >= 0 && index < static_cast<int>(control.items.size()) ? index : -1;
    if (name == "File1") File1_Click();
    else onPick(name);
}

void EditorFrame::toggle(const std::string& name, bool checked) {
    if (!form_.has(name)) return;
    form_[name].checked = checked;
    onToggle(name);
}

// ---- the guard -------------------------------------------------------------

void EditorFrame::restorePage(int page) {
    fillPage(page);
    setClean(page);
}

void EditorFrame::markModified(int page) {
    const DataPage controls = dataPage(page, layout_);
    form_[controls.ok].enabled = true;
    form_[controls.cancel].enabled = true;
    for (const auto& name : controls.navigation) form_[name].enabled = false;
    form_[controls.message].text = page == 2 ? layout_.page2ModifiedPrompt : layout_.page3ModifiedPrompt;
}

void EditorFrame::setClean(int page) {
    const DataPage controls = dataPage(page, layout_);
    form_[controls.ok].enabled = false;
    form_[controls.cancel].enabled = false;
    for (const auto& name : controls.navigation) form_[name].enabled = true;
    form_[controls.message].text.clear();
    if (page == 3) enableRecordButtons();
}

void EditorFrame::commit(int page) {
    const Commit result = commitPage(page);
    if (result.stored) restorePage(page);
    form_[dataPage(page, layout_).message].text = result.message;
}

// ---- default hooks -----------------------------------------------------------

std::optional<std::string> EditorFrame::readMacro(std::string_view) {
    return "Opening " + layout_.extension + " macros is not available in this version";
}

std::optional<std::string> EditorFrame::writeMacro(const std::string&) { return std::nullopt; }

EditorFrame::Commit EditorFrame::commitPage(int) { return {true, {}}; }

// ---- Open page -------------------------------------------------------------

void EditorFrame::refreshFileLists() {
    const auto names = listFiles(workingDirectory_, layout_.extension);
    Control& list = form_["File1"];
    list.items = names;
    const auto chosen = std::find(names.begin(), names.end(), form_["Text30"].text);
    list.selected = chosen == names.end() ? -1 : static_cast<int>(chosen - names.begin());
    form_["File2"].items = names;
    form_["File2"].selected = -1;
}

void EditorFrame::enableFileButtons(bool enabled) {
    form_["Command1"].enabled = enabled;
    for (const auto& [name, caption] : layout_.fileButtons) form_[name].enabled = enabled;
}

void EditorFrame::File1_Click() {
    const Control& list = form_["File1"];
    if (list.selected < 0) return;
    form_["Text30"].text = list.selectedText();
    enableFileButtons(true);
}

std::optional<std::string> EditorFrame::readChosenFile() {
    const std::string name = chosenFile();
    auto bytes = readFile(fileIn(workingDirectory_, name));
    if (!bytes)
        form_[layout_.openMessage].text = "The Macro file " + name + " can not be opened. It may have been removed.";
    return bytes;
}

void EditorFrame::Command1_Click() {
    if (chosenFile().empty()) return;
    const auto bytes = readChosenFile();
    if (!bytes) return;
    if (const auto refused = readMacro(*bytes)) {
        form_[layout_.openMessage].text = *refused;
        return;
    }
    form_[layout_.openMessage].text.clear();
    showPage(2);
    restorePage(2);
}

void EditorFrame::New_Click() {
    ResetMacro();
    form_[layout_.openMessage].text.clear();
    showPage(2);
    showNewMacro();
}

void EditorFrame::setMacroExtension(std::string extension) {
    layout_.extension = std::move(extension);
    refreshFileLists();
}

void EditorFrame::forgetChosenFile() {
    form_["Text30"].text.clear();
    enableFileButtons(false);
    form_["File1"].selected = -1;
}

// ---- data pages ------------------------------------------------------------

void EditorFrame::Command2_Click() {
    refreshFileLists();
    showPage(1);
}

void EditorFrame::Command3_Click() {
    selectFirstRecord();
    restorePage(3);
    showPage(3);
}

void EditorFrame::Command7_Click() {
    showPage(2);
    restorePage(2);
}

void EditorFrame::Command10_Click() {
    refreshFileLists();
    showPage(4);
}

// ---- Save page -------------------------------------------------------------

void EditorFrame::Text29_Change() { form_["Command11"].enabled = !form_["Text29"].text.empty(); }

void EditorFrame::Command6_Click() {
    restorePage(3);
    showPage(3);
}

void EditorFrame::Command11_Click() {
    const std::string name = form_["Text29"].text;
    std::string& message = form_["Label76"].text;
    const std::string duplicate =
        "The Macro with name " + name + " alredy exist. Please enter another Macro name";
    if (!isPlainFileName(name)) {
        message = "The Macro name " + name + " can not be used as a file name. Please enter another Macro name";
        return;
    }
    const auto file = fileIn(workingDirectory_, name + layout_.extension);
    if (fileExists(file)) {
        message = duplicate;
        return;
    }
    message.clear();
    const auto bytes = writeMacro(name);
    if (!bytes) {
        message = "Saving " + layout_.extension + " macros is not available in this version";
        return;
    }
    switch (writeNewFile(file, *bytes)) {
    case WriteOutcome::AlreadyExists:
        message = duplicate;
        return;
    case WriteOutcome::Failed:
        message = "The Macro " + name + " could not be written in the working folder. Nothing was saved.";
        return;
    case WriteOutcome::Written:
        break;
    }
    if (layout_.forgetChosenFileAfterSave) forgetChosenFile();
    refreshFileLists();
    showPage(1);
}

}  // namespace mc
