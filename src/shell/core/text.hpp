#pragma once
// Byte-string helpers for the 8-bit (Latin-1) texts of macro and print files.

#include <string>
#include <string_view>
#include <vector>

namespace mc {

inline constexpr std::string_view CrLf = "\r\n";

// Appends blanks until `text` is `width` characters long; a longer text is kept whole.
std::string padRight(std::string text, std::size_t width);

std::string trimTrailingBlanks(std::string text);

// The lines of a file. A line ends at CR LF, at a lone CR or at a lone LF, so
// that files touched by other editors still read; the terminators are dropped
// and a last line without terminator counts.
std::vector<std::string_view> splitLines(std::string_view bytes);

// Every line followed by CR LF, as all files of the program are written.
std::string joinCrLf(const std::vector<std::string>& lines);

// The length of the well-formed UTF-8 sequence that starts at `at`, with its
// code point; 0 where none does (overlong forms, surrogates and anything
// beyond U+10FFFF are not well-formed).
std::size_t utf8Sequence(std::string_view bytes, std::size_t at, char32_t& codePoint);

// The program's texts are Latin-1 bytes; file names on disk may be UTF-8.
std::string latin1ToUtf8(std::string_view latin1);
// Characters beyond Latin-1 become '?'; bytes that are not well-formed UTF-8 (overlong
// forms and surrogates included) are taken as Latin-1 one by one.
std::string utf8ToLatin1(std::string_view utf8);

}  // namespace mc
