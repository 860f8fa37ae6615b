#include "cli/core/sheet_library.hpp"

#include <stdexcept>

#include "druglib_dual/core/drug_page.hpp"
#include "druglib_dual/core/quelda036_editor.hpp"
#include "druglib_dual/core/quelda041_editor.hpp"
#include "druglib_dual/core/tm2_file.hpp"
#include "druglib_us/core/drug_entry_rules.hpp"
#include "druglib_us/core/drug_page.hpp"
#include "druglib_us/core/orrx_usa_editor.hpp"
#include "druglib_us/core/tv1_file.hpp"
#include "shell/core/text.hpp"

namespace mc::cli {
namespace {

// ---- the 510 pump, releases 041 and 036 -------------------------------------------

class Library510 : public SheetLibrary {
public:
    explicit Library510(druglib::Release release) : release_(release) {}

    const PageTable& fields() const override { return druglib::drugPageTable(release_); }
    int departments() const override { return druglib::DepartmentCount; }
    int enabledDepartments() const override { return druglib::MaskDepartmentCount; }
    int maxDrugs() const override { return druglib::DrugCount; }
    bool appends() const override { return false; }
    int departmentNameLength() const override { return static_cast<int>(druglib::DepartmentNameWidth); }
    int macroNameLength() const override {
        return (release_ == druglib::Release::R041 ? druglib::quelda041FrameLayout() : druglib::quelda036FrameLayout())
            .saveNameMaxLength;
    }

    void read(std::string_view bytes) override { library_ = druglib::readTm2(bytes, release_); }

    // A slot holding anything at all, even one the editor counts as undefined
    // (blank name, no department), is listed, so that importing gives it back.
    std::vector<int> drugs() const override {
        std::vector<int> found;
        for (int n = 1; n <= druglib::DrugCount; ++n)
            if (!empty(n)) found.push_back(n);
        return found;
    }
    // Names read from a file carry the padding of their line; the page shows them without it.
    std::string departmentName(int d) const override { return trimTrailingBlanks(library_.DepartmentNames[d]); }
    void nameDepartment(int d, const std::string& name) override { library_.DepartmentNames[d] = name; }

    void show(int n) override {
        drug_ = n;
        page_ = druglib::shownDrug(library_, n, release_);
    }
    std::vector<std::string> offered(const std::string& list) const override {
        const druglib::DrugPageUnits units = druglib::unitsOf(page_, release_);
        if (list == "Combo2") return units.concentrationUnits;
        if (list == "Combo3") return units.vialUnits;
        return units.doseUnits;
    }
    bool shown(const std::string& control) const override {
        const bool concentrationRow = control == "Text27" || control == "Text28" || control == "Combo3";
        return !concentrationRow || druglib::unitsOf(page_, release_).concentrationShown;
    }
    std::string value(const std::string& control) const override {
        const druglib::DrugPageUnits units = druglib::unitsOf(page_, release_);
        if (control == "Combo2") return units.concentrationUnit;
        if (control == "Combo3") return units.vialUnit;
        if (control == "Combo1") return units.doseUnit;
        return *box(const_cast<druglib::DrugPage&>(page_), control);
    }
    void choose(const std::string& list, int index) override {
        if (list == "Combo2") druglib::chooseConcentrationUnit(page_, index);
        else if (list == "Combo1") druglib::chooseDoseUnit(page_, index);
        else page_.vialUnit = index;
    }
    void type(const std::string& control, const std::string& text) override { *box(page_, control) = text; }
    bool ticked(int d) const override { return (page_.departments >> (d - 1) & 1u) != 0; }
    void tick(int d, bool on) override {
        const std::uint32_t bit = 1u << (d - 1);
        page_.departments = on ? page_.departments | bit : page_.departments & ~bit;
    }
    FieldMessages ok() override {
        druglib::DrugCheck check = druglib::checkDrug(page_, release_, NumberFormat{});
        if (check.codes) druglib::storeDrug(library_, drug_, page_, *check.codes);
        return std::move(check.messages);
    }

    std::string bytes(const std::string& macroName) const override {
        return druglib::writeTm2(library_, release_, macroName);
    }
    bool readsBack(std::string_view bytes, const std::string& macroName) const override {
        return druglib::readTm2(bytes, release_) == druglib::asSaved(library_, release_, macroName);
    }

private:
    bool empty(int n) const {
        return library_.DrugNames[n].find_first_not_of(' ') == std::string::npos && library_.DrugUnitCodes[n] == 0 &&
               library_.ConcMinCodes[n] == 0 && library_.ConcMaxCodes[n] == 0 && library_.DoseMinCodes[n] == 0 &&
               library_.DoseMaxCodes[n] == 0 && library_.DepartmentMasks[n] == 0;
    }
    static std::string* box(druglib::DrugPage& page, const std::string& control) {
        if (control == "Text26") return &page.name;
        if (control == "Text27") return &page.concMin;
        if (control == "Text28") return &page.concMax;
        if (control == "Text31") return &page.doseMin;
        if (control == "Text32") return &page.doseMax;
        throw std::logic_error("the drug page has no box " + control);
    }

    druglib::Release release_;
    druglib::DrugLibrary library_;
    druglib::DrugPage page_;
    int drug_ = 1;
};

// ---- the US pump ---------------------------------------------------------------

class LibraryUs : public SheetLibrary {
public:
    const PageTable& fields() const override { return druglib_us::drugEntryPageTable(); }
    int departments() const override { return druglib_us::DepartmentCount; }
    int enabledDepartments() const override { return druglib_us::DepartmentCount; }
    int maxDrugs() const override { return druglib_us::MaxDrugCount; }
    bool appends() const override { return true; }
    int departmentNameLength() const override { return druglib_us::DepartmentNameLength; }
    int macroNameLength() const override { return druglib_us::orrxUsaFrameLayout().saveNameMaxLength; }

    void read(std::string_view bytes) override { library_ = druglib_us::readTv1(bytes).library; }
    std::vector<int> drugs() const override {
        std::vector<int> all;
        for (int n = 1; n <= library_.DrugCount; ++n) all.push_back(n);
        return all;
    }
    std::string departmentName(int d) const override { return library_.DepartmentName[d]; }
    void nameDepartment(int d, const std::string& name) override { library_.DepartmentName[d] = name; }

    // The page keeps some of what it showed before (its dose units list), as stepping does.
    void show(int n) override {
        entry_ = n;
        page_ = n <= library_.DrugCount ? druglib_us::shownEntry(library_, n, page_) : druglib_us::newEntryPage(page_);
    }
    std::vector<std::string> offered(const std::string& list) const override {
        return druglib_us::viewOf(page_).list(list)->items;
    }
    bool shown(const std::string& control) const override { return druglib_us::viewOf(page_).shows(control); }
    std::string value(const std::string& control) const override { return *druglib_us::fieldText(page_, control); }
    void choose(const std::string& list, int index) override { druglib_us::choose(page_, list, index); }
    void type(const std::string& box, const std::string& text) override { *druglib_us::fieldText(page_, box) = text; }
    bool ticked(int d) const override { return (page_.entry.DrugDepartments >> (d - 1) & 1) != 0; }
    void tick(int d, bool on) override {
        const std::int32_t bit = std::int32_t{1} << (d - 1);
        page_.entry.DrugDepartments = on ? page_.entry.DrugDepartments | bit : page_.entry.DrugDepartments & ~bit;
    }
    FieldMessages ok() override {
        druglib_us::DrugCheck check = druglib_us::checkDrugEntry(page_, NumberFormat{});
        if (check.stored) druglib_us::storeEntry(library_, entry_, std::move(*check.stored));
        return std::move(check.messages);
    }

    std::string bytes(const std::string& macroName) const override { return druglib_us::writeTv1(library_, macroName); }
    bool readsBack(std::string_view bytes, const std::string&) const override {
        const druglib_us::Tv1Read read = druglib_us::readTv1(bytes);
        return read.accepted && read.library == druglib_us::asSaved(library_);
    }

private:
    druglib_us::UsDrugLibrary library_;
    druglib_us::DrugPage page_;
    int entry_ = 1;
};

}  // namespace

std::unique_ptr<SheetLibrary> sheetLibrary(SheetKind kind) {
    switch (kind) {
    case SheetKind::Release041: return std::make_unique<Library510>(druglib::Release::R041);
    case SheetKind::Release036: return std::make_unique<Library510>(druglib::Release::R036);
    case SheetKind::Us: return std::make_unique<LibraryUs>();
    }
    throw std::logic_error("unknown kind of library");
}

}  // namespace mc::cli
