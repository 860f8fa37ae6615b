#pragma once
// "OK" on what an editor's page shows, as a technician would press it, for
// the program that checks files with the editors' own rules.

#include <string>
#include <string_view>
#include <vector>

#include "shell/core/editor_frame.hpp"

namespace mc::cli {

struct PageButtons {
    const char* field;         // a box retyped as it stands, so that "OK" can be pressed
    const char* ok;
    const char* cancel;        // brings the page back to memory when "OK" refused
    const char* message;       // the page's message label
    std::string_view confirmation;  // what the label says when "OK" stored the page
};

// Everything "OK" says against the page, one message a line; nothing when it stored it.
FieldMessages pressOk(EditorFrame& editor, const PageButtons& page);

inline constexpr PageButtons DrugPage{"Text26", "Command9", "Command8", "Label74", "Drug Updated"};

}  // namespace mc::cli
