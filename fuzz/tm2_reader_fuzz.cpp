// Feeds arbitrary bytes to both ".tm2" readers. Besides crashes and sanitizer
// reports it checks that whatever a reader accepts survives a save and a
// second read unchanged, so a reader and writer that disagree on a column are
// caught as well.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "druglib_dual/core/tm2_file.hpp"

namespace {

using mc::druglib::DrugLibrary;

std::string padded(std::string text, std::size_t width) {
    if (text.size() < width) text.append(width - text.size(), ' ');
    return text;
}

// A library as it reads back from a file: every text at its full field width.
DrugLibrary withFieldWidths(DrugLibrary library, std::size_t drugNameWidth, bool hasLibraryName) {
    using namespace mc::druglib;
    for (int d = 1; d <= DepartmentCount; ++d)
        library.DepartmentNames[d] = padded(library.DepartmentNames[d], DepartmentNameWidth);
    for (int n = 1; n <= DrugCount; ++n) library.DrugNames[n] = padded(library.DrugNames[n], drugNameWidth);
    library.LibraryName = hasLibraryName ? padded(library.LibraryName, LibraryNameWidth) : "";
    return library;
}

void check(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace mc::druglib;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    const DrugLibrary read041 = readTm2Release041(bytes);
    const DrugLibrary again041 = readTm2Release041(writeTm2Release041(read041, read041.LibraryName));
    check(again041 == withFieldWidths(read041, DrugNameWidth041, true));

    const DrugLibrary read036 = readTm2Release036(bytes);
    const DrugLibrary again036 = readTm2Release041(writeTm2Release041(read036, ""));
    check(again036 == withFieldWidths(read036, DrugNameWidth041, true));
    check(readTm2Release036(writeTm2Release036(read036)) == withFieldWidths(read036, DrugNameWidth036, false));
    return 0;
}
