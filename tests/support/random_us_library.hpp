#pragma once
// The one generator of US drug libraries for the tests: department names and
// entries that pass "OK", each text as a technician may type it (awkward
// characters, numbers written in several ways). Only the bolus value its time
// units use is set, since the file carries no other.

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "druglib_us/core/drug_page.hpp"
#include "shell/core/decimal.hpp"

namespace mc::testing {

class RandomUsLibrary {
public:
    explicit RandomUsLibrary(unsigned seed) : random_(seed) {}

    int between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
    std::string oneOf(const std::vector<std::string>& items) {
        return items[static_cast<std::size_t>(between(0, static_cast<int>(items.size()) - 1))];
    }

    // 1..maxLength Latin-1 characters without controls, now and then a piece
    // of the file's keys; never "WLS=", which no drug name may hold.
    std::string text(int maxLength) {
        std::string text;
        while (text.empty() || text.find("WLS=") != std::string::npos) {
            text.clear();
            for (int i = between(1, maxLength); i > 0; --i)
                text += between(1, 10) == 1 ? oneOf({",", "=", " ", ";", "\"", "\xE9", "DN=", ",C=", "TYPE="})
                                            : std::string(1, static_cast<char>(between(32, 126)));
            text.resize(std::min(text.size(), static_cast<std::size_t>(maxLength)));
        }
        return text;
    }

    // `units` steps of 10^-digits, typed in one of several ways.
    std::string number(int units, int digits) {
        const std::string text = Decimal::shortestText(units, digits);
        switch (between(0, 5)) {
        case 0: return text + (text.find('.') == std::string::npos ? ".0" : "0");
        case 1: return " " + text + " ";
        case 2: return text.starts_with('-') ? text : "+" + text;
        case 3: return text.starts_with("0.") ? text.substr(1) : text;
        default: return text;
        }
    }

    druglib_us::DrugEntry entry() {
        druglib_us::DrugEntry e;
        e.DrugName = text(druglib_us::DrugNameLength);
        e.WeightLowerSoft = static_cast<std::int16_t>(between(0, 250));
        e.WeightUpperSoft = static_cast<std::int16_t>(between(std::max<int>(e.WeightLowerSoft, 1), 250));
        e.ConcUnits = oneOf({"MG/ML", "U/ML", "MCG/ML", "MU/ML"});
        e.Concentration = number(between(1, 1000000), e.ConcUnits == "MG/ML" || e.ConcUnits == "U/ML" ? 3 : 0);
        e.DoseUnits = oneOf(druglib_us::doseUnitsFor(e.ConcUnits));
        ascending({&e.DoseRateLowerHard, &e.DoseRateLowerSoft, &e.DoseRateInitial, &e.DoseRateUpperSoft,
                   &e.DoseRateUpperHard}, 1, 10000000, 3);
        e.BolusMode = oneOf({"WEIGHT", "VOLUME"});
        const bool volume = e.BolusMode == "VOLUME";
        const int maximum = volume ? 1000 : 10000000, digits = volume ? 1 : 3;
        ascending({&e.BolusLowerHard, &e.BolusLowerSoft, &e.BolusUpperSoft, &e.BolusUpperHard}, volume ? 0 : -1000,
                  maximum, digits);
        e.BolusInitial = number(between(0, maximum), digits);
        e.BolusTimeUnits = oneOf({"NOTIME", "HH:MM", "MM", "SS"});
        const int minutes = between(1, 119);  // "H:MM" or "HH:MM" up to 1:59
        const std::string mm = std::to_string(100 + minutes % 60).substr(1);
        if (e.BolusTimeUnits == "NOTIME") e.BolusRate = number(between(1, 12000), 1);
        else if (e.BolusTimeUnits == "HH:MM") e.BolusTime = oneOf({"", "0"}) + std::to_string(minutes / 60) + ":" + mm;
        else e.BolusTime = number(between(1, e.BolusTimeUnits == "SS" ? 3600 : 60), 0);
        e.DrugDepartments = between(1, (1 << druglib_us::DepartmentCount) - 1);
        return e;
    }

    druglib_us::UsDrugLibrary library(int drugs) {
        druglib_us::UsDrugLibrary library;
        for (int d = 1; d <= druglib_us::DepartmentCount; ++d)
            if (between(1, 10) <= 7) library.DepartmentName[d] = text(druglib_us::DepartmentNameLength);
        library.DrugCount = drugs;
        for (int n = 1; n <= drugs; ++n) library.Drug[n] = entry();
        return library;
    }

private:
    // Number texts of values in low..high, ascending in the order of `texts`.
    void ascending(const std::vector<std::string*>& texts, int low, int high, int digits) {
        std::vector<int> values;
        for (std::size_t i = 0; i < texts.size(); ++i) values.push_back(between(low, high));
        std::sort(values.begin(), values.end());
        for (std::size_t i = 0; i < texts.size(); ++i) *texts[i] = number(values[i], digits);
    }

    std::mt19937 random_;
};

}  // namespace mc::testing
