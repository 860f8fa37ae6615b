#include "shell/core/recovery_copy.hpp"

#include <charconv>

namespace mc {
namespace {

// A header value stays on its line whatever a file name holds.
std::string oneLine(std::string value) {
    for (char& c : value)
        if (c == '\n') c = '?';
    return value;
}

bool isTime(std::string_view time) {
    static constexpr std::string_view pattern = "dddd-dd-ddTdd:dd:dd";
    if (time.size() != pattern.size()) return false;
    for (std::size_t i = 0; i < time.size(); ++i) {
        const bool digit = time[i] >= '0' && time[i] <= '9';
        if (pattern[i] == 'd' ? !digit : time[i] != pattern[i]) return false;
    }
    return true;
}

}  // namespace

std::string recoveryCopyText(const RecoveryCopy& copy, const Sha256Of& sha256) {
    std::string text(RecoveryFirstLine);
    text += "\neditor=" + oneLine(copy.editor);
    text += "\nsource=" + oneLine(copy.source);
    text += "\ntime=" + oneLine(copy.time);
    text += "\nmode=" + oneLine(copy.mode);
    text += "\nlength=" + std::to_string(copy.bytes.size());
    text += "\nsha256=" + sha256(copy.bytes);
    text += "\n\n";
    text += copy.bytes;
    return text;
}

std::optional<RecoveryCopy> parseRecoveryCopy(std::string_view text, const Sha256Of& sha256) {
    RecoveryCopy copy;
    std::optional<std::size_t> length;
    std::optional<std::string> digest;
    bool first = true;
    while (true) {
        const std::size_t end = text.find('\n');
        if (end == std::string_view::npos) return std::nullopt;  // the header never ended
        const std::string_view line = text.substr(0, end);
        text.remove_prefix(end + 1);
        if (first) {
            if (line != RecoveryFirstLine) return std::nullopt;
            first = false;
            continue;
        }
        if (line.empty()) break;
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos) return std::nullopt;
        const std::string_view key = line.substr(0, equals);
        const std::string_view value = line.substr(equals + 1);
        if (key == "editor") copy.editor = value;
        else if (key == "source") copy.source = value;
        else if (key == "time") copy.time = value;
        else if (key == "mode") copy.mode = value;
        else if (key == "sha256") digest = value;
        else if (key == "length") {
            std::size_t n = 0;
            const auto [end_, error] = std::from_chars(value.data(), value.data() + value.size(), n);
            if (error != std::errc() || end_ != value.data() + value.size() || value.empty()) return std::nullopt;
            length = n;
        }
        // Other keys belong to later versions of the header and are passed over.
    }
    if (copy.editor.empty() || copy.source.empty() || !isTime(copy.time) || !length || *length != text.size() ||
        !digest || *digest != sha256(text))
        return std::nullopt;
    copy.bytes = text;
    return copy;
}

std::string shownTime(const RecoveryCopy& copy) {
    std::string time = copy.time;
    if (const auto t = time.find('T'); t != std::string::npos) time[t] = ' ';
    return time;
}

std::string restoreQuestion(const RecoveryCopy& copy) {
    return "Unsaved work from " + shownTime(copy) + " was found (" + copy.source + "). Restore it?";
}

std::string restoredMessage(const RecoveryCopy& copy) { return "Restored unsaved work from " + shownTime(copy); }

}  // namespace mc
