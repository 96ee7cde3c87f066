// Loading, change detection and atomic saving of the hive file.
#include "hive_store.h"

#include "hive_file.h"
#include "hive_text.h"
#include "platform/registry/registry.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <pwd.h>
#include <ctime>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace qn::reg {

namespace {

const char* NonEmptyEnv(const char* name) {
    const char* value = std::getenv(name);
    return value && *value ? value : nullptr;
}

std::string DirName(const std::string& path) {
    size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

void MakeDirs(const std::string& dir) {
    struct stat st;
    if (dir.empty() || ::stat(dir.c_str(), &st) == 0) {
        return;
    }
    std::string parent = DirName(dir);
    if (parent != dir) {
        MakeDirs(parent);
    }
    ::mkdir(dir.c_str(), 0777);
}

// Writes through a symbolic link to the file it names.
std::string ResolveTarget(const std::string& path) {
    struct stat st;
    if (::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
        char resolved[PATH_MAX];
        if (::realpath(path.c_str(), resolved)) {
            return resolved;
        }
    }
    return path;
}

bool ReadAll(int fd, std::string* out) {
    char buffer[65536];
    while (true) {
        ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            return false;
        }
        if (n == 0) {
            return true;
        }
        out->append(buffer, size_t(n));
    }
}

bool WriteAll(int fd, const std::string& data) {
    size_t done = 0;
    while (done < data.size()) {
        ssize_t n = ::write(fd, data.data() + done, data.size() - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return false;
        }
        done += size_t(n);
    }
    return true;
}

LONG ErrorFromErrno(int error) {
    return error == ENOENT || error == ENOTDIR                   ? ERROR_PATH_NOT_FOUND
           : error == ENOSPC                                     ? ERROR_DISK_FULL
           : error == EACCES || error == EPERM || error == EROFS ? ERROR_ACCESS_DENIED
                                                                 : ERROR_WRITE_FAULT;
}

// Keeps key identities (and so open handles) valid across a reload.
void CarryIds(Key& fresh, const Key& old) {
    fresh.id = old.id;
    for (auto& child : fresh.children) {
        if (const Key* before = old.FindChild(child->name)) {
            CarryIds(*child, *before);
        }
    }
}

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return fd_; }
    int release() { return std::exchange(fd_, -1); }

private:
    int fd_;
};

} // namespace

std::string HiveFilePath() {
    if (const char* explicitPath = NonEmptyEnv("QNZU_REGISTRY")) {
        return explicitPath;
    }
    std::string config;
    if (const char* xdg = NonEmptyEnv("XDG_CONFIG_HOME"); xdg && xdg[0] == '/') {
        config = xdg;
    } else if (const char* home = NonEmptyEnv("HOME")) {
        config = std::string(home) + "/.config";
    } else if (const passwd* user = ::getpwuid(::getuid()); user && user->pw_dir) {
        config = std::string(user->pw_dir) + "/.config";
    } else {
        config = "/tmp";
    }
    return config + "/qnzu/HKEY_CURRENT_USER.reg";
}

HiveStore& HiveStore::Instance() {
    static HiveStore store;
    return store;
}

HiveStore::Stamp HiveStore::StampOf(const struct stat& st) {
    Stamp stamp;
    stamp.exists = true;
    stamp.dev = st.st_dev;
    stamp.ino = st.st_ino;
    stamp.size = st.st_size;
    stamp.mtimeNs = (long long)st.st_mtim.tv_sec * 1000000000LL + st.st_mtim.tv_nsec;
    stamp.ctimeNs = (long long)st.st_ctim.tv_sec * 1000000000LL + st.st_ctim.tv_nsec;
    return stamp;
}

HiveStore::Snapshot HiveStore::ReadSnapshot(const std::string& path) {
    Snapshot snapshot;
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0) {
        // A missing file is an empty hive; anything else must not be overwritten.
        snapshot.unreadable = errno != ENOENT;
        return snapshot;
    }
    struct stat st;
    if (::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode) ||
        !ReadAll(fd.get(), &snapshot.bytes)) {
        snapshot.unreadable = true;
        snapshot.bytes.clear();
        return snapshot;
    }
    snapshot.stamp = StampOf(st);
    return snapshot;
}

// File times come from a coarse clock: a file written again within the same
// tick, at the same size, may keep its stamp. Until its time is safely in the
// past, the content is compared as well (as version control tools do).
bool HiveStore::IsRacy(const Stamp& stamp) {
    constexpr long long kMarginNs = 2'000'000'000LL;
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    const long long nowNs = (long long)now.tv_sec * 1000000000LL + now.tv_nsec;
    return stamp.exists && stamp.mtimeNs > nowNs - kMarginNs;
}

void HiveStore::Refresh() {
    const std::string path = HiveFilePath();
    const bool samePath = loaded_ && path == path_;
    if (samePath && !racy_) {
        struct stat st;
        Stamp now = ::stat(path.c_str(), &st) == 0 ? StampOf(st) : Stamp{};
        if (now == stamp_) {
            return;
        }
    }
    Snapshot snapshot = ReadSnapshot(path);
    if (samePath && !snapshot.unreadable && !unreadable_ &&
        snapshot.stamp.exists == stamp_.exists && snapshot.bytes == bytes_) {
        stamp_ = snapshot.stamp;
        racy_ = IsRacy(stamp_);
        return;
    }
    Adopt(path, std::move(snapshot));
}

void HiveStore::Adopt(const std::string& path, Snapshot snapshot) {
    Hive old = std::move(hive_);
    hive_ = ParseHive(DecodeHiveBytes(snapshot.bytes));
    for (auto& root : hive_.roots) {
        if (const Key* before = old.FindRoot(root->name)) {
            CarryIds(*root, *before);
        }
    }
    path_ = path;
    stamp_ = snapshot.stamp;
    bytes_ = std::move(snapshot.bytes);
    racy_ = IsRacy(stamp_);
    unreadable_ = snapshot.unreadable;
    loaded_ = true;
}

LONG HiveStore::Save() {
    const std::string target = ResolveTarget(path_);
    const std::string dir = DirName(target);
    MakeDirs(dir);

    std::string tmp = target + ".tmp-XXXXXX";
    FileDescriptor fd(::mkstemp(tmp.data()));
    if (fd.get() < 0) {
        return ErrorFromErrno(errno);
    }
    struct stat existing;
    if (::stat(target.c_str(), &existing) == 0) {
        ::fchmod(fd.get(), existing.st_mode & 07777);
    }
    std::string bytes = EncodeHiveText(SerialiseHive(hive_));
    if (!WriteAll(fd.get(), bytes) || ::fsync(fd.get()) != 0 || ::close(fd.release()) != 0 ||
        ::rename(tmp.c_str(), target.c_str()) != 0) {
        LONG error = ErrorFromErrno(errno);
        ::unlink(tmp.c_str());
        return error;
    }
    // Make the rename itself durable.
    FileDescriptor dirFd(::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dirFd.get() >= 0) {
        ::fsync(dirFd.get());
    }
    struct stat st;
    stamp_ = ::stat(path_.c_str(), &st) == 0 ? StampOf(st) : Stamp{};
    bytes_ = std::move(bytes);
    racy_ = IsRacy(stamp_);
    return ERROR_SUCCESS;
}

LONG HiveStore::Read(const std::function<LONG(Hive&)>& read) {
    std::lock_guard lock(mutex_);
    Refresh();
    return read(hive_);
}

LONG HiveStore::Write(const std::function<LONG(Hive&, bool* changed)>& change) {
    std::lock_guard lock(mutex_);
    // Writers in other processes serialise on the hive's folder, so a
    // read-modify-write never loses their changes. Without the folder (first
    // save) there is nothing to lose.
    FileDescriptor dirLock(
        ::open(DirName(ResolveTarget(HiveFilePath())).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dirLock.get() >= 0) {
        while (::flock(dirLock.get(), LOCK_EX) != 0 && errno == EINTR) {
        }
    }
    Refresh();
    if (unreadable_) {
        return ERROR_ACCESS_DENIED;
    }
    bool changed = false;
    LONG result = change(hive_, &changed);
    if (result != ERROR_SUCCESS || !changed) {
        return result;
    }
    LONG saved = Save();
    if (saved != ERROR_SUCCESS) {
        loaded_ = false;
        return saved;
    }
    return result;
}

} // namespace qn::reg
