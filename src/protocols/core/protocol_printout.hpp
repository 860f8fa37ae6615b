#pragma once
// The printout of a pump command macro, as the text of each of its 14 pages:
// page 1 the pump settings as the "Pump Setting" page shows them, pages 2 to
// 14 two protocols each as the "Protocol Data" page shows them.

#include <string>
#include <utility>
#include <vector>

#include "protocols/core/protocol_page.hpp"
#include "shell/core/print_page.hpp"

namespace mc::protocols {

inline constexpr int PrintoutPageCount = 14;

using ShownFields = std::vector<std::pair<std::string, std::string>>;

// Protocols 1 to 26 as the printout shows them, one after the other on the
// protocol page. A protocol without a concentration unit leaves the unit
// labels as the protocol before it left them; the first finds `unitsShown`.
std::vector<ShownFields> printedProtocols(const ProtocolMacro& macro, Variant variant, const NumberFormat& format,
                                          ProtocolUnits unitsShown = firstProtocolUnits());

// The 14 pages, each ending with the footer of `date` and `time`, titled by
// the macro's name.
std::vector<PrintedPage> protocolPrintout(const ProtocolMacro& macro, Variant variant, const NumberFormat& format,
                                          const std::string& date, const std::string& time,
                                          const ProtocolUnits& unitsShown = firstProtocolUnits());

}  // namespace mc::protocols
