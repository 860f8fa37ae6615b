#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "protocols/core/macro_file.hpp"
#include "shell/core/text.hpp"

namespace mc::protocols {
namespace {

const NumberFormat Point{'.'};
const NumberFormat Comma{','};

// The lines of a written file, which must all end in CR LF.
std::vector<std::string> fileLines(const std::string& bytes) {
    const auto views = splitLines(bytes);
    std::vector<std::string> lines(views.begin(), views.end());
    EXPECT_EQ(joinCrLf(lines), bytes);
    return lines;
}

std::size_t count(const std::vector<std::string>& lines, std::string_view line) {
    return static_cast<std::size_t>(std::count(lines.begin(), lines.end(), line));
}

std::string crlf(const std::vector<std::string>& lines) { return joinCrLf(lines); }

// A byte string from a literal that may hold NUL bytes.
template <std::size_t N>
std::string bytesOf(const char (&literal)[N]) {
    return std::string(literal, N - 1);
}

ProtocolMacro read(const std::string& bytes, Variant variant = Variant::Rx, const NumberFormat& format = Point) {
    return readProtocolMacro(bytes, variant, format).macro;
}

void fillProtocol(ProtocolMacro& macro, int n, const std::string& unit, const std::string& concentration) {
    macro.ProtocolDrugName[n] = "Morphine";
    macro.ProtocolDosavia[n] = "0";
    macro.ProtocolMinWeight[n] = "40";
    macro.ProtocolMaxWeight[n] = "120";
    macro.ProtocolBagVolume[n] = "100";
    macro.ProtocolConcUnit[n] = unit;
    macro.ProtocolConcentration[n] = concentration;
    macro.ProtocolInitialRate[n] = "1.5";
    macro.ProtocolTitrationLimit[n] = "2.0";
    macro.ProtocolBolusType[n] = "1";
    macro.ProtocolBolusDose[n] = "0.5";
    macro.ProtocolMaxBolus[n] = "3.0";
    macro.ProtocolLockoutTime[n] = "15";
    macro.ProtocolLimit[n] = "10.0";
}

// Every setting holds "s" + its field number, the two-way ones "1".
ProtocolMacro everySettingSet() {
    ProtocolMacro macro;
    for (int field = 1; field <= MaxSettingCount; ++field) macro.PumpSettings[field] = "s" + std::to_string(field);
    for (int field : {13, 17, 29, 30}) macro.PumpSettings[field] = "1";
    return macro;
}

ProtocolMacro fullMacro() {
    ProtocolMacro macro = everySettingSet();
    for (int n = 1; n <= ProtocolCount; ++n) fillProtocol(macro, n, "1", "2");
    return macro;
}

TEST(MacroWriter, SettingLinesInFileOrderWithTheirCodeCharacters) {
    const std::vector<std::string> expected = {
        "Send:DATACOM_:s1",  "Send:DATACOMT:s2",  "Send:DATACOMU:s4",  "Send:DATACOMV:s3",
        "Send:DATACOM`:s5",  "Send:DATACOMa:s6",  "Send:DATACOMb:s7",  "Send:DATACOMc:s8",
        "Send:DATACOMd:s9",  "Send:DATACOMe:s10", "Send:DATACOMf:s11", "Send:DATACOMg:s12",
        "Send:COM1F",        "Send:DATACOMW:s14", "Send:DATACOMX:s15", "Send:DATACOMY:s16",
        "Send:COM1D",        "Send:DATACOMH:s18", "Send:DATACOMP:s19", "Send:DATACOML:s20",
        "Send:DATACOM3:s21", "Send:DATACOM4:s22", "Send:DATACOME:s23", "Send:DATACOM5:s24",
        "Send:DATACOM6:s25", "Send:DATACOM7:s26", "Send:DATACOMR:s27", "Send:DATACOMZ:s28",
        "Send:COM21",        "Send:COM23",        "Send:DATACOM[:s31", "Send:DATACOMG:s32",
        "Send:DATACOM^:s33", "Send:DATACOM\\:s34",
    };
    for (const Variant variant : {Variant::Rx, Variant::Kt}) {
        const auto lines = fileLines(writeProtocolMacro(everySettingSet(), variant, "M"));
        auto settings = expected;
        if (variant == Variant::Kt) settings.push_back("Send:DATACOM]:s35");
        settings.insert(settings.end(), {"Send:K0010", "Send:K0010", "Send:KFF87", "Send:PDT06:1"});
        ASSERT_GE(lines.size(), settings.size());
        EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + std::ssize(settings)), settings);
    }
}

TEST(MacroWriter, TwoWaySettingsWriteALineOnlyForZeroOrOne) {
    const struct {
        int field;
        std::string off, on;
    } twoWay[] = {{13, "Send:COM1E", "Send:COM1F"},
                  {17, "Send:COM1C", "Send:COM1D"},
                  {29, "Send:COM20", "Send:COM21"},
                  {30, "Send:COM22", "Send:COM23"}};
    const struct {
        std::string value;
        std::size_t offLines, onLines;
    } values[] = {{"0", 1, 0}, {"1", 0, 1}, {"", 0, 0}, {"2", 0, 0}, {" 1", 0, 0}, {"01", 0, 0}};
    for (const auto& setting : twoWay) {
        for (const auto& value : values) {
            ProtocolMacro macro;
            macro.PumpSettings[setting.field] = value.value;
            const auto lines = fileLines(writeProtocolMacro(macro, Variant::Rx, "M"));
            EXPECT_EQ(count(lines, setting.off), value.offLines) << setting.field << " '" << value.value << "'";
            EXPECT_EQ(count(lines, setting.on), value.onLines) << setting.field << " '" << value.value << "'";
        }
    }
}

TEST(MacroWriter, LineCountsOfEmptyAndFullMacros) {
    const struct {
        Variant variant;
        bool full;
        std::size_t lines;
    } cases[] = {
        {Variant::Rx, true, 402},
        {Variant::Kt, true, 403},
        // 30 (31) value lines, no two-way line, 3 fixed, 26 x 13, name.
        {Variant::Rx, false, 30 + 3 + 26 * 13 + 1},
        {Variant::Kt, false, 31 + 3 + 26 * 13 + 1},
    };
    for (const auto& c : cases) {
        const auto lines = fileLines(writeProtocolMacro(c.full ? fullMacro() : ProtocolMacro{}, c.variant, "M"));
        EXPECT_EQ(lines.size(), c.lines);
        EXPECT_EQ(lines.back(), "Send:PDT30:M       ");
    }
}

TEST(MacroWriter, EmptySettingsGiveTheBareKey) {
    const auto lines = fileLines(writeProtocolMacro(ProtocolMacro{}, Variant::Kt, "M"));
    EXPECT_EQ(lines.front(), "Send:DATACOM_:");
    EXPECT_EQ(count(lines, "Send:DATACOM\\:"), 1u);
    EXPECT_EQ(count(lines, "Send:DATACOM]:"), 1u);
    EXPECT_EQ(count(fileLines(writeProtocolMacro(ProtocolMacro{}, Variant::Rx, "M")), "Send:DATACOM]:"), 0u);
}

TEST(MacroWriter, ProtocolBlockInFileOrder) {
    ProtocolMacro macro;
    fillProtocol(macro, 3, "2", "50");
    const auto lines = fileLines(writeProtocolMacro(macro, Variant::Rx, "M"));
    const auto start = std::find(lines.begin(), lines.end(), "Send:PDT06:3");
    ASSERT_NE(start, lines.end());
    const std::vector<std::string> expected = {
        "Send:PDT06:3",   "Send:PDT07:Morphine", "Send:PDT19:0",   "Send:PDT23:40",  "Send:PDT20:120",
        "Send:PDT02:100", "Send:PDT05:-50",      "Send:PDT16:1.5", "Send:PDT01:2.0", "Send:PDT21:1",
        "Send:PDT09:0.5", "Send:PDT22:3.0",      "Send:PDT10:15",  "Send:PDT17:10.0", "Send:PDT06:4",
    };
    EXPECT_EQ(std::vector<std::string>(start, start + std::ssize(expected)), expected);
    // A protocol never filled: 13 lines with empty values, no concentration line.
    const auto empty = std::find(lines.begin(), lines.end(), "Send:PDT06:26");
    const std::vector<std::string> emptyBlock = {
        "Send:PDT06:26", "Send:PDT07:", "Send:PDT19:", "Send:PDT23:", "Send:PDT20:", "Send:PDT02:", "Send:PDT16:",
        "Send:PDT01:",   "Send:PDT21:", "Send:PDT09:", "Send:PDT22:", "Send:PDT10:", "Send:PDT17:", "Send:PDT30:M       ",
    };
    EXPECT_EQ(std::vector<std::string>(empty, lines.end()), emptyBlock);
}

TEST(MacroWriter, ConcentrationLineByUnit) {
    const struct {
        std::string unit, concentration;
        std::vector<std::string> lines;
    } cases[] = {
        {"0", "", {"Send:PDT05:0"}},
        {"0", "7", {"Send:PDT05:0"}},
        {"1", "2.5", {"Send:PDT05:2.5"}},
        {"1", "2,5", {"Send:PDT05:2,5"}},
        {"2", "50", {"Send:PDT05:-50"}},
        {"", "50", {}},
        {"3", "50", {}},
    };
    for (const auto& c : cases) {
        ProtocolMacro macro;
        macro.ProtocolConcUnit[1] = c.unit;
        macro.ProtocolConcentration[1] = c.concentration;
        std::vector<std::string> found;
        for (const auto& line : fileLines(writeProtocolMacro(macro, Variant::Rx, "M")))
            if (line.starts_with("Send:PDT05:")) found.push_back(line);
        EXPECT_EQ(found, c.lines) << "unit '" << c.unit << "'";
    }
}

TEST(MacroWriter, NameLinePaddedToEightCharacters) {
    const struct {
        std::string name, line;
    } cases[] = {
        {"ABC", "Send:PDT30:ABC     "},
        {"", "Send:PDT30:        "},
        {"ABCDEFGH", "Send:PDT30:ABCDEFGH"},
        {"ABCDEFGHIJ", "Send:PDT30:ABCDEFGHIJ"},
        {"Caf\xE9", "Send:PDT30:Caf\xE9    "},
    };
    for (const auto& c : cases) EXPECT_EQ(fileLines(writeProtocolMacro({}, Variant::Rx, c.name)).back(), c.line);
}

TEST(MacroWriter, MacroTitleInMemoryIsNotWritten) {
    ProtocolMacro macro;
    macro.MacroTitle = "OLDNAME ";
    EXPECT_EQ(fileLines(writeProtocolMacro(macro, Variant::Rx, "NEW")).back(), "Send:PDT30:NEW     ");
}

TEST(MacroReader, SettingLinesTakeTheRestOfTheLine) {
    const struct {
        std::string line;
        int field;
        std::string value;
    } cases[] = {
        {"Send:DATACOM_:1234", 1, "1234"},    {"Send:DATACOMU:33", 4, "33"},    {"Send:DATACOMV:22", 3, "22"},
        {"Send:DATACOM`:2", 5, "2"},          {"Send:DATACOM[:24", 31, "24"},   {"Send:DATACOM^:10", 33, "10"},
        {"Send:DATACOM\\:30", 34, "30"},      {"Send:DATACOMH:360", 18, "360"}, {"Send:DATACOMW:0.1 ", 14, "0.1 "},
        {"Send:DATACOMW:", 14, ""},           {"Send:DATACOMW:a:b", 14, "a:b"}, {"Send:COM1E", 13, "0"},
        {"Send:COM1F", 13, "1"},              {"Send:COM1C", 17, "0"},          {"Send:COM1D", 17, "1"},
        {"Send:COM20", 29, "0"},              {"Send:COM21", 29, "1"},          {"Send:COM22", 30, "0"},
        {"Send:COM23", 30, "1"},
    };
    for (const auto& c : cases) {
        ProtocolMacro expected;
        expected.PumpSettings[c.field] = c.value;
        const auto result = readProtocolMacro(c.line + "\r\n", Variant::Rx, Point);
        EXPECT_EQ(result.macro, expected) << c.line;
        EXPECT_EQ(result.linesNotUnderstood, 0) << c.line;
    }
}

TEST(MacroReader, LinesThatAreNotKeysAreSkippedAndCounted) {
    const struct {
        std::string line;
        int notUnderstood;
    } cases[] = {
        {"", 0},
        {"   \t", 0},
        {"Send:K0010", 0},
        {"Send:KFF87", 0},
        {"Send:DATACOM]:12", 0},  // Backlight duration, not a setting of this window
        {"Send:COM1E ", 1},       // two-way lines must match whole
        {"Send:COM1", 1},
        {"send:DATACOM_:1", 1},
        {"Send:DATACOM_", 1},
        {"Send:DATACOMQ:1", 1},
        {"Send:PDT99:1", 1},
        {"Send:PDT07:orphan", 1},  // before any protocol number
        {"# comment", 1},
        {std::string("\0\0", 2), 1},
    };
    for (const auto& c : cases) {
        const auto result = readProtocolMacro(c.line + "\r\n", Variant::Rx, Point);
        EXPECT_EQ(result.macro, ProtocolMacro{}) << c.line;
        EXPECT_EQ(result.linesNotUnderstood, c.notUnderstood) << c.line;
    }
}

TEST(MacroReader, ProtocolLinesGoToTheMostRecentProtocolNumber) {
    const struct {
        const char* name;
        std::vector<std::string> lines;
        NumberFormat format;
        std::vector<std::pair<int, std::string>> names;  // protocols that get a name
        int notUnderstood;
    } cases[] = {
        {"before the first number", {"Send:PDT07:X", "Send:PDT06:2", "Send:PDT07:Y"}, Point, {{2, "Y"}}, 1},
        {"number 0", {"Send:PDT06:0", "Send:PDT07:X"}, Point, {}, 2},
        {"number 27", {"Send:PDT06:27", "Send:PDT07:X"}, Point, {}, 2},
        {"number -1", {"Send:PDT06:-1", "Send:PDT07:X"}, Point, {}, 2},
        {"26", {"Send:PDT06:26", "Send:PDT07:X"}, Point, {{26, "X"}}, 0},
        {"non-number keeps the number", {"Send:PDT06:3", "Send:PDT06:abc", "Send:PDT07:X"}, Point, {{3, "X"}}, 1},
        {"non-number first", {"Send:PDT06:abc", "Send:PDT07:X"}, Point, {}, 2},
        {"empty number", {"Send:PDT06:5", "Send:PDT06:", "Send:PDT07:X"}, Point, {{5, "X"}}, 1},
        {"beyond 16 bits", {"Send:PDT06:5", "Send:PDT06:40000", "Send:PDT07:X"}, Point, {{5, "X"}}, 1},
        {"27 after a good number", {"Send:PDT06:5", "Send:PDT06:27", "Send:PDT07:X"}, Point, {}, 2},
        {"blanks around", {"Send:PDT06: 4 ", "Send:PDT07:X"}, Point, {{4, "X"}}, 0},
        {"fraction rounds", {"Send:PDT06:4.4", "Send:PDT07:X"}, Point, {{4, "X"}}, 0},
        {"regional separator", {"Send:PDT06:7,0", "Send:PDT07:X"}, Comma, {{7, "X"}}, 0},
        {"foreign separator", {"Send:PDT06:2", "Send:PDT06:7,0", "Send:PDT07:X"}, Point, {{2, "X"}}, 1},
        {"two blocks", {"Send:PDT06:2", "Send:PDT07:X", "Send:PDT06:9", "Send:PDT07:X"}, Point, {{2, "X"}, {9, "X"}}, 0},
        {"last occurrence wins", {"Send:PDT06:1", "Send:PDT07:X", "Send:PDT07:Y"}, Point, {{1, "Y"}}, 0},
        {"blocks in any order", {"Send:PDT06:9", "Send:PDT07:A", "Send:PDT06:1", "Send:PDT07:B"}, Point,
         {{1, "B"}, {9, "A"}}, 0},
    };
    for (const auto& c : cases) {
        ProtocolMacro expected;
        for (const auto& [n, name] : c.names) expected.ProtocolDrugName[n] = name;
        const auto result = readProtocolMacro(crlf(c.lines), Variant::Rx, c.format);
        EXPECT_EQ(result.macro, expected) << c.name;
        EXPECT_EQ(result.linesNotUnderstood, c.notUnderstood) << c.name;
    }
}

TEST(MacroReader, EveryProtocolLineFillsItsArray) {
    ProtocolMacro expected;
    fillProtocol(expected, 12, "1", "2");
    std::vector<std::string> lines = {"Send:PDT06:12"};
    // Written for protocol 12 of another macro and read back alone.
    for (const auto& line : fileLines(writeProtocolMacro(expected, Variant::Rx, "M")))
        if (line.starts_with("Send:PDT") && !line.ends_with(":") && !line.starts_with("Send:PDT06:") &&
            !line.starts_with("Send:PDT30:"))
            lines.push_back(line);
    ASSERT_EQ(lines.size(), 14u);
    std::reverse(lines.begin() + 1, lines.end());  // the order within a block does not matter
    EXPECT_EQ(read(crlf(lines)), expected);
}

TEST(MacroReader, ConcentrationLineInItsThreeForms) {
    const struct {
        std::string line, unit, concentration;
    } cases[] = {
        {"Send:PDT05:0", "0", "0"},    {"Send:PDT05:2.5", "1", "2.5"}, {"Send:PDT05:-50", "2", "50"},
        {"Send:PDT05:00", "1", "00"},  {"Send:PDT05:0 ", "1", "0 "},   {"Send:PDT05:", "1", ""},
        {"Send:PDT05:-", "2", ""},     {"Send:PDT05:--1", "2", "-1"},  {"Send:PDT05:-0", "2", "0"},
    };
    for (const auto& c : cases) {
        const auto macro = read(crlf({"Send:PDT06:4", c.line}));
        EXPECT_EQ(macro.ProtocolConcUnit[4], c.unit) << c.line;
        EXPECT_EQ(macro.ProtocolConcentration[4], c.concentration) << c.line;
    }
}

TEST(MacroReader, MacroTitleKeepsItsTrailingBlanks) {
    EXPECT_EQ(read(writeProtocolMacro({}, Variant::Rx, "ABC")).MacroTitle, "ABC     ");
    EXPECT_EQ(read(crlf({"Send:PDT30:one", "Send:PDT30:two  "})).MacroTitle, "two  ");
}

TEST(MacroReader, EmptiesTheMacroFirstButKeepsATitleTheFileLacks) {
    ProtocolMacro macro = fullMacro();
    macro.MacroTitle = "OLD     ";
    EXPECT_EQ(readProtocolMacroInto(macro, "Send:DATACOMT:9\r\n", Variant::Rx, Point), 0);
    ProtocolMacro expected;
    expected.PumpSettings[2] = "9";
    expected.MacroTitle = "OLD     ";
    EXPECT_EQ(macro, expected);
}

TEST(MacroReader, LinesEndAtCrLfCrOrLf) {
    const ProtocolMacro macro = fullMacro();
    const std::string file = writeProtocolMacro(macro, Variant::Kt, "Ends");
    const ProtocolMacro expected = read(file, Variant::Kt);
    ASSERT_EQ(expected.ProtocolDrugName[26], "Morphine");
    auto replaced = [&](const std::string& ending) {
        std::string out;
        for (const auto line : splitLines(file)) out += std::string(line) + ending;
        return out;
    };
    for (const std::string ending : {"\n", "\r", "\r\r\n", "\n\n"})
        EXPECT_EQ(read(replaced(ending), Variant::Kt), expected) << int(ending.back());
    std::string withoutLastEnd = file;
    withoutLastEnd.resize(file.size() - 2);
    EXPECT_EQ(read(withoutLastEnd, Variant::Kt), expected);
}

TEST(MacroReader, EmptyFileGivesAnEmptyMacro) {
    for (const std::string bytes : {"", "\r\n", "\n\n\n", "garbage"}) {
        EXPECT_EQ(read(bytes), ProtocolMacro{});
        EXPECT_EQ(read(bytes, Variant::Kt), ProtocolMacro{});
    }
}

TEST(MacroReader, FileOfOneWindowOpenedInTheOther) {
    ProtocolMacro macro = fullMacro();
    macro.PumpSettings[35] = "30";
    const auto ktInRx = readProtocolMacro(writeProtocolMacro(macro, Variant::Kt, "K"), Variant::Rx, Point);
    EXPECT_EQ(ktInRx.macro.PumpSettings[35], "");  // lost silently
    EXPECT_EQ(ktInRx.macro.PumpSettings[34], "s34");
    EXPECT_EQ(ktInRx.linesNotUnderstood, 0);
    const auto rxInKt = readProtocolMacro(writeProtocolMacro(macro, Variant::Rx, "R"), Variant::Kt, Point);
    EXPECT_EQ(rxInKt.macro.PumpSettings[35], "");
    EXPECT_EQ(rxInKt.macro.PumpSettings[34], "s34");
    EXPECT_EQ(rxInKt.linesNotUnderstood, 0);
}

TEST(MacroReader, VolumeValuesKeepTheRegionalSeparator) {
    ProtocolMacro macro;
    fillProtocol(macro, 1, "1", "2,5");
    macro.ProtocolInitialRate[1] = "0,125";
    const auto back = read(writeProtocolMacro(macro, Variant::Rx, "C"), Variant::Rx, Comma);
    EXPECT_EQ(back.ProtocolInitialRate[1], "0,125");
    EXPECT_EQ(back.ProtocolConcentration[1], "2,5");
}

// Hostile input: the reader must neither crash nor hang, and whatever it reads
// must save and read back to the same file (reader and writer agree on every
// column).
void expectStable(const std::string& bytes) {
    for (const Variant variant : {Variant::Rx, Variant::Kt}) {
        const ProtocolMacro first = read(bytes, variant);
        const std::string saved = writeProtocolMacro(first, variant, first.MacroTitle);
        const auto second = readProtocolMacro(saved, variant, Point);
        EXPECT_EQ(second.linesNotUnderstood, 0);
        ASSERT_EQ(writeProtocolMacro(second.macro, variant, second.macro.MacroTitle), saved);
    }
}

TEST(MacroReaderHostile, RandomBytesAndKeyFragments) {
    std::mt19937 random(20261206);
    const std::vector<std::string> pieces = {
        "Send:PDT06:", "Send:PDT05:", "Send:PDT05:-", "Send:PDT07:", "Send:PDT30:", "Send:DATACOM", "Send:COM1E",
        "Send:COM2",   "\r",          "\n",           "\r\n",        "0",           "26",          "27",
        "-",           "\xFF",        std::string(1, '\0'), "_:", "]:", "\\:", "40000", ",", ".",
    };
    for (int round = 0; round < 1000; ++round) {
        std::string bytes;
        const int parts = std::uniform_int_distribution<int>(0, 60)(random);
        for (int i = 0; i < parts; ++i) {
            if (random() % 3 == 0)
                bytes += static_cast<char>(random() % 256);
            else
                bytes += pieces[random() % pieces.size()];
        }
        expectStable(bytes);
        if (HasFatalFailure()) return;
    }
}

TEST(MacroReaderHostile, HugeLinesAndNulBytes) {
    const std::string huge(4 << 20, 'x');
    expectStable(huge);
    expectStable("Send:PDT06:1\r\nSend:PDT07:" + huge + "\r\n");
    expectStable("Send:PDT06:" + std::string(100000, '9') + "\r\nSend:PDT07:X\r\n");
    expectStable(std::string(100000, '\r'));
    expectStable(bytesOf("Send:PDT06:\0" "1\r\nSend:PDT07:a\0b\r\nSend:PDT30:\0\0"));
    const auto macro = read(bytesOf("Send:PDT06:2\r\nSend:PDT07:a\0b\r\n"));
    EXPECT_EQ(macro.ProtocolDrugName[2], std::string("a\0b", 3));
}

// Macros as the pages store them after "OK", saved and opened again.
class RoundTrip {
public:
    RoundTrip(unsigned seed, Variant variant, NumberFormat format) : random_(seed), variant_(variant), format_(format) {}

    ProtocolMacro macro() {
        ProtocolMacro m;
        for (int field : {1, 2, 3, 4}) m.PumpSettings[field] = std::to_string(pick(0, 32767));
        for (int field = 5; field <= 12; ++field) m.PumpSettings[field] = std::to_string(pick(0, 3));
        for (int field : {13, 17, 19, 20}) m.PumpSettings[field] = std::to_string(pick(0, 1));
        for (int field : {29, 30}) m.PumpSettings[field] = maybeEmpty(std::to_string(pick(0, 1)));  // may stay unchosen
        m.PumpSettings[14] = number(0, 2);
        m.PumpSettings[15] = number(5, 2);
        m.PumpSettings[16] = number(5, 2);
        m.PumpSettings[18] = variant_ == Variant::Rx ? std::to_string(pick(25, 110) * 10) : std::to_string(pick(0, 2));
        m.PumpSettings[21] = number(1, 2);
        m.PumpSettings[22] = number(20, 1);
        for (int field : {23, 24, 25, 26}) m.PumpSettings[field] = number(1000, 1);
        m.PumpSettings[27] = std::to_string(pick(1, 7));
        m.PumpSettings[28] = std::to_string(pick(2, 7));
        m.PumpSettings[31] = maybeEmpty(std::vector<std::string>{"0", "1", "4", "24"}[std::size_t(pick(0, 3))]);
        m.PumpSettings[32] = number(20, 1);
        m.PumpSettings[33] = std::to_string(pick(0, 255));
        m.PumpSettings[34] = std::to_string(pick(1, 255));
        if (variant_ == Variant::Kt) m.PumpSettings[35] = std::to_string(pick(0, 255));
        for (int n = 1; n <= ProtocolCount; ++n)
            if (pick(0, 4) != 0) fill(m, n);
        return m;
    }

    // What opening the saved file must give.
    static ProtocolMacro expectedBack(ProtocolMacro m, const std::string& name) {
        m.MacroTitle = padRight(name, MacroNameWidth);
        for (int n = 1; n <= ProtocolCount; ++n)
            if (m.ProtocolConcUnit[n] == "0") m.ProtocolConcentration[n] = "0";  // "mL Only" is read as "0"
        return m;
    }

    std::string name() {
        static const std::string letters = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789_-";
        std::string text;
        for (int i = pick(1, 8); i > 0; --i) text += letters[std::size_t(pick(0, int(letters.size()) - 1))];
        return text;
    }

private:
    int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }

    std::string maybeEmpty(std::string text) { return pick(0, 9) == 0 ? "" : text; }

    // Up to `whole` with `decimals` digits after the regional separator, as typed.
    std::string number(int whole, int decimals) {
        std::string text = std::to_string(pick(0, whole));
        if (decimals > 0 && pick(0, 1) == 1) {
            text += format_.decimalSeparator;
            for (int i = 0; i < decimals; ++i) text += char('0' + pick(0, 9));
        }
        return text;
    }

    // A volume value: exactly 1 or 3 decimals, leading zero, regional separator.
    std::string volume(int decimals) {
        std::string fraction;
        for (int i = 0; i < decimals; ++i) fraction += char('0' + pick(0, 9));
        return std::to_string(pick(0, 999)) + format_.decimalSeparator + fraction;
    }

    std::string text(int maxLength) {
        std::string result;
        for (int i = pick(0, maxLength); i > 0; --i) {
            const int c = pick(0x20, 0x7E + 96);
            result += static_cast<char>(c <= 0x7E ? c : c - 0x7F + 0xA0);  // printable Latin-1
        }
        return result;
    }

    void fill(ProtocolMacro& m, int n) {
        if (variant_ == Variant::Rx) {
            const std::string second = pick(0, 1) ? text(20) : "";
            m.ProtocolDrugName[n] = second.empty() ? text(20) : padRight(text(20), 20) + second;
        } else {
            m.ProtocolDrugName[n] = text(18);
        }
        m.ProtocolDosavia[n] = std::to_string(pick(0, 1));
        const int decimals = m.ProtocolDosavia[n] == "1" ? 3 : 1;
        m.ProtocolMinWeight[n] = std::to_string(pick(0, 999));
        m.ProtocolMaxWeight[n] = std::to_string(pick(0, 999));
        m.ProtocolBagVolume[n] = std::to_string(pick(0, 9999));
        m.ProtocolConcUnit[n] = std::to_string(pick(0, 2));
        m.ProtocolConcentration[n] = m.ProtocolConcUnit[n] == "0" ? "" : std::to_string(pick(1, 999));
        m.ProtocolInitialRate[n] = volume(decimals);
        m.ProtocolTitrationLimit[n] = volume(decimals);
        m.ProtocolBolusType[n] = std::to_string(pick(0, 1));
        m.ProtocolBolusDose[n] = volume(decimals);
        m.ProtocolMaxBolus[n] = volume(decimals);
        m.ProtocolLockoutTime[n] = std::to_string(pick(0, 999));
        m.ProtocolLimit[n] = volume(decimals);
    }

    std::mt19937 random_;
    Variant variant_;
    NumberFormat format_;
};

TEST(MacroRoundTrip, SavedMacrosOpenAgainUnchanged) {
    const struct {
        Variant variant;
        NumberFormat format;
        unsigned seed;
    } cases[] = {{Variant::Rx, Point, 1}, {Variant::Rx, Comma, 2}, {Variant::Kt, Point, 3}, {Variant::Kt, Comma, 4}};
    for (const auto& c : cases) {
        RoundTrip generator(c.seed, c.variant, c.format);
        for (int i = 0; i < 1000; ++i) {
            const ProtocolMacro macro = generator.macro();
            const std::string name = generator.name();
            const auto back = readProtocolMacro(writeProtocolMacro(macro, c.variant, name), c.variant, c.format);
            ASSERT_EQ(back.macro, RoundTrip::expectedBack(macro, name)) << "seed " << c.seed << " macro " << i;
            ASSERT_EQ(back.linesNotUnderstood, 0);
        }
    }
}

}  // namespace
}  // namespace mc::protocols
