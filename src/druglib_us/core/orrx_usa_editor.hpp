#pragma once
// ORRX_USA_Macro_Creator: the drug library editor of the US pump. The
// department page, the drug page with its unit pickers and its stepping,
// adding and deleting of entries, and the ".tv1" file behind Open and Save.

#include <filesystem>

#include "druglib_us/core/drug_entry_rules.hpp"
#include "druglib_us/core/drug_page.hpp"
#include "druglib_us/core/us_library.hpp"
#include "shell/core/editor_frame.hpp"

namespace mc::druglib_us {

FrameLayout orrxUsaFrameLayout();

class OrrxUsaEditor : public EditorFrame {
public:
    OrrxUsaEditor(std::filesystem::path workingDirectory, NumberFormat numberFormat);

    const UsDrugLibrary& library() const { return library_; }
    int CurrentDrug() const { return currentDrug_; }
    bool NewDrugPending() const { return newDrugPending_; }
    const PageTable& pageTable(int page) const override;

protected:
    void ResetMacro() override { library_.ResetMacro(); }
    std::optional<std::string> readMacro(std::string_view bytes) override;
    std::string describeMacro() const override {
        return std::to_string(library_.DrugCount) + (library_.DrugCount == 1 ? " drug" : " drugs");
    }
    std::optional<std::string> writeMacro(const std::string& macroName) override;
    void fillPage(int page) override;
    Commit commitPage(int page) override;
    void pageRestored(int page) override;
    void cancelPage(int page) override;
    void selectFirstRecord() override { currentDrug_ = 1; }
    void enableRecordButtons() override;
    bool goToRecord(const std::string& typed) override;
    bool readsBackAsMacro(std::string_view bytes) const override;
    std::unique_ptr<Dialect> review() const override;

private:
    void ActDrug_Restore() { restorePage(3); }
    void Drug_Modifyed() { markModified(3); }
    void Command8_Click();   // Cancel Last Changes
    void Command15_Click();  // Delete Drug
    // The drug page as its controls show it now, and the controls showing a page.
    DrugPage shownPage() const;
    void showDrugPage(const DrugPage& page);
    void stepDrug(int step);
    void chooseUnit(const std::string& list);

    UsDrugLibrary library_;
    int currentDrug_ = 1;
    bool newDrugPending_ = false;
};

}  // namespace mc::druglib_us
