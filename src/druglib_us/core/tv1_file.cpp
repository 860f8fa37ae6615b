#include "druglib_us/core/tv1_file.hpp"

#include <limits>
#include <optional>
#include <vector>

#include "shell/core/decimal.hpp"
#include "shell/core/text.hpp"

namespace mc::druglib_us {
namespace {

constexpr std::string_view StartLine = "TYPE=STARTDRUGLIBRARY";
constexpr std::string_view EntryPrefix = "TYPE=SETDRUGENTRY,DE=";
constexpr std::string_view FinishPrefix = "TYPE=FINISHDRUGLIBRARY,NAME=";

std::string departmentPrefix(int number) { return "TYPE=SETDEPARTMENT,DE=" + std::to_string(number) + ",NAME="; }

bool usesBolusRate(const DrugEntry& entry) { return entry.BolusTimeUnits == "NOTIME"; }

// The whole numbers of the file: plain decimals, rounded like every typed number.
template <typename Int>
std::optional<Int> wholeNumber(std::string_view text) {
    const auto value = Decimal::parse(text, NumberFormat{});
    if (!value) return std::nullopt;
    const std::int64_t rounded = value->roundedAt(0);
    if (rounded < std::numeric_limits<Int>::min() || rounded > std::numeric_limits<Int>::max()) return std::nullopt;
    return static_cast<Int>(rounded);
}

// The fields of one entry line after its number, each up to the key of the
// next one. Returns false when a key is missing.
bool readEntryFields(std::string_view rest, DrugEntry& entry) {
    bool found = true;
    auto take = [&](std::string_view key1, std::string_view key2 = {}) {
        return ExtractValue(rest, key1, key2.empty() ? key1 : key2, found);
    };
    entry.DrugName = take("WLS=", ",WLS=");
    entry.WeightLowerSoft = wholeNumber<std::int16_t>(take(",WUS=")).value_or(0);
    entry.WeightUpperSoft = wholeNumber<std::int16_t>(take(",CU=")).value_or(0);
    entry.ConcUnits = take(",C=");
    entry.Concentration = take(",DRU=");
    entry.DoseUnits = take(",DRLS=");
    entry.DoseRateLowerSoft = take(",DRUS=");
    entry.DoseRateUpperSoft = take(",DRLH=");
    entry.DoseRateLowerHard = take(",DRUH=");
    entry.DoseRateUpperHard = take(",DR=");
    entry.DoseRateInitial = take(",BP=");
    entry.BolusMode = take(",BD=");
    entry.BolusInitial = take(",BTU=");
    entry.BolusTimeUnits = take(",BR=", ",BT=");
    (usesBolusRate(entry) ? entry.BolusRate : entry.BolusTime) = take(",BDLS=");
    entry.BolusLowerSoft = take(",BDUS=");
    entry.BolusUpperSoft = take(",BDLH=");
    entry.BolusLowerHard = take(",BDUH=");
    entry.BolusUpperHard = take(",DEPART=");
    entry.DrugDepartments = wholeNumber<std::int32_t>(rest).value_or(0);
    return found;
}

}  // namespace

std::string ExtractValue(std::string_view& line, std::string_view key1, std::string_view key2, bool& found) {
    for (std::size_t i = 0; i < line.size(); ++i) {
        const std::string_view from = line.substr(i);
        const std::string_view key = from.starts_with(key1) ? key1 : from.starts_with(key2) ? key2 : std::string_view{};
        if (!key.empty()) {
            std::string value(line.substr(0, i));
            line.remove_prefix(i + key.size());
            return value;
        }
    }
    std::string value(line);
    line = {};
    found = false;
    return value;
}

std::string writeTv1(const UsDrugLibrary& library, const std::string& macroName) {
    std::vector<std::string> lines{std::string(StartLine)};
    for (int k = 0; k < DepartmentCount; ++k) lines.push_back(departmentPrefix(k) + library.DepartmentName[k + 1]);
    for (int i = 1; i <= library.DrugCount; ++i) {
        const DrugEntry& e = library.Drug[i];
        const std::string bolusTime =
            usesBolusRate(e) ? ",BR=" + e.BolusRate : ",BT=" + e.BolusTime;
        lines.push_back(std::string(EntryPrefix) + std::to_string(i) + ",DN=" + e.DrugName +
                        ",WLS=" + std::to_string(e.WeightLowerSoft) + ",WUS=" + std::to_string(e.WeightUpperSoft) +
                        ",CU=" + e.ConcUnits + ",C=" + e.Concentration + ",DRU=" + e.DoseUnits +
                        ",DRLS=" + e.DoseRateLowerSoft + ",DRUS=" + e.DoseRateUpperSoft +
                        ",DRLH=" + e.DoseRateLowerHard + ",DRUH=" + e.DoseRateUpperHard +
                        ",DR=" + e.DoseRateInitial + ",BP=" + e.BolusMode + ",BD=" + e.BolusInitial +
                        ",BTU=" + e.BolusTimeUnits + bolusTime + ",BDLS=" + e.BolusLowerSoft +
                        ",BDUS=" + e.BolusUpperSoft + ",BDLH=" + e.BolusLowerHard + ",BDUH=" + e.BolusUpperHard +
                        ",DEPART=" + std::to_string(e.DrugDepartments));
    }
    lines.push_back(std::string(FinishPrefix) + macroName);
    return joinCrLf(lines);
}

UsDrugLibrary asSaved(UsDrugLibrary library) {
    for (int i = 1; i <= library.DrugCount; ++i) {
        DrugEntry& entry = library.Drug[i];
        (usesBolusRate(entry) ? entry.BolusTime : entry.BolusRate).clear();
    }
    return library;
}

Tv1Read readTv1(std::string_view bytes) {
    Tv1Read read;
    UsDrugLibrary& library = read.library;
    const auto lines = splitLines(bytes);
    std::size_t next = 0;
    auto refuse = [&](std::size_t line, std::string cause) {
        read.refusedLine = static_cast<int>(line);
        read.cause = std::move(cause);
        return read;
    };
    if (next >= lines.size()) return refuse(0, "the file is empty");
    if (lines[next++] != StartLine) return refuse(1, "the first line is not " + std::string(StartLine));
    for (int k = 0; k < DepartmentCount; ++k) {
        const std::string prefix = departmentPrefix(k);
        if (next >= lines.size()) return refuse(0, "the file ends before the line " + prefix);
        const std::string_view line = lines[next++];
        if (!line.starts_with(prefix)) return refuse(next, "the line does not begin with " + prefix);
        library.DepartmentName[k + 1] = std::string(line.substr(prefix.size()));
    }
    // Entry lines, numbered 1, 2, 3.. without gaps, until the finish line;
    // whatever follows the finish line is never read.
    for (; next < lines.size(); ++next) {
        std::string_view line = lines[next];
        const std::size_t lineNumber = next + 1;
        if (line.starts_with(FinishPrefix)) {
            read.accepted = true;
            return read;
        }
        if (line.empty()) continue;
        if (!line.starts_with(EntryPrefix)) return refuse(lineNumber, "the line is no drug entry and no finish line");
        line.remove_prefix(EntryPrefix.size());
        bool found = true;
        const auto number = wholeNumber<std::int16_t>(ExtractValue(line, ",DN=", ",DN=", found));
        const int expected = library.DrugCount + 1;
        if (!found) return refuse(lineNumber, "the field ,DN= is missing");
        if (expected > MaxDrugCount) return refuse(lineNumber, "a library holds at most 128 drug entries");
        if (!number || *number != expected)
            return refuse(lineNumber, "the entry should be numbered " + std::to_string(expected));
        library.DrugCount = expected;
        if (!readEntryFields(line, library.Drug[expected]))
            return refuse(lineNumber, "a field of the entry is missing or out of order");
    }
    return refuse(0, "the finish line TYPE=FINISHDRUGLIBRARY,NAME= is missing");
}

}  // namespace mc::druglib_us
