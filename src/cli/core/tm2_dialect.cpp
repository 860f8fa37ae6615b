#include "cli/core/tm2_dialect.hpp"

#include "druglib_dual/core/drug_page.hpp"
#include "druglib_dual/core/library_printout.hpp"
#include "druglib_dual/core/tm2_explain.hpp"
#include "druglib_dual/core/tm2_file.hpp"
#include "shell/core/text.hpp"

namespace mc::cli {
namespace {

using druglib::DrugLibrary;
using druglib::Release;

std::string shownName(const std::string& name) { return trimTrailingBlanks(name); }

class Tm2Dialect : public Dialect {
public:
    explicit Tm2Dialect(Release release) : release_(release) {}

    std::string name() const override { return release_ == Release::R041 ? "release 041" : "release 036"; }
    std::string kind() const override { return "510 drug library"; }

    Reading read(std::string_view bytes) const override { return {{}, druglib::explainTm2(bytes, release_)}; }

    std::optional<std::string> saved(std::string_view bytes) const override {
        const DrugLibrary library = druglib::readTm2(bytes, release_);
        return druglib::writeTm2(library, release_, library.LibraryName);
    }

    // "OK" on every drug as its page shows it.
    std::vector<EntryCheck> checkEntries(std::string_view bytes) const override {
        const DrugLibrary library = druglib::readTm2(bytes, release_);
        std::vector<EntryCheck> checks;
        for (int n = 1; n <= druglib::DrugCount; ++n) {
            if (!druglib::isDefined(library, n)) continue;
            const auto check = druglib::checkDrug(druglib::shownDrug(library, n, release_), release_, NumberFormat{});
            if (check.messages.empty()) continue;
            checks.push_back({"drug", n, shownName(library.DrugNames[n]), check.messages});
        }
        return checks;
    }

    std::vector<Entry> entries(std::string_view bytes) const override {
        const DrugLibrary library = druglib::readTm2(bytes, release_);
        std::vector<Entry> entries;
        if (release_ == Release::R041)
            entries.push_back({"Library", 0, "", false, {{"Name", shownName(library.LibraryName)}}});
        for (int d = 1; d <= druglib::DepartmentCount; ++d) {
            const std::string name = shownName(library.DepartmentNames[d]);
            entries.push_back({"Department", d, name, false, {{"Name", name}}});
        }
        for (int n = 1; n <= druglib::DrugCount; ++n) {
            if (!druglib::isDefined(library, n)) continue;
            Entry drug{"Drug", n, shownName(library.DrugNames[n]), true, {}};
            for (auto& [caption, value] : druglib::shownFields(druglib::shownDrug(library, n, release_), release_))
                drug.fields.push_back({std::move(caption), std::move(value)});
            entries.push_back(std::move(drug));
        }
        return entries;
    }

    Printout printout(std::string_view bytes, const PrintRequest& request) const override {
        if (release_ == Release::R036) return {{}, "release 036 libraries have no printout"};
        const DrugLibrary library = druglib::readTm2(bytes, release_);
        const druglib::PageFooter footer{request.fileName, request.date, request.time};
        auto printed = request.byDepartments ? druglib::printoutByDepartment(library, footer)
                                             : druglib::printoutByDrug(library, footer);
        if (printed.empty()) return {{}, "the library has no drug to print"};
        return {std::move(printed), {}};
    }

private:
    Release release_;
};

}  // namespace

std::unique_ptr<Dialect> tm2Dialect(Release release) { return std::make_unique<Tm2Dialect>(release); }

}  // namespace mc::cli
