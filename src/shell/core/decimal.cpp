#include "shell/core/decimal.hpp"

#include <charconv>
#include <algorithm>
#include <limits>
#include <stdexcept>
#include <vector>

namespace mc {
namespace {

std::string withoutLeadingZeros(std::string digits) {
    const auto first = digits.find_first_not_of('0');
    digits.erase(0, first == std::string::npos ? digits.size() : first);
    return digits;
}

// Compares two digit strings without leading zeros as whole numbers.
int compareMagnitude(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
    const int order = a.compare(b);
    return order < 0 ? -1 : (order > 0 ? 1 : 0);
}

struct LongDivision {
    std::string quotient;  // digits, leading zeros dropped
    bool exact;
};

// round(numerator x 10^shift / divisor) half to even, numerator a digit string
// and divisor above zero. With a negative shift the last -shift digits of the
// numerator become the fraction that decides the rounding.
LongDivision divideRounded(std::string numerator, int shift, std::uint64_t divisor) {
    std::string tail;
    if (shift >= 0) {
        numerator.append(static_cast<std::size_t>(shift), '0');
    } else {
        const auto k = static_cast<std::size_t>(-shift);
        if (numerator.size() <= k) numerator.insert(0, k - numerator.size() + 1, '0');
        tail = numerator.substr(numerator.size() - k);
        numerator.erase(numerator.size() - k);
    }
    std::string quotient;
    std::uint64_t remainder = 0;
    for (char c : numerator) {
        remainder = remainder * 10 + static_cast<std::uint64_t>(c - '0');
        quotient += static_cast<char>('0' + remainder / divisor);
        remainder %= divisor;
    }
    // The dropped part, as digits of the fraction and what is left after them.
    std::string fraction;
    for (char c : tail) {
        remainder = remainder * 10 + static_cast<std::uint64_t>(c - '0');
        fraction += static_cast<char>('0' + remainder / divisor);
        remainder %= divisor;
    }
    bool above = false, half = false, exact = remainder == 0;
    if (tail.empty()) {
        above = 2 * remainder > divisor;
        half = 2 * remainder == divisor;
    } else {
        const bool restZero = remainder == 0 && fraction.find_first_not_of('0', 1) == std::string::npos;
        exact = fraction.find_first_not_of('0') == std::string::npos && remainder == 0;
        above = fraction[0] > '5' || (fraction[0] == '5' && !restZero);
        half = fraction[0] == '5' && restZero;
    }
    quotient = withoutLeadingZeros(quotient);
    const bool odd = !quotient.empty() && (quotient.back() - '0') % 2 == 1;
    if (above || (half && odd)) {
        // Add one to the digit string.
        std::size_t i = quotient.size();
        while (i > 0 && quotient[i - 1] == '9') quotient[--i] = '0';
        if (i == 0) quotient.insert(0, 1, '1');
        else ++quotient[i - 1];
    }
    return {quotient, exact};
}

}  // namespace

Decimal::Decimal(bool negative, std::string digits, int fractionDigits)
    : negative_(negative), digits_(std::move(digits)), fractionDigits_(fractionDigits) {}

std::optional<Decimal> Decimal::parse(std::string_view text, const NumberFormat& format) {
    std::size_t i = 0;
    const std::size_t n = text.size();
    auto skipBlanks = [&] {
        while (i < n && (text[i] == ' ' || text[i] == '\t')) ++i;
    };
    skipBlanks();
    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    std::string digits;
    int fractionDigits = 0;
    bool separatorSeen = false;
    for (; i < n; ++i) {
        const char c = text[i];
        if (c >= '0' && c <= '9') {
            digits += c;
            if (separatorSeen) ++fractionDigits;
        } else if (!separatorSeen && (c == '.' || c == format.decimalSeparator)) {
            separatorSeen = true;
        } else {
            break;
        }
    }
    skipBlanks();
    if (i != n || digits.empty()) return std::nullopt;
    const auto firstSignificant = digits.find_first_not_of('0');
    digits.erase(0, firstSignificant == std::string::npos ? digits.size() : firstSignificant);
    return Decimal(negative, std::move(digits), fractionDigits);
}

bool Decimal::isNegative() const {
    return negative_ && digits_.find_first_not_of('0') != std::string::npos;
}

bool Decimal::isWholeAt(int scale) const {
    if (fractionDigits_ <= scale) return true;
    const auto dropped = static_cast<std::size_t>(fractionDigits_ - scale);
    const std::size_t keep = digits_.size() > dropped ? digits_.size() - dropped : 0;
    return digits_.find_first_not_of('0', keep) == std::string::npos;
}

std::int64_t Decimal::roundedAt(int scale) const {
    // Split digits_ x 10^(scale - fractionDigits_) into a whole part and the
    // dropped tail, then round the whole part half to even.
    std::string whole = digits_;
    std::string tail;
    if (fractionDigits_ <= scale) {
        whole.append(static_cast<std::size_t>(scale - fractionDigits_), '0');
    } else {
        const auto dropped = static_cast<std::size_t>(fractionDigits_ - scale);
        if (dropped >= whole.size()) {
            tail = std::string(dropped - whole.size(), '0') + whole;
            whole.clear();
        } else {
            tail = whole.substr(whole.size() - dropped);
            whole.erase(whole.size() - dropped);
        }
    }
    const auto firstSignificant = whole.find_first_not_of('0');
    whole.erase(0, firstSignificant == std::string::npos ? whole.size() : firstSignificant);

    constexpr auto maximum = std::numeric_limits<std::int64_t>::max();
    if (whole.size() > 18) return negative_ ? -maximum : maximum;
    std::int64_t magnitude = 0;
    for (char c : whole) magnitude = magnitude * 10 + (c - '0');

    if (!tail.empty()) {
        const bool aboveHalf = tail[0] > '5' ||
                               (tail[0] == '5' && tail.find_first_not_of('0', 1) != std::string::npos);
        const bool exactlyHalf = tail[0] == '5' && !aboveHalf;
        if (aboveHalf || (exactlyHalf && magnitude % 2 == 1)) ++magnitude;
    }
    return negative_ ? -magnitude : magnitude;
}

double Decimal::toDouble() const {
    std::string text = digits_.empty() ? "0" : digits_;
    if (fractionDigits_ > 0) {
        if (static_cast<int>(text.size()) <= fractionDigits_)
            text.insert(0, static_cast<std::size_t>(fractionDigits_) - text.size() + 1, '0');
        text.insert(text.size() - static_cast<std::size_t>(fractionDigits_), 1, '.');
    }
    double value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec == std::errc::result_out_of_range) value = std::numeric_limits<double>::infinity();
    return negative_ ? -value : value;
}

std::string Decimal::shortestText(std::int64_t units, int scale) {
    const bool negative = units < 0;
    std::string digits = std::to_string(negative ? -static_cast<std::uint64_t>(units)
                                                 : static_cast<std::uint64_t>(units));
    if (scale > 0) {
        const auto width = static_cast<std::size_t>(scale);
        if (digits.size() <= width) digits.insert(0, width - digits.size() + 1, '0');
        digits.insert(digits.size() - width, 1, '.');
        while (digits.back() == '0') digits.pop_back();
        if (digits.back() == '.') digits.pop_back();
    }
    return negative ? "-" + digits : digits;
}

Decimal Decimal::of(std::string_view text) {
    auto value = parse(text, NumberFormat{});
    if (!value) throw std::invalid_argument("not a number: " + std::string(text));
    return *value;
}

int Decimal::compare(const Decimal& other) const {
    const bool negative = isNegative(), otherNegative = other.isNegative();
    if (negative != otherNegative) return negative ? -1 : 1;
    const int scale = std::max(fractionDigits_, other.fractionDigits_);
    const std::string a = withoutLeadingZeros(digits_ + std::string(static_cast<std::size_t>(scale - fractionDigits_), '0'));
    const std::string b =
        withoutLeadingZeros(other.digits_ + std::string(static_cast<std::size_t>(scale - other.fractionDigits_), '0'));
    const int magnitude = compareMagnitude(a, b);
    return negative ? -magnitude : magnitude;
}

Decimal Decimal::times(const Decimal& other) const {
    std::vector<unsigned> sums(digits_.size() + other.digits_.size() + 1, 0);
    for (std::size_t i = 0; i < digits_.size(); ++i)
        for (std::size_t j = 0; j < other.digits_.size(); ++j)
            sums[i + j + 1] += static_cast<unsigned>((digits_[i] - '0') * (other.digits_[j] - '0'));
    // sums[k] weighs 10^(size - 1 - k); carry from the right.
    for (std::size_t k = sums.size(); k-- > 1;) {
        sums[k - 1] += sums[k] / 10;
        sums[k] %= 10;
    }
    std::string digits;
    for (unsigned d : sums) digits += static_cast<char>('0' + d);
    // sums has one more place than the product needs; its first slot holds the top carry.
    digits.pop_back();
    return Decimal(negative_ != other.negative_, withoutLeadingZeros(digits),
                   fractionDigits_ + other.fractionDigits_);
}

std::optional<Decimal::Quotient> Decimal::dividedBy(const Decimal& divisor, int scale) const {
    // divisor = D / 10^q with D whole; this / divisor x 10^scale = A x 10^(scale + q - p) / D.
    std::string d = divisor.digits_;
    int q = divisor.fractionDigits_;
    while (q > 0 && !d.empty() && d.back() == '0') {
        d.pop_back();
        --q;
    }
    d = withoutLeadingZeros(d);
    if (d.empty() || d.size() > 17) return std::nullopt;
    const std::uint64_t D = std::stoull(d);
    const LongDivision result = divideRounded(digits_.empty() ? "0" : digits_, scale + q - fractionDigits_, D);
    return Quotient{Decimal(negative_ != divisor.negative_, result.quotient, scale), result.exact};
}

std::string Decimal::text(int decimals, const NumberFormat& format) const {
    const LongDivision rounded = divideRounded(digits_.empty() ? "0" : digits_, decimals - fractionDigits_, 1);
    std::string digits = rounded.quotient;
    const auto width = static_cast<std::size_t>(std::max(decimals, 0));
    if (digits.size() <= width) digits.insert(0, width - digits.size() + 1, '0');
    if (decimals > 0) digits.insert(digits.size() - width, 1, format.decimalSeparator);
    const bool negative = negative_ && rounded.quotient.find_first_not_of('0') != std::string::npos;
    return negative ? "-" + digits : digits;
}

std::string Decimal::exactText(int minDecimals, const NumberFormat& format) const {
    // The decimals the value needs: its fraction without trailing zeros.
    int needed = fractionDigits_;
    std::size_t end = digits_.size();
    while (needed > 0 && end > 0 && digits_[end - 1] == '0') {
        --end;
        --needed;
    }
    if (end == 0) needed = 0;
    return text(std::max({minDecimals, needed, 0}), format);
}

}  // namespace mc
