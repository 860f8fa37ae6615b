#include "protocols/core/protocol_editor.hpp"

#include "protocols/core/macro_file.hpp"
#include "protocols/core/protocol_printout.hpp"
#include "shell/core/text.hpp"

namespace mc::protocols {

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
    return layout;
}

ProtocolEditor::ProtocolEditor(Variant variant, std::filesystem::path workingDirectory, NumberFormat numberFormat,
                               PrintServices printing)
    : EditorFrame(protocolFrameLayout(describe(variant)), std::move(workingDirectory), numberFormat),
      description_(describe(variant)),
      settingPage_(description_),
      protocolPage_(description_),
      printing_(std::move(printing)) {
    settingPage_.addControls(form_);
    protocolPage_.addControls(form_);
}

PumpMode ProtocolEditor::mode() const {
    if (form_["PCA"].checked) return PumpMode::Pca;
    if (form_["EPIDURAL"].checked) return PumpMode::Epidural;
    return PumpMode::None;
}

void ProtocolEditor::fillPage(int page) {
    if (page == 2) settingPage_.Setting_Restore(form_, macro_);
    else if (page == 3) protocolPage_.ActProtocol_Restore(form_, macro_, currentProtocol_, numberFormat());
}

EditorFrame::Commit ProtocolEditor::commitPage(int page) {
    if (page == 2) {
        std::string messages = settingPage_.Check_Setting(form_, mode(), numberFormat());
        if (!messages.empty()) return refused(messagesByCaption(messages, fieldCaptions(2)));
        settingPage_.store(form_, macro_);
        return stored("Setting Updated");
    }
    std::string messages = protocolPage_.Check_Protocol(form_, ProtocolLimits::of(macro_), numberFormat());
    if (!messages.empty()) return refused(messagesByCaption(messages, fieldCaptions(3)));
    protocolPage_.store(form_, macro_, currentProtocol_, numberFormat());
    return stored("Protocol Updated");
}

void ProtocolEditor::showNewMacro() {
    // Page 2 keeps what it showed; the emptied settings reach it with the next restore.
    if (description_.newDisablesNext) form_["Command3"].enabled = false;
}

bool ProtocolEditor::onClick(const std::string& name) {
    if (name == "PCA") modeClick(PumpMode::Pca);
    else if (name == "EPIDURAL") modeClick(PumpMode::Epidural);
    else if (name == "Command12") Command12_Click();
    else if (name == "NextProtocol" || name == "PreviousProtocol") stepProtocol(name == "NextProtocol" ? 1 : -1);
    else return false;
    return true;
}

void ProtocolEditor::stepProtocol(int step) {
    const int protocol = currentProtocol_ + step;
    // Like the list itself, only on a clean page and within A to Z.
    if (visiblePage() != 3 || !form_["Combo19"].enabled || protocol < 1 || protocol > ProtocolCount) return;
    pick("Combo19", protocol - 1);
}

std::vector<std::pair<std::string, std::string>> ProtocolEditor::fieldCaptions(int page) const {
    std::vector<std::pair<std::string, std::string>> captions;
    if (page == 2) {
        for (const SettingRow& row : settingRows(description_.variant)) captions.emplace_back(row.caption, row.control);
        // Where the rules' messages name a field otherwise than its caption.
        captions.insert(captions.end(), {{"Select Protocol Accass", "Combo3"},
                                         {"Patient Bolus Titration", "Combo5"},
                                         {"Basal Rate Titration", "Combo6"}});
    } else if (page == 3) {
        for (const ProtocolRow& row : protocolRows(description_.variant))
            if (!row.caption.empty() && row.captionLabel != "Label51") captions.emplace_back(row.caption, row.control);
        captions.insert(captions.end(), {{"Concentration units", "Combo21"}, {"Auto-Bolus", "Combo22"}});
    }
    return captions;
}

void ProtocolEditor::modeClick(PumpMode mode) {
    form_["PCA"].checked = mode == PumpMode::Pca;
    form_["EPIDURAL"].checked = mode == PumpMode::Epidural;
    if (!description_.modeSelectsFiles) return;
    forgetChosenFile();
    setMacroExtension(mode == PumpMode::Pca ? ".tv9" : ".tv8");
}

bool ProtocolEditor::onTextEdited(const std::string& name) {
    if (settingPage_.isField(name)) Setting_Modifyed();
    else if (protocolPage_.isTypedField(name)) Protocol_Modifyed();
    else return false;
    return true;
}

bool ProtocolEditor::onPick(const std::string& name) {
    if (name == "Combo19") {
        Combo19_Click();
    } else if (name == "Combo20" || name == "Combo21") {
        Protocol_Modifyed();
        protocolPage_.unitsChanged(form_);
    } else if (name == "Combo22") {
        // The bolus type alone does not modify the page.
    } else if (settingPage_.isField(name)) {
        Setting_Modifyed();
    } else {
        return false;
    }
    return true;
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

std::string ProtocolEditor::duplicateNameMessage(const std::string&) const {
    return "This Macro name already exists. Please enter another Macro name.";
}

void ProtocolEditor::Command12_Click() {
    const auto bytes = readChosenFileToPrint(printing_);
    if (!bytes) return;
    std::string& message = form_[layout().openMessage].text;
    readMacro(*bytes);
    libraryReplacedByChosenFile(*bytes);
    const auto pages = protocolPrintout(
        description_.variant, macro_.MacroTitle,
        [this]() -> const Form& {
            fillPage(2);  // Setting_Restore
            return form_;
        },
        [this](int protocol) -> const Form& {
            currentProtocol_ = protocol;
            fillPage(3);  // ActProtocol_Restore
            return form_;
        },
        printing_.currentDate(), printing_.currentTime());
    restorePage(2);
    restorePage(3);
    const PrintedFile printed{chosenFile(), printing_.sha256 ? printing_.sha256(*bytes) : std::string()};
    const auto stopped = printPages(workingDirectory(), pages, printed, printing_);
    message = stopped.value_or("");
    tellStatus(stopped ? *stopped : printedMessage(pages.size(), printing_));
}

}  // namespace mc::protocols
