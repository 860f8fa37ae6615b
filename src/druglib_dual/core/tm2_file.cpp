#include "druglib_dual/core/tm2_file.hpp"

#include "druglib_dual/core/tm2_lines.hpp"

#include <cstdint>
#include <optional>
#include <vector>

#include "shell/core/hex.hpp"
#include "shell/core/text.hpp"

namespace mc::druglib {
namespace {

using namespace tm2;

std::string departmentLine(int department, const std::string& name) {
    return padRight(std::string(DepartmentKey) + toDecimal(static_cast<std::uint32_t>(department), static_cast<int>(DepartmentNumberWidth)) +
                        "=" + name,
                    DepartmentLineLength);
}

// Key, number, name and comma, then the unit code, the four limit codes and
// the department mask.
std::string drugLineWithoutChecksum(const DrugLibrary& library, int drug, const DrugLineForm& form) {
    std::string line = padRight(std::string(form.key) + toDecimal(static_cast<std::uint32_t>(drug), static_cast<int>(DrugNumberWidth)) +
                                    "=" + library.DrugNames[drug],
                                form.commaColumn());
    line += ',';
    const std::uint32_t values[] = {library.DrugUnitCodes[drug], library.ConcMinCodes[drug], library.ConcMaxCodes[drug],
                                    library.DoseMinCodes[drug],  library.DoseMaxCodes[drug], library.DepartmentMasks[drug]};
    for (std::size_t i = 0; i < DrugHexFields.size(); ++i) line += toHex(values[i], static_cast<int>(DrugHexFields[i].width));
    return line;
}

std::vector<std::string> departmentLines(const DrugLibrary& library) {
    std::vector<std::string> lines;
    for (int d = 1; d <= DepartmentCount; ++d) lines.push_back(departmentLine(d, library.DepartmentNames[d]));
    return lines;
}

// A field that is not hex leaves the value it had.
void readHexField(std::string_view field, std::uint32_t& value) {
    if (const auto parsed = parseHexField(field)) value = *parsed;
}

std::optional<int> numberInRange(std::string_view field, int last) {
    const auto number = parseDecimalField(field);
    if (!number || *number < 1 || *number > static_cast<std::uint32_t>(last)) return std::nullopt;
    return static_cast<int>(*number);
}

bool readDepartmentLine(std::string_view line, DrugLibrary& library) {
    if (line.size() != DepartmentLineLength || !line.starts_with(DepartmentKey) ||
        line[DepartmentEquals] != '=')
        return false;
    const auto department = numberInRange(line.substr(NumberStart, DepartmentNumberWidth), DepartmentCount);
    if (!department) return false;
    library.DepartmentNames[*department] = std::string(line.substr(DepartmentEquals + 1));
    return true;
}

bool readDrugLine(std::string_view line, const DrugLineForm& form, std::size_t storedNameWidth,
                  DrugLibrary& library) {
    if (line.size() != form.length() || !line.starts_with(form.key) || line[DrugEquals] != '=' ||
        line[form.commaColumn()] != ',')
        return false;
    const auto found = numberInRange(line.substr(NumberStart, DrugNumberWidth), DrugCount);
    if (!found) return false;
    const int drug = *found;
    library.DrugNames[drug] = padRight(std::string(line.substr(DrugNameStart, form.nameWidth)), storedNameWidth);
    const std::string_view fields = line.substr(form.fieldsStart(), DrugFieldsWidth);
    std::uint32_t* const values[] = {&library.DrugUnitCodes[drug], &library.ConcMinCodes[drug],
                                     &library.ConcMaxCodes[drug],  &library.DoseMinCodes[drug],
                                     &library.DoseMaxCodes[drug],  &library.DepartmentMasks[drug]};
    for (std::size_t i = 0; i < DrugHexFields.size(); ++i)
        readHexField(fields.substr(DrugHexFields[i].offset, DrugHexFields[i].width), *values[i]);
    return true;
}

bool readLibraryLine(std::string_view line, DrugLibrary& library) {
    if (line.size() != LibraryLineLength || !line.starts_with(LibraryKey)) return false;
    library.LibraryName = std::string(line.substr(LibraryKey.size()));
    return true;
}

// Counts what a reader made of one line.
void count(std::string_view line, bool understood, Tm2LineCount* counted) {
    if (!counted) return;
    if (line.starts_with(Release041Line.key) || line.starts_with(LibraryKey)) ++counted->release041Lines;
    if (line.starts_with(Release036Line.key)) ++counted->release036Lines;
    if (!understood && line.find_first_not_of(" \t") != std::string_view::npos) ++counted->notUnderstood;
}

}  // namespace

// The pump's check over the name bytes and then the twelve hex byte pairs of a
// "D41:" line: S is a plain sum, F a Fletcher-like running sum whose doubling
// reduces by 255 and whose addition reduces by 256. The number, "=" and ","
// are outside it.
std::string release041Checksum(std::string_view line) {
    unsigned sum = 0;
    unsigned fletcher = 0;
    auto add = [&](unsigned byte) {
        sum += byte;
        if (sum > 255) sum -= 256;
        fletcher *= 2;
        if (fletcher > 255) fletcher -= 255;
        fletcher += byte;
        if (fletcher > 255) fletcher -= 256;
    };
    const std::size_t fieldsStart = Release041Line.fieldsStart();
    if (line.size() < fieldsStart + DrugFieldsWidth) return {};
    for (std::size_t i = DrugNameStart; i < Release041Line.commaColumn(); ++i)
        add(static_cast<unsigned char>(line[i]));
    // Only a name longer than its field could push non-hex text into the pairs;
    // the editor never holds one.
    for (std::size_t i = fieldsStart; i < fieldsStart + DrugFieldsWidth; i += 2)
        add(parseHexField(line.substr(i, 2)).value_or(0));
    return toHex(sum, 2) + toHex(fletcher, 2);
}

std::string writeTm2Release041(const DrugLibrary& library, std::string_view libraryName) {
    std::vector<std::string> lines = departmentLines(library);
    for (int n = 1; n <= DrugCount; ++n) {
        std::string line = drugLineWithoutChecksum(library, n, Release041Line);
        line += release041Checksum(line);
        lines.push_back(std::move(line));
    }
    lines.push_back(padRight(std::string(LibraryKey) + std::string(libraryName), LibraryLineLength));
    return joinCrLf(lines);
}

std::string writeTm2Release036(const DrugLibrary& library) {
    std::vector<std::string> lines = departmentLines(library);
    for (int n = 1; n <= DrugCount; ++n) lines.push_back(drugLineWithoutChecksum(library, n, Release036Line));
    return joinCrLf(lines);
}

// The forms differ in length, so at most one of the line readers takes a line
// and the first that takes it ends the search.
DrugLibrary readTm2Release041(std::string_view bytes, Tm2LineCount* counted) {
    DrugLibrary library;
    for (const std::string_view line : splitLines(bytes)) {
        const bool understood = readDepartmentLine(line, library) ||
                                readDrugLine(line, Release036Line, DrugNameWidth041, library) ||
                                readDrugLine(line, Release041Line, DrugNameWidth041, library) ||
                                readLibraryLine(line, library);
        count(line, understood, counted);
    }
    return library;
}

DrugLibrary readTm2Release036(std::string_view bytes, Tm2LineCount* counted) {
    DrugLibrary library;
    for (const std::string_view line : splitLines(bytes)) {
        const bool understood =
            readDepartmentLine(line, library) || readDrugLine(line, Release036Line, DrugNameWidth036, library);
        count(line, understood, counted);
    }
    return library;
}

DrugLibrary readTm2(std::string_view bytes, Release release, Tm2LineCount* counted) {
    return release == Release::R041 ? readTm2Release041(bytes, counted) : readTm2Release036(bytes, counted);
}

std::string writeTm2(const DrugLibrary& library, Release release, std::string_view libraryName) {
    return release == Release::R041 ? writeTm2Release041(library, libraryName) : writeTm2Release036(library);
}

DrugLibrary asSaved(const DrugLibrary& library, Release release, std::string_view libraryName) {
    DrugLibrary saved = library;
    for (int d = 1; d <= DepartmentCount; ++d)
        saved.DepartmentNames[d] = padRight(saved.DepartmentNames[d], DepartmentNameWidth);
    const std::size_t nameWidth = release == Release::R041 ? DrugNameWidth041 : DrugNameWidth036;
    for (int n = 1; n <= DrugCount; ++n) saved.DrugNames[n] = padRight(saved.DrugNames[n], nameWidth);
    saved.LibraryName = release == Release::R041 ? padRight(std::string(libraryName), LibraryNameWidth) : "";
    return saved;
}

}  // namespace mc::druglib
