#pragma once
// Typed numbers are judged on their decimal text exactly. A binary double would
// turn 1.001 x 1000 into 1000.9999999999999 and refuse a valid limit, so the
// limits are scaled and rounded here on the digits themselves.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace mc {

// The regional number format of the user, taken from the system by the shell
// and handed to the core; the core never reads a global locale.
struct NumberFormat {
    char decimalSeparator = '.';
};

class Decimal {
public:
    // The texts that count as numbers: optional blanks, an optional sign ('+'
    // or '-'), digits with at most one decimal separator, optional blanks. The
    // separator is '.' or the regional one. At least one digit is needed;
    // there is no exponent and no digit grouping.
    static std::optional<Decimal> parse(std::string_view text, const NumberFormat& format);

    // True when the value is below zero ("-0" is not).
    bool isNegative() const;

    // True when value x 10^scale is a whole number ("1.0010" at scale 3).
    bool isWholeAt(int scale) const;

    // round(value x 10^scale), ties to even; saturates at the int64 range.
    std::int64_t roundedAt(int scale) const;

    // The nearest double, for range checks of single-precision conversions.
    double toDouble() const;

    // The shortest decimal text of units / 10^scale: "0", "0.5", "12.25", "2500".
    static std::string shortestText(std::int64_t units, int scale);

private:
    Decimal(bool negative, std::string digits, int fractionDigits);

    bool negative_;
    std::string digits_;  // integer and fraction digits, without leading zeros
    int fractionDigits_;  // how many of digits_ stand after the separator
};

}  // namespace mc
