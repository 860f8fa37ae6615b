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

    // ---- exact arithmetic on the digits ----------------------------------------
    // A constant of the program, written with '.'; it must be a number.
    static Decimal of(std::string_view text);

    // -1, 0 or 1 as this value is below, equal to or above `other`.
    int compare(const Decimal& other) const;
    bool operator<(const Decimal& other) const { return compare(other) < 0; }
    bool operator>(const Decimal& other) const { return compare(other) > 0; }
    bool operator==(const Decimal& other) const { return compare(other) == 0; }

    // The exact product.
    Decimal times(const Decimal& other) const;

    // this / divisor rounded half to even to `scale` decimals, and whether no
    // digit was lost. Nothing when the divisor is zero or has more than 17
    // significant digits.
    struct Quotient;
    std::optional<Quotient> dividedBy(const Decimal& divisor, int scale) const;

    // The value rounded half to even to exactly `decimals` decimals, with a
    // leading zero ("0.50", "-3", "12,250" in a comma format).
    std::string text(int decimals, const NumberFormat& format) const;
    // The value exactly, with at least `minDecimals` decimals ("3.0", "0.03").
    std::string exactText(int minDecimals, const NumberFormat& format) const;

private:
    Decimal(bool negative, std::string digits, int fractionDigits);

    bool negative_;
    std::string digits_;  // integer and fraction digits, without leading zeros
    int fractionDigits_;  // how many of digits_ stand after the separator
};

struct Decimal::Quotient {
    Decimal rounded;
    bool exact;
};

}  // namespace mc
