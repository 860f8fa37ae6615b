#include "protocols/core/protocol_printout.hpp"

#include <span>

#include "shell/core/print_page.hpp"
#include "shell/core/text.hpp"

namespace mc::protocols {
namespace {

// Values start in column 41 of the fixed-pitch body.
constexpr std::size_t CaptionWidth = 40;

// One printed line: caption label, value control and, where there is one, unit label.
struct PrintedField {
    const char* caption;
    const char* value;
    const char* unit = nullptr;
};

bool isCombo(std::string_view control) { return control.starts_with("Combo"); }

// What a control shows: a combo its chosen entry ("" when none), a box its text.
const std::string& shown(const Form& page, const std::string& control) {
    return isCombo(control) ? page[control].selectedText() : page[control].text;
}

std::string fieldLine(const std::string& caption, const std::string& value) {
    return padRight(caption, CaptionWidth) + value;
}

std::string fieldLine(const Form& page, const PrintedField& field) {
    const std::string& value = shown(page, field.value);
    std::string line = fieldLine(page[field.caption].text, value);
    // An unchosen combo prints nothing after its caption, not even its unit.
    if (field.unit != nullptr && !(isCombo(field.value) && value.empty())) line += " " + page[field.unit].text;
    return line;
}

const PrintedField FieldsBeforePressure[] = {
    {"Label1", "Text1"},   {"Label2", "Text2"},   {"Label3", "Text3"},   {"Label4", "Text4"},
    {"Label5", "Combo1"},  {"Label6", "Combo2"},  {"Label7", "Combo3"},  {"Label8", "Combo4"},
    {"Label9", "Combo5"},  {"Label10", "Combo6"}, {"Label11", "Combo7"}, {"Label12", "Combo8"},
    {"Label13", "Combo9"}, {"Label14", "Text5", "Label50"}, {"Label15", "Text6", "Label49"},
    {"Label16", "Text7", "Label48"}, {"Label17", "Combo10"},
};
const PrintedField TypedPressure{"Label18", "Text31", "Label35"};  // mmHg
const PrintedField ChosenPressure{"Label18", "Combo11"};            // "Low", "Normal", "High"
const PrintedField FieldsAfterPressure[] = {
    {"Label19", "Combo12"}, {"Label20", "Combo13"},
    {"Label21", "Text8", "Label47"},  {"Label22", "Text9", "Label46"},  {"Label23", "Text10", "Label45"},
    {"Label24", "Text11", "Label44"}, {"Label25", "Text12", "Label43"}, {"Label26", "Text13", "Label42"},
    {"Label27", "Combo14"}, {"Label28", "Combo15"}, {"Label29", "Combo16"}, {"Label30", "Combo17"},
    {"Label31", "Combo18", "Label41"}, {"Label32", "Text14", "Label40"}, {"Label33", "Text15", "Label39"},
    {"Label34", "Text16", "Label38"},
};
const PrintedField BacklightDuration{"Label35", "Text17", "Label37"};

const PrintedField WeightAndVolume[] = {
    {"Label54", "Text19", "Label73"}, {"Label55", "Text20", "Label72"}, {"Label56", "Text21", "Label71"},
};
const PrintedField DoseFields[] = {
    {"Label58", "Text23", "Label70"}, {"Label59", "Text24", "Label69"}, {"Label60", "Combo22"},
    {"Label61", "Text25", "Label68"}, {"Label62", "Text26", "Label67"}, {"Label63", "Text27", "Label66"},
    {"Label64", "Text28", "Label65"},
};

void appendFields(PrintedPage& page, const Form& form, std::span<const PrintedField> fields) {
    for (const auto& field : fields) page.push_back(fieldLine(form, field));
}

PrintedPage settingsPage(Variant variant, const std::string& macroTitle, const Form& settings) {
    PrintedPage page{"Protocol " + macroTitle + " Setting (page 1 of " + std::to_string(PrintoutPageCount) + ")"};
    appendFields(page, settings, FieldsBeforePressure);
    page.push_back(fieldLine(settings, variant == Variant::Rx ? TypedPressure : ChosenPressure));
    appendFields(page, settings, FieldsAfterPressure);
    if (variant == Variant::Kt) page.push_back(fieldLine(settings, BacklightDuration));
    page.emplace_back();
    return page;
}

void appendProtocol(PrintedPage& page, Variant variant, const Form& protocol) {
    // The list entry is the letter, ':' and the name; the letter and ':' are printed.
    page.push_back(fieldLine(protocol["Label51"].text, shown(protocol, "Combo19").substr(0, 2)));
    page.push_back(fieldLine(protocol["Label52"].text, protocol["Text18"].text));
    if (variant == Variant::Rx) page.push_back(fieldLine("", protocol["Text17"].text));  // second name line
    page.push_back(fieldLine(protocol["Label53"].text, shown(protocol, "Combo20")));
    appendFields(page, protocol, WeightAndVolume);
    const std::string& unit = shown(protocol, "Combo21");
    if (unit == "mL Only")
        page.push_back(fieldLine(protocol["Label57"].text, unit));
    else if (unit == "mg/mL" || unit == "mcg/mL")
        page.push_back(fieldLine(protocol["Label57"].text, protocol["Text22"].text + " " + unit));
    appendFields(page, protocol, DoseFields);
    page.insert(page.end(), 2, "");
}

}  // namespace

std::vector<PrintedPage> protocolPrintout(Variant variant, const std::string& macroTitle,
                                          const ShowSettings& showSettings, const ShowProtocol& showProtocol,
                                          const std::string& date, const std::string& time) {
    const auto footer = signatureFooter(date, time);
    std::vector<PrintedPage> pages{settingsPage(variant, macroTitle, showSettings())};
    for (int n = 2; n <= PrintoutPageCount; ++n) {
        PrintedPage page{"Protocol " + macroTitle + " Protocols (page " + std::to_string(n) + " of " +
                         std::to_string(PrintoutPageCount) + ")"};
        appendProtocol(page, variant, showProtocol(2 * n - 3));
        appendProtocol(page, variant, showProtocol(2 * n - 2));
        pages.push_back(std::move(page));
    }
    for (auto& page : pages) page.insert(page.end(), footer.begin(), footer.end());
    return pages;
}

}  // namespace mc::protocols
