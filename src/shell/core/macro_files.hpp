#pragma once
// The one place that touches the file system: listing, reading and writing the
// macro and print files of the working directory. Everything else works on bytes.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mc {

// A real library is a few kilobytes; anything far larger is no macro file and
// is refused before it is read.
inline constexpr std::uintmax_t MaxMacroFileSize = 1024 * 1024;

// A file as a list shows it and as it is on disk. The shown name is for
// people; every action on the file goes through `path`, the exact entry that
// was listed, so a name that decodes oddly can never lead to another file.
struct ListedFile {
    std::string shownName;  // Latin-1
    std::filesystem::path path;
    bool operator==(const ListedFile&) const = default;
};

// The file of the given Latin-1 name in `folder` (stored as UTF-8 on disk).
std::filesystem::path fileIn(const std::filesystem::path& folder, std::string_view latin1Name);

// How a file name on disk is shown: UTF-8 decoded strictly, characters beyond
// Latin-1 as '?', bytes that are not UTF-8 taken as Latin-1.
std::string shownFileName(const std::filesystem::path& fileName);

// The plain files (no folders, no links) directly in `folder` whose names end
// in `extension` (letter case ignored, as a technician coming from Windows
// expects), sorted by shown name.
std::vector<ListedFile> listFiles(const std::filesystem::path& folder, std::string_view extension);

// What stands at a path, without following a link.
enum class PathKind { Nothing, File, Folder, Link, Other };
PathKind kindAt(const std::filesystem::path& path);

bool fileExists(const std::filesystem::path& file);

enum class ReadStatus { Read, Unreadable, TooLarge };
struct ReadResult {
    ReadStatus status;
    std::string bytes;
};
// A plain file, whole; a link, a folder or a file above `limit` bytes is not read.
ReadResult readFile(const std::filesystem::path& file, std::uintmax_t limit = MaxMacroFileSize);

enum class WriteOutcome { Written, AlreadyExists, Failed };

// Writes a new file whole or not at all: the bytes go to a temporary file in
// the same folder, are synced to the disk and then linked into place, and the
// folder is synced after. An existing file of that name is never replaced; a
// file created meanwhile by someone else wins.
WriteOutcome writeNewFile(const std::filesystem::path& file, std::string_view bytes);

// Writes `file` whole, replacing what was there (the print file).
bool replaceFile(const std::filesystem::path& file, std::string_view bytes);

// Is `name` usable as a plain file name inside the working directory on every
// platform the program runs on? No path separators, no "." or "..", no control
// characters and none of the characters Windows refuses.
bool isPlainFileName(std::string_view name);

// Faults the tests make happen on purpose; all off in the program.
struct FileSystemFaults {
    bool refuseHardLinks = false;  // as on file systems without hard links
    bool failSync = false;         // as when the disk reports an error on sync
};
void setFileSystemFaultsForTesting(FileSystemFaults faults);

}  // namespace mc
