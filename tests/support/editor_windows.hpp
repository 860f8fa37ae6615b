#pragma once
// The editor windows of a window test: opened as the technician meets them,
// their questions answered, and gone after each test.

#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <functional>
#include <memory>

#include "app/editor_catalog.hpp"
#include "shell/ui/editor_window.hpp"
#include "support/window_driver.hpp"

namespace mc::testing {

// The editor window of `kind` working in `folder`, shown and active.
inline mc::ui::EditorWindow* openEditor(EditorKind kind, const std::filesystem::path& folder) {
    auto* window = qobject_cast<mc::ui::EditorWindow*>(mc::app::createEditorWindow(kind, folder, NumberFormat{}));
    window->show();
    QApplication::setActiveWindow(window);
    if (!QTest::qWaitForWindowActive(window)) qWarning("the window did not become active");
    return window;
}

// Clicks a button and answers the question box it brings up with the button
// captioned `answer` ("Escape" presses Escape). Returns what was asked as
// "Name: text [default button]", or "" when nothing was. Another dialog that
// comes up goes to `during` and is then closed.
inline QString clickAndAnswer(QWidget* window, const char* button, const QString& answer,
                              std::function<void(QWidget*)> during = {}) {
    auto asked = std::make_shared<QString>();
    QTimer::singleShot(0, window, [asked, answer, during] {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            *asked = QStringLiteral("%1: %2 [%3]").arg(box->objectName(), box->text(), box->defaultButton()->text());
            if (answer == QLatin1String("Escape")) return QTest::keyClick(box, Qt::Key_Escape);
            for (QAbstractButton* b : box->buttons())
                if (b->text() == answer) b->click();
        } else if (modal && during) {
            during(modal);
            modal->close();
        }
    });
    clickButton(window, button);
    QApplication::processEvents();  // a timer no box took fires now
    return *asked;
}

// Deleted without the close question: the tests leave unsaved work behind.
inline void deleteEditorWindows() {
    QList<QPointer<mc::ui::EditorWindow>> editors;
    for (QWidget* window : QApplication::topLevelWidgets())
        if (auto* editor = qobject_cast<mc::ui::EditorWindow*>(window)) editors << editor;
    for (const auto& editor : editors) delete editor.data();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

}  // namespace mc::testing
