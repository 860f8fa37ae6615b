#pragma once
// The start-up window: the choice of pump software version.

#include <QPointer>
#include <QWidget>
#include <array>
#include <functional>

#include "shell/core/selection.hpp"

namespace mc::ui {

// Creates the window of an editor kind, with its load step run.
using EditorFactory = std::function<QWidget*(EditorKind)>;

class SelectionWindow : public QWidget {
    Q_OBJECT
public:
    explicit SelectionWindow(EditorFactory createEditor);

    // The open window of an editor kind, or null.
    QWidget* editor(EditorKind kind) const;

private:
    void versionChosen(const VersionButton& button);

    EditorFactory createEditor_;
    std::array<QPointer<QWidget>, 5> editors_;
};

}  // namespace mc::ui
