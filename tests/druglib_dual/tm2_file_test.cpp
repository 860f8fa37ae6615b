#include <gtest/gtest.h>

#include <array>

#include "druglib_dual/core/tm2_explain.hpp"
#include "druglib_dual/core/tm2_file.hpp"
#include "shell/core/hex.hpp"
#include "shell/core/text.hpp"
#include "support/random_tm2_library.hpp"

namespace mc::druglib {
namespace {

constexpr Release R041 = Release::R041, R036 = Release::R036;
const std::string Zeros24(24, '0'), Library = "LIBRARY=NAME       ";
const std::string EmptyDrug = std::string(14, ' ') + "," + Zeros24 + "C07C";  // of release 041, after the "="
const std::string Morphine = "D41:0007=Morphine      ,0703E803E801F42710000005101B";
const std::array<std::uint32_t, 6> MorphineNumbers = {0x07, 0x3E8, 0x3E8, 0x1F4, 0x2710, 5};

// Unit code, four limit codes, department mask: the order of the file.
void setDrug(DrugLibrary& library, int n, const std::string& name, const std::array<std::uint32_t, 6>& numbers) {
    library.DrugNames[n] = name;
    const std::array fields = {&library.DrugUnitCodes, &library.ConcMinCodes, &library.ConcMaxCodes,
                               &library.DoseMinCodes,  &library.DoseMaxCodes, &library.DepartmentMasks};
    for (std::size_t i = 0; i < 6; ++i) (*fields[i])[n] = numbers[i];
}
std::string dep(int d, const std::string& name) { return "DEP:" + toDecimal(static_cast<std::uint32_t>(d), 2) + "=" + padRight(name, 20); }
std::string d41(int n, const std::string& rest = EmptyDrug) { return "D41:" + toDecimal(static_cast<std::uint32_t>(n), 4) + "=" + rest; }
std::string d36(int n, const std::string& name, const std::string& fields = Zeros24) {
    return "D36:" + toDecimal(static_cast<std::uint32_t>(n), 4) + "=" + padRight(name, 10) + "," + fields;
}

// An empty slot is written as "D41:0001=" and EmptyDrug; the drug number is
// outside the checksum, so every empty slot ends alike.
TEST(Tm2Writer, EveryLineOfBothReleases) {
    for (const Release release : {R041, R036}) {
        DrugLibrary library;
        library.LibraryName = "Read before";  // the name given for the save wins
        std::vector<std::string> lines;
        for (int d = 1; d <= 25; ++d) lines.push_back(dep(d, ""));
        for (int n = 1; n <= 100; ++n) lines.push_back(release == R041 ? d41(n) : d36(n, ""));
        if (release == R041) lines.push_back("LIBRARY=Ward7      ");
        const auto drug = [&](int n, const std::string& name, const std::array<std::uint32_t, 6>& numbers,
                              const std::string& line) {
            setDrug(library, n, name, numbers);
            lines[static_cast<std::size_t>(24 + n)] = line;
        };
        if (release == R041) {
            drug(7, "Morphine", MorphineNumbers, Morphine);  // concentration 1 to 1, dose 0.5 to 10 mg/hr; departments 1, 3
            drug(100, std::string(14, '\xFF'), {0xFF, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFFFF},  // both reductions of F
                 d41(100, std::string(14, '\xFF') + ",FFFFFFFFFFFFFFFFFFFFFFFFE680"));
            drug(42, "\xB5g Test \xE9", {0xE7, 0x000A, 0x2710, 0x733A, 0x80F5, 0xFFFFFF},
                 d41(42, "\xB5g Test \xE9     ,E7000A2710733A80F5FFFFFFCCE6"));
        } else {  // mg/h, 1.5 to 2, 0.5 to 10 in hundredths; 655.35 and 400
            drug(1, "Nicardip", {3, 150, 200, 50, 1000, 0b101}, d36(1, "Nicardip", "03009600C8003203E8000005"));
            drug(2, "Dobutamine", {0, 0, 65535, 0, 40000, 0}, d36(2, "Dobutamine", "000000FFFF00009C40000000"));
        }
        EXPECT_EQ(writeTm2(library, release, "Ward7"), joinCrLf(lines));
    }
    // Columns past the fields are outside the checksum; a line too short for the fields has none.
    EXPECT_EQ(release041Checksum(Morphine.substr(0, 48)) + "|" + release041Checksum(Morphine.substr(0, 47)), "101B|");
}

// Cutting a value too wide for its field would write another, valid-looking
// one; written whole, it makes its line too long to be read back.
TEST(Tm2Writer, ValuesTooWideForTheirFieldsAreNeverCut) {
    DrugLibrary library;
    library.DepartmentNames[2] = std::string(21, 'W');
    setDrug(library, 3, std::string(15, 'N'), {0x1FF, 0, 0, 0, 0, 0x1000000});
    const std::string bytes = writeTm2Release041(library, "LongLibraryName");
    const auto lines = splitLines(bytes);
    EXPECT_EQ(lines[1], "DEP:02=" + std::string(21, 'W'));
    EXPECT_EQ(lines[27].substr(0, 51), "D41:0003=" + std::string(15, 'N') + ",1FF" + std::string(16, '0') + "1000000");
    EXPECT_EQ(lines[125], "LIBRARY=LongLibraryName");
    const DrugLibrary read = readTm2Release041(bytes);
    EXPECT_EQ(read.DepartmentNames[2] + read.DrugNames[3] + read.LibraryName, "");
}

// Each form is taken exactly: not a character longer or shorter, nor with
// another key, "=" or ",", nor with a number outside its range.
TEST(Tm2Reader, TakesExactlyTheLinesOfItsForms) {
    const std::string older = d36(7, "Morphine", "0703E803E801F42710000005");
    const struct {
        std::string line;
        bool read041, read036;
        std::vector<std::string> badNumbers;
    } forms[] = {
        {Morphine, true, false, {"0000", "0101", "  07", "00A7"}}, {older, true, true, {"0000", "0101", "-007"}},
        {dep(25, "ICU"), true, true, {"00", "26", " 1", "+1"}},     {Library, true, false, {}},
    };
    for (const auto& form : forms) {
        EXPECT_EQ(readTm2Release041(form.line) != DrugLibrary{}, form.read041) << form.line;
        EXPECT_EQ(readTm2Release036(form.line) != DrugLibrary{}, form.read036) << form.line;
        std::vector<std::string> skipped = {form.line + " ", form.line.substr(0, form.line.size() - 1)};
        for (const std::size_t column : {std::size_t{0}, std::size_t{3}, form.line.find('='), form.line.find(',')})
            if (column < form.line.size()) skipped.push_back(std::string(form.line).replace(column, 1, "#"));
        for (const std::string& n : form.badNumbers) skipped.push_back(std::string(form.line).replace(4, n.size(), n));
        for (const std::string& line : skipped)
            EXPECT_TRUE(readTm2Release041(line) == DrugLibrary{} && readTm2Release036(line) == DrugLibrary{}) << line;
    }
    DrugLibrary expected;
    setDrug(expected, 7, "Morphine      ", MorphineNumbers);
    const std::string lowerCase = "D41:0007=Morphine      ,0703e803e801f42710000005zzzz";
    const std::string wrongChecksum = Morphine.substr(0, 48) + "0000";
    for (const std::string& line : {Morphine, lowerCase, wrongChecksum, older})
        EXPECT_EQ(readTm2Release041(line), expected) << line;
    EXPECT_EQ(readTm2Release036(older).DrugNames[7], "Morphine  ");
    EXPECT_EQ(readTm2Release041(dep(25, "ICU")).DepartmentNames[25], padRight("ICU", 20));
    EXPECT_EQ(readTm2Release041(Library).LibraryName, "NAME       ");
}

// A field that is not hex keeps the value of the line before; a later line
// wins, whatever the order and the line ends.
TEST(Tm2Reader, LaterLinesWinInAnyOrderWithAnyLineEnd) {
    const DrugLibrary read = readTm2Release041(dep(4, "Old") + "\n" + Morphine + "\r" + "LIBRARY=First      \r\n\r\n" +
                                               dep(4, "New") + "\n" + d36(7, "Newer", "2G2222G2222222222222222z") +
                                               "\r" + Library);
    DrugLibrary expected;
    expected.DepartmentNames[4] = padRight("New", 20);
    setDrug(expected, 7, padRight("Newer", 14), {0x07, 0x2222, 0x3E8, 0x2222, 0x2222, 5});
    expected.LibraryName = "NAME       ";
    EXPECT_EQ(read, expected);
}

// Release 041 reads and saves again what release 036 wrote; release 036 reads
// the department names of release 041 and none of its drugs.
TEST(Tm2RoundTrip, GeneratedLibrariesReadBackTheirTables) {
    testing::RandomTm2Library generate(20240611);
    for (int i = 0; i < 300; ++i) {
        const auto drugs = i % 3 == 0 ? testing::Tm2Drugs::Stored : testing::Tm2Drugs::AnyField;
        const DrugLibrary r041 = generate(R041, drugs), r036 = generate(R036, drugs);
        const std::string newer = writeTm2Release041(r041, r041.LibraryName), older = writeTm2Release036(r036);
        ASSERT_EQ(newer.size(), 25 * (27 + 2) + 100 * (52 + 2) + 19 + 2);  // every line at its width
        ASSERT_EQ(older.size(), 25 * (27 + 2) + 100 * (44 + 2));
        ASSERT_EQ(readTm2Release041(newer), asSaved(r041, R041, r041.LibraryName)) << i;
        ASSERT_EQ(readTm2Release036(older), asSaved(r036, R036, "")) << i;
        DrugLibrary widened = asSaved(r036, R041, "");
        ASSERT_EQ(readTm2Release041(writeTm2Release041(readTm2Release041(older), "")), widened) << i;
        widened.LibraryName.clear();
        ASSERT_EQ(readTm2Release041(older), widened) << i;
        DrugLibrary departments;
        departments.DepartmentNames = asSaved(r041, R041, "").DepartmentNames;
        ASSERT_EQ(readTm2Release036(newer), departments) << i;
    }
}

// A file of departments 1..25 and drugs 1..99, then `lastLines`: each problem as "line: text".
std::vector<std::string> explained(const std::string& lastLines, Release release) {
    std::string bytes;
    for (int d = 1; d <= 25; ++d) bytes += dep(d, "") + "\r\n";
    for (int n = 1; n <= 99; ++n) bytes += d41(n) + "\r\n";
    std::vector<std::string> lines;
    for (const LineProblem& p : explainTm2(bytes + lastLines, release))
        lines.push_back(std::to_string(p.line) + ": " + p.text);
    return lines;
}

// What the command-line check reports of its reference files is left out here.
TEST(ExplainTm2, NamesTheLineAndTheCause) {
    const std::string last = d41(100), end = "\r\n" + Library + "\r\n";
    const std::pair<std::string, std::vector<std::string>> cases[] = {
        {last + end, {}},
        {last.substr(0, 48) + "c07c" + end, {}},  // lower-case hex
        {d36(100, "") + end, {}},
        {last.substr(0, 51) + "G" + end, {"125: checksum \"C07G\" is not hexadecimal, should be C07C"}},
        {"D41:0101" + last.substr(8) + end, {"125: drug number \"0101\" is not 1 to 100", "0: no line for drug 100"}},
        {last.substr(0, 23) + ";" + last.substr(24) + end,
         {"125: \",\" missing after the drug name", "0: no line for drug 100"}},
        {last + "\r\n\r\n" + dep(3, "") + end,
         {"126: empty line", "127: department 3 again (first on line 3); this line wins"}},
    };
    for (const auto& [lines, expected] : cases) EXPECT_EQ(explained(lines, R041), expected) << lines;

    const auto problems = explained(last + end + d36(1, "", "04" + std::string(22, '0')), R036);
    ASSERT_EQ(problems.size(), 103u);
    EXPECT_EQ(problems[0], "26: release 041 drug line, not read by release 036");
    EXPECT_EQ(std::vector(problems.end() - 3, problems.end()),
              (std::vector<std::string>{"126: release 041 library line, not read by release 036",
                                        "127: dose unit code 04 is not 00 to 03", "0: no line for drugs 2 to 100"}));
}

}  // namespace
}  // namespace mc::druglib
