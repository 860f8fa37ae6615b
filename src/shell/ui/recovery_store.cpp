#include "shell/ui/recovery_store.hpp"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <algorithm>

#include "shell/core/macro_files.hpp"
#include "shell/ui/digest.hpp"

namespace mc::ui {
namespace {

const QString Suffix = QStringLiteral(".recovery");

// The owner's mark is the part of a copy's name before the first '-':
// "<owner>-<editor>.recovery". Process ids come back; the start time makes the mark unique.
QString ownerOf(const QString& fileName) { return fileName.section(QLatin1Char('-'), 0, 0); }

QString lockName(const QString& owner) { return owner + QStringLiteral(".lock"); }

std::filesystem::path pathOnDisk(const QString& path) { return QFile::encodeName(path).toStdString(); }

std::unique_ptr<RecoveryStore>& installed() {
    static std::unique_ptr<RecoveryStore> store;
    return store;
}

}  // namespace

RecoveryStore::RecoveryStore(QString folder)
    : folder_(std::move(folder)),
      owner_(QStringLiteral("%1x%2").arg(QCoreApplication::applicationPid()).arg(QDateTime::currentMSecsSinceEpoch())) {
    QDir().mkpath(folder_);
    lock_ = std::make_unique<QLockFile>(QDir(folder_).filePath(lockName(owner_)));
    lock_->setStaleLockTime(0);
    lock_->tryLock(0);
    removeStaleLocks();
}

void RecoveryStore::removeStaleLocks() const {
    const QDir dir(folder_);
    for (const QString& name : dir.entryList({QStringLiteral("*.lock")}, QDir::Files | QDir::Hidden)) {
        const QString owner = name.chopped(5);
        if (owner == owner_ || !dir.entryList({owner + QLatin1Char('-') + QLatin1Char('*')}, QDir::AllEntries | QDir::System).isEmpty())
            continue;  // its copies keep it until they are dealt with
        // Taken only when its program no longer runs; released, it is gone.
        QLockFile lock(dir.filePath(name));
        lock.setStaleLockTime(0);
        if (lock.tryLock(0)) lock.unlock();
    }
}

std::string RecoveryStore::sha256(std::string_view bytes) { return sha256Hex(bytes); }

RecoveryStore::~RecoveryStore() = default;

QString RecoveryStore::defaultFolder() {
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation)).filePath(QStringLiteral("recovery"));
}

QString RecoveryStore::pathOf(const std::string& editor) const {
    return QDir(folder_).filePath(owner_ + QLatin1Char('-') + QString::fromLatin1(editor) + Suffix);
}

bool RecoveryStore::write(const RecoveryCopy& copy) {
    QDir().mkpath(folder_);
    return replaceFile(pathOnDisk(pathOf(copy.editor)), recoveryCopyText(copy, sha256));
}

void RecoveryStore::remove(const std::string& editor) { QFile::remove(pathOf(editor)); }

std::vector<RecoveryStore::LeftCopy> RecoveryStore::leftBehind(const std::string& editor) const {
    const QDir dir(folder_);
    const QString ending = QLatin1Char('-') + QString::fromLatin1(editor) + Suffix;
    std::vector<std::pair<QDateTime, LeftCopy>> found;
    // Whatever stands under a copy's name: a link or a device there is no copy.
    const QDir::Filters anything = QDir::Files | QDir::Dirs | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot;
    for (const QFileInfo& info : dir.entryInfoList({QLatin1Char('*') + ending}, anything, QDir::Time)) {
        const QString owner = ownerOf(info.fileName());
        if (owner == owner_ || info.fileName() != owner + ending) continue;
        // The lock of a running owner cannot be taken; that of a dead one is
        // stale and taken over.
        auto lock = std::make_shared<QLockFile>(dir.filePath(lockName(owner)));
        lock->setStaleLockTime(0);
        if (!lock->tryLock(0)) continue;
        LeftCopy left{info.filePath(), std::nullopt, lock};
        // Read as macro files are: a plain file, bounded in size; anything else is damaged.
        const ReadResult read = readFile(pathOnDisk(info.filePath()), MaxRecoveryCopySize);
        if (read.status == ReadStatus::Read) {
            left.copy = parseRecoveryCopy(read.bytes, sha256);
            if (left.copy && left.copy->editor != editor) left.copy.reset();
        }
        found.emplace_back(info.lastModified(), std::move(left));
    }
    std::stable_sort(found.begin(), found.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
    std::vector<LeftCopy> copies;
    for (auto& entry : found) copies.push_back(std::move(entry.second));
    return copies;
}

void RecoveryStore::discard(const LeftCopy& left) { QFile::remove(left.path); }

QString RecoveryStore::moveAside(const LeftCopy& left) {
    const QString aside = left.path + QStringLiteral(".damaged-") +
                          QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMddHHmmsszzz"));
    // The entry itself is renamed, a link as a link: nothing is read or copied.
    std::error_code failed;
    std::filesystem::rename(pathOnDisk(left.path), pathOnDisk(aside), failed);
    if (failed) std::filesystem::remove(pathOnDisk(left.path), failed);
    return QFileInfo(aside).fileName();
}

RecoveryStore* recoveryStore() { return installed().get(); }

void installRecoveryStore(std::unique_ptr<RecoveryStore> store) { installed() = std::move(store); }

}  // namespace mc::ui
