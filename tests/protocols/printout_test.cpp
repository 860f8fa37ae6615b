#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

#include "protocols/core/protocol_printout.hpp"
#include "shell/core/print_page.hpp"

namespace mc::protocols {
namespace {

// A printed field line: the caption in a column of 40, then the value.
std::string line(const std::string& caption, const std::string& value) {
    return caption + std::string(caption.size() < 40 ? 40 - caption.size() : 0, ' ') + value;
}

Control label(const std::string& caption) {
    Control control;
    control.text = caption;
    return control;
}
Control list(std::vector<std::string> items, int selected = -1) {
    Control control;
    control.items = std::move(items);
    control.selected = selected;
    return control;
}

const std::vector<std::string> AccessLevels = {"No Code", "Level One", "Level Two", "Level Three"};
const std::vector<std::string> Switch = {"OFF", "ON"};

// The "Pump Setting" page as the settings editor leaves it: captions, unit
// labels, empty boxes and unchosen combos.
Form settingsPage(Variant variant) {
    Form page;
    const char* captions[] = {"Technician Code", "Level One Code", "Level Three Code", "Level Two Code",
                              "Resume Access", "Menu Access", "Select Protocol Access", "Modify Protocol Access",
                              "Bolus and Lockout Access", "Rate Titration Access", "Clinician Bolus Access",
                              "Change Set Up Access", "Handset Key Type", "Minimum Pressing time",
                              "Maximum Pressing time", "Minimum Interval time", "Auto-bolus", "Pressure Level",
                              "LED Indicator", "Bolus Titration", "Air-in-Line Limit", "Priming Volume",
                              "Priming Rate", "Bolus Rate", "KVO Rate", "Maximum Basal Rate", "Keystroke Volume",
                              "Alarm Sound Volume", "Allow Dosavia", "Limits Setting", "Limit Period",
                              "Max. Clinician Bolus", "Minimum Lock Out", "Info screen duration"};
    for (int n = 1; n <= 34; ++n) page.add("Label" + std::to_string(n), label(captions[n - 1]));
    const char* units[] = {"seconds", "minutes", "mL", "hours",   "mL/hr",   "mL/hr",  "mL/hr",
                           "mL/hr",   "mL",      "mL", "seconds", "seconds", "seconds"};
    for (int n = 38; n <= 50; ++n) page.add("Label" + std::to_string(n), label(units[n - 38]));
    for (int n = 1; n <= 16; ++n) page.add("Text" + std::to_string(n));
    for (int n = 1; n <= 8; ++n) page.add("Combo" + std::to_string(n), list(AccessLevels));
    page.add("Combo9", list({"Normaly open switch", "Code switch"}));
    for (const char* name : {"Combo10", "Combo12", "Combo13", "Combo16"}) page.add(name, list(Switch));
    page.add("Combo14", list({"1", "2", "3", "4", "5", "6", "7"}));
    page.add("Combo15", list({"2", "3", "4", "5", "6", "7"}));
    page.add("Combo17", list({"Volume", "Boluses"}));
    page.add("Combo18", list({"0", "1", "4", "24"}));
    if (variant == Variant::Rx) {
        page.add("Text31");
        page.add("Label35", label("mmHg"));
    } else {
        page.add("Combo11", list({"Low", "Normal", "High"}));
        page.add("Text17");
        page.add("Label35", label("Backlight duration"));
        page.add("Label37", label("seconds"));
    }
    return page;
}

// The "Protocol Data" page with every protocol's entry in the list.
Form protocolPage(Variant variant) {
    Form page;
    const char* captions[] = {"Protocol", "Drug Name", "Dosavia", "Min. Patient weight", "Max. Patient weight",
                              "Bag Volume", "Concentration", "Initial Rate", "Titration Limit", "Bolus Type",
                              "Bolus Dose", "Maximum Bolus", "Lockout Time", "Limit"};
    for (int n = 51; n <= 64; ++n) page.add("Label" + std::to_string(n), label(captions[n - 51]));
    const char* units[] = {"ml/h/kg", "Minutes", "mL", "mL", "mL/hr", "mL/hr", "mL", "kg", "kg"};
    for (int n = 65; n <= 73; ++n) page.add("Label" + std::to_string(n), label(units[n - 65]));
    std::vector<std::string> protocols;
    for (int k = 1; k <= ProtocolCount; ++k) protocols.push_back(std::string(1, protocolLetter(k)) + ":");
    page.add("Combo19", list(protocols, 0));
    for (int n = 18; n <= 28; ++n) page.add("Text" + std::to_string(n));
    if (variant == Variant::Rx) page.add("Text17");
    page.add("Combo20", list(Switch, 0));
    page.add("Combo21", list({"mL Only", "mg/mL", "mcg/mL"}));
    page.add("Combo22", list({"Patient Bolus", "Auto-bolus"}, 0));
    return page;
}

const std::vector<std::string> Footer = signatureFooter("06/12/2026", "05:00:00");

class Printout : public ::testing::Test {
protected:
    Form settings = settingsPage(Variant::Rx);
    Form protocol = protocolPage(Variant::Rx);
    std::vector<int> shown;  // protocols in the order they were shown
    // Called before each protocol is read off the page.
    std::function<void(Form&, int)> fillProtocol = [](Form&, int) {};

    std::vector<PrintedPage> print(Variant variant, const std::string& title = "ABC     ") {
        return protocolPrintout(
            variant, title, [this]() -> const Form& { return settings; },
            [this](int n) -> const Form& {
                shown.push_back(n);
                protocol["Combo19"].selected = n - 1;
                fillProtocol(protocol, n);
                return protocol;
            },
            "06/12/2026", "05:00:00");
    }
    void useVariant(Variant variant) {
        settings = settingsPage(variant);
        protocol = protocolPage(variant);
    }
    static std::vector<std::string> body(const PrintedPage& page) {
        EXPECT_GE(page.size(), Footer.size() + 1);
        EXPECT_TRUE(std::equal(Footer.begin(), Footer.end(), page.end() - std::ssize(Footer)));
        return {page.begin() + 1, page.end() - std::ssize(Footer)};
    }
    static bool has(const std::vector<std::string>& lines, const std::string& text) {
        return std::find(lines.begin(), lines.end(), text) != lines.end();
    }
};

TEST_F(Printout, FourteenPagesTitledByTheMacroName) {
    const auto pages = print(Variant::Rx);
    ASSERT_EQ(pages.size(), 14u);
    EXPECT_EQ(pages[0][0], "Protocol ABC      Setting (page 1 of 14)");
    EXPECT_EQ(pages[1][0], "Protocol ABC      Protocols (page 2 of 14)");
    EXPECT_EQ(pages[8][0], "Protocol ABC      Protocols (page 9 of 14)");
    EXPECT_EQ(pages[13][0], "Protocol ABC      Protocols (page 14 of 14)");
    std::vector<int> expected;
    for (int n = 1; n <= 26; ++n) expected.push_back(n);
    EXPECT_EQ(shown, expected);
    const auto page9 = body(pages[8]);
    EXPECT_EQ(page9[0], line("Protocol", "O:"));
    EXPECT_TRUE(has(page9, line("Protocol", "P:")));
    EXPECT_FALSE(has(page9, line("Protocol", "Q:")));
}

TEST_F(Printout, SettingsPageInFieldOrder) {
    const char* boxes[] = {"Text1", "Text2", "Text3", "Text4", "Text5", "Text6", "Text7", "Text31",
                           "Text8", "Text9", "Text10", "Text11", "Text12", "Text13", "Text14", "Text15", "Text16"};
    for (const char* box : boxes) settings[box].text = std::string("v") + (box + 4);
    for (int n = 1; n <= 8; ++n) settings["Combo" + std::to_string(n)].selected = n % 4;
    settings["Combo9"].selected = 1;
    settings["Combo10"].selected = 1;
    settings["Combo12"].selected = 0;
    settings["Combo13"].selected = 1;
    settings["Combo14"].selected = 4;
    settings["Combo15"].selected = 0;
    settings["Combo16"].selected = 1;
    settings["Combo17"].selected = 1;
    settings["Combo18"].selected = 3;
    const std::vector<std::string> expected = {
        line("Technician Code", "v1"),
        line("Level One Code", "v2"),
        line("Level Three Code", "v3"),
        line("Level Two Code", "v4"),
        line("Resume Access", "Level One"),
        line("Menu Access", "Level Two"),
        line("Select Protocol Access", "Level Three"),
        line("Modify Protocol Access", "No Code"),
        line("Bolus and Lockout Access", "Level One"),
        line("Rate Titration Access", "Level Two"),
        line("Clinician Bolus Access", "Level Three"),
        line("Change Set Up Access", "No Code"),
        line("Handset Key Type", "Code switch"),
        line("Minimum Pressing time", "v5 seconds"),
        line("Maximum Pressing time", "v6 seconds"),
        line("Minimum Interval time", "v7 seconds"),
        line("Auto-bolus", "ON"),
        line("Pressure Level", "v31 mmHg"),
        line("LED Indicator", "OFF"),
        line("Bolus Titration", "ON"),
        line("Air-in-Line Limit", "v8 mL"),
        line("Priming Volume", "v9 mL"),
        line("Priming Rate", "v10 mL/hr"),
        line("Bolus Rate", "v11 mL/hr"),
        line("KVO Rate", "v12 mL/hr"),
        line("Maximum Basal Rate", "v13 mL/hr"),
        line("Keystroke Volume", "5"),
        line("Alarm Sound Volume", "2"),
        line("Allow Dosavia", "ON"),
        line("Limits Setting", "Boluses"),
        line("Limit Period", "24 hours"),
        line("Max. Clinician Bolus", "v14 mL"),
        line("Minimum Lock Out", "v15 minutes"),
        line("Info screen duration", "v16 seconds"),
        "",
    };
    EXPECT_EQ(body(print(Variant::Rx)[0]), expected);
}

TEST_F(Printout, SettingLines) {
    const struct {
        const char* control;
        std::string text;
        int selected;
        std::string printed;
    } cases[] = {
        {"Combo14", "", 4, line("Keystroke Volume", "5")},
        {"Text5", "0.1", -1, line("Minimum Pressing time", "0.1 seconds")},
        {"Text5", "0,1", -1, line("Minimum Pressing time", "0,1 seconds")},
        {"Text5", "", -1, line("Minimum Pressing time", " seconds")},
        {"Combo1", "", -1, line("Resume Access", "")},
        {"Combo18", "", -1, line("Limit Period", "")},  // unchosen: nothing after the caption
        {"Combo18", "", 0, line("Limit Period", "0 hours")},
    };
    for (const auto& c : cases) {
        settings = settingsPage(Variant::Rx);
        settings[c.control].text = c.text;
        settings[c.control].selected = c.selected;
        EXPECT_TRUE(has(print(Variant::Rx)[0], c.printed)) << c.control << " '" << c.text << "'";
    }
}

TEST_F(Printout, LongCaptionGetsNoPadding) {
    settings["Label1"].text = std::string(45, 'C');
    settings["Text1"].text = "7";
    EXPECT_EQ(print(Variant::Rx)[0][1], std::string(45, 'C') + "7");
}

TEST_F(Printout, MacroCreatorSettings) {
    useVariant(Variant::Kt);
    settings["Combo11"].selected = 1;
    settings["Text16"].text = "10";
    settings["Text17"].text = "30";
    const auto lines = body(print(Variant::Kt)[0]);
    ASSERT_EQ(lines.size(), 36u);
    EXPECT_EQ(lines[17], line("Pressure Level", "Normal"));
    EXPECT_EQ(lines[33], line("Info screen duration", "10 seconds"));
    EXPECT_EQ(lines[34], line("Backlight duration", "30 seconds"));
    EXPECT_EQ(lines[35], "");
    settings["Combo11"].selected = -1;
    EXPECT_EQ(body(print(Variant::Kt)[0])[17], line("Pressure Level", ""));
}

TEST_F(Printout, ProtocolPageAsTheProtocolPageShowsIt) {
    fillProtocol = [](Form& page, int n) {
        page["Combo19"].items[std::size_t(n - 1)] += n == 1 ? "Morphine" : "";
        page["Text18"].text = n == 1 ? "Morphine            " : "";
        page["Text17"].text = n == 1 ? "PCA" : "";
        page["Combo20"].selected = n == 1 ? 1 : 0;
        page["Text19"].text = n == 1 ? "40" : "";
        page["Text20"].text = n == 1 ? "120" : "";
        page["Text21"].text = n == 1 ? "100" : "";
        page["Combo21"].selected = n == 1 ? 1 : -1;
        page["Text22"].text = n == 1 ? "2" : "";
        page["Combo22"].selected = n == 1 ? 1 : 0;
        page["Text23"].text = n == 1 ? "0.250" : "";
        page["Label70"].text = n == 1 ? "mg/kg/hr" : "mL/hr";
        page["Text27"].text = n == 1 ? "15" : "";
        page["Text28"].text = n == 1 ? "1.000" : "";
        page["Label65"].text = n == 1 ? "mg/kg/hr" : "mL/hr";
    };
    const std::vector<std::string> expected = {
        line("Protocol", "A:"),
        line("Drug Name", "Morphine            "),
        line("", "PCA"),
        line("Dosavia", "ON"),
        line("Min. Patient weight", "40 kg"),
        line("Max. Patient weight", "120 kg"),
        line("Bag Volume", "100 mL"),
        line("Concentration", "2 mg/mL"),
        line("Initial Rate", "0.250 mg/kg/hr"),
        line("Titration Limit", " mL/hr"),
        line("Bolus Type", "Auto-bolus"),
        line("Bolus Dose", " mL"),
        line("Maximum Bolus", " mL"),
        line("Lockout Time", "15 Minutes"),
        line("Limit", "1.000 mg/kg/hr"),
        "",
        "",
        // Protocol B never filled: no unit chosen, so no concentration line.
        line("Protocol", "B:"),
        line("Drug Name", ""),
        line("", ""),
        line("Dosavia", "OFF"),
        line("Min. Patient weight", " kg"),
        line("Max. Patient weight", " kg"),
        line("Bag Volume", " mL"),
        line("Initial Rate", " mL/hr"),
        line("Titration Limit", " mL/hr"),
        line("Bolus Type", "Patient Bolus"),
        line("Bolus Dose", " mL"),
        line("Maximum Bolus", " mL"),
        line("Lockout Time", " Minutes"),
        line("Limit", " mL/hr"),
        "",
        "",
    };
    EXPECT_EQ(body(print(Variant::Rx)[1]), expected);
}

TEST_F(Printout, ConcentrationLineByUnit) {
    const struct {
        int unit;
        std::string concentration;
        std::vector<std::string> lines;
    } cases[] = {
        {0, "", {line("Concentration", "mL Only")}},
        {0, "0", {line("Concentration", "mL Only")}},
        {1, "2.5", {line("Concentration", "2.5 mg/mL")}},
        {2, "50", {line("Concentration", "50 mcg/mL")}},
        {-1, "50", {}},
    };
    for (const auto& c : cases) {
        fillProtocol = [&](Form& page, int) {
            page["Combo21"].selected = c.unit;
            page["Text22"].text = c.concentration;
        };
        const auto page = body(print(Variant::Rx)[13]);
        std::vector<std::string> found;
        for (const auto& text : page)
            if (text.starts_with("Concentration")) found.push_back(text);
        EXPECT_EQ(found, std::vector<std::string>(c.lines.size() * 2, c.lines.empty() ? "" : c.lines[0]))
            << "unit " << c.unit;
        EXPECT_EQ(page.size(), 2 * (14 + c.lines.size() + 2)) << "unit " << c.unit;
    }
}

TEST_F(Printout, MacroCreatorProtocolsHaveOneNameLine) {
    useVariant(Variant::Kt);
    fillProtocol = [](Form& page, int n) {
        page["Text18"].text = n == 25 ? "Fentanyl" : "";
        page["Combo21"].selected = 0;
    };
    const auto page = body(print(Variant::Kt)[13]);
    ASSERT_EQ(page.size(), 2u * (14 + 2));
    EXPECT_EQ(page[1], line("Drug Name", "Fentanyl"));
    EXPECT_EQ(page[2], line("Dosavia", "OFF"));
    EXPECT_EQ(page[6], line("Concentration", "mL Only"));
    EXPECT_EQ(page[16], line("Protocol", "Z:"));
}

}  // namespace
}  // namespace mc::protocols
