#pragma once
// Random drug libraries of the 510 pump, both releases, the same for the same seed.

#include <algorithm>
#include <random>
#include <string>
#include <string_view>
#include <tuple>
#include <utility>

#include "druglib_dual/core/drug_library.hpp"
#include "druglib_dual/core/unit_codes.hpp"

namespace mc::testing {

enum class Tm2Drugs {
    // As the release's editor stores them: units it offers, limits its rules accept, each minimum at most
    // its maximum; names of letters, digits, Latin-1 and what a CSV file must quote.
    Stored,
    // Any unit byte, limit code and 24-bit mask; names of any printable Latin-1, often ending in blanks.
    AnyField,
};

class RandomTm2Library {
public:
    explicit RandomTm2Library(unsigned seed) : random_(seed) {}

    int between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
    std::uint32_t code(int high) { return static_cast<std::uint32_t>(between(0, high)); }

    std::string text(int longest, Tm2Drugs drugs) {
        static constexpr std::string_view Letters =
            "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789 -,;\"\xB5\xE9";
        std::string text(static_cast<std::size_t>(between(0, longest)), ' ');
        for (char& c : text) {
            const int any = between(0x20, 0xDE);  // 0x20..0x7E and 0xA0..0xFF
            c = drugs == Tm2Drugs::Stored ? Letters[code(static_cast<int>(Letters.size()) - 1)]
                                          : static_cast<char>(any < 0x7F ? any : any + 0x21);
        }
        if (drugs == Tm2Drugs::AnyField && !text.empty() && between(0, 1) == 0) text.back() = ' ';
        return text;
    }

    // Drugs in a random count of slots.
    druglib::DrugLibrary operator()(druglib::Release release, Tm2Drugs drugs) {
        using namespace druglib;
        const bool r041 = release == Release::R041;
        DrugLibrary library;
        for (int d = 1; d <= DepartmentCount; ++d) library.DepartmentNames[d] = text(20, drugs);
        if (r041) library.LibraryName = text(11, drugs);
        for (int filled = between(0, DrugCount); filled > 0; --filled) {
            const int n = between(1, DrugCount);
            library.DrugNames[n] = text(r041 ? 14 : 10, drugs);
            library.DepartmentMasks[n] = code(0xFFFFFF);
            auto conc = ordered(0xFFFF), dose = ordered(0xFFFF);
            if (drugs == Tm2Drugs::AnyField) {
                library.DrugUnitCodes[n] = code(0xFF);
                conc = {code(0xFFFF), code(0xFFFF)};  // a minimum above its maximum too
            } else if (!r041) {
                library.DrugUnitCodes[n] = code(3);
            } else {
                const int index = between(0, ConcentrationUnitCount - 1);
                const ConcentrationUnit& unit = concentrationUnits()[static_cast<std::size_t>(index)];
                const int doseIndex = *doseIndexAt(unit, between(0, static_cast<int>(unit.doseUnits.size()) - 1));
                library.DrugUnitCodes[n] = makeUnitCode(index, unit.vialUnits.size() > 1 ? between(0, 1) : 0, doseIndex);
                conc = index == 7 ? std::pair{0u, 0u} : ordered(28000, 10);  // "mL Only" none, else 0 or 0.01 to 1000
                dose = ordered(29500);                                        // 0 to 2500
            }
            std::tie(library.ConcMinCodes[n], library.ConcMaxCodes[n]) = conc;
            std::tie(library.DoseMinCodes[n], library.DoseMaxCodes[n]) = dose;
        }
        return library;
    }

private:
    // Two codes of 0..high, the smaller first; codes 1..below-1 become 0.
    std::pair<std::uint32_t, std::uint32_t> ordered(int high, int below = 0) {
        auto pick = [&] {
            const std::uint32_t c = code(high);
            return c < static_cast<std::uint32_t>(below) ? 0u : c;
        };
        const std::uint32_t a = pick(), b = pick();
        return {std::min(a, b), std::max(a, b)};
    }

    std::mt19937 random_;
};

}  // namespace mc::testing
