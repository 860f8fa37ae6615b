#pragma once
// The windows of the protocol-and-settings editors, RX_Macro_Creator and Macro_Creator.

#include <QWidget>
#include <filesystem>

#include "protocols/core/protocol_macro.hpp"
#include "shell/core/decimal.hpp"
#include "shell/core/print_page.hpp"

namespace mc::protocols::ui {

QWidget* createProtocolWindow(Variant variant, const std::filesystem::path& workingDirectory,
                              const NumberFormat& numberFormat, PrintServices printing = {});

}  // namespace mc::protocols::ui
