#pragma once
// The windows of the 510 drug library editor: the frame with the widgets of
// its data pages, named as the controls of the editor models. The pages hold
// layout only.

#include <QWidget>
#include <filesystem>

#include "shell/core/decimal.hpp"
#include "shell/core/print_page.hpp"

namespace mc::druglib::ui {

QWidget* createQuelda041Window(const std::filesystem::path& workingDirectory, const NumberFormat& numberFormat,
                               PrintServices printing);
QWidget* createQuelda036Window(const std::filesystem::path& workingDirectory, const NumberFormat& numberFormat);

}  // namespace mc::druglib::ui
