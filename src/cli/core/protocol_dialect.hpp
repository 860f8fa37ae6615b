#pragma once
// The pump command macro of the protocol-and-settings editors (".tb2",
// ".tv9", ".tv8"), as RX_Macro_Creator and Macro_Creator read it. The pump
// mode is the one the file's extension names (".tv9" PCA, ".tv8" EPIDURAL),
// none for ".tb2".

#include <memory>

#include "cli/core/dialect.hpp"
#include "protocols/core/protocol_macro.hpp"
#include "protocols/core/setting_page.hpp"

namespace mc::cli {

std::unique_ptr<Dialect> protocolDialect(protocols::Variant variant, protocols::PumpMode mode);

}  // namespace mc::cli
