#pragma once
// The drug library editor of release 041 of the 510 pump: eight concentration
// units with their vial and dose units packed into one code byte, limits as
// 16-bit limit codes, checksummed "D41:" lines, the library name line, and
// the two printouts of a saved library.

#include "druglib_dual/core/drug_library_editor.hpp"
#include "druglib_dual/core/library_printout.hpp"
#include "shell/core/print_page.hpp"

namespace mc::druglib {

FrameLayout quelda041FrameLayout();

class Quelda041Editor : public DrugLibraryEditor {
public:
    // `printing` serves the two print buttons of the Open page.
    Quelda041Editor(std::filesystem::path workingDirectory, NumberFormat numberFormat, PrintServices printing = {});

private:
    using Printout = std::vector<PrintedPage> (*)(const DrugLibrary&, const PageFooter&);
    // Reads the chosen file and prints the printout's pages, one job each.
    void printChosenFile(Printout printout);
};

}  // namespace mc::druglib
