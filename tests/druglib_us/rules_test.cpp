// The rules of "OK" on the drug page, case by case through the page model.

#include <cctype>

#include "editor_driver.hpp"

namespace mc::druglib_us {
namespace {

struct RuleCase {
    const char* name;
    PageValues changes;  // over a page that passes every rule
    Texts messages;      // in the order shown; "Drug Updated" when accepted
};

const Texts Accepted{"Drug Updated"};

class DrugRules : public UsEditorTest, public ::testing::WithParamInterface<RuleCase> {};

TEST_P(DrugRules, ShowsTheMessagesOfEveryViolatedRuleInOrder) {
    newLibrary();
    EXPECT_EQ(enter(with(validPage(), GetParam().changes)), GetParam().messages);
}

const std::string WeightLower = "Patient Weight Lower Soft Limit";
const std::string WeightUpper = "Patient Weight Upper Soft Limit";
const std::string ThreeDigits = " must be number, up to three digits after decimal point";

std::vector<RuleCase> ruleCases() {
    return {
        {"valid", {}, Accepted},
        // weights
        {"weight 250", {{"Text25", "250"}, {"Text33", "250"}}, Accepted},
        {"weight 251", {{"Text25", "251"}},
         {WeightLower + " must be less than 250 kg", WeightLower + " must be less or equal to " + WeightUpper}},
        {"weight -1", {{"Text25", "-1"}}, {WeightLower + " can not be negative"}},
        {"weight 70.5", {{"Text25", "70.5"}}, {WeightLower + " must be number, no digits after decimal point"}},
        {"weight 70.0", {{"Text25", "70.0"}}, Accepted},
        {"weights that do not convert",
         {{"Text25", "abc"}, {"Text33", ""}},
         {WeightLower + " must be valid value", WeightUpper + " must be valid value",
          WeightLower + " must be number, no digits after decimal point",
          WeightUpper + " must be number, no digits after decimal point"}},
        {"upper weight 300", {{"Text33", "300"}}, {WeightUpper + " must be less than 250 kg"}},
        {"weights 0 with MG/HR", {{"Text25", "0"}, {"Text33", "0"}, {"Combo1", "MG/HR"}}, Accepted},
        {"weights 0 with MG/KG/HR",
         {{"Text25", "0"}, {"Text33", "0"}, {"Combo1", "MG/KG/HR"}},
         {WeightUpper + " must be grater than zero in case weight based Dose Units"}},
        // concentration
        {"concentration 0.0005 MG/ML",
         {{"Text27", "0.0005"}},
         {"Concentration must be number, units no lower then 0.001 MG/ML", "Concentration must be more then zero"}},
        {"concentration 1.5 MCG/ML",
         {{"Combo2", "MCG/ML"}, {"Text27", "1.5"}},
         {"Concentration must be number, units no lower then 1 MCG/ML"}},
        {"concentration 1000 MG/ML", {{"Text27", "1000"}}, Accepted},
        {"concentration 1000.001 MG/ML", {{"Text27", "1000.001"}}, {"Concentration must be lower"}},
        {"concentration 1000000 MU/ML", {{"Combo2", "MU/ML"}, {"Combo1", "MU/KG/MIN"}, {"Text27", "1000000"}}, Accepted},
        {"concentration 0", {{"Text27", "0"}}, {"Concentration must be more then zero"}},
        {"concentration abc",
         {{"Text27", "abc"}},
         {"Concentration must be valid value", "Concentration must be number, units no lower then 0.001 MG/ML"}},
        {"no concentration units",
         {{"Combo2", ""}, {"Combo1", ""}, {"Text27", "abc"}},
         {"Concentration units must be specified", "Dose Units must be specified"}},
        // dose rate
        {"empty initial dose rate",
         {{"Text28", ""}},
         {"Dose Rate Initial Value must be valid value", "Dose Rate Initial Value" + ThreeDigits}},
        {"dose rate 10000",
         {{"Text28", "10000"}, {"Text32", "10000"}, {"Text35", "10000"}},
         Accepted},
        {"dose rate 10000.001",
         {{"Text28", "10000.001"}, {"Text32", "10000"}, {"Text35", "10000"}},
         {"Dose Rate Initial Value must be lower",
          "Dose Rate Initial Value must be less or equal to Dose Rate Upper Soft Limit"}},
        {"dose rate 1.2345", {{"Text28", "1.2345"}, {"Text31", "1"}, {"Text34", "0.5"}},
         {"Dose Rate Initial Value" + ThreeDigits}},
        {"dose rate 1.001 exactly", {{"Text28", "1.001"}, {"Text31", "1.001"}, {"Text34", "1.001"}}, Accepted},
        {"dose rate beyond 32 bits",
         {{"Text28", "3000000"}},
         {"Dose Rate Initial Value must be valid value", "Dose Rate Initial Value" + ThreeDigits}},
        {"dose rate 2147483.648",
         {{"Text32", "2147483.648"}},
         {"Dose Rate Upper Soft Limit must be valid value", "Dose Rate Upper Soft Limit" + ThreeDigits}},
        {"lower hard limit 0", {{"Text34", "0"}}, {"Dose Rate Lower Hard Limit must be more then zero"}},
        {"dose rate order",
         {{"Text28", "1"}, {"Text31", "3"}, {"Text32", "2"}, {"Text34", "4"}, {"Text35", "1.5"}},
         {"Dose Rate Initial Value must be more or equal to Dose Rate Lower Soft Limit",
          "Dose Rate Lower Soft Limit must be less or equal to Dose Rate Upper Soft Limit",
          "Dose Rate Lower Hard Limit must be less or equal to Dose Rate Lower Soft Limit",
          "Dose Rate Upper Hard Limit must be more or equal to Dose Rate Upper Soft Limit",
          "Dose Rate Lower Hard Limit must be less or equal to Dose Rate Upper Hard Limit"}},
        {"no dose units", {{"Combo1", ""}}, {"Dose Units must be specified"}},
        // bolus
        {"volume bolus 100", {{"Combo3", "VOLUME"}, {"Text36", "100"}}, Accepted},
        {"volume bolus 100.1", {{"Combo3", "VOLUME"}, {"Text36", "100.1"}}, {"Bolus Initial Value must be lower"}},
        {"volume bolus 0.05",
         {{"Combo3", "VOLUME"}, {"Text36", "0.05"}},
         {"Bolus Initial Value must be number, up to one digits after decimal point"}},
        {"volume lower hard -1",
         {{"Combo3", "VOLUME"}, {"Text41", "-1"}},
         {"Bolus Dose Lower Hard Limit can not be negative"}},
        {"weight lower hard -1", {{"Text41", "-1"}}, Accepted},
        {"bolus initial not compared with its limits", {{"Text36", "9000"}}, Accepted},
        {"weight bolus 0.0001",
         {{"Text39", "0.0001"}},
         {"Bolus Dose Lower Soft Limit" + ThreeDigits,
          "Bolus Dose Lower Hard Limit must be less or equal to Bolus Dose Lower Soft Limit"}},
        {"bolus order",
         {{"Text39", "3"}, {"Text40", "2"}, {"Text41", "4"}, {"Text42", "1"}},
         {"Bolus Dose Lower Soft Limit must be less or equal to Bolus Dose Upper Soft Limit",
          "Bolus Dose Lower Hard Limit must be less or equal to Bolus Dose Lower Soft Limit",
          "Bolus Dose Upper Hard Limit must be more or equal to Bolus Dose Upper Soft Limit"}},
        {"no bolus mode", {{"Combo3", ""}, {"Text36", "x"}}, {"Bolus Mode must be specified"}},
        // bolus time
        {"rate 1200", {{"Combo4", "NOTIME"}, {"Text38", "1200"}}, Accepted},
        {"rate 1200.1", {{"Combo4", "NOTIME"}, {"Text38", "1200.1"}}, {"Bolus Rate must be lower then 1200 ML/HR"}},
        {"rate 0", {{"Combo4", "NOTIME"}, {"Text38", "0"}}, {"Bolus Rate must be more then zero"}},
        {"rate 1.25",
         {{"Combo4", "NOTIME"}, {"Text38", "1.25"}},
         {"Bolus Rate must be number, up to one digits after decimal point"}},
        {"3600 SS", {{"Text37", "3600"}}, Accepted},
        {"3601 SS", {{"Text37", "3601"}}, {"Bolus Time Initial Value must be lower"}},
        {"0 SS", {{"Text37", "0"}}, {"Bolus Time Initial Value must be more then zero"}},
        {"60 MM", {{"Combo4", "MM"}, {"Text37", "60"}}, Accepted},
        {"61 MM", {{"Combo4", "MM"}, {"Text37", "61"}}, {"Bolus Time Initial Value must be lower"}},
        {"2.5 MM",
         {{"Combo4", "MM"}, {"Text37", "2.5"}},
         {"Bolus Time Initial Value must be number, no decimal point"}},
        {"1:59", {{"Combo4", "HH:MM"}, {"Text37", "1:59"}}, Accepted},
        {"01:59", {{"Combo4", "HH:MM"}, {"Text37", "01:59"}}, Accepted},
        {"2:00", {{"Combo4", "HH:MM"}, {"Text37", "2:00"}}, {"Bolus Time Initial Value must be lower"}},
        {"0:60", {{"Combo4", "HH:MM"}, {"Text37", "0:60"}}, {"Bolus Time Initial Value MM part must be lower then 60"}},
        {"0:00", {{"Combo4", "HH:MM"}, {"Text37", "0:00"}}, {"Bolus Time Initial Value must be more then zero"}},
        {"0130", {{"Combo4", "HH:MM"}, {"Text37", "0130"}}, {"Bolus Time Initial Value must be formated as HH:MM"}},
        {"empty HH:MM",
         {{"Combo4", "HH:MM"}, {"Text37", ""}},
         {"Bolus Time Initial Value must be formated as HH:MM", "Bolus Time Initial Value HH part must be valid value",
          "Bolus Time Initial Value MM part must be valid value"}},
        {"1.5:30 alone",
         {{"Combo4", "HH:MM"}, {"Text37", "1.5:30"}},
         {"Bolus Time Initial Value HH part must be number, no decimal point",
          "Bolus Time Initial Value must be lower"}},
        {"1.5:30 after another message",
         {{"Text26", ""}, {"Combo4", "HH:MM"}, {"Text37", "1.5:30"}},
         {"Drug Name must be specified", "Bolus Time Initial Value must be lower"}},
        {"no bolus time units", {{"Combo4", ""}}, {"Bulus Time Units must be specified"}},
        // name and departments
        {"no name and no department",
         {{"Text26", ""}, {"Check1", ""}},
         {"Drug Name must be specified", "At list one Department must be enabled"}},
        {"name holding WLS=", {{"Text26", "AWLS=B"}}, {"Drug Name can not contain WLS="}},
        {"department 24 only", {{"Check1", ""}, {"Check24", "1"}}, Accepted},
        {"many rows at once",
         {{"Text26", ""}, {"Text25", "x"}, {"Text27", "-2"}, {"Text34", "0"}, {"Combo3", "VOLUME"},
          {"Text36", ""}, {"Combo4", ""}, {"Check1", ""}},
         {"Drug Name must be specified", WeightLower + " must be valid value",
          WeightLower + " must be number, no digits after decimal point", "Concentration must be more then zero",
          "Dose Rate Lower Hard Limit must be more then zero", "Bolus Initial Value must be valid value",
          "Bolus Initial Value must be number, up to one digits after decimal point",
          "Bulus Time Units must be specified", "At list one Department must be enabled"}},
    };
}

INSTANTIATE_TEST_SUITE_P(Pages, DrugRules, ::testing::ValuesIn(ruleCases()), [](const auto& param) {
    std::string name;
    for (char c : std::string(param.param.name)) name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    return name;
});

TEST_F(UsEditorTest, DecimalCommaOfTheRegionCounts) {
    numbers = NumberFormat{','};
    editor = std::make_unique<OrrxUsaEditor>(folder.path(), numbers);
    newLibrary();
    EXPECT_EQ(enter(with(validPage(), {{"Text27", "2,5"}, {"Text41", "0,5"}})), Accepted);
    EXPECT_EQ(editor->library().Drug[1].Concentration, "2,5");
}

}  // namespace
}  // namespace mc::druglib_us
