#include "druglib_us/core/orrx_usa_editor.hpp"

#include <algorithm>

#include "druglib_us/core/tv1_file.hpp"
#include "druglib_us/core/tv1_review.hpp"
#include "shell/core/department_page.hpp"
#include "shell/core/text.hpp"

namespace mc::druglib_us {
namespace {

std::string checkBox(int d) { return "Check" + std::to_string(d); }

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
    form_.add("Label51").text = "Drug Number";
    form_.add("Label13").text = "of";
    form_.add("Label1");
    form_.add("Label14");
    addPageControls(form_, drugEntryPageTable(), 3);
    for (int d = 1; d <= DepartmentCount; ++d) form_.add(checkBox(d)).page = 3;
    showDrugPage(DrugPage{});

    for (int d = 1; d <= DepartmentCount; ++d) {
        onEdit(departmentBox(d), [this] { markModified(2); });
        onToggle(checkBox(d), [this] { Drug_Modifyed(); });
    }
    for (const PageField& field : drugEntryPageTable()) {
        if (field.kind == FieldKind::Choice) onPick(field.control, [this, list = field.control] { chooseUnit(list); });
        else onEdit(field.control, [this] { Drug_Modifyed(); });
    }
    onClick("Command13", [this] { stepDrug(+1); });  // Next Drug
    onClick("Command14", [this] { stepDrug(-1); });  // Previous Drug
    onClick("Command15", [this] { Command15_Click(); });
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

void OrrxUsaEditor::fillPage(int page) {
    if (page == 2) {
        showDepartmentNames(form_, library_.DepartmentName, DepartmentNameLength);
        return;
    }
    form_["Label1"].text = std::to_string(currentDrug_);
    for (int d = 1; d <= DepartmentCount; ++d) form_[checkBox(d)].text = library_.DepartmentName[d];
    showDrugPage(shownEntry(library_, currentDrug_, shownPage()));
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
    for (const PageField& field : drugEntryPageTable()) {
        const Control& control = form_[field.control];
        *fieldText(page, field.control) = field.kind == FieldKind::Choice ? control.selectedText() : control.text;
    }
    for (int d = 1; d <= DepartmentCount; ++d)
        if (form_[checkBox(d)].checked) page.entry.DrugDepartments |= std::int32_t{1} << (d - 1);
    page.doseUnitItems = form_["Combo1"].items;
    page.doseUnitLabel = form_["Label7"].text;
    page.bolusUnitLabel = form_["Label28"].text;
    return page;
}

void OrrxUsaEditor::showDrugPage(const DrugPage& page) {
    const DrugPageView view = viewOf(page);
    for (const PageField& field : drugEntryPageTable()) {
        Control& control = form_[field.control];
        if (const ListView* list = view.list(field.control)) {
            control.items = list->items;
            control.selected = list->chosen;
        } else {
            control.text = *fieldText(page, field.control);
        }
        const bool shown = view.shows(field.control);
        for (const std::string& name : {field.control, field.captionLabel, field.unitLabel})
            if (!name.empty()) form_[name].visible = shown;
        // A hidden row's unit label keeps its text.
        if (!field.unitLabel.empty() && shown) form_[field.unitLabel].text = view.unitText(field.unitLabel);
    }
    for (int d = 1; d <= DepartmentCount; ++d)
        form_[checkBox(d)].checked = (page.entry.DrugDepartments >> (d - 1) & 1) != 0;
}

EditorFrame::Commit OrrxUsaEditor::commitPage(int page) {
    if (page == 2) {
        storeDepartmentNames(form_, library_.DepartmentName);
        return stored("Departments list Updated");
    }
    DrugCheck check = checkDrugEntry(shownPage(), numberFormat());
    if (!check.stored) return refused(std::move(check.messages));
    storeEntry(library_, currentDrug_, std::move(*check.stored));
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
    return read.accepted && read.library == asSaved(library_);
}

std::unique_ptr<Dialect> OrrxUsaEditor::review() const { return tv1Dialect(numberFormat()); }

const PageTable& OrrxUsaEditor::pageTable(int page) const { return page == 3 ? drugEntryPageTable() : noFields(); }

bool OrrxUsaEditor::goToRecord(const std::string& typed) {
    // Past the last entry only the next new one, as "Next Drug" reaches it.
    const int last = std::min(library_.DrugCount + 1, MaxDrugCount);
    const auto drug = recordNamed(typed, last, library_.DrugCount, currentDrug_,
                                  [this](int n) { return library_.Drug[n].DrugName; });
    if (drug) currentDrug_ = *drug;
    return drug.has_value();
}

void OrrxUsaEditor::stepDrug(int step) {
    currentDrug_ += step;
    ActDrug_Restore();
}

// Each list's handler empties the boxes that follow it (see `choose`).
void OrrxUsaEditor::chooseUnit(const std::string& list) {
    DrugPage page = shownPage();
    choose(page, list, form_[list].selected);
    Drug_Modifyed();
    showDrugPage(page);
}

}  // namespace mc::druglib_us
