#include "protocols/core/macro_file.hpp"

#include <algorithm>
#include <array>
#include <optional>
#include <vector>

#include "shell/core/number_text.hpp"
#include "shell/core/text.hpp"

namespace mc::protocols {
namespace {

// One setting line of the file, in file order. A value line carries the
// setting after "Send:DATACOM" + code + ":"; a two-way line (code 0) is one
// of two whole lines, for "0" and for "1".
struct SettingLine {
    int field;
    char code;
    std::string_view off = {};
    std::string_view on = {};
};

constexpr std::array<SettingLine, MaxSettingCount> SettingLines{{
    {1, '_'},  {2, 'T'},  {4, 'U'},  {3, 'V'},  {5, '`'},  {6, 'a'},  {7, 'b'},
    {8, 'c'},  {9, 'd'},  {10, 'e'}, {11, 'f'}, {12, 'g'}, {13, 0, "Send:COM1E", "Send:COM1F"},
    {14, 'W'}, {15, 'X'}, {16, 'Y'}, {17, 0, "Send:COM1C", "Send:COM1D"},
    {18, 'H'}, {19, 'P'}, {20, 'L'}, {21, '3'}, {22, '4'}, {23, 'E'}, {24, '5'},
    {25, '6'}, {26, '7'}, {27, 'R'}, {28, 'Z'}, {29, 0, "Send:COM20", "Send:COM21"},
    {30, 0, "Send:COM22", "Send:COM23"},
    {31, '['}, {32, 'G'}, {33, '^'}, {34, '\\'},
    {35, ']'},  // Backlight duration, only in Macro_Creator
}};

constexpr std::string_view SettingPrefix = "Send:DATACOM";
constexpr std::size_t SettingKeyLength = SettingPrefix.size() + 2;  // code character and ':'

std::string settingKey(char code) { return std::string(SettingPrefix) + code + ':'; }

// The lines between the settings and the protocols; the pump needs them, the
// macro holds nothing of them.
constexpr std::array<std::string_view, 3> FixedCommands{"Send:K0010", "Send:K0010", "Send:KFF87"};

using ProtocolArray = Table<std::string, ProtocolCount> ProtocolMacro::*;

struct ProtocolLine {
    std::string_view key;
    ProtocolArray array;
};

constexpr std::string_view NumberKey = "Send:PDT06:";
constexpr std::string_view ConcentrationKey = "Send:PDT05:";
constexpr std::string_view NameKey = "Send:PDT30:";
constexpr std::size_t ProtocolKeyLength = NumberKey.size();

// The protocol lines in file order; the concentration line stands between
// the bag volume and the initial rate.
constexpr std::array<ProtocolLine, 5> LinesBeforeConcentration{{
    {"Send:PDT07:", &ProtocolMacro::ProtocolDrugName},
    {"Send:PDT19:", &ProtocolMacro::ProtocolDosavia},
    {"Send:PDT23:", &ProtocolMacro::ProtocolMinWeight},
    {"Send:PDT20:", &ProtocolMacro::ProtocolMaxWeight},
    {"Send:PDT02:", &ProtocolMacro::ProtocolBagVolume},
}};
constexpr std::array<ProtocolLine, 7> LinesAfterConcentration{{
    {"Send:PDT16:", &ProtocolMacro::ProtocolInitialRate},
    {"Send:PDT01:", &ProtocolMacro::ProtocolTitrationLimit},
    {"Send:PDT21:", &ProtocolMacro::ProtocolBolusType},
    {"Send:PDT09:", &ProtocolMacro::ProtocolBolusDose},
    {"Send:PDT22:", &ProtocolMacro::ProtocolMaxBolus},
    {"Send:PDT10:", &ProtocolMacro::ProtocolLockoutTime},
    {"Send:PDT17:", &ProtocolMacro::ProtocolLimit},
}};

// "Send:PDT05:0" is "mL Only"; a minus sign before the number marks mcg/mL.
constexpr std::string_view MlOnlyLine = "Send:PDT05:0";
constexpr char McgMark = '-';

bool inVariant(const SettingLine& line, Variant variant) { return line.field <= settingCount(variant); }

std::optional<std::string> concentrationLine(const ProtocolMacro& macro, int n) {
    const std::string& unit = macro.ProtocolConcUnit[n];
    const std::string& concentration = macro.ProtocolConcentration[n];
    if (unit == "0") return std::string(MlOnlyLine);
    if (unit == "1") return std::string(ConcentrationKey) + concentration;
    if (unit == "2") return std::string(ConcentrationKey) + McgMark + concentration;
    return std::nullopt;  // a protocol never filled
}

// The protocol number of a "Send:PDT06:" line, read as a 16-bit whole number.
std::optional<int> protocolNumber(std::string_view text, const NumberFormat& format) {
    if (!ToIntegerVal(text, format)) return std::nullopt;
    return static_cast<int>(Decimal::parse(text, format)->roundedAt(0));
}

bool isBlank(std::string_view line) { return line.find_first_not_of(" \t") == std::string_view::npos; }

class Reader {
public:
    Reader(ProtocolMacro& macro, Variant variant, const NumberFormat& format)
        : macro_(macro), variant_(variant), format_(format) {}

    // True when the line put something into the macro or is one of the
    // writer's own fixed commands.
    bool take(std::string_view line) {
        if (line.starts_with(SettingPrefix)) return takeSettingValue(line);
        for (const auto& setting : SettingLines) {
            if (setting.code == 0 && (line == setting.off || line == setting.on)) {
                macro_.PumpSettings[setting.field] = line == setting.off ? "0" : "1";
                return true;
            }
        }
        if (line.starts_with(NameKey)) {
            macro_.MacroTitle = std::string(line.substr(NameKey.size()));
            return true;
        }
        if (line.starts_with(NumberKey)) {
            // A number that does not convert leaves the current one in force.
            const auto number = protocolNumber(line.substr(NumberKey.size()), format_);
            if (!number) return false;
            current_ = *number;
            return hasProtocol();
        }
        for (const auto& protocolLine : LinesBeforeConcentration)
            if (line.starts_with(protocolLine.key)) return store(protocolLine.array, line.substr(ProtocolKeyLength));
        for (const auto& protocolLine : LinesAfterConcentration)
            if (line.starts_with(protocolLine.key)) return store(protocolLine.array, line.substr(ProtocolKeyLength));
        if (line.starts_with(ConcentrationKey)) return takeConcentration(line);
        return isFixedCommand(line);
    }

private:
    bool takeSettingValue(std::string_view line) {
        if (line.size() < SettingKeyLength || line[SettingKeyLength - 1] != ':') return false;
        for (const auto& setting : SettingLines) {
            if (setting.code == 0 || setting.code != line[SettingPrefix.size()]) continue;
            // Macro_Creator's Backlight duration line: known, but not a setting here.
            if (!inVariant(setting, variant_)) return true;
            macro_.PumpSettings[setting.field] = std::string(line.substr(SettingKeyLength));
            return true;
        }
        return false;
    }

    bool hasProtocol() const { return current_ >= 1 && current_ <= ProtocolCount; }

    bool store(ProtocolArray array, std::string_view value) {
        if (!hasProtocol()) return false;
        (macro_.*array)[current_] = std::string(value);
        return true;
    }

    bool takeConcentration(std::string_view line) {
        if (!hasProtocol()) return false;
        std::string_view value = line.substr(ConcentrationKey.size());
        std::string unit = "1";
        if (line == MlOnlyLine) {
            unit = "0";
        } else if (value.starts_with(McgMark)) {
            unit = "2";
            value.remove_prefix(1);
        }
        macro_.ProtocolConcUnit[current_] = unit;
        macro_.ProtocolConcentration[current_] = std::string(value);
        return true;
    }

    bool isFixedCommand(std::string_view line) const {
        return std::find(FixedCommands.begin(), FixedCommands.end(), line) != FixedCommands.end();
    }

    ProtocolMacro& macro_;
    Variant variant_;
    const NumberFormat& format_;
    int current_ = 0;
};

}  // namespace

std::string writeProtocolMacro(const ProtocolMacro& macro, Variant variant, std::string_view macroName) {
    std::vector<std::string> lines;
    for (const auto& setting : SettingLines) {
        if (!inVariant(setting, variant)) continue;
        const std::string& value = macro.PumpSettings[setting.field];
        if (setting.code != 0)
            lines.push_back(settingKey(setting.code) + value);
        else if (value == "0" || value == "1")  // anything else, "" after New, writes no line
            lines.emplace_back(value == "0" ? setting.off : setting.on);
    }
    lines.insert(lines.end(), FixedCommands.begin(), FixedCommands.end());
    for (int n = 1; n <= ProtocolCount; ++n) {
        lines.push_back(std::string(NumberKey) + std::to_string(n));
        for (const auto& line : LinesBeforeConcentration) lines.push_back(std::string(line.key) + (macro.*line.array)[n]);
        if (auto line = concentrationLine(macro, n)) lines.push_back(std::move(*line));
        for (const auto& line : LinesAfterConcentration) lines.push_back(std::string(line.key) + (macro.*line.array)[n]);
    }
    lines.push_back(std::string(NameKey) + padRight(std::string(macroName), MacroNameWidth));
    return joinCrLf(lines);
}

int readProtocolMacroInto(ProtocolMacro& macro, std::string_view bytes, Variant variant, const NumberFormat& format) {
    macro.ResetMacro();
    Reader reader(macro, variant, format);
    int notUnderstood = 0;
    for (const std::string_view line : splitLines(bytes))
        if (!reader.take(line) && !isBlank(line)) ++notUnderstood;
    return notUnderstood;
}

ReadMacro readProtocolMacro(std::string_view bytes, Variant variant, const NumberFormat& format) {
    ReadMacro result;
    result.linesNotUnderstood = readProtocolMacroInto(result.macro, bytes, variant, format);
    return result;
}

}  // namespace mc::protocols
