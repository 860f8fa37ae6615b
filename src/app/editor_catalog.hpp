#pragma once
// The one place that knows every editor window.

#include <QWidget>
#include <filesystem>

#include "shell/core/decimal.hpp"
#include "shell/core/selection.hpp"

namespace mc::app {

QWidget* createEditorWindow(EditorKind kind, const std::filesystem::path& workingDirectory,
                            const NumberFormat& numberFormat);

}  // namespace mc::app
