#include "exclusive_file.h"

#include "../platform/base/file_names.h"

#include <cerrno>
#include <cstring>

#ifdef _WIN32
#include <share.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace trackerrec {
namespace {
constexpr char kTaken[] = "another process is writing it";
}

#ifdef _WIN32
std::FILE* OpenExclusiveFile(const std::string& path, std::string& why) {
    // Others may read it, not write it; a file they write is not opened (nor emptied).
    std::FILE* file = _wfsopen(platform::PathFromUtf8(path).c_str(), L"wb", _SH_DENYWR);
    if (!file)
        why = GetLastError() == ERROR_SHARING_VIOLATION ? kTaken : std::strerror(errno);
    return file;
}
#else
std::FILE* OpenExclusiveFile(const std::string& path, std::string& why) {
    // Emptied only once it is ours: a lock of another process leaves it whole.
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0) {
        why = std::strerror(errno);
        return nullptr;
    }
    struct stat st {};
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0 ||
        (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && ::ftruncate(fd, 0) != 0)) {
        why = errno == EWOULDBLOCK ? kTaken : std::strerror(errno);
        ::close(fd);
        return nullptr;
    }
    std::FILE* file = ::fdopen(fd, "wb");
    if (!file) {
        why = std::strerror(errno);
        ::close(fd);
    }
    return file;
}
#endif

} // namespace trackerrec
