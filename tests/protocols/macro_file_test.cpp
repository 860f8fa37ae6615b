// The pump command macro: the writer's lines, the reader's handling of every
// line form, and saved macros that read back to the same bytes.

#include <gtest/gtest.h>

#include "protocols/core/macro_file.hpp"
#include "support/random_protocol_macro.hpp"

namespace mc::protocols {
namespace {

using Lines = std::vector<std::string>;
const NumberFormat Point{'.'};

Lines written(const ProtocolMacro& macro, Variant variant = Variant::Rx, const std::string& name = "M") {
    const std::string bytes = writeProtocolMacro(macro, variant, name);
    const auto views = splitLines(bytes);
    Lines lines(views.begin(), views.end());
    EXPECT_EQ(joinCrLf(lines), bytes);  // every line ends in CR LF
    return lines;
}

// The protocol arrays in the order of their lines, the concentration between
// the bag volume and the initial rate.
using Array = Table<std::string, ProtocolCount> ProtocolMacro::*;
const std::pair<const char*, Array> Arrays[] = {
    {"07", &ProtocolMacro::ProtocolDrugName}, {"19", &ProtocolMacro::ProtocolDosavia}, {"23", &ProtocolMacro::ProtocolMinWeight},
    {"20", &ProtocolMacro::ProtocolMaxWeight}, {"02", &ProtocolMacro::ProtocolBagVolume},
    {"05", &ProtocolMacro::ProtocolConcentration}, {"16", &ProtocolMacro::ProtocolInitialRate},
    {"01", &ProtocolMacro::ProtocolTitrationLimit}, {"21", &ProtocolMacro::ProtocolBolusType},
    {"09", &ProtocolMacro::ProtocolBolusDose}, {"22", &ProtocolMacro::ProtocolMaxBolus}, {"10", &ProtocolMacro::ProtocolLockoutTime},
    {"17", &ProtocolMacro::ProtocolLimit}, {"unit", &ProtocolMacro::ProtocolConcUnit}};

// What a macro holds: "s<field>=<value>" and "<protocol>:<line key>=<value>", the title last.
Lines held(const ProtocolMacro& macro) {
    Lines cells;
    for (int field = 1; field <= MaxSettingCount; ++field)
        if (!macro.PumpSettings[field].empty()) cells.push_back("s" + std::to_string(field) + "=" + macro.PumpSettings[field]);
    for (int n = 1; n <= ProtocolCount; ++n)
        for (const auto& [key, array] : Arrays)
            if (!(macro.*array)[n].empty()) cells.push_back(std::to_string(n) + ":" + key + "=" + (macro.*array)[n]);
    if (!macro.MacroTitle.empty()) cells.push_back("title=" + macro.MacroTitle);
    return cells;
}

TEST(MacroWriter, SettingLinesInFileOrderThenTheFixedCommands) {
    ProtocolMacro macro;
    for (int field = 1; field <= MaxSettingCount; ++field) macro.PumpSettings[field] = "s" + std::to_string(field);
    for (int field : {13, 17, 29, 30}) macro.PumpSettings[field] = field == 17 ? "0" : "1";
    Lines expected{"Send:DATACOM_:s1", "Send:DATACOMT:s2", "Send:DATACOMU:s4", "Send:DATACOMV:s3", "Send:DATACOM`:s5",
                   "Send:DATACOMa:s6", "Send:DATACOMb:s7", "Send:DATACOMc:s8", "Send:DATACOMd:s9", "Send:DATACOMe:s10",
                   "Send:DATACOMf:s11", "Send:DATACOMg:s12", "Send:COM1F", "Send:DATACOMW:s14", "Send:DATACOMX:s15",
                   "Send:DATACOMY:s16", "Send:COM1C", "Send:DATACOMH:s18", "Send:DATACOMP:s19", "Send:DATACOML:s20",
                   "Send:DATACOM3:s21", "Send:DATACOM4:s22", "Send:DATACOME:s23", "Send:DATACOM5:s24", "Send:DATACOM6:s25",
                   "Send:DATACOM7:s26", "Send:DATACOMR:s27", "Send:DATACOMZ:s28", "Send:COM21", "Send:COM23",
                   "Send:DATACOM[:s31", "Send:DATACOMG:s32", "Send:DATACOM^:s33", "Send:DATACOM\\:s34"};
    for (const Variant variant : {Variant::Rx, Variant::Kt}) {
        if (variant == Variant::Kt) expected.push_back("Send:DATACOM]:s35");
        expected.insert(expected.end(), {"Send:K0010", "Send:K0010", "Send:KFF87", "Send:PDT06:1"});
        const Lines lines = written(macro, variant);
        EXPECT_EQ(Lines(lines.begin(), lines.begin() + std::ssize(expected)), expected);
        EXPECT_EQ(lines.size(), expected.size() + 26 * 13);  // less the first protocol line, plus the name line
        expected.resize(expected.size() - 4);
    }
    // A two-way setting that holds neither "0" nor "1" writes no line at all.
    for (int field : {13, 17, 29, 30}) macro.PumpSettings[field] = field == 13 ? "" : field == 17 ? "2" : " 1";
    const Lines lines = written(macro);
    EXPECT_EQ(std::count_if(lines.begin(), lines.end(), [](auto& l) { return l.starts_with("Send:COM"); }), 0);
}

TEST(MacroWriter, ProtocolBlocksWithTheConcentrationLineOfTheirUnit) {
    ProtocolMacro macro;
    const char* units[][3] = {{"0", "7", "Send:PDT05:0"}, {"1", "2.5", "Send:PDT05:2.5"}, {"2", "50", "Send:PDT05:-50"},
                              {"3", "50", ""}};  // a unit the page does not know: no concentration line
    Lines expected;
    for (int n = 1; n <= 4; ++n) {
        expected.push_back("Send:PDT06:" + std::to_string(n));
        for (const auto& [key, array] : Arrays) {
            (macro.*array)[n] = key + std::to_string(n);
            if (array == &ProtocolMacro::ProtocolConcentration) {
                if (*units[n - 1][2]) expected.push_back(units[n - 1][2]);
            } else if (array != &ProtocolMacro::ProtocolConcUnit) {
                expected.push_back("Send:PDT" + std::string(key) + ":" + key + std::to_string(n));
            }
        }
        macro.ProtocolConcUnit[n] = units[n - 1][0];
        macro.ProtocolConcentration[n] = units[n - 1][1];
    }
    expected.push_back("Send:PDT06:5");
    const Lines lines = written(macro, Variant::Rx, "ABC");
    const auto first = std::find(lines.begin(), lines.end(), "Send:PDT06:1");
    EXPECT_EQ(Lines(first, first + std::ssize(expected)), expected);
    EXPECT_EQ(Lines(lines.end() - 14, lines.end()),
              (Lines{"Send:PDT06:26", "Send:PDT07:", "Send:PDT19:", "Send:PDT23:", "Send:PDT20:", "Send:PDT02:", "Send:PDT16:",
                     "Send:PDT01:", "Send:PDT21:", "Send:PDT09:", "Send:PDT22:", "Send:PDT10:", "Send:PDT17:", "Send:PDT30:ABC     "}));
    EXPECT_EQ(written({}, Variant::Rx, "ABCDEFGH").back(), "Send:PDT30:ABCDEFGH");
}

TEST(MacroReader, EachLineFormAndWhatItStores) {
    struct Case {
        Lines lines;
        int notUnderstood;
        Lines held;
        Variant variant = Variant::Rx;
    };
    const Case cases[] = {
        {{"Send:DATACOMU:33", "Send:DATACOM`:2", "Send:DATACOM\\:a:b ", "Send:DATACOMW:"}, 0, {"s4=33", "s5=2", "s34=a:b "}},
        {{"Send:COM1E", "Send:COM1D", "Send:COM21", "Send:COM22"}, 0, {"s13=0", "s17=1", "s29=1", "s30=0"}},
        // Backlight duration is no setting of RX_Macro_Creator, but a line it knows.
        {{"Send:DATACOM]:12", "Send:K0010", "Send:KFF87", "", " \t"}, 0, {}},
        {{"Send:DATACOM]:12"}, 0, {"s35=12"}, Variant::Kt},
        // Two-way lines match whole; keys match in case and all.
        {{"Send:COM1E ", "Send:COM1", "send:DATACOM_:1", "Send:DATACOM_", "Send:DATACOMU;1", "Send:DATACOMQ:1",
          "Send:PDT99:1", "#"}, 8, {}},
        // Protocol lines go to the most recent protocol number 1..26 before them.
        {{"Send:PDT07:orphan", "Send:PDT06:2", "Send:PDT07:Y", "Send:PDT06:27", "Send:PDT07:Z"}, 3, {"2:07=Y"}},
        {{"Send:PDT06:0", "Send:PDT07:Z", "Send:PDT06:-1", "Send:PDT06:26", "Send:PDT07:X"}, 3, {"26:07=X"}},
        {{"Send:PDT06:3", "Send:PDT06:abc", "Send:PDT06:40000", "Send:PDT06:", "Send:PDT07:X", "Send:PDT07:W"}, 3, {"3:07=W"}},
        {{"Send:PDT06: 4 ", "Send:PDT02:1", "Send:PDT06:4.4", "Send:PDT23:2", "Send:PDT06:9", "Send:PDT20:3"}, 0, {"4:23=2", "4:02=1", "9:20=3"}},
        {{"Send:PDT06:1", "Send:PDT19:a", "Send:PDT16:b", "Send:PDT01:c", "Send:PDT21:d", "Send:PDT09:e", "Send:PDT22:f",
          "Send:PDT10:g", "Send:PDT17:h"}, 0,
         {"1:19=a", "1:16=b", "1:01=c", "1:21=d", "1:09=e", "1:22=f", "1:10=g", "1:17=h"}},
        // "0" alone is mL Only; a minus sign marks mcg/mL; anything else is mg/mL.
        {{"Send:PDT06:1", "Send:PDT05:0", "Send:PDT06:2", "Send:PDT05:-50", "Send:PDT06:3", "Send:PDT05:00",
          "Send:PDT06:4", "Send:PDT05:--1", "Send:PDT06:5", "Send:PDT05:"}, 0,
         {"1:05=0", "1:unit=0", "2:05=50", "2:unit=2", "3:05=00", "3:unit=1", "4:05=-1", "4:unit=2", "5:unit=1"}},
        {{"Send:PDT30:one", "Send:PDT30:two  "}, 0, {"title=two  "}},
    };
    for (const Case& c : cases) {
        const ReadMacro result = readProtocolMacro(joinCrLf(c.lines), c.variant, Point);
        EXPECT_EQ(held(result.macro), c.held) << c.lines.front();
        EXPECT_EQ(result.linesNotUnderstood, c.notUnderstood) << c.lines.front();
    }
    // The macro is emptied first, but a title the file lacks stays.
    ProtocolMacro macro;
    macro.PumpSettings[1] = macro.ProtocolDrugName[5] = "old";
    macro.MacroTitle = "OLD     ";
    EXPECT_EQ(readProtocolMacroInto(macro, "Send:DATACOMT:9", Variant::Rx, Point), 0);
    EXPECT_EQ(held(macro), (Lines{"s2=9", "title=OLD     "}));
}

// Macros as the pages store them: saved, opened and saved again, byte for
// byte, whatever the line ends and the regional format.
TEST(MacroRoundTrip, SavedMacrosOpenAgainToTheSameBytes) {
    for (const Variant variant : {Variant::Rx, Variant::Kt}) {
        for (const NumberFormat format : {Point, NumberFormat{','}}) {
            testing::RandomProtocolMacro random(variant == Variant::Rx ? 7 : 11, variant, format);
            for (int i = 0; i < 300; ++i) {
                ProtocolMacro expected = random.macro();
                const std::string name = random.name(), bytes = writeProtocolMacro(expected, variant, name);
                expected.MacroTitle = padRight(name, MacroNameWidth);
                for (int n = 1; n <= ProtocolCount; ++n)
                    if (expected.ProtocolConcUnit[n] == "0") expected.ProtocolConcentration[n] = "0";  // "Send:PDT05:0"
                std::string otherEnds;
                for (const auto line : splitLines(bytes)) otherEnds += std::string(line) + (i % 2 ? "\n" : "\r");
                for (const std::string& file : {bytes, otherEnds}) {
                    const ReadMacro back = readProtocolMacro(file, variant, format);
                    ASSERT_EQ(back.macro, expected) << i;
                    ASSERT_EQ(back.linesNotUnderstood, 0);
                }
            }
        }
    }
    // The one window's file in the other: Backlight duration is lost, nothing else.
    const ProtocolMacro macro = testing::RandomProtocolMacro(3, Variant::Kt, Point).macro();
    const ReadMacro inRx = readProtocolMacro(writeProtocolMacro(macro, Variant::Kt, "K"), Variant::Rx, Point);
    EXPECT_EQ(inRx.macro.PumpSettings[35], "");
    EXPECT_EQ(inRx.macro.PumpSettings[34], macro.PumpSettings[34]);
    EXPECT_EQ(inRx.linesNotUnderstood, 0);
}

}  // namespace
}  // namespace mc::protocols
