#include "druglib_dual/core/limit_codes.hpp"

#include <algorithm>

#include "shell/core/decimal.hpp"

namespace mc::druglib {
namespace {

constexpr std::int64_t LargestCode = 0xFFFF;

// round(value / divisor) with ties to even, for value >= 0.
std::int64_t divideRoundingToEven(std::int64_t value, std::int64_t divisor) {
    const std::int64_t quotient = value / divisor;
    const std::int64_t twiceRemainder = 2 * (value % divisor);
    if (twiceRemainder > divisor || (twiceRemainder == divisor && quotient % 2 != 0))
        return quotient + 1;
    return quotient;
}

}  // namespace

std::uint32_t encodeLimitCode(std::int64_t thousandths) {
    const std::int64_t v = std::max<std::int64_t>(thousandths, 0);
    std::int64_t code;
    if (v <= 10000) code = v;
    else if (v <= 100000) code = divideRoundingToEven(v, 10) + 9000;
    else if (v <= 1000000) code = divideRoundingToEven(v, 100) + 18000;
    else code = divideRoundingToEven(v, 1000) + 27000;
    return static_cast<std::uint32_t>(std::min(code, LargestCode));
}

std::int64_t limitCodeThousandths(std::uint32_t code) {
    const auto c = static_cast<std::int64_t>(code);
    if (c <= 10000) return c;
    if (c <= 19000) return (c - 9000) * 10;
    if (c <= 28000) return (c - 18000) * 100;
    return (c - 27000) * 1000;
}

std::string limitCodeText(std::uint32_t code) {
    return Decimal::shortestText(limitCodeThousandths(code), 3);
}

std::string hundredthsText(std::uint32_t code) { return Decimal::shortestText(code, 2); }

}  // namespace mc::druglib
