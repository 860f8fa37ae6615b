#include "shell/ui/recovery_store.hpp"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <algorithm>

namespace mc::ui {
namespace {

const QString Suffix = QStringLiteral(".recovery");

// The owner's mark is the part of a copy's name before the first '-':
// "<owner>-<editor>.recovery". Process ids come back; the start time makes the mark unique.
QString ownerOf(const QString& fileName) { return fileName.section(QLatin1Char('-'), 0, 0); }

QString lockName(const QString& owner) { return owner + QStringLiteral(".lock"); }

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
}

RecoveryStore::~RecoveryStore() = default;

QString RecoveryStore::defaultFolder() {
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation)).filePath(QStringLiteral("recovery"));
}

QString RecoveryStore::pathOf(const std::string& editor) const {
    return QDir(folder_).filePath(owner_ + QLatin1Char('-') + QString::fromLatin1(editor) + Suffix);
}

bool RecoveryStore::write(const RecoveryCopy& copy) {
    QDir().mkpath(folder_);
    const std::string text = recoveryCopyText(copy);
    QSaveFile file(pathOf(copy.editor));
    if (!file.open(QIODevice::WriteOnly)) return false;
    if (file.write(text.data(), static_cast<qint64>(text.size())) != static_cast<qint64>(text.size())) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

void RecoveryStore::remove(const std::string& editor) { QFile::remove(pathOf(editor)); }

std::vector<RecoveryStore::LeftCopy> RecoveryStore::leftBehind(const std::string& editor) const {
    const QDir dir(folder_);
    const QString ending = QLatin1Char('-') + QString::fromLatin1(editor) + Suffix;
    std::vector<std::pair<QDateTime, LeftCopy>> found;
    for (const QFileInfo& info : dir.entryInfoList({QLatin1Char('*') + ending}, QDir::Files, QDir::Time)) {
        const QString owner = ownerOf(info.fileName());
        if (owner == owner_ || info.fileName() != owner + ending) continue;
        // The lock of a running owner cannot be taken; that of a dead one is
        // stale and taken over.
        auto lock = std::make_shared<QLockFile>(dir.filePath(lockName(owner)));
        lock->setStaleLockTime(0);
        if (!lock->tryLock(0)) continue;
        LeftCopy left{info.filePath(), std::nullopt, lock};
        QFile file(info.filePath());
        if (file.open(QIODevice::ReadOnly)) {
            const QByteArray text = file.readAll();
            left.copy = parseRecoveryCopy(std::string_view(text.constData(), static_cast<std::size_t>(text.size())));
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
    if (!QFile::rename(left.path, aside)) QFile::remove(left.path);
    return QFileInfo(aside).fileName();
}

RecoveryStore* recoveryStore() { return installed().get(); }

void installRecoveryStore(std::unique_ptr<RecoveryStore> store) { installed() = std::move(store); }

}  // namespace mc::ui
