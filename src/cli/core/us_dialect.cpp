#include "cli/core/us_dialect.hpp"

#include "cli/core/page_ok.hpp"
#include "cli/core/scratch_folder.hpp"
#include "druglib_us/core/orrx_usa_editor.hpp"
#include "druglib_us/core/tv1_file.hpp"
#include "shell/core/text.hpp"

namespace mc::cli {
namespace {

using druglib_us::OrrxUsaEditor;
using druglib_us::UsDrugLibrary;

// The drug page of the US editor with the file opened in it, driven by the
// events a technician's clicks send, so that what it shows and what its "OK"
// says are the editor's own.
class UsDrugPages {
public:
    explicit UsDrugPages(std::string_view bytes) {
        folder_.put("macro.tv1", bytes);
        editor_ = std::make_unique<OrrxUsaEditor>(folder_.path(), NumberFormat{});
        editor_->pick("File1", 0);
        editor_->click("Command1");  // Open
        library_ = editor_->library();
        if (library_.DrugCount > 0) editor_->click("Command3");  // Next: entry 1
    }

    const UsDrugLibrary& library() const { return library_; }

    const Form& show(int entry) {
        while (editor_->CurrentDrug() < entry) editor_->click("Command13");
        while (editor_->CurrentDrug() > entry) editor_->click("Command14");
        return editor_->form();
    }

    // "OK" on the entry shown; then the page goes back to what the file holds.
    FieldMessages ok() { return pressOk(*editor_, DrugPage); }

private:
    ScratchFolder folder_;
    std::unique_ptr<OrrxUsaEditor> editor_;
    UsDrugLibrary library_;
};

// The entry's fields as its page shows them: caption, box and unit label.
std::vector<Field> entryFields(const Form& page) {
    struct Row {
        const char* caption;
        const char* box;
        const char* unit;
    };
    static constexpr Row rows[] = {
        {"Drug Name", "Text26", nullptr},
        {"Patient Weight Lower Soft Limit", "Text25", "Label16"},
        {"Patient Weight Upper Soft Limit", "Text33", "Label18"},
        {"Concentration units", "Combo2", nullptr},
        {"Concentration", "Text27", "Label4"},
        {"Dose Units", "Combo1", nullptr},
        {"Dose Rate Initial Value", "Text28", "Label7"},
        {"Dose Rate Lower Soft Limit", "Text31", "Label9"},
        {"Dose Rate Upper Soft Limit", "Text32", "Label21"},
        {"Dose Rate Lower Hard Limit", "Text34", "Label23"},
        {"Dose Rate Upper Hard Limit", "Text35", "Label25"},
        {"Bolus Mode", "Combo3", nullptr},
        {"Bolus Initial Value", "Text36", "Label28"},
        {"Bulus  Time Units", "Combo4", nullptr},
        {"Bolus Time Initial Value", "Text37", "Label32"},
        {"Bolus Rate", "Text38", "Label33"},
        {"Bolus Dose Lower Soft Limit", "Text39", "Label35"},
        {"Bolus Dose Upper Soft Limit", "Text40", "Label38"},
        {"Bolus Dose Lower Hard Limit", "Text41", "Label40"},
        {"Bolus Dose Upper Hard Limit", "Text42", "Label42"},
    };
    std::vector<Field> fields;
    for (const Row& row : rows) {
        const Control& control = page[row.box];
        if (!control.visible) continue;  // the bolus time row or the bolus rate row
        std::string value = std::string(row.box).starts_with("Combo") ? control.selectedText() : control.text;
        if (row.unit && !page[row.unit].text.empty()) value += " " + page[row.unit].text;
        fields.push_back({row.caption, value});
    }
    std::string departments;
    for (int d = 1; d <= druglib_us::DepartmentCount; ++d) {
        if (!page["Check" + std::to_string(d)].checked) continue;
        if (!departments.empty()) departments += ", ";
        departments += std::to_string(d);
    }
    fields.push_back({"Departments", departments.empty() ? "none" : departments});
    return fields;
}

// The name of the finish line, which the reader does not keep.
std::string finishName(std::string_view bytes) {
    constexpr std::string_view finish = "TYPE=FINISHDRUGLIBRARY,NAME=";
    for (const std::string_view line : splitLines(bytes))
        if (line.starts_with(finish)) return std::string(line.substr(finish.size()));
    return {};
}

// A department mask with bits the 24 department boxes cannot show: the drug
// page would show some other set of departments than the pump receives.
std::vector<Problem> departmentsBeyondThePage(std::string_view bytes, const UsDrugLibrary& library) {
    std::vector<Problem> problems;
    const auto lines = splitLines(bytes);
    for (int n = 1; n <= library.DrugCount; ++n) {
        const std::int32_t mask = library.Drug[n].DrugDepartments;
        if (mask >= 0 && mask < (1 << druglib_us::DepartmentCount)) continue;
        const std::string entry = "TYPE=SETDRUGENTRY,DE=" + std::to_string(n) + ",";
        int line = 0;
        for (std::size_t i = 0; i < lines.size() && line == 0; ++i)
            if (lines[i].starts_with(entry)) line = static_cast<int>(i) + 1;
        problems.push_back({line, "DEPART=" + std::to_string(mask) + " enables departments beyond " +
                                      std::to_string(druglib_us::DepartmentCount) +
                                      ", which the drug page cannot show"});
    }
    return problems;
}

class UsDialect : public Dialect {
public:
    std::string name() const override { return "US drug library"; }
    std::string kind() const override { return "US drug library"; }

    Reading read(std::string_view bytes) const override {
        const druglib_us::Tv1Read read = druglib_us::readTv1(bytes);
        if (!read.accepted)
            return {"The editor refuses it: can not be open as corrupted or for newer creator version",
                    {{read.refusedLine, read.cause}}};
        return {{}, departmentsBeyondThePage(bytes, read.library)};
    }

    std::optional<std::string> saved(std::string_view bytes) const override {
        druglib_us::Tv1Read read = druglib_us::readTv1(bytes);
        if (!read.accepted) return std::nullopt;
        return druglib_us::writeTv1(read.library, finishName(bytes));
    }

    std::vector<EntryCheck> checkEntries(std::string_view bytes) const override {
        if (!druglib_us::readTv1(bytes).accepted) return {};
        UsDrugPages pages(bytes);
        std::vector<EntryCheck> checks;
        for (int n = 1; n <= pages.library().DrugCount; ++n) {
            pages.show(n);
            auto messages = pages.ok();
            if (!messages.empty()) checks.push_back({"drug", n, pages.library().Drug[n].DrugName, std::move(messages)});
        }
        return checks;
    }

    std::vector<Entry> entries(std::string_view bytes) const override {
        UsDrugPages pages(bytes);
        const UsDrugLibrary& library = pages.library();
        std::vector<Entry> entries;
        for (int d = 1; d <= druglib_us::DepartmentCount; ++d)
            entries.push_back({"Department", d, library.DepartmentName[d], false, {{"Name", library.DepartmentName[d]}}});
        for (int n = 1; n <= library.DrugCount; ++n)
            entries.push_back({"Drug", n, library.Drug[n].DrugName, true, entryFields(pages.show(n))});
        return entries;
    }

    Printout printout(std::string_view, const PrintRequest&) const override {
        return {{}, "US drug libraries have no printout"};
    }
};

}  // namespace

std::unique_ptr<Dialect> usDialect() { return std::make_unique<UsDialect>(); }

}  // namespace mc::cli
