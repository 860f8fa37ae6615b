#include <QApplication>
#include <cstdio>
#include <filesystem>

#include "app/editor_catalog.hpp"
#include "shell/ui/editor_window.hpp"
#include "shell/ui/selection_window.hpp"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const auto folder = std::filesystem::current_path();
    const auto numbers = mc::ui::systemNumberFormat();
    auto* selection = new mc::ui::SelectionWindow(
        [folder, numbers](mc::EditorKind kind) { return mc::app::createEditorWindow(kind, folder, numbers); });
    selection->show();
    return QApplication::exec();
}
