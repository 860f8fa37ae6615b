#pragma once
// The window of one editor: the four pages of the frame stacked so that one
// is in view, with the editor's own fields placed on the two data pages.

#include <QHash>
#include <QList>
#include <QLocale>
#include <QPointer>
#include <QWidget>
#include <memory>

#include "shell/core/editor_frame.hpp"
#include "shell/ui/form_binding.hpp"

namespace mc::ui {

class ProblemsWindow;

class EditorWindow : public QWidget {
    Q_OBJECT
public:
    // `page2Fields` and `page3Fields` hold the editor's controls of the two
    // data pages (named as in its model); the window takes them over.
    EditorWindow(std::unique_ptr<EditorFrame> model, QWidget* page2Fields, QWidget* page3Fields);
    ~EditorWindow() override;

    EditorFrame& model() { return *model_; }
    // Where the window's widgets and its model's controls do not match; empty when they do.
    const QStringList& bindingMismatches() const { return binding_->mismatches(); }
    // Shows the model, and the keyboard goes where the model's page expects typing.
    void render();

    // The window takes the size of its largest page on every page, where the
    // screen has room for it; else the screen's available area, and its pages
    // scroll. It stands wholly on that area.
    void fitToScreen();

protected:
    void showEvent(QShowEvent* event) override;
    bool event(QEvent* event) override;
    // Unsaved work or unconfirmed typing is never dropped without asking.
    void closeEvent(QCloseEvent* event) override;

private:
    QSize wantedSize() const;
    // Asks a question of the model in a box; true goes ahead.
    bool ask(const Question& question);
    // Enter, Escape, Page Down and Page Up press the buttons of the page in view.
    void addShortcuts();
    void press(const std::string& name);
    void orderTabsOnce(QWidget* page);
    // A page freshly shown or filled has the keyboard in its first box.
    void followFreshPage();
    // "Folder...": the technician chooses the folder the editor works in.
    void chooseFolder();
    // The Problems list comes up when the model finds problems and follows
    // them, leaving the keyboard where the technician is typing; the
    // status strip's "K problems" brings it to the front.
    void followProblems();
    void showProblems(bool toFront);
    // "Review Changes": the changes since the library was opened, to print for the sign-off record.
    void reviewChanges();
    // Ctrl+G takes the keyboard to the "Go to" box of page 3.
    void addGoToShortcut();
    // Every input field is announced by its caption.
    void nameFields();

    // The recovery copy follows the library while it holds unsaved work.
    void keepRecoveryCopy();
    void dropRecoveryCopy();
    // Offers the work that programs no longer running left of this editor.
    void offerLeftWork();

    std::unique_ptr<EditorFrame> model_;
    std::unique_ptr<FormBinding> binding_;
    QWidget* content_ = nullptr;  // the pages, inside the scroll area
    // The fields of each page that has been in view, in tab order.
    QHash<QWidget*, QList<QPointer<QWidget>>> fieldsOf_;
    int freshPagesSeen_ = 0;
    bool screenFollowed_ = false;
    bool placing_ = true;  // until the window stands framed on its screen once
    bool offered_ = false;  // left work is offered once, when the window first shows
    ProblemsWindow* problemsWindow_ = nullptr;
    std::size_t problemsShown_ = 0;
};

// The number format of a locale, and of the system's, for the editors' number checks.
NumberFormat numberFormatOf(const QLocale& locale);
NumberFormat systemNumberFormat();

}  // namespace mc::ui
