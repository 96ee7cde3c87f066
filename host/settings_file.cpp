#include "host/settings_file.h"

#ifdef _WIN32

std::string SettingsFilePath() {
    return "the registry of the current user";
}
std::string SettingsFileProblem() {
    return {};
}
std::string SettingsSaveProblem() {
    return {};
}

#else

#include "platform/registry/unix/hive_store.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr char kHeader[] = "Windows Registry Editor Version 5.00";

std::string Folder(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
}

// The file's first line, from UTF-8 (with or without a byte-order mark) or
// UTF-16LE with its mark; characters beyond ASCII become '?'.
std::string FirstLine(const std::string& bytes) {
    std::string line;
    if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
        static_cast<unsigned char>(bytes[1]) == 0xFE) {
        for (size_t i = 2; i + 1 < bytes.size(); i += 2) {
            const unsigned unit = static_cast<unsigned char>(bytes[i]) |
                                  static_cast<unsigned char>(bytes[i + 1]) << 8;
            if (unit == '\r' || unit == '\n')
                break;
            line += unit < 0x80 ? static_cast<char>(unit) : '?';
        }
        return line;
    }
    size_t start = bytes.rfind("\xEF\xBB\xBF", 0) == 0 ? 3 : 0;
    const size_t end = bytes.find_first_of("\r\n", start);
    return bytes.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

} // namespace

std::string SettingsFilePath() {
    return qn::reg::HiveFilePath();
}

std::string SettingsFileProblem() {
    const std::string path = SettingsFilePath();
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        if (errno == ENOENT)
            return {}; // no settings yet
        return "the settings file " + path + " cannot be read: " + std::strerror(errno);
    }
    if (S_ISDIR(st.st_mode))
        return "the settings file " + path + " is a folder, not a file";
    if (!S_ISREG(st.st_mode))
        return "the settings file " + path + " is not a regular file";
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return "the settings file " + path + " cannot be read: " + std::strerror(errno);
    std::string bytes(512, '\0');
    bytes.resize(std::fread(bytes.data(), 1, bytes.size(), file));
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed)
        return "the settings file " + path + " cannot be read";
    if (bytes.empty())
        return {};
    const std::string first = FirstLine(bytes);
    if (first != kHeader)
        return "the settings file " + path + " is not a registry export (its first line is not \"" +
               kHeader + "\"); it is left as it is";
    return {};
}

std::string SettingsSaveProblem() {
    const std::string path = SettingsFilePath();
    // Saving writes a new file beside the old one and renames it over.
    std::string folder = Folder(path);
    while (::access(folder.c_str(), F_OK) != 0 && folder != "/" && folder != ".")
        folder = Folder(folder); // missing folders are created under the first that exists
    // Tried, not asked: access() tells root every folder is writable.
    std::string probe = (folder == "/" ? std::string() : folder) + "/.zuhost-probe-XXXXXX";
    const int fd = ::mkstemp(probe.data());
    if (fd < 0)
        return "settings cannot be saved to " + path + ": nothing can be written in " + folder +
               " (" + std::strerror(errno) + ")";
    ::close(fd);
    ::unlink(probe.c_str());
    return {};
}

#endif
