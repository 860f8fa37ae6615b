#include "shell/core/number_text.hpp"

#include <cmath>
#include <limits>

namespace mc {

bool ToIntegerVal(std::string_view x, const NumberFormat& format) {
    const auto value = Decimal::parse(x, format);
    if (!value) return false;
    const auto rounded = value->roundedAt(0);
    return rounded >= std::numeric_limits<std::int16_t>::min() &&
           rounded <= std::numeric_limits<std::int16_t>::max();
}

bool ToFloatVal(std::string_view x, const NumberFormat& format) {
    const auto value = Decimal::parse(x, format);
    if (!value) return false;
    return std::fabs(value->toDouble()) <= static_cast<double>(std::numeric_limits<float>::max());
}

}  // namespace mc
