#include "protocols/core/protocol_editor.hpp"

#include <algorithm>

#include "protocols/core/macro_file.hpp"
#include "protocols/core/protocol_printout.hpp"
#include "protocols/core/protocol_review.hpp"
#include "shell/core/text.hpp"

namespace mc::protocols {
namespace {

// The entry of a list that shows `value`; -1 (nothing chosen) when none does.
int positionOf(const std::vector<std::string>& items, const std::string& value) {
    const auto item = std::find(items.begin(), items.end(), value);
    return item == items.end() ? -1 : static_cast<int>(item - items.begin());
}

}  // namespace

FrameLayout protocolFrameLayout(const EditorDescription& description) {
    FrameLayout layout;
    layout.windowName = description.windowName;
    layout.caption = "Tavrel_Macro_Creator";
    layout.extension = ".tb2";
    layout.page2Caption = "Pump Setting";
    layout.page3Caption = "Protocol Data";
    layout.newButton = "Command13";
    layout.fileButtons = {{"Command12", "Print Macro Data"}};
    layout.cancelCaption = "Cancel Changes";
    layout.modeButtons = {{"PCA", "PCA"}, {"EPIDURAL", "EPIDURAL"}};
    layout.page2ModifiedPrompt = "Press OK key to accept value";
    layout.page3ModifiedPrompt = description.protocolModifiedPrompt;
    layout.page2MessagePointSize = 18;
    // The protocol page steps by its list: Page Down and Page Up choose the
    // next and the previous protocol in it.
    layout.nextRecord = "NextProtocol";
    layout.previousRecord = "PreviousProtocol";
    layout.goTo = true;
    layout.duplicateNameMessage = "This Macro name already exists. Please enter another Macro name.";
    return layout;
}

ProtocolEditor::ProtocolEditor(Variant variant, std::filesystem::path workingDirectory, NumberFormat numberFormat,
                               PrintServices printing)
    : EditorFrame(protocolFrameLayout(describe(variant)), std::move(workingDirectory), numberFormat),
      description_(describe(variant)) {
    usePrinting(std::move(printing));
    addPageControls(form_, settingPageTable(variant), 2);
    for (const SettingRow& row : settingRows(variant)) {
        form_[row.field.control].items = row.items;
        if (!row.unit.empty()) form_[row.field.unitLabel].text = row.unit;
    }
    // The protocol page's lists are filled when a protocol is shown.
    addPageControls(form_, protocolPageTable(variant), 3);
    showUnits(firstProtocolUnits());

    for (const PageField& field : settingPageTable(variant)) onChange(field, [this] { Setting_Modifyed(); });
    // The second name line and the bolus type alone do not modify the page.
    for (const PageField& field : protocolPageTable(variant))
        if (field.kind != FieldKind::Choice && field.control != "Text17")
            onEdit(field.control, [this] { Protocol_Modifyed(); });
    onPick("Combo19", [this] { Combo19_Click(); });
    onPick("Combo20", [this] { chooseUnit("Combo20", chooseDosavia); });
    onPick("Combo21", [this] { chooseUnit("Combo21", chooseConcentrationUnit); });
    onClick("PCA", [this] { modeClick(PumpMode::Pca); });
    onClick("EPIDURAL", [this] { modeClick(PumpMode::Epidural); });
    onClick("Command12", [this] { Command12_Click(); });
    onClick("NextProtocol", [this] { stepProtocol(+1); });
    onClick("PreviousProtocol", [this] { stepProtocol(-1); });
}

std::unique_ptr<Dialect> ProtocolEditor::review() const {
    return protocolDialect(description_.variant, mode(), numberFormat());
}

PumpMode ProtocolEditor::mode() const {
    if (form_["PCA"].checked) return PumpMode::Pca;
    if (form_["EPIDURAL"].checked) return PumpMode::Epidural;
    return PumpMode::None;
}

void ProtocolEditor::fillPage(int page) {
    if (page == 2) {
        showSettingPage(shownSettings(macro_, description_.variant));  // Setting_Restore
        return;
    }
    // ActProtocol_Restore
    Control& list = form_["Combo19"];
    list.items = protocolList(macro_);
    list.selected = currentProtocol_ - 1;
    showProtocolPage(shownProtocol(macro_, currentProtocol_, description_.variant, numberFormat()));
}

EditorFrame::Commit ProtocolEditor::commitPage(int page) {
    const Variant variant = description_.variant;
    if (page == 2) {
        const SettingPage shown = shownSettingPage();
        FieldMessages messages = checkSettings(shown, variant, mode(), numberFormat());
        if (!messages.empty()) return refused(std::move(messages));
        storeSettings(macro_, shown, variant);
        return stored("Setting Updated");
    }
    const ProtocolPage shown = shownProtocolPage();
    FieldMessages messages = checkProtocol(shown, ProtocolLimits::of(macro_), numberFormat());
    if (!messages.empty()) return refused(std::move(messages));
    storeProtocol(macro_, currentProtocol_, shown, variant, numberFormat());
    return stored("Protocol Updated");
}

void ProtocolEditor::showSettingPage(const SettingPage& page) {
    for (const SettingRow& row : settingRows(description_.variant)) {
        Control& control = form_[row.field.control];
        const std::string& value = page[row.number];
        if (row.kind == SettingKind::Typed) {
            control.text = value;
        } else {
            control.selected = positionOf(row.items, value);
        }
    }
}

SettingPage ProtocolEditor::shownSettingPage() const {
    SettingPage page;
    for (const SettingRow& row : settingRows(description_.variant)) {
        const Control& control = form_[row.field.control];
        page[row.number] = row.kind == SettingKind::Typed ? control.text : control.selectedText();
    }
    return page;
}

void ProtocolEditor::showProtocolPage(const ProtocolPage& page) {
    for (const ProtocolRow& row : protocolRows(description_.variant)) {
        if (!row.value) continue;  // the protocol list
        Control& control = form_[row.field.control];
        const std::string& value = page.*row.value;
        if (row.field.kind != FieldKind::Choice) {
            control.text = value;
            continue;
        }
        control.items = row.items;
        control.selected = positionOf(row.items, value);
    }
    // Without Dosavia or a unit chosen the labels keep what they showed (Protocol_Units).
    if (const auto units = unitsOf(page)) showUnits(*units);
}

ProtocolPage ProtocolEditor::shownProtocolPage() const {
    ProtocolPage page;
    for (const ProtocolRow& row : protocolRows(description_.variant)) {
        if (!row.value) continue;
        const Control& control = form_[row.field.control];
        page.*row.value = row.field.kind == FieldKind::Choice ? control.selectedText() : control.text;
    }
    return page;
}

void ProtocolEditor::showUnits(const ProtocolUnits& units) {
    for (const ProtocolRow& row : protocolRows(description_.variant))
        if (!row.field.unitLabel.empty()) form_[row.field.unitLabel].text = unitCaption(row, units);
}

void ProtocolEditor::showNewMacro() {
    // Page 2 keeps what it showed; the emptied settings reach it with the next restore.
    if (description_.newDisablesNext) form_["Command3"].enabled = false;
}

void ProtocolEditor::stepProtocol(int step) {
    const int protocol = currentProtocol_ + step;
    // Like the list itself, only on a clean page and within A to Z.
    if (visiblePage() != 3 || !form_["Combo19"].enabled || protocol < 1 || protocol > ProtocolCount) return;
    pick("Combo19", protocol - 1);
}

const PageTable& ProtocolEditor::pageTable(int page) const {
    if (page == 2) return settingPageTable(description_.variant);
    return page == 3 ? protocolPageTable(description_.variant) : noFields();
}

void ProtocolEditor::modeClick(PumpMode mode) {
    form_["PCA"].checked = mode == PumpMode::Pca;
    form_["EPIDURAL"].checked = mode == PumpMode::Epidural;
    if (!description_.modeSelectsFiles) return;
    forgetChosenFile();
    setMacroExtension(mode == PumpMode::Pca ? ".tv9" : ".tv8");
}

void ProtocolEditor::chooseUnit(const std::string& list, void (*choose)(ProtocolPage&, const std::string&)) {
    Protocol_Modifyed();
    ProtocolPage page = shownProtocolPage();
    choose(page, form_[list].selectedText());
    showProtocolPage(page);
}

void ProtocolEditor::Protocol_Modifyed() {
    markModified(3);
    form_["Combo19"].enabled = false;
}

bool ProtocolEditor::goToRecord(const std::string& typed) {
    const auto protocol = recordNamed(typed, ProtocolCount, ProtocolCount, currentProtocol_,
                                      [this](int n) { return macro_.ProtocolDrugName[n]; });
    if (protocol) currentProtocol_ = *protocol;
    return protocol.has_value();
}

void ProtocolEditor::Combo19_Click() {
    const int k = form_["Combo19"].selected + 1;
    if (!form_["Combo19"].enabled || k < 1) {
        form_["Combo19"].selected = currentProtocol_ - 1;
        return;
    }
    if (k == currentProtocol_) return;
    currentProtocol_ = k;
    restorePage(3);
}

}  // namespace mc::protocols

namespace mc::protocols {

std::optional<std::string> ProtocolEditor::readMacro(std::string_view bytes) {
    linesNotUnderstood_ = readProtocolMacroInto(macro_, bytes, description_.variant, numberFormat());  // Macro_Download
    return std::nullopt;
}

std::string ProtocolEditor::describeMacro() const {
    int protocols = 0;
    for (int n = 1; n <= ProtocolCount; ++n)
        protocols += macro_.ProtocolDrugName[n].find_first_not_of(' ') != std::string::npos ? 1 : 0;
    return std::to_string(protocols) + (protocols == 1 ? " protocol" : " protocols");
}

std::vector<std::string> ProtocolEditor::openNotes() const { return linesLeftOutNote(linesNotUnderstood_); }

std::optional<std::string> ProtocolEditor::writeMacro(const std::string& macroName) {
    return writeProtocolMacro(macro_, description_.variant, macroName);
}

bool ProtocolEditor::readsBackAsMacro(std::string_view bytes) const {
    ProtocolMacro expected = macro_;
    expected.MacroTitle = padRight(form_["Text29"].text, MacroNameWidth);
    for (int n = 1; n <= ProtocolCount; ++n)
        if (expected.ProtocolConcUnit[n] == "0") expected.ProtocolConcentration[n] = "0";  // "Send:PDT05:0"
    return readProtocolMacro(bytes, description_.variant, numberFormat()).macro == expected;
}

void ProtocolEditor::afterSave(const std::string& macroName) {
    // The name box shows the name as the file's name line carries it.
    form_["Text29"].text = padRight(macroName, MacroNameWidth);
}

void ProtocolEditor::Command12_Click() {
    const auto bytes = readChosenFileToPrint(printing());
    if (!bytes) return;
    std::string& message = form_[layout().openMessage].text;
    readMacro(*bytes);
    libraryReplacedByChosenFile(*bytes);
    const ProtocolUnits unitsShown{form_["Label70"].text, form_["Label68"].text, form_["Label65"].text};
    const auto pages = protocolPrintout(macro_, description_.variant, numberFormat(), printing().currentDate(),
                                        printing().currentTime(), unitsShown);
    // The pages are left as printing leaves them: the settings of the file, its
    // last protocol, and the unit labels the protocols before it left.
    for (int k = 1; k <= ProtocolCount; ++k)
        if (const auto units = unitsOf(shownProtocol(macro_, k, description_.variant, numberFormat())))
            showUnits(*units);
    currentProtocol_ = ProtocolCount;
    restorePage(2);
    restorePage(3);
    const PrintedFile printed{chosenFile(), printing().sha256 ? printing().sha256(*bytes) : std::string()};
    const auto stopped = printPages(workingDirectory(), pages, printed, printing());
    message = stopped.value_or("");
    tellStatus(stopped ? *stopped : printedMessage(pages.size(), printing()));
}

}  // namespace mc::protocols
