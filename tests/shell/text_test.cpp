// Texts: lines, Latin-1, hex and decimal fields, and the exact decimal numbers.
#include <gtest/gtest.h>

#include "shell/core/decimal.hpp"
#include "shell/core/hex.hpp"
#include "shell/core/line_diff.hpp"
#include "shell/core/number_text.hpp"
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

// Up to 2000 x 2000 line pairs the lines are matched; past that they are compared in place.
TEST(LineDiff, TextsTooLargeToMatchAreComparedInPlace) {
    using K = LineDifference::Kind;
    std::string lines;
    for (int i = 0; i < 1998; ++i) lines += "line\r\n";
    EXPECT_EQ(differingLines("x\r\n" + lines, lines + "line\r\n"),
              (std::vector<LineDifference>{{K::Extra, 1, 1, "x", ""}, {K::Missing, 2000, 2000, "", "line"}}));
    EXPECT_EQ(differingLines("x\r\n" + lines + "line\r\n", lines + "line\r\nline\r\n"),
              (std::vector<LineDifference>{{K::Changed, 1, 1, "x", "line"}}));
}

TEST(Text, ConvertsLatin1FileNames) {
    EXPECT_EQ(latin1ToUtf8("M\x7F\x80\xB5g"), "M\x7F\xC2\x80\xC2\xB5g");
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

const NumberFormat point{'.'}, comma{','};

TEST(Decimal, AcceptsOnlyPlainDecimalTextsWithThePointOrTheRegionalSeparator) {
    struct Case { const char* text; bool number; };
    for (const Case& c : {Case{"12", true}, {" 12 ", true}, {"+1.5", true}, {"-0.25", true}, {".5", true},
                          {"5.", true}, {"0012", true}, {"", false}, {" ", false}, {"-", false}, {".", false},
                          {"abc", false}, {"1.2.3", false}, {"1 2", false}, {"1e3", false}, {"--1", false},
                          {"1,000.5", false}, {"0x10", false}})
        EXPECT_EQ(Decimal::parse(c.text, point).has_value(), c.number) << '"' << c.text << '"';
    // The regional separator is taken beside the point, never both.
    EXPECT_EQ(Decimal::parse("1,5", comma), Decimal::of("1.5"));
    EXPECT_EQ(Decimal::parse("1.5", comma), Decimal::of("1.5"));
    EXPECT_FALSE(Decimal::parse("1,5", point) || Decimal::parse("1,5.0", comma));
}

TEST(Decimal, ScalesExactlyWhereADoubleWouldNot) {
    struct Case { const char* text; int scale; bool whole; std::int64_t rounded; };
    for (const Case& c : {Case{"1.001", 3, true, 1001}, {"1.0010", 3, true, 1001}, {"1.0005", 3, false, 1000},
                          {"1.0015", 3, false, 1002}, {"0.0025", 3, false, 2}, {"0.0035", 3, false, 4},
                          {"0.00251", 3, false, 3}, {"99.99", 3, true, 99990}, {"2500", 3, true, 2500000},
                          {"0.07", 2, true, 7}, {"1.10", 2, true, 110}, {"1.005", 2, false, 100},
                          {"655.35", 2, true, 65535}, {"-0.5", 0, false, 0}, {"-1.5", 0, false, -2},
                          {"2.5", 0, false, 2}, {"3.5", 0, false, 4}, {"12.4", 0, false, 12},
                          {"0.0000", 2, true, 0}, {".5", 0, false, 0},
                          // huge values saturate instead of wrapping
                          {"123456789012345678901234567890", 3, true, std::numeric_limits<std::int64_t>::max()},
                          {"-99999999999999999999", 0, true, -std::numeric_limits<std::int64_t>::max()}}) {
        const auto value = Decimal::parse(c.text, point);
        ASSERT_TRUE(value) << c.text;
        EXPECT_EQ(value->isWholeAt(c.scale), c.whole) << c.text;
        EXPECT_EQ(value->roundedAt(c.scale), c.rounded) << c.text;
    }
}

TEST(Decimal, ShortestTextDropsTrailingZeros) {
    struct Case { std::int64_t units; int scale; const char* text; };
    for (const Case& c : {Case{0, 3, "0"}, {500, 3, "0.5"}, {12250, 3, "12.25"}, {150000, 3, "150"},
                          {2500000, 3, "2500"}, {1, 3, "0.001"}, {65535, 2, "655.35"}, {40000, 2, "400"},
                          {-150, 2, "-1.5"}, {7, 0, "7"}})
        EXPECT_EQ(Decimal::shortestText(c.units, c.scale), c.text);
}

// ToIntegerVal rounds to the nearest integer, ties to even, and judges the 16-bit range; ToFloatVal the float range.
TEST(NumberText, ChecksFollowTheRangesOfTheirTypes) {
    struct Case { const char* text; bool integer, single; };
    for (const Case& c : {Case{"12", true, true}, {"  12  ", true, true}, {"12.4", true, true}, {"", false, false},
                          {"abc", false, false}, {"40000", false, true}, {"32767", true, true}, {"32767.5", false, true},
                          {"32766.5", true, true}, {"-32768", true, true}, {"-32768.5", true, true},
                          {"-32769", false, true}, {"-32768.6", false, true}, {"-3.25", true, true},
                          {"340000000000000000000000000000000000000", false, true},
                          {"-350000000000000000000000000000000000000", false, false}}) {
        EXPECT_EQ(ToIntegerVal(c.text, point), c.integer) << '"' << c.text << '"';
        EXPECT_EQ(ToFloatVal(c.text, point), c.single) << '"' << c.text << '"';
    }
    EXPECT_TRUE(ToIntegerVal("12,4", comma) && ToFloatVal("0,5", comma));
    EXPECT_FALSE(ToIntegerVal("12,4", point) || ToFloatVal("0,5", point));
}

Decimal number(const char* text) { return *Decimal::parse(text, point); }

TEST(Decimal, ComparesExactlyAndKnowsItsSign) {
    struct Case { const char* a; const char* b; int order; };
    for (const Case& c : {Case{"1", "1.000", 0}, {"0.3", "0.30001", -1}, {"65.565", "65.5650", 0}, {"-0", "0", 0},
                          {"-1", "0.5", -1}, {"-1.5", "-1.25", -1}, {"100", "99.999", 1}, {"007", "7", 0},
                          {".5", "0.5", 0}, {"1000", "999.9", 1}}) {
        EXPECT_EQ(number(c.a).compare(number(c.b)), c.order) << c.a << " vs " << c.b;
        EXPECT_EQ(number(c.b).compare(number(c.a)), -c.order) << c.b << " vs " << c.a;
    }
    EXPECT_TRUE(number("-0.001").isNegative());
    EXPECT_FALSE(number("-0").isNegative() || number("-0.000").isNegative() || number("+3").isNegative());
}

TEST(Decimal, MultipliesExactly) {
    struct Case { const char* a; const char* b; const char* product; };
    for (const Case& c : {Case{"65.565", "2.5", "163.9125"}, {"0.1", "0.3", "0.03"}, {"1.5", "2", "3"},
                          {"-0.255", "12", "-3.06"}, {"0", "7.5", "0"}, {"999", "999", "998001"},
                          {"0.001", "0.001", "0.000001"}})
        EXPECT_EQ(number(c.a).times(number(c.b)), number(c.product)) << c.a << " x " << c.b;
}

TEST(Decimal, DividesExactlyAndRoundsHalfToEven) {
    struct Case { const char* a; const char* b; int scale; const char* rounded; bool exact; };
    for (const Case& c : {Case{"3", "2", 1, "1.5", true}, {"0.9", "3", 1, "0.3", true}, {"1", "3", 3, "0.333", false},
                          {"2", "3", 3, "0.667", false}, {"0.25", "2", 3, "0.125", true}, {"0.3", "2", 1, "0.2", false},
                          {"0.25", "2", 1, "0.1", false}, {"0.35", "2", 1, "0.2", false}, {"7", "0.7", 0, "10", true},
                          {"12.5", "1", 0, "12", false}, {"13.5", "1", 0, "14", false}, {"-3", "2", 0, "-2", false},
                          {"0.03", "0.3", 1, "0.1", true}, {"100", "12", 1, "8.3", false}, {"5", "2.000", 1, "2.5", true},
                          {"99999.5", "0.5", 0, "199999", true}, {"1", "8", 2, "0.12", false},
                          {"3.21", "7", 0, "0", false}}) {  // 0.4585...: the first dropped digit is 4
        const auto q = number(c.a).dividedBy(number(c.b), c.scale);
        ASSERT_TRUE(q) << c.a << " / " << c.b;
        EXPECT_EQ(q->rounded, number(c.rounded)) << c.a << " / " << c.b << " gave " << q->rounded.text(6, point);
        EXPECT_EQ(q->exact, c.exact) << c.a << " / " << c.b;
    }
    EXPECT_FALSE(number("1").dividedBy(number("0.000"), 2));
    EXPECT_FALSE(number("1").dividedBy(number("123456789012345678"), 2));
    EXPECT_TRUE(number("123456789012345678901234567890").dividedBy(number("7"), 3));
}

TEST(Decimal, WritesFixedAndExactTexts) {
    struct Case { const char* value; int decimals; const char* fixed; const char* exact; };
    for (const Case& c : {Case{"30", 2, "30,00", "30,00"}, {"0.5", 1, "0,5", "0,5"}, {".5", 0, "0", "0,5"},
                          {"0.03", 1, "0,0", "0,03"}, {"163.9125", 4, "163,9125", "163,9125"},
                          {"0.0005", 3, "0,000", "0,0005"}, {"0.0015", 3, "0,002", "0,0015"},
                          {"-0.04", 1, "0,0", "-0,04"}, {"2.50", 3, "2,500", "2,500"}, {"3", 1, "3,0", "3,0"},
                          {"7", 0, "7", "7"}}) {
        EXPECT_EQ(number(c.value).text(c.decimals, comma), c.fixed) << c.value;
        EXPECT_EQ(number(c.value).exactText(c.decimals, comma), c.exact) << c.value;
    }
}

}  // namespace
}  // namespace mc
