// A library built entry by entry through "OK", written and read back, gives
// the same tables: checked over thousands of generated libraries.

#include <algorithm>
#include <random>

#include "druglib_us/core/tv1_file.hpp"
#include "editor_driver.hpp"

namespace mc::druglib_us {
namespace {

class Generator {
public:
    explicit Generator(unsigned seed) : random_(seed) {}

    int between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
    bool chance(int percent) { return between(1, 100) <= percent; }
    template <typename T>
    const T& oneOf(const std::vector<T>& items) { return items[static_cast<std::size_t>(between(0, static_cast<int>(items.size()) - 1))]; }

    // Any characters a technician can type into a line: Latin-1 without controls.
    std::string name(int maxLength) {
        std::string text;
        const int length = between(1, maxLength);
        for (int i = 0; i < length; ++i) {
            if (chance(10)) text += oneOf<std::string>({",", "=", " ", "DN=", ",C=", "TYPE=", "\xE9"});
            else text += static_cast<char>(between(32, 126));
        }
        return text;
    }

    // A number text of `units` steps of 10^-digits, written in one of the ways it may be typed.
    std::string number(std::int64_t units, int digits) {
        std::string text = Decimal::shortestText(units, digits);
        switch (between(0, 5)) {
        case 0: return text + (text.find('.') == std::string::npos ? ".0" : "0");
        case 1: return " " + text;
        case 2: return "+" + text;
        case 3: return text.starts_with("0.") ? text.substr(1) : text;
        default: return text;
        }
    }

    // `count` ascending values in 1..maximum.
    std::vector<std::int64_t> ascending(int count, int maximum) {
        std::vector<std::int64_t> values;
        for (int i = 0; i < count; ++i) values.push_back(between(1, maximum));
        std::sort(values.begin(), values.end());
        return values;
    }

    PageValues page() {
        PageValues page{{"Text26", name(20)}};
        const int w1 = between(0, 250), w2 = between(std::max(w1, 1), 250);
        page["Text25"] = number(w1, 0);
        page["Text33"] = number(w2, 0);
        const std::string conc = oneOf<std::string>({"MG/ML", "U/ML", "MCG/ML", "MU/ML"});
        page["Combo2"] = conc;
        const bool fine = conc == "MG/ML" || conc == "U/ML";
        page["Text27"] = number(between(1, 1000000), fine ? 3 : 0);
        page["Combo1"] = oneOf(doseUnitsFor(conc));
        const auto dose = ascending(5, 10000000);
        page["Text34"] = number(dose[0], 3);
        page["Text31"] = number(dose[1], 3);
        page["Text28"] = number(dose[2], 3);
        page["Text32"] = number(dose[3], 3);
        page["Text35"] = number(dose[4], 3);
        const bool volume = chance(50);
        page["Combo3"] = volume ? "VOLUME" : "WEIGHT";
        const int digits = volume ? 1 : 3;
        const auto bolus = ascending(4, volume ? 1000 : 10000000);
        page["Text36"] = number(between(0, volume ? 1000 : 10000000), digits);
        page["Text41"] = number(bolus[0], digits);
        page["Text39"] = number(bolus[1], digits);
        page["Text40"] = number(bolus[2], digits);
        page["Text42"] = number(bolus[3], digits);
        const std::string time = oneOf<std::string>({"NOTIME", "HH:MM", "MM", "SS"});
        page["Combo4"] = time;
        if (time == "NOTIME") page["Text38"] = number(between(1, 12000), 1);
        else if (time == "SS") page["Text37"] = number(between(1, 3600), 0);
        else if (time == "MM") page["Text37"] = number(between(1, 60), 0);
        else page["Text37"] = std::to_string(between(0, 1)) + ":" + (chance(50) ? "3" : "0") + std::to_string(between(1, 9));
        for (int d = 1; d <= DepartmentCount; ++d) page["Check" + std::to_string(d)] = chance(20) ? "1" : "";
        page["Check" + std::to_string(between(1, DepartmentCount))] = "1";
        // Now and then a page that "OK" refuses, or a change of bolus time
        // units after typing, which leaves a hidden text behind.
        if (chance(10)) page["Text28"] = "1.2345";
        if (chance(10)) page["Text26"] += "WLS=";
        return page;
    }

private:
    std::mt19937 random_;
};

// What a file can carry of an entry: only one of bolus rate and bolus time.
UsDrugLibrary asWritten(UsDrugLibrary library) {
    for (int i = 1; i <= library.DrugCount; ++i) {
        DrugEntry& e = library.Drug[i];
        (e.BolusTimeUnits == "NOTIME" ? e.BolusTime : e.BolusRate).clear();
    }
    return library;
}

TEST_F(UsEditorTest, LibrariesBuiltThroughOkSurviveWritingAndReading) {
    Generator generate(20261206);
    int accepted = 0;
    for (int round = 0; round < 2000; ++round) {
        click("Command12");
        for (int d = 1; d <= DepartmentCount; ++d)
            if (generate.chance(30)) type("Text" + std::to_string(d), generate.name(20));
        click("Command4");
        click("Command3");
        const int entries = round % 100 == 0 ? 128 : generate.between(1, 6);
        for (int i = 1; i <= entries; ++i) {
            fill(generate.page());
            if (generate.chance(10)) pick("Combo4", generate.oneOf<std::string>({"NOTIME", "MM"}));
            if (ok() == Texts{"Drug Updated"}) ++accepted;
            else click("Command8");  // a refused new entry is dropped (the first stays, empty)
            if (i < entries && (*this)["Command13"].enabled) click("Command13");
        }
        if (editor->NewDrugPending()) click("Command8");
        const UsDrugLibrary& library = editor->library();
        const Tv1Read read = readTv1(writeTv1(library, "round"));
        ASSERT_TRUE(read.accepted) << "round " << round;
        ASSERT_EQ(read.library, asWritten(library)) << "round " << round;
        click("Command10");
        click("Command6");
        click("Command7");
        click("Command2");
    }
    EXPECT_GT(accepted, 3000);  // the generator mostly builds valid pages
}

}  // namespace
}  // namespace mc::druglib_us
