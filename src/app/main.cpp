#include <QApplication>
#include <cstdio>
#include <filesystem>

#include "shell/ui/editor_catalog.hpp"
#include "shell/ui/editor_window.hpp"
#include "shell/ui/selection_window.hpp"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const auto folder = std::filesystem::current_path();
    const auto numbers = mc::ui::systemNumberFormat();
    auto* selection = new mc::ui::SelectionWindow(
        [folder, numbers](mc::EditorKind kind) { return mc::ui::createEditorWindow(kind, folder, numbers); });
    selection->show();
    return QApplication::exec();
}
