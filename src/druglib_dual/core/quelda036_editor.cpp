#include "druglib_dual/core/quelda036_editor.hpp"

namespace mc::druglib {

FrameLayout quelda036FrameLayout() {
    return drugLibraryFrameLayout("Quelda036_Macro_Creator", "Tavrel_Macro_Creator", "Macro Name", 8);
}

Quelda036Editor::Quelda036Editor(std::filesystem::path workingDirectory, NumberFormat numberFormat)
    : DrugLibraryEditor(Release::R036, quelda036FrameLayout(), std::move(workingDirectory), numberFormat) {}

}  // namespace mc::druglib
