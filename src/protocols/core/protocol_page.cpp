#include "protocols/core/protocol_page.hpp"

#include <algorithm>

#include "protocols/core/editor_description.hpp"
#include "shell/core/text.hpp"

namespace mc::protocols {
namespace {

const std::vector<std::string> DosaviaChoices{"OFF", "ON"};
const std::vector<std::string> ConcentrationUnits{"mL Only", "mg/mL", "mcg/mL"};
const std::vector<std::string> BolusTypes{"Patient Bolus", "Auto-bolus"};

std::vector<ProtocolRow> rowsOf(const EditorDescription& d) {
    using P = ProtocolPage;
    auto number = [](const char* control, const char* caption, int label, int maxLength, std::string P::*value,
                     int unitLabel = 0, const char* unit = "") {
        return ProtocolRow{{control, FieldKind::Number, caption, "Label" + std::to_string(label), maxLength,
                            unitLabel ? "Label" + std::to_string(unitLabel) : ""},
                           value, {}, unit};
    };
    auto list = [](const char* control, const char* caption, int label, std::string P::*value,
                   std::vector<std::string> items) {
        return ProtocolRow{{control, FieldKind::Choice, caption, "Label" + std::to_string(label), 0, ""},
                           value, std::move(items), ""};
    };
    std::vector<ProtocolRow> rows{
        list("Combo19", "Protocol", 51, nullptr, {}),  // its entries are the protocols
        {{"Text18", FieldKind::Text, "Drug Name", "Label52", d.nameMaxLength, ""}, &P::name, {}, ""},
    };
    // The second name line has no caption of its own on the page.
    if (d.hasSecondNameLine)
        rows.push_back({{"Text17", FieldKind::Text, "Drug Name, second line", "", 20, ""}, &P::secondName, {}, ""});
    const std::vector<ProtocolRow> rest{
        list("Combo20", "Dosavia", 53, &P::dosavia, DosaviaChoices),
        number("Text19", "Min. Patient weight", 54, 3, &P::minWeight, 73, "kg"),
        number("Text20", "Max. Patient weight", 55, 3, &P::maxWeight, 72, "kg"),
        number("Text21", "Bag Volume", 56, 4, &P::bagVolume, 71, "mL"),
        number("Text22", "Concentration", 57, 3, &P::concentration),
        {{"Combo21", FieldKind::Choice, "Concentration Units", "", 0, ""}, &P::concentrationUnit, ConcentrationUnits,
         "", true},
        number("Text23", "Initial Rate", 58, 5, &P::initialRate, 70, "mL/hr"),
        number("Text24", "Titration Limit", 59, 5, &P::titrationLimit, 69, "mL/hr"),
        list("Combo22", "Bolus Type", 60, &P::bolusType, BolusTypes),
        number("Text25", "Bolus Dose", 61, 5, &P::bolusDose, 68, "mL"),
        number("Text26", "Maximum Bolus", 62, 5, &P::maxBolus, 67, "mL"),
        number("Text27", "Lockout Time", 63, 3, &P::lockoutTime, 66, "Minutes"),
        number("Text28", "Limit", 64, 5, &P::limit, 65, "ml/h/kg"),
    };
    rows.insert(rows.end(), rest.begin(), rest.end());
    return rows;
}

const ProtocolRow& rowOf(const std::string& control) {
    const auto& rows = protocolRows(Variant::Rx);
    return *std::find_if(rows.begin(), rows.end(),
                         [&](const ProtocolRow& row) { return row.field.control == control; });
}

bool isItem(const std::vector<std::string>& items, const std::string& text) {
    return std::find(items.begin(), items.end(), text) != items.end();
}

// The five values kept in volume units, in page order, on the page and in the macro.
constexpr std::string ProtocolPage::*VolumeValues[] = {&ProtocolPage::initialRate, &ProtocolPage::titrationLimit,
                                                       &ProtocolPage::bolusDose, &ProtocolPage::maxBolus,
                                                       &ProtocolPage::limit};
constexpr Table<std::string, ProtocolCount> ProtocolMacro::*StoredVolumes[] = {
    &ProtocolMacro::ProtocolInitialRate, &ProtocolMacro::ProtocolTitrationLimit, &ProtocolMacro::ProtocolBolusDose,
    &ProtocolMacro::ProtocolMaxBolus, &ProtocolMacro::ProtocolLimit};

void emptyVolumeValues(ProtocolPage& page) {
    for (auto value : VolumeValues) (page.*value).clear();
}

}  // namespace

const std::vector<ProtocolRow>& protocolRows(Variant variant) {
    static const std::vector<ProtocolRow> rx = rowsOf(describe(Variant::Rx));
    static const std::vector<ProtocolRow> kt = rowsOf(describe(Variant::Kt));
    return variant == Variant::Rx ? rx : kt;
}

const PageTable& protocolPageTable(Variant variant) {
    static const PageTable rx = fieldsOf(protocolRows(Variant::Rx));
    static const PageTable kt = fieldsOf(protocolRows(Variant::Kt));
    return variant == Variant::Rx ? rx : kt;
}

ProtocolUnits firstProtocolUnits() { return {rowOf("Text23").unit, rowOf("Text25").unit, rowOf("Text28").unit}; }

const std::string& unitCaption(const ProtocolRow& row, const ProtocolUnits& units) {
    const std::string& label = row.field.unitLabel;
    if (label == "Label70" || label == "Label69") return units.rate;
    if (label == "Label68" || label == "Label67") return units.dose;
    if (label == "Label65") return units.limit;
    return row.unit;  // the weights, the bag volume and the lockout keep theirs
}

std::optional<ProtocolUnits> unitsOf(const ProtocolPage& page) {
    const auto unit = std::find(ConcentrationUnits.begin(), ConcentrationUnits.end(), page.concentrationUnit);
    if (!isItem(DosaviaChoices, page.dosavia) || unit == ConcentrationUnits.end()) return std::nullopt;
    static const char* const drugs[] = {"mL", "mg", "mcg"};
    const std::string perKg = page.dosavia == "ON" ? "/kg" : "";
    const std::string amount = drugs[unit - ConcentrationUnits.begin()] + perKg;
    return ProtocolUnits{amount + "/hr", amount, amount + "/hr"};
}

std::vector<std::string> protocolList(const ProtocolMacro& macro) {
    std::vector<std::string> entries;
    for (int k = 1; k <= ProtocolCount; ++k) entries.push_back(protocolLetter(k) + (":" + macro.ProtocolDrugName[k]));
    return entries;
}

ProtocolPage shownProtocol(const ProtocolMacro& macro, int n, Variant variant, const NumberFormat& format) {
    ProtocolPage page;
    const std::string& name = macro.ProtocolDrugName[n];
    if (describe(variant).hasSecondNameLine) {
        page.name = name.substr(0, 20);
        page.secondName = name.size() > 20 ? name.substr(20) : std::string();
    } else {
        page.name = name;
    }
    const bool dosavia = macro.ProtocolDosavia[n] == "1";
    page.dosavia = dosavia ? "ON" : "OFF";
    const int d = dosavia ? 3 : 1;
    page.minWeight = macro.ProtocolMinWeight[n];
    page.maxWeight = macro.ProtocolMaxWeight[n];
    page.bagVolume = macro.ProtocolBagVolume[n];

    // A protocol without a unit shows none, never the unit of the one shown before.
    const std::string& unit = macro.ProtocolConcUnit[n];
    const bool drugUnit = unit == "1" || unit == "2";
    page.concentrationUnit = unit == "0" ? ConcentrationUnits[0]
                             : drugUnit  ? ConcentrationUnits[unit == "1" ? 1 : 2]
                                         : "";
    page.concentration = macro.ProtocolConcentration[n];
    // No box holds numbers this long; a damaged file's endless digits are not multiplied out.
    constexpr std::size_t longest = 1000;
    const bool sensible = page.concentration.size() <= longest;
    const auto c = unit == "0" ? std::optional<Decimal>(Decimal::of("1")) : Decimal::parse(page.concentration, format);
    for (std::size_t i = 0; i < std::size(StoredVolumes); ++i) {
        const std::string& stored = (macro.*StoredVolumes[i])[n];
        const auto value = sensible && stored.size() <= longest ? Decimal::parse(stored, format) : std::nullopt;
        std::string& shown = page.*VolumeValues[i];
        if (!value) shown.clear();
        else if (unit == "0") shown = stored;
        // The exact drug amount: d decimals, or more where the volume value needs them.
        else if (c && drugUnit) shown = value->times(*c).exactText(d, format);
        else shown.clear();
    }
    page.bolusType = BolusTypes[macro.ProtocolBolusType[n] == "1" ? 1 : 0];
    page.lockoutTime = macro.ProtocolLockoutTime[n];
    return page;
}

void chooseDosavia(ProtocolPage& page, const std::string& shown) {
    page.dosavia = shown;
    emptyVolumeValues(page);
}

void chooseConcentrationUnit(ProtocolPage& page, const std::string& shown) {
    page.concentrationUnit = shown;
    emptyVolumeValues(page);
}

void storeProtocol(ProtocolMacro& macro, int n, const ProtocolPage& page, Variant variant, const NumberFormat& format) {
    macro.ProtocolDrugName[n] = describe(variant).hasSecondNameLine && !page.secondName.empty()
                                    ? padRight(page.name, 20) + page.secondName
                                    : page.name;
    const bool dosavia = page.dosavia == "ON";
    macro.ProtocolDosavia[n] = dosavia ? "1" : "0";
    const int d = dosavia ? 3 : 1;
    macro.ProtocolMinWeight[n] = page.minWeight;
    macro.ProtocolMaxWeight[n] = page.maxWeight;
    macro.ProtocolBagVolume[n] = page.bagVolume;

    const auto unit = std::find(ConcentrationUnits.begin(), ConcentrationUnits.end(), page.concentrationUnit);
    const bool mlOnly = unit == ConcentrationUnits.begin();
    macro.ProtocolConcUnit[n] = std::to_string(unit - ConcentrationUnits.begin());
    macro.ProtocolConcentration[n] = mlOnly ? std::string() : page.concentration;
    const auto c = mlOnly ? std::optional<Decimal>(Decimal::of("1")) : Decimal::parse(page.concentration, format);
    for (std::size_t i = 0; i < std::size(StoredVolumes); ++i) {
        // Exact: the rules have let through only values whose volume has d decimals.
        const auto typed = Decimal::parse(page.*VolumeValues[i], format);
        const auto volume = typed && c ? typed->dividedBy(*c, d) : std::nullopt;
        if (volume) (macro.*StoredVolumes[i])[n] = volume->rounded.text(d, format);
    }
    macro.ProtocolBolusType[n] = page.bolusType == "Auto-bolus" ? "1" : "0";
    macro.ProtocolLockoutTime[n] = page.lockoutTime;
}

std::vector<std::pair<std::string, std::string>> shownFields(const ProtocolPage& page, int n, Variant variant,
                                                             const ProtocolUnits& units) {
    std::vector<std::pair<std::string, std::string>> fields;
    for (const ProtocolRow& row : protocolRows(variant)) {
        const std::string& control = row.field.control;
        // A line without a caption label prints no caption (the second name line).
        const std::string caption = row.field.captionLabel.empty() ? "" : row.field.caption;
        if (control == "Combo19") {
            fields.emplace_back(caption, protocolLetter(n) + std::string(":"));
        } else if (control == "Text22") {
            // The concentration with its unit beside it; "mL Only" alone; nothing without a unit.
            if (page.concentrationUnit == ConcentrationUnits[0])
                fields.emplace_back(caption, page.concentrationUnit);
            else if (isItem(ConcentrationUnits, page.concentrationUnit))
                fields.emplace_back(caption, page.concentration + " " + page.concentrationUnit);
        } else if (!row.besidePrevious) {
            std::string value = page.*row.value;
            if (!row.field.unitLabel.empty()) value += " " + unitCaption(row, units);
            fields.emplace_back(caption, std::move(value));
        }
    }
    return fields;
}

}  // namespace mc::protocols
