// The "Protocol Data" page: every rule at its limits with Dosavia OFF and ON
// in each concentration unit, with its message and the field it marks; what
// the page shows of a stored protocol and what it stores.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>

#include "protocols/core/protocol_page.hpp"

namespace mc::protocols {
namespace {

const NumberFormat Point{'.'};
using Changes = std::vector<std::pair<const char*, const char*>>;  // control, text

// A protocol that passes, every volume value 0, with some fields changed.
ProtocolPage protocol(const char* dosavia, const char* unit, const char* concentration, const Changes& changes = {}) {
    ProtocolPage page{"Morphine", "", dosavia, "0", "0", "100", unit, concentration, "0", "0", "Patient Bolus",
                      "0", "0", "15", "0"};
    const auto& rows = protocolRows(Variant::Rx);
    for (const auto& [control, text] : changes)
        page.*std::find_if(rows.begin(), rows.end(), [&](auto& row) { return row.field.control == control; })->value = text;
    return page;
}

const ProtocolLimits Allowed{"1", "1", "30", "10"};  // Dosavia, Auto-bolus, Maximum Basal Rate, Minimum Lock Out

FieldMessages ok(const ProtocolPage& page, const ProtocolLimits& limits = Allowed) {
    return checkProtocol(page, limits, Point);
}

// Per Dosavia and unit, the limits of the rates (Initial Rate, Titration
// Limit), the doses (Bolus Dose, Maximum Bolus) and the Limit in the drug's
// units: each maximum, the next step past it, a value off the step just below
// it, and the maxima and steps as the messages show them.
struct VolumeLimits {
    const char *dosavia, *unit, *concentration, *rateUnit, *doseUnit;
    std::array<const char*, 3> maximum, pastMaximum, offStep, maximumShown;  // rate, dose, Limit
    const char *step, *limitStep;
};

TEST(ProtocolRules, RatesDosesAndLimitAtTheirLimitsInEachUnit) {
    const VolumeLimits units[] = {
        {"OFF", "mL Only", "", "mL/hr", "mL", {"30", "25.5", "273.1"}, {"30.1", "25.6", "273.2"},
         {"29.95", "25.45", "273.05"}, {"30.00", "25.50", "273.10"}, "0.10", "0.10"},
        {"OFF", "mg/mL", "2", "mg/hr", "mg", {"60", "51", "546.2"}, {"60.2", "51.2", "546.4"}, {"59.9", "50.9", "546.1"},
         {"60.00", "51.00", "546.20"}, "0.20", "0.20"},
        {"OFF", "mcg/mL", "50", "mcg/hr", "mcg", {"1500", "1275", "13655"}, {"1505", "1280", "13660"},
         {"1497.5", "1272.5", "13652.5"}, {"1500.00", "1275.00", "13655.00"}, "5.00", "5.00"},
        {"ON", "mL Only", "", "mL/kg/hr", "mL/kg", {"65.565", "0.255", "655.65"}, {"65.566", "0.256", "655.66"},
         {"65.5645", "0.2545", "655.645"}, {"65.5650", "0.2550", "655.650"}, "0.0010", "0.010"},
        {"ON", "mg/mL", "2", "mg/kg/hr", "mg/kg", {"131.13", "0.51", "1311.3"}, {"131.132", "0.512", "1311.32"},
         {"131.129", "0.509", "1311.29"}, {"131.1300", "0.5100", "1311.300"}, "0.0020", "0.020"},
        {"ON", "mcg/mL", "50", "mcg/kg/hr", "mcg/kg", {"3278.25", "12.75", "32782.5"}, {"3278.3", "12.8", "32783"},
         {"3278.225", "12.725", "32782.25"}, {"3278.2500", "12.7500", "32782.500"}, "0.0500", "0.500"},
    };
    // Which limits a field takes, and what a negative value also says against the field before it.
    struct Field { const char *control, *name; std::size_t limits; const char* crossCheck; };
    const Field fields[] = {{"Text23", "Initial Rate", 0, ""}, {"Text24", "Titration Limit", 0, "Titration Limit must be >= Initial Rate"},
                            {"Text25", "Bolus Dose", 1, ""}, {"Text26", "Maximum Bolus", 1, "Maximum Bolus must be >= Bolus Dose"},
                            {"Text28", "Limit", 2, ""}};
    for (const VolumeLimits& u : units) {
        // Titration Limit, Maximum Bolus and Limit at their maxima; the rest 0.
        const Changes atMaxima{{"Text24", u.maximum[0]}, {"Text26", u.maximum[1]}, {"Text28", u.maximum[2]}};
        auto with = [&](const char* control, const char* value) {
            Changes changes = atMaxima;
            changes.emplace_back(control, value);
            return checkProtocol(protocol(u.dosavia, u.unit, u.concentration, changes), Allowed, Point);
        };
        for (const Field& f : fields) {
            const std::string unit = f.limits == 1 ? u.doseUnit : u.rateUnit, name = f.name;
            const std::string at = std::string(u.dosavia) + " " + u.unit + " " + f.control;
            EXPECT_EQ(with(f.control, u.maximum[f.limits]), FieldMessages{}) << at;
            EXPECT_EQ(with(f.control, u.pastMaximum[f.limits]),
                      (FieldMessages{{f.control, name + " must be <= " + u.maximumShown[f.limits] + " " + unit}})) << at;
            EXPECT_EQ(with(f.control, u.offStep[f.limits]),
                      (FieldMessages{{f.control, name + " must be in " + (f.limits == 2 ? u.limitStep : u.step) + " " +
                                                     unit + " resolution"}})) << at;
            // The Limit has no lower bound of its own: the Titration Limit is its least.
            FieldMessages negative{{f.control, f.limits == 2 ? "Limit must be >= " + std::string(u.maximum[0]) + " " + unit
                                                             : name + " must be >= 0 " + unit}};
            if (*f.crossCheck) negative.push_back({f.control, f.crossCheck});
            EXPECT_EQ(with(f.control, "-1"), negative) << at;
        }
        // No Limit: with Dosavia OFF, whatever the Titration Limit.
        EXPECT_EQ(with("Text28", "0"), (std::string(u.dosavia) == "OFF"
                                          ? FieldMessages{}
                                          : FieldMessages{{"Text28", "Limit must be >= " + std::string(u.maximum[0]) +
                                                                         " " + u.rateUnit}}));
    }
}

// A typed field's range and resolution, as for the volume values above.
struct Range {
    const char *control, *name, *maximum, *pastMaximum, *above, *minimum, *pastMinimum, *below, *onStep, *offStep,
        *resolution;
};

TEST(ProtocolRules, WeightsBagConcentrationAndLockoutAtTheirLimits) {
    const Range ranges[] = {
        {"Text19", "Min. Patient weight", "200", "201", "<= 200 kg", "0", "-1", ">= 0 kg", "7", "2.5", "in 1 kg resolution"},
        {"Text20", "Max. Patient weight", "200", "201", "<= 200 kg", "0", "-1", "> 0 kg", "7", "2.5", "in 1 kg resolution"},
        {"Text21", "Bag Volume", "1000", "1000.1", "< 1000 mL", "0", "-0.1", "> 0 mL", "0.1", "0.15", "in 0.1 mL resolution"},
        {"Text22", "Concentration", "999", "999.1", "<= 999 mg/mL", "0.1", "0", "> 0 mg/mL", "0.2", "0.15",
         "in 0.1 mg/mL resolution"},
        {"Text27", "Lockout Time", "255", "256", "<= 255 Minutes", "10", "9", ">= 10 Minutes", "16", "15.5",
         "in 1 Minute resolution"},
    };
    for (const Range& r : ranges) {
        const std::string name = r.name;
        auto with = [&](const char* value) {
            return ok(protocol("OFF", "mg/mL", "2", {{"Text20", "200"}, {r.control, value}}));  // no weight above the max
        };
        auto refused = [&](const char* what) { return FieldMessages{{r.control, name + " must be " + what}}; };
        for (const char* accepted : {r.maximum, r.minimum, r.onStep}) EXPECT_EQ(with(accepted), FieldMessages{}) << accepted;
        EXPECT_EQ(with(r.pastMaximum), refused(r.above));
        EXPECT_EQ(with(r.pastMinimum), refused(r.below));
        EXPECT_EQ(with(r.offStep), refused(r.resolution));
        EXPECT_EQ(with("1x"), refused("numbers only"));
        EXPECT_EQ(with(""), (FieldMessages{refused("entered")[0], refused("numbers only")[0]}));
    }
}

TEST(ProtocolRules, SettingsUnitsAndTheOrderOfTheRules) {
    const ProtocolLimits notAllowed{"0", "0", "30", "10"};
    const ProtocolLimits noBasalLimit{"1", "1", "", "10"}, noDosaviaSetting{"", "1", "30", "10"},
        noLockOutLimit{"1", "1", "30", ""};
    struct Case { ProtocolPage page; FieldMessages expected; ProtocolLimits limits = Allowed; };
    const Case cases[] = {
        {protocol("ON", "mg/mL", "2"), {{"Combo20", "Dosavia not Allowed. Enable Dosavia. "}}, notAllowed},
        {protocol("OFF", "mg/mL", "2", {{"Text19", "1"}}),
         {{"Text19", "With Dosavia not Allowed Min. Patient weight not used and must be 0"}}, notAllowed},
        {protocol("OFF", "mg/mL", "2", {{"Text20", "1"}}),
         {{"Text20", "With Dosavia not Allowed Max. Patient weight not used and must be 0"}}, notAllowed},
        // Auto-bolus not allowed is said even after another failure.
        {protocol("OFF", "mg/mL", "2", {{"Text21", "1000.1"}, {"Combo22", "Auto-bolus"}}),
         {{"Text21", "Bag Volume must be < 1000 mL"}, {"Combo22", "Auto-Bolus not Allowed. Enable Auto-Bolus."}}, notAllowed},
        {protocol("OFF", "mg/mL", "2", {{"Text19", "0"}, {"Text20", "0"}}), {}, notAllowed},
        {protocol("ON", "mg/mL", "2", {{"Combo22", "Auto-bolus"}}), {}},
        {protocol("OFF", "mg/mL", "2", {{"Text19", "500"}, {"Text20", "2.5"}}), {}, noDosaviaSetting},  // no weight rows
        {protocol("OFF", "mg/mL", "2", {{"Text19", "10"}, {"Text20", "10"}}), {}},
        {protocol("OFF", "mg/mL", "2", {{"Text19", "10"}, {"Text20", "9"}}),
         {{"Text20", "Max. Patient weight must be >= Min. Patient weight"}}},
        // Without a Maximum Basal Rate, and without Dosavia shown, the rates have no upper limit.
        {protocol("OFF", "mL Only", "", {{"Text23", "500"}, {"Text24", "500"}}), {}, noBasalLimit},
        {protocol("", "mg/mL", "2", {{"Text23", "1000.01"}, {"Text24", "1000.01"}}), {}},
        {protocol("OFF", "mL Only", "", {{"Text23", "5"}, {"Text24", "4.9"}}), {{"Text24", "Titration Limit must be >= Initial Rate"}}},
        {protocol("OFF", "mL Only", "", {{"Text25", "2"}, {"Text26", "1.9"}}), {{"Text26", "Maximum Bolus must be >= Bolus Dose"}}},
        {protocol("OFF", "mcg/mL", "999.1"), {{"Text22", "Concentration must be <= 999 mcg/mL"}}},
        // The concentration rows do not stop at the first that fails.
        {protocol("OFF", "mg/mL", "1000.05"),
         {{"Text22", "Concentration must be <= 999 mg/mL"}, {"Text22", "Concentration must be in 0.1 mg/mL resolution"}}},
        {protocol("OFF", "mL Only", ""), {}},
        {protocol("OFF", "mL Only", "0"), {}},
        {protocol("OFF", "mL Only", "1"), {}},
        {protocol("OFF", "mL Only", "2"), {{"Text22", "Concentration can not be entered at mL Only"}}},
        {protocol("OFF", "", "2"), {{"Combo21", "Concentration units must be selected"}}},
        {protocol("OFF", "mg/mL", "2", {{"Text27", "0"}}), {}, noLockOutLimit},
        // After a failure only the entered and numbers-only rules run.
        {protocol("OFF", "mg/mL", "2", {{"Text21", "x"}, {"Text23", "999"}, {"Text27", ""}}),
         {{"Text21", "Bag Volume must be numbers only"}, {"Text27", "Lockout Time must be entered"},
          {"Text27", "Lockout Time must be numbers only"}}},
    };
    for (const Case& c : cases) EXPECT_EQ(ok(c.page, c.limits), c.expected) << c.page.name << c.page.concentration;
    EXPECT_EQ(checkProtocol(protocol("OFF", "mL Only", "", {{"Text23", "30,1"}, {"Text24", "30,1"}}), Allowed, NumberFormat{','}),
              (FieldMessages{{"Text23", "Initial Rate must be <= 30,00 mL/hr"}}));
}

TEST(ProtocolPage, StoresVolumeValuesExactlyAndShowsThemInTheDrugUnits) {
    struct Stored {
        ProtocolPage page;
        const char *stored, *shown;  // Initial Rate, Titration Limit, Bolus Dose, Maximum Bolus, Limit
        NumberFormat format = Point;
    };
    const Stored cases[] = {
        {protocol("OFF", "mg/mL", "2", {{"Text23", "3"}, {"Text24", "4"}, {"Text25", "1"}, {"Text28", "20"}}),
         "1.5 2.0 0.5 0.0 10.0", "3.0 4.0 1.0 0.0 20.0"},
        {protocol("ON", "mg/mL", "2", {{"Text23", "0.25"}, {"Text24", "1"}, {"Text25", "0.1"}, {"Text28", "20"}}),
         "0.125 0.500 0.050 0.000 10.000", "0.250 1.000 0.100 0.000 20.000"},
        {protocol("OFF", "mL Only", "7", {{"Text23", "2"}, {"Text24", "2."}}), "2.0 2.0 0.0 0.0 0.0", "2.0 2.0 0.0 0.0 0.0"},
        {protocol("OFF", "mcg/mL", "0.3", {{"Text23", "0.03"}, {"Text24", "0.09"}}), "0.1 0.3 0.0 0.0 0.0",
         "0.03 0.09 0.0 0.0 0.0"},  // the exact drug amount, with more decimals where it needs them
        {protocol("OFF", "mg/mL", "2,5", {{"Text23", "2,5"}, {"Text25", "0,25"}}), "1,0 0,0 0,1 0,0 0,0",
         "2,5 0,0 0,25 0,0 0,0", NumberFormat{','}},
    };
    for (const Stored& c : cases) {
        ProtocolMacro m;
        storeProtocol(m, 3, c.page, Variant::Rx, c.format);
        EXPECT_EQ(m.ProtocolInitialRate[3] + " " + m.ProtocolTitrationLimit[3] + " " + m.ProtocolBolusDose[3] + " " +
                      m.ProtocolMaxBolus[3] + " " + m.ProtocolLimit[3], c.stored);
        const ProtocolPage p = shownProtocol(m, 3, Variant::Rx, c.format);
        EXPECT_EQ(p.initialRate + " " + p.titrationLimit + " " + p.bolusDose + " " + p.maxBolus + " " + p.limit, c.shown);
        EXPECT_EQ(p.dosavia + " " + p.concentrationUnit + " " + p.concentration,
                  c.page.dosavia + " " + c.page.concentrationUnit + " " + (c.page.concentration == "7" ? "" : c.page.concentration));
    }
    ProtocolMacro macro;
    storeProtocol(macro, 1, protocol("OFF", "mL Only", "", {{"Text18", "Morphine"}, {"Text17", "HCl"}}), Variant::Rx, Point);
    EXPECT_EQ(protocolList(macro).front(), "A:Morphine            HCl");
    EXPECT_EQ(protocolList(macro).back(), "Z:");
    const ProtocolPage shown = shownProtocol(macro, 1, Variant::Rx, Point);
    EXPECT_EQ(shown.name + "|" + shown.secondName, "Morphine            |HCl");
    EXPECT_EQ(shownProtocol(macro, 1, Variant::Kt, Point).name, "Morphine            HCl");
    storeProtocol(macro, 2, protocol("ON", "mL Only", "", {{"Text17", "HCl"}, {"Combo22", "Auto-bolus"}}), Variant::Kt, Point);
    EXPECT_EQ(macro.ProtocolDrugName[2] + macro.ProtocolDosavia[2] + macro.ProtocolBolusType[2] + macro.ProtocolConcUnit[2],
              "Morphine110");
}

TEST(ProtocolPage, ShowsStoredTextsAsMemoryHoldsThem) {
    struct Shown { const char *unit, *concentration, *stored, *shown, *shownUnit; };
    for (const Shown& c : {Shown{"0", "", "abc", "", "mL Only"}, {"0", "", "1", "1", "mL Only"}, {"1", "2", "", "", "mg/mL"},
                           {"0", "", "12.500", "12.500", "mL Only"}, {"2", "0.3", "0.1", "0.03", "mcg/mL"},
                           {"1", "2", ".5", "1.0", "mg/mL"}, {"1", "x", "1.5", "", "mg/mL"}, {"7", "2", "1.5", "", ""}}) {
        ProtocolMacro macro;
        macro.ProtocolConcUnit[1] = c.unit;
        macro.ProtocolConcentration[1] = c.concentration;
        macro.ProtocolInitialRate[1] = c.stored;
        const ProtocolPage page = shownProtocol(macro, 1, Variant::Rx, Point);
        EXPECT_EQ(page.initialRate, c.shown) << c.unit << " " << c.stored;
        EXPECT_EQ(page.concentrationUnit, c.shownUnit);
        EXPECT_EQ(page.dosavia + page.bolusType, "OFFPatient Bolus");
    }
    // A damaged file's endless digits are neither multiplied out nor shown.
    ProtocolMacro damaged;
    damaged.ProtocolConcUnit[1] = damaged.ProtocolConcUnit[2] = "1";
    damaged.ProtocolConcentration[1] = "7." + std::string(200000, '3');
    damaged.ProtocolTitrationLimit[1] = "0.5";
    damaged.ProtocolConcentration[2] = "2";
    damaged.ProtocolInitialRate[2] = std::string(200000, '9');
    EXPECT_EQ(shownProtocol(damaged, 1, Variant::Rx, Point).titrationLimit, "");
    EXPECT_EQ(shownProtocol(damaged, 2, Variant::Rx, Point).initialRate, "");
    // Another Dosavia or unit empties the five values in volume units, and only them.
    const Changes typed{{"Text23", "1"}, {"Text24", "2"}, {"Text25", "3"}, {"Text26", "4"}, {"Text28", "5"}, {"Text27", "16"}};
    const Changes emptied{{"Text23", ""}, {"Text24", ""}, {"Text25", ""}, {"Text26", ""}, {"Text28", ""}, {"Text27", "16"}};
    ProtocolPage page = protocol("OFF", "mg/mL", "2", typed);
    chooseDosavia(page, "ON");
    EXPECT_EQ(page, protocol("ON", "mg/mL", "2", emptied));
    page = protocol("OFF", "mg/mL", "2", typed);
    chooseConcentrationUnit(page, "mcg/mL");
    EXPECT_EQ(page, protocol("OFF", "mcg/mL", "2", emptied));
}

}  // namespace
}  // namespace mc::protocols
