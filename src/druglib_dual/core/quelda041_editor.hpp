#pragma once
// The drug library editor of release 041 of the 510 pump: eight concentration
// units with their vial and dose units packed into one code byte, limits as
// 16-bit limit codes, checksummed "D41:" lines and the library name line.

#include "druglib_dual/core/drug_library_editor.hpp"
#include "druglib_dual/core/library_printout.hpp"
#include "shell/core/print_page.hpp"

namespace mc::druglib {

FrameLayout quelda041FrameLayout();

class Quelda041Editor : public DrugLibraryEditor {
public:
    // `printing` serves the two print buttons of the Open page.
    Quelda041Editor(std::filesystem::path workingDirectory, NumberFormat numberFormat, PrintServices printing = {});

protected:
    std::optional<std::string> readMacro(std::string_view bytes) override;
    std::optional<std::string> writeMacro(const std::string& macroName) override;
    bool readsBackAsMacro(std::string_view bytes) const override;
    std::vector<std::string> openNotes() const override;
    void restoreUnits(std::uint32_t unitCode) override;
    std::string valueText(std::uint32_t code) const override;
    std::optional<DrugCodes> checkDrug(std::string& messages) const override;
    bool onPick(const std::string& name) override;
    bool onClick(const std::string& name) override;

private:
    // "Concentration Units" set: empties the concentration limits, refills the
    // vial and dose lists with nothing chosen, hides what "mL Only" lacks.
    void concentrationUnitChanged();

    using Printout = std::vector<PrintedPage> (*)(const DrugLibrary&, const ShowDrug&, const PageFooter&);
    // Reads the chosen file and prints the printout's pages, one job each.
    void printChosenFile(Printout printout);

    PrintServices printing_;
};

}  // namespace mc::druglib
