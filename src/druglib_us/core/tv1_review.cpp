#include "druglib_us/core/tv1_review.hpp"

#include "druglib_us/core/drug_entry_rules.hpp"
#include "druglib_us/core/tv1_file.hpp"
#include "shell/core/text.hpp"

namespace mc::druglib_us {
namespace {

// Each entry as its page shows it, stepping from entry 1 on as the editor
// does: a page keeps some of what the entry before it showed.
std::vector<DrugPage> shownEntries(const UsDrugLibrary& library) {
    std::vector<DrugPage> pages;
    DrugPage page;
    for (int n = 1; n <= library.DrugCount; ++n) pages.push_back(page = shownEntry(library, n, page));
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
std::vector<LineProblem> departmentsBeyondThePage(std::string_view bytes, const UsDrugLibrary& library) {
    std::vector<LineProblem> problems;
    const auto lines = splitLines(bytes);
    for (int n = 1; n <= library.DrugCount; ++n) {
        const std::int32_t mask = library.Drug[n].DrugDepartments;
        if (mask >= 0 && mask < (1 << DepartmentCount)) continue;
        const std::string entry = "TYPE=SETDRUGENTRY,DE=" + std::to_string(n) + ",";
        int line = 0;
        for (std::size_t i = 0; i < lines.size() && line == 0; ++i)
            if (lines[i].starts_with(entry)) line = static_cast<int>(i) + 1;
        problems.push_back({line, "DEPART=" + std::to_string(mask) + " enables departments beyond " +
                                      std::to_string(DepartmentCount) +
                                      ", which the drug page cannot show"});
    }
    return problems;
}

class UsDialect : public Dialect {
public:
    explicit UsDialect(const NumberFormat& format) : format_(format) {}

    std::string name() const override { return "US drug library"; }
    std::string kind() const override { return "US drug library"; }

    Reading read(std::string_view bytes) const override {
        const Tv1Read read = readTv1(bytes);
        if (!read.accepted)
            return {"The editor refuses it: can not be open as corrupted or for newer creator version",
                    {{read.refusedLine, read.cause}}};
        return {{}, departmentsBeyondThePage(bytes, read.library)};
    }

    std::optional<std::string> saved(std::string_view bytes) const override {
        Tv1Read read = readTv1(bytes);
        if (!read.accepted) return std::nullopt;
        return writeTv1(read.library, finishName(bytes));
    }

    std::vector<EntryCheck> checkEntries(std::string_view bytes) const override {
        const Tv1Read read = readTv1(bytes);
        if (!read.accepted) return {};
        const auto pages = shownEntries(read.library);
        std::vector<EntryCheck> checks;
        for (int n = 1; n <= read.library.DrugCount; ++n) {
            const auto check = checkDrugEntry(pages[static_cast<std::size_t>(n - 1)], format_);
            if (check.messages.empty()) continue;
            checks.push_back({"drug", n, read.library.Drug[n].DrugName, check.messages});
        }
        return checks;
    }

    // Also of a refused file: what its reader took before the refusal.
    std::vector<Entry> entries(std::string_view bytes) const override {
        const UsDrugLibrary library = readTv1(bytes).library;
        std::vector<Entry> entries;
        for (int d = 1; d <= DepartmentCount; ++d) {
            const std::string& name = library.DepartmentName[d];
            entries.push_back({"Department", d, name, false, {{"Name", name}}});
        }
        const auto pages = shownEntries(library);
        for (int n = 1; n <= library.DrugCount; ++n) {
            Entry drug{"Drug", n, library.Drug[n].DrugName, true, {}};
            for (auto& [caption, value] : shownFields(pages[static_cast<std::size_t>(n - 1)]))
                drug.fields.push_back({std::move(caption), std::move(value)});
            entries.push_back(std::move(drug));
        }
        return entries;
    }

    Printout printout(std::string_view, const PrintRequest&) const override {
        return {{}, "US drug libraries have no printout"};
    }

private:
    // The entries keep the texts as typed, in the regional format of whoever typed them.
    NumberFormat format_;
};

}  // namespace

std::unique_ptr<Dialect> tv1Dialect(const NumberFormat& format) { return std::make_unique<UsDialect>(format); }

}  // namespace mc::druglib_us
