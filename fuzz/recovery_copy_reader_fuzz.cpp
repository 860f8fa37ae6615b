// Feeds arbitrary bytes to the reader of recovery copies. Besides crashes,
// hangs and sanitizer reports it checks that whatever the reader accepts is
// written back to the very same copy.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "shell/core/recovery_copy.hpp"

// A digest the fuzzer can satisfy (the program's is SHA-256, from Qt): the
// reader's handling of it is the same.
std::string lengthDigest(std::string_view bytes) { return std::to_string(bytes.size()); }

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto copy = mc::parseRecoveryCopy(text, lengthDigest);
    if (!copy) return 0;
    if (mc::parseRecoveryCopy(mc::recoveryCopyText(*copy, lengthDigest), lengthDigest) != copy) std::abort();
    return 0;
}
