#include "shell/ui/editor_catalog.hpp"

#include "shell/core/frame_layouts.hpp"
#include "shell/ui/editor_window.hpp"

namespace mc::ui {

QWidget* createEditorWindow(EditorKind kind, const std::filesystem::path& workingDirectory,
                            const NumberFormat& numberFormat) {
    auto frame = [&](FrameLayout layout) -> QWidget* {
        return new EditorWindow(std::make_unique<EditorFrame>(std::move(layout), workingDirectory, numberFormat),
                                new QWidget, new QWidget);
    };
    switch (kind) {
    case EditorKind::Quelda041:
    case EditorKind::Quelda036:
        break;
    case EditorKind::OrrxUsa:
        return frame(orrxUsaFrameLayout());
    case EditorKind::Rx:
        return frame(protocolFrameLayout("RX_Macro_Creator"));
    case EditorKind::Kt:
        return frame(protocolFrameLayout("Macro_Creator"));
    }
    return frame(orrxUsaFrameLayout());
}

}  // namespace mc::ui
