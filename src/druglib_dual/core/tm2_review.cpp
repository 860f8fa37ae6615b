#include "druglib_dual/core/tm2_review.hpp"

#include "druglib_dual/core/drug_page.hpp"
#include "druglib_dual/core/library_printout.hpp"
#include "druglib_dual/core/tm2_explain.hpp"
#include "druglib_dual/core/tm2_file.hpp"
#include "shell/core/text.hpp"

namespace mc::druglib {
namespace {

std::string shownName(const std::string& name) { return trimTrailingBlanks(name); }

class Tm2Dialect : public Dialect {
public:
    explicit Tm2Dialect(Release release) : release_(release) {}

    std::string name() const override { return release_ == Release::R041 ? "release 041" : "release 036"; }
    std::string kind() const override { return "510 drug library"; }

    Reading read(std::string_view bytes) const override { return {{}, explainTm2(bytes, release_)}; }

    std::optional<std::string> saved(std::string_view bytes) const override {
        const DrugLibrary library = readTm2(bytes, release_);
        return writeTm2(library, release_, library.LibraryName);
    }

    // "OK" on every drug as its page shows it.
    std::vector<EntryCheck> checkEntries(std::string_view bytes) const override {
        const DrugLibrary library = readTm2(bytes, release_);
        std::vector<EntryCheck> checks;
        for (int n = 1; n <= DrugCount; ++n) {
            if (!isDefined(library, n)) continue;
            const auto check = checkDrug(shownDrug(library, n, release_), release_, NumberFormat{});
            if (check.messages.empty()) continue;
            checks.push_back({"drug", n, shownName(library.DrugNames[n]), check.messages});
        }
        return checks;
    }

    std::vector<Entry> entries(std::string_view bytes) const override {
        const DrugLibrary library = readTm2(bytes, release_);
        std::vector<Entry> entries;
        if (release_ == Release::R041)
            entries.push_back({"Library", 0, "", false, {{"Name", shownName(library.LibraryName)}}});
        for (int d = 1; d <= DepartmentCount; ++d) {
            const std::string name = shownName(library.DepartmentNames[d]);
            entries.push_back({"Department", d, name, false, {{"Name", name}}});
        }
        for (int n = 1; n <= DrugCount; ++n) {
            if (!isDefined(library, n)) continue;
            Entry drug{"Drug", n, shownName(library.DrugNames[n]), true, {}};
            for (auto& [caption, value] : shownFields(shownDrug(library, n, release_), release_))
                drug.fields.push_back({std::move(caption), std::move(value)});
            entries.push_back(std::move(drug));
        }
        return entries;
    }

    Printout printout(std::string_view bytes, const PrintRequest& request) const override {
        if (release_ == Release::R036) return {{}, "release 036 libraries have no printout"};
        const DrugLibrary library = readTm2(bytes, release_);
        const PageFooter footer{request.fileName, request.date, request.time};
        auto printed = request.byDepartments ? printoutByDepartment(library, footer)
                                             : printoutByDrug(library, footer);
        if (printed.empty()) return {{}, "the library has no drug to print"};
        return {std::move(printed), {}};
    }

private:
    Release release_;
};

}  // namespace

std::unique_ptr<Dialect> tm2Dialect(Release release) { return std::make_unique<Tm2Dialect>(release); }

}  // namespace mc::druglib
