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

std::string utf8ToLatin1(std::string_view utf8) {
    std::string out;
    std::size_t i = 0;
    auto byteAt = [&](std::size_t k) { return static_cast<unsigned char>(utf8[k]); };
    while (i < utf8.size()) {
        const unsigned lead = byteAt(i);
        // Well-formed sequences only: no overlong forms, no surrogates, nothing beyond U+10FFFF.
        std::size_t length = 0;
        unsigned low = 0x80, high = 0xBF;  // range of the second byte
        if (lead < 0x80) length = 1;
        else if (lead >= 0xC2 && lead <= 0xDF) length = 2;
        else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            if (lead == 0xE0) low = 0xA0;
            if (lead == 0xED) high = 0x9F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            if (lead == 0xF0) low = 0x90;
            if (lead == 0xF4) high = 0x8F;
        }
        bool wellFormed = length != 0 && i + length <= utf8.size();
        for (std::size_t k = 1; wellFormed && k < length; ++k) {
            const unsigned byte = byteAt(i + k);
            wellFormed = k == 1 ? byte >= low && byte <= high : (byte >> 6) == 0x2;
        }
        if (!wellFormed || length == 1) {
            out += utf8[i++];  // ASCII, or a byte that is no UTF-8: taken as Latin-1
        } else {
            const bool latin1 = length == 2 && lead <= 0xC3;
            out += latin1 ? static_cast<char>(((lead & 0x03) << 6) | (byteAt(i + 1) & 0x3F)) : '?';
            i += length;
        }
    }
    return out;
}

}  // namespace mc
