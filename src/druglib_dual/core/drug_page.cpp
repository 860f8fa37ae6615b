#include "druglib_dual/core/drug_page.hpp"

#include "druglib_dual/core/limit_codes.hpp"
#include "druglib_dual/core/unit_codes.hpp"
#include "shell/core/text.hpp"

namespace mc::druglib {
namespace {

constexpr int MlOnly = 7;

PageTable tableOf(Release release) {
    const bool r041 = release == Release::R041;
    const int name = r041 ? 14 : 10;
    const int value = r041 ? 5 : 0;
    PageTable table{{"Text26", FieldKind::Text, "Drug Name", "Label2", name, ""}};
    if (r041) table.push_back({"Combo2", FieldKind::Choice, "Concentration Units", "Label12", 0, ""});
    table.push_back({"Text27", FieldKind::Number, "Concentration Minimum", "Label3", value, "Label8"});
    table.push_back({"Text28", FieldKind::Number, "Concentration Maximum", "Label4", value, "Label9"});
    if (r041) table.push_back({"Combo3", FieldKind::Choice, "Drug Vial Units", "Label13", 0, ""});
    table.push_back({"Combo1", FieldKind::Choice, "Dose Units", "Label5", 0, ""});
    table.push_back({"Text31", FieldKind::Number, "Dose Minimum", "Label6", value, "Label10"});
    table.push_back({"Text32", FieldKind::Number, "Dose Maximum", "Label7", value, "Label11"});
    return table;
}

std::vector<std::string> texts(std::span<const std::string_view> names) { return {names.begin(), names.end()}; }

std::string entry(const std::vector<std::string>& items, int chosen) {
    return chosen >= 0 && chosen < static_cast<int>(items.size()) ? items[static_cast<std::size_t>(chosen)]
                                                                  : std::string();
}

// A typed limit as the rules see it: whether it converts, and its value in
// steps of 10^-scale rounded half to even (0 when it does not convert).
struct TypedLimit {
    std::optional<Decimal> value;
    std::int64_t steps = 0;
    bool converts() const { return value.has_value(); }
    // Converts and has no more decimals than the scale.
    bool fitsScale(int scale) const { return value && value->isWholeAt(scale); }
};

TypedLimit readLimit(const std::string& text, const NumberFormat& format, int scale) {
    TypedLimit limit{Decimal::parse(text, format)};
    if (limit.value) limit.steps = limit.value->roundedAt(scale);
    return limit;
}

// The page's rules in order; each one violated adds its message.
class Rules {
public:
    void add(bool violated, const char* field, std::string message) {
        if (violated) messages.push_back({field, std::move(message)});
    }
    FieldMessages messages;
};

DrugCheck check041(const DrugPage& page, const NumberFormat& format) {
    const int concentration = page.concentrationUnit;
    const bool unitChosen = concentration >= 0 && concentration < ConcentrationUnitCount;
    const bool concentrationUsed = concentration != MlOnly;
    const auto* unit = unitChosen ? &concentrationUnits()[static_cast<std::size_t>(concentration)] : nullptr;

    Rules rules;
    auto rule = [&](bool applies, bool holds, const char* field, const char* message) {
        rules.add(applies && !holds, field, message);
    };
    rule(true, unitChosen, "Combo2", "Concentration Units must be selected");
    rule(concentrationUsed, unit && page.vialUnit >= 0 && page.vialUnit < static_cast<int>(unit->vialUnits.size()),
         "Combo3", "Drug Vial Units must be selected");
    rule(unitChosen, unit && page.doseUnit >= 0 && page.doseUnit < static_cast<int>(unit->doseUnits.size()),
         "Combo1", "Dose Units must be selected");

    const TypedLimit concMin = readLimit(page.concMin, format, 3);
    const TypedLimit concMax = readLimit(page.concMax, format, 3);
    rule(concentrationUsed, concMin.converts(), "Text27", "Concentration Minimum must be valid value");
    rule(concentrationUsed, concMax.converts(), "Text28", "Concentration Maximum must be valid value");
    rule(concentrationUsed, concMin.steps == 0 || concMin.steps >= 10, "Text27",
         "Concentration Minimum must be not less than 0.01");
    rule(concentrationUsed, concMax.steps == 0 || concMax.steps >= 10, "Text28",
         "Concentration Maximum must be not less than 0.01");
    rule(concentrationUsed, concMin.steps <= 1000000, "Text27", "Concentration Minimum must be not more than 1000");
    rule(concentrationUsed, concMax.steps <= 1000000, "Text28", "Concentration Maximum must be not more than 1000");
    rule(concentrationUsed, concMin.fitsScale(3), "Text27",
         "Concentration Minimum must be number, up to three digits after decimal point");
    rule(concentrationUsed, concMax.fitsScale(3), "Text28",
         "Concentration Maximum must be number, up to three digits after decimal point");
    rule(concentrationUsed, concMin.steps <= concMax.steps, "Text27",
         "Concentration Minimum must be less or equal to Maximum");

    const TypedLimit doseMin = readLimit(page.doseMin, format, 3);
    const TypedLimit doseMax = readLimit(page.doseMax, format, 3);
    rule(true, doseMin.converts(), "Text31", "Dose Minimum must be valid value");
    rule(true, doseMax.converts(), "Text32", "Dose Maximum must be valid value");
    rule(true, doseMin.steps <= 2500000, "Text31", "Dose Minimum must be less than 2500");
    rule(true, doseMax.steps <= 2500000, "Text32", "Dose Maximum must be less than 2500");
    // Neither the limit code nor the file line can hold a negative dose.
    rule(true, doseMin.steps >= 0, "Text31", "Dose Minimum can not be negative");
    rule(true, doseMax.steps >= 0, "Text32", "Dose Maximum can not be negative");
    rule(true, doseMin.fitsScale(3), "Text31", "Dose Minimum must be number, up to three digits after decimal point");
    rule(true, doseMax.fitsScale(3), "Text32", "Dose Maximum must be number, up to three digits after decimal point");
    rule(true, doseMin.steps <= doseMax.steps, "Text31", "Dose Minimum must be less or equal to Maximum");

    if (!rules.messages.empty()) return {std::move(rules.messages), std::nullopt};
    const int vialBit = unit->vialUnits.empty() ? 0 : page.vialUnit;
    return {{},
            DrugCodes{makeUnitCode(concentration, vialBit, *doseIndexAt(*unit, page.doseUnit)),
                      concentrationUsed ? encodeLimitCode(concMin.steps) : 0u,
                      concentrationUsed ? encodeLimitCode(concMax.steps) : 0u, encodeLimitCode(doseMin.steps),
                      encodeLimitCode(doseMax.steps)}};
}

DrugCheck check036(const DrugPage& page, const NumberFormat& format) {
    // Release 036 keeps hundredths: X = round(value x 100).
    struct Limit {
        const char* field;
        const char* caption;
        TypedLimit value;
    };
    const Limit limits[] = {{"Text27", "Concentration Minimum", readLimit(page.concMin, format, 2)},
                            {"Text28", "Concentration Maximum", readLimit(page.concMax, format, 2)},
                            {"Text31", "Dose Minimum", readLimit(page.doseMin, format, 2)},
                            {"Text32", "Dose Maximum", readLimit(page.doseMax, format, 2)}};
    Rules rules;
    auto each = [&](auto failed, const char* rule) {
        for (const Limit& limit : limits)
            rules.add(failed(limit.value), limit.field, std::string(limit.caption) + rule);
    };
    each([](const TypedLimit& h) { return !h.converts(); }, " must be valid value");
    each([](const TypedLimit& h) { return h.steps > 65535; }, " must be less than 655.36");
    // The four-digit hex fields cannot hold a negative value.
    each([](const TypedLimit& h) { return h.steps < 0; }, " can not be negative");
    each([](const TypedLimit& h) { return !h.fitsScale(2); }, " must be number, up to two digits after decimal point");
    rules.add(limits[0].value.steps > limits[1].value.steps, "Text27",
              "Concentration Minimum must be less or equal to Maximum");
    rules.add(limits[2].value.steps > limits[3].value.steps, "Text31", "Dose Minimum must be less or equal to Maximum");
    if (!rules.messages.empty()) return {std::move(rules.messages), std::nullopt};

    const std::uint32_t unit = page.doseUnit >= 0 ? static_cast<std::uint32_t>(page.doseUnit) : page.keptUnitCode;
    auto code = [&](std::size_t i) { return static_cast<std::uint32_t>(limits[i].value.steps); };
    return {{}, DrugCodes{unit, code(0), code(1), code(2), code(3)}};
}

}  // namespace

const PageTable& drugPageTable(Release release) {
    static const PageTable r041 = tableOf(Release::R041);
    static const PageTable r036 = tableOf(Release::R036);
    return release == Release::R041 ? r041 : r036;
}

DrugPageUnits unitsOf(const DrugPage& page, Release release) {
    DrugPageUnits units;
    if (release == Release::R036) {
        units.doseUnits = {DoseUnitNames.begin(), DoseUnitNames.end()};
        units.doseUnit = entry(units.doseUnits, page.doseUnit);
        units.concentrationLabel = "mg/ml";
        return units;
    }
    for (const auto& unit : concentrationUnits()) units.concentrationUnits.emplace_back(unit.name);
    const int chosen = page.concentrationUnit;
    if (chosen >= 0 && chosen < ConcentrationUnitCount) {
        const ConcentrationUnit& unit = concentrationUnits()[static_cast<std::size_t>(chosen)];
        units.vialUnits = texts(unit.vialUnits);
        units.doseUnits = texts(unit.doseUnits);
    }
    units.concentrationUnit = entry(units.concentrationUnits, chosen);
    units.vialUnit = entry(units.vialUnits, page.vialUnit);
    units.doseUnit = entry(units.doseUnits, page.doseUnit);
    units.concentrationLabel = units.concentrationUnit;
    units.concentrationShown = chosen != MlOnly;
    return units;
}

DrugPage shownDrug(const DrugLibrary& library, int n, Release release) {
    DrugPage page;
    page.name = trimTrailingBlanks(library.DrugNames[n]);
    const std::uint32_t code = library.DrugUnitCodes[n];
    if (release == Release::R041) {
        const UnitCodeParts parts = splitUnitCode(code);
        const ConcentrationUnit& unit = concentrationUnits()[static_cast<std::size_t>(parts.concentration)];
        page.concentrationUnit = parts.concentration;
        page.vialUnit = parts.vialBit < static_cast<int>(unit.vialUnits.size()) ? parts.vialBit : -1;
        page.doseUnit = dosePositionOf(unit, parts.doseIndex).value_or(-1);
    } else {
        // A code beyond the list shows no unit and is kept until a unit is confirmed.
        page.doseUnit = code < DoseUnitNames.size() ? static_cast<int>(code) : -1;
        page.keptUnitCode = code;
    }
    auto valueText = [release](std::uint32_t limit) {
        return release == Release::R041 ? limitCodeText(limit) : hundredthsText(limit);
    };
    page.concMin = valueText(library.ConcMinCodes[n]);
    page.concMax = valueText(library.ConcMaxCodes[n]);
    page.doseMin = valueText(library.DoseMinCodes[n]);
    page.doseMax = valueText(library.DoseMaxCodes[n]);
    page.departments = library.DepartmentMasks[n] & ((1u << MaskDepartmentCount) - 1);
    return page;
}

void chooseConcentrationUnit(DrugPage& page, int unit) {
    page.concentrationUnit = unit;
    page.vialUnit = page.doseUnit = -1;
    page.concMin.clear();
    page.concMax.clear();
}

void chooseDoseUnit(DrugPage& page, int unit) {
    page.doseUnit = unit;
    page.doseMin.clear();
    page.doseMax.clear();
}

DrugCheck checkDrug(const DrugPage& page, Release release, const NumberFormat& format) {
    return release == Release::R041 ? check041(page, format) : check036(page, format);
}

void storeDrug(DrugLibrary& library, int n, const DrugPage& page, const DrugCodes& codes) {
    library.DrugNames[n] = page.name;
    library.DrugUnitCodes[n] = codes.unit;
    library.ConcMinCodes[n] = codes.concMin;
    library.ConcMaxCodes[n] = codes.concMax;
    library.DoseMinCodes[n] = codes.doseMin;
    library.DoseMaxCodes[n] = codes.doseMax;
    library.DepartmentMasks[n] = page.departments;
}

std::vector<std::pair<std::string, std::string>> shownFields(const DrugPage& page, Release release) {
    const DrugPageUnits units = unitsOf(page, release);
    std::vector<std::pair<std::string, std::string>> fields;
    for (const PageField& field : drugPageTable(release)) {
        const bool concentrationRow = field.control == "Text27" || field.control == "Text28" || field.control == "Combo3";
        if (concentrationRow && !units.concentrationShown) continue;
        std::string value;
        if (field.control == "Text26") value = page.name;
        else if (field.control == "Combo2") value = units.concentrationUnit;
        else if (field.control == "Combo3") value = units.vialUnit;
        else if (field.control == "Combo1") value = units.doseUnit;
        else if (field.control == "Text27") value = page.concMin + " " + units.concentrationLabel;
        else if (field.control == "Text28") value = page.concMax + " " + units.concentrationLabel;
        else if (field.control == "Text31") value = page.doseMin + " " + units.doseUnit;
        else if (field.control == "Text32") value = page.doseMax + " " + units.doseUnit;
        fields.emplace_back(field.caption, value);
    }
    std::string departments;
    for (int d = 1; d <= MaskDepartmentCount; ++d) {
        if ((page.departments >> (d - 1) & 1u) == 0) continue;
        if (!departments.empty()) departments += ", ";
        departments += std::to_string(d);
    }
    fields.emplace_back("Departments", departments.empty() ? "none" : departments);
    return fields;
}

}  // namespace mc::druglib
