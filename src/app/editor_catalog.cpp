#include "app/editor_catalog.hpp"

#include "druglib_dual/ui/drug_library_windows.hpp"
#include "druglib_us/ui/orrx_usa_window.hpp"
#include "protocols/ui/protocol_windows.hpp"
#include "shell/ui/editor_window.hpp"
#include "shell/ui/settprint.hpp"

namespace mc::app {

namespace {

QWidget* createWindow(EditorKind kind, const std::filesystem::path& workingDirectory, const NumberFormat& numberFormat) {
    switch (kind) {
    case EditorKind::Quelda041:
        return druglib::ui::createQuelda041Window(workingDirectory, numberFormat, ui::systemPrintServices());
    case EditorKind::Quelda036:
        return druglib::ui::createQuelda036Window(workingDirectory, numberFormat);
    case EditorKind::OrrxUsa:
        return druglib_us::ui::createOrrxUsaWindow(workingDirectory, numberFormat);
    case EditorKind::Rx:
        return protocols::ui::createProtocolWindow(protocols::Variant::Rx, workingDirectory, numberFormat,
                                                   ui::systemPrintServices());
    case EditorKind::Kt:
        return protocols::ui::createProtocolWindow(protocols::Variant::Kt, workingDirectory, numberFormat,
                                                   ui::systemPrintServices());
    }
    return nullptr;
}

}  // namespace

QWidget* createEditorWindow(EditorKind kind, const std::filesystem::path& workingDirectory,
                            const NumberFormat& numberFormat) {
    QWidget* window = createWindow(kind, workingDirectory, numberFormat);
    // Every editor prints its change reports on the system's default printer.
    if (auto* editor = qobject_cast<ui::EditorWindow*>(window)) editor->model().usePrinting(ui::systemPrintServices());
    return window;
}

}  // namespace mc::app
