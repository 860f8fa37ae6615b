#include "druglib_dual/core/quelda041_editor.hpp"

#include "druglib_dual/core/tm2_file.hpp"

namespace mc::druglib {

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
    : DrugLibraryEditor(Release::R041, quelda041FrameLayout(), std::move(workingDirectory), numberFormat) {
    usePrinting(std::move(printing));
    onClick("Command15", [this] { printChosenFile(printoutByDrug); });
    onClick("Command16", [this] { printChosenFile(printoutByDepartment); });
}

void Quelda041Editor::printChosenFile(Printout printout) {
    const auto bytes = readChosenFileToPrint(printing());
    if (!bytes) return;
    std::string& message = form_[layout().openMessage].text;
    const std::string file = chosenFile();
    library_ = readTm2Release041(*bytes);
    libraryReplacedByChosenFile(*bytes);
    const auto pages = printout(library_, {file, printing().currentDate(), printing().currentTime()});
    if (pages.empty()) {
        message = "The Macro " + file + " has no drug to print.";
        return;
    }
    const PrintedFile printed{file, printing().sha256 ? printing().sha256(*bytes) : std::string()};
    const auto stopped = printPages(workingDirectory(), pages, printed, printing());
    message = stopped.value_or("");
    tellStatus(stopped ? *stopped : printedMessage(pages.size(), printing()));
}

}  // namespace mc::druglib
