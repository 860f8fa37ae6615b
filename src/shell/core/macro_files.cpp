#include "shell/core/macro_files.hpp"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <fstream>
#include <random>
#include <system_error>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

#include "shell/core/text.hpp"

namespace mc {
namespace fs = std::filesystem;

namespace {

FileSystemFaults faults;

char lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool endsWithIgnoringCase(std::string_view text, std::string_view ending) {
    if (text.size() < ending.size()) return false;
    return std::equal(ending.begin(), ending.end(), text.end() - static_cast<std::ptrdiff_t>(ending.size()),
                      [](char a, char b) { return lower(a) == lower(b); });
}

// The bytes of a file name as the system keeps them.
std::string nameBytes(const fs::path& name) {
#ifdef _WIN32
    const std::u8string utf8 = name.u8string();
    return std::string(utf8.begin(), utf8.end());
#else
    return name.native();
#endif
}

#ifdef _WIN32
int openForWriting(const fs::path& file) { return _wopen(file.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, 0666); }
bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const int chunk = static_cast<int>(std::min<std::size_t>(bytes.size(), 1u << 20));
        const int written = _write(fd, bytes.data(), static_cast<unsigned>(chunk));
        if (written <= 0) return false;
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}
bool syncFile(int fd) { return !faults.failSync && _commit(fd) == 0; }
bool closeFile(int fd) { return _close(fd) == 0; }
bool syncFolder(const fs::path&) { return !faults.failSync; }  // NTFS commits directory entries itself
#else
int openForWriting(const fs::path& file) { return ::open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666); }
bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}
bool syncFile(int fd) { return !faults.failSync && ::fsync(fd) == 0; }
bool closeFile(int fd) { return ::close(fd) == 0; }
bool syncFolder(const fs::path& folder) {
    if (faults.failSync) return false;
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return false;
    const bool synced = ::fsync(fd) == 0;
    return closeFile(fd) && synced;
}
#endif

// Creates `file` (never an existing one), writes the bytes and syncs them to
// the disk; false, with nothing left behind, on any failure.
bool writeSynced(const fs::path& file, std::string_view bytes) {
    const int fd = openForWriting(file);
    if (fd < 0) return false;
    const bool written = writeAll(fd, bytes) && syncFile(fd);
    if (closeFile(fd) && written) return true;
    std::error_code ignored;
    fs::remove(file, ignored);
    return false;
}

// A name in the same folder that nobody else uses, so the final move stays
// within one file system.
fs::path temporaryBeside(const fs::path& file) {
    static std::mt19937_64 generator{std::random_device{}()};
    for (;;) {
        fs::path candidate = file;
        candidate += ".tmp" + std::to_string(generator() % 1000000000u);
        if (kindAt(candidate) == PathKind::Nothing) return candidate;
    }
}

// Puts the synced temporary file in place under `file`, never over an existing one.
WriteOutcome linkIntoPlace(const fs::path& temporary, const fs::path& file, std::string_view bytes) {
    std::error_code error;
    if (faults.refuseHardLinks) error = std::make_error_code(std::errc::operation_not_permitted);
    else fs::create_hard_link(temporary, file, error);  // fails when the target exists
    if (!error) return WriteOutcome::Written;
    if (kindAt(file) != PathKind::Nothing) return WriteOutcome::AlreadyExists;
    // File systems without hard links: create the name exclusively and write it again.
    const int fd = openForWriting(file);
    if (fd < 0) return kindAt(file) != PathKind::Nothing ? WriteOutcome::AlreadyExists : WriteOutcome::Failed;
    const bool written = writeAll(fd, bytes) && syncFile(fd);
    if (closeFile(fd) && written) return WriteOutcome::Written;
    fs::remove(file, error);  // a partial copy of our own
    return WriteOutcome::Failed;
}

}  // namespace

void setFileSystemFaultsForTesting(FileSystemFaults testFaults) { faults = testFaults; }

fs::path fileIn(const fs::path& folder, std::string_view latin1Name) {
    const std::string utf8 = latin1ToUtf8(latin1Name);
    return folder / fs::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string shownFileName(const fs::path& fileName) { return utf8ToLatin1(nameBytes(fileName)); }

std::vector<ListedFile> listFiles(const fs::path& folder, std::string_view extension) {
    std::vector<ListedFile> files;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        std::error_code typeError;
        // Links are left out: they could lead outside the working folder.
        if (!fs::is_regular_file(it->symlink_status(typeError))) continue;
        const fs::path name = it->path().filename();
        if (!endsWithIgnoringCase(nameBytes(name), extension)) continue;
        files.push_back({shownFileName(name), it->path()});
    }
    std::sort(files.begin(), files.end(), [](const ListedFile& a, const ListedFile& b) {
        return a.shownName != b.shownName ? a.shownName < b.shownName : a.path < b.path;
    });
    return files;
}

PathKind kindAt(const fs::path& path) {
    std::error_code error;
    const fs::file_status status = fs::symlink_status(path, error);
    if (error || !fs::exists(status)) return PathKind::Nothing;
    if (fs::is_symlink(status)) return PathKind::Link;
    if (fs::is_regular_file(status)) return PathKind::File;
    if (fs::is_directory(status)) return PathKind::Folder;
    return PathKind::Other;
}

bool fileExists(const fs::path& file) { return kindAt(file) != PathKind::Nothing; }

ReadResult readFile(const fs::path& file, std::uintmax_t limit) {
    if (kindAt(file) != PathKind::File) return {ReadStatus::Unreadable, {}};
    std::ifstream in(file, std::ios::binary | std::ios::ate);
    if (!in) return {ReadStatus::Unreadable, {}};
    const std::streamoff size = in.tellg();
    if (size < 0) return {ReadStatus::Unreadable, {}};
    if (static_cast<std::uintmax_t>(size) > limit) return {ReadStatus::TooLarge, {}};
    in.seekg(0);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    in.read(bytes.data(), size);
    // A file that grew meanwhile reads up to its size then; one that shrank is short.
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    if (in.bad()) return {ReadStatus::Unreadable, {}};
    return {ReadStatus::Read, std::move(bytes)};
}

WriteOutcome writeNewFile(const fs::path& file, std::string_view bytes) {
    if (kindAt(file) != PathKind::Nothing) return WriteOutcome::AlreadyExists;
    const fs::path temporary = temporaryBeside(file);
    if (!writeSynced(temporary, bytes)) return WriteOutcome::Failed;
    WriteOutcome outcome = linkIntoPlace(temporary, file, bytes);
    std::error_code ignored;
    fs::remove(temporary, ignored);
    // The new name must survive a power cut too, not only the bytes.
    if (outcome == WriteOutcome::Written && !syncFolder(file.parent_path())) {
        fs::remove(file, ignored);
        outcome = WriteOutcome::Failed;
    }
    return outcome;
}

bool replaceFile(const fs::path& file, std::string_view bytes) {
    const fs::path temporary = temporaryBeside(file);
    std::error_code error;
    if (writeSynced(temporary, bytes)) {
        fs::rename(temporary, file, error);
        if (!error) return true;
    }
    fs::remove(temporary, error);
    return false;
}

bool isPlainFileName(std::string_view name) {
    if (name.empty() || name == "." || name == "..") return false;
    for (char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) return false;
        if (std::string_view("/\\:*?\"<>|").find(c) != std::string_view::npos) return false;
    }
    // Device names that Windows refuses whatever the extension.
    std::string upper;
    for (char c : name) upper += (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    for (std::string_view device : {"CON", "PRN", "AUX", "NUL"})
        if (upper == device) return false;
    if (upper.size() == 4 && (upper.starts_with("COM") || upper.starts_with("LPT")) && upper[3] >= '1' &&
        upper[3] <= '9')
        return false;
    return true;
}

}  // namespace mc
