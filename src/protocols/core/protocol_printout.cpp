#include "protocols/core/protocol_printout.hpp"

#include "protocols/core/setting_page.hpp"
#include "shell/core/text.hpp"

namespace mc::protocols {
namespace {

// Values start in column 41 of the fixed-pitch body.
constexpr std::size_t CaptionWidth = 40;

void appendFields(PrintedPage& page, const ShownFields& fields) {
    for (const auto& [caption, value] : fields) page.push_back(padRight(caption, CaptionWidth) + value);
}

std::string title(const ProtocolMacro& macro, const std::string& what, int page) {
    return "Protocol " + macro.MacroTitle + " " + what + " (page " + std::to_string(page) + " of " +
           std::to_string(PrintoutPageCount) + ")";
}

}  // namespace

std::vector<ShownFields> printedProtocols(const ProtocolMacro& macro, Variant variant, const NumberFormat& format,
                                          ProtocolUnits unitsShown) {
    std::vector<ShownFields> protocols;
    for (int n = 1; n <= ProtocolCount; ++n) {
        const ProtocolPage page = shownProtocol(macro, n, variant, format);
        unitsShown = unitsOf(page).value_or(unitsShown);
        protocols.push_back(shownFields(page, n, variant, unitsShown));
    }
    return protocols;
}

std::vector<PrintedPage> protocolPrintout(const ProtocolMacro& macro, Variant variant, const NumberFormat& format,
                                          const std::string& date, const std::string& time,
                                          const ProtocolUnits& unitsShown) {
    std::vector<PrintedPage> pages{{title(macro, "Setting", 1)}};
    appendFields(pages.back(), shownFields(shownSettings(macro, variant), variant));
    pages.back().emplace_back();
    const auto protocols = printedProtocols(macro, variant, format, unitsShown);
    for (int n = 2; n <= PrintoutPageCount; ++n) {
        PrintedPage page{title(macro, "Protocols", n)};
        for (int protocol : {2 * n - 3, 2 * n - 2}) {
            appendFields(page, protocols[static_cast<std::size_t>(protocol - 1)]);
            page.insert(page.end(), 2, "");
        }
        pages.push_back(std::move(page));
    }
    const auto footer = signatureFooter(date, time);
    for (auto& page : pages) page.insert(page.end(), footer.begin(), footer.end());
    return pages;
}

}  // namespace mc::protocols
