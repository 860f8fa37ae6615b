#include "protocols/core/setting_page.hpp"

#include <algorithm>
#include <optional>

#include "protocols/core/editor_description.hpp"
#include "shell/core/number_text.hpp"

namespace mc::protocols {
namespace {

const std::vector<std::string> AccessLevels{"No Code", "Level One", "Level Two", "Level Three"};
const std::vector<std::string> HandsetKeyTypes{"Normaly open switch", "Code switch"};
const std::vector<std::string> SwitchChoices{"OFF", "ON"};
const std::vector<std::string> LimitsSettingChoices{"Volume", "Boluses"};
const std::vector<std::string> PressureLevels{"Low", "Normal", "High"};

SettingRow typed(int number, int label, std::string caption, std::string control, int maxLength,
                 std::string unitLabel = {}, std::string unit = {}) {
    // The codes are whole numbers without a unit; the other boxes hold a value in their unit.
    const FieldKind kind = unitLabel.empty() ? FieldKind::Text : FieldKind::Number;
    return {{std::move(control), kind, std::move(caption), "Label" + std::to_string(label), maxLength,
             std::move(unitLabel)},
            number, SettingKind::Typed, {}, std::move(unit)};
}

SettingRow choice(int number, int label, std::string caption, std::string control, std::vector<std::string> items,
                  SettingKind kind = SettingKind::Position, std::string unitLabel = {}, std::string unit = {}) {
    return {{std::move(control), FieldKind::Choice, std::move(caption), "Label" + std::to_string(label), 0,
             std::move(unitLabel)},
            number, kind, std::move(items), std::move(unit)};
}

std::vector<SettingRow> rowsOf(Variant variant) {
    std::vector<SettingRow> rows{
        typed(1, 1, "Technician Code", "Text1", 6),
        typed(2, 2, "Level One Code", "Text2", 6),
        typed(4, 3, "Level Three Code", "Text3", 6),
        typed(3, 4, "Level Two Code", "Text4", 6),
        choice(5, 5, "Resume Access", "Combo1", AccessLevels),
        choice(6, 6, "Menu Access", "Combo2", AccessLevels),
        choice(7, 7, "Select Protocol Access", "Combo3", AccessLevels),
        choice(8, 8, "Modify Protocol Access", "Combo4", AccessLevels),
        choice(9, 9, "Bolus and Lockout Access", "Combo5", AccessLevels),
        choice(10, 10, "Rate Titration Access", "Combo6", AccessLevels),
        choice(11, 11, "Clinician Bolus Access", "Combo7", AccessLevels),
        choice(12, 12, "Change Set Up Access", "Combo8", AccessLevels),
        choice(13, 13, "Handset Key Type", "Combo9", HandsetKeyTypes),
        typed(14, 14, "Minimum Pressing time", "Text5", 4, "Label50", "seconds"),
        typed(15, 15, "Maximum Pressing time", "Text6", 4, "Label49", "seconds"),
        typed(16, 16, "Minimum Interval time", "Text7", 4, "Label48", "seconds"),
        choice(17, 17, "Auto-bolus", "Combo10", SwitchChoices),
        variant == Variant::Rx ? typed(18, 18, "Pressure Level", "Text31", 4, "Label35", "mmHg")
                               : choice(18, 18, "Pressure Level", "Combo11", PressureLevels),
        choice(19, 19, "LED Indicator", "Combo12", SwitchChoices),
        choice(20, 20, "Bolus Titration", "Combo13", SwitchChoices),
        typed(21, 21, "Air-in-Line Limit", "Text8", 4, "Label47", "mL"),
        typed(22, 22, "Priming Volume", "Text9", 4, "Label46", "mL"),
        typed(23, 23, "Priming Rate", "Text10", 4, "Label45", "mL/hr"),
        typed(24, 24, "Bolus Rate", "Text11", 4, "Label44", "mL/hr"),
        typed(25, 25, "KVO Rate", "Text12", 3, "Label43", "mL/hr"),
        typed(26, 26, "Maximum Basal Rate", "Text13", 4, "Label42", "mL/hr"),
        choice(27, 27, "Keystroke Volume", "Combo14", {"1", "2", "3", "4", "5", "6", "7"}, SettingKind::ChosenText),
        choice(28, 28, "Alarm Sound Volume", "Combo15", {"2", "3", "4", "5", "6", "7"}, SettingKind::ChosenText),
        choice(29, 29, "Allow Dosavia", "Combo16", SwitchChoices),
        choice(30, 30, "Limits Setting", "Combo17", LimitsSettingChoices),
        choice(31, 31, "Limit Period", "Combo18", {"0", "1", "4", "24"}, SettingKind::ChosenText, "Label41", "hours"),
        typed(32, 32, "Max. Clinician Bolus", "Text14", 4, "Label40", "mL"),
        typed(33, 33, "Minimum Lock Out", "Text15", 3, "Label39", "minutes"),
        typed(34, 34, "Info screen duration", "Text16", 3, "Label38", "seconds"),
    };
    if (variant == Variant::Kt) rows.push_back(typed(35, 35, "Backlight duration", "Text17", 3, "Label37", "seconds"));
    return rows;
}

// ---- the rules ---------------------------------------------------------------

enum class Test { Above, Below, NotWholeAt };
enum class ModeNeed { Any, Pca, Epidural, NotEpidural };

struct Condition {
    Test test;
    const char* limit;    // for Above / Below
    int scale;            // for NotWholeAt: decimals allowed (-1: tens)
    ModeNeed need;
    std::string message;  // "" when the condition accepts the value
};

struct Rule {
    std::string control;
    std::string entered;  // "must be entered" / "must be selected"
    std::string numbers;  // "" for a choice
    bool integer = false; // judged by ToIntegerVal
    std::vector<Condition> conditions;
};

Condition above(const char* limit, std::string message, ModeNeed need = ModeNeed::Any) {
    return {Test::Above, limit, 0, need, std::move(message)};
}
Condition below(const char* limit, std::string message, ModeNeed need = ModeNeed::Any) {
    return {Test::Below, limit, 0, need, std::move(message)};
}
Condition resolution(int scale, std::string message) {
    return {Test::NotWholeAt, nullptr, scale, ModeNeed::Any, std::move(message)};
}

Rule code(const std::string& control, const std::string& name) {
    return {control, name + " must be entered", name + " must be numbers only", true, {}};
}
Rule selected(const std::string& control, const std::string& name) {
    return {control, name + " must be selected", "", false, {}};
}
Rule number(const std::string& control, const std::string& name, std::vector<Condition> conditions,
            bool integer = false) {
    return {control, name + " must be entered", name + " must be numbers only", integer, std::move(conditions)};
}

std::vector<Rule> rulesOf(const EditorDescription& d) {
    std::vector<Rule> rules{
        code("Text1", "Technician Code"),
        code("Text2", "Level One Code"),
        code("Text3", "Level Three Code"),
        code("Text4", "Level Two Code"),
        selected("Combo1", "Resume Access"),
        selected("Combo2", "Menu Access"),
        selected("Combo3", "Select Protocol Accass"),
        selected("Combo4", "Modify Protocol Access"),
        selected("Combo5", "Patient Bolus Titration"),
        selected("Combo6", "Basal Rate Titration"),
        selected("Combo7", "Clinician Bolus Access"),
        selected("Combo8", "Change Set Up Access"),
        selected("Combo9", "Handset Key Type"),
        number("Text5", "Minimum Pressing time",
               {above("0.3", "Minimum Pressing time must be < 0.3 second"),
                below("0.04", "Minimum Pressing time must be > 0.04 second"),
                resolution(2, "Minimum Pressing time must be in 0.02 second resolution")}),
        number("Text6", "Maximum Pressing time",
               {above("5", "Maximum Pressing time must be < 5 second"),
                below("1.5", "Maximum Pressing time must be > 1.5 second"),
                resolution(2, "Maximum Pressing time must be in 0.02 second resolution")}),
        number("Text7", "Minimum Interval time",
               {above("5", "Minimum Interval time must be < 5 second"),
                below("0.1", "Minimum Interval time must be > 0.1 second"),
                resolution(2, "Minimum Interval time must be in 0.02 second resolution")}),
        selected("Combo10", "Auto-bolus"),
    };
    if (d.pressureIsChoice) {
        rules.push_back(selected("Combo11", "Pressure Level"));
    } else {
        Rule pressure = number("Text31", "Pressure Level",
                               {above("1100", "Pressure Level must be <= 1100 mmHg", ModeNeed::Epidural),
                                above("520", "Pressure Level must be <= 520 mmHg", ModeNeed::NotEpidural),
                                above("520", ""),
                                below("350", "Pressure Level must be >= 350 mmHg", ModeNeed::Epidural),
                                below("250", "Pressure Level must be >= 250 mmHg"),
                                below("350", ""),
                                resolution(-1, "Pressure Level must be in 10 mmHg resolution")});
        pressure.entered = "Pressure Level must be selected";
        rules.push_back(pressure);
    }
    const std::vector<Rule> rest{
        selected("Combo12", "LED Indicator"),
        selected("Combo13", "Bolus Titrations"),
        number("Text8", "Air-in-Line Limit",
               {above("1", d.airInLineAbove), below("0.04", d.airInLineBelow),
                resolution(2, "Air-in-Line Limit must be in 0.01 mL resolution")}),
        number("Text9", "Priming Volume",
               {above("20", "Priming Volume must be < 20 mL"),
                resolution(1, "Priming Volume must be in 0.1 mL resolution")},
               true),
        number("Text10", "Priming Rate",
               {above("425", d.primingRateAbove), below("300", d.primingRateBelow),
                resolution(1, "Priming Rate must be in 0.1 mL/hr resolution")}),
        number("Text11", "Bolus Rate",
               {above("1000", "Bolus Rate must be <= 1000 mL/hr"), below("40", "Bolus Rate must be >= 40 mL/hr"),
                resolution(1, "Bolus Rate must be in 0.1 mL/hr resolution")}),
        number("Text12", "KVO Rate",
               {above("5", "KVO Rate must be <= 5 mL/hr"), below("0", "KVO Rate must be >= 0 mL/hr"),
                resolution(1, "KVO Rate must be in 0.1 mL/hr resolution")}),
        number("Text13", "Maximum Basal Rate",
               {above("30", "Maximum Basal Rate must be <= 30 mL/hr", ModeNeed::Epidural),
                above("100", "Maximum Basal Rate must be <= 100 mL/hr", ModeNeed::Pca), above("30", ""),
                below("0", "Maximum Basal Rate must be >= 0 mL/hr"),
                resolution(1, "Maximum Basal Rate must be in 0.1 mL/hr resolution")}),
        number("Text14", "Max. Clinician Bolus",
               {above("20", "Max. Clinician Bolus must be <= 20 mL"),
                below("0", "Max. Clinician Bolus must be >= 0 mL"),
                resolution(1, "Max. Clinician Bolus must be in 0.1 mL resolution")}),
        number("Text15", "Minimum Lock Out",
               {above("255", "Minimum Lock Out must be <= 255 minutes"),
                below("0", "Minimum Lock Out must be >= 0 minute"),
                resolution(0, "Minimum Lock Out must be in 1 minute resolution")}),
        number("Text16", "Info screen duration",
               {above("255", "Info screen duration must be <= 255 seconds"),
                below("1", "Info screen duration must be >= 1 second"),
                resolution(0, "Info screen duration must be in 1 second resolution")}),
    };
    rules.insert(rules.end(), rest.begin(), rest.end());
    if (d.hasBacklight)
        rules.push_back(number("Text17", "Backlight duration",
                               {above("255", "Backlight duration must be <= 255 seconds"),
                                below("0", "Backlight duration must be >= 0 second"),
                                resolution(0, "Backlight duration must be in 1 second resolution")}));
    return rules;
}

bool modeMeets(ModeNeed need, PumpMode mode) {
    switch (need) {
    case ModeNeed::Any: return true;
    case ModeNeed::Pca: return mode == PumpMode::Pca;
    case ModeNeed::Epidural: return mode == PumpMode::Epidural;
    case ModeNeed::NotEpidural: return mode != PumpMode::Epidural;
    }
    return false;
}

bool holds(const Condition& condition, const Decimal& v, PumpMode mode) {
    if (!modeMeets(condition.need, mode)) return false;
    switch (condition.test) {
    case Test::Above: return v > Decimal::of(condition.limit);
    case Test::Below: return v < Decimal::of(condition.limit);
    case Test::NotWholeAt: return !v.isWholeAt(condition.scale);
    }
    return false;
}

// The item a choice shows for a stored value; "" for none.
std::string shownChoice(const SettingRow& row, const std::string& stored) {
    if (row.kind == SettingKind::ChosenText)
        return std::find(row.items.begin(), row.items.end(), stored) != row.items.end() ? stored : std::string();
    const auto position = Decimal::parse(stored, NumberFormat{});
    if (!position || !position->isWholeAt(0) || position->isNegative()) return {};
    const auto index = position->roundedAt(0);
    return index < static_cast<std::int64_t>(row.items.size()) ? row.items[static_cast<std::size_t>(index)]
                                                               : std::string();
}

const std::vector<Rule>& rulesFor(Variant variant) {
    static const std::vector<Rule> rx = rulesOf(describe(Variant::Rx));
    static const std::vector<Rule> kt = rulesOf(describe(Variant::Kt));
    return variant == Variant::Rx ? rx : kt;
}

const SettingRow& rowOf(Variant variant, const std::string& control) {
    const auto& rows = settingRows(variant);
    return *std::find_if(rows.begin(), rows.end(), [&](const SettingRow& row) { return row.field.control == control; });
}

// What a rule says against the field's text: first whether it is there and a
// number, then (when `ranges`) its range and resolution in `mode`.
std::optional<std::string> judge(const Rule& rule, const std::string& text, PumpMode mode, const NumberFormat& format,
                                 bool ranges) {
    if (text.empty()) return rule.entered;
    if (rule.numbers.empty()) return std::nullopt;  // a list: chosen is all it needs
    if (!(rule.integer ? ToIntegerVal(text, format) : ToFloatVal(text, format))) return rule.numbers;
    if (!ranges) return std::nullopt;
    const Decimal v = *Decimal::parse(text, format);
    for (const Condition& condition : rule.conditions) {
        if (!holds(condition, v, mode)) continue;
        if (!condition.message.empty()) return condition.message;
        break;
    }
    return std::nullopt;
}

// `alone`: each field judged as if every other held; else as the page's "OK"
// judges, ranges only while nothing has failed.
FieldMessages check(const SettingPage& page, Variant variant, PumpMode mode, const NumberFormat& format, bool alone) {
    FieldMessages found;
    for (const Rule& rule : rulesFor(variant)) {
        const std::string& text = page[rowOf(variant, rule.control).number];
        if (auto message = judge(rule, text, mode, format, alone || found.empty()))
            found.push_back({rule.control, std::move(*message)});
    }
    return found;
}

}  // namespace

const std::vector<SettingRow>& settingRows(Variant variant) {
    static const std::vector<SettingRow> rx = rowsOf(Variant::Rx);
    static const std::vector<SettingRow> kt = rowsOf(Variant::Kt);
    return variant == Variant::Rx ? rx : kt;
}

const PageTable& settingPageTable(Variant variant) {
    static const PageTable rx = fieldsOf(settingRows(Variant::Rx));
    static const PageTable kt = fieldsOf(settingRows(Variant::Kt));
    return variant == Variant::Rx ? rx : kt;
}

SettingPage shownSettings(const ProtocolMacro& macro, Variant variant) {
    SettingPage page;
    for (const SettingRow& row : settingRows(variant)) {
        const std::string& stored = macro.PumpSettings[row.number];
        page[row.number] = row.kind == SettingKind::Typed ? stored : shownChoice(row, stored);
    }
    return page;
}

FieldMessages checkSettings(const SettingPage& page, Variant variant, PumpMode mode, const NumberFormat& format) {
    return check(page, variant, mode, format, false);
}

FieldMessages checkEachSetting(const SettingPage& page, Variant variant, PumpMode mode, const NumberFormat& format) {
    return check(page, variant, mode, format, true);
}

void storeSettings(ProtocolMacro& macro, const SettingPage& page, Variant variant) {
    for (const SettingRow& row : settingRows(variant)) {
        const std::string& shown = page[row.number];
        std::string& stored = macro.PumpSettings[row.number];
        const auto item = std::find(row.items.begin(), row.items.end(), shown);
        switch (row.kind) {
        case SettingKind::Typed:
            stored = shown;
            break;
        case SettingKind::Position:
            if (item != row.items.end()) stored = std::to_string(item - row.items.begin());
            break;
        case SettingKind::ChosenText:
            // "Limit Period" takes the list's text even when nothing is chosen.
            if (item != row.items.end() || row.number == 31) stored = shown;
            break;
        }
    }
}

std::vector<std::pair<std::string, std::string>> shownFields(const SettingPage& page, Variant variant) {
    std::vector<std::pair<std::string, std::string>> fields;
    for (const SettingRow& row : settingRows(variant)) {
        std::string value = page[row.number];
        // An unchosen list shows nothing after its caption, not even its unit.
        if (!row.unit.empty() && !(row.field.kind == FieldKind::Choice && value.empty())) value += " " + row.unit;
        fields.emplace_back(row.field.caption, std::move(value));
    }
    return fields;
}

}  // namespace mc::protocols
