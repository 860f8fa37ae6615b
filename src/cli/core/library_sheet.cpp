#include "cli/core/library_sheet.hpp"

#include <algorithm>
#include <map>
#include <memory>
#include <optional>
#include <span>
#include <stdexcept>

#include "cli/core/scratch_folder.hpp"
#include "druglib_dual/core/quelda036_editor.hpp"
#include "druglib_dual/core/quelda041_editor.hpp"
#include "druglib_us/core/orrx_usa_editor.hpp"
#include "shell/core/text.hpp"

namespace mc::cli {
namespace {

// A field of the drug page: the label that captions it and its control.
struct PageField {
    const char* label;
    const char* control;
};

// In the order of the page, which is also the order the page must be filled
// in: picking a unit empties the boxes that follow it.
constexpr PageField Fields041[] = {{"Label2", "Text26"}, {"Label12", "Combo2"}, {"Label3", "Text27"},
                                   {"Label4", "Text28"}, {"Label13", "Combo3"}, {"Label5", "Combo1"},
                                   {"Label6", "Text31"}, {"Label7", "Text32"}};
constexpr PageField Fields036[] = {{"Label2", "Text26"}, {"Label3", "Text27"}, {"Label4", "Text28"},
                                   {"Label5", "Combo1"}, {"Label6", "Text31"}, {"Label7", "Text32"}};
constexpr PageField FieldsUs[] = {
    {"Label2", "Text26"},  {"Label15", "Text25"}, {"Label17", "Text33"}, {"Label19", "Combo2"},
    {"Label3", "Text27"},  {"Label6", "Combo1"},  {"Label5", "Text28"},  {"Label8", "Text31"},
    {"Label20", "Text32"}, {"Label22", "Text34"}, {"Label24", "Text35"}, {"Label26", "Combo3"},
    {"Label27", "Text36"}, {"Label29", "Combo4"}, {"Label31", "Text37"}, {"Label30", "Text38"},
    {"Label34", "Text39"}, {"Label37", "Text40"}, {"Label39", "Text41"}, {"Label41", "Text42"}};

constexpr std::string_view DepartmentHeading = "Department ";
constexpr std::string_view DrugStored = "Drug Updated";

struct KindRules {
    std::span<const PageField> fields;
    int departments;        // named on the department page
    int enabledDepartments; // that a drug can be enabled in
    int maxDrugs;
    bool appends;           // drugs are entries 1..count, not numbered slots
};

KindRules rulesOf(SheetKind kind) {
    switch (kind) {
    case SheetKind::Release041:
        return {Fields041, druglib::DepartmentCount, druglib::MaskDepartmentCount, druglib::DrugCount, false};
    case SheetKind::Release036:
        return {Fields036, druglib::DepartmentCount, druglib::MaskDepartmentCount, druglib::DrugCount, false};
    case SheetKind::Us:
        return {FieldsUs, druglib_us::DepartmentCount, druglib_us::DepartmentCount, druglib_us::MaxDrugCount, true};
    }
    throw std::logic_error("unknown kind of library");
}

std::unique_ptr<EditorFrame> makeEditor(SheetKind kind, const std::filesystem::path& folder) {
    switch (kind) {
    case SheetKind::Release041: return std::make_unique<druglib::Quelda041Editor>(folder, NumberFormat{});
    case SheetKind::Release036: return std::make_unique<druglib::Quelda036Editor>(folder, NumberFormat{});
    case SheetKind::Us: return std::make_unique<druglib_us::OrrxUsaEditor>(folder, NumberFormat{});
    }
    throw std::logic_error("unknown kind of library");
}

int shownDrug(const EditorFrame& editor) {
    if (const auto* drugs = dynamic_cast<const druglib::DrugLibraryEditor*>(&editor)) return drugs->ActiveDrug();
    return dynamic_cast<const druglib_us::OrrxUsaEditor&>(editor).CurrentDrug();
}

// Steps with "Next Drug" and "Previous Drug" to the drug, as a technician would.
void showDrug(EditorFrame& editor, int drug) {
    for (int steps = 0; shownDrug(editor) != drug; ++steps) {
        if (steps > 2 * druglib_us::MaxDrugCount) throw std::logic_error("the drug page does not step");
        editor.click(shownDrug(editor) < drug ? "Command13" : "Command14");
    }
}

std::string checkBox(int d) { return "Check" + std::to_string(d); }
std::string departmentBox(int d) { return "Text" + std::to_string(d); }

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

// A slot holding anything at all, even one the editor counts as undefined
// (blank name, no department), is exported, so that importing gives it back.
bool isEmptySlot(const druglib::DrugLibrary& library, int n) {
    return library.DrugNames[n].find_first_not_of(' ') == std::string::npos && library.DrugUnitCodes[n] == 0 &&
           library.ConcMinCodes[n] == 0 && library.ConcMaxCodes[n] == 0 && library.DoseMinCodes[n] == 0 &&
           library.DoseMaxCodes[n] == 0 && library.DepartmentMasks[n] == 0;
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

// ---- import -------------------------------------------------------------------

class Importer {
public:
    Importer(SheetKind kind, const CsvTable& table, const std::filesystem::path& folder)
        : kind_(kind), rules_(rulesOf(kind)), table_(table), editor_(makeEditor(kind, folder)) {}

    SheetImport run(const std::string& macroName);

private:
    struct Heading {
        int number = -1;                       // column of "Drug Number"
        std::vector<int> fields;               // column of each page field
        std::vector<int> departments;          // column of department d (index d)
        std::vector<std::string> names;        // department names (index d)
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

    bool readHeading();
    void nameDepartments();
    void importRow(std::size_t row);
    // Types the row into the drug page and presses "OK"; true when the page stored it.
    bool enterDrug(std::size_t row, std::vector<SheetFault>& faults);

    SheetKind kind_;
    KindRules rules_;
    const CsvTable& table_;
    std::unique_ptr<EditorFrame> editor_;
    Heading heading_;
    std::vector<SheetFault> faults_;
    std::map<int, int> rowOfDrug_;  // drug number -> row
    int rowsOfDrugs_ = 0;
    int stored_ = 0;
};

bool Importer::readHeading() {
    const Form& page = editor_->form();
    const std::string numberCaption = page["Label51"].text;
    heading_.fields.assign(rules_.fields.size(), -1);
    heading_.departments.assign(static_cast<std::size_t>(rules_.departments) + 1, -1);
    heading_.names.assign(static_cast<std::size_t>(rules_.departments) + 1, "");
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
        if (title.text == numberCaption) {
            claim(heading_.number, column);
            continue;
        }
        const auto field = std::find_if(rules_.fields.begin(), rules_.fields.end(),
                                        [&](const PageField& f) { return page[f.label].text == title.text; });
        if (field != rules_.fields.end()) {
            claim(heading_.fields[static_cast<std::size_t>(field - rules_.fields.begin())], column);
            continue;
        }
        if (const auto department = parseDepartmentHeading(title.text);
            department && department->first >= 1 && department->first <= rules_.departments) {
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
    if (heading_.number < 0) fault(1, numberCaption, "", "Missing column: every row needs its " + numberCaption);
    for (std::size_t f = 0; f < rules_.fields.size(); ++f)
        if (heading_.fields[f] < 0)
            fault(1, page[rules_.fields[f].label].text, "", "Missing column: the drug page has this field");
    for (int d = 1; d <= rules_.departments; ++d)
        if (heading_.departments[static_cast<std::size_t>(d)] < 0)
            fault(1, departmentHeading(d, ""), "", "Missing column: the library has this department");
    return faults_.size() == before;
}

void Importer::nameDepartments() {
    editor_->click(editor_->layout().newButton);
    for (int d = 1; d <= rules_.departments; ++d) {
        const std::string& name = heading_.names[static_cast<std::size_t>(d)];
        const auto limit = static_cast<std::size_t>(editor_->form()[departmentBox(d)].maxLength);
        if (limit > 0 && name.size() > limit) {
            const int column = heading_.departments[static_cast<std::size_t>(d)];
            fault(1, heading(column), name,
                  "The department name takes at most " + std::to_string(limit) + " characters");
            continue;
        }
        editor_->textEdited(departmentBox(d), name);
    }
    editor_->click("Command4");  // OK
    editor_->click("Command3");  // Next: the drug page
}

bool Importer::enterDrug(std::size_t row, std::vector<SheetFault>& faults) {
    const int rowNumber = static_cast<int>(row) + 1;
    Form& page = editor_->form();
    std::map<std::string, int> columnOf;  // control -> column
    for (std::size_t f = 0; f < rules_.fields.size(); ++f) columnOf[rules_.fields[f].control] = heading_.fields[f];
    std::vector<SheetFault> hard, offered;
    auto faultAt = [&](std::vector<SheetFault>& into, int column, std::string message) {
        into.push_back({rowNumber, heading(column), cell(row, column).text, std::move(message)});
    };
    auto hidden = [&](const PageField& field, int column) {
        if (page[field.control].visible) return false;
        if (!cell(row, column).text.empty())
            faultAt(hard, column, page[field.label].text + " has no box on the page with these units: leave it empty");
        return true;
    };

    // The lists first, in the page's order: each one empties the boxes after it.
    for (const PageField& field : rules_.fields) {
        if (!std::string_view(field.control).starts_with("Combo")) continue;
        const int column = columnOf[field.control];
        const CsvCell& value = cell(row, column);
        if (hidden(field, column)) continue;
        const auto& items = page[field.control].items;
        const auto it = std::find(items.begin(), items.end(), value.text);
        int index = it == items.end() ? -1 : static_cast<int>(it - items.begin());
        if (!value.fault.empty()) {
            faultAt(hard, column, "The value " + value.fault);
            index = -1;
        } else if (index < 0) {
            faultAt(offered, column, page[field.label].text + " must be one of: " + joined(items));
        }
        editor_->pick(field.control, index);
    }
    for (const PageField& field : rules_.fields) {
        if (std::string_view(field.control).starts_with("Combo")) continue;
        const int column = columnOf[field.control];
        const CsvCell& value = cell(row, column);
        if (hidden(field, column)) continue;
        const Control& box = page[field.control];
        std::string text = value.text;
        if (!value.fault.empty()) {
            faultAt(hard, column, "The value " + value.fault);
            text.clear();
        } else if (box.maxLength > 0 && text.size() > static_cast<std::size_t>(box.maxLength)) {
            faultAt(hard, column,
                    page[field.label].text + " takes at most " + std::to_string(box.maxLength) + " characters");
            text.clear();
        } else if (box.numeric && table_.separator == ';' && text.find('.') != std::string::npos) {
            // There a point can only group thousands ("1.500" is 1500): never read it as a decimal point.
            faultAt(hard, column,
                    "In a spreadsheet with \";\" between fields the decimal sign is a comma and a point groups "
                    "thousands: write this value without a point");
            text.clear();
        } else if (box.numeric && table_.separator == ';') {
            // Spreadsheets that separate fields with ";" write decimal commas.
            std::replace(text.begin(), text.end(), ',', '.');
        }
        editor_->textEdited(field.control, text);
    }
    for (int d = 1; d <= rules_.departments; ++d) {
        const int column = heading_.departments[static_cast<std::size_t>(d)];
        const CsvCell& value = cell(row, column);
        const bool enabled = value.text == "x" || value.text == "X";
        if (!value.fault.empty()) faultAt(hard, column, "The value " + value.fault);
        else if (!enabled && !value.text.empty()) faultAt(hard, column, "Must be \"x\" (enabled) or empty");
        else if (enabled && d > rules_.enabledDepartments)
            faultAt(hard, column, "No drug can be enabled in department " + std::to_string(d));
        if (d <= rules_.enabledDepartments) editor_->toggle(checkBox(d), enabled && value.fault.empty());
    }

    editor_->click("Command9");  // OK
    const std::string said = page["Label74"].text;
    const bool stored = said == DrugStored;
    std::vector<SheetFault> refused;
    if (!stored) {
        const auto captions = editor_->captionsOf(3);
        for (const std::string_view line : splitLines(said)) {
            if (line.empty()) continue;
            int column = -1;
            std::size_t longest = 0;
            for (const auto& [caption, control] : captions)
                if (caption.size() > longest && line.starts_with(caption + " ") && columnOf.contains(control)) {
                    column = columnOf[control];
                    longest = caption.size();
                }
            if (column < 0 && line.find("Department") != std::string_view::npos) column = heading_.departments[1];
            refused.push_back({rowNumber, column < 0 ? "" : heading(column), column < 0 ? "" : cell(row, column).text,
                               std::string(line)});
        }
        editor_->click("Command8");  // Cancel Last Changes
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
    return stored;
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
    bool enter = true;
    if (number && rowOfDrug_.contains(*number)) {
        numberFault(numberColumn + " " + std::to_string(*number) + " is on row " +
                    std::to_string(rowOfDrug_[*number]) + " already");
        if (!rules_.appends) enter = false;
    }
    if (rules_.appends) {
        const int expected = ++rowsOfDrugs_;
        if (expected > rules_.maxDrugs) {
            numberFault("The library holds at most " + std::to_string(rules_.maxDrugs) + " drugs");
            enter = false;
        } else if (number != expected && !(number && rowOfDrug_.contains(*number))) {
            numberFault(numberColumn + " must be " + std::to_string(expected) +
                        ": the drugs are numbered from 1 in the order of the rows");
        }
    } else if (!number || *number < 1 || *number > rules_.maxDrugs) {
        numberFault(numberColumn + " must be a whole number from 1 to " + std::to_string(rules_.maxDrugs));
        enter = false;
    }
    if (number && !rowOfDrug_.contains(*number)) rowOfDrug_[*number] = rowNumber;

    if (enter) {
        if (rules_.appends) {
            // A new entry after the last one, unless the page shows one already.
            if (!dynamic_cast<const druglib_us::OrrxUsaEditor&>(*editor_).NewDrugPending())
                editor_->click("Command13");
        } else {
            showDrug(*editor_, *number);
        }
        if (enterDrug(row, faults)) ++stored_;
    }
    faults_.insert(faults_.end(), faults.begin(), faults.end());
}

SheetImport Importer::run(const std::string& macroName) {
    SheetImport result;
    const auto nameLimit = static_cast<std::size_t>(editor_->form()["Text29"].maxLength);
    if (macroName.empty() || (nameLimit > 0 && macroName.size() > nameLimit)) {
        result.error = "the Save page of the " + sheetKindName(kind_) + " editor takes a name of 1 to " +
                       std::to_string(nameLimit) + " characters";
        return result;
    }
    if (table_.rows.empty()) {
        result.faults.push_back({1, "", "", "The file is empty: the first row must hold the column headings"});
        return result;
    }
    if (!readHeading()) {
        result.faults = std::move(faults_);
        return result;
    }
    nameDepartments();
    for (std::size_t row = 1; row < table_.rows.size(); ++row) importRow(row);
    if (rules_.appends && rowsOfDrugs_ == 0)
        fault(1, heading(heading_.number), "", "The library holds no drug: the drug page needs at least one");
    result.drugs = stored_;
    if (!faults_.empty()) {
        result.faults = std::move(faults_);
        return result;
    }
    editor_->click("Command10");  // Next: the Save page
    editor_->textEdited("Text29", macroName);
    editor_->click("Command11");  // Save
    result.written = editor_->visiblePage() == 1;
    if (!result.written) {
        result.error = editor_->form()["Label76"].text;
        if (result.error.empty()) result.error = "the editor did not save the library";
    }
    return result;
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
    const KindRules rules = rulesOf(kind);
    ScratchFolder folder;
    folder.put("macro" + sheetExtension(kind), macroBytes);
    const auto editor = makeEditor(kind, folder.path());
    editor->pick("File1", 0);
    editor->click("Command1");  // Open

    std::vector<int> drugs;
    std::vector<std::string> names(static_cast<std::size_t>(rules.departments) + 1);
    if (const auto* library = dynamic_cast<const druglib::DrugLibraryEditor*>(editor.get())) {
        for (int n = 1; n <= druglib::DrugCount; ++n)
            if (!isEmptySlot(library->library(), n)) drugs.push_back(n);
        // Names read from a file carry the padding of their line; the page shows them without it.
        for (int d = 1; d <= rules.departments; ++d)
            names[static_cast<std::size_t>(d)] = trimTrailingBlanks(library->library().DepartmentNames[d]);
    } else {
        const auto& entries = dynamic_cast<const druglib_us::OrrxUsaEditor&>(*editor).library();
        for (int n = 1; n <= entries.DrugCount; ++n) drugs.push_back(n);
        for (int d = 1; d <= rules.departments; ++d) names[static_cast<std::size_t>(d)] = entries.DepartmentName[d];
    }

    const Form& page = editor->form();
    std::vector<std::vector<std::string>> rows(1);
    rows[0].push_back(page["Label51"].text);
    for (const PageField& field : rules.fields) rows[0].push_back(page[field.label].text);
    for (int d = 1; d <= rules.departments; ++d)
        rows[0].push_back(departmentHeading(d, names[static_cast<std::size_t>(d)]));

    if (!drugs.empty()) editor->click("Command3");  // Next: the drug page
    for (const int n : drugs) {
        showDrug(*editor, n);
        std::vector<std::string> row{page["Label1"].text};
        for (const PageField& field : rules.fields) {
            const Control& control = page[field.control];
            const bool list = std::string_view(field.control).starts_with("Combo");
            row.push_back(!control.visible ? "" : list ? control.selectedText() : control.text);
        }
        for (int d = 1; d <= rules.departments; ++d)
            row.push_back(d <= rules.enabledDepartments && page[checkBox(d)].checked ? "x" : "");
        rows.push_back(std::move(row));
    }
    return {writeCsv(rows), static_cast<int>(drugs.size())};
}

SheetImport importSheet(SheetKind kind, const CsvTable& table, const std::filesystem::path& folder,
                        const std::string& macroName) {
    Importer importer(kind, table, folder);
    return importer.run(macroName);
}

}  // namespace mc::cli
