#pragma once
// The drug page of the US editor as typed data: its fields, what its boxes
// and lists show of an entry, what picking in a list does, and the entry's
// fields as a review shows them. The editor renders a DrugPage into its
// controls; the command-line program works on the same functions, without a page.

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "druglib_us/core/us_library.hpp"
#include "shell/core/page_table.hpp"

namespace mc::druglib_us {

// The drug page's fields, in the order of the page, which is also the order it
// is filled in: each list comes before the boxes that picking in it empties.
const PageTable& drugEntryPageTable();

// The dose units a concentration units family offers, in their order; empty for
// a text that is none of the four concentration units.
const std::vector<std::string>& doseUnitsFor(const std::string& concUnits);
bool isWeightBasedDoseUnit(const std::string& doseUnits);
// The unit of the bolus boxes; nothing when the caption stays as it was
// (bolus mode "WEIGHT" without dose units).
std::optional<std::string> bolusUnitCaption(const std::string& bolusMode, const std::string& doseUnits);

// The drug page as its controls show it: every box's text, every list's chosen
// entry ("" for none, else an entry the list offers), the ticked departments
// as a mask. The weights are texts here; `entry`'s weight fields are unused.
struct DrugPage {
    DrugEntry entry;
    std::string weightLowerSoft;
    std::string weightUpperSoft;
    // What only the picking handlers set, so that it stays as it was until they
    // run: the dose units list (it keeps its entries while no concentration
    // units are chosen), the dose units label and the bolus unit label. The
    // defaults are what the page shows before any entry.
    std::vector<std::string> doseUnitItems;
    std::string doseUnitLabel = "MCG/KG/MIN";
    std::string bolusUnitLabel = "MCG/KG";
    bool operator==(const DrugPage&) const = default;
};

// The text of a field of the page: a box's text or a list's chosen entry; null
// for a control that is none of the table's. Writing a list's text here does
// not do what picking does: `choose` does that.
std::string* fieldText(DrugPage& page, std::string_view control);
const std::string* fieldText(const DrugPage& page, std::string_view control);

// What the page shows around the values, from the record alone.
struct ListView {
    std::vector<std::string> items;
    int chosen = -1;  // position in items; -1 for none
    std::string chosenText() const;
};
struct DrugPageView {
    ListView concUnits;       // Combo2
    ListView doseUnits;       // Combo1
    ListView bolusMode;       // Combo3
    ListView bolusTimeUnits;  // Combo4
    std::string concUnitLabel;       // Label4
    std::string doseUnitLabel;       // Label7, Label9, Label21, Label23, Label25
    std::string bolusUnitLabel;      // Label28, Label35, Label38, Label40, Label42
    std::string bolusTimeUnitLabel;  // Label32
    // Of the bolus time row (Text37) and the bolus rate row (Text38) only one is shown.
    bool bolusTimeShown = true;

    // The list shown by `control`; null for a control that is no list.
    const ListView* list(std::string_view control) const;
    // Whether the field of `control` is shown.
    bool shows(std::string_view control) const;
    // The text of a unit label of the table ("Label4", "Label16").
    std::string unitText(std::string_view unitLabel) const;
};
DrugPageView viewOf(const DrugPage& page);

// Picks entry `index` of the list `control` ("Combo2", "Combo1", "Combo3",
// "Combo4"; -1 picks none), with what its handler does: new concentration
// units empty the concentration and leave no dose units chosen; new dose units
// empty the dose rate boxes and, as a new bolus mode does, the bolus boxes; new
// bolus time units other than "NOTIME" empty the bolus time.
void choose(DrugPage& page, std::string_view control, int index);

// Entry n as the page shows it after a restore: each list is set before the
// boxes it empties, as if picked. `before` is the page shown until then, whose
// dose units list and bolus unit label stay where the entry does not set them.
DrugPage shownEntry(const UsDrugLibrary& library, int n, const DrugPage& before = {});
// A new entry as the page shows it.
DrugPage newEntryPage(const DrugPage& before = {});

// Stores an entry that passed the rules as entry n; an entry after the last one is counted.
void storeEntry(UsDrugLibrary& library, int n, DrugEntry entry);

// The entry's fields as the page shows them, caption and value with its unit,
// in page order; the hidden row left out, the departments last ("1, 3" or "none").
std::vector<std::pair<std::string, std::string>> shownFields(const DrugPage& page);

}  // namespace mc::druglib_us
