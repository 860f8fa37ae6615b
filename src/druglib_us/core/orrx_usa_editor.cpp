#include "druglib_us/core/orrx_usa_editor.hpp"

#include <algorithm>

#include "druglib_us/core/tv1_file.hpp"
#include "shell/core/department_page.hpp"
#include "shell/core/text.hpp"

namespace mc::druglib_us {
namespace {

std::string checkBox(int d) { return "Check" + std::to_string(d); }

// The boxes of the drug page holding texts of an entry.
struct TextBox {
    const char* name;
    std::string DrugEntry::*field;
};
const TextBox DrugTextBoxes[] = {
    {"Text26", &DrugEntry::DrugName},          {"Text27", &DrugEntry::Concentration},
    {"Text28", &DrugEntry::DoseRateInitial},   {"Text31", &DrugEntry::DoseRateLowerSoft},
    {"Text32", &DrugEntry::DoseRateUpperSoft}, {"Text34", &DrugEntry::DoseRateLowerHard},
    {"Text35", &DrugEntry::DoseRateUpperHard}, {"Text36", &DrugEntry::BolusInitial},
    {"Text37", &DrugEntry::BolusTime},         {"Text38", &DrugEntry::BolusRate},
    {"Text39", &DrugEntry::BolusLowerSoft},    {"Text40", &DrugEntry::BolusUpperSoft},
    {"Text41", &DrugEntry::BolusLowerHard},    {"Text42", &DrugEntry::BolusUpperHard},
};
const TextBox Pickers[] = {
    {"Combo2", &DrugEntry::ConcUnits},
    {"Combo1", &DrugEntry::DoseUnits},
    {"Combo3", &DrugEntry::BolusMode},
    {"Combo4", &DrugEntry::BolusTimeUnits},
};

const char* const DoseRateBoxes[] = {"Text31", "Text28", "Text32", "Text34", "Text35"};
const char* const DoseRateUnits[] = {"Label7", "Label9", "Label21", "Label23", "Label25"};
const char* const BolusBoxes[] = {"Text36", "Text39", "Text40", "Text41", "Text42"};
const char* const BolusUnitCopies[] = {"Label35", "Label38", "Label40", "Label42"};

// Captions of the drug page (label, text) as the pump's technicians know them.
const std::pair<const char*, const char*> Captions[] = {
    {"Label51", "Drug Number"},
    {"Label13", "of"},
    {"Label2", "Drug Name"},
    {"Label15", "Patient Weight Lower Soft Limit"},
    {"Label16", "kg"},
    {"Label17", "PatientWeight Upper Soft Limit"},
    {"Label18", "kg"},
    {"Label19", "Concentration units"},
    {"Label3", "Concentration"},
    {"Label4", "MG/ML"},
    {"Label6", "Dose Units"},
    {"Label5", "Dose Rate Initial Value"},
    {"Label8", "Dose Rate Lower Soft Limit"},
    {"Label20", "Dose Rate Upper Soft Limit"},
    {"Label22", "Dose Rate Lower Hard Limit"},
    {"Label24", "Dose Rate Upper Hard Limit"},
    {"Label26", "Bolus Mode"},
    {"Label27", "Bolus Initial Value"},
    {"Label28", "MCG/KG"},
    {"Label29", "Bulus  Time Units"},
    {"Label31", "Bolus Time Initial Value"},
    {"Label32", "HH:MM"},
    {"Label30", "Bolus Rate"},
    {"Label33", "ML/HR"},
    {"Label34", "Bolus Dose Lower Soft Limit"},
    {"Label37", "Bolus Dose Upper Soft Limit"},
    {"Label39", "Bolus Dose Lower Hard Limit"},
    {"Label41", "Bolus Dose Upper Hard Limit"},
};

bool isDrugPageBox(const std::string& name) {
    for (const char* box : {"Text25", "Text33"})
        if (name == box) return true;
    return std::any_of(std::begin(DrugTextBoxes), std::end(DrugTextBoxes),
                       [&](const TextBox& box) { return name == box.name; });
}

}  // namespace

FrameLayout orrxUsaFrameLayout() {
    FrameLayout layout;
    layout.windowName = "ORRX_USA_Macro_Creator";
    layout.caption = "Tavrel_Macro_Creator";
    layout.extension = ".tv1";
    layout.saveNameMaxLength = 24;
    layout.openMessage = "Label12";
    layout.page2BackCaption = "Back";
    layout.recordButtons = {{"Command14", "Previous Drug"}, {"Command13", "Next Drug"}};
    layout.recordActions = {{"Command15", "Delete Drug"}};
    layout.goTo = true;
    return layout;
}

OrrxUsaEditor::OrrxUsaEditor(std::filesystem::path workingDirectory, NumberFormat numberFormat)
    : EditorFrame(orrxUsaFrameLayout(), std::move(workingDirectory), numberFormat) {
    addDepartmentBoxes(form_, DepartmentCount, DepartmentNameLength);
    for (const auto& [label, text] : Captions) form_.add(label).text = text;
    for (const char* label : DoseRateUnits) form_.add(label).text = "MCG/KG/MIN";
    for (const char* label : BolusUnitCopies) form_.add(label).text = "MCG/KG";
    form_.add("Label1");
    form_.add("Label14");
    form_.add("Text25").numeric = true;
    form_.add("Text33").numeric = true;
    // Every box but the drug's name holds a number.
    for (const auto& box : DrugTextBoxes) form_.add(box.name).numeric = box.field != &DrugEntry::DrugName;
    form_["Text26"].maxLength = DrugNameLength;
    form_.add("Combo2").items = {"MG/ML", "U/ML", "MCG/ML", "MU/ML"};
    form_.add("Combo1");
    form_.add("Combo3").items = {"WEIGHT", "VOLUME"};
    form_.add("Combo4").items = {"NOTIME", "HH:MM", "MM", "SS"};
    for (int d = 1; d <= DepartmentCount; ++d) form_.add(checkBox(d));
    // Of the bolus time row and the bolus rate row only one is ever shown.
    for (const char* name : {"Label30", "Label33", "Text38"}) form_[name].visible = false;
}

// ---- file ----------------------------------------------------------------------

std::optional<std::string> OrrxUsaEditor::readMacro(std::string_view bytes) {
    Tv1Read read = readTv1(bytes);
    library_ = std::move(read.library);
    if (read.accepted) return std::nullopt;
    return "File " + chosenFile() + " can not be open as corrupted or for newer creator version";
}

std::optional<std::string> OrrxUsaEditor::writeMacro(const std::string& macroName) {
    return writeTv1(library_, macroName);
}

// ---- restoring and storing the pages ---------------------------------------------

void OrrxUsaEditor::choose(const std::string& picker, const std::string& text) {
    Control& control = form_[picker];
    const auto it = std::find(control.items.begin(), control.items.end(), text);
    control.selected = text.empty() || it == control.items.end() ? -1 : static_cast<int>(it - control.items.begin());
}

void OrrxUsaEditor::fillPage(int page) {
    if (page == 2) {
        showDepartmentNames(form_, library_.DepartmentName, DepartmentNameLength);
        return;
    }
    // Each picker runs its handler as if picked, which empties the boxes that
    // follow it; so each is set before the boxes it empties are filled.
    const int n = currentDrug_;
    const DrugEntry& e = library_.Drug[n];
    form_["Label1"].text = std::to_string(n);
    form_["Text26"].text = e.DrugName;
    form_["Text25"].text = std::to_string(e.WeightLowerSoft);
    form_["Text33"].text = std::to_string(e.WeightUpperSoft);
    choose("Combo2", e.ConcUnits);
    Combo2_Click();
    form_["Text27"].text = e.Concentration;
    choose("Combo1", e.DoseUnits);
    Combo1_Click();
    form_["Text28"].text = e.DoseRateInitial;
    form_["Text31"].text = e.DoseRateLowerSoft;
    form_["Text32"].text = e.DoseRateUpperSoft;
    form_["Text34"].text = e.DoseRateLowerHard;
    form_["Text35"].text = e.DoseRateUpperHard;
    choose("Combo3", e.BolusMode);
    Combo3_Click();
    form_["Text36"].text = e.BolusInitial;
    choose("Combo4", e.BolusTimeUnits);
    Combo4_Click();
    form_["Text37"].text = e.BolusTime;
    form_["Text38"].text = e.BolusRate;
    form_["Text39"].text = e.BolusLowerSoft;
    form_["Text40"].text = e.BolusUpperSoft;
    form_["Text41"].text = e.BolusLowerHard;
    form_["Text42"].text = e.BolusUpperHard;
    for (int d = 1; d <= DepartmentCount; ++d) {
        Control& check = form_[checkBox(d)];
        check.text = library_.DepartmentName[d];
        check.checked = (e.DrugDepartments >> (d - 1) & 1) != 0;
    }
}

void OrrxUsaEditor::pageRestored(int page) {
    if (page != 3) return;
    // Stepping past the last entry opens a new one, counted at once; it must
    // be confirmed with OK or cancelled before the page can be left.
    newDrugPending_ = currentDrug_ > library_.DrugCount;
    if (newDrugPending_) {
        library_.DrugCount = currentDrug_;
        Drug_Modifyed();
    }
    form_["Label14"].text = std::to_string(library_.DrugCount);
    form_["Label74"].text.clear();
}

void OrrxUsaEditor::enableRecordButtons() {
    form_["Command14"].enabled = currentDrug_ > 1;
    form_["Command13"].enabled = currentDrug_ < MaxDrugCount;
}

DrugPage OrrxUsaEditor::shownPage() const {
    DrugPage page;
    for (const auto& box : DrugTextBoxes) page.entry.*box.field = form_[box.name].text;
    for (const auto& picker : Pickers) page.entry.*picker.field = form_[picker.name].selectedText();
    for (int d = 1; d <= DepartmentCount; ++d)
        if (form_[checkBox(d)].checked) page.entry.DrugDepartments |= std::int32_t{1} << (d - 1);
    page.weightLowerSoft = form_["Text25"].text;
    page.weightUpperSoft = form_["Text33"].text;
    return page;
}

EditorFrame::Commit OrrxUsaEditor::commitPage(int page) {
    if (page == 2) {
        storeDepartmentNames(form_, library_.DepartmentName);
        return stored("Departments list Updated");
    }
    DrugCheck check = checkDrugEntry(shownPage(), numberFormat());
    if (!check.accepted()) return refused(messagesByCaption(check.messages, fieldCaptions(3)));
    library_.Drug[currentDrug_] = std::move(check.stored);
    return stored("Drug Updated");
}

// ---- drug page events ------------------------------------------------------------

void OrrxUsaEditor::cancelPage(int page) {
    if (page == 3) Command8_Click();
    else restorePage(page);
}

void OrrxUsaEditor::Command8_Click() {
    if (!newDrugPending_) {
        ActDrug_Restore();
        return;
    }
    newDrugPending_ = false;
    if (library_.DrugCount <= 1) {
        // The library never gets below one entry this way.
        ActDrug_Restore();
        newDrugPending_ = true;
        Drug_Modifyed();
        return;
    }
    library_.DrugCount -= 1;
    currentDrug_ -= 1;
    ActDrug_Restore();
}

void OrrxUsaEditor::Command15_Click() {
    const int n = currentDrug_;
    // A stored entry goes only when the technician says so; a new one is not stored yet.
    const std::string question =
        "Delete entry " + std::to_string(n) + " (" + trimTrailingBlanks(library_.Drug[n].DrugName) + ")?";
    if (!newDrugPending_ && !confirmed({"DeleteQuestion", question, "Delete"})) return;
    // The entry after the last one is always empty, so the last entry empties.
    for (int i = n; i <= library_.DrugCount; ++i) library_.Drug[i] = library_.Drug[i + 1];
    markLibraryChanged();
    if (n > 1) currentDrug_ = n - 1;
    if (library_.DrugCount < 2) {
        ActDrug_Restore();
        newDrugPending_ = true;
        Drug_Modifyed();
        return;
    }
    library_.DrugCount -= 1;
    ActDrug_Restore();
}

bool OrrxUsaEditor::readsBackAsMacro(std::string_view bytes) const {
    const Tv1Read read = readTv1(bytes);
    UsDrugLibrary expected = library_;
    // The file carries only the bolus value its time units use.
    for (int i = 1; i <= expected.DrugCount; ++i) {
        DrugEntry& entry = expected.Drug[i];
        (entry.BolusTimeUnits == "NOTIME" ? entry.BolusTime : entry.BolusRate).clear();
    }
    return read.accepted && read.library == expected;
}

std::vector<std::pair<std::string, std::string>> OrrxUsaEditor::fieldCaptions(int page) const {
    if (page != 3) return {};
    // As the rules' messages name the fields.
    return {{"Drug Name", "Text26"},
            {"Patient Weight Lower Soft Limit", "Text25"},
            {"Patient Weight Upper Soft Limit", "Text33"},
            {"Concentration units", "Combo2"},
            {"Concentration", "Text27"},
            {"Dose Units", "Combo1"},
            {"Dose Rate Initial Value", "Text28"},
            {"Dose Rate Lower Soft Limit", "Text31"},
            {"Dose Rate Upper Soft Limit", "Text32"},
            {"Dose Rate Lower Hard Limit", "Text34"},
            {"Dose Rate Upper Hard Limit", "Text35"},
            {"Bolus Mode", "Combo3"},
            {"Bolus Initial Value", "Text36"},
            {"Bulus Time Units", "Combo4"},
            {"Bolus Time Initial Value", "Text37"},
            {"Bolus Rate", "Text38"},
            {"Bolus Dose Lower Soft Limit", "Text39"},
            {"Bolus Dose Upper Soft Limit", "Text40"},
            {"Bolus Dose Lower Hard Limit", "Text41"},
            {"Bolus Dose Upper Hard Limit", "Text42"}};
}

bool OrrxUsaEditor::goToRecord(const std::string& typed) {
    // Past the last entry only the next new one, as "Next Drug" reaches it.
    const int last = std::min(library_.DrugCount + 1, MaxDrugCount);
    const auto drug = recordNamed(typed, last, library_.DrugCount, currentDrug_,
                                  [this](int n) { return library_.Drug[n].DrugName; });
    if (drug) currentDrug_ = *drug;
    return drug.has_value();
}

bool OrrxUsaEditor::onClick(const std::string& name) {
    if (name == "Command15") {
        Command15_Click();
        return true;
    }
    if (name != "Command13" && name != "Command14") return false;
    currentDrug_ += name == "Command13" ? 1 : -1;  // Next Drug, Previous Drug
    ActDrug_Restore();
    return true;
}

bool OrrxUsaEditor::onTextEdited(const std::string& name) {
    if (isDepartmentBox(name, DepartmentCount)) markModified(2);  // Departments_Modifyed
    else if (isDrugPageBox(name)) Drug_Modifyed();
    else return false;
    return true;
}

bool OrrxUsaEditor::onToggle(const std::string& name) {
    if (!name.starts_with("Check")) return false;
    Drug_Modifyed();
    return true;
}

bool OrrxUsaEditor::onPick(const std::string& name) {
    if (name == "Combo2") Combo2_Click();
    else if (name == "Combo1") Combo1_Click();
    else if (name == "Combo3") Combo3_Click();
    else if (name == "Combo4") Combo4_Click();
    else return false;
    return true;
}

// ---- the pickers -------------------------------------------------------------------

void OrrxUsaEditor::Combo2_Click() {
    Drug_Modifyed();
    const std::string& units = form_["Combo2"].selectedText();
    Control& doseUnits = form_["Combo1"];
    if (const auto& family = doseUnitsFor(units); !family.empty()) doseUnits.items = family;
    doseUnits.selected = -1;  // no dose units until the user picks from the new list
    form_["Label4"].text = units;
    form_["Text27"].text.clear();
}

void OrrxUsaEditor::Combo1_Click() {
    Drug_Modifyed();
    for (const char* box : DoseRateBoxes) form_[box].text.clear();
    for (const char* label : DoseRateUnits) form_[label].text = form_["Combo1"].selectedText();
    Combo3_Click();
}

void OrrxUsaEditor::Combo3_Click() {
    Drug_Modifyed();
    const auto caption = bolusUnitCaption(form_["Combo3"].selectedText(), form_["Combo1"].selectedText());
    if (caption) form_["Label28"].text = *caption;
    for (const char* label : BolusUnitCopies) form_[label].text = form_["Label28"].text;
    for (const char* box : BolusBoxes) form_[box].text.clear();
}

void OrrxUsaEditor::Combo4_Click() {
    Drug_Modifyed();
    const std::string& units = form_["Combo4"].selectedText();
    const bool rate = units == "NOTIME";
    for (const char* name : {"Label30", "Label33", "Text38"}) form_[name].visible = rate;
    for (const char* name : {"Label31", "Label32", "Text37"}) form_[name].visible = !rate;
    if (!rate) {
        form_["Label32"].text = units;
        form_["Text37"].text.clear();
    }
}

}  // namespace mc::druglib_us
