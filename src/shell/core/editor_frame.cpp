#include "shell/core/editor_frame.hpp"

#include "shell/core/recovery_copy.hpp"
#include "shell/core/macro_save.hpp"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <new>
#include <stdexcept>

#include "shell/core/text.hpp"

namespace mc {
namespace {

Control caption(std::string text) {
    Control control;
    control.text = std::move(text);
    return control;
}

std::vector<std::string> buttonNames(const std::vector<std::pair<std::string, std::string>>& buttons) {
    std::vector<std::string> names;
    for (const auto& [name, caption] : buttons) names.push_back(name);
    return names;
}

Control box(int maxLength) {
    Control control;
    control.maxLength = maxLength;
    return control;
}

}  // namespace

EditorFrame::EditorFrame(FrameLayout layout, std::filesystem::path workingDirectory, NumberFormat numberFormat)
    : layout_(std::move(layout)),
      numberFormat_(numberFormat),
      files_(form_, std::move(workingDirectory), layout_.extension, buttonNames(layout_.fileButtons)),
      guard_(form_, layout_),
      status_(form_) {
    addPages();
    onClick("Command1", [this] { Command1_Click(); });
    onClick(layout_.newButton, [this] { New_Click(); });
    onClick("Command2", [this] { Command2_Click(); });
    onClick("Command3", [this] { Command3_Click(); });
    onClick("Command4", [this] { commit(2); });
    onClick("Command5", [this] { cancelPage(2); });
    onClick("Command7", [this] { Command7_Click(); });
    onClick("Command8", [this] { cancelPage(3); });
    onClick("Command9", [this] { commit(3); });
    onClick("Command10", [this] { Command10_Click(); });
    onClick("Command11", [this] { Command11_Click(); });
    onClick("Command6", [this] { Command6_Click(); });
    onEdit("Text29", [this] { Text29_Change(); });
    onPick("File1", [this] { File1_Click(); });
    if (layout_.goTo) onClick("GoTo", [this] { GoTo_Enter(); });
    // Load step: the macro is empty (the editors' tables start empty), the
    // lists show the macro files of the working directory, page 1 is in view.
    files_.refresh();
    showPage(1);
}

void EditorFrame::addPages() {
    form_.add("Frame1", caption("Open Macro"));
    form_.add("Frame2", caption(layout_.page2Caption));
    form_.add("Frame3", caption(layout_.page3Caption));
    form_.add("Frame4", caption("Save Macro"));
    // A control of a page takes events only while its page is in view.
    int page = 1;
    const auto add = [this, &page](const std::string& name, Control control = {}) -> Control& {
        control.page = page;
        return form_.add(name, std::move(control));
    };

    add("File1");
    add("Text30");
    add("Command1", caption("Open")).enabled = false;
    add(layout_.newButton, caption("New"));
    for (const auto& [name, text] : layout_.fileButtons) add(name, caption(text)).enabled = false;
    for (const auto& [name, text] : layout_.modeButtons) add(name, caption(text));
    add(layout_.openMessage);
    add(std::string(WorkingFolder), caption(utf8ToLatin1(files_.folder().string())));
    add(std::string(ChooseFolder), caption("Folder..."));

    page = 2;
    add("Command2", caption(layout_.page2BackCaption));
    add("Command3", caption("Next"));
    add("Command4", caption("OK"));
    add("Command5", caption(layout_.cancelCaption));
    add("Label36");

    page = 3;
    add("Command7", caption("Back"));
    add("Command8", caption(layout_.cancelCaption));
    add("Command9", caption("OK"));
    add("Command10", caption("Next"));
    for (const auto& [name, text] : layout_.recordButtons) add(name, caption(text));
    for (const auto& [name, text] : layout_.recordActions) add(name, caption(text));
    if (layout_.goTo) {
        add("GoToLabel", caption("Go to"));
        add("GoTo", box(20));
    }
    add("Label74");

    page = 4;
    add("Label75", caption(layout_.saveNameCaption));
    add("Text29", box(layout_.saveNameMaxLength));
    add("File2");
    add("Command11", caption("Save")).enabled = false;
    add("ReviewChanges", caption("Review Changes"));
    add("Command6", caption("Back"));
    add("Label76");

    form_.add("StatusProblems").visible = false;

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
    ++freshPages_;
}

// ---- events ----------------------------------------------------------------

template <typename Handler>
void EditorFrame::guarded(Handler handler) {
    try {
        handler();
    } catch (const std::bad_alloc&) {
        messageOfVisiblePage() = "There was not enough memory to finish this action.";
    } catch (const std::exception& fault) {
        // A fault of the program itself (a control it does not have): said on
        // the page, never an end of the program with the work in it.
        messageOfVisiblePage() = std::string("This action stopped on an internal error: ") + fault.what();
    }
}

std::string& EditorFrame::messageOfVisiblePage() {
    switch (visiblePage()) {
    case 2: return form_["Label36"].text;
    case 3: return form_["Label74"].text;
    case 4: return form_["Label76"].text;
    default: return form_[layout_.openMessage].text;
    }
}

void EditorFrame::click(const std::string& name) {
    // Page Down and Page Up may step through records by a name of their own, which no control shows.
    const bool stepKey = !name.empty() && (name == layout_.nextRecord || name == layout_.previousRecord);
    if (form_.has(name) ? takesEvents(name) : stepKey && visiblePage() == 3) press(name);
}

void EditorFrame::press(const std::string& name) {
    guarded([&] {
        handled(Event::Click, name);
        // The pump mode belongs to the unsaved work: its copy and its review follow it.
        if (isModeButton(name)) {
            status_.changedAgain();
            reviewStale_ = true;
        }
    });
    reviewLibrary();
}

void EditorFrame::handle(Event event, const std::string& control, std::function<void()> handler) {
    const bool stepKey = control == layout_.nextRecord || control == layout_.previousRecord;
    if (!form_.has(control) && !(stepKey && event == Event::Click))
        throw std::logic_error("a handler for " + control + ", which no control is");
    handlers_[{event, control}] = std::move(handler);
}

void EditorFrame::onClick(const std::string& control, std::function<void()> handler) {
    handle(Event::Click, control, std::move(handler));
}
void EditorFrame::onEdit(const std::string& control, std::function<void()> handler) {
    handle(Event::Edit, control, std::move(handler));
}
void EditorFrame::onPick(const std::string& control, std::function<void()> handler) {
    handle(Event::Pick, control, std::move(handler));
}
void EditorFrame::onToggle(const std::string& control, std::function<void()> handler) {
    handle(Event::Toggle, control, std::move(handler));
}
void EditorFrame::onChange(const PageField& field, std::function<void()> handler) {
    handle(field.kind == FieldKind::Choice ? Event::Pick : Event::Edit, field.control, std::move(handler));
}

void EditorFrame::handled(Event event, const std::string& control) {
    if (const auto it = handlers_.find({event, control}); it != handlers_.end()) it->second();
}

bool EditorFrame::takesEvents(const std::string& name) const {
    if (!form_.has(name)) return false;
    const Control& control = form_[name];
    return control.enabled && (control.page == 0 || control.page == visiblePage());
}

bool EditorFrame::isModeButton(const std::string& name) const {
    return std::any_of(layout_.modeButtons.begin(), layout_.modeButtons.end(),
                       [&name](const auto& button) { return button.first == name; });
}

std::string EditorFrame::libraryMode() const {
    for (const auto& [name, caption] : layout_.modeButtons)
        if (form_[name].checked) return name;
    return {};
}

void EditorFrame::doubleClick(const std::string& name) {
    if (name != "File1" || !takesEvents(name) || form_["File1"].selected < 0) return;
    guarded([&] {
        File1_Click();
        Command1_Click();
    });
    reviewLibrary();
}

void EditorFrame::textEdited(const std::string& name, const std::string& text) {
    if (!takesEvents(name)) return;
    guarded([&] {
        Control& control = form_[name];
        // Typing stops at the box's limit; a longer text that a restore put there
        // stays whole, and typing may not make it longer.
        const auto limit = std::max(static_cast<std::size_t>(control.maxLength), control.text.size());
        control.text = control.maxLength > 0 && text.size() > limit ? text.substr(0, limit) : text;
        control.error = false;  // changed: no longer the field a rule named
        handled(Event::Edit, name);
    });
    reviewLibrary();
}

void EditorFrame::pick(const std::string& name, int index) {
    if (!takesEvents(name)) return;
    guarded([&] {
        Control& control = form_[name];
        control.selected = index >= 0 && index < static_cast<int>(control.items.size()) ? index : -1;
        control.error = false;
        // A record chosen in a list keeps the keyboard there, so that the
        // arrow keys go on choosing.
        const int fresh = freshPages_;
        handled(Event::Pick, name);
        freshPages_ = fresh;
    });
    reviewLibrary();
}

void EditorFrame::toggle(const std::string& name, bool checked) {
    if (!takesEvents(name)) return;
    guarded([&] {
        form_[name].checked = checked;
        form_[name].error = false;
        handled(Event::Toggle, name);
    });
    reviewLibrary();
}

// ---- the guard -------------------------------------------------------------

void EditorFrame::restorePage(int page) {
    fillPage(page);
    setClean(page);
    pageRestored(page);
    if (page == visiblePage()) ++freshPages_;
}

void EditorFrame::markModified(int page) { guard_.markModified(page); }

void EditorFrame::setClean(int page) {
    guard_.setClean(page);
    if (page == 3) enableRecordButtons();
}

void EditorFrame::commit(int page) {
    const Commit result = commitPage(page);
    if (!result.stored) {
        guard_.showRefused(page, result.messages);
        return;
    }
    setUnsaved(true);
    restorePage(page);
    guard_.showStored(page, result.confirmation);
}

bool EditorFrame::unconfirmedTyping() const {
    const int page = visiblePage();
    return (page == 2 || page == 3) && guard_.modified(page);
}

std::optional<Question> EditorFrame::closeQuestion() const {
    if (unsaved())
        return Question{"CloseQuestion", std::string(UnsavedChanges) + " Close the window and lose them?",
                        "Close without saving"};
    if (unconfirmedTyping())
        return Question{"CloseQuestion",
                        "This page holds changes that are not confirmed with OK. Close the window and lose them?",
                        "Close without saving"};
    return std::nullopt;
}

void EditorFrame::watchLibrary(std::function<void()> changed, std::function<void()> discarded) {
    status_.watch(std::move(changed), std::move(discarded));
}

std::optional<std::string> EditorFrame::libraryBytes() { return writeMacro(std::string(RecoveryMacroName)); }

std::optional<std::string> EditorFrame::restoreLibrary(std::string_view bytes, const std::string& libraryName,
                                                       const std::string& note, const std::string& mode) {
    // The work comes back in the pump mode it was done in, as if its button was pressed.
    if (isModeButton(mode)) press(mode);
    std::optional<std::string> refused;
    guarded([&] {
        // The changes of restored work are counted from an empty library.
        ResetMacro();
        startFrom(writeMacro({}).value_or(""), {}, false);
        refused = readMacro(bytes);
        if (refused) {
            ResetMacro();  // nothing half-read stays behind
            return;
        }
        form_[layout_.openMessage].text.clear();
        status_.setName(libraryName);
        showPage(2);
        restorePage(2);
        status_.setNote(note);
        setUnsaved(true);
    });
    return refused;
}

void EditorFrame::libraryReplacedByChosenFile(std::string_view bytes) {
    if (files_.chosen()) status_.setName(files_.chosen()->shownName);
    startFrom(std::string(bytes), {}, false);
    setUnsaved(false);
}

void EditorFrame::startFrom(std::string baseline, std::vector<LineProblem> fileProblems, bool reviewing) {
    baseline_ = std::move(baseline);
    fileProblems_ = std::move(fileProblems);
    reviewing_ = reviewing;
}

void EditorFrame::setUnsaved(bool unsaved) {
    status_.setUnsaved(unsaved);
    reviewStale_ = true;
}

void EditorFrame::reviewLibrary() {
    if (!reviewStale_) return;
    reviewStale_ = false;
    problems_.clear();
    if (const auto dialect = reviewing_ ? review() : nullptr) {
        for (const LineProblem& line : fileProblems_)
            problems_.push_back({line.line > 0 ? "Line " + std::to_string(line.line) : "File", "", line.text, 0, 0});
        if (const auto bytes = libraryBytes())
            for (LibraryProblem& problem : entryProblems(*dialect, *bytes)) problems_.push_back(std::move(problem));
    }
    Control& strip = form_["StatusProblems"];
    const std::size_t count = problems_.size();
    strip.text = count == 0 ? "" : std::to_string(count) + (count == 1 ? " problem" : " problems");
    strip.visible = count > 0;
}

std::vector<EditorFrame::LibraryProblem> EditorFrame::entryProblems(const Dialect& dialect,
                                                                   std::string_view bytes) const {
    std::vector<LibraryProblem> found;
    for (const EntryCheck& check : dialect.checkEntries(bytes)) {
        const Dialect::Place place = dialect.placeOf(check);
        for (const FieldMessage& failed : check.messages)
            found.push_back({place.label, failed.field, failed.message, place.page, place.record});
    }
    return found;
}

void EditorFrame::showProblem(std::size_t k) {
    if (k >= problems_.size() || unconfirmedTyping()) return;
    const LibraryProblem problem = problems_[k];  // the list is found anew by the restores
    if (problem.page != 2 && problem.page != 3) return;
    guarded([&] {
        if (problem.page == 3 && !goToRecord(std::to_string(problem.record))) return;
        restorePage(problem.page);
        showPage(problem.page);
        guard_.showRefused(problem.page, {{problem.field, problem.text}});
    });
}

bool EditorFrame::goAheadDespite(const std::vector<std::string>& problems, const std::string& name, const char* action,
                                 const char* button) {
    if (problems.empty()) return true;
    const std::size_t count = problems.size();
    return confirmed({std::string(button) + "Question",
                      name + " has " + std::to_string(count) + (count == 1 ? " problem" : " problems") + " (first: " +
                          problems.front() + "). " + action + " it anyway?",
                      button});
}

bool EditorFrame::printDespiteProblems(std::string_view bytes) {
    const auto dialect = review();
    if (!dialect) return true;
    std::vector<std::string> found;
    const Reading reading = readExactly(*dialect, bytes);
    if (!reading.refusal.empty()) found.push_back(reading.refusal);
    for (const LineProblem& line : reading.problems)
        found.push_back(line.line > 0 ? "line " + std::to_string(line.line) + ": " + line.text : line.text);
    for (const LibraryProblem& problem : entryProblems(*dialect, bytes)) found.push_back(problem.text);
    return goAheadDespite(found, chosenFile(), "Print", "Print");
}

std::vector<std::string> EditorFrame::changes() {
    const auto dialect = review();
    // The name the library is saved under is the Save page's; until one is typed it is no change.
    const std::string name = form_["Text29"].text;
    const auto bytes = writeMacro(name);
    if (!dialect || !bytes) return {};
    std::vector<Entry> before = dialect->entries(baseline_), after = dialect->entries(*bytes);
    if (name.empty())
        for (auto* entries : {&before, &after})
            std::erase_if(*entries, [](const Entry& entry) { return entry.kind == "Library"; });
    return changeLines(diffEntries(before, after));
}

void EditorFrame::printChanges() {
    const std::string typed = form_["Text29"].text;
    PrintedFile file{typed.empty() ? libraryName() : typed + MacroExtension(), ""};
    // The digest of the file as it will be saved; "not saved" until a name is typed.
    if (const auto bytes = typed.empty() ? std::nullopt : writeMacro(typed); bytes && printing_.sha256)
        file.sha256 = printing_.sha256(*bytes);
    std::vector<std::string> lines = changes();
    if (lines.empty()) lines.emplace_back("No changes");
    const auto pages = changeReportPages("Changes to " + file.name, lines,
                                         printing_.currentDate ? printing_.currentDate() : "",
                                         printing_.currentTime ? printing_.currentTime() : "");
    const auto stopped = printPages(workingDirectory(), pages, file, printing_);
    form_["Label76"].text = stopped.value_or("");
    tellStatus(stopped ? *stopped : printedMessage(pages.size(), printing_));
}

// ---- default hooks -----------------------------------------------------------

std::optional<std::string> EditorFrame::readMacro(std::string_view) {
    return "Opening " + MacroExtension() + " macros is not available in this version";
}

std::optional<std::string> EditorFrame::writeMacro(const std::string&) { return std::nullopt; }

EditorFrame::Commit EditorFrame::commitPage(int) { return stored({}); }

namespace {

// What the Open page says when the chosen file cannot be read or is too large.
std::string unreadableFileMessage(const std::string& fileName, ReadStatus status) {
    if (status == ReadStatus::TooLarge)
        return "The Macro file " + fileName + " can not be opened: at more than 1 MiB it is far larger than any macro file.";
    return "The Macro file " + fileName + " can not be opened. It may have been removed.";
}

}  // namespace

std::vector<std::string> EditorFrame::linesLeftOutNote(int count) const {
    if (count <= 0) return {};
    // A technician must never believe a record was loaded when its line was dropped.
    return {std::to_string(count) + (count == 1 ? " line of " : " lines of ") + chosenFile() +
            (count == 1 ? " was not understood and was left out" : " were not understood and were left out")};
}

// ---- Open page -------------------------------------------------------------

void EditorFrame::File1_Click() { files_.choose(form_["File1"].selected); }

std::optional<std::string> EditorFrame::readChosenFile() {
    if (!files_.chosen()) return std::nullopt;
    ReadResult file = files_.read();
    if (file.status != ReadStatus::Read) {
        form_[layout_.openMessage].text = unreadableFileMessage(files_.chosen()->shownName, file.status);
        return std::nullopt;
    }
    return std::move(file.bytes);
}

std::optional<std::string> EditorFrame::readChosenFileToPrint(const PrintServices& printing) {
    std::string& message = form_[layout_.openMessage].text;
    const auto problem = printing.printerProblem ? printing.printerProblem() : "There is no default printer.";
    if (problem) {
        message = *problem + " Nothing was printed.";
        return std::nullopt;
    }
    message.clear();
    auto bytes = readChosenFile();
    if (bytes && !printDespiteProblems(*bytes)) {
        message = "Nothing was printed.";
        return std::nullopt;
    }
    return bytes;
}

void EditorFrame::Command1_Click() {
    const auto bytes = readChosenFile();
    if (!bytes) return;
    if (const auto refused = readMacro(*bytes)) {
        form_[layout_.openMessage].text = *refused;
        return;
    }
    form_[layout_.openMessage].text.clear();
    status_.setName(files_.chosen()->shownName);
    const auto dialect = review();
    startFrom(*bytes, dialect ? readExactly(*dialect, *bytes).problems : std::vector<LineProblem>{}, true);
    setUnsaved(false);
    std::string said = "Opened " + files_.chosen()->shownName;
    if (const std::string holds = describeMacro(); !holds.empty()) said += ": " + holds;
    for (const std::string& note : openNotes()) said += ". " + note;
    tellStatus(std::move(said));
    showPage(2);
    restorePage(2);
}

void EditorFrame::New_Click() {
    ResetMacro();
    startFrom(writeMacro({}).value_or(""), {}, false);
    form_[layout_.openMessage].text.clear();
    status_.setName(std::string(NewLibrary));
    setUnsaved(false);
    tellStatus({});
    showPage(2);
    showNewMacro();
}

void EditorFrame::setWorkingDirectory(std::filesystem::path folder) {
    form_[std::string(WorkingFolder)].text = utf8ToLatin1(folder.string());
    form_[layout_.openMessage].text.clear();
    files_.setFolder(std::move(folder));
}

void EditorFrame::setMacroExtension(std::string extension) { files_.setExtension(std::move(extension)); }

void EditorFrame::forgetChosenFile() { files_.forget(); }

// ---- data pages ------------------------------------------------------------

void EditorFrame::Command2_Click() {
    // Once on the Open page, the next "Open" or "New" replaces the library.
    if (unsaved() && !confirmed({"BackQuestion", std::string(UnsavedChanges) + " Go back and lose them?", "Go Back"}))
        return;
    files_.refresh();
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
    files_.refresh();
    showPage(4);
}

void EditorFrame::GoTo_Enter() {
    std::string typed = form_["GoTo"].text;
    const auto first = typed.find_first_not_of(' ');
    if (first == std::string::npos) return;
    typed = typed.substr(first, typed.find_last_not_of(' ') - first + 1);
    if (goToRecord(typed)) {
        form_["GoTo"].text.clear();
        restorePage(3);
        return;
    }
    form_["Label74"].text = "Nothing to go to is named or numbered " + typed;
    form_["Label74"].error = true;
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
    message.clear();
    const auto bytes = writeMacro(name);
    if (!bytes) {
        message = "Saving " + MacroExtension() + " macros is not available in this version";
        return;
    }
    // Save writes every line as it should be: only the entries' problems go with the file.
    reviewing_ = true;
    reviewStale_ = true;
    reviewLibrary();
    std::vector<std::string> found;
    for (const LibraryProblem& problem : problems_)
        if (problem.page != 0) found.push_back(problem.text);
    if (!goAheadDespite(found, name + MacroExtension(), "Save", "Save")) return;
    const std::string duplicate =
        layout_.duplicateNameMessage.empty()
            ? "The Macro with name " + name + " alredy exist. Please enter another Macro name"
            : layout_.duplicateNameMessage;
    const auto refused = saveMacroFile({workingDirectory(), name, MacroExtension(), duplicate}, *bytes,
                                       [this](std::string_view written) { return readsBackAsMacro(written); });
    if (refused) {
        message = *refused;
        return;
    }
    const std::string fileName = name + MacroExtension();
    status_.setName(fileName);
    startFrom(*bytes, {}, true);  // saved as Save writes: no line problems left
    setUnsaved(false);
    tellStatus("Saved " + fileName + ", read back and verified");
    afterSave(name);
    if (layout_.forgetChosenFileAfterSave) files_.forget();
    files_.refresh();
    showPage(1);
}

}  // namespace mc
