#pragma once
// The "Protocol Data" page as typed data: one of the 26 protocols at a time,
// its rates and doses shown in the drug's units and stored in volume units
// (typed value / concentration), the rules a protocol must meet before it is
// stored, and what it stores. The editors render a ProtocolPage into their
// controls; the command-line program checks and prints protocols through the
// same functions.

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "protocols/core/protocol_macro.hpp"
#include "shell/core/decimal.hpp"
#include "shell/core/page_table.hpp"

namespace mc::protocols {

// What the page shows of a protocol; a list shows one of its items or "" for none.
struct ProtocolPage {
    std::string name;        // Text18
    std::string secondName;  // Text17, the second name line of RX_Macro_Creator
    std::string dosavia;     // "OFF", "ON"
    std::string minWeight, maxWeight, bagVolume;
    std::string concentrationUnit;  // "mL Only", "mg/mL", "mcg/mL"
    std::string concentration;
    // In the drug's units (mg, mcg or mL, per kg with Dosavia "ON").
    std::string initialRate, titrationLimit;
    std::string bolusType;  // "Patient Bolus", "Auto-bolus"
    std::string bolusDose, maxBolus;
    std::string lockoutTime;
    std::string limit;
    bool operator==(const ProtocolPage&) const = default;
};

// One field of the page: its description, what the record holds of it, the
// items of a list and the first caption of its unit label.
struct ProtocolRow {
    PageField field;
    std::string ProtocolPage::*value;  // null for the protocol list, which is no part of a protocol
    std::vector<std::string> items;
    std::string unit;
    bool besidePrevious = false;  // the unit list stands right of the concentration box
};
const std::vector<ProtocolRow>& protocolRows(Variant variant);
const PageTable& protocolPageTable(Variant variant);

// The captions of the unit labels of the rates (Initial Rate, Titration
// Limit), the doses (Bolus Dose, Maximum Bolus) and the Limit.
struct ProtocolUnits {
    std::string rate, dose, limit;
    bool operator==(const ProtocolUnits&) const = default;
};
// What they show before any protocol is shown.
ProtocolUnits firstProtocolUnits();
// What the unit label of a row shows with these units.
const std::string& unitCaption(const ProtocolRow& row, const ProtocolUnits& units);
// What Dosavia and the concentration unit make them (Protocol_Units); nothing
// when either shows no item, and the labels then keep what they showed.
std::optional<ProtocolUnits> unitsOf(const ProtocolPage& page);

// The entries of the protocol list: the letter, ':' and the drug name.
std::vector<std::string> protocolList(const ProtocolMacro& macro);

// Protocol n as the page shows it after a restore (ActProtocol_Restore).
ProtocolPage shownProtocol(const ProtocolMacro& macro, int n, Variant variant, const NumberFormat& format);

// Another Dosavia or concentration unit empties the five values kept in
// volume units: they no longer fit the units.
void chooseDosavia(ProtocolPage& page, const std::string& shown);
void chooseConcentrationUnit(ProtocolPage& page, const std::string& shown);

// The stored settings the protocol rules read.
struct ProtocolLimits {
    std::string allowDosavia, autoBolus, maximumBasalRate, minimumLockOut;
    static ProtocolLimits of(const ProtocolMacro& macro) {
        return {macro.PumpSettings[29], macro.PumpSettings[17], macro.PumpSettings[26], macro.PumpSettings[33]};
    }
};

// The page's "OK" (Check_Protocol): one message a rule violated, in the page's order.
FieldMessages checkProtocol(const ProtocolPage& page, const ProtocolLimits& limits, const NumberFormat& format);

// Stores a page that passed its rules as protocol n.
void storeProtocol(ProtocolMacro& macro, int n, const ProtocolPage& page, Variant variant, const NumberFormat& format);

// Protocol n as the printout shows it, caption and value with its unit, the
// rates and doses with `units`; no concentration line without a unit.
std::vector<std::pair<std::string, std::string>> shownFields(const ProtocolPage& page, int n, Variant variant,
                                                             const ProtocolUnits& units);

}  // namespace mc::protocols
