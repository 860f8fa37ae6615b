#include "druglib_dual/core/tm2_explain.hpp"

#include <array>
#include <map>
#include <optional>

#include "druglib_dual/core/drug_library.hpp"
#include "druglib_dual/core/tm2_file.hpp"
#include "druglib_dual/core/tm2_lines.hpp"
#include "druglib_dual/core/unit_codes.hpp"
#include "shell/core/hex.hpp"
#include "shell/core/text.hpp"

namespace mc::druglib {
namespace {

using namespace tm2;

// The line forms as the explanation needs them: key, length and where the comma stands (0 for none).
struct Form {
    std::string_view key;
    std::size_t length;
    std::size_t comma;
};
constexpr Form DepartmentForm{DepartmentKey, DepartmentLineLength, 0};
constexpr Form Drug041Form{Release041Line.key, Release041Line.length(), Release041Line.commaColumn()};
constexpr Form Drug036Form{Release036Line.key, Release036Line.length(), Release036Line.commaColumn()};
constexpr Form LibraryForm{LibraryKey, LibraryLineLength, 0};

// Where a record stands in the order the editor writes them.
enum class Group { Department, Drug, Library };
struct Place {
    Group group;
    int number;
    auto operator<=>(const Place&) const = default;
};

std::string quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

std::string describe(Place place) {
    switch (place.group) {
    case Group::Department: return "department " + std::to_string(place.number);
    case Group::Drug: return "drug " + std::to_string(place.number);
    case Group::Library: return "the library line";
    }
    return {};
}

// "5, 12 to 100"
std::string ranges(const std::vector<int>& numbers) {
    std::string text;
    for (std::size_t i = 0; i < numbers.size();) {
        std::size_t j = i;
        while (j + 1 < numbers.size() && numbers[j + 1] == numbers[j] + 1) ++j;
        if (!text.empty()) text += ", ";
        text += std::to_string(numbers[i]);
        if (j > i) text += " to " + std::to_string(numbers[j]);
        i = j + 1;
    }
    return text;
}

class Explainer {
public:
    explicit Explainer(Release release) : release_(release) {}

    void line(int lineNumber, std::string_view text) {
        line_ = lineNumber;
        if (text.starts_with(DepartmentForm.key)) department(text);
        else if (text.starts_with(Drug041Form.key)) drug(text, Drug041Form);
        else if (text.starts_with(Drug036Form.key)) drug(text, Drug036Form);
        else if (text.starts_with(LibraryForm.key)) library(text);
        else if (text.empty()) add("empty line");
        else add("not a line of a .tm2 file: " + quoted(text.substr(0, 20)) + (text.size() > 20 ? "..." : ""));
    }

    std::vector<LineProblem> finish() {
        line_ = 0;
        missing(Group::Department, DepartmentCount, "department");
        missing(Group::Drug, DrugCount, "drug");
        if (release_ == Release::R041 && !seen_.contains({Group::Library, 0})) add("no library line");
        return std::move(problems_);
    }

private:
    void add(std::string text) { problems_.push_back({line_, std::move(text)}); }

    bool lengthIs(std::string_view text, const Form& form, const char* what) {
        if (text.size() == form.length) return true;
        add(std::string(what) + " line of " + std::to_string(text.size()) + " characters, should be " +
            std::to_string(form.length));
        return false;
    }

    bool charAt(std::string_view text, std::size_t column, char expected, const char* after) {
        if (text[column] == expected) return true;
        add(std::string("\"") + expected + "\" missing after the " + after);
        return false;
    }

    std::optional<int> number(std::string_view field, int last, const char* what) {
        const auto value = parseDecimalField(field);
        if (value && *value >= 1 && *value <= static_cast<std::uint32_t>(last)) return static_cast<int>(*value);
        add(std::string(what) + " number " + quoted(field) + " is not 1 to " + std::to_string(last));
        return std::nullopt;
    }

    void department(std::string_view text) {
        if (!lengthIs(text, DepartmentForm, "department") ||
            !charAt(text, DepartmentEquals, '=', "department number"))
            return;
        if (const auto d = number(text.substr(NumberStart, DepartmentNumberWidth), DepartmentCount, "department"))
            record({Group::Department, *d});
    }

    void drug(std::string_view text, const Form& form) {
        if (release_ == Release::R036 && form.key == Drug041Form.key) {
            add("release 041 drug line, not read by release 036");
            return;
        }
        if (!lengthIs(text, form, "drug") || !charAt(text, DrugEquals, '=', "drug number") ||
            !charAt(text, form.comma, ',', "drug name"))
            return;
        const auto n = number(text.substr(NumberStart, DrugNumberWidth), DrugCount, "drug");
        if (!n) return;
        record({Group::Drug, *n});
        const std::string_view fields = text.substr(form.comma + 1, DrugFieldsWidth);
        bool allHex = true;
        for (const HexField& field : DrugHexFields) {
            const std::string_view digits = fields.substr(field.offset, field.width);
            if (parseHexField(digits)) continue;
            allHex = false;
            add(std::string(field.caption) + " " + quoted(digits) + " is not hexadecimal; the drug keeps its earlier value");
        }
        if (release_ == Release::R036) {
            const HexField& unitField = DrugHexFields.front();
            const std::string_view unitDigits = fields.substr(unitField.offset, unitField.width);
            const auto unit = parseHexField(unitDigits);
            if (unit && *unit >= DoseUnitNames.size())
                add("dose unit code " + std::string(unitDigits) + " is not 00 to 03");
        }
        if (form.key != Drug041Form.key || !allHex) return;
        const std::string expected = release041Checksum(text);
        const std::string_view written = text.substr(Release041Line.checksumStart(), ChecksumWidth);
        if (!parseHexField(written)) add("checksum " + quoted(written) + " is not hexadecimal, should be " + expected);
        else if (toHex(*parseHexField(written), static_cast<int>(ChecksumWidth)) != expected)
            add("checksum " + std::string(written) + ", should be " + expected);
    }

    void library(std::string_view text) {
        if (release_ == Release::R036) {
            add("release 041 library line, not read by release 036");
            return;
        }
        if (lengthIs(text, LibraryForm, "library")) record({Group::Library, 0});
    }

    // A record the reader takes: again, or before one the editor writes first.
    void record(Place place) {
        if (const auto earlier = seen_.find(place); earlier != seen_.end()) {
            add(describe(place) + " again (first on line " + std::to_string(earlier->second) + "); this line wins");
            return;
        }
        if (last_ && place < *last_) add(describe(place) + " out of order, after " + describe(*last_));
        seen_.emplace(place, line_);
        if (!last_ || *last_ < place) last_ = place;
    }

    void missing(Group group, int count, const char* what) {
        std::vector<int> numbers;
        for (int n = 1; n <= count; ++n)
            if (!seen_.contains({group, n})) numbers.push_back(n);
        if (numbers.empty()) return;
        add("no line for " + std::string(what) + (numbers.size() > 1 ? "s " : " ") + ranges(numbers));
    }

    Release release_;
    int line_ = 0;
    std::vector<LineProblem> problems_;
    std::map<Place, int> seen_;
    std::optional<Place> last_;
};

}  // namespace

std::vector<LineProblem> explainTm2(std::string_view bytes, Release release) {
    Explainer explainer(release);
    int lineNumber = 0;
    for (const std::string_view line : splitLines(bytes)) explainer.line(++lineNumber, line);
    return explainer.finish();
}

}  // namespace mc::druglib
