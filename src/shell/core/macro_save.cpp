#include "shell/core/macro_save.hpp"

#include <system_error>

#include "shell/core/macro_files.hpp"

namespace mc {

std::optional<std::string> saveMacroFile(const MacroToSave& macro, std::string_view bytes, const ReadsBack& readsBack) {
    const std::string& name = macro.name;
    if (!isPlainFileName(name))
        return "The Macro name " + name + " can not be used as a file name. Please enter another Macro name";
    const std::string fileName = name + macro.extension;
    const auto file = fileIn(macro.folder, fileName);
    auto inTheWay = [&](const char* what) {
        return std::string(what) + " named " + fileName + " is in the working folder. Please enter another Macro name";
    };
    switch (kindAt(file)) {
    case PathKind::Nothing: break;
    case PathKind::File: return macro.duplicateMessage;
    case PathKind::Folder: return inTheWay("A folder");
    case PathKind::Link: return inTheWay("A link");
    case PathKind::Other: return inTheWay("Something");
    }
    switch (writeNewFile(file, bytes)) {
    case WriteOutcome::AlreadyExists: return macro.duplicateMessage;
    case WriteOutcome::Failed:
        return "The Macro " + name + " could not be written in the working folder. Nothing was saved.";
    case WriteOutcome::Written: break;
    }
    // A library whose file does not decode to what the user saw must never
    // pass for saved: read it back from the disk and compare.
    const ReadResult written = readFile(file);
    if (written.status != ReadStatus::Read || !readsBack(written.bytes)) {
        std::error_code ignored;
        std::filesystem::remove(file, ignored);
        return "The Macro file " + fileName +
               " did not read back as the library in memory, so it was removed. Nothing was saved.";
    }
    return std::nullopt;
}

}  // namespace mc
