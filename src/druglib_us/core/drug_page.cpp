#include "druglib_us/core/drug_page.hpp"

#include <algorithm>

namespace mc::druglib_us {
namespace {

const std::vector<std::string> ConcUnitItems{"MG/ML", "U/ML", "MCG/ML", "MU/ML"};
const std::vector<std::string> BolusModeItems{"WEIGHT", "VOLUME"};
const std::vector<std::string> BolusTimeUnitItems{"NOTIME", "HH:MM", "MM", "SS"};
const std::vector<std::string> MassDoseUnits{"MCG/KG/MIN", "MCG/KG/HR", "MG/KG/MIN", "MG/KG/HR",
                                             "MCG/MIN",    "MCG/HR",    "MG/MIN",    "MG/HR"};
const std::vector<std::string> UnitDoseUnits{"MU/KG/MIN", "MU/KG/HR", "U/KG/MIN", "U/KG/HR",
                                             "MU/MIN",    "MU/HR",    "U/MIN",    "U/HR"};
const std::vector<std::string> NoDoseUnits;

// The fields of the page that an entry holds as text.
struct EntryText {
    std::string_view control;
    std::string DrugEntry::*member;
};
constexpr EntryText EntryTexts[] = {
    {"Text26", &DrugEntry::DrugName},          {"Combo2", &DrugEntry::ConcUnits},
    {"Text27", &DrugEntry::Concentration},     {"Combo1", &DrugEntry::DoseUnits},
    {"Text28", &DrugEntry::DoseRateInitial},   {"Text31", &DrugEntry::DoseRateLowerSoft},
    {"Text32", &DrugEntry::DoseRateUpperSoft}, {"Text34", &DrugEntry::DoseRateLowerHard},
    {"Text35", &DrugEntry::DoseRateUpperHard}, {"Combo3", &DrugEntry::BolusMode},
    {"Text36", &DrugEntry::BolusInitial},      {"Combo4", &DrugEntry::BolusTimeUnits},
    {"Text37", &DrugEntry::BolusTime},         {"Text38", &DrugEntry::BolusRate},
    {"Text39", &DrugEntry::BolusLowerSoft},    {"Text40", &DrugEntry::BolusUpperSoft},
    {"Text41", &DrugEntry::BolusLowerHard},    {"Text42", &DrugEntry::BolusUpperHard},
};

ListView listOf(const std::vector<std::string>& items, const std::string& chosen) {
    const auto it = std::find(items.begin(), items.end(), chosen);
    return {items, chosen.empty() || it == items.end() ? -1 : static_cast<int>(it - items.begin())};
}

// What the bolus mode's handler does, also after new dose units.
void bolusModeChosen(DrugPage& page) {
    DrugEntry& e = page.entry;
    if (const auto caption = bolusUnitCaption(e.BolusMode, e.DoseUnits)) page.bolusUnitLabel = *caption;
    for (std::string* box : {&e.BolusInitial, &e.BolusLowerSoft, &e.BolusUpperSoft, &e.BolusLowerHard,
                             &e.BolusUpperHard})
        box->clear();
}

}  // namespace

const PageTable& drugEntryPageTable() {
    constexpr FieldKind Number = FieldKind::Number, Choice = FieldKind::Choice;
    static const PageTable table{
        {"Text26", FieldKind::Text, "Drug Name", "Label2", DrugNameLength, ""},
        {"Text25", Number, "Patient Weight Lower Soft Limit", "Label15", 0, "Label16"},
        {"Text33", Number, "PatientWeight Upper Soft Limit", "Label17", 0, "Label18"},
        {"Combo2", Choice, "Concentration units", "Label19", 0, ""},
        {"Text27", Number, "Concentration", "Label3", 0, "Label4"},
        {"Combo1", Choice, "Dose Units", "Label6", 0, ""},
        {"Text28", Number, "Dose Rate Initial Value", "Label5", 0, "Label7"},
        {"Text31", Number, "Dose Rate Lower Soft Limit", "Label8", 0, "Label9"},
        {"Text32", Number, "Dose Rate Upper Soft Limit", "Label20", 0, "Label21"},
        {"Text34", Number, "Dose Rate Lower Hard Limit", "Label22", 0, "Label23"},
        {"Text35", Number, "Dose Rate Upper Hard Limit", "Label24", 0, "Label25"},
        {"Combo3", Choice, "Bolus Mode", "Label26", 0, ""},
        {"Text36", Number, "Bolus Initial Value", "Label27", 0, "Label28"},
        {"Combo4", Choice, "Bulus  Time Units", "Label29", 0, ""},
        {"Text37", Number, "Bolus Time Initial Value", "Label31", 0, "Label32"},
        {"Text38", Number, "Bolus Rate", "Label30", 0, "Label33"},
        {"Text39", Number, "Bolus Dose Lower Soft Limit", "Label34", 0, "Label35"},
        {"Text40", Number, "Bolus Dose Upper Soft Limit", "Label37", 0, "Label38"},
        {"Text41", Number, "Bolus Dose Lower Hard Limit", "Label39", 0, "Label40"},
        {"Text42", Number, "Bolus Dose Upper Hard Limit", "Label41", 0, "Label42"},
    };
    return table;
}

const std::vector<std::string>& doseUnitsFor(const std::string& concUnits) {
    if (concUnits == "MG/ML" || concUnits == "MCG/ML") return MassDoseUnits;
    if (concUnits == "U/ML" || concUnits == "MU/ML") return UnitDoseUnits;
    return NoDoseUnits;
}

bool isWeightBasedDoseUnit(const std::string& doseUnits) { return doseUnits.find("/KG/") != std::string::npos; }

std::optional<std::string> bolusUnitCaption(const std::string& bolusMode, const std::string& doseUnits) {
    if (bolusMode == "VOLUME") return "ML";
    if (bolusMode != "WEIGHT") return "";
    if (doseUnits.empty()) return std::nullopt;
    // The dose unit without its time: "MCG/KG/MIN" gives "MCG/KG", "U/HR" gives "U".
    return doseUnits.substr(0, doseUnits.rfind('/'));
}

std::string* fieldText(DrugPage& page, std::string_view control) {
    return const_cast<std::string*>(fieldText(std::as_const(page), control));
}

const std::string* fieldText(const DrugPage& page, std::string_view control) {
    if (control == "Text25") return &page.weightLowerSoft;
    if (control == "Text33") return &page.weightUpperSoft;
    for (const EntryText& field : EntryTexts)
        if (field.control == control) return &(page.entry.*field.member);
    return nullptr;
}

std::string ListView::chosenText() const {
    return chosen >= 0 && chosen < static_cast<int>(items.size()) ? items[static_cast<std::size_t>(chosen)]
                                                                  : std::string();
}

const ListView* DrugPageView::list(std::string_view control) const {
    if (control == "Combo2") return &concUnits;
    if (control == "Combo1") return &doseUnits;
    if (control == "Combo3") return &bolusMode;
    if (control == "Combo4") return &bolusTimeUnits;
    return nullptr;
}

bool DrugPageView::shows(std::string_view control) const {
    if (control == "Text37") return bolusTimeShown;
    if (control == "Text38") return !bolusTimeShown;
    return true;
}

std::string DrugPageView::unitText(std::string_view unitLabel) const {
    if (unitLabel == "Label16" || unitLabel == "Label18") return "kg";
    if (unitLabel == "Label4") return concUnitLabel;
    for (const char* label : {"Label7", "Label9", "Label21", "Label23", "Label25"})
        if (unitLabel == label) return doseUnitLabel;
    for (const char* label : {"Label28", "Label35", "Label38", "Label40", "Label42"})
        if (unitLabel == label) return bolusUnitLabel;
    if (unitLabel == "Label32") return bolusTimeUnitLabel;
    if (unitLabel == "Label33") return "ML/HR";
    return {};
}

DrugPageView viewOf(const DrugPage& page) {
    const DrugEntry& e = page.entry;
    DrugPageView view;
    view.concUnits = listOf(ConcUnitItems, e.ConcUnits);
    view.doseUnits = listOf(page.doseUnitItems, e.DoseUnits);
    view.bolusMode = listOf(BolusModeItems, e.BolusMode);
    view.bolusTimeUnits = listOf(BolusTimeUnitItems, e.BolusTimeUnits);
    view.concUnitLabel = view.concUnits.chosenText();
    view.doseUnitLabel = page.doseUnitLabel;
    view.bolusUnitLabel = page.bolusUnitLabel;
    view.bolusTimeUnitLabel = view.bolusTimeUnits.chosenText();
    view.bolusTimeShown = view.bolusTimeUnitLabel != "NOTIME";
    return view;
}

void choose(DrugPage& page, std::string_view control, int index) {
    const DrugPageView view = viewOf(page);
    const ListView* list = view.list(control);
    if (!list) return;
    const std::string text = ListView{list->items, index}.chosenText();
    DrugEntry& e = page.entry;
    if (control == "Combo2") {
        e.ConcUnits = text;
        // Other units than the four leave the dose units list as it is.
        if (const auto& family = doseUnitsFor(text); !family.empty()) page.doseUnitItems = family;
        e.DoseUnits.clear();
        e.Concentration.clear();
    } else if (control == "Combo1") {
        e.DoseUnits = text;
        for (std::string* box : {&e.DoseRateLowerSoft, &e.DoseRateInitial, &e.DoseRateUpperSoft,
                                 &e.DoseRateLowerHard, &e.DoseRateUpperHard})
            box->clear();
        page.doseUnitLabel = text;
        bolusModeChosen(page);
    } else if (control == "Combo3") {
        e.BolusMode = text;
        bolusModeChosen(page);
    } else {
        e.BolusTimeUnits = text;
        // The bolus rate keeps its text for when "NOTIME" comes back.
        if (text != "NOTIME") e.BolusTime.clear();
    }
}

namespace {

// The page filled with an entry in page order, each list picked as if by hand
// before the boxes it empties.
DrugPage shown(const DrugEntry& e, DrugPage page) {
    DrugPage typed;
    typed.entry = e;
    typed.weightLowerSoft = std::to_string(e.WeightLowerSoft);
    typed.weightUpperSoft = std::to_string(e.WeightUpperSoft);
    for (const PageField& field : drugEntryPageTable()) {
        const std::string& text = *fieldText(typed, field.control);
        if (field.kind != FieldKind::Choice) *fieldText(page, field.control) = text;
        else choose(page, field.control, listOf(viewOf(page).list(field.control)->items, text).chosen);
    }
    // The 24 check boxes show the departments the page has.
    page.entry.DrugDepartments = e.DrugDepartments & ((std::int32_t{1} << DepartmentCount) - 1);
    return page;
}

}  // namespace

DrugPage shownEntry(const UsDrugLibrary& library, int n, const DrugPage& before) {
    return shown(library.Drug[n], before);
}

DrugPage newEntryPage(const DrugPage& before) { return shown(DrugEntry{}, before); }

void storeEntry(UsDrugLibrary& library, int n, DrugEntry entry) {
    library.Drug[n] = std::move(entry);
    library.DrugCount = std::max(library.DrugCount, n);
}

std::vector<std::pair<std::string, std::string>> shownFields(const DrugPage& page) {
    const DrugPageView view = viewOf(page);
    std::vector<std::pair<std::string, std::string>> fields;
    for (const PageField& field : drugEntryPageTable()) {
        if (!view.shows(field.control)) continue;
        const ListView* list = view.list(field.control);
        std::string value = list ? list->chosenText() : *fieldText(page, field.control);
        if (const std::string unit = view.unitText(field.unitLabel); !unit.empty()) value += " " + unit;
        fields.emplace_back(field.caption, std::move(value));
    }
    std::string departments;
    for (int d = 1; d <= DepartmentCount; ++d) {
        if ((page.entry.DrugDepartments >> (d - 1) & 1) == 0) continue;
        if (!departments.empty()) departments += ", ";
        departments += std::to_string(d);
    }
    fields.emplace_back("Departments", departments.empty() ? "none" : departments);
    return fields;
}

}  // namespace mc::druglib_us
