// The 14 printed pages: the settings as their page shows them, then two
// protocols a page, each in its own units.

#include <gtest/gtest.h>

#include <tuple>

#include "protocols/core/protocol_printout.hpp"

namespace mc::protocols {
namespace {

using Lines = std::vector<std::string>;

// A printed field line: the caption in a column of 40, then the value.
std::string line(const std::string& caption, const std::string& value) {
    return caption + std::string(caption.size() < 40 ? 40 - caption.size() : 0, ' ') + value;
}

// The body of a page: without its title and the footer every page ends with.
Lines body(const ProtocolMacro& macro, Variant variant, int page, const ProtocolUnits& units = firstProtocolUnits()) {
    const auto pages = protocolPrintout(macro, variant, NumberFormat{}, "06/12/2026", "05:00", units);
    EXPECT_EQ(pages.size(), 14u);
    const Lines footer = signatureFooter("06/12/2026", "05:00");
    const PrintedPage& printed = pages.at(static_cast<std::size_t>(page - 1));
    EXPECT_EQ(Lines(printed.end() - std::ssize(footer), printed.end()), footer);
    EXPECT_EQ(printed[0], "Protocol ABC      " + std::string(page == 1 ? "Setting" : "Protocols") + " (page " +
                              std::to_string(page) + " of 14)");
    return {printed.begin() + 1, printed.end() - std::ssize(footer)};
}

ProtocolMacro printedMacro() {
    ProtocolMacro m;
    const char* settings[] = {"1", "2", "3", "4", "1", "2", "3", "0", "1", "2", "3", "0", "1", "0.1", "2", "0.5", "1", "400",
                              "0", "1", "0.5", "2", "350", "100", "1", "30", "5", "2", "1", "1", "", "5", "10", "5", "30"};
    for (int field = 1; field <= MaxSettingCount; ++field) m.PumpSettings[field] = settings[field - 1];
    m.MacroTitle = "ABC     ";
    m.ProtocolDrugName[1] = "Morphine            PCA";
    m.ProtocolDosavia[1] = m.ProtocolBolusType[1] = m.ProtocolConcUnit[1] = "1";
    std::tie(m.ProtocolMinWeight[1], m.ProtocolConcentration[1], m.ProtocolInitialRate[1], m.ProtocolLimit[1]) =
        std::tuple("40", "2", "0.125", "0.500");
    return m;
}

TEST(Printout, SettingsPageInPageOrderWithUnits) {
    const Lines page = body(printedMacro(), Variant::Rx, 1);
    ASSERT_EQ(page.size(), 35u);
    EXPECT_EQ(Lines(page.begin(), page.begin() + 5),
              (Lines{line("Technician Code", "1"), line("Level One Code", "2"), line("Level Three Code", "4"),
                     line("Level Two Code", "3"), line("Resume Access", "Level One")}));
    // An unchosen Limit Period prints not even its unit.
    EXPECT_EQ(Lines({page[12], page[13], page[17], page[30], page[33], page[34]}),
              (Lines{line("Handset Key Type", "Code switch"), line("Minimum Pressing time", "0.1 seconds"),
                     line("Pressure Level", "400 mmHg"), line("Limit Period", ""), line("Info screen duration", "5 seconds"), ""}));
    ProtocolMacro kt = printedMacro();
    kt.PumpSettings[18] = "1";
    kt.PumpSettings[31] = "24";
    const Lines ktPage = body(kt, Variant::Kt, 1);
    ASSERT_EQ(ktPage.size(), 36u);
    EXPECT_EQ(Lines({ktPage[17], ktPage[30], ktPage[34]}), (Lines{line("Pressure Level", "Normal"), line("Limit Period", "24 hours"),
                                                                 line("Backlight duration", "30 seconds")}));
}

TEST(Printout, ProtocolsInTheirOwnUnitsAnEmptyOneInTheUnitsBeforeIt) {
    // Protocol B was never filled: no unit, so no concentration line, and the
    // unit labels as the protocol before it left them.
    auto empty = [](const char* letter, const std::string& rate, const std::string& dose, const std::string& limit) {
        return Lines{line("Protocol", letter), line("Drug Name", ""), line("", ""), line("Dosavia", "OFF"),
                     line("Min. Patient weight", " kg"), line("Max. Patient weight", " kg"), line("Bag Volume", " mL"),
                     line("Initial Rate", " " + rate), line("Titration Limit", " " + rate),
                     line("Bolus Type", "Patient Bolus"), line("Bolus Dose", " " + dose), line("Maximum Bolus", " " + dose),
                     line("Lockout Time", " Minutes"), line("Limit", " " + limit), "", ""};
    };
    Lines expected{line("Protocol", "A:"), line("Drug Name", "Morphine            "), line("", "PCA"),
                   line("Dosavia", "ON"), line("Min. Patient weight", "40 kg"), line("Max. Patient weight", " kg"),
                   line("Bag Volume", " mL"), line("Concentration", "2 mg/mL"), line("Initial Rate", "0.250 mg/kg/hr"),
                   line("Titration Limit", " mg/kg/hr"), line("Bolus Type", "Auto-bolus"), line("Bolus Dose", " mg/kg"),
                   line("Maximum Bolus", " mg/kg"), line("Lockout Time", " Minutes"), line("Limit", "1.000 mg/kg/hr"), "", ""};
    for (const auto& text : empty("B:", "mg/kg/hr", "mg/kg", "mg/kg/hr")) expected.push_back(text);
    EXPECT_EQ(body(printedMacro(), Variant::Rx, 2), expected);
    // Before any protocol with a unit, the labels the page showed: at first its own captions.
    ProtocolMacro none = printedMacro();
    none.ProtocolConcUnit[1] = "";
    expected = empty("Y:", "mL/hr", "mL", "ml/h/kg");
    for (const auto& text : empty("Z:", "mL/hr", "mL", "ml/h/kg")) expected.push_back(text);
    EXPECT_EQ(body(none, Variant::Rx, 14), expected);
    EXPECT_EQ(body(none, Variant::Rx, 2, {"mcg/hr", "mcg", "mcg/hr"})[23], line("Initial Rate", " mcg/hr"));
    // Macro_Creator prints one name line; mL Only stands alone, mcg/mL follows its value.
    none.ProtocolConcUnit[1] = "0";
    none.ProtocolConcUnit[2] = "2";
    none.ProtocolConcentration[2] = "50";
    const Lines kt = body(none, Variant::Kt, 2);
    EXPECT_EQ(Lines(kt.begin() + 1, kt.begin() + 3), (Lines{line("Drug Name", "Morphine            PCA"), line("Dosavia", "ON")}));
    EXPECT_EQ(kt[6], line("Concentration", "mL Only"));
    EXPECT_EQ(kt[22], line("Concentration", "50 mcg/mL"));
}

}  // namespace
}  // namespace mc::protocols
