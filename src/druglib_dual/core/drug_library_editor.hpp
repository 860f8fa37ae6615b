#pragma once
// What both releases of the 510 drug library editor share: the library in
// memory, the department page and the skeleton of the drug page (number,
// name, four limit boxes, dose units, 24 department boxes, stepping through
// the 100 slots). Each release adds its units, its rules and its file lines.

#include <cstdint>
#include <optional>
#include <string>

#include "druglib_dual/core/drug_library.hpp"
#include "druglib_dual/core/tm2_file.hpp"
#include "shell/core/decimal.hpp"
#include "shell/core/editor_frame.hpp"

namespace mc::druglib {

class DrugLibraryEditor : public EditorFrame {
public:
    const DrugLibrary& library() const { return library_; }
    int ActiveDrug() const { return activeDrug_; }

protected:
    struct DrugSizes {
        int name;   // characters of Text26
        int value;  // characters of the four limit boxes; 0 = no limit
    };
    DrugLibraryEditor(FrameLayout layout, std::filesystem::path workingDirectory, NumberFormat numberFormat,
                      DrugSizes sizes);

    // What the release stores for a drug that passed its rules.
    struct DrugCodes {
        std::uint32_t unit, concMin, concMax, doseMin, doseMax;
    };
    // Shows the unit lists and captions of the active drug (before its values).
    virtual void restoreUnits(std::uint32_t unitCode) = 0;
    virtual std::string valueText(std::uint32_t code) const = 0;
    // Runs the release's rules in order, appending each message and CR LF.
    virtual std::optional<DrugCodes> checkDrug(std::string& messages) const = 0;

    void ResetMacro() override { library_.ResetMacro(); }
    void fillPage(int page) override;
    Commit commitPage(int page) override;
    void selectFirstRecord() override { activeDrug_ = 1; }
    void enableRecordButtons() override;
    bool onClick(const std::string& name) override;
    bool goToRecord(const std::string& typed) override;
    bool onTextEdited(const std::string& name) override;
    bool onToggle(const std::string& name) override;
    std::vector<std::pair<std::string, std::string>> fieldCaptions(int page) const override;
    std::string describeMacro() const override;
    std::vector<std::string> openNotes() const override;
    // The library as its file reads back: every text at its field width.
    DrugLibrary asWritten(std::size_t drugNameWidth) const;

    void Departments_Restore() { restorePage(2); }
    void ActDrug_Restore() { restorePage(3); }
    void Drug_Modifyed() { markModified(3); }
    void Drug_Units();
    // "Dose Units" picked: the dose limits start over in the new unit.
    void Combo1_Click();

    void setActiveDrug(int drug) { activeDrug_ = drug; }

    DrugLibrary library_;
    Tm2LineCount linesRead_;  // of the file opened last

private:
    int activeDrug_ = 1;
};

// The frame both releases share: ".tm2" files and stepping through the slots.
FrameLayout drugLibraryFrameLayout(std::string windowName, std::string caption, std::string saveNameCaption,
                                   int saveNameMaxLength);

// A typed limit as the rules see it: whether it converts, and its value in
// steps of 10^-scale rounded half to even (0 when it does not convert).
struct TypedLimit {
    std::optional<Decimal> value;
    std::int64_t steps = 0;
    bool converts() const { return value.has_value(); }
    // Converts and has no more decimals than the scale.
    bool fitsScale(int scale) const { return value && value->isWholeAt(scale); }
};
TypedLimit readLimit(const std::string& text, const NumberFormat& format, int scale);

// Appends `message` and CR LF when `failed`.
void addMessageIf(bool failed, std::string& messages, const std::string& message);

}  // namespace mc::druglib
