#include <gtest/gtest.h>

#include "shell/core/hex.hpp"
#include "shell/core/line_diff.hpp"
#include "shell/core/text.hpp"

namespace mc {
namespace {

using Lines = std::vector<std::string_view>;

TEST(Text, SplitsLinesAtEveryCommonEndingAndWritesCrLfAfterEach) {
    for (const auto& [bytes, lines] : {std::pair<std::string_view, Lines>{"a\r\nb\r\n", {"a", "b"}}, {"a\nb", {"a", "b"}},
                                       {"a\rb\r", {"a", "b"}}, {"a\r\n\r\nb", {"a", "", "b"}}, {"\r\r\r", {"", "", ""}},
                                       {"", {}}, {"a\n\rb", {"a", "", "b"}}})
        EXPECT_EQ(splitLines(bytes), lines) << bytes;
    EXPECT_EQ(joinCrLf({"a", "", "b"}), "a\r\n\r\nb\r\n");
    EXPECT_EQ(padRight("ab", 4) + "|" + padRight("abcdef", 4) + "|" + trimTrailingBlanks("  a b  "), "ab  |abcdef|  a b");
}

TEST(LineDiff, NamesEachLineWhereTwoTextsDiffer) {
    using K = LineDifference::Kind;
    const struct { const char* what; std::string_view first, second; std::vector<LineDifference> expected; } cases[] = {
        {"equal", "a\r\nb\r\n", "a\r\nb\r\n", {}},
        {"a changed line", "a\r\nx\r\nc\r\n", "a\r\nb\r\nc\r\n", {{K::Changed, 2, 2, "x", "b"}}},
        {"a line too many", "a\r\nx\r\nb\r\n", "a\r\nb\r\n", {{K::Extra, 2, 2, "x", ""}}},
        {"lines missing at the end", "a\r\n", "a\r\nb\r\nc\r\n",
         {{K::Missing, 2, 2, "", "b"}, {K::Missing, 2, 2, "", "c"}}},
        {"a run of other line ends", "a\nb\nc\r\n", "a\r\nb\r\nc\r\n", {{K::LineEnd, 1, 2, "LF", "CR LF"}}},
        {"no end on the last line", "a\r\nb", "a\r\nb\r\n", {{K::LineEnd, 2, 2, "no line end", "CR LF"}}},
        {"a lone CR", "a\rb\r\n", "a\r\nb\r\n", {{K::LineEnd, 1, 1, "CR", "CR LF"}}},
    };
    for (const auto& c : cases) EXPECT_EQ(differingLines(c.first, c.second), c.expected) << c.what;
}

TEST(LineDiff, TextsTooLargeToMatchAreComparedInPlace) {
    std::string many;
    for (int i = 0; i < 3000; ++i) many += "line\r\n";
    EXPECT_EQ(differingLines(many, "other\r\n" + many.substr(6)),
              (std::vector<LineDifference>{{LineDifference::Kind::Changed, 1, 1, "line", "other"}}));
}

TEST(Text, ConvertsLatin1FileNames) {
    EXPECT_EQ(latin1ToUtf8("M\xB5g"), "M\xC2\xB5g");
    // Overlong forms, surrogates and code points beyond U+10FFFF are no UTF-8:
    // each byte stands for itself, so "a" 0xC0 0xAF "b" can never read as "a/b".
    for (const auto& [utf8, latin1] : {std::pair<std::string, std::string>{"M\xC2\xB5g", "M\xB5g"},
                                       {"\xE2\x82\xAC", "?"},  // the euro sign has no Latin-1 byte
                                       {"\xF0\x9F\x98\x80", "?"}, {"a\xFF", "a\xFF"}, {"a\xC0\xAF" "b", "a\xC0\xAF" "b"},
                                       {"\xE0\x80\xAF", "\xE0\x80\xAF"}, {"\xED\xA0\x80", "\xED\xA0\x80"},
                                       {"\xF4\x90\x80\x80", "\xF4\x90\x80\x80"}, {"\xC3", "\xC3"}})
        EXPECT_EQ(utf8ToLatin1(utf8), latin1);
    for (int byte = 1; byte < 256; ++byte) {
        const std::string one(1, static_cast<char>(byte));
        EXPECT_EQ(utf8ToLatin1(latin1ToUtf8(one)), one);
    }
}

TEST(Hex, WritesPaddedUpperCaseNeverCutsAndReadsEitherCase) {
    EXPECT_EQ(toHex(0xE7, 2) + " " + toHex(5, 6) + " " + toHex(0x12345, 4), "E7 000005 12345");
    EXPECT_EQ(toDecimal(7, 4) + " " + toDecimal(100, 2), "0007 100");
    EXPECT_EQ(parseHexField("03e8"), 1000u);
    EXPECT_EQ(parseHexField("FFFF"), 65535u);
    for (const char* bad : {"", "0G", " 1", "1 ", "-1", "+1", "123456789"}) EXPECT_FALSE(parseHexField(bad)) << bad;
    EXPECT_EQ(parseDecimalField("0100"), 100u);
    for (const char* bad : {"", "1a", " 1", "+1", "-1"}) EXPECT_FALSE(parseDecimalField(bad)) << bad;
}

}  // namespace
}  // namespace mc
