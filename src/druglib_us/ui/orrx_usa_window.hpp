#pragma once
// The window of the US drug library editor: the frame with the widgets of its
// department page and drug page, named as the controls of the editor model.

#include <QWidget>
#include <filesystem>

#include "shell/core/decimal.hpp"

namespace mc::druglib_us::ui {

QWidget* createOrrxUsaWindow(const std::filesystem::path& workingDirectory, const NumberFormat& numberFormat);

}  // namespace mc::druglib_us::ui
