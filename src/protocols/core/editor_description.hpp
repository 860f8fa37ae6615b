#pragma once
// What tells RX_Macro_Creator and Macro_Creator apart; everything else the two
// windows share.

#include <string>

#include "protocols/core/protocol_macro.hpp"

namespace mc::protocols {

struct EditorDescription {
    Variant variant;
    std::string windowName;
    // The mode buttons choose the file type (".tv9" / ".tv8") and drop the chosen file.
    bool modeSelectsFiles;
    // "New" leaves page 2's "Next" disabled until the page is restored.
    bool newDisablesNext;
    // "Pressure Level" is chosen in Combo11 rather than typed in Text31.
    bool pressureIsChoice;
    // Field 35, "Backlight duration", in Text17 of the setting page.
    bool hasBacklight;
    // The drug name has a second line, Text17, on the protocol page.
    bool hasSecondNameLine;
    int nameMaxLength;
    std::string protocolModifiedPrompt;
    // The two setting messages whose wording differs.
    std::string airInLineAbove, airInLineBelow, primingRateAbove, primingRateBelow;
};

inline const EditorDescription& describe(Variant variant) {
    static const EditorDescription rx{Variant::Rx,
                                      "RX_Macro_Creator",
                                      true,
                                      true,
                                      false,
                                      false,
                                      true,
                                      20,
                                      "Press OK key to accept value",
                                      "Air-in-Line Limit must be <= 1 mL",
                                      "Air-in-Line Limit must be >= 0.04 mL",
                                      "Priming Rate must be <= 425 mL/hr",
                                      "Priming Rate must be >= 300 mL/hr"};
    static const EditorDescription kt{Variant::Kt,
                                      "Macro_Creator",
                                      false,
                                      false,
                                      true,
                                      true,
                                      false,
                                      18,
                                      "Please validate modifications with OK key",
                                      "Air-in-Line Limit must be < 1 mL",
                                      "Air-in-Line Limit must be > 0.04 mL",
                                      "Priming Rate must be < 425 mL/hr",
                                      "Priming Rate must be > 300 mL/hr"};
    return variant == Variant::Rx ? rx : kt;
}

}  // namespace mc::protocols
