#include "shell/core/decimal.hpp"

#include <charconv>
#include <limits>

namespace mc {

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

}  // namespace mc
