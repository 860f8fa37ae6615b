#include "druglib_dual/core/quelda041_editor.hpp"

#include "druglib_dual/core/limit_codes.hpp"
#include "druglib_dual/core/tm2_file.hpp"
#include "druglib_dual/core/unit_codes.hpp"
#include "shell/core/decimal.hpp"
#include "shell/core/text.hpp"

namespace mc::druglib {
namespace {

constexpr int MlOnly = 7;

std::vector<std::string> texts(std::span<const std::string_view> names) {
    return {names.begin(), names.end()};
}

}  // namespace

FrameLayout quelda041FrameLayout() {
    FrameLayout layout = drugLibraryFrameLayout("Quelda041_Macro_Creator", "Tavrel_Macro_Creator for Quelda041",
                                                "Drug Library Name", 11);
    // Both printouts print the chosen file, so both wait for a choice.
    layout.fileButtons = {{"Command15", "Print Macro Data"}, {"Command16", "Print Macro by Departments"}};
    layout.forgetChosenFileAfterSave = true;
    return layout;
}

Quelda041Editor::Quelda041Editor(std::filesystem::path workingDirectory, NumberFormat numberFormat,
                                 PrintServices printing)
    : DrugLibraryEditor(quelda041FrameLayout(), std::move(workingDirectory), numberFormat, {14, 5}),
      printing_(std::move(printing)) {
    form_.add("Label12").text = "Concentration Units";
    form_.add("Label13").text = "Drug Vial Units";
    Control& units = form_.add("Combo2");
    for (const auto& unit : concentrationUnits()) units.items.emplace_back(unit.name);
    form_.add("Combo3");
}

std::optional<std::string> Quelda041Editor::readMacro(std::string_view bytes) {
    linesRead_ = {};
    library_ = readTm2Release041(bytes, &linesRead_);
    return std::nullopt;
}

std::vector<std::string> Quelda041Editor::openNotes() const {
    std::vector<std::string> notes = DrugLibraryEditor::openNotes();
    if (linesRead_.release036Lines > 0 && linesRead_.release041Lines == 0)
        notes.push_back(chosenFile() + " is a release-036 library; saving writes release 041");
    return notes;
}

std::optional<std::string> Quelda041Editor::writeMacro(const std::string& macroName) {
    return writeTm2Release041(library_, macroName);
}

bool Quelda041Editor::readsBackAsMacro(std::string_view bytes) const {
    DrugLibrary expected = asWritten(DrugNameWidth041);
    expected.LibraryName = padRight(form_["Text29"].text, LibraryNameWidth);
    return readTm2Release041(bytes) == expected;
}

std::string Quelda041Editor::valueText(std::uint32_t code) const { return limitCodeText(code); }

void Quelda041Editor::concentrationUnitChanged() {
    const int index = form_["Combo2"].selected;
    form_["Text27"].text.clear();
    form_["Text28"].text.clear();
    const std::string& unitName = form_["Combo2"].selectedText();
    form_["Label8"].text = unitName;
    form_["Label9"].text = unitName;
    Control& vials = form_["Combo3"];
    Control& doses = form_["Combo1"];
    vials = Control{};
    doses = Control{};
    if (index >= 0) {
        const ConcentrationUnit& unit = concentrationUnits()[static_cast<std::size_t>(index)];
        vials.items = texts(unit.vialUnits);
        doses.items = texts(unit.doseUnits);
    }
    const bool concentrationShown = index != MlOnly;
    for (const char* name : {"Label3", "Label4", "Label13", "Text27", "Text28", "Combo3", "Label8", "Label9"})
        form_[name].visible = concentrationShown;
}

void Quelda041Editor::restoreUnits(std::uint32_t unitCode) {
    const UnitCodeParts parts = splitUnitCode(unitCode);
    form_["Combo2"].selected = parts.concentration;
    concentrationUnitChanged();
    const ConcentrationUnit& unit = concentrationUnits()[static_cast<std::size_t>(parts.concentration)];
    Control& vials = form_["Combo3"];
    vials.selected = parts.vialBit < static_cast<int>(vials.items.size()) ? parts.vialBit : -1;
    form_["Combo1"].selected = dosePositionOf(unit, parts.doseIndex).value_or(-1);
}

bool Quelda041Editor::onPick(const std::string& name) {
    if (name == "Combo2") {
        Drug_Modifyed();
        concentrationUnitChanged();
    } else if (name == "Combo1") {
        Combo1_Click();
    } else {
        return name == "Combo3";  // the vial unit alone does not mark the page
    }
    return true;
}

std::optional<DrugLibraryEditor::DrugCodes> Quelda041Editor::checkDrug(std::string& messages) const {
    const int concentration = form_["Combo2"].selected;
    const int vial = form_["Combo3"].selected;
    const int dose = form_["Combo1"].selected;
    const bool unitChosen = concentration >= 0 && concentration < ConcentrationUnitCount;
    const bool concentrationUsed = concentration != MlOnly;
    const auto* unit = unitChosen ? &concentrationUnits()[static_cast<std::size_t>(concentration)] : nullptr;

    const std::size_t before = messages.size();
    auto rule = [&](bool applies, bool holds, const char* message) { addMessageIf(applies && !holds, messages, message); };

    rule(true, unitChosen, "Concentration Units must be selected");
    rule(concentrationUsed, unit && vial >= 0 && vial < static_cast<int>(unit->vialUnits.size()),
         "Drug Vial Units must be selected");
    rule(unitChosen, unit && dose >= 0 && dose < static_cast<int>(unit->doseUnits.size()),
         "Dose Units must be selected");

    const TypedLimit concMin = readLimit(form_["Text27"].text, numberFormat(), 3);
    const TypedLimit concMax = readLimit(form_["Text28"].text, numberFormat(), 3);
    rule(concentrationUsed, concMin.converts(), "Concentration Minimum must be valid value");
    rule(concentrationUsed, concMax.converts(), "Concentration Maximum must be valid value");
    rule(concentrationUsed, concMin.steps == 0 || concMin.steps >= 10, "Concentration Minimum must be not less than 0.01");
    rule(concentrationUsed, concMax.steps == 0 || concMax.steps >= 10, "Concentration Maximum must be not less than 0.01");
    rule(concentrationUsed, concMin.steps <= 1000000, "Concentration Minimum must be not more than 1000");
    rule(concentrationUsed, concMax.steps <= 1000000, "Concentration Maximum must be not more than 1000");
    rule(concentrationUsed, concMin.fitsScale(3),
         "Concentration Minimum must be number, up to three digits after decimal point");
    rule(concentrationUsed, concMax.fitsScale(3),
         "Concentration Maximum must be number, up to three digits after decimal point");
    rule(concentrationUsed, concMin.steps <= concMax.steps, "Concentration Minimum must be less or equal to Maximum");

    const TypedLimit doseMin = readLimit(form_["Text31"].text, numberFormat(), 3);
    const TypedLimit doseMax = readLimit(form_["Text32"].text, numberFormat(), 3);
    rule(true, doseMin.converts(), "Dose Minimum must be valid value");
    rule(true, doseMax.converts(), "Dose Maximum must be valid value");
    rule(true, doseMin.steps <= 2500000, "Dose Minimum must be less than 2500");
    rule(true, doseMax.steps <= 2500000, "Dose Maximum must be less than 2500");
    // Neither the limit code nor the file line can hold a negative dose.
    rule(true, doseMin.steps >= 0, "Dose Minimum can not be negative");
    rule(true, doseMax.steps >= 0, "Dose Maximum can not be negative");
    rule(true, doseMin.fitsScale(3), "Dose Minimum must be number, up to three digits after decimal point");
    rule(true, doseMax.fitsScale(3), "Dose Maximum must be number, up to three digits after decimal point");
    rule(true, doseMin.steps <= doseMax.steps, "Dose Minimum must be less or equal to Maximum");

    if (messages.size() != before) return std::nullopt;
    const int vialBit = unit->vialUnits.empty() ? 0 : vial;
    return DrugCodes{makeUnitCode(concentration, vialBit, *doseIndexAt(*unit, dose)),
                     concentrationUsed ? encodeLimitCode(concMin.steps) : 0u,
                     concentrationUsed ? encodeLimitCode(concMax.steps) : 0u, encodeLimitCode(doseMin.steps),
                     encodeLimitCode(doseMax.steps)};
}

}  // namespace mc::druglib

namespace mc::druglib {

bool Quelda041Editor::onClick(const std::string& name) {
    if (name == "Command15") printChosenFile(printoutByDrug);
    else if (name == "Command16") printChosenFile(printoutByDepartment);
    else return DrugLibraryEditor::onClick(name);
    return true;
}

void Quelda041Editor::printChosenFile(Printout printout) {
    const auto bytes = readChosenFileToPrint(printing_);
    if (!bytes) return;
    std::string& message = form_[layout().openMessage].text;
    const std::string file = chosenFile();
    library_ = readTm2Release041(*bytes);
    libraryReplacedByChosenFile();
    const ShowDrug showDrug = [this](int drug) -> const Form& {
        setActiveDrug(drug);
        ActDrug_Restore();
        return form_;
    };
    const auto pages = printout(library_, showDrug, {file, printing_.currentDate(), printing_.currentTime()});
    if (pages.empty()) {
        message = "The Macro " + file + " has no drug to print.";
        return;
    }
    const auto stopped = printPages(workingDirectory(), pages, printing_);
    message = stopped.value_or("");
    tellStatus(stopped ? *stopped : printedMessage(pages.size(), printing_));
}

}  // namespace mc::druglib
