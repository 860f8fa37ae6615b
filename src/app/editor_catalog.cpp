#include "app/editor_catalog.hpp"

#include "druglib_dual/ui/drug_library_windows.hpp"
#include "protocols/ui/protocol_windows.hpp"
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
        return frame(orrxUsaFrameLayout());
    case EditorKind::Rx:
        return protocols::ui::createProtocolWindow(protocols::Variant::Rx, workingDirectory, numberFormat);
    case EditorKind::Kt:
        return protocols::ui::createProtocolWindow(protocols::Variant::Kt, workingDirectory, numberFormat);
    }
    return nullptr;
}

}  // namespace mc::app
