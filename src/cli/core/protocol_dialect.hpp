#pragma once
// The pump command macro of the protocol-and-settings editors (".tb2",
// ".tv9", ".tv8"), as RX_Macro_Creator and Macro_Creator read it.

#include <memory>

#include "cli/core/dialect.hpp"
#include "protocols/core/protocol_macro.hpp"

namespace mc::cli {

std::unique_ptr<Dialect> protocolDialect(protocols::Variant variant);

}  // namespace mc::cli
