#pragma once
// Frames of the editors whose pages are not built yet: the two
// protocol-and-settings editors. Their windows already offer the
// frame with its navigation; each moves to its own subsystem with its pages.

#include "shell/core/editor_frame.hpp"

namespace mc {

inline FrameLayout protocolFrameLayout(std::string windowName) {
    FrameLayout layout;
    layout.windowName = std::move(windowName);
    layout.caption = "Tavrel_Macro_Creator";
    layout.extension = ".tb2";
    layout.page2Caption = "Pump Setting";
    layout.page3Caption = "Protocol Data";
    layout.newButton = "Command13";
    layout.fileButtons = {{"Command12", "Print Macro Data"}};
    layout.cancelCaption = "Cancel Changes";
    return layout;
}

}  // namespace mc
