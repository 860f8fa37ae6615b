#pragma once
// The pump command macro (".tb2", ".tv9", ".tv8") as RX_Macro_Creator and
// Macro_Creator review it, in a pump mode: lines the reader does not
// understand, what Save would write, the setting page's and every protocol's
// "OK", the entries a comparison lists and the 14-page printout. The pump mode
// of a file is the one its extension names (".tv9" PCA, ".tv8" EPIDURAL),
// none for ".tb2", which the pump takes in either mode.

#include <memory>

#include "protocols/core/protocol_macro.hpp"
#include "protocols/core/setting_page.hpp"
#include "shell/core/decimal.hpp"
#include "shell/core/review.hpp"

namespace mc::protocols {

// `format` is the regional number format the typed values are judged in.
std::unique_ptr<Dialect> protocolDialect(Variant variant, PumpMode mode, const NumberFormat& format = {});

}  // namespace mc::protocols
