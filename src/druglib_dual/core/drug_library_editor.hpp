#pragma once
// The drug library editor of the 510 pump, both releases: the library in
// memory, the department page and the drug page (rendered from a DrugPage and
// read back into one), stepping through the 100 slots, and the ".tm2" file of
// the release. Each release's editor adds what only it has.

#include <cstdint>
#include <string>

#include "druglib_dual/core/drug_library.hpp"
#include "druglib_dual/core/drug_page.hpp"
#include "druglib_dual/core/tm2_file.hpp"
#include "shell/core/decimal.hpp"
#include "shell/core/editor_frame.hpp"

namespace mc::druglib {

class DrugLibraryEditor : public EditorFrame {
public:
    const DrugLibrary& library() const { return library_; }
    int ActiveDrug() const { return activeDrug_; }
    Release release() const { return release_; }
    const PageTable& pageTable(int page) const override;

protected:
    DrugLibraryEditor(Release release, FrameLayout layout, std::filesystem::path workingDirectory,
                      NumberFormat numberFormat);

    void ResetMacro() override { library_.ResetMacro(); }
    std::unique_ptr<Dialect> review() const override;
    std::optional<std::string> readMacro(std::string_view bytes) override;
    std::optional<std::string> writeMacro(const std::string& macroName) override;
    bool readsBackAsMacro(std::string_view bytes) const override;
    void fillPage(int page) override;
    Commit commitPage(int page) override;
    void selectFirstRecord() override { activeDrug_ = 1; }
    void enableRecordButtons() override;
    bool goToRecord(const std::string& typed) override;
    std::string describeMacro() const override;
    std::vector<std::string> openNotes() const override;

    void Departments_Restore() { restorePage(2); }
    void ActDrug_Restore() { restorePage(3); }
    void Drug_Modifyed() { markModified(3); }

    DrugLibrary library_;
    Tm2LineCount linesRead_;  // of the file opened last

private:
    // The drug page as its controls show it now, and the controls showing a page.
    DrugPage shownPage() const;
    void showDrugPage(const DrugPage& page);
    void stepDrug(int step);
    // A unit chosen in `list` by `choose`, which starts the lists below it over.
    void changeUnit(void (*choose)(DrugPage&, int), const std::string& list);

    Release release_;
    int activeDrug_ = 1;
};

// The frame both releases share: ".tm2" files and stepping through the slots.
FrameLayout drugLibraryFrameLayout(std::string windowName, std::string caption, std::string saveNameCaption,
                                   int saveNameMaxLength);

}  // namespace mc::druglib
