#pragma once
// The "Protocol Data" page: one of the 26 protocols at a time, its rates and
// doses shown in the drug's units and stored in volume units (typed value /
// concentration), and the rules a protocol must meet before it is stored.

#include <string>
#include <vector>

#include "protocols/core/editor_description.hpp"
#include "protocols/core/protocol_macro.hpp"
#include "shell/core/decimal.hpp"
#include "shell/core/form.hpp"

namespace mc::protocols {

// One row of the page: caption label, the input control(s), the unit label.
struct ProtocolRow {
    std::string captionLabel;  // Label51..Label64; "" for the second name line
    std::string caption;
    std::string control;
    std::string secondControl;  // Combo21 beside the concentration
    std::string unitLabel;
    std::string unit;           // the unit label's first caption
    int maxLength = 0;
};
const std::vector<ProtocolRow>& protocolRows(Variant variant);

// The stored settings the protocol rules read.
struct ProtocolLimits {
    std::string allowDosavia, autoBolus, maximumBasalRate, minimumLockOut;
    static ProtocolLimits of(const ProtocolMacro& macro) {
        return {macro.PumpSettings[29], macro.PumpSettings[17], macro.PumpSettings[26], macro.PumpSettings[33]};
    }
};

class ProtocolPage {
public:
    explicit ProtocolPage(const EditorDescription& description) : description_(description) {}

    void addControls(Form& form) const;
    // Shows protocol n (the frame then puts the page into its clean state).
    void ActProtocol_Restore(Form& form, const ProtocolMacro& macro, int n, const NumberFormat& format) const;
    // Sets the unit labels from the Dosavia and unit choices shown.
    void Protocol_Units(Form& form) const;
    // Dosavia or the concentration unit changed: the five volume values start over.
    void unitsChanged(Form& form) const;
    // The collected messages, each ended by CR LF; empty when the protocol may be stored.
    std::string Check_Protocol(const Form& form, const ProtocolLimits& limits, const NumberFormat& format) const;
    // Stores what the page shows as protocol n; the page has passed Check_Protocol.
    void store(const Form& form, ProtocolMacro& macro, int n, const NumberFormat& format) const;
    // The boxes whose typing puts the page into its modified state.
    bool isTypedField(const std::string& control) const;

private:
    const EditorDescription& description_;
};

// The five fields kept in volume units, in page order.
inline const char* const VolumeFields[] = {"Text23", "Text24", "Text25", "Text26", "Text28"};

}  // namespace mc::protocols
