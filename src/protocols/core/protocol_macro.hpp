#pragma once
// The in-memory macro of the protocol-and-settings editors of the ambulatory
// PCA and epidural pumps: the pump settings and 26 therapy protocols, every
// value kept as text. Two windows share it: RX_Macro_Creator (34 settings)
// and Macro_Creator (35, with "Backlight duration").

#include <string>

#include "shell/core/table.hpp"

namespace mc::protocols {

// Which of the two near-identical windows.
enum class Variant { Rx, Kt };  // RX_Macro_Creator, Macro_Creator

inline constexpr int ProtocolCount = 26;
inline constexpr int MaxSettingCount = 35;
inline constexpr int settingCount(Variant variant) { return variant == Variant::Rx ? 34 : 35; }

// Protocol k is shown under the letter 'A' + k - 1.
inline char protocolLetter(int protocol) { return static_cast<char>('A' + protocol - 1); }

struct ProtocolMacro {
    // Indexed by field number 1..35 of the "Pump Setting" page ("" = not set):
    // typed fields hold their text, choices their 0-based position as text,
    // "Keystroke Volume", "Alarm Sound Volume" and "Limit Period" the chosen
    // text. Field 35 exists only in Macro_Creator.
    Table<std::string, MaxSettingCount> PumpSettings;

    Table<std::string, ProtocolCount> ProtocolDrugName;
    Table<std::string, ProtocolCount> ProtocolDosavia;        // "0" OFF, "1" ON
    Table<std::string, ProtocolCount> ProtocolMinWeight;
    Table<std::string, ProtocolCount> ProtocolMaxWeight;
    Table<std::string, ProtocolCount> ProtocolBagVolume;
    Table<std::string, ProtocolCount> ProtocolConcUnit;       // "0" mL Only, "1" mg/mL, "2" mcg/mL
    Table<std::string, ProtocolCount> ProtocolConcentration;
    Table<std::string, ProtocolCount> ProtocolInitialRate;    // volume units
    Table<std::string, ProtocolCount> ProtocolTitrationLimit; // volume units
    Table<std::string, ProtocolCount> ProtocolBolusType;      // "0" Patient Bolus, "1" Auto-bolus
    Table<std::string, ProtocolCount> ProtocolBolusDose;      // volume units
    Table<std::string, ProtocolCount> ProtocolMaxBolus;       // volume units
    Table<std::string, ProtocolCount> ProtocolLockoutTime;
    Table<std::string, ProtocolCount> ProtocolLimit;          // volume units

    // The macro name read from the last file opened; printed as the title.
    std::string MacroTitle;

    // Empties every setting and every protocol, and nothing else.
    void ResetMacro() {
        const std::string title = MacroTitle;
        *this = ProtocolMacro{};
        MacroTitle = title;
    }

    bool operator==(const ProtocolMacro&) const = default;
};

}  // namespace mc::protocols
