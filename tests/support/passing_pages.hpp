#pragma once
// Pages that pass every rule of their "OK", as a technician fills them in:
// control and text in page order, lists by the entry they show, check boxes
// "1" for ticked. The one source of passing pages for the model and window tests.

#include <string>
#include <utility>
#include <vector>

namespace mc::testing {

using Entries = std::vector<std::pair<std::string, std::string>>;

// A US drug entry in department 1, each list picked before the boxes it empties.
inline Entries passingUsDrug(const std::string& name) {
    return {{"Text26", name}, {"Text25", "10"}, {"Text33", "100"}, {"Combo2", "MG/ML"}, {"Text27", "5"},
            {"Combo1", "MCG/KG/MIN"}, {"Text28", "5"}, {"Text31", "2"}, {"Text32", "10"}, {"Text34", "1"},
            {"Text35", "20"}, {"Combo3", "WEIGHT"}, {"Text36", "1"}, {"Text39", "1"}, {"Text40", "2"},
            {"Text41", "0.5"}, {"Text42", "3"}, {"Combo4", "SS"}, {"Text37", "30"}, {"Check1", "1"}};
}

// The "Pump Setting" page with Allow Dosavia "OFF"; RX_Macro_Creator types
// the pressure level, Macro_Creator picks it and has a backlight duration.
inline Entries passingSettings(bool rx) {
    Entries page{{"Text1", "1234"}, {"Text2", "11"}, {"Text3", "33"}, {"Text4", "22"}, {"Combo1", "Level Two"},
                 {"Combo2", "No Code"}, {"Combo3", "Level One"}, {"Combo4", "Level Three"}, {"Combo5", "Level Two"},
                 {"Combo6", "Level Two"}, {"Combo7", "Level One"}, {"Combo8", "Level Three"}, {"Combo9", "Code switch"},
                 {"Text5", "0.1"}, {"Text6", "2"}, {"Text7", "0.5"}, {"Combo10", "ON"}, {"Combo12", "ON"},
                 {"Combo13", "OFF"}, {"Text8", "0.5"}, {"Text9", "2"}, {"Text10", "350"}, {"Text11", "100"},
                 {"Text12", "1"}, {"Text13", "30"}, {"Combo14", "5"}, {"Combo15", "4"}, {"Combo16", "OFF"},
                 {"Combo17", "Boluses"}, {"Combo18", "24"}, {"Text14", "5"}, {"Text15", "10"}, {"Text16", "5"}};
    if (rx) page.push_back({"Text31", "400"});
    else page.insert(page.end(), {{"Combo11", "Normal"}, {"Text17", "30"}});
    return page;
}

}  // namespace mc::testing
