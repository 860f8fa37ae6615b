#pragma once
// The protocol-and-settings editor, one model for both windows: the pump mode
// on the Open page, the "Pump Setting" page and the "Protocol Data" page on
// the four-page frame. The description says where the windows differ.

#include <filesystem>

#include "protocols/core/editor_description.hpp"
#include "protocols/core/protocol_macro.hpp"
#include "protocols/core/protocol_page.hpp"
#include "protocols/core/setting_page.hpp"
#include "shell/core/editor_frame.hpp"
#include "shell/core/print_page.hpp"

namespace mc::protocols {

FrameLayout protocolFrameLayout(const EditorDescription& description);

class ProtocolEditor : public EditorFrame {
public:
    // `printing` serves "Print Macro Data" on the Open page.
    ProtocolEditor(Variant variant, std::filesystem::path workingDirectory, NumberFormat numberFormat,
                   PrintServices printing = {});

    const EditorDescription& description() const { return description_; }
    const ProtocolMacro& macro() const { return macro_; }
    int CurrentProtocol() const { return currentProtocol_; }
    PumpMode mode() const;
    const PageTable& pageTable(int page) const override;

protected:
    void ResetMacro() override { macro_.ResetMacro(); }
    std::unique_ptr<Dialect> review() const override;
    void fillPage(int page) override;
    Commit commitPage(int page) override;
    void selectFirstRecord() override { currentProtocol_ = 1; }
    void enableRecordButtons() override { form_["Combo19"].enabled = true; }
    bool goToRecord(const std::string& typed) override;
    void showNewMacro() override;
    std::optional<std::string> readMacro(std::string_view bytes) override;
    std::string describeMacro() const override;
    std::vector<std::string> openNotes() const override;
    std::optional<std::string> writeMacro(const std::string& macroName) override;
    bool readsBackAsMacro(std::string_view bytes) const override;
    void afterSave(const std::string& macroName) override;

    void Setting_Modifyed() { markModified(2); }
    void Protocol_Modifyed();
    // The pages render their records into the controls and read them back.
    void showSettingPage(const SettingPage& page);
    SettingPage shownSettingPage() const;
    void showProtocolPage(const ProtocolPage& page);
    ProtocolPage shownProtocolPage() const;
    void showUnits(const ProtocolUnits& units);
    // A unit chosen in `list` by `choose`, which starts what follows it over.
    void chooseUnit(const std::string& list, void (*choose)(ProtocolPage&, const std::string&));
    void modeClick(PumpMode mode);
    void Combo19_Click();
    // Page Down and Page Up on the protocol page: the next or previous protocol.
    void stepProtocol(int step);
    // "Print Macro Data": reads the chosen file and prints its 14 pages.
    void Command12_Click();

private:
    ProtocolMacro macro_;
    const EditorDescription& description_;
    int currentProtocol_ = 1;
    int linesNotUnderstood_ = 0;  // of the file opened last
};

}  // namespace mc::protocols
