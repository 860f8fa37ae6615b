#include "cli/core/library_sheet.hpp"

#include <algorithm>
#include <map>
#include <optional>

#include "cli/core/sheet_library.hpp"
#include "shell/core/macro_save.hpp"
#include "shell/core/text.hpp"

namespace mc::cli {
namespace {

constexpr std::string_view NumberCaption = "Drug Number";
constexpr std::string_view DepartmentHeading = "Department ";

std::string departmentHeading(int d, const std::string& name) {
    return std::string(DepartmentHeading) + std::to_string(d) + ": " + name;
}

// "Department k: NAME" gives k and NAME; the blank after the colon may be
// missing where a spreadsheet dropped it from an empty name.
std::optional<std::pair<int, std::string>> parseDepartmentHeading(const std::string& heading) {
    if (!heading.starts_with(DepartmentHeading)) return std::nullopt;
    std::size_t at = DepartmentHeading.size();
    int number = 0;
    const std::size_t digits = at;
    while (at < heading.size() && at - digits < 3 && heading[at] >= '0' && heading[at] <= '9')
        number = number * 10 + (heading[at++] - '0');
    if (at == digits || at >= heading.size() || heading[at] != ':') return std::nullopt;
    ++at;
    if (at < heading.size() && heading[at] == ' ') ++at;
    return std::pair{number, heading.substr(at)};
}

std::string joined(const std::vector<std::string>& items) {
    std::string text;
    for (const std::string& item : items) text += (text.empty() ? "" : ", ") + item;
    return text;
}

// A whole number of at most three digits, nothing else.
std::optional<int> drugNumber(const std::string& text) {
    if (text.empty() || text.size() > 3 ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    return std::stoi(text);
}

bool isList(const PageField& field) { return field.kind == FieldKind::Choice; }

// ---- import -------------------------------------------------------------------

class Importer {
public:
    Importer(SheetKind kind, const CsvTable& table) : library_(sheetLibrary(kind)), table_(table) {}

    // The faults of the whole table; none when every row passed the drug page's "OK".
    std::vector<SheetFault> run(int& stored);
    const SheetLibrary& library() const { return *library_; }

private:
    struct Heading {
        int number = -1;                 // column of "Drug Number"
        std::vector<int> fields;         // column of each page field
        std::vector<int> departments;    // column of department d (index d)
        std::vector<std::string> names;  // department names (index d)
    };

    const CsvCell& cell(std::size_t row, int column) const {
        static const CsvCell none;
        const auto& cells = table_.rows[row];
        return column >= 0 && static_cast<std::size_t>(column) < cells.size() ? cells[static_cast<std::size_t>(column)]
                                                                            : none;
    }
    const std::string& heading(int column) const { return cell(0, column).text; }
    void fault(int row, std::string column, std::string value, std::string message) {
        faults_.push_back({row, std::move(column), std::move(value), std::move(message)});
    }
    int columnOf(const std::string& control) const {
        const PageTable& fields = library_->fields();
        for (std::size_t f = 0; f < fields.size(); ++f)
            if (fields[f].control == control) return heading_.fields[f];
        return -1;
    }

    bool readHeading();
    void nameDepartments();
    void importRow(std::size_t row);
    // Fills the drug page from the row and presses "OK"; true when the page stored it.
    bool enterDrug(std::size_t row, std::vector<SheetFault>& faults);

    std::unique_ptr<SheetLibrary> library_;
    const CsvTable& table_;
    Heading heading_;
    std::vector<SheetFault> faults_;
    std::map<int, int> rowOfDrug_;  // drug number -> row
    int rowsOfDrugs_ = 0;
    int stored_ = 0;
};

bool Importer::readHeading() {
    const PageTable& fields = library_->fields();
    const auto departments = static_cast<std::size_t>(library_->departments()) + 1;
    heading_.fields.assign(fields.size(), -1);
    heading_.departments.assign(departments, -1);
    heading_.names.assign(departments, "");
    const std::size_t before = faults_.size();
    auto claim = [&](int& slot, int column) {
        if (slot >= 0) fault(1, heading(column), "", "The column appears twice");
        else slot = column;
    };
    const int width = table_.rows.empty() ? 0 : static_cast<int>(table_.rows[0].size());
    for (int column = 0; column < width; ++column) {
        const CsvCell& title = cell(0, column);
        if (!title.fault.empty()) {
            fault(1, title.text, "", "The heading " + title.fault);
            continue;
        }
        if (title.text == NumberCaption) {
            claim(heading_.number, column);
            continue;
        }
        if (const PageField* field = fieldCaptioned(fields, title.text)) {
            claim(heading_.fields[static_cast<std::size_t>(field - fields.data())], column);
            continue;
        }
        if (const auto department = parseDepartmentHeading(title.text);
            department && department->first >= 1 && department->first <= library_->departments()) {
            const auto d = static_cast<std::size_t>(department->first);
            claim(heading_.departments[d], column);
            heading_.names[d] = department->second;
            continue;
        }
        if (title.text.empty()) {
            bool used = false;
            for (std::size_t row = 1; row < table_.rows.size(); ++row) used |= !cell(row, column).text.empty();
            if (!used) continue;  // an empty column a spreadsheet left at the end
        }
        fault(1, title.text, "", "Unknown column: the drug page has no field of this caption");
    }
    const std::string number(NumberCaption);
    if (heading_.number < 0) fault(1, number, "", "Missing column: every row needs its " + number);
    for (std::size_t f = 0; f < fields.size(); ++f)
        if (heading_.fields[f] < 0) fault(1, fields[f].caption, "", "Missing column: the drug page has this field");
    for (int d = 1; d <= library_->departments(); ++d)
        if (heading_.departments[static_cast<std::size_t>(d)] < 0)
            fault(1, departmentHeading(d, ""), "", "Missing column: the library has this department");
    return faults_.size() == before;
}

void Importer::nameDepartments() {
    const auto limit = static_cast<std::size_t>(library_->departmentNameLength());
    for (int d = 1; d <= library_->departments(); ++d) {
        const std::string& name = heading_.names[static_cast<std::size_t>(d)];
        if (name.size() > limit) {
            fault(1, heading(heading_.departments[static_cast<std::size_t>(d)]), name,
                  "The department name takes at most " + std::to_string(limit) + " characters");
            continue;
        }
        library_->nameDepartment(d, name);
    }
}

bool Importer::enterDrug(std::size_t row, std::vector<SheetFault>& faults) {
    const int rowNumber = static_cast<int>(row) + 1;
    std::vector<SheetFault> hard, offered;
    auto faultAt = [&](std::vector<SheetFault>& into, int column, std::string message) {
        into.push_back({rowNumber, heading(column), cell(row, column).text, std::move(message)});
    };
    auto hidden = [&](const PageField& field, int column) {
        if (library_->shown(field.control)) return false;
        if (!cell(row, column).text.empty())
            faultAt(hard, column, field.caption + " has no box on the page with these units: leave it empty");
        return true;
    };

    // The lists first, in the page's order: each one empties the boxes after it.
    for (const PageField& field : library_->fields()) {
        if (!isList(field)) continue;
        const int column = columnOf(field.control);
        const CsvCell& value = cell(row, column);
        if (hidden(field, column)) continue;
        const auto items = library_->offered(field.control);
        const auto it = std::find(items.begin(), items.end(), value.text);
        int index = it == items.end() ? -1 : static_cast<int>(it - items.begin());
        if (!value.fault.empty()) {
            faultAt(hard, column, "The value " + value.fault);
            index = -1;
        } else if (index < 0) {
            faultAt(offered, column, field.caption + " must be one of: " + joined(items));
        }
        library_->choose(field.control, index);
    }
    for (const PageField& field : library_->fields()) {
        if (isList(field)) continue;
        const int column = columnOf(field.control);
        const CsvCell& value = cell(row, column);
        if (hidden(field, column)) continue;
        std::string text = value.text;
        if (!value.fault.empty()) {
            faultAt(hard, column, "The value " + value.fault);
            text.clear();
        } else if (field.maxLength > 0 && text.size() > static_cast<std::size_t>(field.maxLength)) {
            faultAt(hard, column, field.caption + " takes at most " + std::to_string(field.maxLength) + " characters");
            text.clear();
        } else if (field.kind == FieldKind::Number && table_.separator == ';' && text.find('.') != std::string::npos) {
            // There a point can only group thousands ("1.500" is 1500): never read it as a decimal point.
            faultAt(hard, column,
                    "In a spreadsheet with \";\" between fields the decimal sign is a comma and a point groups "
                    "thousands: write this value without a point");
            text.clear();
        } else if (field.kind == FieldKind::Number && table_.separator == ';') {
            // Spreadsheets that separate fields with ";" write decimal commas.
            std::replace(text.begin(), text.end(), ',', '.');
        }
        library_->type(field.control, text);
    }
    for (int d = 1; d <= library_->departments(); ++d) {
        const int column = heading_.departments[static_cast<std::size_t>(d)];
        const CsvCell& value = cell(row, column);
        const bool enabled = value.text == "x" || value.text == "X";
        if (!value.fault.empty()) faultAt(hard, column, "The value " + value.fault);
        else if (!enabled && !value.text.empty()) faultAt(hard, column, "Must be \"x\" (enabled) or empty");
        else if (enabled && d > library_->enabledDepartments())
            faultAt(hard, column, "No drug can be enabled in department " + std::to_string(d));
        if (d <= library_->enabledDepartments()) library_->tick(d, enabled && value.fault.empty());
    }

    // The column of each refused rule is its field's.
    std::vector<SheetFault> refused;
    for (const FieldMessage& failed : library_->ok()) {
        const int column = columnOf(failed.field);
        refused.push_back({rowNumber, column < 0 ? "" : heading(column), column < 0 ? "" : cell(row, column).text,
                           failed.message});
    }
    auto named = [](const std::vector<SheetFault>& among, const std::string& column) {
        return std::any_of(among.begin(), among.end(), [&](const SheetFault& f) { return f.column == column; });
    };
    // A field's own fault says more than what the page makes of the emptied box.
    faults.insert(faults.end(), hard.begin(), hard.end());
    for (const SheetFault& f : refused)
        if (!named(hard, f.column)) faults.push_back(f);
    for (const SheetFault& f : offered)
        if (!named(hard, f.column) && !named(refused, f.column)) faults.push_back(f);
    return refused.empty();
}

void Importer::importRow(std::size_t row) {
    const auto& cells = table_.rows[row];
    if (std::all_of(cells.begin(), cells.end(), [](const CsvCell& c) { return c.text.empty() && c.fault.empty(); }))
        return;  // an empty line of the spreadsheet
    const int rowNumber = static_cast<int>(row) + 1;
    std::vector<SheetFault> faults;
    const int width = static_cast<int>(table_.rows[0].size());
    for (int column = width; column < static_cast<int>(cells.size()); ++column)
        if (!cell(row, column).text.empty())
            faults.push_back({rowNumber, "", cell(row, column).text, "The value stands beyond the last column"});
    if (static_cast<int>(cells.size()) < width) {
        // A file cut inside the row: what is missing would read as empty, departments as not enabled.
        faults.push_back({rowNumber, "", "",
                          "The row has " + std::to_string(cells.size()) + " fields, the headings " +
                              std::to_string(width) + ": the file may be cut off"});
        faults_.insert(faults_.end(), faults.begin(), faults.end());
        return;
    }

    const CsvCell& numberCell = cell(row, heading_.number);
    const std::string& numberColumn = heading(heading_.number);
    const auto number = numberCell.fault.empty() ? drugNumber(numberCell.text) : std::nullopt;
    auto numberFault = [&](std::string message) {
        faults.push_back({rowNumber, numberColumn, numberCell.text, std::move(message)});
    };
    const bool appends = library_->appends();
    const int maxDrugs = library_->maxDrugs();
    bool enter = true;
    int drug = number.value_or(0);
    if (number && rowOfDrug_.contains(*number)) {
        numberFault(numberColumn + " " + std::to_string(*number) + " is on row " +
                    std::to_string(rowOfDrug_[*number]) + " already");
        if (!appends) enter = false;
    }
    if (appends) {
        drug = ++rowsOfDrugs_;
        if (drug > maxDrugs) {
            numberFault("The library holds at most " + std::to_string(maxDrugs) + " drugs");
            enter = false;
        } else if (number != drug && !(number && rowOfDrug_.contains(*number))) {
            numberFault(numberColumn + " must be " + std::to_string(drug) +
                        ": the drugs are numbered from 1 in the order of the rows");
        }
    } else if (!number || *number < 1 || *number > maxDrugs) {
        numberFault(numberColumn + " must be a whole number from 1 to " + std::to_string(maxDrugs));
        enter = false;
    }
    if (number && !rowOfDrug_.contains(*number)) rowOfDrug_[*number] = rowNumber;

    if (enter) {
        library_->show(drug);
        if (enterDrug(row, faults)) ++stored_;
    }
    faults_.insert(faults_.end(), faults.begin(), faults.end());
}

std::vector<SheetFault> Importer::run(int& stored) {
    if (table_.rows.empty()) return {{1, "", "", "The file is empty: the first row must hold the column headings"}};
    if (!readHeading()) return std::move(faults_);
    nameDepartments();
    for (std::size_t row = 1; row < table_.rows.size(); ++row) importRow(row);
    if (library_->appends() && rowsOfDrugs_ == 0)
        fault(1, heading(heading_.number), "", "The library holds no drug: the drug page needs at least one");
    stored = stored_;
    return std::move(faults_);
}

}  // namespace

std::string sheetKindName(SheetKind kind) {
    switch (kind) {
    case SheetKind::Release041: return "release 041";
    case SheetKind::Release036: return "release 036";
    case SheetKind::Us: return "US drug library";
    }
    return {};
}

std::string sheetExtension(SheetKind kind) { return kind == SheetKind::Us ? ".tv1" : ".tm2"; }

SheetExport exportSheet(SheetKind kind, std::string_view macroBytes) {
    const auto library = sheetLibrary(kind);
    library->read(macroBytes);
    const PageTable& fields = library->fields();
    std::vector<std::vector<std::string>> rows(1);
    rows[0].emplace_back(NumberCaption);
    for (const PageField& field : fields) rows[0].push_back(field.caption);
    for (int d = 1; d <= library->departments(); ++d) rows[0].push_back(departmentHeading(d, library->departmentName(d)));

    const std::vector<int> drugs = library->drugs();
    for (const int n : drugs) {
        library->show(n);
        std::vector<std::string> row{std::to_string(n)};
        for (const PageField& field : fields) row.push_back(library->shown(field.control) ? library->value(field.control) : "");
        for (int d = 1; d <= library->departments(); ++d)
            row.push_back(d <= library->enabledDepartments() && library->ticked(d) ? "x" : "");
        rows.push_back(std::move(row));
    }
    return {writeCsv(rows), static_cast<int>(drugs.size())};
}

SheetImport importSheet(SheetKind kind, const CsvTable& table, const std::filesystem::path& folder,
                        const std::string& macroName) {
    SheetImport result;
    Importer importer(kind, table);
    const SheetLibrary& library = importer.library();
    const auto nameLimit = static_cast<std::size_t>(library.macroNameLength());
    if (macroName.empty() || macroName.size() > nameLimit) {
        result.error = "the Save page of the " + sheetKindName(kind) + " editor takes a name of 1 to " +
                       std::to_string(nameLimit) + " characters";
        return result;
    }
    result.faults = importer.run(result.drugs);
    if (!result.faults.empty()) return result;
    const std::string bytes = library.bytes(macroName);
    const auto refused = saveMacroFile(
        {folder, macroName, sheetExtension(kind),
         "The Macro with name " + macroName + " alredy exist. Please enter another Macro name"},
        bytes, [&](std::string_view written) { return library.readsBack(written, macroName); });
    result.written = !refused;
    if (refused) result.error = *refused;
    return result;
}

}  // namespace mc::cli
