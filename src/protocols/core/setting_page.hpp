#pragma once
// The "Pump Setting" page: its fields in page order, how they are shown from
// and stored into PumpSettings, and the rules a setting must meet.

#include <string>
#include <vector>

#include "protocols/core/editor_description.hpp"
#include "protocols/core/protocol_macro.hpp"
#include "shell/core/decimal.hpp"
#include "shell/core/form.hpp"

namespace mc::protocols {

enum class SettingKind {
    Typed,       // the box's text
    Position,    // the 0-based position of the chosen item, as text
    ChosenText,  // the chosen item's own text ("1".."7", "24")
};

struct SettingRow {
    int field;                // index in PumpSettings
    std::string captionLabel; // Label1..Label34, Label35 for the backlight
    std::string caption;
    std::string control;      // Text1, Combo1, ...
    SettingKind kind;
    std::vector<std::string> items;  // of a choice
    std::string unitLabel;    // "" when the field has no unit
    std::string unit;
    int maxLength = 0;        // of a typed box
};

// The fields top to bottom: the left column first (up to "Auto-bolus"), then the right.
const std::vector<SettingRow>& settingRows(Variant variant);
inline constexpr int LeftColumnRows = 17;

// Which pump mode button is chosen on the Open page.
enum class PumpMode { None, Pca, Epidural };

class SettingPage {
public:
    explicit SettingPage(const EditorDescription& description) : description_(description) {}

    // Adds the page's controls, their captions and the combos' lists.
    void addControls(Form& form) const;
    // Shows the stored settings (the frame then puts the page into its clean state).
    void Setting_Restore(Form& form, const ProtocolMacro& macro) const;
    // One message of the page's "OK" and the control it is about.
    struct Failure {
        std::string control;
        std::string message;
    };
    // Every message "OK" gives in `mode`, in the page's order; empty when every rule holds.
    std::vector<Failure> failures(const Form& form, PumpMode mode, const NumberFormat& format) const;
    // The message of each field judged on its own in `mode`, as if every other
    // field held (the page itself stops judging ranges after a first failure).
    std::vector<Failure> fieldFailures(const Form& form, PumpMode mode, const NumberFormat& format) const;
    // The collected messages, each ended by CR LF; empty when every rule holds.
    std::string Check_Setting(const Form& form, PumpMode mode, const NumberFormat& format) const;
    // Stores what the page shows; an unchosen combo keeps its stored value.
    void store(const Form& form, ProtocolMacro& macro) const;
    bool isField(const std::string& control) const;

private:
    const EditorDescription& description_;
};

}  // namespace mc::protocols
