#pragma once
// The drug library editor of the older release 036 of the 510 pump: one
// concentration unit (mg/ml), four dose units, limits in hundredths up to
// 655.35, names of 10 characters and "D36:" lines without checksum.

#include "druglib_dual/core/drug_library_editor.hpp"

namespace mc::druglib {

FrameLayout quelda036FrameLayout();

class Quelda036Editor : public DrugLibraryEditor {
public:
    Quelda036Editor(std::filesystem::path workingDirectory, NumberFormat numberFormat);

protected:
    std::optional<std::string> readMacro(std::string_view bytes) override;
    std::optional<std::string> writeMacro(const std::string& macroName) override;
    bool readsBackAsMacro(std::string_view bytes) const override;
    std::vector<std::string> openNotes() const override;
    void restoreUnits(std::uint32_t unitCode) override;
    std::string valueText(std::uint32_t code) const override;
    std::optional<DrugCodes> checkDrug(std::string& messages) const override;
    bool onPick(const std::string& name) override;
};

}  // namespace mc::druglib
