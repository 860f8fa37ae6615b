#include "protocols/core/protocol_page.hpp"

#include <algorithm>

#include "shell/core/text.hpp"

namespace mc::protocols {
namespace {

const std::vector<std::string> DosaviaChoices{"OFF", "ON"};
const std::vector<std::string> ConcentrationUnits{"mL Only", "mg/mL", "mcg/mL"};
const std::vector<std::string> BolusTypes{"Patient Bolus", "Auto-bolus"};

std::vector<ProtocolRow> rowsOf(const EditorDescription& d) {
    std::vector<ProtocolRow> rows{
        {"Label51", "Protocol", "Combo19", "", "", "", 0},
        {"Label52", "Drug Name", "Text18", "", "", "", d.nameMaxLength},
    };
    if (d.hasSecondNameLine) rows.push_back({"", "", "Text17", "", "", "", 20});
    const std::vector<ProtocolRow> rest{
        {"Label53", "Dosavia", "Combo20", "", "", "", 0},
        {"Label54", "Min. Patient weight", "Text19", "", "Label73", "kg", 3},
        {"Label55", "Max. Patient weight", "Text20", "", "Label72", "kg", 3},
        {"Label56", "Bag Volume", "Text21", "", "Label71", "mL", 4},
        {"Label57", "Concentration", "Text22", "Combo21", "", "", 3},
        {"Label58", "Initial Rate", "Text23", "", "Label70", "mL/hr", 5},
        {"Label59", "Titration Limit", "Text24", "", "Label69", "mL/hr", 5},
        {"Label60", "Bolus Type", "Combo22", "", "", "", 0},
        {"Label61", "Bolus Dose", "Text25", "", "Label68", "mL", 5},
        {"Label62", "Maximum Bolus", "Text26", "", "Label67", "mL", 5},
        {"Label63", "Lockout Time", "Text27", "", "Label66", "Minutes", 3},
        {"Label64", "Limit", "Text28", "", "Label65", "ml/h/kg", 5},
    };
    rows.insert(rows.end(), rest.begin(), rest.end());
    return rows;
}

int indexOf(const std::vector<std::string>& items, const std::string& text) {
    const auto it = std::find(items.begin(), items.end(), text);
    return it == items.end() ? -1 : static_cast<int>(it - items.begin());
}

std::string entryOf(const ProtocolMacro& macro, int k) {
    return std::string(1, protocolLetter(k)) + ":" + macro.ProtocolDrugName[k];
}

}  // namespace

const std::vector<ProtocolRow>& protocolRows(Variant variant) {
    static const std::vector<ProtocolRow> rx = rowsOf(describe(Variant::Rx));
    static const std::vector<ProtocolRow> kt = rowsOf(describe(Variant::Kt));
    return variant == Variant::Rx ? rx : kt;
}

void ProtocolPage::addControls(Form& form) const {
    for (const ProtocolRow& row : protocolRows(description_.variant)) {
        if (!row.captionLabel.empty()) form.add(row.captionLabel).text = row.caption;
        Control& control = form.add(row.control);
        control.maxLength = row.maxLength;
        // A typed value in its unit (the concentration's unit is a list beside it).
        control.numeric = row.control.starts_with("Text") && (!row.unitLabel.empty() || !row.secondControl.empty());
        if (!row.secondControl.empty()) form.add(row.secondControl);
        if (!row.unitLabel.empty()) form.add(row.unitLabel).text = row.unit;
    }
}

bool ProtocolPage::isTypedField(const std::string& control) const {
    if (control == "Text17") return false;  // the second name line alone does not modify the page
    const auto& rows = protocolRows(description_.variant);
    return control.starts_with("Text") &&
           std::any_of(rows.begin(), rows.end(), [&](const ProtocolRow& row) { return row.control == control; });
}

void ProtocolPage::ActProtocol_Restore(Form& form, const ProtocolMacro& macro, int n,
                                       const NumberFormat& format) const {
    Control& list = form["Combo19"];
    list.items.clear();
    for (int k = 1; k <= ProtocolCount; ++k) list.items.push_back(entryOf(macro, k));
    list.selected = n - 1;

    const std::string& name = macro.ProtocolDrugName[n];
    if (description_.hasSecondNameLine) {
        form["Text18"].text = name.substr(0, 20);
        form["Text17"].text = name.size() > 20 ? name.substr(20) : std::string();
    } else {
        form["Text18"].text = name;
    }

    const bool dosavia = macro.ProtocolDosavia[n] == "1";
    form["Combo20"].items = DosaviaChoices;
    form["Combo20"].selected = dosavia ? 1 : 0;
    const int d = dosavia ? 3 : 1;

    form["Text19"].text = macro.ProtocolMinWeight[n];
    form["Text20"].text = macro.ProtocolMaxWeight[n];
    form["Text21"].text = macro.ProtocolBagVolume[n];

    // A protocol without a unit shows none, never the unit of the one shown before.
    const std::string& unit = macro.ProtocolConcUnit[n];
    form["Combo21"].items = ConcentrationUnits;
    form["Combo21"].selected = unit == "0" ? 0 : unit == "1" ? 1 : unit == "2" ? 2 : -1;
    const auto c = unit == "0" ? std::optional<Decimal>(Decimal::of("1"))
                               : Decimal::parse(macro.ProtocolConcentration[n], format);
    form["Text22"].text = macro.ProtocolConcentration[n];

    const std::string* stored[] = {&macro.ProtocolInitialRate[n], &macro.ProtocolTitrationLimit[n],
                                   &macro.ProtocolBolusDose[n], &macro.ProtocolMaxBolus[n], &macro.ProtocolLimit[n]};
    // No box holds numbers this long; a damaged file's endless digits are not multiplied out.
    constexpr std::size_t longest = 1000;
    const bool sensible = macro.ProtocolConcentration[n].size() <= longest;
    for (std::size_t i = 0; i < std::size(VolumeFields); ++i) {
        const auto value = sensible && stored[i]->size() <= longest ? Decimal::parse(*stored[i], format)
                                                                    : std::nullopt;
        std::string& shown = form[VolumeFields[i]].text;
        if (!value) shown.clear();
        else if (unit == "0") shown = *stored[i];
        // The exact drug amount: d decimals, or more where the volume value needs them.
        else if (c && (unit == "1" || unit == "2")) shown = value->times(*c).exactText(d, format);
        else shown.clear();
    }

    form["Combo22"].items = BolusTypes;
    form["Combo22"].selected = macro.ProtocolBolusType[n] == "1" ? 1 : 0;
    form["Text27"].text = macro.ProtocolLockoutTime[n];
    Protocol_Units(form);
}

void ProtocolPage::Protocol_Units(Form& form) const {
    const int dosavia = indexOf(DosaviaChoices, form["Combo20"].selectedText());
    const int unit = indexOf(ConcentrationUnits, form["Combo21"].selectedText());
    if (dosavia < 0 || unit < 0) return;
    static const char* const drugs[] = {"mL", "mg", "mcg"};
    const std::string amount = std::string(drugs[unit]) + (dosavia == 1 ? "/kg" : "");
    for (const char* rate : {"Label70", "Label69", "Label65"}) form[rate].text = amount + "/hr";
    for (const char* dose : {"Label68", "Label67"}) form[dose].text = amount;
}

void ProtocolPage::unitsChanged(Form& form) const {
    for (const char* field : VolumeFields) form[field].text.clear();
    Protocol_Units(form);
}

void ProtocolPage::store(const Form& form, ProtocolMacro& macro, int n, const NumberFormat& format) const {
    std::string name = form["Text18"].text;
    if (description_.hasSecondNameLine && !form["Text17"].text.empty())
        name = padRight(name, 20) + form["Text17"].text;
    macro.ProtocolDrugName[n] = name;

    const bool dosavia = form["Combo20"].selectedText() == "ON";
    macro.ProtocolDosavia[n] = dosavia ? "1" : "0";
    const int d = dosavia ? 3 : 1;
    macro.ProtocolMinWeight[n] = form["Text19"].text;
    macro.ProtocolMaxWeight[n] = form["Text20"].text;
    macro.ProtocolBagVolume[n] = form["Text21"].text;

    const int unit = indexOf(ConcentrationUnits, form["Combo21"].selectedText());
    macro.ProtocolConcUnit[n] = std::to_string(unit);
    macro.ProtocolConcentration[n] = unit == 0 ? std::string() : form["Text22"].text;
    const auto c = unit == 0 ? std::optional<Decimal>(Decimal::of("1")) : Decimal::parse(form["Text22"].text, format);

    std::string* stored[] = {&macro.ProtocolInitialRate[n], &macro.ProtocolTitrationLimit[n],
                             &macro.ProtocolBolusDose[n], &macro.ProtocolMaxBolus[n], &macro.ProtocolLimit[n]};
    for (std::size_t i = 0; i < std::size(VolumeFields); ++i) {
        const auto typed = Decimal::parse(form[VolumeFields[i]].text, format);
        const auto volume = typed && c ? typed->dividedBy(*c, d) : std::nullopt;
        if (volume) *stored[i] = volume->rounded.text(d, format);
    }
    macro.ProtocolBolusType[n] = form["Combo22"].selectedText() == "Auto-bolus" ? "1" : "0";
    macro.ProtocolLockoutTime[n] = form["Text27"].text;
}

}  // namespace mc::protocols
