// The rules of "OK" on the drug page: each limit and step at its value and
// one step past it, and what the page says, field by field, of other texts.

#include <gtest/gtest.h>

#include "druglib_us/core/drug_entry_rules.hpp"
#include "support/passing_pages.hpp"

namespace mc::druglib_us {
namespace {

using Changes = std::vector<std::pair<std::string, std::string>>;  // control and text; "Depart": the mask
using Boxes = std::vector<const char*>;

// A page that passes every rule, with `changes`.
DrugPage page(const Changes& changes) {
    DrugPage page;
    for (const Changes& list : {testing::passingUsDrug("Heparin"), changes})
        for (const auto& [control, text] : list) {
            if (control == "Depart" || control == "Check1") page.entry.DrugDepartments = std::stoi(text);
            else *fieldText(page, control) = text;
        }
    return page;
}

const std::string WL = "Patient Weight Lower Soft Limit", WU = "Patient Weight Upper Soft Limit",
                  DR = "Dose Rate Initial Value", DLS = "Dose Rate Lower Soft Limit",
                  DUS = "Dose Rate Upper Soft Limit", DLH = "Dose Rate Lower Hard Limit",
                  DUH = "Dose Rate Upper Hard Limit", BI = "Bolus Initial Value", BLS = "Bolus Dose Lower Soft Limit",
                  BUS = "Bolus Dose Upper Soft Limit", BLH = "Bolus Dose Lower Hard Limit",
                  BUH = "Bolus Dose Upper Hard Limit", BT = "Bolus Time Initial Value",
                  Three = " must be number, up to three digits after decimal point",
                  One = " must be number, up to one digits after decimal point",
                  Whole = " must be number, no decimal point";
const Boxes Doses{"Text28", "Text31", "Text32", "Text34", "Text35"},
    Boluses{"Text36", "Text39", "Text40", "Text41", "Text42"};
const Changes Volume{{"Combo3", "VOLUME"}}, NoTime{{"Combo4", "NOTIME"}}, HhMm{{"Combo4", "HH:MM"}};

// The same message for each box, in page order.
FieldMessages each(const Boxes& boxes, const std::vector<std::string>& captions, const std::string& message) {
    FieldMessages messages;
    for (std::size_t i = 0; i < boxes.size(); ++i) messages.push_back({boxes[i], captions[i] + message});
    return messages;
}
const std::vector<std::string> DoseCaptions{DR, DLS, DUS, DLH, DUH}, BolusCaptions{BI, BLS, BUS, BLH, BUH};

// A limit or step of a rule: `at` in every box of `boxes` is accepted, `past` says `messages`.
// Without boxes, the page with `changes` says `messages`.
struct Limit {
    const char* name;
    Changes changes;
    Boxes boxes;
    std::string at, past;
    FieldMessages messages;
};

const Limit Limits[] = {
    {"lower weight highest", {{"Text33", "250"}}, {"Text25"}, "250", "251",
     {{"Text25", WL + " must be less than 250 kg"}, {"Text25", WL + " must be less or equal to " + WU}}},
    {"lower weight lowest", {}, {"Text25"}, "0", "-1", {{"Text25", WL + " can not be negative"}}},
    {"upper weight highest", {}, {"Text33"}, "250", "251", {{"Text33", WU + " must be less than 250 kg"}}},
    {"weights step", {}, {"Text25", "Text33"}, "+70.0", "70.5",
     {{"Text25", WL + " must be number, no digits after decimal point"},
      {"Text33", WU + " must be number, no digits after decimal point"}}},
    {"weights order", {}, {"Text25"}, "100", "101", {{"Text25", WL + " must be less or equal to " + WU}}},
    {"upper weight with U/KG/HR", {{"Text25", "0"}, {"Combo1", "U/KG/HR"}}, {"Text33"}, "1", "0",
     {{"Text33", WU + " must be grater than zero in case weight based Dose Units"}}},
    {"MG/ML highest", {}, {"Text27"}, "1000", "1000.001", {{"Text27", "Concentration must be lower"}}},
    {"MG/ML lowest", {}, {"Text27"}, "0.001", "0", {{"Text27", "Concentration must be more then zero"}}},
    {"MG/ML step", {}, {"Text27"}, "1.001", "1.0005",
     {{"Text27", "Concentration must be number, units no lower then 0.001 MG/ML"}}},
    {"U/ML step", {{"Combo2", "U/ML"}, {"Combo1", "U/HR"}}, {"Text27"}, "0.001", "0.0015",
     {{"Text27", "Concentration must be number, units no lower then 0.001 U/ML"}}},
    {"MCG/ML step", {{"Combo2", "MCG/ML"}}, {"Text27"}, "1", "1.5",
     {{"Text27", "Concentration must be number, units no lower then 1 MCG/ML"}}},
    {"MU/ML highest", {{"Combo2", "MU/ML"}, {"Combo1", "MU/HR"}}, {"Text27"}, "1000000", "1000001",
     {{"Text27", "Concentration must be lower"}}},
    {"dose rates highest", {}, Doses, "10000", "10000.001", each(Doses, DoseCaptions, " must be lower")},
    {"dose rates step", {}, Doses, "5.001", "5.0005", each(Doses, DoseCaptions, Three)},
    {"dose rate hard low lowest", {}, {"Text34"}, "0.001", "0", {{"Text34", DLH + " must be more then zero"}}},
    {"initial and soft low", {}, {"Text28"}, "2", "1.999", {{"Text28", DR + " must be more or equal to " + DLS}}},
    {"initial and soft high", {}, {"Text28"}, "10", "10.001", {{"Text28", DR + " must be less or equal to " + DUS}}},
    {"soft low and soft high", {{"Text28", "10"}}, {"Text31"}, "10", "10.001",
     {{"Text28", DR + " must be more or equal to " + DLS}, {"Text31", DLS + " must be less or equal to " + DUS}}},
    {"hard low and soft low", {}, {"Text34"}, "2", "2.001", {{"Text34", DLH + " must be less or equal to " + DLS}}},
    {"hard high and soft high", {}, {"Text35"}, "10", "9.999", {{"Text35", DUH + " must be more or equal to " + DUS}}},
    {"hard low and hard high", {{"Text31", "20"}, {"Text28", "20"}, {"Text32", "20"}}, {"Text34"}, "20", "20.001",
     {{"Text34", DLH + " must be less or equal to " + DLS}, {"Text34", DLH + " must be less or equal to " + DUH}}},
    {"weight boluses highest", {}, Boluses, "10000", "10000.001", each(Boluses, BolusCaptions, " must be lower")},
    {"weight boluses step", {}, Boluses, "0.001", "0.0005", each(Boluses, BolusCaptions, Three)},
    {"volume boluses highest", Volume, Boluses, "100", "100.1", each(Boluses, BolusCaptions, " must be lower")},
    {"volume boluses step", Volume, Boluses, "0.1", "0.05", each(Boluses, BolusCaptions, One)},
    {"volume bolus hard low lowest", Volume, {"Text41"}, "0", "-0.1", {{"Text41", BLH + " can not be negative"}}},
    {"bolus soft low and soft high", {}, {"Text39"}, "2", "2.001",
     {{"Text39", BLS + " must be less or equal to " + BUS}}},
    {"bolus hard low and soft low", {}, {"Text41"}, "1", "1.001",
     {{"Text41", BLH + " must be less or equal to " + BLS}}},
    {"bolus hard high and soft high", {}, {"Text42"}, "2", "1.999",
     {{"Text42", BUH + " must be more or equal to " + BUS}}},
    {"rate highest", NoTime, {"Text38"}, "1200", "1200.1", {{"Text38", "Bolus Rate must be lower then 1200 ML/HR"}}},
    {"rate lowest", NoTime, {"Text38"}, "0.1", "0", {{"Text38", "Bolus Rate must be more then zero"}}},
    {"rate step", NoTime, {"Text38"}, "1.2", "1.25", {{"Text38", "Bolus Rate" + One}}},
    {"SS highest", {}, {"Text37"}, "3600", "3601", {{"Text37", BT + " must be lower"}}},
    {"SS lowest", {}, {"Text37"}, "1", "0", {{"Text37", BT + " must be more then zero"}}},
    {"SS step", {}, {"Text37"}, "2.0", "2.5", {{"Text37", BT + Whole}}},
    {"MM highest", {{"Combo4", "MM"}}, {"Text37"}, "60", "61", {{"Text37", BT + " must be lower"}}},
    {"HH:MM hours", HhMm, {"Text37"}, "1:59", "2:00", {{"Text37", BT + " must be lower"}}},
    {"HH:MM minutes", HhMm, {"Text37"}, "00:59", "0:60", {{"Text37", BT + " MM part must be lower then 60"}}},
    {"HH:MM lowest", HhMm, {"Text37"}, "0:01", "0:00", {{"Text37", BT + " must be more then zero"}}},
    {"HH:MM hours step", HhMm, {"Text37"}, "1.0:30", "1.5:30",
     {{"Text37", BT + " HH part" + Whole}, {"Text37", BT + " must be lower"}}},
    {"HH:MM minutes step", HhMm, {"Text37"}, "1:.0", "1:.5", {{"Text37", BT + " MM part" + Whole}}},
    {"HH:MM form", HhMm, {"Text37"}, "0:30", "0130", {{"Text37", BT + " must be formated as HH:MM"}}},
    {"name", {}, {"Text26"}, "W", "", {{"Text26", "Drug Name must be specified"}}},
    {"name and the file's key", {}, {"Text26"}, "WLS", "WLS=", {{"Text26", "Drug Name can not contain WLS="}}},
    {"departments", {}, {"Depart"}, "8388608", "0", {{"", "At list one Department must be enabled"}}},
    // Other texts: without boxes, only the page with the changes is checked.
    {"weights no numbers", {{"Text25", "abc"}, {"Text33", ""}}, {}, "", "",
     {{"Text25", WL + " must be valid value"}, {"Text33", WU + " must be valid value"},
      {"Text25", WL + " must be number, no digits after decimal point"},
      {"Text33", WU + " must be number, no digits after decimal point"}}},
    {"upper weight 0 with MG/HR", {{"Text25", "0"}, {"Text33", "0"}, {"Combo1", "MG/HR"}}, {}, "", "", {}},
    {"concentration no number", {{"Text27", "abc"}}, {}, "", "",
     {{"Text27", "Concentration must be valid value"},
      {"Text27", "Concentration must be number, units no lower then 0.001 MG/ML"}}},
    {"no concentration units", {{"Combo2", ""}, {"Text27", "abc"}}, {}, "", "",
     {{"Combo2", "Concentration units must be specified"}}},
    {"no dose units", {{"Combo1", ""}}, {}, "", "", {{"Combo1", "Dose Units must be specified"}}},
    {"initial dose rate empty", {{"Text28", ""}}, {}, "", "",
     {{"Text28", DR + " must be valid value"}, {"Text28", DR + Three}}},
    {"dose rate 2147483.647", {{"Text35", "2147483.647"}}, {}, "", "", {{"Text35", DUH + " must be lower"}}},
    {"dose rate beyond 32 bits", {{"Text35", "2147483.648"}}, {}, "", "",
     {{"Text35", DUH + " must be valid value"}, {"Text35", DUH + Three}}},
    {"weight bolus hard low -1", {{"Text41", "-1"}}, {}, "", "", {}},
    {"bolus initial not compared with the limits", {{"Text36", "9000"}}, {}, "", "", {}},
    {"no bolus mode", {{"Combo3", ""}, {"Text36", "x"}}, {}, "", "", {{"Combo3", "Bolus Mode must be specified"}}},
    {"HH:MM empty", {{"Combo4", "HH:MM"}, {"Text37", ""}}, {}, "", "",
     {{"Text37", BT + " must be formated as HH:MM"}, {"Text37", BT + " HH part must be valid value"},
      {"Text37", BT + " MM part must be valid value"}}},
    {"HH:MM negative", {{"Combo4", "HH:MM"}, {"Text37", "-1:30"}}, {}, "", "",
     {{"Text37", BT + " must be more then zero"}}},
    // The decimal point of a part is said only while nothing else was.
    {"HH:MM decimal after another message", {{"Text26", ""}, {"Combo4", "HH:MM"}, {"Text37", "1.5:30"}}, {}, "", "",
     {{"Text26", "Drug Name must be specified"}, {"Text37", BT + " must be lower"}}},
    {"no bolus time units", {{"Combo4", ""}}, {}, "", "", {{"Combo4", "Bulus Time Units must be specified"}}},
    {"rows of every part in order",
     {{"Text26", ""}, {"Text25", "x"}, {"Text27", "-2"}, {"Text34", "0"}, {"Combo3", "VOLUME"}, {"Text36", "0.05"},
      {"Combo4", ""}, {"Depart", "0"}}, {}, "", "",
     {{"Text26", "Drug Name must be specified"}, {"Text25", WL + " must be valid value"},
      {"Text25", WL + " must be number, no digits after decimal point"},
      {"Text27", "Concentration must be more then zero"}, {"Text34", DLH + " must be more then zero"},
      {"Text36", BI + One}, {"Combo4", "Bulus Time Units must be specified"},
      {"", "At list one Department must be enabled"}}},
};

// Each rule says its message with its field, in the rules' order, past its limit only.
TEST(DrugRules, SayTheirMessagesWithTheirFieldsPastTheirLimits) {
    for (const Limit& limit : Limits) {
        Changes at = limit.changes, past = at;
        for (const char* box : limit.boxes) {
            at.emplace_back(box, limit.at);
            past.emplace_back(box, limit.past);
        }
        const DrugCheck check = checkDrugEntry(page(past), NumberFormat{});
        EXPECT_EQ(check.messages, limit.messages) << limit.name;
        EXPECT_EQ(check.stored.has_value(), check.messages.empty()) << limit.name;
        EXPECT_TRUE(limit.boxes.empty() || checkDrugEntry(page(at), NumberFormat{}).messages.empty()) << limit.name;
    }
}

TEST(DrugRules, AnAcceptedPageIsStoredAsTypedWithWholeWeights) {
    const DrugPage typed = page({{"Text25", "70.0"}, {"Text27", "2,50 "}, {"Text38", "12,5"}, {"Depart", "5"}});
    const DrugCheck check = checkDrugEntry(typed, NumberFormat{','});  // the regional decimal comma
    ASSERT_TRUE(check.stored);
    DrugEntry expected = typed.entry;  // the hidden bolus rate too
    expected.WeightLowerSoft = 70;
    expected.WeightUpperSoft = 100;
    EXPECT_EQ(*check.stored, expected);
}

}  // namespace
}  // namespace mc::druglib_us
