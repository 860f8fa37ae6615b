#include "shell/core/macro_files.hpp"

#include <algorithm>
#include <fstream>
#include <random>
#include <system_error>

#include "shell/core/text.hpp"

namespace mc {
namespace fs = std::filesystem;

namespace {

char lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool endsWithIgnoringCase(std::string_view text, std::string_view ending) {
    if (text.size() < ending.size()) return false;
    return std::equal(ending.begin(), ending.end(), text.end() - static_cast<std::ptrdiff_t>(ending.size()),
                      [](char a, char b) { return lower(a) == lower(b); });
}

bool writeWhole(const fs::path& file, std::string_view bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    return static_cast<bool>(out);
}

// A name in the same folder that nobody else uses, so the final move stays
// within one file system.
fs::path temporaryBeside(const fs::path& file) {
    static std::mt19937_64 generator{std::random_device{}()};
    for (;;) {
        fs::path candidate = file;
        candidate += ".tmp" + std::to_string(generator() % 1000000000u);
        std::error_code error;
        if (!fs::exists(candidate, error)) return candidate;
    }
}

}  // namespace

fs::path fileIn(const fs::path& folder, std::string_view latin1Name) {
    const std::string utf8 = latin1ToUtf8(latin1Name);
    return folder / fs::path(std::u8string(utf8.begin(), utf8.end()));
}

std::vector<std::string> listFiles(const fs::path& folder, std::string_view extension) {
    std::vector<std::string> names;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        std::error_code typeError;
        if (!it->is_regular_file(typeError)) continue;
        const std::u8string utf8 = it->path().filename().u8string();
        const std::string name = utf8ToLatin1(std::string(utf8.begin(), utf8.end()));
        if (endsWithIgnoringCase(name, extension)) names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

bool fileExists(const fs::path& file) {
    std::error_code error;
    return fs::exists(file, error);
}

std::optional<std::string> readFile(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) return std::nullopt;
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) return std::nullopt;
    return bytes;
}

WriteOutcome writeNewFile(const fs::path& file, std::string_view bytes) {
    if (fileExists(file)) return WriteOutcome::AlreadyExists;
    const fs::path temporary = temporaryBeside(file);
    if (!writeWhole(temporary, bytes)) {
        std::error_code ignored;
        fs::remove(temporary, ignored);
        return WriteOutcome::Failed;
    }
    // A hard link fails when the target exists, so nothing is ever replaced.
    std::error_code error;
    fs::create_hard_link(temporary, file, error);
    std::error_code ignored;
    if (!error) {
        fs::remove(temporary, ignored);
        return WriteOutcome::Written;
    }
    if (fileExists(file)) {
        fs::remove(temporary, ignored);
        return WriteOutcome::AlreadyExists;
    }
    // File systems without hard links: create the name exclusively and copy.
    const auto copied = fs::copy_file(temporary, file, fs::copy_options::none, error);
    fs::remove(temporary, ignored);
    if (error == std::errc::file_exists) return WriteOutcome::AlreadyExists;
    if (copied && !error) return WriteOutcome::Written;
    fs::remove(file, ignored);  // a partial copy of our own
    return WriteOutcome::Failed;
}

bool replaceFile(const fs::path& file, std::string_view bytes) {
    const fs::path temporary = temporaryBeside(file);
    std::error_code error;
    if (writeWhole(temporary, bytes)) {
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
