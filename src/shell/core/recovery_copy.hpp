#pragma once
// The recovery copy of a library that holds unsaved work: the bytes "Save"
// would write, behind a short header that says which editor wrote it, which
// library it is, in which pump mode and when. The header ends with the length
// and the SHA-256 of the bytes, so that a cut-off copy, or one a disk fault
// damaged inside, is told from a whole one.

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace mc {

inline constexpr std::string_view RecoveryFirstLine = "TAVREL-RECOVERY 2";
// The macro name the editor's writer is given for a copy; a restored library
// is saved under a name of the technician's choice.
inline constexpr std::string_view RecoveryMacroName = "RECOVER";

struct RecoveryCopy {
    std::string editor;  // objectName of the editor window that wrote it
    std::string source;  // the file the library was opened from, or "new library"
    std::string time;    // local time of the change, "2026-12-06T04:50:00"
    std::string bytes;   // the macro file as the editor's writer makes it
    std::string mode;    // the chosen pump mode button ("EPIDURAL"); empty for none

    bool operator==(const RecoveryCopy&) const = default;
};

// The SHA-256 of bytes as 64 lower-case hexadecimal digits; the shell gives it.
using Sha256Of = std::function<std::string(std::string_view bytes)>;

std::string recoveryCopyText(const RecoveryCopy& copy, const Sha256Of& sha256);
// The copy held in `text`; nothing when the text is not a whole copy: cut
// off, longer, or its bytes not those its digest was taken of.
std::optional<RecoveryCopy> parseRecoveryCopy(std::string_view text, const Sha256Of& sha256);

// The largest copy read: a macro file at its largest and a header. A larger
// file in the recovery folder is no copy and is set aside unread.
inline constexpr std::size_t MaxRecoveryCopySize = 1024 * 1024 + 4096;

// "2026-12-06 04:50:00": the time of a copy as the technician reads it.
std::string shownTime(const RecoveryCopy& copy);
std::string restoreQuestion(const RecoveryCopy& copy);
std::string restoredMessage(const RecoveryCopy& copy);

}  // namespace mc
