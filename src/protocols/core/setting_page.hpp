#pragma once
// The "Pump Setting" page as typed data: its fields in page order, what it
// shows of the stored settings, the rules its "OK" checks them against and
// what it stores. The editors render a SettingPage into their controls; the
// command-line program checks and prints settings through the same functions.

#include <string>
#include <utility>
#include <vector>

#include "protocols/core/protocol_macro.hpp"
#include "shell/core/decimal.hpp"
#include "shell/core/page_table.hpp"

namespace mc::protocols {

// How a field is kept in PumpSettings.
enum class SettingKind {
    Typed,       // the box's text
    Position,    // the 0-based position of the chosen item, as text
    ChosenText,  // the chosen item's own text ("1".."7", "24")
};

// One field of the page: its description and what the page needs beyond it.
struct SettingRow {
    PageField field;
    int number;                      // its index in PumpSettings
    SettingKind kind;
    std::vector<std::string> items;  // of a list
    std::string unit;                // the caption of its unit label; "" for none
};

// The fields top to bottom: the left column first (up to "Auto-bolus"), then the right.
const std::vector<SettingRow>& settingRows(Variant variant);
const PageTable& settingPageTable(Variant variant);
inline constexpr int LeftColumnRows = 17;

// Which pump mode button is chosen on the Open page.
enum class PumpMode { None, Pca, Epidural };

// What the page shows, by field number: a box's text, a list's chosen item
// ("" when none is chosen).
struct SettingPage {
    Table<std::string, MaxSettingCount> shown;
    std::string& operator[](int field) { return shown[field]; }
    const std::string& operator[](int field) const { return shown[field]; }
    bool operator==(const SettingPage&) const = default;
};

// The stored settings as the page shows them after a restore (Setting_Restore):
// a position or text that is no item of its list shows nothing chosen.
SettingPage shownSettings(const ProtocolMacro& macro, Variant variant);

// The page's "OK" in `mode`: one message a rule violated, in the page's order.
// Ranges are judged only while nothing has failed.
FieldMessages checkSettings(const SettingPage& page, Variant variant, PumpMode mode, const NumberFormat& format);
// Each field judged on its own in `mode`, as if every other field held.
FieldMessages checkEachSetting(const SettingPage& page, Variant variant, PumpMode mode, const NumberFormat& format);

// Stores a page that passed its rules; an unchosen list keeps its stored value.
void storeSettings(ProtocolMacro& macro, const SettingPage& page, Variant variant);

// The fields as the page and the printout show them: caption, and value with
// its unit (an unchosen list shows no unit).
std::vector<std::pair<std::string, std::string>> shownFields(const SettingPage& page, Variant variant);

}  // namespace mc::protocols
