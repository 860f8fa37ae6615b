#pragma once
// The recovery copy of a library that holds unsaved work: the bytes "Save"
// would write, behind a short header that says which editor wrote it, which
// library it is and when. The header ends with the length of the bytes, so
// that a cut-off copy is told from a whole one.

#include <optional>
#include <string>
#include <string_view>

namespace mc {

inline constexpr std::string_view RecoveryFirstLine = "TAVREL-RECOVERY 1";
// The macro name the editor's writer is given for a copy; a restored library
// is saved under a name of the technician's choice.
inline constexpr std::string_view RecoveryMacroName = "RECOVER";

struct RecoveryCopy {
    std::string editor;  // objectName of the editor window that wrote it
    std::string source;  // the file the library was opened from, or "new library"
    std::string time;    // local time of the change, "2026-12-06T04:50:00"
    std::string bytes;   // the macro file as the editor's writer makes it

    bool operator==(const RecoveryCopy&) const = default;
};

std::string recoveryCopyText(const RecoveryCopy& copy);
// The copy held in `text`; nothing when the text is not a whole copy.
std::optional<RecoveryCopy> parseRecoveryCopy(std::string_view text);

// "2026-12-06 04:50:00": the time of a copy as the technician reads it.
std::string shownTime(const RecoveryCopy& copy);
std::string restoreQuestion(const RecoveryCopy& copy);
std::string restoredMessage(const RecoveryCopy& copy);

}  // namespace mc
