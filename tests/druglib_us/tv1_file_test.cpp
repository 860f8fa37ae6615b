#include <gtest/gtest.h>

#include <cctype>
#include <random>

#include "druglib_us/core/tv1_file.hpp"

namespace mc::druglib_us {
namespace {

std::string departmentLines() {
    std::string lines;
    for (int k = 0; k < 24; ++k) lines += "TYPE=SETDEPARTMENT,DE=" + std::to_string(k) + ",NAME=\r\n";
    return lines;
}

DrugEntry dopamine() {
    DrugEntry e;
    e.DrugName = "Dopamine";
    e.WeightLowerSoft = 2;
    e.WeightUpperSoft = 150;
    e.ConcUnits = "MG/ML";
    e.Concentration = "1.6";
    e.DoseUnits = "MCG/KG/MIN";
    e.DoseRateLowerSoft = "2";
    e.DoseRateUpperSoft = "20";
    e.DoseRateLowerHard = "1";
    e.DoseRateUpperHard = "25";
    e.DoseRateInitial = "5";
    e.BolusMode = "VOLUME";
    e.BolusInitial = "1.5";
    e.BolusTimeUnits = "SS";
    e.BolusTime = "30";
    e.BolusRate = "99";  // hidden on the page: not written with "SS"
    e.BolusLowerSoft = "1";
    e.BolusUpperSoft = "2";
    e.BolusLowerHard = "0";
    e.BolusUpperHard = "3";
    e.DrugDepartments = 5;
    return e;
}

const std::string DopamineLine =
    "TYPE=SETDRUGENTRY,DE=1,DN=Dopamine,WLS=2,WUS=150,CU=MG/ML,C=1.6,DRU=MCG/KG/MIN,DRLS=2,DRUS=20,DRLH=1,"
    "DRUH=25,DR=5,BP=VOLUME,BD=1.5,BTU=SS,BT=30,BDLS=1,BDUS=2,BDLH=0,BDUH=3,DEPART=5";

std::string file(const std::string& entries, const std::string& finish = "TYPE=FINISHDRUGLIBRARY,NAME=Lib\r\n") {
    return "TYPE=STARTDRUGLIBRARY\r\n" + departmentLines() + entries + finish;
}

TEST(Tv1Writer, NewLibraryWithOneDrugIs27LinesByteForByte) {
    UsDrugLibrary library;
    library.DrugCount = 1;
    library.Drug[1] = dopamine();
    EXPECT_EQ(writeTv1(library, "ICU 2024"), file(DopamineLine + "\r\n", "TYPE=FINISHDRUGLIBRARY,NAME=ICU 2024\r\n"));
}

TEST(Tv1Writer, WritesExactlyOneOfBolusRateAndBolusTime) {
    UsDrugLibrary library;
    library.DrugCount = 2;
    library.Drug[1] = dopamine();
    library.Drug[2] = dopamine();
    library.Drug[2].BolusTimeUnits = "NOTIME";
    library.Drug[2].BolusRate = "12.5";
    const std::string bytes = writeTv1(library, "x");
    EXPECT_NE(bytes.find(",BTU=SS,BT=30,BDLS="), std::string::npos);
    EXPECT_NE(bytes.find(",BTU=NOTIME,BR=12.5,BDLS="), std::string::npos);
    EXPECT_EQ(bytes.find(",BR=99"), std::string::npos);
    EXPECT_NE(bytes.find("TYPE=SETDRUGENTRY,DE=2,DN=Dopamine,WLS=2,WUS=150,CU=MG/ML,C=1.6,DRU=MCG/KG/MIN,DRLS=2,DRUS=20,DRLH=1,"
                         "DRUH=25,DR=5,BP=VOLUME,BD=1.5,BTU=NOTIME,BR=12.5,BDLS=1,BDUS=2,BDLH=0,BDUH=3,DEPART=5\r\n"),
              std::string::npos);
}

TEST(Tv1Writer, DepartmentNamesAndNegativeIntegersAsHeld) {
    UsDrugLibrary library;
    library.DepartmentName[1] = "ICU  ";
    library.DepartmentName[24] = "Ward \xE9";
    library.DrugCount = 1;
    library.Drug[1].WeightLowerSoft = -3;
    library.Drug[1].DrugDepartments = (1 << 24) - 1;
    const std::string bytes = writeTv1(library, "n");
    EXPECT_NE(bytes.find("TYPE=SETDEPARTMENT,DE=0,NAME=ICU  \r\n"), std::string::npos);
    EXPECT_NE(bytes.find("TYPE=SETDEPARTMENT,DE=23,NAME=Ward \xE9\r\n"), std::string::npos);
    EXPECT_NE(bytes.find(",WLS=-3,WUS=0,"), std::string::npos);
    EXPECT_NE(bytes.find(",DEPART=16777215\r\n"), std::string::npos);
}

TEST(Tv1Reader, ReadsWhatTheWriterWrites) {
    const Tv1Read read = readTv1(file(DopamineLine + "\r\n"));
    ASSERT_TRUE(read.accepted);
    EXPECT_EQ(read.library.DrugCount, 1);
    DrugEntry expected = dopamine();
    expected.BolusRate = "";
    EXPECT_EQ(read.library.Drug[1], expected);
}

TEST(Tv1Reader, DepartmentNamesKeepEverythingAfterName) {
    std::string departments = departmentLines();
    const std::string thirty = "Cardiology Intensive Care  123";
    departments.replace(departments.find("DE=5,NAME=") + 10, 0, thirty);
    departments.replace(departments.find("DE=0,NAME=") + 10, 0, "A  ");
    const Tv1Read read =
        readTv1("TYPE=STARTDRUGLIBRARY\r\n" + departments + "TYPE=FINISHDRUGLIBRARY,NAME=x\r\n");
    ASSERT_TRUE(read.accepted);
    EXPECT_EQ(read.library.DepartmentName[6], thirty);
    EXPECT_EQ(read.library.DepartmentName[1], "A  ");
    EXPECT_EQ(read.library.DrugCount, 0);
}

struct FileCase {
    const char* name;
    std::string bytes;
    bool accepted;
};

std::string entry(int number) {
    return "TYPE=SETDRUGENTRY,DE=" + std::to_string(number) + DopamineLine.substr(DopamineLine.find(",DN=")) + "\r\n";
}

std::string entries(int count) {
    std::string lines;
    for (int i = 1; i <= count; ++i) lines += entry(i);
    return lines;
}


class Tv1Grammar : public ::testing::TestWithParam<FileCase> {};

TEST_P(Tv1Grammar, AcceptsOrRefusesTheWholeFile) {
    EXPECT_EQ(readTv1(GetParam().bytes).accepted, GetParam().accepted);
}

std::string replaced(std::string text, const std::string& from, const std::string& to) {
    text.replace(text.find(from), from.size(), to);
    return text;
}

INSTANTIATE_TEST_SUITE_P(
    Files, Tv1Grammar,
    ::testing::Values(
        FileCase{"empty", "", false},
        FileCase{"start line only", "TYPE=STARTDRUGLIBRARY\r\n", false},
        FileCase{"trailing blank on start line", replaced(file(""), "LIBRARY\r\n", "LIBRARY \r\n"), false},
        FileCase{"lower case start", replaced(file(""), "STARTDRUG", "startdrug"), false},
        FileCase{"department numbers out of order", replaced(file(""), "DE=3,", "DE=4,"), false},
        FileCase{"department number 10 with a leading zero", replaced(file(""), "DE=10,", "DE=010,"), false},
        FileCase{"23 departments", replaced(file(""), "TYPE=SETDEPARTMENT,DE=23,NAME=\r\n", ""), false},
        FileCase{"no finish line", file(entries(2), ""), false},
        FileCase{"text after finish line", file(entries(1)) + "garbage\r\nTYPE=SETDRUGENTRY,DE=9\r\n", true},
        FileCase{"finish line without line end", file(entries(1), "TYPE=FINISHDRUGLIBRARY,NAME=x"), true},
        FileCase{"blank lines between entries", file(entry(1) + "\r\n\r\n" + entry(2)), true},
        FileCase{"line of blanks between entries", file(entry(1) + " \r\n" + entry(2)), false},
        FileCase{"unknown line", file(entry(1) + "TYPE=SETSOMETHING\r\n"), false},
        FileCase{"entries 1, 3", file(entry(1) + entry(3)), false},
        FileCase{"entries 2, 1", file(entry(2) + entry(1)), false},
        FileCase{"entry 1 twice", file(entry(1) + entry(1)), false},
        FileCase{"entry 0", file(entry(0)), false},
        FileCase{"entry number +1", file(replaced(entry(1), "DE=1,", "DE=+1,")), true},
        FileCase{"entry number x", file(replaced(entry(1), "DE=1,", "DE=x,")), false},
        FileCase{"128 entries", file(entries(128)), true},
        FileCase{"129 entries", file(entries(129)), false},
        FileCase{"missing DEPART", file(replaced(entry(1), ",DEPART=5", "")), false},
        FileCase{"missing BT and BR", file(replaced(entry(1), ",BT=30", "")), false},
        FileCase{"missing DN", file(replaced(entry(1), ",DN=", ",NAME=")), false},
        FileCase{"weight that does not convert", file(replaced(entry(1), "WLS=2,", "WLS=two,")), true},
        FileCase{"weight beyond 16 bits", file(replaced(entry(1), "WLS=2,", "WLS=40000,")), true},
        FileCase{"mask that does not convert", file(replaced(entry(1), "DEPART=5", "DEPART=all")), true},
        FileCase{"LF line ends", replaced(replaced(file(entries(1)), "\r\n", "\n"), "\r\n", "\n"), true}),
    [](const auto& param) {
        std::string name;
        for (char c : std::string(param.param.name)) name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
        return name;
    });

TEST(Tv1Reader, UnconvertedWeightsAndMaskAreZero) {
    std::string line = replaced(entry(1), "WLS=2,", "WLS=40000,");
    line = replaced(line, "WUS=150,", "WUS=1e2,");
    line = replaced(line, "DEPART=5", "DEPART=9999999999");
    const Tv1Read read = readTv1(file(line));
    ASSERT_TRUE(read.accepted);
    EXPECT_EQ(read.library.Drug[1].WeightLowerSoft, 0);
    EXPECT_EQ(read.library.Drug[1].WeightUpperSoft, 0);
    EXPECT_EQ(read.library.Drug[1].DrugDepartments, 0);
}

TEST(Tv1Reader, ADrugNameHoldingTheWeightKeyComesBackCut) {
    const Tv1Read read = readTv1(file(replaced(entry(1), "DN=Dopamine,", "DN=Dopa,WLS=mine,")));
    // The name ends at the first key, the weight does not convert: accepted as 0.
    ASSERT_TRUE(read.accepted);
    EXPECT_EQ(read.library.Drug[1].DrugName, "Dopa");
    EXPECT_EQ(read.library.Drug[1].WeightLowerSoft, 0);
}

TEST(Tv1Reader, ARefusedFileKeepsWhatWasReadBeforeTheRefusal) {
    const Tv1Read read = readTv1(file(entries(2) + entry(4)));
    EXPECT_FALSE(read.accepted);
    EXPECT_EQ(read.library.Drug[2].DrugName, "Dopamine");
    EXPECT_EQ(read.library.Drug[3], DrugEntry{});
}

TEST(ExtractValue, KeysAreTestedAtEveryPositionBeforeTheCharacterIsTaken) {
    struct Case {
        std::string line, key1, key2, value, rest;
        bool found;
    };
    for (const Case& c : {
             Case{"abc,X=def", ",X=", ",X=", "abc", "def", true},
             Case{"abc,Y=d,X=e", ",X=", ",Y=", "abc", "d,X=e", true},
             Case{",X=", ",X=", ",X=", "", "", true},
             Case{"abWLS=c", "WLS=", ",WLS=", "ab", "c", true},
             Case{"ab,WLS=c", "WLS=", ",WLS=", "ab", "c", true},
             Case{"abc", ",X=", ",X=", "abc", "", false},
             Case{"", ",X=", ",X=", "", "", false},
             Case{"a,X", ",X=", ",X=", "a,X", "", false},
         }) {
        std::string_view line = c.line;
        bool found = true;
        EXPECT_EQ(ExtractValue(line, c.key1, c.key2, found), c.value) << c.line;
        EXPECT_EQ(line, c.rest) << c.line;
        EXPECT_EQ(found, c.found) << c.line;
    }
}

// Hostile bytes: the reader must neither crash nor hang, whatever it gets.
TEST(Tv1Reader, SurvivesHostileInput) {
    std::mt19937 random(20261206);
    const std::string valid = file(entries(3));
    const std::string pieces[] = {"TYPE=", ",DN=", "WLS=", ",BTU=", ",BR=", ",BT=", ",DEPART=", "\r", "\n", "\r\n",
                                  std::string(1, '\0'), "\xFF", "DE=", "99999999999999999999", "-", "."};
    for (int round = 0; round < 3000; ++round) {
        std::string bytes = valid;
        const int edits = 1 + static_cast<int>(random() % 8);
        for (int e = 0; e < edits; ++e) {
            const std::size_t at = random() % (bytes.size() + 1);
            switch (random() % 3) {
            case 0: bytes.insert(at, pieces[random() % std::size(pieces)]); break;
            case 1: bytes.erase(at, random() % 40); break;
            default:
                if (at < bytes.size()) bytes[at] = static_cast<char>(random() % 256);
            }
        }
        const Tv1Read read = readTv1(bytes);
        EXPECT_LE(read.library.DrugCount, 128);
    }
    // Long lines without any key.
    EXPECT_FALSE(readTv1(file("TYPE=SETDRUGENTRY,DE=" + std::string(1 << 20, '1'))).accepted);
    EXPECT_FALSE(readTv1(std::string(1 << 20, '\n')).accepted);
}

}  // namespace
}  // namespace mc::druglib_us
