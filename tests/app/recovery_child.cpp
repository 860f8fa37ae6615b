// The program as the recovery tests run and kill it: the real editor windows
// with the real recovery store, driven through their widgets.
//   recovery_child <kind 0-4> <working folder> <none|work>
// It prints its editor's status once the work is done, then waits to be ended.

#include <QApplication>
#include <cstdio>

#include "app/editor_catalog.hpp"
#include "recovery_work.hpp"
#include "shell/ui/recovery_store.hpp"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tavrel-macro-creator"));
    if (argc != 4) return 2;
    mc::ui::installRecoveryStore(std::make_unique<mc::ui::RecoveryStore>(mc::ui::RecoveryStore::defaultFolder()));
    const auto kind = static_cast<mc::EditorKind>(std::atoi(argv[1]));
    QWidget* editor = mc::app::createEditorWindow(kind, argv[2], mc::NumberFormat{});
    editor->show();
    QApplication::processEvents();
    const QByteArray action = argv[3];
    if (action != "none") mc::testing::enterWork(editor, kind);
    std::printf("ready %s|%s|%s|%s\n", qPrintable(mc::testing::shown(editor, "StatusSaved")),
                qPrintable(mc::testing::shown(editor, "Label74")), qPrintable(mc::testing::shown(editor, "Label36")),
                qPrintable(mc::testing::shown(editor, "StatusNote")));
    std::fflush(stdout);
    return QApplication::exec();
}
