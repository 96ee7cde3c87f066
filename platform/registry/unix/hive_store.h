// The process's view of the hive file: loaded on first use, reloaded whenever
// the file changes under it (another process may register or edit keys), and
// saved atomically after every change.
//
// Location: $QNZU_REGISTRY when set (read again on every operation, so a
// process can switch hives), else $XDG_CONFIG_HOME/qnzu/HKEY_CURRENT_USER.reg,
// else ~/.config/qnzu/HKEY_CURRENT_USER.reg. A missing file is an empty hive.
//
// A change by another process is noticed by the file's identity, size and
// times, which every save changes (a new file is renamed into place); the
// file is read again only when they differ.
//
// A save writes a temporary file beside the hive, flushes it and renames it
// over the hive, so readers see the old or the new file, never a part. New
// hives are private to the user (0600); an existing hive keeps its mode.
//
// A file that cannot be read, or that is not a registry export, is never
// written: every operation fails until it changes, and Problem() says why.
#pragma once

#include "hive_tree.h"

#include <functional>
#include <mutex>
#include <string>
#include <sys/stat.h>
#include <sys/types.h>

namespace qn::reg {

std::string HiveFilePath();

class HiveStore {
public:
    static HiveStore& Instance();

    // Runs `read` on the up-to-date hive.
    LONG Read(const std::function<LONG(Hive&)>& read);

    // Runs `change` on the up-to-date hive under an exclusive lock shared with
    // other processes; when it succeeds and reports a change, the hive is saved
    // before the lock is released. When the save fails the change is dropped
    // (the next operation reloads the file) and the error is returned.
    LONG Write(const std::function<LONG(Hive&, bool* changed)>& change);

    // Why the hive cannot be used, or why the last save failed, with the
    // file's path; empty when neither.
    std::string Problem();

private:
    struct Stamp {
        bool exists = false;
        dev_t dev = 0;
        ino_t ino = 0;
        off_t size = 0;
        mode_t mode = 0;
        long long mtimeNs = 0;
        long long ctimeNs = 0;
        bool operator==(const Stamp&) const = default;
    };

    static Stamp StampOf(const struct stat& st);
    static Stamp StampOfPath(const std::string& path);
    void Refresh();
    void Load(const std::string& path);
    LONG Save();

    std::mutex mutex_;
    Hive hive_;
    std::string path_;
    Stamp stamp_;
    bool loaded_ = false;
    LONG status_ = ERROR_SUCCESS; // why the file cannot be used, when it cannot
    std::string loadProblem_;
    std::string saveProblem_;
};

} // namespace qn::reg
