#pragma once
// The two numeric text checks every editor carries. Which texts count as
// numbers is decided once, by Decimal::parse.

#include <string_view>

#include "shell/core/decimal.hpp"

namespace mc {

// Does the text convert to a signed 16-bit integer? A fraction is rounded to
// the nearest integer, ties to even, before the range -32768..32767 is judged.
bool ToIntegerVal(std::string_view x, const NumberFormat& format);

// Does the text convert to a single-precision number (magnitude within FLT_MAX)?
bool ToFloatVal(std::string_view x, const NumberFormat& format);

}  // namespace mc
