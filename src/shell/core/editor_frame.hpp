#pragma once
// The four-page frame every editor window is built on: the Open page with its
// file list, two data pages with their guard against leaving unconfirmed
// changes, and the Save page with its duplicate-name check. It is put
// together from parts that each do one thing (the file choice, the page
// guard, the library's status, saving, Go to); an editor plugs its macro, its
// reader and writer and its page contents in through the protected hooks.

#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "shell/core/decimal.hpp"
#include "shell/core/file_choice.hpp"
#include "shell/core/form.hpp"
#include "shell/core/go_to.hpp"
#include "shell/core/library_status.hpp"
#include "shell/core/macro_files.hpp"
#include "shell/core/page_guard.hpp"
#include "shell/core/page_table.hpp"
#include "shell/core/print_page.hpp"
#include "shell/core/review.hpp"

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
    // Page-3 buttons that act in both states of the page (name, caption).
    std::vector<std::pair<std::string, std::string>> recordActions;
    // After a Save nothing stays chosen in the Open page's list.
    bool forgetChosenFileAfterSave = false;
    // Option buttons of the Open page (name, caption), none chosen at load.
    std::vector<std::pair<std::string, std::string>> modeButtons;
    // What the message label of a data page says while the page is modified.
    std::string page2ModifiedPrompt = std::string(ModifiedPrompt);
    std::string page3ModifiedPrompt = std::string(ModifiedPrompt);
    // Type size of page 2's message label; 0 keeps the window's own.
    int page2MessagePointSize = 0;
    // What Page Down and Page Up press on page 3 (empty: nothing).
    std::string nextRecord = "Command13";
    std::string previousRecord = "Command14";
    // Page 3 has a "Go to" box (`GoTo`) beside its record buttons.
    bool goTo = false;
    // What the Save page says when a file of the typed name exists already;
    // empty for the message that names the file.
    std::string duplicateNameMessage;
};

// How the questions before dropping unsaved work begin.
inline constexpr std::string_view UnsavedChanges = "The library holds changes that are not saved.";
// The label of the Open page naming the folder the editor lists and saves in,
// and the button beside it that lets the technician choose another.
inline constexpr std::string_view WorkingFolder = "WorkingFolder";
inline constexpr std::string_view ChooseFolder = "ChooseFolder";

// What an action asks before it drops work: the question and the caption of
// the button that goes ahead; the other button, "Cancel", leaves all as it was.
struct Question {
    std::string name;  // of the question box
    std::string text;
    std::string goAhead;
};

class EditorFrame : public FormModel {
public:
    // Builds the window's frame and runs its load step: empty macro, file
    // lists of `workingDirectory`, the Open page in view.
    EditorFrame(FrameLayout layout, std::filesystem::path workingDirectory, NumberFormat numberFormat);

    Form& form() override { return form_; }
    const Form& form() const { return form_; }
    const FrameLayout& layout() const { return layout_; }
    // The regional number format typed numbers are read and shown in.
    const NumberFormat& numberFormat() const { return numberFormat_; }
    const std::string& MacroExtension() const { return files_.extension(); }
    int visiblePage() const;

    // True while the library holds changes not saved since the last Open, New or Save.
    bool unsaved() const { return status_.unsaved(); }
    // True while a data page holds typing not yet confirmed with "OK".
    bool unconfirmedTyping() const;
    // What closing the window asks first; nothing when no work would be lost.
    std::optional<Question> closeQuestion() const;
    // The technician's answer to a question: true goes ahead. Without anyone
    // to ask (a program driving the editor), actions go ahead unasked.
    void askWith(std::function<bool(const Question&)> ask) { ask_ = std::move(ask); }
    // Counts the times a page came into view or was filled anew from memory
    // (shown, stored by "OK", cancelled, another record); each time, typing
    // belongs in the page's first box.
    int freshPages() const { return freshPages_; }
    // The lists, Open, Save and printing work in `folder` from now on; the
    // Open page names it, and nothing there stays chosen.
    void setWorkingDirectory(std::filesystem::path folder);
    const std::filesystem::path& workingDirectory() const { return files_.folder(); }

    void click(const std::string& name) override;
    void doubleClick(const std::string& name) override;
    void textEdited(const std::string& name, const std::string& text) override;
    void pick(const std::string& name, int index) override;
    void toggle(const std::string& name, bool checked) override;

    // ---- review: the problems of the library in view, and its changes ---------
    // A problem as the Problems list shows it: an entry with the field a rule
    // is about and the page's own message, or a line of the file opened and
    // its cause.
    struct LibraryProblem {
        std::string entry;  // "Drug 7 (Heparin)", "Pump Setting", "Line 32"
        std::string field;  // the control; empty for a line
        std::string text;
        int page = 0;       // the data page of an entry; 0 for a line
        int record = 0;
    };
    // What "tavrel-macro check" finds: the page rules of every entry, and the
    // lines of the file opened that are not what Save writes for it.
    const std::vector<LibraryProblem>& problems() const { return problems_; }
    // Shows the entry of problem k on its page with its field marked, as a
    // refused "OK" marks it; nothing while a data page holds unconfirmed typing.
    void showProblem(std::size_t k);
    // What changed since the library was opened (for a new one, everything in
    // it), in the words of "tavrel-macro diff", one a line.
    std::vector<std::string> changes();
    // Prints the changes as pages titled "Changes to NAME"; the Save page says how it went.
    void printChanges();
    // The printer of the printouts and the change reports.
    void usePrinting(PrintServices printing) { printing_ = std::move(printing); }

    // ---- the recovery copy ----------------------------------------------------
    // `changed` runs whenever the library in memory changes, `discarded` when
    // it no longer holds unsaved changes (Open, New, Save).
    void watchLibrary(std::function<void()> changed, std::function<void()> discarded);
    // The library in memory as the editor's own writer puts it; nothing when it cannot.
    std::optional<std::string> libraryBytes();
    // "new library" or the file the library came from.
    const std::string& libraryName() const { return status_.name(); }
    // The chosen pump mode button of the Open page; empty when none is chosen.
    std::string libraryMode() const;
    // Replaces the library by recovered bytes with the editor's own reader, as
    // Open would, in the pump mode the work was done in, but it stays "not
    // saved"; a message when the reader refuses them.
    std::optional<std::string> restoreLibrary(std::string_view bytes, const std::string& libraryName,
                                              const std::string& note, const std::string& mode = {});
    void setStatusNote(std::string note) { status_.setNote(std::move(note)); }
    // The input fields of a data page with their captions, so that a window
    // can announce every field by its caption.
    virtual const PageTable& pageTable(int /*page*/) const { return noFields(); }

protected:
    // What a data page's "OK" did: stored it with a confirmation, or refused
    // it with the message of each rule violated and the field it is about.
    struct Commit {
        bool stored;
        std::string confirmation;
        FieldMessages messages;
    };
    static Commit stored(std::string confirmation) { return {true, std::move(confirmation), {}}; }
    static Commit refused(FieldMessages messages) { return {false, {}, std::move(messages)}; }

    // ---- hooks of an editor -------------------------------------------------
    virtual void ResetMacro() {}
    // How the editor's kind of file is reviewed; nothing when it is not.
    virtual std::unique_ptr<Dialect> review() const { return nullptr; }
    // Replaces the macro by the file's content; a message when the file is refused.
    virtual std::optional<std::string> readMacro(std::string_view bytes);
    // The bytes of the macro file, or nothing when this editor cannot save yet.
    virtual std::optional<std::string> writeMacro(const std::string& macroName);
    virtual void fillPage(int /*page*/) {}
    virtual Commit commitPage(int page);
    // Runs at the end of every restore of a data page, after the clean state is set.
    virtual void pageRestored(int /*page*/) {}
    // "Cancel Last Changes" of a data page.
    virtual void cancelPage(int page) { restorePage(page); }
    virtual void selectFirstRecord() {}
    // Enables the record buttons of page 3 in its clean state.
    virtual void enableRecordButtons() {}
    // A save has written the macro under this name.
    virtual void afterSave(const std::string& /*macroName*/) {}
    // Does this file, read back with the editor's own reader, hold exactly the
    // macro in memory? Asked after every save.
    virtual bool readsBackAsMacro(std::string_view /*bytes*/) const { return true; }

    // What the macro read last holds, in a few words ("3 drugs in 25
    // departments"); empty says nothing.
    virtual std::string describeMacro() const { return {}; }
    // What the user must know about the file read last (lines left out, an
    // other release); each note is a sentence of its own.
    virtual std::vector<std::string> openNotes() const { return {}; }
    // Makes the record the typed "Go to" text names the one in view, and
    // says whether there is one.
    virtual bool goToRecord(const std::string& /*typed*/) { return false; }
    // "New" has emptied the macro and shows page 2; by default page 2 is
    // filled from the emptied macro.
    virtual void showNewMacro() { restorePage(2); }

    // ---- services for the editors -------------------------------------------
    // The editor's own handlers of its controls: a click of a button, an edit
    // of a box, a pick in a list or a tick of a check box runs its handler,
    // after the control shows what the user did; any other event on the
    // control does nothing. A name the form has no control of is a fault of
    // the program, refused when the editor is built.
    void onClick(const std::string& control, std::function<void()> handler);
    void onEdit(const std::string& control, std::function<void()> handler);
    void onPick(const std::string& control, std::function<void()> handler);
    void onToggle(const std::string& control, std::function<void()> handler);
    // An edit of a page's box or a pick in its list, as the field is.
    void onChange(const PageField& field, std::function<void()> handler);
    // Fills a data page from memory and puts it into the clean state.
    void restorePage(int page);
    // Puts a data page into the modified state.
    void markModified(int page);
    void showPage(int page);
    // The name of the file chosen on the Open page, as the list shows it.
    std::string chosenFile() const { return files_.chosen() ? files_.chosen()->shownName : std::string(); }
    // Switches the extension in force; both file lists follow it.
    void setMacroExtension(std::string extension);
    // Nothing is chosen on the Open page any more: "Open" and the file buttons wait for a choice.
    void forgetChosenFile();
    // The bytes of the file chosen on the Open page; when it cannot be read,
    // nothing, and the Open page says so.
    std::optional<std::string> readChosenFile();
    // Before a printout: when the printer takes jobs, the bytes of the chosen
    // file; else nothing, and the Open page says why nothing was printed.
    std::optional<std::string> readChosenFileToPrint(const PrintServices& printing);
    // The message label of the page in view.
    std::string& messageOfVisiblePage();
    // Something was stored in the library other than through a page's "OK"
    // (a deleted entry, a mode change).
    void markLibraryChanged() { setUnsaved(true); }
    // The macro in memory was replaced by the chosen file's bytes (a printout reads it).
    void libraryReplacedByChosenFile(std::string_view bytes);
    // The note on a file some of whose lines the reader left out; empty for none.
    std::vector<std::string> linesLeftOutNote(int count) const;
    // Asks the technician, when there is anyone to ask; true goes ahead.
    bool confirmed(const Question& question) const { return !ask_ || ask_(question); }
    // Says in the status strip what an action did (a printout's outcome).
    void tellStatus(std::string text) { status_.tell(std::move(text)); }
    PrintServices& printing() { return printing_; }
    // Before a printout of `bytes` (the chosen file) that has problems: the
    // technician's word to print it anyway.
    bool printDespiteProblems(std::string_view bytes);

    Form form_;

private:
    void addPages();
    enum class Event { Click, Edit, Pick, Toggle };
    void handle(Event event, const std::string& control, std::function<void()> handler);
    // Runs the handler of an event on a control, if it has one.
    void handled(Event event, const std::string& control);
    bool isModeButton(const std::string& name) const;
    // Whether the technician can reach the control now: enabled, and on the
    // page in view unless the window shows it on every page.
    bool takesEvents(const std::string& name) const;
    // A click of a control that takes it, or a step key.
    void press(const std::string& name);
    void setClean(int page);
    // Runs a handler; a failure it cannot recover from (no memory left, a
    // fault of the program) becomes a message on the page in view instead of
    // ending the program.
    template <typename Handler>
    void guarded(Handler handler);

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
    void GoTo_Enter();
    void commit(int page);
    void setUnsaved(bool unsaved);
    // The library now stands as `baseline`: its changes count from there, and
    // `fileProblems` are the lines of the file it came from (if reviewed).
    void startFrom(std::string baseline, std::vector<LineProblem> fileProblems, bool reviewing);
    // The problems anew, once something changed since they were found.
    void reviewLibrary();
    // What each entry's "OK" says against the library of these bytes.
    std::vector<LibraryProblem> entryProblems(const Dialect& dialect, std::string_view bytes) const;
    // Whether the action (print, save) goes ahead though the library has problems.
    bool goAheadDespite(const std::vector<std::string>& problems, const std::string& name, const char* action,
                        const char* button);

    FrameLayout layout_;
    NumberFormat numberFormat_;
    FileChoice files_;
    PageGuard guard_;
    LibraryStatus status_;
    std::map<std::pair<Event, std::string>, std::function<void()>> handlers_;
    std::function<bool(const Question&)> ask_;
    int freshPages_ = 0;
    PrintServices printing_;
    std::string baseline_;                  // the library as opened (or new), for its changes
    std::vector<LineProblem> fileProblems_;  // of the file opened, until the library is saved or replaced
    std::vector<LibraryProblem> problems_;
    bool reviewing_ = false;  // after Open or a Save asked for; the problems then follow every change
    bool reviewStale_ = true;
};

}  // namespace mc
