// The ".tv1" file: the writer byte for byte, the reader's grammar, and
// generated libraries through both and through the page's "OK".

#include <gtest/gtest.h>


#include "druglib_us/core/drug_entry_rules.hpp"
#include "druglib_us/core/tv1_file.hpp"
#include "support/random_us_library.hpp"

namespace mc::druglib_us {
namespace {

// The bolus rate "99" is not written with "SS".
const DrugEntry Dopamine{"Dopamine", 2, 150, "MG/ML", "1.6", "MCG/KG/MIN", "2", "20", "1", "25", "5",
                 "VOLUME", "1.5", "SS", "99", "30", "1", "2", "0", "3", 5};
const std::string DopamineLine = "DN=Dopamine,WLS=2,WUS=150,CU=MG/ML,C=1.6,DRU=MCG/KG/MIN,DRLS=2,DRUS=20,DRLH=1,"
                         "DRUH=25,DR=5,BP=VOLUME,BD=1.5,BTU=SS,BT=30,BDLS=1,BDUS=2,BDLH=0,BDUH=3,DEPART=5";

std::string entry(int number, const std::string& line = DopamineLine) {
    return "TYPE=SETDRUGENTRY,DE=" + std::to_string(number) + "," + line + "\r\n";
}
std::string entries(int count) {
    std::string lines;
    for (int i = 1; i <= count; ++i) lines += entry(i);
    return lines;
}
std::string file(const std::string& entryLines, const std::string& finish = "TYPE=FINISHDRUGLIBRARY,NAME=Lib\r\n") {
    std::string lines = "TYPE=STARTDRUGLIBRARY\r\n";
    for (int k = 0; k < 24; ++k) lines += "TYPE=SETDEPARTMENT,DE=" + std::to_string(k) + ",NAME=\r\n";
    return lines + entryLines + finish;
}
std::string replaced(std::string text, const std::string& from, const std::string& to) {
    text.replace(text.find(from), from.size(), to);
    return text;
}

TEST(Tv1Writer, WritesEveryLineByteForByte) {
    UsDrugLibrary library;
    library.DepartmentName[1] = "ICU  ";
    library.DepartmentName[24] = "Ward \xE9";
    library.DrugCount = 2;
    library.Drug[1] = Dopamine;
    library.Drug[2] = {"Insulin", -3, 0, "U/ML", "100", "U/HR", "0.5", "2", "0.1", "5", "1", "WEIGHT", "2.5",
               "NOTIME", "12.5", "0:30", "1", "3", "0", "5", (1 << 24) - 1};
    const std::string insulin = "DN=Insulin,WLS=-3,WUS=0,CU=U/ML,C=100,DRU=U/HR,DRLS=0.5,DRUS=2,DRLH=0.1,DRUH=5,"
                        "DR=1,BP=WEIGHT,BD=2.5,BTU=NOTIME,BR=12.5,BDLS=1,BDUS=3,BDLH=0,BDUH=5,DEPART=16777215";
    const std::string expected = file(entry(1) + entry(2, insulin), "TYPE=FINISHDRUGLIBRARY,NAME=ICU 2024\r\n");
    EXPECT_EQ(writeTv1(library, "ICU 2024"),
              replaced(replaced(expected, "DE=0,NAME=", "DE=0,NAME=ICU  "), "DE=23,NAME=", "DE=23,NAME=Ward \xE9"));
}

// The reader accepts or refuses the whole file, saying where and why.
TEST(Tv1Reader, AcceptsOrRefusesTheWholeFileSayingWhere) {
    const std::string departments = "the line does not begin with TYPE=SETDEPARTMENT,DE=";
    const std::string fieldMissing = "a field of the entry is missing or out of order";
    std::string lf = file(entries(2));
    std::erase(lf, '\r');
    const struct {
        const char* name;
        std::string bytes;
        int refusedLine;  // -1: accepted
        std::string cause;
    } cases[] = {
        {"empty", "", 0, "the file is empty"},
        {"start line with a blank", replaced(file(""), "LIBRARY\r", "LIBRARY \r"), 1,
         "the first line is not TYPE=STARTDRUGLIBRARY"},
        {"start line only", "TYPE=STARTDRUGLIBRARY\r\n", 0,
         "the file ends before the line TYPE=SETDEPARTMENT,DE=0,NAME="},
        {"department 4 for 3", replaced(file(""), "DE=3,", "DE=4,"), 5, departments + "3,NAME="},
        {"department 010", replaced(file(""), "DE=10,", "DE=010,"), 12, departments + "10,NAME="},
        {"23 departments", replaced(file(""), "TYPE=SETDEPARTMENT,DE=23,NAME=\r\n", ""), 25,
         departments + "23,NAME="},
        {"no finish line", file(entries(2), ""), 0, "the finish line TYPE=FINISHDRUGLIBRARY,NAME= is missing"},
        {"a line of blanks", file(entry(1) + " \r\n"), 27, "the line is no drug entry and no finish line"},
        {"entries 1, 3", file(entry(1) + entry(3)), 27, "the entry should be numbered 2"},
        {"entries 2, 1", file(entry(2) + entry(1)), 26, "the entry should be numbered 1"},
        {"entry x", file(replaced(entry(1), "DE=1,", "DE=x,")), 26, "the entry should be numbered 1"},
        {"129 entries", file(entries(129)), 154, "a library holds at most 128 drug entries"},
        {"no DN", file(replaced(entry(1), ",DN=", ",NAME=")), 26, "the field ,DN= is missing"},
        {"no DEPART", file(replaced(entry(1), ",DEPART=5", "")), 26, fieldMissing},
        {"no BT and no BR", file(replaced(entry(1), ",BT=30", "")), 26, fieldMissing},
        {"keys out of order", file(replaced(entry(1), "WLS=2,WUS=150", "WUS=150,WLS=2")), 26, fieldMissing},
        {"128 entries", file(entries(128)), -1, ""},
        {"text after the finish line", file(entry(1)) + "garbage\r\n" + entry(5), -1, ""},
        {"finish line without line end", file(entry(1), "TYPE=FINISHDRUGLIBRARY,NAME=x"), -1, ""},
        {"empty lines between entries", file(entry(1) + "\r\n\r\n" + entry(2)), -1, ""},
        {"entry +1", file(replaced(entry(1), "DE=1,", "DE=+1,")), -1, ""},
        {"LF line ends", lf, -1, ""},
    };
    for (const auto& c : cases) {
        const Tv1Read read = readTv1(c.bytes);
        EXPECT_EQ(std::tuple(read.accepted, read.refusedLine, read.cause),
                  std::tuple(c.refusedLine < 0, std::max(c.refusedLine, 0), c.cause)) << c.name;
    }
}

// A name holding the key after it comes back cut; a weight or mask that does not convert is 0.
TEST(Tv1Reader, ReadsEachFieldUpToTheNextKey) {
    const std::string cut = replaced(DopamineLine, "DN=Dopamine,", "DN=Dopa,WLS=mine,");
    const std::string odd = replaced(replaced(DopamineLine, "WUS=150", "WUS=1e2"), "DEPART=5", "DEPART=all");
    const std::string big = replaced(replaced(DopamineLine, "WLS=2", "WLS=40000"), "DEPART=5", "DEPART=2147483648");
    const std::string lines = entry(1, cut) + entry(2, odd) + entry(3, big);
    const std::string name = "Cardiology Intensive Care  1 ";
    const Tv1Read read = readTv1(replaced(file(lines + entry(5)), "DE=5,NAME=", "DE=5,NAME=" + name));
    EXPECT_EQ(read.refusedLine, 29);  // what was read before the refusal is kept
    const auto& drug = read.library.Drug;
    EXPECT_EQ(drug[1].DrugName + "|" + drug[2].DrugName + "|" + read.library.DepartmentName[6],
              "Dopa|Dopamine|" + name);
    EXPECT_EQ(drug[1].WeightLowerSoft + drug[2].WeightUpperSoft + drug[2].DrugDepartments + drug[3].WeightLowerSoft +
          drug[3].DrugDepartments, 0);
    DrugEntry expected = Dopamine;
    expected.BolusRate.clear();
    expected.WeightUpperSoft = 0;
    expected.DrugDepartments = 0;
    EXPECT_EQ(drug[2], expected);
    EXPECT_EQ(read.library.DrugCount, 3);
}

// Every generated library is read back as written and written again byte for
// byte; every entry passes "OK" as its page shows it and is stored unchanged.
TEST(Tv1RoundTrip, GeneratedLibrariesComeBackByteForByteAndPassOk) {
    testing::RandomUsLibrary generate(20261206);
    for (int round = 0; round < 300; ++round) {
        const UsDrugLibrary library = generate.library(round % 50 == 0 ? MaxDrugCount : generate.between(0, 8));
        const std::string name = generate.text(24);
        const std::string bytes = writeTv1(library, name);
        const Tv1Read read = readTv1(bytes);
        ASSERT_TRUE(read.accepted) << bytes;
        ASSERT_EQ(read.library, library) << bytes;
        ASSERT_EQ(writeTv1(read.library, name), bytes);
        DrugPage page;
        for (int n = 1; n <= library.DrugCount; ++n) {
            page = shownEntry(library, n, page);
            const DrugCheck check = checkDrugEntry(page, NumberFormat{});
            ASSERT_EQ(joinedMessages(check.messages), "") << "entry " << n << "\n" << bytes;
            ASSERT_EQ(*check.stored, library.Drug[n]);
        }
    }
}

}  // namespace
}  // namespace mc::druglib_us
