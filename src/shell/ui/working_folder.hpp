#pragma once
// The folder the editors work in when they open. Started from a shell, the
// program works in the shell's folder; started from the application menu, in
// the folder the technician chose last on an Open page, remembered from one
// menu start to the next (a shell start leaves that memory alone).

#include <filesystem>
#include <optional>

namespace mc::ui {

// Set once at start: where the program works, and whether this start
// remembers the folders chosen.
void startIn(std::filesystem::path folder, bool rememberChoices);
// The folder an editor opened from now on works in: the last one chosen, else the start's.
std::filesystem::path startFolder();
// The technician chose `folder` on an Open page.
void folderChosen(const std::filesystem::path& folder);
// The folder remembered from a menu start, when it is still a folder.
std::optional<std::filesystem::path> rememberedFolder();

}  // namespace mc::ui
