// Feeds arbitrary bytes to the ".tv1" reader. Besides crashes, hangs and
// sanitizer reports it checks that whatever the reader accepts survives a
// save and a second read unchanged, and that it never counts past 128 entries.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "druglib_us/core/tv1_file.hpp"

namespace {

void check(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace mc::druglib_us;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const Tv1Read read = readTv1(bytes);
    check(read.library.DrugCount >= 0 && read.library.DrugCount <= MaxDrugCount);
    check(read.library.Drug[MaxDrugCount + 1] == DrugEntry{});
    if (!read.accepted) return 0;
    const Tv1Read again = readTv1(writeTv1(read.library, "fuzz"));
    check(again.accepted);
    check(again.library == read.library);
    return 0;
}
