#pragma once
// The windows of the protocol-and-settings editors, RX_Macro_Creator and Macro_Creator.

#include <QWidget>
#include <filesystem>
#include <memory>

#include "protocols/core/protocol_macro.hpp"
#include "shell/core/decimal.hpp"
#include "shell/core/print_page.hpp"

namespace mc::protocols {
class ProtocolEditor;
}

namespace mc::protocols::ui {

QWidget* createProtocolWindow(Variant variant, const std::filesystem::path& workingDirectory,
                              const NumberFormat& numberFormat, PrintServices printing = {});
// The window of an editor model built by the caller.
QWidget* createProtocolWindow(std::unique_ptr<ProtocolEditor> model);

}  // namespace mc::protocols::ui
