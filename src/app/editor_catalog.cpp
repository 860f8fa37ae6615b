#include "app/editor_catalog.hpp"

#include "druglib_dual/ui/drug_library_windows.hpp"
#include "druglib_us/ui/orrx_usa_window.hpp"
#include "shell/core/frame_layouts.hpp"
#include "shell/ui/editor_window.hpp"
#include "shell/ui/settprint.hpp"

namespace mc::app {

QWidget* createEditorWindow(EditorKind kind, const std::filesystem::path& workingDirectory,
                            const NumberFormat& numberFormat) {
    auto frame = [&](FrameLayout layout) -> QWidget* {
        return new ui::EditorWindow(std::make_unique<EditorFrame>(std::move(layout), workingDirectory, numberFormat),
                                    new QWidget, new QWidget);
    };
    switch (kind) {
    case EditorKind::Quelda041:
        return druglib::ui::createQuelda041Window(workingDirectory, numberFormat, ui::systemPrintServices());
    case EditorKind::Quelda036:
        return druglib::ui::createQuelda036Window(workingDirectory, numberFormat);
    case EditorKind::OrrxUsa:
        return druglib_us::ui::createOrrxUsaWindow(workingDirectory, numberFormat);
    case EditorKind::Rx:
        return frame(protocolFrameLayout("RX_Macro_Creator"));
    case EditorKind::Kt:
        return frame(protocolFrameLayout("Macro_Creator"));
    }
    return nullptr;
}

}  // namespace mc::app
