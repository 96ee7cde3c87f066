#include "host/record_output.h"

#include "platform/base/file_names.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

#ifdef _WIN32
#include <process.h>
#define getpid _getpid
#else
#include <unistd.h>
#endif

namespace fs = std::filesystem;

RecordOutput::~RecordOutput() {
    if (!m_finished) {
        std::string ignored;
        Finish(false, ignored);
    }
}

bool RecordOutput::Open(const std::string& path, std::string& error) {
    m_path = path;
    if (path.empty()) {
        m_file = stdout;
        return true;
    }
    // Devices and pipes are written directly; a regular file (or a new one)
    // only at the end, so a failed run leaves the old file as it was.
    std::error_code ec;
    const fs::file_status status = fs::status(platform::PathFromUtf8(path), ec);
    const bool special = !ec && fs::exists(status) && !fs::is_regular_file(status);
    if (!ec && fs::is_directory(status)) {
        error = "cannot write the records to " + path + ": it is a folder";
        return false;
    }
    m_temporary = special ? std::string() : path + ".zuhost-" + std::to_string(getpid()) + ".part";
    const std::string& opened = special ? path : m_temporary;
    errno = 0;
    m_file = platform::OpenFile(opened, "wb");
    if (!m_file) {
        error = "cannot write the records to " + path + ": " + std::strerror(errno);
        m_temporary.clear();
        return false;
    }
    m_ownsFile = true;
    return true;
}

void RecordOutput::Fail(const char* what, int error) {
    if (m_error.empty())
        m_error = std::string(what) + " " + (m_path.empty() ? "standard output" : m_path) + ": " +
                  std::strerror(error ? error : EIO);
}

void RecordOutput::WriteLine(const std::string& line) {
    if (!m_file || Failed())
        return;
    errno = 0;
    if (std::fwrite(line.data(), 1, line.size(), m_file) != line.size() ||
        std::fputc('\n', m_file) == EOF)
        Fail("cannot write the records to", errno);
}

bool RecordOutput::Finish(bool keep, std::string& error) {
    m_finished = true;
    if (m_file) {
        errno = 0;
        if (std::fflush(m_file) != 0 || std::ferror(m_file))
            Fail("cannot write the records to", errno);
        if (m_ownsFile && std::fclose(m_file) != 0)
            Fail("cannot write the records to", errno);
        m_file = nullptr;
    }
    if (!m_temporary.empty()) {
        std::error_code ec;
        if (keep && !Failed()) {
            fs::rename(platform::PathFromUtf8(m_temporary), platform::PathFromUtf8(m_path), ec);
            if (ec)
                m_error = "cannot replace " + m_path + " with the records: " + ec.message();
        }
        if (!keep || Failed())
            fs::remove(platform::PathFromUtf8(m_temporary), ec);
        m_temporary.clear();
    }
    error = m_error;
    return !Failed();
}
