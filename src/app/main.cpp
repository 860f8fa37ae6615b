#include <QApplication>
#include <cstdio>
#include <filesystem>

#include "app/editor_catalog.hpp"
#include "shell/ui/editor_window.hpp"
#include "shell/ui/recovery_store.hpp"
#include "shell/ui/selection_window.hpp"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tavrel_macro_creator"));
    // Unsaved work is kept in a recovery copy until it is saved or dropped.
    mc::ui::installRecoveryStore(std::make_unique<mc::ui::RecoveryStore>(mc::ui::RecoveryStore::defaultFolder()));
    const auto folder = std::filesystem::current_path();
    const auto numbers = mc::ui::systemNumberFormat();
    auto* selection = new mc::ui::SelectionWindow(
        [folder, numbers](mc::EditorKind kind) { return mc::app::createEditorWindow(kind, folder, numbers); });
    selection->show();
    return QApplication::exec();
}
