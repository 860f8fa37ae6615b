#include "shell/ui/editor_catalog.hpp"

#include "druglib_dual/core/quelda036_editor.hpp"
#include "druglib_dual/core/quelda041_editor.hpp"
#include "druglib_dual/ui/drug_library_pages.hpp"
#include "shell/core/frame_layouts.hpp"
#include "shell/ui/editor_window.hpp"
#include "shell/ui/settprint.hpp"

namespace mc::ui {

QWidget* createEditorWindow(EditorKind kind, const std::filesystem::path& workingDirectory,
                            const NumberFormat& numberFormat) {
    auto frame = [&](FrameLayout layout) -> QWidget* {
        return new EditorWindow(std::make_unique<EditorFrame>(std::move(layout), workingDirectory, numberFormat),
                                new QWidget, new QWidget);
    };
    switch (kind) {
    case EditorKind::Quelda041:
        return new EditorWindow(std::make_unique<druglib::Quelda041Editor>(workingDirectory, numberFormat,
                                                                                 systemPrintServices()),
                                druglib::ui::departmentFields(), druglib::ui::drugFields041());
    case EditorKind::Quelda036:
        return new EditorWindow(std::make_unique<druglib::Quelda036Editor>(workingDirectory, numberFormat),
                                druglib::ui::departmentFields(), druglib::ui::drugFields036());
    case EditorKind::OrrxUsa:
        return frame(orrxUsaFrameLayout());
    case EditorKind::Rx:
        return frame(protocolFrameLayout("RX_Macro_Creator"));
    case EditorKind::Kt:
        return frame(protocolFrameLayout("Macro_Creator"));
    }
    return nullptr;
}

}  // namespace mc::ui
