#pragma once
// The printout of a pump command macro, as the text of each of its 14 pages:
// page 1 the pump settings as the "Pump Setting" page shows them, pages 2 to
// 14 two protocols each as the "Protocol Data" page shows them. Every value
// is read off the page's controls, so the printout says what the pages say.

#include <functional>
#include <string>
#include <vector>

#include "protocols/core/protocol_macro.hpp"
#include "shell/core/form.hpp"

namespace mc::protocols {

using PrintedPage = std::vector<std::string>;  // title first, then the body and footer

inline constexpr int PrintoutPageCount = 14;

// The "Pump Setting" page, filled from the macro.
using ShowSettings = std::function<const Form&()>;
// The "Protocol Data" page, showing protocol n (1..26). The form may be the
// same object each time; it is read before the next protocol is shown.
using ShowProtocol = std::function<const Form&(int protocol)>;

std::vector<PrintedPage> protocolPrintout(Variant variant, const std::string& macroTitle,
                                          const ShowSettings& showSettings, const ShowProtocol& showProtocol,
                                          const std::string& date, const std::string& time);

}  // namespace mc::protocols
