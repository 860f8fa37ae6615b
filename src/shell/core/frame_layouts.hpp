#pragma once
// Frames of the editors whose pages are not built yet: the US drug library.
// Its window already offers the frame with its navigation; it moves to its
// own subsystem with its pages.

#include "shell/core/editor_frame.hpp"

namespace mc {

inline FrameLayout orrxUsaFrameLayout() {
    FrameLayout layout;
    layout.windowName = "ORRX_USA_Macro_Creator";
    layout.caption = "Tavrel_Macro_Creator";
    layout.extension = ".tv1";
    layout.saveNameMaxLength = 24;
    layout.openMessage = "Label12";
    layout.page2BackCaption = "Back";
    layout.recordButtons = {{"Command14", "Previous Drug"}, {"Command13", "Next Drug"}};
    return layout;
}

}  // namespace mc
