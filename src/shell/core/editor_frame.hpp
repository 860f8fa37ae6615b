#pragma once
// The four-page frame every editor window is built on: the Open page with its
// file list, two data pages with their guard against leaving unconfirmed
// changes, and the Save page with its duplicate-name check. An editor plugs
// its macro, its reader and writer and its page contents in through the
// protected hooks.

#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "shell/core/decimal.hpp"
#include "shell/core/form.hpp"

namespace mc {

inline constexpr std::string_view ModifiedPrompt = "Please validate modifications with OK key";

// What differs between the editors as far as the frame is concerned.
struct FrameLayout {
    std::string windowName;   // objectName of the window
    std::string caption;      // window caption
    std::string extension;    // MacroExtension, with its dot
    std::string page2Caption = "Departments list";
    std::string page3Caption = "Drugs Data";
    std::string saveNameCaption = "Macro Name";  // Label75
    int saveNameMaxLength = 8;                   // Text29
    std::string newButton = "Command12";
    std::string openMessage = "OpenMessage";  // message label of the Open page
    // Buttons of the Open page that act on the chosen file (name, caption).
    std::vector<std::pair<std::string, std::string>> fileButtons;
    std::string page2BackCaption = "Cancel All Changes Back";
    std::string cancelCaption = "Cancel Last Changes";
    // Page-3 buttons that step between records; disabled while the page is modified.
    std::vector<std::pair<std::string, std::string>> recordButtons;
    // After a Save nothing stays chosen in the Open page's list.
    bool forgetChosenFileAfterSave = false;
    // Option buttons of the Open page (name, caption), none chosen at load.
    std::vector<std::pair<std::string, std::string>> modeButtons;
    // What the message label of a data page says while the page is modified.
    std::string page2ModifiedPrompt = std::string(ModifiedPrompt);
    std::string page3ModifiedPrompt = std::string(ModifiedPrompt);
    // Type size of page 2's message label; 0 keeps the window's own.
    int page2MessagePointSize = 0;
};

class EditorFrame : public FormModel {
public:
    // Builds the window's frame and runs its load step: empty macro, file
    // lists of `workingDirectory`, the Open page in view.
    EditorFrame(FrameLayout layout, std::filesystem::path workingDirectory, NumberFormat numberFormat);

    Form& form() override { return form_; }
    const Form& form() const { return form_; }
    const FrameLayout& layout() const { return layout_; }
    const std::string& MacroExtension() const { return layout_.extension; }
    int visiblePage() const;

    void click(const std::string& name) override;
    void doubleClick(const std::string& name) override;
    void textEdited(const std::string& name, const std::string& text) override;
    void pick(const std::string& name, int index) override;
    void toggle(const std::string& name, bool checked) override;

protected:
    struct Commit {
        bool stored;
        std::string message;  // the confirmation, or the collected rule messages
    };

    // ---- hooks of an editor -------------------------------------------------
    virtual void ResetMacro() {}
    // Replaces the macro by the file's content; a message when the file is refused.
    virtual std::optional<std::string> readMacro(std::string_view bytes);
    // The bytes of the macro file, or nothing when this editor cannot save yet.
    virtual std::optional<std::string> writeMacro(const std::string& macroName);
    virtual void fillPage(int /*page*/) {}
    virtual Commit commitPage(int page);
    virtual void selectFirstRecord() {}
    // Enables the record buttons of page 3 in its clean state.
    virtual void enableRecordButtons() {}
    // The editor's own controls; return false when the event is not theirs.
    virtual bool onClick(const std::string& /*name*/) { return false; }
    virtual bool onTextEdited(const std::string& /*name*/) { return false; }
    virtual bool onPick(const std::string& /*name*/) { return false; }
    virtual bool onToggle(const std::string& /*name*/) { return false; }
    // "New" has emptied the macro and shows page 2; by default page 2 is
    // filled from the emptied macro.
    virtual void showNewMacro() { restorePage(2); }

    // ---- services for the editors -------------------------------------------
    // Fills a data page from memory and puts it into the clean state.
    void restorePage(int page);
    // Puts a data page into the modified state.
    void markModified(int page);
    void showPage(int page);
    const NumberFormat& numberFormat() const { return numberFormat_; }
    const std::filesystem::path& workingDirectory() const { return workingDirectory_; }
    std::string chosenFile() const { return form_["Text30"].text; }
    // Switches the extension in force; both file lists follow it.
    void setMacroExtension(std::string extension);
    // Nothing is chosen on the Open page any more: "Open" and the file buttons wait for a choice.
    void forgetChosenFile();
    // The bytes of the file chosen on the Open page; when it cannot be read,
    // nothing, and the Open page says so.
    std::optional<std::string> readChosenFile();

    Form form_;

private:
    void addPages();
    void setClean(int page);
    void refreshFileLists();
    void enableFileButtons(bool enabled);

    void File1_Click();
    void Command1_Click();   // Open
    void New_Click();
    void Command2_Click();   // page 2: back to the Open page
    void Command3_Click();   // page 2: Next
    void Command10_Click();  // page 3: Next
    void Command11_Click();  // Save
    void Command6_Click();   // page 4: Back
    void Command7_Click();   // page 3: Back
    void Text29_Change();
    void commit(int page);

    FrameLayout layout_;
    std::filesystem::path workingDirectory_;
    NumberFormat numberFormat_;
    std::map<std::string, std::function<void()>> buttons_;
};

}  // namespace mc
