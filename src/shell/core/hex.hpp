#pragma once
// Hexadecimal and decimal fields of the fixed-width macro lines.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace mc {

// Upper-case hex, left-padded with '0' to `width`; a longer number is never cut.
std::string toHex(std::uint32_t value, int width);

// Decimal digits, left-padded with '0' to `width`; never cut.
std::string toDecimal(std::uint32_t value, int width);

// A field of hex digits (either case, nothing else, not empty). Values beyond
// 32 bits do not parse.
std::optional<std::uint32_t> parseHexField(std::string_view field);

// A field of decimal digits only (not empty, at most 9 digits).
std::optional<std::uint32_t> parseDecimalField(std::string_view field);

}  // namespace mc
