#include "druglib_us/core/drug_entry_rules.hpp"

#include <limits>

namespace mc::druglib_us {
namespace {

// A typed number in whole steps of 10^-digits, rounded half to even. It
// converts when the text is a number and the steps fit 32 bits; it is exact
// when the text has no more decimals than the steps.
struct Scaled {
    bool converts = false;
    bool exact = false;
    std::int64_t value = 0;
};

Scaled scaled(const std::string& text, int digits, const NumberFormat& format) {
    const auto number = Decimal::parse(text, format);
    if (!number) return {};
    const std::int64_t value = number->roundedAt(digits);
    const bool fits =
        value >= std::numeric_limits<std::int32_t>::min() && value <= std::numeric_limits<std::int32_t>::max();
    return {fits, fits && number->isWholeAt(digits), value};
}

// A field the rules speak of: its control and the name its messages begin with.
struct Field {
    const char* control;
    std::string name;
};

// The rules in their order; each violated one adds its message.
class Rules {
public:
    explicit Rules(const NumberFormat& numberFormat) : format(numberFormat) {}

    void add(bool violated, const Field& field, const std::string& message) {
        if (violated) messages.push_back({field.control, field.name + message});
    }
    // The "must be valid value" row and the resolution row of one box; a text
    // that does not convert violates both.
    Scaled value(const std::string& text, int digits, const Field& field, const std::string& resolution) {
        const Scaled s = scaled(text, digits, format);
        add(!s.converts, field, " must be valid value");
        add(!s.exact, field, " must be number, " + resolution);
        return s;
    }
    // A range row: the upper limit and, otherwise, the lower one; only for a
    // value that converted.
    void range(const Scaled& s, const Field& field, bool tooHigh, const std::string& high, bool tooLow = false,
               const std::string& low = {}) {
        if (!s.converts) return;
        if (tooHigh) add(true, field, high);
        else add(tooLow, field, low);
    }
    // An order row between two values that both converted.
    void order(const Scaled& a, const Scaled& b, bool violated, const Field& field, const std::string& message) {
        add(a.converts && b.converts && violated, field, message);
    }

    const NumberFormat& format;
    FieldMessages messages;
};

constexpr std::int64_t DoseMaximum = 10000000;  // 10000.000 dose units
const std::string ThreeDigits = "up to three digits after decimal point";
const std::string OneDigit = "up to one digits after decimal point";

const Field DrugName{"Text26", "Drug Name"};
const Field WeightLower{"Text25", "Patient Weight Lower Soft Limit"};
const Field WeightUpper{"Text33", "Patient Weight Upper Soft Limit"};
const Field ConcUnits{"Combo2", "Concentration units"};
const Field Concentration{"Text27", "Concentration"};
const Field DoseUnits{"Combo1", "Dose Units"};
const Field DoseInitial{"Text28", "Dose Rate Initial Value"};
const Field DoseLowSoft{"Text31", "Dose Rate Lower Soft Limit"};
const Field DoseHighSoft{"Text32", "Dose Rate Upper Soft Limit"};
const Field DoseLowHard{"Text34", "Dose Rate Lower Hard Limit"};
const Field DoseHighHard{"Text35", "Dose Rate Upper Hard Limit"};
const Field BolusMode{"Combo3", "Bolus Mode"};
const Field BolusInitial{"Text36", "Bolus Initial Value"};
const Field BolusTimeUnits{"Combo4", "Bulus Time Units"};
const Field BolusTime{"Text37", "Bolus Time Initial Value"};
const Field BolusRate{"Text38", "Bolus Rate"};
const Field BolusLowSoft{"Text39", "Bolus Dose Lower Soft Limit"};
const Field BolusHighSoft{"Text40", "Bolus Dose Upper Soft Limit"};
const Field BolusLowHard{"Text41", "Bolus Dose Lower Hard Limit"};
const Field BolusHighHard{"Text42", "Bolus Dose Upper Hard Limit"};
const Field Departments{"", "At list one Department"};

// Decimals of a concentration: 0.001 MG/ML or U/ML, 1 MCG/ML or MU/ML.
std::optional<int> concentrationDigits(const std::string& units) {
    if (units == "MG/ML" || units == "U/ML") return 3;
    if (units == "MCG/ML" || units == "MU/ML") return 0;
    return std::nullopt;
}

void checkWeights(const DrugPage& page, Rules& rules, DrugEntry& stored) {
    const std::string noDigits = " must be number, no digits after decimal point";
    const Scaled w1 = scaled(page.weightLowerSoft, 0, rules.format);
    const Scaled w2 = scaled(page.weightUpperSoft, 0, rules.format);
    rules.add(!w1.converts, WeightLower, " must be valid value");
    rules.add(!w2.converts, WeightUpper, " must be valid value");
    rules.add(!w1.exact, WeightLower, noDigits);
    rules.add(!w2.exact, WeightUpper, noDigits);
    rules.range(w1, WeightLower, w1.value > 250, " must be less than 250 kg", w1.value < 0, " can not be negative");
    rules.range(w2, WeightUpper, w2.value > 250, " must be less than 250 kg");
    rules.order(w1, w2, w1.value > w2.value, WeightLower, " must be less or equal to " + WeightUpper.name);
    rules.add(isWeightBasedDoseUnit(page.entry.DoseUnits) && w2.converts && w2.value == 0, WeightUpper,
              " must be grater than zero in case weight based Dose Units");
    // Only an accepted page is stored, and then both lie within 0..250.
    stored.WeightLowerSoft = static_cast<std::int16_t>(w1.value);
    stored.WeightUpperSoft = static_cast<std::int16_t>(w2.value);
}

void checkConcentration(const DrugEntry& e, Rules& rules) {
    const auto digits = concentrationDigits(e.ConcUnits);
    rules.add(!digits, ConcUnits, " must be specified");
    if (!digits) return;
    const std::string step = *digits == 3 ? "0.001" : "1";
    const std::string resolution = "units no lower then " + step + " " + e.ConcUnits;
    const Scaled c = rules.value(e.Concentration, *digits, Concentration, resolution);
    rules.range(c, Concentration, c.value > 1000000, " must be lower", c.value <= 0, " must be more then zero");
}

void checkDoseRate(const DrugEntry& e, Rules& rules) {
    rules.add(e.DoseUnits.empty(), DoseUnits, " must be specified");
    auto dose = [&](const std::string& text, const Field& field) {
        const Scaled s = rules.value(text, 3, field, ThreeDigits);
        rules.range(s, field, s.value > DoseMaximum, " must be lower");
        return s;
    };
    auto notAbove = [](const Field& field) { return " must be less or equal to " + field.name; };
    const Scaled dr = dose(e.DoseRateInitial, DoseInitial);
    const Scaled dls = dose(e.DoseRateLowerSoft, DoseLowSoft);
    const Scaled dus = dose(e.DoseRateUpperSoft, DoseHighSoft);
    rules.order(dr, dls, dr.value < dls.value, DoseInitial, " must be more or equal to " + DoseLowSoft.name);
    rules.order(dr, dus, dr.value > dus.value, DoseInitial, notAbove(DoseHighSoft));
    rules.order(dls, dus, dls.value > dus.value, DoseLowSoft, notAbove(DoseHighSoft));
    const Scaled dlh = rules.value(e.DoseRateLowerHard, 3, DoseLowHard, ThreeDigits);
    rules.range(dlh, DoseLowHard, dlh.value > DoseMaximum, " must be lower", dlh.value <= 0, " must be more then zero");
    const Scaled duh = dose(e.DoseRateUpperHard, DoseHighHard);
    rules.order(dlh, dls, dlh.value > dls.value, DoseLowHard, notAbove(DoseLowSoft));
    rules.order(duh, dus, duh.value < dus.value, DoseHighHard, " must be more or equal to " + DoseHighSoft.name);
    rules.order(dlh, duh, dlh.value > duh.value, DoseLowHard, notAbove(DoseHighHard));
}

void checkBolus(const DrugEntry& e, Rules& rules) {
    const bool volume = e.BolusMode == "VOLUME";
    if (!volume && e.BolusMode != "WEIGHT") {
        rules.add(true, BolusMode, " must be specified");
        return;
    }
    // "VOLUME": 0.1 mL up to 100.0 mL; "WEIGHT": 0.001 bolus unit up to 10000.000.
    const int digits = volume ? 1 : 3;
    const std::int64_t maximum = volume ? 1000 : DoseMaximum;
    auto bolus = [&](const std::string& text, const Field& field, bool mayBeNegative = true) {
        const Scaled s = rules.value(text, digits, field, volume ? OneDigit : ThreeDigits);
        rules.range(s, field, s.value > maximum, " must be lower", !mayBeNegative && s.value < 0,
                    " can not be negative");
        return s;
    };
    bolus(e.BolusInitial, BolusInitial);
    const Scaled bls = bolus(e.BolusLowerSoft, BolusLowSoft);
    const Scaled bus = bolus(e.BolusUpperSoft, BolusHighSoft);
    const Scaled blh = bolus(e.BolusLowerHard, BolusLowHard, !volume);
    const Scaled buh = bolus(e.BolusUpperHard, BolusHighHard);
    rules.order(bls, bus, bls.value > bus.value, BolusLowSoft, " must be less or equal to " + BolusHighSoft.name);
    rules.order(blh, bls, blh.value > bls.value, BolusLowHard, " must be less or equal to " + BolusLowSoft.name);
    rules.order(buh, bus, buh.value < bus.value, BolusHighHard, " must be more or equal to " + BolusHighSoft.name);
}

// "HH:MM": at most 1:59, more than zero. Its two parts are checked even when
// the text is not formatted as HH:MM.
void checkHoursAndMinutes(const std::string& text, Rules& rules) {
    rules.add(text.size() < 4 || text[text.size() - 3] != ':', BolusTime, " must be formated as HH:MM");
    const std::string hoursText = text.size() >= 3 ? text.substr(0, text.size() - 3) : std::string{};
    const std::string minutesText = text.size() >= 2 ? text.substr(text.size() - 2) : text;
    const Scaled h = scaled(hoursText, 0, rules.format);
    rules.add(!h.converts, BolusTime, " HH part must be valid value");
    rules.add(rules.messages.empty() && !h.exact, BolusTime, " HH part must be number, no decimal point");
    rules.range(h, BolusTime, h.value > 1, " must be lower");
    const Scaled m = scaled(minutesText, 0, rules.format);
    rules.add(!m.converts, BolusTime, " MM part must be valid value");
    rules.add(rules.messages.empty() && !m.exact, BolusTime, " MM part must be number, no decimal point");
    rules.range(m, BolusTime, m.value > 59, " MM part must be lower then 60");
    rules.order(h, m, (h.value == 0 && m.value == 0) || h.value < 0 || m.value < 0, BolusTime,
                " must be more then zero");
}

void checkBolusTime(const DrugEntry& e, Rules& rules) {
    const std::string& units = e.BolusTimeUnits;
    if (units == "NOTIME") {
        const Scaled r = rules.value(e.BolusRate, 1, BolusRate, OneDigit);
        rules.range(r, BolusRate, r.value > 12000, " must be lower then 1200 ML/HR", r.value <= 0,
                    " must be more then zero");
    } else if (units == "SS" || units == "MM") {
        const Scaled s = rules.value(e.BolusTime, 0, BolusTime, "no decimal point");
        rules.range(s, BolusTime, s.value > (units == "SS" ? 3600 : 60), " must be lower", s.value <= 0,
                    " must be more then zero");
    } else if (units == "HH:MM") {
        checkHoursAndMinutes(e.BolusTime, rules);
    } else {
        rules.add(true, BolusTimeUnits, " must be specified");
    }
}

}  // namespace

DrugCheck checkDrugEntry(const DrugPage& page, const NumberFormat& format) {
    Rules rules(format);
    DrugEntry stored = page.entry;
    rules.add(page.entry.DrugName.empty(), DrugName, " must be specified");
    // The file has no escaping: a name holding the key that follows it would come back cut.
    rules.add(page.entry.DrugName.find("WLS=") != std::string::npos, DrugName, " can not contain WLS=");
    checkWeights(page, rules, stored);
    checkConcentration(page.entry, rules);
    checkDoseRate(page.entry, rules);
    checkBolus(page.entry, rules);
    checkBolusTime(page.entry, rules);
    rules.add(page.entry.DrugDepartments == 0, Departments, " must be enabled");
    if (!rules.messages.empty()) return {std::move(rules.messages), std::nullopt};
    return {{}, std::move(stored)};
}

}  // namespace mc::druglib_us
