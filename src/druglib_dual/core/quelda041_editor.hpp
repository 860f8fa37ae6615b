#pragma once
// The drug library editor of release 041 of the 510 pump: eight concentration
// units with their vial and dose units packed into one code byte, limits as
// 16-bit limit codes, checksummed "D41:" lines and the library name line.

#include "druglib_dual/core/drug_library_editor.hpp"

namespace mc::druglib {

FrameLayout quelda041FrameLayout();

class Quelda041Editor : public DrugLibraryEditor {
public:
    Quelda041Editor(std::filesystem::path workingDirectory, NumberFormat numberFormat);

protected:
    std::optional<std::string> readMacro(std::string_view bytes) override;
    std::optional<std::string> writeMacro(const std::string& macroName) override;
    void restoreUnits(std::uint32_t unitCode) override;
    std::string valueText(std::uint32_t code) const override;
    std::optional<DrugCodes> checkDrug(std::string& messages) const override;
    bool onPick(const std::string& name) override;

private:
    // "Concentration Units" set: empties the concentration limits, refills the
    // vial and dose lists with nothing chosen, hides what "mL Only" lacks.
    void concentrationUnitChanged();
};

}  // namespace mc::druglib
