#include "cli/core/us_dialect.hpp"

#include "druglib_us/core/drug_entry_rules.hpp"
#include "druglib_us/core/tv1_file.hpp"
#include "shell/core/text.hpp"

namespace mc::cli {
namespace {

using druglib_us::DrugPage;
using druglib_us::UsDrugLibrary;

// Each entry as its page shows it, stepping from entry 1 on as the editor
// does: a page keeps some of what the entry before it showed.
std::vector<DrugPage> shownEntries(const UsDrugLibrary& library) {
    std::vector<DrugPage> pages;
    DrugPage page;
    for (int n = 1; n <= library.DrugCount; ++n) pages.push_back(page = druglib_us::shownEntry(library, n, page));
    return pages;
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
        const druglib_us::Tv1Read read = druglib_us::readTv1(bytes);
        if (!read.accepted) return {};
        const auto pages = shownEntries(read.library);
        std::vector<EntryCheck> checks;
        for (int n = 1; n <= read.library.DrugCount; ++n) {
            const auto check = druglib_us::checkDrugEntry(pages[static_cast<std::size_t>(n - 1)], NumberFormat{});
            if (check.messages.empty()) continue;
            EntryCheck entry{"drug", n, read.library.Drug[n].DrugName, {}};
            for (const FieldMessage& message : check.messages) entry.messages.push_back(message.message);
            checks.push_back(std::move(entry));
        }
        return checks;
    }

    // Also of a refused file: what its reader took before the refusal.
    std::vector<Entry> entries(std::string_view bytes) const override {
        const UsDrugLibrary library = druglib_us::readTv1(bytes).library;
        std::vector<Entry> entries;
        for (int d = 1; d <= druglib_us::DepartmentCount; ++d) {
            const std::string& name = library.DepartmentName[d];
            entries.push_back({"Department", d, name, false, {{"Name", name}}});
        }
        const auto pages = shownEntries(library);
        for (int n = 1; n <= library.DrugCount; ++n) {
            Entry drug{"Drug", n, library.Drug[n].DrugName, true, {}};
            for (auto& [caption, value] : druglib_us::shownFields(pages[static_cast<std::size_t>(n - 1)]))
                drug.fields.push_back({std::move(caption), std::move(value)});
            entries.push_back(std::move(drug));
        }
        return entries;
    }

    Printout printout(std::string_view, const PrintRequest&) const override {
        return {{}, "US drug libraries have no printout"};
    }
};

}  // namespace

std::unique_ptr<Dialect> usDialect() { return std::make_unique<UsDialect>(); }

}  // namespace mc::cli
