#include <algorithm>
#include <cctype>

#include "cli/core/dialect.hpp"
#include "protocols/core/protocol_review.hpp"
#include "druglib_dual/core/tm2_review.hpp"
#include "druglib_us/core/tv1_review.hpp"

namespace mc::cli {

std::vector<std::unique_ptr<Dialect>> dialectsFor(std::string_view extension) {
    std::string lower(extension);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    std::vector<std::unique_ptr<Dialect>> dialects;
    // Most particular first: where both read a file, the first is named.
    if (lower == ".tm2") {
        dialects.push_back(druglib::tm2Dialect(druglib::Release::R036));
        dialects.push_back(druglib::tm2Dialect(druglib::Release::R041));
    } else if (lower == ".tb2") {
        dialects.push_back(protocols::protocolDialect(protocols::Variant::Rx, protocols::PumpMode::None));
        dialects.push_back(protocols::protocolDialect(protocols::Variant::Kt, protocols::PumpMode::None));
    } else if (lower == ".tv9") {
        dialects.push_back(protocols::protocolDialect(protocols::Variant::Rx, protocols::PumpMode::Pca));
    } else if (lower == ".tv8") {
        dialects.push_back(protocols::protocolDialect(protocols::Variant::Rx, protocols::PumpMode::Epidural));
    } else if (lower == ".tv1") {
        dialects.push_back(druglib_us::tv1Dialect());
    }
    return dialects;
}

}  // namespace mc::cli
