#include "druglib_dual/core/drug_library_editor.hpp"

#include "druglib_dual/core/tm2_file.hpp"
#include "druglib_dual/core/tm2_review.hpp"
#include "shell/core/department_page.hpp"
#include "shell/core/text.hpp"

namespace mc::druglib {
namespace {

std::string departmentCheck(int d) { return "Check" + std::to_string(d); }

}  // namespace

FrameLayout drugLibraryFrameLayout(std::string windowName, std::string caption, std::string saveNameCaption,
                                   int saveNameMaxLength) {
    FrameLayout layout;
    layout.windowName = std::move(windowName);
    layout.caption = std::move(caption);
    layout.extension = ".tm2";
    layout.saveNameCaption = std::move(saveNameCaption);
    layout.saveNameMaxLength = saveNameMaxLength;
    layout.recordButtons = {{"Command14", "Previous Drug"}, {"Command13", "Next Drug"}};
    layout.goTo = true;
    return layout;
}

DrugLibraryEditor::DrugLibraryEditor(Release release, FrameLayout layout, std::filesystem::path workingDirectory,
                                     NumberFormat numberFormat)
    : EditorFrame(std::move(layout), std::move(workingDirectory), numberFormat), release_(release) {
    addDepartmentBoxes(form_, DepartmentCount, 20);
    form_.add("Label51").text = "Drug Number";
    form_.add("Label1");
    addPageControls(form_, drugPageTable(release_), 3);
    for (int d = 1; d <= MaskDepartmentCount; ++d) form_.add(departmentCheck(d)).page = 3;
    showDrugPage(DrugPage{});

    for (int d = 1; d <= DepartmentCount; ++d) onEdit(departmentBox(d), [this] { markModified(2); });
    for (const PageField& field : drugPageTable(release_))
        if (field.kind != FieldKind::Choice) onEdit(field.control, [this] { Drug_Modifyed(); });
    for (int d = 1; d <= MaskDepartmentCount; ++d) onToggle(departmentCheck(d), [this] { Drug_Modifyed(); });
    onClick("Command13", [this] { stepDrug(+1); });
    onClick("Command14", [this] { stepDrug(-1); });
    if (release_ == Release::R041) onPick("Combo2", [this] { changeUnit(chooseConcentrationUnit, "Combo2"); });
    onPick("Combo1", [this] { changeUnit(chooseDoseUnit, "Combo1"); });
}

std::unique_ptr<Dialect> DrugLibraryEditor::review() const { return tm2Dialect(release_); }

std::optional<std::string> DrugLibraryEditor::readMacro(std::string_view bytes) {
    linesRead_ = {};
    library_ = readTm2(bytes, release_, &linesRead_);
    return std::nullopt;
}

// Release 036 keeps no library name: the macro name is only the file name there.
std::optional<std::string> DrugLibraryEditor::writeMacro(const std::string& macroName) {
    return writeTm2(library_, release_, macroName);
}

bool DrugLibraryEditor::readsBackAsMacro(std::string_view bytes) const {
    return readTm2(bytes, release_) == asSaved(library_, release_, form_["Text29"].text);
}

DrugPage DrugLibraryEditor::shownPage() const {
    DrugPage page;
    page.name = form_["Text26"].text;
    if (release_ == Release::R041) {
        page.concentrationUnit = form_["Combo2"].selected;
        page.vialUnit = form_["Combo3"].selected;
    } else {
        page.keptUnitCode = library_.DrugUnitCodes[activeDrug_];
    }
    page.doseUnit = form_["Combo1"].selected;
    page.concMin = form_["Text27"].text;
    page.concMax = form_["Text28"].text;
    page.doseMin = form_["Text31"].text;
    page.doseMax = form_["Text32"].text;
    for (int d = 1; d <= MaskDepartmentCount; ++d)
        if (form_[departmentCheck(d)].checked) page.departments |= 1u << (d - 1);
    return page;
}

void DrugLibraryEditor::showDrugPage(const DrugPage& page) {
    const DrugPageUnits units = unitsOf(page, release_);
    auto list = [this](const char* name, const std::vector<std::string>& items, int chosen) {
        Control& control = form_[name];
        control.items = items;
        control.selected = chosen >= 0 && chosen < static_cast<int>(items.size()) ? chosen : -1;
    };
    form_["Text26"].text = page.name;
    if (release_ == Release::R041) {
        list("Combo2", units.concentrationUnits, page.concentrationUnit);
        list("Combo3", units.vialUnits, page.vialUnit);
    }
    list("Combo1", units.doseUnits, page.doseUnit);
    form_["Text27"].text = page.concMin;
    form_["Text28"].text = page.concMax;
    form_["Text31"].text = page.doseMin;
    form_["Text32"].text = page.doseMax;
    form_["Label8"].text = form_["Label9"].text = units.concentrationLabel;
    form_["Label10"].text = form_["Label11"].text = units.doseUnit;
    if (release_ == Release::R041)
        for (const char* name : {"Label3", "Label4", "Label13", "Text27", "Text28", "Combo3", "Label8", "Label9"})
            form_[name].visible = units.concentrationShown;
    for (int d = 1; d <= MaskDepartmentCount; ++d)
        form_[departmentCheck(d)].checked = (page.departments >> (d - 1) & 1u) != 0;
}

void DrugLibraryEditor::fillPage(int page) {
    if (page == 2) {
        // Names read from a file carry their padding; the box shows them without it.
        showDepartmentNames(form_, library_.DepartmentNames, 20);
        return;
    }
    form_["Label1"].text = std::to_string(activeDrug_);
    for (int d = 1; d <= MaskDepartmentCount; ++d) form_[departmentCheck(d)].text = library_.DepartmentNames[d];
    showDrugPage(shownDrug(library_, activeDrug_, release_));
}

EditorFrame::Commit DrugLibraryEditor::commitPage(int page) {
    if (page == 2) {
        storeDepartmentNames(form_, library_.DepartmentNames);
        return stored("Departments list Updated");
    }
    const DrugPage shown = shownPage();
    DrugCheck check = checkDrug(shown, release_, numberFormat());
    if (!check.codes) return refused(std::move(check.messages));
    storeDrug(library_, activeDrug_, shown, *check.codes);
    return stored("Drug Updated");
}

const PageTable& DrugLibraryEditor::pageTable(int page) const {
    return page == 3 ? drugPageTable(release_) : noFields();
}

void DrugLibraryEditor::enableRecordButtons() {
    form_["Command14"].enabled = activeDrug_ > 1;
    form_["Command13"].enabled = activeDrug_ < DrugCount;
}

bool DrugLibraryEditor::goToRecord(const std::string& typed) {
    const auto drug = recordNamed(typed, DrugCount, DrugCount, activeDrug_, [this](int n) {
        return isDefined(library_, n) ? library_.DrugNames[n] : std::string();
    });
    if (drug) activeDrug_ = *drug;
    return drug.has_value();
}

void DrugLibraryEditor::stepDrug(int step) {
    activeDrug_ += step;
    ActDrug_Restore();
}

// A new concentration unit starts its limits and both lists below it over, a
// new dose unit its limits; the vial unit alone does not mark the page.
void DrugLibraryEditor::changeUnit(void (*choose)(DrugPage&, int), const std::string& list) {
    DrugPage page = shownPage();
    choose(page, form_[list].selected);
    if (list == "Combo2") form_["Combo1"].error = form_["Combo3"].error = false;  // their lists start over
    Drug_Modifyed();
    showDrugPage(page);
}

std::string DrugLibraryEditor::describeMacro() const {
    int drugs = 0;
    // A slot holds a drug when it has a name or a department.
    for (int n = 1; n <= DrugCount; ++n)
        drugs += library_.DrugNames[n].find_first_not_of(' ') != std::string::npos || library_.DepartmentMasks[n] != 0
                     ? 1
                     : 0;
    int departments = 0;
    for (int d = 1; d <= DepartmentCount; ++d)
        departments += library_.DepartmentNames[d].find_first_not_of(' ') != std::string::npos ? 1 : 0;
    return std::to_string(drugs) + (drugs == 1 ? " drug in " : " drugs in ") + std::to_string(departments) +
           (departments == 1 ? " department" : " departments");
}

std::vector<std::string> DrugLibraryEditor::openNotes() const {
    std::vector<std::string> notes = linesLeftOutNote(linesRead_.notUnderstood);
    // Each reader knows only its own drug lines: say so when the file is of the other release.
    if (release_ == Release::R041 && linesRead_.release036Lines > 0 && linesRead_.release041Lines == 0)
        notes.push_back(chosenFile() + " is a release-036 library; saving writes release 041");
    if (release_ == Release::R036 && linesRead_.release041Lines > 0)
        return {chosenFile() + " is a release-041 library: open it with Quelda041"};
    return notes;
}

}  // namespace mc::druglib
