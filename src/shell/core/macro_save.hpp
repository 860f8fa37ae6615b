#pragma once
// Saving a macro under the name typed on the Save page: the name checks, the
// write that never replaces a file, and the read-back that proves the file
// holds the library in memory. The Save page's messages are made here, for
// the editors and for the command-line program's import alike.

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace mc {

struct MacroToSave {
    std::filesystem::path folder;
    std::string name;              // as typed on the Save page (Latin-1)
    std::string extension;         // with its dot
    std::string duplicateMessage;  // what the Save page says when a file of that name exists
};

// Does this file, read back with the editor's own reader, hold exactly the library saved?
using ReadsBack = std::function<bool(std::string_view bytes)>;

// Writes `bytes` as the new file `name` + `extension` in the folder. Nothing
// when it was written and read back as it should; else the Save page's
// message, and nothing is left behind.
std::optional<std::string> saveMacroFile(const MacroToSave& macro, std::string_view bytes, const ReadsBack& readsBack);

}  // namespace mc
