#pragma once
// The SHA-256 of bytes, as the command-line program's check prints it: the
// digest a recovery copy carries and a printed page's footer names.

#include <string>
#include <string_view>

namespace mc::ui {

// 64 lower-case hexadecimal digits.
std::string sha256Hex(std::string_view bytes);

}  // namespace mc::ui
