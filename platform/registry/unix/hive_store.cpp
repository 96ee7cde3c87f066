// Loading, change detection and atomic saving of the hive file.
#include "hive_store.h"

#include "hive_file.h"
#include "hive_text.h"
#include "platform/registry/registry.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <new>
#include <pwd.h>
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
    for (auto& child : fresh.Children()) {
        if (const Key* before = old.FindChild(child->name)) {
            CarryIds(*child, *before);
        }
    }
}

LONG ErrorFromException() {
    try {
        throw;
    } catch (const std::bad_alloc&) {
        return ERROR_OUTOFMEMORY;
    } catch (...) {
        return ERROR_GEN_FAILURE;
    }
}

// A temporary file that is removed unless kept.
class TemporaryFile {
public:
    explicit TemporaryFile(std::string path) : path_(std::move(path)) {}
    ~TemporaryFile() {
        if (!path_.empty()) {
            ::unlink(path_.c_str());
        }
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    void Keep() { path_.clear(); }

private:
    std::string path_;
};

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
    stamp.mode = st.st_mode;
    stamp.mtimeNs = (long long)st.st_mtim.tv_sec * 1000000000LL + st.st_mtim.tv_nsec;
    stamp.ctimeNs = (long long)st.st_ctim.tv_sec * 1000000000LL + st.st_ctim.tv_nsec;
    return stamp;
}

HiveStore::Stamp HiveStore::StampOfPath(const std::string& path) {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 ? StampOf(st) : Stamp{};
}

void HiveStore::Refresh() {
    const std::string path = HiveFilePath();
    if (loaded_ && path == path_ && StampOfPath(path) == stamp_) {
        return;
    }
    Load(path);
}

void HiveStore::Load(const std::string& path) {
    // Until the load completes, the next operation tries again.
    loaded_ = false;
    if (path != path_) {
        saveProblem_.clear();
    }
    path_ = path;
    // A refused file leaves the hive as it was (nothing reaches it), so keys
    // keep their identities once the file is usable again.
    const auto refuse = [&](LONG status, const std::string& reason) {
        status_ = status;
        loadProblem_ = path + ": " + reason;
        loaded_ = true;
    };
    // Not blocking: the path may name a pipe.
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    const int openError = errno;
    stamp_ = StampOfPath(path);
    if (fd.get() < 0 && (openError == ENOENT || openError == ENOTDIR)) {
        hive_ = Hive();
        status_ = ERROR_SUCCESS;
        loadProblem_.clear();
        loaded_ = true;
        return;
    }
    struct stat st;
    if (fd.get() < 0) {
        refuse(ERROR_ACCESS_DENIED, std::strerror(openError));
        return;
    }
    if (::fstat(fd.get(), &st) != 0) {
        refuse(ERROR_ACCESS_DENIED, std::strerror(errno));
        return;
    }
    if (S_ISDIR(st.st_mode)) {
        refuse(ERROR_ACCESS_DENIED, std::strerror(EISDIR));
        return;
    }
    if (!S_ISREG(st.st_mode)) {
        refuse(ERROR_ACCESS_DENIED, "not a regular file");
        return;
    }
    std::string bytes;
    bytes.reserve(size_t(st.st_size));
    if (!ReadAll(fd.get(), &bytes)) {
        refuse(ERROR_ACCESS_DENIED, std::strerror(errno));
        return;
    }
    stamp_ = StampOf(st);
    const WString text = DecodeHiveBytes(bytes);
    if (!StartsWithHeader(text)) {
        refuse(ERROR_BADDB, "not a registry export: its first line is not "
                            "\"Windows Registry Editor Version 5.00\"; it is left as it is");
        return;
    }
    Hive old = std::move(hive_);
    hive_ = ParseHive(text);
    for (auto& root : hive_.roots) {
        if (const Key* before = old.FindRoot(root->name)) {
            CarryIds(*root, *before);
        }
    }
    status_ = ERROR_SUCCESS;
    loadProblem_.clear();
    loaded_ = true;
}

LONG HiveStore::Save() {
    // Everything that can run out of memory happens before the temporary
    // file exists.
    const std::string bytes = EncodeHiveText(SerialiseHive(hive_));
    const std::string target = ResolveTarget(path_);
    const std::string dir = DirName(target);
    MakeDirs(dir);

    const auto fail = [&](int error) {
        saveProblem_ = "cannot save " + path_ + ": " + std::strerror(error);
        return ErrorFromErrno(error);
    };
    std::string tmp = target + ".tmp-XXXXXX";
    FileDescriptor fd(::mkstemp(tmp.data()));
    if (fd.get() < 0) {
        return fail(errno);
    }
    TemporaryFile pending(tmp);
    struct stat existing;
    if (::stat(target.c_str(), &existing) == 0) {
        ::fchmod(fd.get(), existing.st_mode & 07777);
    }
    if (!WriteAll(fd.get(), bytes) || ::fsync(fd.get()) != 0 || ::close(fd.release()) != 0 ||
        ::rename(tmp.c_str(), target.c_str()) != 0) {
        return fail(errno);
    }
    pending.Keep();
    // Make the rename itself durable.
    FileDescriptor dirFd(::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dirFd.get() >= 0) {
        ::fsync(dirFd.get());
    }
    stamp_ = StampOfPath(path_);
    saveProblem_.clear();
    return ERROR_SUCCESS;
}

LONG HiveStore::Read(const std::function<LONG(Hive&)>& read) {
    std::lock_guard lock(mutex_);
    try {
        Refresh();
        if (status_ != ERROR_SUCCESS) {
            return status_;
        }
        return read(hive_);
    } catch (...) {
        loaded_ = false;
        return ErrorFromException();
    }
}

LONG HiveStore::Write(const std::function<LONG(Hive&, bool* changed)>& change) {
    std::lock_guard lock(mutex_);
    try {
        // Writers in other processes serialise on the hive's folder, so a
        // read-modify-write never loses their changes. Without the folder
        // (first save) there is nothing to lose.
        FileDescriptor dirLock(::open(DirName(ResolveTarget(HiveFilePath())).c_str(),
                                      O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        if (dirLock.get() >= 0) {
            while (::flock(dirLock.get(), LOCK_EX) != 0 && errno == EINTR) {
            }
        }
        Refresh();
        if (status_ != ERROR_SUCCESS) {
            return status_;
        }
        bool changed = false;
        LONG result = change(hive_, &changed);
        if (!changed) {
            return result;
        }
        LONG saved = result == ERROR_SUCCESS ? Save() : result;
        if (saved != ERROR_SUCCESS) {
            loaded_ = false; // the change is dropped: the file is read again
            return saved;
        }
        return result;
    } catch (...) {
        // A change cut short leaves the hive half made: read the file again.
        loaded_ = false;
        return ErrorFromException();
    }
}

std::string HiveStore::Problem() {
    std::lock_guard lock(mutex_);
    try {
        Refresh();
        return !loadProblem_.empty() ? loadProblem_ : saveProblem_;
    } catch (...) {
        loaded_ = false;
        return "the settings file could not be read: out of memory";
    }
}

} // namespace qn::reg
