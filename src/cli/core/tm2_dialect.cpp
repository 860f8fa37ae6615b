#include "cli/core/tm2_dialect.hpp"

#include "cli/core/page_ok.hpp"
#include "cli/core/scratch_folder.hpp"
#include "druglib_dual/core/library_printout.hpp"
#include "druglib_dual/core/quelda036_editor.hpp"
#include "druglib_dual/core/quelda041_editor.hpp"
#include "druglib_dual/core/tm2_file.hpp"
#include "shell/core/text.hpp"

namespace mc::cli {
namespace {

using druglib::DrugLibrary;

// The drug page of a release's editor with the file opened in it, driven by
// the same events a technician's clicks send, so that what it shows and what
// its "OK" says are the editor's own.
template <typename Editor>
class DrugPages {
public:
    explicit DrugPages(std::string_view bytes) {
        folder_.put("macro.tm2", bytes);
        editor_ = std::make_unique<Editor>(folder_.path(), NumberFormat{});
        editor_->pick("File1", 0);
        editor_->click("Command1");  // Open
        editor_->click("Command3");  // Next: drug 1
        library_ = editor_->library();
    }

    const DrugLibrary& library() const { return library_; }

    const Form& show(int drug) {
        while (editor_->ActiveDrug() < drug) editor_->click("Command13");
        while (editor_->ActiveDrug() > drug) editor_->click("Command14");
        return editor_->form();
    }

    // "OK" on the entry shown; then the page goes back to what the file holds.
    std::vector<std::string> ok() { return pressOk(*editor_, DrugPage); }

private:
    ScratchFolder folder_;
    std::unique_ptr<Editor> editor_;
    DrugLibrary library_;
};

std::string shownName(const std::string& name) { return trimTrailingBlanks(name); }

std::string withUnit(const Form& page, const char* box, const char* unit) {
    return page[box].text + " " + page[unit].text;
}

// The drug's fields as its page shows them, units and all.
std::vector<Field> drugFields(const Form& page) {
    std::vector<Field> fields{{"Drug Name", page["Text26"].text}};
    const bool concentrationShown = page["Text27"].visible;
    if (page.has("Combo2")) fields.push_back({"Concentration Units", page["Combo2"].selectedText()});
    if (concentrationShown) {
        fields.push_back({"Concentration Minimum", withUnit(page, "Text27", "Label8")});
        fields.push_back({"Concentration Maximum", withUnit(page, "Text28", "Label9")});
    }
    if (page.has("Combo3") && concentrationShown) fields.push_back({"Drug Vial Units", page["Combo3"].selectedText()});
    fields.push_back({"Dose Units", page["Combo1"].selectedText()});
    fields.push_back({"Dose Minimum", withUnit(page, "Text31", "Label10")});
    fields.push_back({"Dose Maximum", withUnit(page, "Text32", "Label11")});
    std::string departments;
    for (int d = 1; d <= druglib::MaskDepartmentCount; ++d) {
        if (!page["Check" + std::to_string(d)].checked) continue;
        if (!departments.empty()) departments += ", ";
        departments += std::to_string(d);
    }
    fields.push_back({"Departments", departments.empty() ? "none" : departments});
    return fields;
}

template <typename Editor>
class Tm2Dialect : public Dialect {
public:
    explicit Tm2Dialect(Tm2Release release) : release_(release) {}

    std::string name() const override { return release_ == Tm2Release::R041 ? "release 041" : "release 036"; }
    std::string kind() const override { return "510 drug library"; }

    Reading read(std::string_view bytes) const override { return {{}, explainTm2(bytes, release_)}; }

    std::optional<std::string> saved(std::string_view bytes) const override {
        if (release_ == Tm2Release::R036) return druglib::writeTm2Release036(druglib::readTm2Release036(bytes));
        const DrugLibrary library = druglib::readTm2Release041(bytes);
        return druglib::writeTm2Release041(library, library.LibraryName);
    }

    std::vector<EntryCheck> checkEntries(std::string_view bytes) const override {
        DrugPages<Editor> pages(bytes);
        std::vector<EntryCheck> checks;
        for (int n = 1; n <= druglib::DrugCount; ++n) {
            if (!druglib::isDefined(pages.library(), n)) continue;
            pages.show(n);
            auto messages = pages.ok();
            if (!messages.empty())
                checks.push_back({"drug", n, shownName(pages.library().DrugNames[n]), std::move(messages)});
        }
        return checks;
    }

    std::vector<Entry> entries(std::string_view bytes) const override {
        DrugPages<Editor> pages(bytes);
        const DrugLibrary& library = pages.library();
        std::vector<Entry> entries;
        if (release_ == Tm2Release::R041)
            entries.push_back({"Library", 0, "", false, {{"Name", shownName(library.LibraryName)}}});
        for (int d = 1; d <= druglib::DepartmentCount; ++d) {
            const std::string name = shownName(library.DepartmentNames[d]);
            entries.push_back({"Department", d, name, false, {{"Name", name}}});
        }
        for (int n = 1; n <= druglib::DrugCount; ++n) {
            if (!druglib::isDefined(library, n)) continue;
            entries.push_back({"Drug", n, shownName(library.DrugNames[n]), true, drugFields(pages.show(n))});
        }
        return entries;
    }

    Printout printout(std::string_view bytes, const PrintRequest& request) const override {
        if (release_ == Tm2Release::R036) return {{}, "release 036 libraries have no printout"};
        DrugPages<Editor> pages(bytes);
        const druglib::ShowDrug showDrug = [&pages](int drug) -> const Form& { return pages.show(drug); };
        const druglib::PageFooter footer{request.fileName, request.date, request.time};
        auto printed = request.byDepartments ? druglib::printoutByDepartment(pages.library(), showDrug, footer)
                                             : druglib::printoutByDrug(pages.library(), showDrug, footer);
        if (printed.empty()) return {{}, "the library has no drug to print"};
        return {std::move(printed), {}};
    }

private:
    Tm2Release release_;
};

}  // namespace

std::unique_ptr<Dialect> tm2Dialect(Tm2Release release) {
    if (release == Tm2Release::R041) return std::make_unique<Tm2Dialect<druglib::Quelda041Editor>>(release);
    return std::make_unique<Tm2Dialect<druglib::Quelda036Editor>>(release);
}

}  // namespace mc::cli
