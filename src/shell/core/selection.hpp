#pragma once
// The start-up choice of pump software version: which button opens which
// editor. The window only lays this table out.

#include <array>
#include <string_view>

namespace mc {

enum class EditorKind { Quelda041, Quelda036, OrrxUsa, Rx, Kt };

struct PumpHeading {
    std::string_view name;
    std::string_view caption;
};

struct VersionButton {
    std::string_view name;
    std::string_view caption;
    int column;  // under PumpHeadings[column]
    int row;
    EditorKind editor;
    bool closesSelection;
};

inline constexpr std::string_view SelectionCaption = "Tavrel_Macro_Creator selection";
inline constexpr std::string_view SelectionPrompt = "Select pump software version";

inline constexpr std::array<PumpHeading, 4> PumpHeadings{{
    {"Label2", "Orvella K.T."},
    {"Label3", "Orvella KT RX"},
    {"Label4", "Orvella 720 RX"},
    {"Label5", "Orvella 510 LX"},
}};

inline constexpr std::array<VersionButton, 9> VersionButtons{{
    {"Command1", "KtPCA17K", 0, 0, EditorKind::Kt, true},
    {"Command5", "KtEPI17K", 0, 1, EditorKind::Kt, false},
    {"Command6", "RXPCA18", 1, 0, EditorKind::Kt, false},
    {"Command7", "RXEPI18", 1, 1, EditorKind::Kt, false},
    {"Command3", "RXPCA18E", 1, 2, EditorKind::Rx, false},
    {"Command8", "RXEPI18E", 1, 3, EditorKind::Rx, false},
    {"Command4", "ORRX_USA", 2, 0, EditorKind::OrrxUsa, false},
    {"Command2", "Quelda036", 3, 0, EditorKind::Quelda036, false},
    {"Command9", "Quelda041", 3, 1, EditorKind::Quelda041, false},
}};

}  // namespace mc
