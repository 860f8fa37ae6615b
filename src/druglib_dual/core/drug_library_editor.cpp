#include "druglib_dual/core/drug_library_editor.hpp"

#include "druglib_dual/core/tm2_file.hpp"
#include "shell/core/department_page.hpp"
#include "shell/core/text.hpp"

namespace mc::druglib {
namespace {

std::string departmentCheck(int d) { return "Check" + std::to_string(d); }

const char* const ValueBoxes[] = {"Text27", "Text28", "Text31", "Text32"};

Control captioned(const char* text) {
    Control control;
    control.text = text;
    return control;
}

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

TypedLimit readLimit(const std::string& text, const NumberFormat& format, int scale) {
    TypedLimit limit{Decimal::parse(text, format)};
    if (limit.value) limit.steps = limit.value->roundedAt(scale);
    return limit;
}

void addMessageIf(bool failed, std::string& messages, const std::string& message) {
    if (failed) messages += message + "\r\n";
}

DrugLibraryEditor::DrugLibraryEditor(FrameLayout layout, std::filesystem::path workingDirectory,
                                     NumberFormat numberFormat, DrugSizes sizes)
    : EditorFrame(std::move(layout), std::move(workingDirectory), numberFormat) {
    addDepartmentBoxes(form_, DepartmentCount, 20);

    form_.add("Label51", captioned("Drug Number"));
    form_.add("Label1");
    form_.add("Label2", captioned("Drug Name"));
    form_.add("Text26").maxLength = sizes.name;
    form_.add("Label3", captioned("Concentration Minimum"));
    form_.add("Label4", captioned("Concentration Maximum"));
    form_.add("Label5", captioned("Dose Units"));
    form_.add("Label6", captioned("Dose Minimum"));
    form_.add("Label7", captioned("Dose Maximum"));
    for (const char* box : ValueBoxes) {
        Control& limit = form_.add(box);
        limit.maxLength = sizes.value;
        limit.numeric = true;
    }
    for (const char* unit : {"Label8", "Label9", "Label10", "Label11"}) form_.add(unit);
    form_.add("Combo1");
    for (int d = 1; d <= MaskDepartmentCount; ++d) form_.add(departmentCheck(d));
}

void DrugLibraryEditor::fillPage(int page) {
    if (page == 2) {
        // Names read from a file carry their padding; the box shows them without it.
        showDepartmentNames(form_, library_.DepartmentNames, 20);
        return;
    }
    const int n = activeDrug_;
    form_["Label1"].text = std::to_string(n);
    form_["Text26"].text = trimTrailingBlanks(library_.DrugNames[n]);
    restoreUnits(library_.DrugUnitCodes[n]);  // may empty the value boxes, so it comes first
    form_["Text27"].text = valueText(library_.ConcMinCodes[n]);
    form_["Text28"].text = valueText(library_.ConcMaxCodes[n]);
    form_["Text31"].text = valueText(library_.DoseMinCodes[n]);
    form_["Text32"].text = valueText(library_.DoseMaxCodes[n]);
    for (int d = 1; d <= MaskDepartmentCount; ++d) {
        Control& box = form_[departmentCheck(d)];
        box.text = library_.DepartmentNames[d];
        box.checked = (library_.DepartmentMasks[n] >> (d - 1) & 1u) != 0;
    }
    Drug_Units();
}

EditorFrame::Commit DrugLibraryEditor::commitPage(int page) {
    if (page == 2) {
        storeDepartmentNames(form_, library_.DepartmentNames);
        return {true, "Departments list Updated"};
    }
    std::string messages;
    const auto codes = checkDrug(messages);
    if (!codes) return {false, messages};
    const int n = activeDrug_;
    library_.DrugNames[n] = form_["Text26"].text;
    library_.DrugUnitCodes[n] = codes->unit;
    library_.ConcMinCodes[n] = codes->concMin;
    library_.ConcMaxCodes[n] = codes->concMax;
    library_.DoseMinCodes[n] = codes->doseMin;
    library_.DoseMaxCodes[n] = codes->doseMax;
    std::uint32_t mask = 0;
    for (int d = 1; d <= MaskDepartmentCount; ++d)
        if (form_[departmentCheck(d)].checked) mask |= 1u << (d - 1);
    library_.DepartmentMasks[n] = mask;
    return {true, "Drug Updated"};
}

std::vector<std::pair<std::string, std::string>> DrugLibraryEditor::fieldCaptions(int page) const {
    if (page != 3) return {};
    std::vector<std::pair<std::string, std::string>> captions{
        {"Drug Name", "Text26"},      {"Concentration Minimum", "Text27"}, {"Concentration Maximum", "Text28"},
        {"Dose Units", "Combo1"},     {"Dose Minimum", "Text31"},          {"Dose Maximum", "Text32"}};
    for (const char* name : {"Combo2", "Combo3"})
        if (form_.has(name)) captions.emplace_back(name == std::string("Combo2") ? "Concentration Units" : "Drug Vial Units", name);
    return captions;
}

DrugLibrary DrugLibraryEditor::asWritten(std::size_t drugNameWidth) const {
    DrugLibrary written = library_;
    for (int d = 1; d <= DepartmentCount; ++d)
        written.DepartmentNames[d] = padRight(written.DepartmentNames[d], DepartmentNameWidth);
    for (int n = 1; n <= DrugCount; ++n) written.DrugNames[n] = padRight(written.DrugNames[n], drugNameWidth);
    return written;
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

bool DrugLibraryEditor::onClick(const std::string& name) {
    if (name != "Command13" && name != "Command14") return false;
    activeDrug_ += name == "Command13" ? 1 : -1;
    ActDrug_Restore();
    return true;
}

bool DrugLibraryEditor::onTextEdited(const std::string& name) {
    if (isDepartmentBox(name, DepartmentCount)) {
        markModified(2);  // Departments_Modifyed
        return true;
    }
    if (name == "Text26" || name == "Text27" || name == "Text28" || name == "Text31" || name == "Text32") {
        Drug_Modifyed();
        return true;
    }
    return false;
}

bool DrugLibraryEditor::onToggle(const std::string& name) {
    if (!name.starts_with("Check")) return false;
    Drug_Modifyed();
    return true;
}

void DrugLibraryEditor::Drug_Units() {
    form_["Label10"].text = form_["Combo1"].selectedText();
    form_["Label11"].text = form_["Combo1"].selectedText();
}

void DrugLibraryEditor::Combo1_Click() {
    Drug_Modifyed();
    form_["Text31"].text.clear();
    form_["Text32"].text.clear();
    Drug_Units();
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
    return linesLeftOutNote(linesRead_.notUnderstood);
}

}  // namespace mc::druglib
