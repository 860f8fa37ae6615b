// The rules a protocol must meet before it is stored. Rates and doses are
// judged in volume units, typed value / concentration, exactly: a limit L in
// volume units is compared as typed against L x c, and "at most n decimals"
// means typed x 10^n / c is whole.

#include <optional>

#include "protocols/core/protocol_page.hpp"
#include "shell/core/number_text.hpp"

namespace mc::protocols {
namespace {

// One run of the rules: the messages so far, each with the field it is about.
class Run {
public:
    explicit Run(const NumberFormat& format) : format_(format) {}

    bool ok() const { return messages_.empty(); }
    FieldMessages messages() && { return std::move(messages_); }
    void fail(const char* field, const std::string& message) { messages_.push_back({field, message}); }
    bool failIf(bool failed, const char* field, const std::string& message) {
        if (failed) fail(field, message);
        return failed;
    }

    // The entered and numbers-only rules; the value when it is a number.
    std::optional<Decimal> typed(const std::string& text, const char* field, const std::string& name) {
        if (text.empty()) fail(field, name + " must be entered");
        if (!ToFloatVal(text, format_)) {
            fail(field, name + " must be numbers only");
            return std::nullopt;
        }
        return Decimal::parse(text, format_);
    }

    std::string shown(const Decimal& value, int decimals) const { return value.text(decimals, format_); }

private:
    const NumberFormat& format_;
    FieldMessages messages_;
};

const Decimal& zero() {
    static const Decimal value = Decimal::of("0");
    return value;
}

// typed / c has at most `decimals` decimals.
bool volumeFits(const Decimal& typed, const Decimal& c, int decimals) {
    const auto quotient = typed.dividedBy(c, decimals);
    return quotient && quotient->exact;
}

// A stored setting as a number, when it is one.
std::optional<Decimal> settingNumber(const std::string& text, const NumberFormat& format) {
    return Decimal::parse(text, format);
}

enum class Branch { Off, On, Neither };

// The range rows of one rate or dose field, for the Dosavia branch; stops at the first failure.
struct VolumeLimits {
    const char* onMaximum;   // in volume units
    int onMaximumDecimals;   // of the maximum shown in the message
    std::optional<Decimal> offMaximum;
    int offMaximumDecimals;
};

void checkVolume(Run& run, const char* field, const std::string& name, const Decimal& value, const Decimal& c, Branch branch,
                 const VolumeLimits& limits, const std::string& unit) {
    if (branch == Branch::Neither) return;
    const bool on = branch == Branch::On;
    const int decimals = on ? 3 : 1;
    const std::optional<Decimal> maximum = on ? std::optional<Decimal>(Decimal::of(limits.onMaximum)) : limits.offMaximum;
    if (maximum && run.failIf(value > maximum->times(c), field, name + " must be <= " +
                                                          run.shown(maximum->times(c), on ? limits.onMaximumDecimals
                                                                                         : limits.offMaximumDecimals) +
                                                          " " + unit))
        return;
    if (run.failIf(value.isNegative(), field, name + " must be >= 0 " + unit)) return;
    const Decimal step = Decimal::of(on ? "0.001" : "0.1").times(c);
    run.failIf(!volumeFits(value, c, decimals), field,
               name + " must be in " + run.shown(step, on ? 4 : 2) + " " + unit + " resolution");
}

}  // namespace

FieldMessages checkProtocol(const ProtocolPage& page, const ProtocolLimits& limits, const NumberFormat& format) {
    Run run(format);
    const std::string& dosaviaShown = page.dosavia;
    const Branch branch = dosaviaShown == "ON" ? Branch::On : dosaviaShown == "OFF" ? Branch::Off : Branch::Neither;
    const std::string& allow = limits.allowDosavia;

    run.failIf(allow == "0" && dosaviaShown == "ON", "Combo20", "Dosavia not Allowed. Enable Dosavia. ");

    // Weights: judged by the stored Allow Dosavia setting.
    const auto minWeight = run.typed(page.minWeight, "Text19", "Min. Patient weight");
    if (run.ok() && minWeight) {
        if (allow == "0") {
            run.failIf(!(*minWeight == zero()), "Text19",
                       "With Dosavia not Allowed Min. Patient weight not used and must be 0");
        } else if (allow == "1") {
            run.failIf(*minWeight > Decimal::of("200"), "Text19", "Min. Patient weight must be <= 200 kg") ||
                run.failIf(minWeight->isNegative(), "Text19", "Min. Patient weight must be >= 0 kg") ||
                run.failIf(!minWeight->isWholeAt(0), "Text19", "Min. Patient weight must be in 1 kg resolution");
        }
    }
    const auto maxWeight = run.typed(page.maxWeight, "Text20", "Max. Patient weight");
    if (run.ok() && maxWeight) {
        if (allow == "0") {
            run.failIf(!(*maxWeight == zero()), "Text20",
                       "With Dosavia not Allowed Max. Patient weight not used and must be 0");
        } else if (allow == "1") {
            const Decimal minRounded = *Decimal::parse(std::to_string(minWeight->roundedAt(0)), format);
            run.failIf(*maxWeight > Decimal::of("200"), "Text20", "Max. Patient weight must be <= 200 kg") ||
                run.failIf(maxWeight->isNegative(), "Text20", "Max. Patient weight must be > 0 kg") ||
                run.failIf(!maxWeight->isWholeAt(0), "Text20", "Max. Patient weight must be in 1 kg resolution") ||
                run.failIf(minRounded > *maxWeight, "Text20", "Max. Patient weight must be >= Min. Patient weight");
        }
    }

    const auto bag = run.typed(page.bagVolume, "Text21", "Bag Volume");
    if (run.ok() && bag) {
        run.failIf(*bag > Decimal::of("1000"), "Text21", "Bag Volume must be < 1000 mL") ||
            run.failIf(bag->isNegative(), "Text21", "Bag Volume must be > 0 mL") ||
            run.failIf(!bag->isWholeAt(1), "Text21", "Bag Volume must be in 0.1 mL resolution");
    }

    // Nothing divides by a concentration whose unit is unknown.
    const std::string& unit = page.concentrationUnit;
    std::optional<Decimal> c;
    const std::string& concentration = page.concentration;
    if (unit == "mg/mL" || unit == "mcg/mL") {
        c = run.typed(concentration, "Text22", "Concentration");
        if (c) {
            run.failIf(*c > Decimal::of("999"), "Text22", "Concentration must be <= 999 " + unit);
            run.failIf(!(*c > zero()), "Text22", "Concentration must be > 0 " + unit);
            run.failIf(!c->isWholeAt(1), "Text22", "Concentration must be in 0.1 " + unit + " resolution");
        }
    } else if (unit == "mL Only") {
        run.failIf(concentration != "" && concentration != "0" && concentration != "1", "Text22",
                   "Concentration can not be entered at mL Only");
        c = Decimal::of("1");
    } else {
        run.fail("Combo21", "Concentration units must be selected");
    }

    const auto maximumBasalRate = settingNumber(limits.maximumBasalRate, format);
    // The units shown beside the values; only the range rows name them, and
    // those run only once Dosavia and the unit are chosen.
    const ProtocolUnits units = unitsOf(page).value_or(ProtocolUnits{});
    const auto rate = run.typed(page.initialRate, "Text23", "Initial Rate");
    if (run.ok() && rate)
        checkVolume(run, "Text23", "Initial Rate", *rate, *c, branch, {"65.565", 4, maximumBasalRate, 2}, units.rate);

    const auto titration = run.typed(page.titrationLimit, "Text24", "Titration Limit");
    if (run.ok() && titration) {
        checkVolume(run, "Text24", "Titration Limit", *titration, *c, branch, {"65.565", 4, maximumBasalRate, 2},
                    units.rate);
        run.failIf(*rate > *titration, "Text24", "Titration Limit must be >= Initial Rate");
    }

    run.failIf(limits.autoBolus == "0" && page.bolusType == "Auto-bolus", "Combo22",
               "Auto-Bolus not Allowed. Enable Auto-Bolus.");

    const auto bolus = run.typed(page.bolusDose, "Text25", "Bolus Dose");
    if (run.ok() && bolus)
        checkVolume(run, "Text25", "Bolus Dose", *bolus, *c, branch, {"0.255", 4, Decimal::of("25.5"), 2}, units.dose);

    const auto maxBolus = run.typed(page.maxBolus, "Text26", "Maximum Bolus");
    if (run.ok() && maxBolus) {
        checkVolume(run, "Text26", "Maximum Bolus", *maxBolus, *c, branch, {"0.255", 4, Decimal::of("25.5"), 2},
                    units.dose);
        run.failIf(*bolus > *maxBolus, "Text26", "Maximum Bolus must be >= Bolus Dose");
    }

    const auto lockout = run.typed(page.lockoutTime, "Text27", "Lockout Time");
    if (run.ok() && lockout) {
        const auto minimumLockOut = settingNumber(limits.minimumLockOut, format);
        run.failIf(*lockout > Decimal::of("255"), "Text27", "Lockout Time must be <= 255 Minutes") ||
            run.failIf(minimumLockOut && *minimumLockOut > *lockout, "Text27",
                       "Lockout Time must be >= " + limits.minimumLockOut + " Minutes") ||
            run.failIf(!lockout->isWholeAt(0), "Text27", "Lockout Time must be in 1 Minute resolution");
    }

    const auto limit = run.typed(page.limit, "Text28", "Limit");
    if (run.ok() && limit && branch != Branch::Neither) {
        const std::string& limitUnit = units.limit;
        const std::string atLeast = "Limit must be >= " + page.titrationLimit + " " + limitUnit;
        if (branch == Branch::On) {
            const Decimal maximum = Decimal::of("655.65").times(*c);
            run.failIf(*limit > maximum, "Text28", "Limit must be <= " + run.shown(maximum, 3) + " " + limitUnit) ||
                run.failIf(*titration > *limit, "Text28", atLeast) ||
                run.failIf(!volumeFits(*limit, *c, 2), "Text28", "Limit must be in " +
                                                           run.shown(Decimal::of("0.01").times(*c), 3) + " " +
                                                           limitUnit + " resolution");
        } else {
            const Decimal maximum = Decimal::of("273.1").times(*c);
            if (!run.failIf(*limit > maximum, "Text28", "Limit must be <= " + run.shown(maximum, 2) + " " + limitUnit) &&
                !(*limit == zero())) {
                run.failIf(*titration > *limit, "Text28", atLeast) ||
                    run.failIf(!volumeFits(*limit, *c, 1), "Text28", "Limit must be in " +
                                                               run.shown(Decimal::of("0.1").times(*c), 2) + " " +
                                                               limitUnit + " resolution");
            }
        }
    }
    return std::move(run).messages();
}

}  // namespace mc::protocols
