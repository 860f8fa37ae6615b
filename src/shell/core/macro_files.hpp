#pragma once
// The one place that touches the file system: listing, reading and writing the
// macro and print files of the working directory. Everything else works on bytes.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mc {

// The file of the given Latin-1 name in `folder`.
std::filesystem::path fileIn(const std::filesystem::path& folder, std::string_view latin1Name);

// Latin-1 names of the regular files in `folder` ending in `extension` (letter case
// ignored, as a technician coming from Windows expects), sorted by name.
std::vector<std::string> listFiles(const std::filesystem::path& folder, std::string_view extension);

bool fileExists(const std::filesystem::path& file);

// The whole file as bytes, or nothing when it cannot be read.
std::optional<std::string> readFile(const std::filesystem::path& file);

enum class WriteOutcome { Written, AlreadyExists, Failed };

// Writes a new file whole or not at all: the bytes go to a temporary file in
// the same folder, which is then linked into place. An existing file of that
// name is never replaced; a file created meanwhile by someone else wins.
WriteOutcome writeNewFile(const std::filesystem::path& file, std::string_view bytes);

// Writes `file` whole, replacing what was there (the print file).
bool replaceFile(const std::filesystem::path& file, std::string_view bytes);

// Is `name` usable as a plain file name inside the working directory on every
// platform the program runs on? No path separators, no "." or "..", no control
// characters and none of the characters Windows refuses.
bool isPlainFileName(std::string_view name);

}  // namespace mc
