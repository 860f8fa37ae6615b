#include "shell/core/text.hpp"

namespace mc {

std::string padRight(std::string text, std::size_t width) {
    if (text.size() < width) text.append(width - text.size(), ' ');
    return text;
}

std::string trimTrailingBlanks(std::string text) {
    while (!text.empty() && text.back() == ' ') text.pop_back();
    return text;
}

std::vector<std::string_view> splitLines(std::string_view bytes) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    std::size_t i = 0;
    while (i < bytes.size()) {
        const char c = bytes[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(bytes.substr(start, i - start));
            i += (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ? 2u : 1u;
            start = i;
        } else {
            ++i;
        }
    }
    if (start < bytes.size()) lines.push_back(bytes.substr(start));
    return lines;
}

std::string joinCrLf(const std::vector<std::string>& lines) {
    std::string out;
    for (const auto& line : lines) {
        out += line;
        out += CrLf;
    }
    return out;
}

std::string latin1ToUtf8(std::string_view latin1) {
    std::string out;
    for (char c : latin1) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            out += c;
        } else {
            out += static_cast<char>(0xC0 | (byte >> 6));
            out += static_cast<char>(0x80 | (byte & 0x3F));
        }
    }
    return out;
}

std::size_t utf8Sequence(std::string_view bytes, std::size_t at, char32_t& codePoint) {
    const auto byteAt = [&](std::size_t k) { return static_cast<unsigned char>(bytes[k]); };
    const unsigned char lead = byteAt(at);
    if (lead < 0x80) {
        codePoint = lead;
        return 1;
    }
    std::size_t length = 0;
    char32_t minimum = 0;
    if (lead >= 0xC2 && lead <= 0xDF) length = 2, minimum = 0x80, codePoint = lead & 0x1Fu;
    else if (lead >= 0xE0 && lead <= 0xEF) length = 3, minimum = 0x800, codePoint = lead & 0x0Fu;
    else if (lead >= 0xF0 && lead <= 0xF4) length = 4, minimum = 0x10000, codePoint = lead & 0x07u;
    else return 0;
    if (at + length > bytes.size()) return 0;
    for (std::size_t k = 1; k < length; ++k) {
        if ((byteAt(at + k) & 0xC0u) != 0x80u) return 0;
        codePoint = (codePoint << 6) | (byteAt(at + k) & 0x3Fu);
    }
    if (codePoint < minimum || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF)) return 0;
    return length;
}

std::string utf8ToLatin1(std::string_view utf8) {
    std::string out;
    for (std::size_t i = 0; i < utf8.size();) {
        char32_t codePoint = 0;
        const std::size_t length = utf8Sequence(utf8, i, codePoint);
        if (length == 0) {
            out += utf8[i++];  // a byte that is no UTF-8: taken as Latin-1
        } else {
            out += codePoint <= 0xFF ? static_cast<char>(codePoint) : '?';
            i += length;
        }
    }
    return out;
}

}  // namespace mc
