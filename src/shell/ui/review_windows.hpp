#pragma once
// The windows of a library's review beside its editor: the Problems list,
// which follows the library and shows an entry's page when a row is
// activated, and the list of changes since the library was opened, which
// can be printed for the sign-off record.

#include <QDialog>
#include <functional>
#include <string>
#include <vector>

#include "shell/core/editor_frame.hpp"

class QListWidget;
class QTreeWidget;

namespace mc::ui {

class ProblemsWindow : public QDialog {
    Q_OBJECT
public:
    // `activated` gets the row of the problem the technician activated.
    ProblemsWindow(QWidget* editor, std::function<void(int row)> activated);

    // One row per problem: the entry, the caption of the field (`captionOf`
    // the control), and the message or the line's cause.
    void show(const std::vector<EditorFrame::LibraryProblem>& problems,
              const std::function<std::string(int page, const std::string& control)>& captionOf);

private:
    QTreeWidget* list_;
};

class ChangesWindow : public QDialog {
    Q_OBJECT
public:
    // `print` prints the changes as pages of their own.
    ChangesWindow(QWidget* editor, const std::vector<std::string>& changes, std::function<void()> print);

private:
    QListWidget* list_;
};

}  // namespace mc::ui
