// Spreadsheets: what the CSV reader makes of files as spreadsheet programs
// save them, and libraries that go out to a spreadsheet and come back the
// same, byte for byte.
#include <gtest/gtest.h>

#include <random>

#include "cli/core/csv_table.hpp"
#include "cli/core/library_sheet.hpp"
#include "druglib_dual/core/limit_codes.hpp"
#include "druglib_dual/core/tm2_file.hpp"
#include "druglib_dual/core/unit_codes.hpp"
#include "druglib_us/core/tv1_file.hpp"
#include "shell/core/macro_files.hpp"
#include "support/random_us_library.hpp"
#include "support/temp_folder.hpp"

namespace mc::cli {
namespace {

using Rows = std::vector<std::vector<std::string>>;

Rows texts(const CsvTable& table) {
    Rows rows;
    for (const auto& row : table.rows) {
        rows.emplace_back();
        for (const CsvCell& cell : row) rows.back().push_back(cell.text);
    }
    return rows;
}

// ---- reading ------------------------------------------------------------------

struct ReadCase {
    const char* what;
    std::string bytes;
    char separator;
    bool utf8;
    Rows rows;
};

TEST(ReadCsv, TakesFilesAsSpreadsheetProgramsSaveThem) {
    const ReadCase cases[] = {
        {"LF line ends", "a,b\nc,d\n", ',', true, {{"a", "b"}, {"c", "d"}}},
        {"CR LF, the last line without one", "a,b\r\nc,d", ',', true, {{"a", "b"}, {"c", "d"}}},
        {"byte-order mark, semicolons and decimal commas", "\xEF\xBB\xBF" "a;b\r\n1,5;2\r\n", ';', true,
         {{"a", "b"}, {"1,5", "2"}}},
        {"quoted separator and quotes", "\"x,y\",\"say \"\"hi\"\"\"\r\n", ',', true, {{"x,y", "say \"hi\""}}},
        {"a quoted first field holding the other separator", "\"a;b\",c\r\n", ',', true, {{"a;b", "c"}}},
        {"a line break inside quotes stays in its field", "\"l1\r\nl2\",z\r\nnext,row\r\n", ',', true,
         {{"l1\r\nl2", "z"}, {"next", "row"}}},
        {"blanks around a field are part of it", " a , b\r\n", ',', true, {{" a ", " b"}}},
        {"empty fields", ",,\r\n", ',', true, {{"", "", ""}}},
        {"UTF-8 is turned into Latin-1", "caf\xC3\xA9\r\n", ',', true, {{"caf\xE9"}}},
        {"a file that is not UTF-8 is Latin-1", "caf\xE9\r\n", ',', false, {{"caf\xE9"}}},
    };
    for (const ReadCase& c : cases) {
        const CsvTable table = readCsv(c.bytes);
        EXPECT_EQ(table.error, "") << c.what;
        EXPECT_EQ(table.separator, c.separator) << c.what;
        EXPECT_EQ(table.utf8, c.utf8) << c.what;
        EXPECT_EQ(texts(table), c.rows) << c.what;
    }
}

struct CellFaultCase {
    const char* what;
    std::string bytes;
    std::string fault;  // a part of it
};

TEST(ReadCsv, MarksFieldsNoBoxCanTake) {
    const CellFaultCase cases[] = {
        {"a character beyond Latin-1", "\xE2\x82\xAC", "U+20AC, which Latin-1 cannot hold"},
        {"a line break", "\"a\nb\"", "line break"},
        {"a tab", "\"a\tb\"", "control character"},
        {"a Windows-1252 byte that is a control character in Latin-1", "\x80uro", "control character"},
        {"broken UTF-8 after a byte-order mark", "\xEF\xBB\xBF" "a\xC3", "not well-formed UTF-8"},
        {"a plain name", "Heparin", ""},
    };
    for (const CellFaultCase& c : cases) {
        const CsvTable table = readCsv(c.bytes);
        ASSERT_EQ(table.rows.size(), 1u) << c.what;
        const std::string& fault = table.rows[0][0].fault;
        if (c.fault.empty()) EXPECT_EQ(fault, "") << c.what;
        else EXPECT_NE(fault.find(c.fault), std::string::npos) << c.what << ": " << fault;
    }
}

TEST(ReadCsv, RefusesWhatIsNoCsv) {
    for (const char* bytes : {"\"never closed\r\n", "a\"b,c\r\n", "\"a\"b,c\r\n"})
        EXPECT_NE(readCsv(bytes).error, "") << bytes;
}

TEST(WriteCsv, QuotesEveryFieldAndReadsBackTheSame) {
    EXPECT_EQ(writeCsv({{"a", "b\"c"}, {"", "x,y"}}), "\"a\",\"b\"\"c\"\r\n\"\",\"x,y\"\r\n");
    const Rows rows{{"Drug Number", "Department 1: ICU; \"A\"", " lead", "trail "}, {"7", "x", "caf\xE9", ""}};
    EXPECT_EQ(texts(readCsv(writeCsv(rows))), rows);
}

// ---- round trips over generated libraries ---------------------------------------

std::string randomText(std::mt19937& random, std::size_t longest, std::string_view alphabet) {
    const std::size_t length = std::uniform_int_distribution<std::size_t>(0, longest)(random);
    std::string text;
    for (std::size_t i = 0; i < length; ++i)
        text += alphabet[std::uniform_int_distribution<std::size_t>(0, alphabet.size() - 1)(random)];
    return text;
}

int between(std::mt19937& random, int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); }

constexpr std::string_view DrugLetters = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789 -\xE9\xFC";
// Department names may hold what a CSV must quote.
constexpr std::string_view DepartmentLetters = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefgh 0123456789-,;\"\xE9";

// Two codes in order from `low`..`high`, none of them in `gap`.
std::pair<std::uint32_t, std::uint32_t> limits(std::mt19937& random, int low, int high, int gapEnd = 0) {
    auto pick = [&] {
        const int code = between(random, low, high);
        return static_cast<std::uint32_t>(code > 0 && code < gapEnd ? 0 : code);
    };
    auto a = pick(), b = pick();
    if (a > b) std::swap(a, b);
    return {a, b};
}

druglib::DrugLibrary generatedDrugLibrary(std::mt19937& random, bool release041) {
    using namespace druglib;
    DrugLibrary library;
    for (int d = 1; d <= DepartmentCount; ++d) library.DepartmentNames[d] = randomText(random, 20, DepartmentLetters);
    const int drugs = between(random, 0, 40);
    for (int i = 0; i < drugs; ++i) {
        const int n = between(random, 1, DrugCount);
        library.DrugNames[n] = randomText(random, release041 ? 14 : 10, DrugLetters);
        library.DepartmentMasks[n] = static_cast<std::uint32_t>(between(random, 0, (1 << MaskDepartmentCount) - 1));
        if (release041) {
            const int concentration = between(random, 0, ConcentrationUnitCount - 1);
            const ConcentrationUnit& unit = concentrationUnits()[static_cast<std::size_t>(concentration)];
            const int vial = unit.vialUnits.size() > 1 ? between(random, 0, 1) : 0;
            const int dose = *doseIndexAt(unit, between(random, 0, static_cast<int>(unit.doseUnits.size()) - 1));
            library.DrugUnitCodes[n] = makeUnitCode(concentration, vial, dose);
            // 0 or 0.01 to 1000; "mL Only" keeps no concentration.
            const auto [concMin, concMax] = concentration == 7 ? std::pair{0u, 0u} : limits(random, 0, 28000, 10);
            const auto [doseMin, doseMax] = limits(random, 0, 29500);  // up to 2500
            library.ConcMinCodes[n] = concMin;
            library.ConcMaxCodes[n] = concMax;
            library.DoseMinCodes[n] = doseMin;
            library.DoseMaxCodes[n] = doseMax;
        } else {
            library.DrugUnitCodes[n] = static_cast<std::uint32_t>(between(random, 0, 3));
            std::tie(library.ConcMinCodes[n], library.ConcMaxCodes[n]) = limits(random, 0, 65535);
            std::tie(library.DoseMinCodes[n], library.DoseMaxCodes[n]) = limits(random, 0, 65535);
        }
    }
    return library;
}

druglib_us::UsDrugLibrary generatedUsLibrary(std::mt19937& random) {
    mc::testing::RandomUsLibrary generate(static_cast<unsigned>(random()));
    return generate.library(between(random, 0, 3) == 0 ? druglib_us::MaxDrugCount : between(random, 1, 30));
}

struct RoundTrip {
    std::string csv;
    std::string written;  // empty when nothing was
    std::vector<SheetFault> faults;
    std::string error;
};

RoundTrip exportAndImport(SheetKind kind, const std::string& bytes, const std::string& macroName) {
    RoundTrip trip;
    trip.csv = exportSheet(kind, bytes).csv;
    const mc::testing::TempFolder folder;
    const SheetImport built = importSheet(kind, readCsv(trip.csv), folder.path(), macroName);
    trip.faults = built.faults;
    trip.error = built.error;
    if (built.written) trip.written = readFile(folder.path() / (macroName + sheetExtension(kind))).bytes;
    return trip;
}

std::string faultsText(const std::vector<SheetFault>& faults) {
    std::string text;
    for (const SheetFault& f : faults)
        text += "row " + std::to_string(f.row) + " " + f.column + " [" + f.value + "]: " + f.message + "\n";
    return text;
}

TEST(SheetRoundTrip, GivesBackEveryDrugLibraryByteForByte) {
    std::mt19937 random(20261206);
    for (int library = 0; library < 24; ++library) {
        const bool release041 = library % 2 == 0;
        const auto generated = generatedDrugLibrary(random, release041);
        const std::string bytes = release041 ? druglib::writeTm2Release041(generated, "WARD")
                                             : druglib::writeTm2Release036(generated);
        const RoundTrip trip =
            exportAndImport(release041 ? SheetKind::Release041 : SheetKind::Release036, bytes, "WARD");
        ASSERT_EQ(trip.error, "") << library;
        ASSERT_EQ(faultsText(trip.faults), "") << "library " << library << "\n" << trip.csv;
        ASSERT_EQ(trip.written, bytes) << "library " << library << "\n" << trip.csv;
    }
}

TEST(SheetRoundTrip, GivesBackEveryUsLibraryByteForByte) {
    std::mt19937 random(128);
    for (int library = 0; library < 8; ++library) {
        const std::string bytes = druglib_us::writeTv1(generatedUsLibrary(random), "ward");
        ASSERT_TRUE(druglib_us::readTv1(bytes).accepted) << library;
        const RoundTrip trip = exportAndImport(SheetKind::Us, bytes, "ward");
        ASSERT_EQ(trip.error, "") << library;
        ASSERT_EQ(faultsText(trip.faults), "") << "library " << library << "\n" << trip.csv;
        ASSERT_EQ(trip.written, bytes) << "library " << library << "\n" << trip.csv;
    }
}

}  // namespace
}  // namespace mc::cli
