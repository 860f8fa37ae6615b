#include "shell/core/hex.hpp"

namespace mc {
namespace {

std::string padLeft(std::string digits, int width) {
    if (static_cast<int>(digits.size()) < width)
        digits.insert(0, static_cast<std::size_t>(width) - digits.size(), '0');
    return digits;
}

std::string inBase(std::uint32_t value, std::uint32_t base) {
    static constexpr char digitChars[] = "0123456789ABCDEF";
    std::string digits;
    do {
        digits.insert(digits.begin(), digitChars[value % base]);
        value /= base;
    } while (value != 0);
    return digits;
}

}  // namespace

std::string toHex(std::uint32_t value, int width) { return padLeft(inBase(value, 16), width); }

std::string toDecimal(std::uint32_t value, int width) { return padLeft(inBase(value, 10), width); }

std::optional<std::uint32_t> parseHexField(std::string_view field) {
    if (field.empty() || field.size() > 8) return std::nullopt;
    std::uint32_t value = 0;
    for (char c : field) {
        std::uint32_t digit;
        if (c >= '0' && c <= '9') digit = static_cast<std::uint32_t>(c - '0');
        else if (c >= 'A' && c <= 'F') digit = static_cast<std::uint32_t>(c - 'A' + 10);
        else if (c >= 'a' && c <= 'f') digit = static_cast<std::uint32_t>(c - 'a' + 10);
        else return std::nullopt;
        value = value * 16 + digit;
    }
    return value;
}

std::optional<std::uint32_t> parseDecimalField(std::string_view field) {
    if (field.empty() || field.size() > 9) return std::nullopt;
    std::uint32_t value = 0;
    for (char c : field) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + static_cast<std::uint32_t>(c - '0');
    }
    return value;
}

}  // namespace mc
