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

// The rules in their order; each violated one appends its message.
class Rules {
public:
    explicit Rules(const NumberFormat& numberFormat) : format(numberFormat) {}

    void add(bool violated, const std::string& message) {
        if (violated) messages += message + "\r\n";
    }
    // The "must be valid value" row and the resolution row of one box; a text
    // that does not convert violates both.
    Scaled value(const std::string& text, int digits, const std::string& field, const std::string& resolution) {
        const Scaled s = scaled(text, digits, format);
        add(!s.converts, field + " must be valid value");
        add(!s.exact, field + " must be number, " + resolution);
        return s;
    }
    // A range row: the upper limit and, otherwise, the lower one; only for a
    // value that converted.
    void range(const Scaled& s, bool tooHigh, const std::string& high, bool tooLow = false,
               const std::string& low = {}) {
        if (!s.converts) return;
        if (tooHigh) add(true, high);
        else add(tooLow, low);
    }
    // An order row between two values that both converted.
    void order(const Scaled& a, const Scaled& b, bool violated, const std::string& message) {
        add(a.converts && b.converts && violated, message);
    }

    const NumberFormat& format;
    std::string messages;
};

const std::vector<std::string> MassDoseUnits{"MCG/KG/MIN", "MCG/KG/HR", "MG/KG/MIN", "MG/KG/HR",
                                             "MCG/MIN",    "MCG/HR",    "MG/MIN",    "MG/HR"};
const std::vector<std::string> UnitDoseUnits{"MU/KG/MIN", "MU/KG/HR", "U/KG/MIN", "U/KG/HR",
                                             "MU/MIN",    "MU/HR",    "U/MIN",    "U/HR"};
const std::vector<std::string> NoDoseUnits;

constexpr std::int64_t DoseMaximum = 10000000;  // 10000.000 dose units
const std::string ThreeDigits = "up to three digits after decimal point";

// Decimals of a concentration: 0.001 MG/ML or U/ML, 1 MCG/ML or MU/ML.
std::optional<int> concentrationDigits(const std::string& units) {
    if (units == "MG/ML" || units == "U/ML") return 3;
    if (units == "MCG/ML" || units == "MU/ML") return 0;
    return std::nullopt;
}

void checkWeights(const DrugPage& page, Rules& rules, DrugEntry& stored) {
    const std::string lower = "Patient Weight Lower Soft Limit";
    const std::string upper = "Patient Weight Upper Soft Limit";
    const std::string noDigits = " must be number, no digits after decimal point";
    const Scaled w1 = scaled(page.weightLowerSoft, 0, rules.format);
    const Scaled w2 = scaled(page.weightUpperSoft, 0, rules.format);
    rules.add(!w1.converts, lower + " must be valid value");
    rules.add(!w2.converts, upper + " must be valid value");
    rules.add(!w1.exact, lower + noDigits);
    rules.add(!w2.exact, upper + noDigits);
    rules.range(w1, w1.value > 250, lower + " must be less than 250 kg", w1.value < 0, lower + " can not be negative");
    rules.range(w2, w2.value > 250, upper + " must be less than 250 kg");
    rules.order(w1, w2, w1.value > w2.value, lower + " must be less or equal to " + upper);
    rules.add(isWeightBasedDoseUnit(page.entry.DoseUnits) && w2.converts && w2.value == 0,
              upper + " must be grater than zero in case weight based Dose Units");
    // Only an accepted page is stored, and then both lie within 0..250.
    stored.WeightLowerSoft = static_cast<std::int16_t>(w1.value);
    stored.WeightUpperSoft = static_cast<std::int16_t>(w2.value);
}

void checkConcentration(const DrugEntry& e, Rules& rules) {
    const auto digits = concentrationDigits(e.ConcUnits);
    rules.add(!digits, "Concentration units must be specified");
    if (!digits) return;
    const std::string step = *digits == 3 ? "0.001" : "1";
    const Scaled c = rules.value(e.Concentration, *digits, "Concentration",
                                 "units no lower then " + step + " " + e.ConcUnits);
    rules.range(c, c.value > 1000000, "Concentration must be lower", c.value <= 0, "Concentration must be more then zero");
}

void checkDoseRate(const DrugEntry& e, Rules& rules) {
    rules.add(e.DoseUnits.empty(), "Dose Units must be specified");
    auto dose = [&](const std::string& text, const std::string& field) {
        const Scaled s = rules.value(text, 3, field, ThreeDigits);
        rules.range(s, s.value > DoseMaximum, field + " must be lower");
        return s;
    };
    const std::string initial = "Dose Rate Initial Value", lowSoft = "Dose Rate Lower Soft Limit",
                      highSoft = "Dose Rate Upper Soft Limit", lowHard = "Dose Rate Lower Hard Limit",
                      highHard = "Dose Rate Upper Hard Limit";
    const Scaled dr = dose(e.DoseRateInitial, initial);
    const Scaled dls = dose(e.DoseRateLowerSoft, lowSoft);
    const Scaled dus = dose(e.DoseRateUpperSoft, highSoft);
    rules.order(dr, dls, dr.value < dls.value, initial + " must be more or equal to " + lowSoft);
    rules.order(dr, dus, dr.value > dus.value, initial + " must be less or equal to " + highSoft);
    rules.order(dls, dus, dls.value > dus.value, lowSoft + " must be less or equal to " + highSoft);
    const Scaled dlh = rules.value(e.DoseRateLowerHard, 3, lowHard, ThreeDigits);
    rules.range(dlh, dlh.value > DoseMaximum, lowHard + " must be lower", dlh.value <= 0,
                lowHard + " must be more then zero");
    const Scaled duh = dose(e.DoseRateUpperHard, highHard);
    rules.order(dlh, dls, dlh.value > dls.value, lowHard + " must be less or equal to " + lowSoft);
    rules.order(duh, dus, duh.value < dus.value, highHard + " must be more or equal to " + highSoft);
    rules.order(dlh, duh, dlh.value > duh.value, lowHard + " must be less or equal to " + highHard);
}

void checkBolus(const DrugEntry& e, Rules& rules) {
    const bool volume = e.BolusMode == "VOLUME";
    if (!volume && e.BolusMode != "WEIGHT") {
        rules.add(true, "Bolus Mode must be specified");
        return;
    }
    // "VOLUME": 0.1 mL up to 100.0 mL; "WEIGHT": 0.001 bolus unit up to 10000.000.
    const int digits = volume ? 1 : 3;
    const std::int64_t maximum = volume ? 1000 : DoseMaximum;
    const std::string resolution = volume ? "up to one digits after decimal point" : ThreeDigits;
    auto bolus = [&](const std::string& text, const std::string& field, bool mayBeNegative = true) {
        const Scaled s = rules.value(text, digits, field, resolution);
        rules.range(s, s.value > maximum, field + " must be lower", !mayBeNegative && s.value < 0,
                    field + " can not be negative");
        return s;
    };
    const std::string lowSoft = "Bolus Dose Lower Soft Limit", highSoft = "Bolus Dose Upper Soft Limit",
                      lowHard = "Bolus Dose Lower Hard Limit", highHard = "Bolus Dose Upper Hard Limit";
    bolus(e.BolusInitial, "Bolus Initial Value");
    const Scaled bls = bolus(e.BolusLowerSoft, lowSoft);
    const Scaled bus = bolus(e.BolusUpperSoft, highSoft);
    const Scaled blh = bolus(e.BolusLowerHard, lowHard, !volume);
    const Scaled buh = bolus(e.BolusUpperHard, highHard);
    rules.order(bls, bus, bls.value > bus.value, lowSoft + " must be less or equal to " + highSoft);
    rules.order(blh, bls, blh.value > bls.value, lowHard + " must be less or equal to " + lowSoft);
    rules.order(buh, bus, buh.value < bus.value, highHard + " must be more or equal to " + highSoft);
}

// "HH:MM": at most 1:59, more than zero. Its two parts are checked even when
// the text is not formatted as HH:MM.
void checkHoursAndMinutes(const std::string& text, Rules& rules) {
    const std::string field = "Bolus Time Initial Value";
    rules.add(text.size() < 4 || text[text.size() - 3] != ':', field + " must be formated as HH:MM");
    const std::string hoursText = text.size() >= 3 ? text.substr(0, text.size() - 3) : std::string{};
    const std::string minutesText = text.size() >= 2 ? text.substr(text.size() - 2) : text;
    const Scaled h = scaled(hoursText, 0, rules.format);
    rules.add(!h.converts, field + " HH part must be valid value");
    rules.add(rules.messages.empty() && !h.exact, field + " HH part must be number, no decimal point");
    rules.range(h, h.value > 1, field + " must be lower");
    const Scaled m = scaled(minutesText, 0, rules.format);
    rules.add(!m.converts, field + " MM part must be valid value");
    rules.add(rules.messages.empty() && !m.exact, field + " MM part must be number, no decimal point");
    rules.range(m, m.value > 59, field + " MM part must be lower then 60");
    rules.order(h, m, (h.value == 0 && m.value == 0) || h.value < 0 || m.value < 0, field + " must be more then zero");
}

void checkBolusTime(const DrugEntry& e, Rules& rules) {
    const std::string& units = e.BolusTimeUnits;
    if (units == "NOTIME") {
        const Scaled r = rules.value(e.BolusRate, 1, "Bolus Rate", "up to one digits after decimal point");
        rules.range(r, r.value > 12000, "Bolus Rate must be lower then 1200 ML/HR", r.value <= 0,
                    "Bolus Rate must be more then zero");
    } else if (units == "SS" || units == "MM") {
        const Scaled s = rules.value(e.BolusTime, 0, "Bolus Time Initial Value", "no decimal point");
        rules.range(s, s.value > (units == "SS" ? 3600 : 60), "Bolus Time Initial Value must be lower", s.value <= 0,
                    "Bolus Time Initial Value must be more then zero");
    } else if (units == "HH:MM") {
        checkHoursAndMinutes(e.BolusTime, rules);
    } else {
        rules.add(true, "Bulus Time Units must be specified");
    }
}

}  // namespace

const std::vector<std::string>& doseUnitsFor(const std::string& concUnits) {
    if (concUnits == "MG/ML" || concUnits == "MCG/ML") return MassDoseUnits;
    if (concUnits == "U/ML" || concUnits == "MU/ML") return UnitDoseUnits;
    return NoDoseUnits;
}

bool isWeightBasedDoseUnit(const std::string& doseUnits) { return doseUnits.find("/KG/") != std::string::npos; }

std::optional<std::string> bolusUnitCaption(const std::string& bolusMode, const std::string& doseUnits) {
    if (bolusMode == "VOLUME") return "ML";
    if (bolusMode != "WEIGHT") return "";
    if (doseUnits.empty()) return std::nullopt;
    // The dose unit without its time: "MCG/KG/MIN" gives "MCG/KG", "U/HR" gives "U".
    return doseUnits.substr(0, doseUnits.rfind('/'));
}

DrugCheck checkDrugEntry(const DrugPage& page, const NumberFormat& format) {
    Rules rules(format);
    DrugCheck check{{}, page.entry};
    rules.add(page.entry.DrugName.empty(), "Drug Name must be specified");
    // The file has no escaping: a name holding the key that follows it would come back cut.
    rules.add(page.entry.DrugName.find("WLS=") != std::string::npos, "Drug Name can not contain WLS=");
    checkWeights(page, rules, check.stored);
    checkConcentration(page.entry, rules);
    checkDoseRate(page.entry, rules);
    checkBolus(page.entry, rules);
    checkBolusTime(page.entry, rules);
    rules.add(page.entry.DrugDepartments == 0, "At list one Department must be enabled");
    check.messages = std::move(rules.messages);
    return check;
}

}  // namespace mc::druglib_us
