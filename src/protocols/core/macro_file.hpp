#pragma once
// The pump command macro (".tb2", ".tv9", ".tv8"), as bytes (Latin-1, CR LF).
//
// Every line is one pump command that Tavrel replays to the pump: the setting
// lines "Send:DATACOM" + code character + ":" + value, the two-way settings as
// one of two whole lines ("Send:COM1E" / "Send:COM1F" ...), three fixed
// commands, 26 protocol blocks "Send:PDTnn:" + value, and the macro name.

#include <string>
#include <string_view>

#include "protocols/core/protocol_macro.hpp"
#include "shell/core/decimal.hpp"

namespace mc::protocols {

// The macro name box accepts at most this many characters; the name line
// always carries at least this many, padded with blanks.
inline constexpr std::size_t MacroNameWidth = 8;

// The whole file. `macroName` is the unpadded name typed on the Save page; it
// is padded to 8 characters in the name line (a longer one is written whole).
std::string writeProtocolMacro(const ProtocolMacro& macro, Variant variant, std::string_view macroName);

struct ReadMacro {
    ProtocolMacro macro;
    // Non-blank lines that put nothing into the macro: unknown commands, and
    // protocol lines without a protocol number 1..26 before them. The fixed
    // commands the writer itself emits count as understood.
    int linesNotUnderstood = 0;
};

// Empties `macro` with ResetMacro and reads the file into it; returns the
// count of lines not understood. MacroTitle changes only when the file has a
// name line. Lines end at CR LF, CR or LF. Values are taken as they stand,
// without validation; when a key occurs twice the last one wins.
int readProtocolMacroInto(ProtocolMacro& macro, std::string_view bytes, Variant variant, const NumberFormat& format);

// The same into a new macro (MacroTitle "" when the file has no name line).
ReadMacro readProtocolMacro(std::string_view bytes, Variant variant, const NumberFormat& format);

}  // namespace mc::protocols
