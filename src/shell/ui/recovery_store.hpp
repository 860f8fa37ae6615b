#pragma once
// Where the recovery copies live: the program's own data folder, one file
// per running program and editor kind. A program holds a lock file while it
// runs, so that no other program takes its copies for left-behind ones.

#include <QLockFile>
#include <QString>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "shell/core/recovery_copy.hpp"

namespace mc::ui {

class RecoveryStore {
public:
    // Takes this program's lock in `folder`, made if missing.
    explicit RecoveryStore(QString folder);
    ~RecoveryStore();
    RecoveryStore(const RecoveryStore&) = delete;
    RecoveryStore& operator=(const RecoveryStore&) = delete;

    // The "recovery" folder of the user's application data.
    static QString defaultFolder();
    const QString& folder() const { return folder_; }

    // Writes the copy of an editor whole or not at all, synced to the disk;
    // false when not every byte reached it.
    bool write(const RecoveryCopy& copy);
    // The digest a copy's header carries.
    static std::string sha256(std::string_view bytes);
    void remove(const std::string& editor);
    // This program's copy of an editor, as a file name.
    QString pathOf(const std::string& editor) const;

    // A copy left by a program that no longer runs. While it lives, its
    // owner's lock is held here, so that no other program offers it too.
    struct LeftCopy {
        QString path;
        std::optional<RecoveryCopy> copy;  // nothing when the file is damaged
        std::shared_ptr<QLockFile> ownerLock;
    };
    // The copies of an editor left by programs no longer running, newest first.
    std::vector<LeftCopy> leftBehind(const std::string& editor) const;
    static void discard(const LeftCopy& left);
    // Renames a damaged copy so that it is never offered again; its new name.
    static QString moveAside(const LeftCopy& left);

private:
    // Removes the locks of programs that no longer run and left no copy behind.
    void removeStaleLocks() const;

    QString folder_;
    QString owner_;  // this program's mark in its file names
    std::unique_ptr<QLockFile> lock_;
};

// The store of the program's editor windows; without one they keep no copies.
RecoveryStore* recoveryStore();
void installRecoveryStore(std::unique_ptr<RecoveryStore> store);

}  // namespace mc::ui
