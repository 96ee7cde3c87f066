// The process's view of the hive file: loaded on first use, reloaded whenever
// the file changes under it (another process may register or edit keys), and
// saved atomically after every change.
//
// Location: $QNZU_REGISTRY when set (read again on every operation, so a
// process can switch hives), else $XDG_CONFIG_HOME/qnzu/HKEY_CURRENT_USER.reg,
// else ~/.config/qnzu/HKEY_CURRENT_USER.reg. A missing file is an empty hive.
//
// A save writes a temporary file beside the hive, flushes it and renames it
// over the hive, so readers see the old or the new file, never a part. New
// hives are private to the user (0600); an existing hive keeps its mode.
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

private:
    struct Stamp {
        bool exists = false;
        dev_t dev = 0;
        ino_t ino = 0;
        off_t size = 0;
        long long mtimeNs = 0;
        long long ctimeNs = 0;
        bool operator==(const Stamp&) const = default;
    };
    struct Snapshot {
        Stamp stamp;
        std::string bytes;
        bool unreadable = false;
    };

    static Stamp StampOf(const struct stat& st);
    static Snapshot ReadSnapshot(const std::string& path);
    static bool IsRacy(const Stamp& stamp);
    void Refresh();
    void Adopt(const std::string& path, Snapshot snapshot);
    LONG Save();

    std::mutex mutex_;
    Hive hive_;
    std::string path_;
    Stamp stamp_;
    std::string bytes_; // the file's content as last read or written
    bool racy_ = false; // the file changed too recently for its stamp to tell later changes apart
    bool loaded_ = false;
    bool unreadable_ = false; // the file exists but could not be read: never overwrite it
};

} // namespace qn::reg
