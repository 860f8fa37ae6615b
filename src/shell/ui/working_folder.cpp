#include "shell/ui/working_folder.hpp"

#include <QFile>
#include <QSettings>
#include <system_error>

namespace mc::ui {
namespace {

struct Start {
    std::filesystem::path folder = std::filesystem::path(".");
    bool remembers = false;
};

Start& start() {
    static Start current;
    return current;
}

// The user's settings of this program (~/.config/tavrel-macro-creator/).
QSettings settings() {
    return QSettings(QStringLiteral("tavrel-macro-creator"), QStringLiteral("tavrel-macro-creator"));
}

const QString WorkingFolderKey = QStringLiteral("workingFolder");

}  // namespace

void startIn(std::filesystem::path folder, bool rememberChoices) {
    start() = {std::move(folder), rememberChoices};
}

std::filesystem::path startFolder() { return start().folder; }

void folderChosen(const std::filesystem::path& folder) {
    start().folder = folder;
    if (start().remembers) settings().setValue(WorkingFolderKey, QFile::decodeName(folder.native().c_str()));
}

std::optional<std::filesystem::path> rememberedFolder() {
    const QString stored = settings().value(WorkingFolderKey).toString();
    if (stored.isEmpty()) return std::nullopt;
    const std::filesystem::path folder(QFile::encodeName(stored).toStdString());
    std::error_code error;
    if (!folder.is_absolute() || !std::filesystem::is_directory(folder, error)) return std::nullopt;
    return folder;
}

}  // namespace mc::ui
