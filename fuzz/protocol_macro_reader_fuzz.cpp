// Feeds arbitrary bytes to the pump command macro reader of both windows.
// Besides crashes and sanitizer reports it checks that whatever the reader
// takes saves to a file that reads back completely and saves again to the
// same bytes, so a reader and writer that disagree on a column are caught.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "protocols/core/macro_file.hpp"

namespace {

void check(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace mc::protocols;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    for (const Variant variant : {Variant::Rx, Variant::Kt}) {
        for (const char separator : {'.', ','}) {
            const mc::NumberFormat format{separator};
            const ReadMacro first = readProtocolMacro(bytes, variant, format);
            check(first.linesNotUnderstood >= 0);
            const std::string saved = writeProtocolMacro(first.macro, variant, first.macro.MacroTitle);
            const ReadMacro second = readProtocolMacro(saved, variant, format);
            check(second.linesNotUnderstood == 0);
            check(writeProtocolMacro(second.macro, variant, second.macro.MacroTitle) == saved);
        }
    }
    return 0;
}
