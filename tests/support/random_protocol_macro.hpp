#pragma once
// The one generator of pump command macros for the tests: settings and
// protocols as the pages store them after "OK", in a regional number format,
// some settings and protocols left empty.

#include <random>
#include <string>
#include <vector>

#include "protocols/core/protocol_macro.hpp"
#include "shell/core/decimal.hpp"
#include "shell/core/text.hpp"

namespace mc::testing {

class RandomProtocolMacro {
public:
    RandomProtocolMacro(unsigned seed, protocols::Variant variant, NumberFormat format)
        : random_(seed), variant_(variant), format_(format) {}

    protocols::ProtocolMacro macro() {
        protocols::ProtocolMacro m;
        auto& s = m.PumpSettings;
        for (int field : {1, 2, 3, 4}) s[field] = std::to_string(pick(0, 32767));
        for (int field = 5; field <= 12; ++field) s[field] = std::to_string(pick(0, 3));
        for (int field : {13, 17, 19, 20, 29, 30}) s[field] = maybeEmpty(std::to_string(pick(0, 1)));
        for (int field : {14, 15, 16, 21}) s[field] = number(5, 2);
        s[18] = variant_ == protocols::Variant::Rx ? std::to_string(pick(25, 110) * 10) : std::to_string(pick(0, 2));
        for (int field : {22, 23, 24, 25, 26, 32}) s[field] = number(1000, 1);
        s[27] = std::to_string(pick(1, 7));
        s[28] = std::to_string(pick(2, 7));
        s[31] = maybeEmpty(std::vector<std::string>{"0", "1", "4", "24"}[static_cast<std::size_t>(pick(0, 3))]);
        for (int field : {33, 34, 35}) s[field] = std::to_string(pick(0, 255));
        if (variant_ == protocols::Variant::Rx) s[35] = "";
        for (int n = 1; n <= protocols::ProtocolCount; ++n)
            if (pick(0, 4) != 0) fill(m, n);
        return m;
    }

    // A name as the Save page takes it: 1 to 8 characters.
    std::string name() {
        std::string text;
        for (int i = pick(1, 8); i > 0; --i) text += static_cast<char>(pick('A', 'Z'));
        return text;
    }

private:
    int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
    std::string maybeEmpty(std::string text) { return pick(0, 9) == 0 ? "" : text; }

    // Up to `whole`, with `decimals` digits after the regional separator or none.
    std::string number(int whole, int decimals) { return std::to_string(pick(0, whole)) + fraction(decimals); }
    std::string fraction(int decimals) {
        if (pick(0, 1) == 0) return "";
        std::string text(1, format_.decimalSeparator);
        for (int i = 0; i < decimals; ++i) text += static_cast<char>('0' + pick(0, 9));
        return text;
    }

    // Printable Latin-1, up to `maxLength` characters.
    std::string text(int maxLength) {
        std::string result;
        for (int i = pick(0, maxLength); i > 0; --i) {
            const int c = pick(0x20, 0x7E + 96);
            result += static_cast<char>(c <= 0x7E ? c : c - 0x7F + 0xA0);
        }
        return result;
    }

    void fill(protocols::ProtocolMacro& m, int n) {
        const std::string second = variant_ == protocols::Variant::Rx && pick(0, 1) ? text(20) : "";
        m.ProtocolDrugName[n] = second.empty() ? text(variant_ == protocols::Variant::Rx ? 20 : 18)
                                               : padRight(text(20), 20) + second;
        m.ProtocolDosavia[n] = std::to_string(pick(0, 1));
        m.ProtocolMinWeight[n] = std::to_string(pick(0, 200));
        m.ProtocolMaxWeight[n] = std::to_string(pick(0, 200));
        m.ProtocolBagVolume[n] = number(1000, 1);
        m.ProtocolConcUnit[n] = std::to_string(pick(0, 2));
        // Never "0": the pages store no such concentration, and its line would read as "mL Only".
        m.ProtocolConcentration[n] = m.ProtocolConcUnit[n] == "0" ? "" : std::to_string(pick(1, 999)) + fraction(1);
        // Volume values: exactly 1 decimal with Dosavia OFF, 3 with ON.
        for (auto array : {&protocols::ProtocolMacro::ProtocolInitialRate,
                           &protocols::ProtocolMacro::ProtocolTitrationLimit, &protocols::ProtocolMacro::ProtocolBolusDose,
                           &protocols::ProtocolMacro::ProtocolMaxBolus, &protocols::ProtocolMacro::ProtocolLimit}) {
            std::string value = std::to_string(pick(0, 999)) + format_.decimalSeparator;
            for (int i = m.ProtocolDosavia[n] == "1" ? 3 : 1; i > 0; --i) value += static_cast<char>('0' + pick(0, 9));
            (m.*array)[n] = value;
        }
        m.ProtocolBolusType[n] = std::to_string(pick(0, 1));
        m.ProtocolLockoutTime[n] = std::to_string(pick(0, 255));
    }

    std::mt19937 random_;
    protocols::Variant variant_;
    NumberFormat format_;
};

}  // namespace mc::testing
