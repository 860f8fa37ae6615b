#include "druglib_dual/core/quelda036_editor.hpp"

#include "druglib_dual/core/limit_codes.hpp"
#include "druglib_dual/core/tm2_file.hpp"
#include "druglib_dual/core/unit_codes.hpp"
#include "shell/core/decimal.hpp"
#include "shell/core/text.hpp"

namespace mc::druglib {
namespace {

struct Field {
    const char* box;
    const char* caption;
};
constexpr Field Fields[] = {{"Text27", "Concentration Minimum"},
                            {"Text28", "Concentration Maximum"},
                            {"Text31", "Dose Minimum"},
                            {"Text32", "Dose Maximum"}};

}  // namespace

FrameLayout quelda036FrameLayout() {
    return drugLibraryFrameLayout("Quelda036_Macro_Creator", "Tavrel_Macro_Creator", "Macro Name", 8);
}

Quelda036Editor::Quelda036Editor(std::filesystem::path workingDirectory, NumberFormat numberFormat)
    : DrugLibraryEditor(quelda036FrameLayout(), std::move(workingDirectory), numberFormat, {10, 0}) {
    form_["Label8"].text = "mg/ml";
    form_["Label9"].text = "mg/ml";
}

std::optional<std::string> Quelda036Editor::readMacro(std::string_view bytes) {
    linesRead_ = {};
    library_ = readTm2Release036(bytes, &linesRead_);
    return std::nullopt;
}

std::vector<std::string> Quelda036Editor::openNotes() const {
    // This reader skips every drug line of the newer release, so the library looks empty.
    if (linesRead_.release041Lines > 0)
        return {chosenFile() + " is a release-041 library: open it with Quelda041"};
    return DrugLibraryEditor::openNotes();
}

std::optional<std::string> Quelda036Editor::writeMacro(const std::string&) {
    return writeTm2Release036(library_);  // the macro name is only the file name here
}

bool Quelda036Editor::readsBackAsMacro(std::string_view bytes) const {
    DrugLibrary expected = asWritten(DrugNameWidth036);
    expected.LibraryName.clear();
    return readTm2Release036(bytes) == expected;
}

std::string Quelda036Editor::valueText(std::uint32_t code) const { return hundredthsText(code); }

void Quelda036Editor::restoreUnits(std::uint32_t unitCode) {
    Control& doses = form_["Combo1"];
    doses.items.assign(DoseUnitNames.begin(), DoseUnitNames.end());
    // A code beyond the table shows no unit and is kept until a unit is confirmed.
    doses.selected = unitCode < DoseUnitNames.size() ? static_cast<int>(unitCode) : -1;
}

bool Quelda036Editor::onPick(const std::string& name) {
    if (name != "Combo1") return false;
    Combo1_Click();
    return true;
}

std::optional<DrugLibraryEditor::DrugCodes> Quelda036Editor::checkDrug(std::string& messages) const {
    // Release 036 keeps hundredths: X = round(value x 100).
    TypedLimit values[4];
    for (std::size_t i = 0; i < 4; ++i) values[i] = readLimit(form_[Fields[i].box].text, numberFormat(), 2);
    const std::size_t before = messages.size();
    auto each = [&](auto failed, const char* rule) {
        for (std::size_t i = 0; i < 4; ++i)
            addMessageIf(failed(values[i]), messages, std::string(Fields[i].caption) + rule);
    };
    each([](const TypedLimit& h) { return !h.converts(); }, " must be valid value");
    each([](const TypedLimit& h) { return h.steps > 65535; }, " must be less than 655.36");
    // The four-digit hex fields cannot hold a negative value.
    each([](const TypedLimit& h) { return h.steps < 0; }, " can not be negative");
    each([](const TypedLimit& h) { return !h.fitsScale(2); },
         " must be number, up to two digits after decimal point");
    addMessageIf(values[0].steps > values[1].steps, messages, "Concentration Minimum must be less or equal to Maximum");
    addMessageIf(values[2].steps > values[3].steps, messages, "Dose Minimum must be less or equal to Maximum");
    if (messages.size() != before) return std::nullopt;

    const int dose = form_["Combo1"].selected;
    const std::uint32_t unit = dose >= 0 ? static_cast<std::uint32_t>(dose) : library_.DrugUnitCodes[ActiveDrug()];
    auto code = [&](std::size_t i) { return static_cast<std::uint32_t>(values[i].steps); };
    return DrugCodes{unit, code(0), code(1), code(2), code(3)};
}

}  // namespace mc::druglib
