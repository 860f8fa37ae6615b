// The rules a protocol must meet before it is stored. Rates and doses are
// judged in volume units, typed value / concentration, exactly: a limit L in
// volume units is compared as typed against L x c, and "at most n decimals"
// means typed x 10^n / c is whole.

#include <optional>

#include "protocols/core/protocol_page.hpp"
#include "shell/core/number_text.hpp"

namespace mc::protocols {
namespace {

class Run {
public:
    explicit Run(const NumberFormat& format) : format_(format) {}

    bool ok() const { return messages_.empty(); }
    const std::string& messages() const { return messages_; }
    void fail(const std::string& message) { messages_ += message + "\r\n"; }
    bool failIf(bool failed, const std::string& message) {
        if (failed) fail(message);
        return failed;
    }

    // The entered and numbers-only rules; the value when it is a number.
    std::optional<Decimal> typed(const std::string& text, const std::string& name) {
        if (text.empty()) fail(name + " must be entered");
        if (!ToFloatVal(text, format_)) {
            fail(name + " must be numbers only");
            return std::nullopt;
        }
        return Decimal::parse(text, format_);
    }

    std::string shown(const Decimal& value, int decimals) const { return value.text(decimals, format_); }

private:
    const NumberFormat& format_;
    std::string messages_;
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

void checkVolume(Run& run, const std::string& name, const Decimal& value, const Decimal& c, Branch branch,
                 const VolumeLimits& limits, const std::string& unit) {
    if (branch == Branch::Neither) return;
    const bool on = branch == Branch::On;
    const int decimals = on ? 3 : 1;
    const std::optional<Decimal> maximum = on ? std::optional<Decimal>(Decimal::of(limits.onMaximum)) : limits.offMaximum;
    if (maximum && run.failIf(value > maximum->times(c), name + " must be <= " +
                                                          run.shown(maximum->times(c), on ? limits.onMaximumDecimals
                                                                                         : limits.offMaximumDecimals) +
                                                          " " + unit))
        return;
    if (run.failIf(value.isNegative(), name + " must be >= 0 " + unit)) return;
    const Decimal step = Decimal::of(on ? "0.001" : "0.1").times(c);
    run.failIf(!volumeFits(value, c, decimals),
               name + " must be in " + run.shown(step, on ? 4 : 2) + " " + unit + " resolution");
}

}  // namespace

std::string ProtocolPage::Check_Protocol(const Form& form, const ProtocolLimits& limits,
                                         const NumberFormat& format) const {
    Run run(format);
    const std::string& dosaviaShown = form["Combo20"].selectedText();
    const Branch branch = dosaviaShown == "ON" ? Branch::On : dosaviaShown == "OFF" ? Branch::Off : Branch::Neither;
    const std::string& allow = limits.allowDosavia;

    run.failIf(allow == "0" && dosaviaShown == "ON", "Dosavia not Allowed. Enable Dosavia. ");

    // Weights: judged by the stored Allow Dosavia setting.
    const auto minWeight = run.typed(form["Text19"].text, "Min. Patient weight");
    if (run.ok() && minWeight) {
        if (allow == "0") {
            run.failIf(!(*minWeight == zero()), "With Dosavia not Allowed Min. Patient weight not used and must be 0");
        } else if (allow == "1") {
            run.failIf(*minWeight > Decimal::of("200"), "Min. Patient weight must be <= 200 kg") ||
                run.failIf(minWeight->isNegative(), "Min. Patient weight must be >= 0 kg") ||
                run.failIf(!minWeight->isWholeAt(0), "Min. Patient weight must be in 1 kg resolution");
        }
    }
    const auto maxWeight = run.typed(form["Text20"].text, "Max. Patient weight");
    if (run.ok() && maxWeight) {
        if (allow == "0") {
            run.failIf(!(*maxWeight == zero()), "With Dosavia not Allowed Max. Patient weight not used and must be 0");
        } else if (allow == "1") {
            const Decimal minRounded = *Decimal::parse(std::to_string(minWeight->roundedAt(0)), format);
            run.failIf(*maxWeight > Decimal::of("200"), "Max. Patient weight must be <= 200 kg") ||
                run.failIf(maxWeight->isNegative(), "Max. Patient weight must be > 0 kg") ||
                run.failIf(!maxWeight->isWholeAt(0), "Max. Patient weight must be in 1 kg resolution") ||
                run.failIf(minRounded > *maxWeight, "Max. Patient weight must be >= Min. Patient weight");
        }
    }

    const auto bag = run.typed(form["Text21"].text, "Bag Volume");
    if (run.ok() && bag) {
        run.failIf(*bag > Decimal::of("1000"), "Bag Volume must be < 1000 mL") ||
            run.failIf(bag->isNegative(), "Bag Volume must be > 0 mL") ||
            run.failIf(!bag->isWholeAt(1), "Bag Volume must be in 0.1 mL resolution");
    }

    // Nothing divides by a concentration whose unit is unknown.
    const std::string& unit = form["Combo21"].selectedText();
    std::optional<Decimal> c;
    const std::string& concentration = form["Text22"].text;
    if (unit == "mg/mL" || unit == "mcg/mL") {
        c = run.typed(concentration, "Concentration");
        if (c) {
            run.failIf(*c > Decimal::of("999"), "Concentration must be <= 999 " + unit);
            run.failIf(!(*c > zero()), "Concentration must be > 0 " + unit);
            run.failIf(!c->isWholeAt(1), "Concentration must be in 0.1 " + unit + " resolution");
        }
    } else if (unit == "mL Only") {
        run.failIf(concentration != "" && concentration != "0" && concentration != "1",
                   "Concentration can not be entered at mL Only");
        c = Decimal::of("1");
    } else {
        run.fail("Concentration units must be selected");
    }

    const auto maximumBasalRate = settingNumber(limits.maximumBasalRate, format);
    const std::string& rateUnit = form["Label70"].text;
    const auto rate = run.typed(form["Text23"].text, "Initial Rate");
    if (run.ok() && rate) checkVolume(run, "Initial Rate", *rate, *c, branch, {"65.565", 4, maximumBasalRate, 2}, rateUnit);

    const auto titration = run.typed(form["Text24"].text, "Titration Limit");
    if (run.ok() && titration) {
        checkVolume(run, "Titration Limit", *titration, *c, branch, {"65.565", 4, maximumBasalRate, 2},
                    form["Label69"].text);
        run.failIf(*rate > *titration, "Titration Limit must be >= Initial Rate");
    }

    run.failIf(limits.autoBolus == "0" && form["Combo22"].selectedText() == "Auto-bolus",
               "Auto-Bolus not Allowed. Enable Auto-Bolus.");

    const auto bolus = run.typed(form["Text25"].text, "Bolus Dose");
    if (run.ok() && bolus)
        checkVolume(run, "Bolus Dose", *bolus, *c, branch, {"0.255", 4, Decimal::of("25.5"), 2}, form["Label68"].text);

    const auto maxBolus = run.typed(form["Text26"].text, "Maximum Bolus");
    if (run.ok() && maxBolus) {
        checkVolume(run, "Maximum Bolus", *maxBolus, *c, branch, {"0.255", 4, Decimal::of("25.5"), 2},
                    form["Label67"].text);
        run.failIf(*bolus > *maxBolus, "Maximum Bolus must be >= Bolus Dose");
    }

    const auto lockout = run.typed(form["Text27"].text, "Lockout Time");
    if (run.ok() && lockout) {
        const auto minimumLockOut = settingNumber(limits.minimumLockOut, format);
        run.failIf(*lockout > Decimal::of("255"), "Lockout Time must be <= 255 Minutes") ||
            run.failIf(minimumLockOut && *minimumLockOut > *lockout,
                       "Lockout Time must be >= " + limits.minimumLockOut + " Minutes") ||
            run.failIf(!lockout->isWholeAt(0), "Lockout Time must be in 1 Minute resolution");
    }

    const auto limit = run.typed(form["Text28"].text, "Limit");
    if (run.ok() && limit && branch != Branch::Neither) {
        const std::string& limitUnit = form["Label65"].text;
        const std::string atLeast = "Limit must be >= " + form["Text24"].text + " " + limitUnit;
        if (branch == Branch::On) {
            const Decimal maximum = Decimal::of("655.65").times(*c);
            run.failIf(*limit > maximum, "Limit must be <= " + run.shown(maximum, 3) + " " + limitUnit) ||
                run.failIf(*titration > *limit, atLeast) ||
                run.failIf(!volumeFits(*limit, *c, 2), "Limit must be in " +
                                                           run.shown(Decimal::of("0.01").times(*c), 3) + " " +
                                                           limitUnit + " resolution");
        } else {
            const Decimal maximum = Decimal::of("273.1").times(*c);
            if (!run.failIf(*limit > maximum, "Limit must be <= " + run.shown(maximum, 2) + " " + limitUnit) &&
                !(*limit == zero())) {
                run.failIf(*titration > *limit, atLeast) ||
                    run.failIf(!volumeFits(*limit, *c, 1), "Limit must be in " +
                                                               run.shown(Decimal::of("0.1").times(*c), 2) + " " +
                                                               limitUnit + " resolution");
            }
        }
    }
    return run.messages();
}

}  // namespace mc::protocols
