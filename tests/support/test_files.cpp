#include "tests/support/test_files.h"

#ifdef _WIN32
#include <windows.h>
#else
#include "platform/module/libloaderapi.h"

#include <unistd.h>
#endif

#include <atomic>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace simtest {

#ifdef _WIN32
namespace {
constexpr const char* kLibrarySuffix = ".dll";
constexpr const char* kProgramSuffix = ".exe";
unsigned long ProcessId() {
    return GetCurrentProcessId();
}
} // namespace

fs::path BinFolder() {
    WCHAR path[MAX_PATH] = {};
    const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    return fs::path(std::wstring(path, n)).parent_path();
}

std::string Utf8Path(const fs::path& path) {
    return platform::Utf8FromWide(path.native());
}

std::string LastLoadError() {
    return "error " + std::to_string(GetLastError());
}

platform::WideString WidePath(const fs::path& path) {
    return path.native();
}
#else
namespace {
constexpr const char* kLibrarySuffix = ".so";
constexpr const char* kProgramSuffix = "";
unsigned long ProcessId() {
    return static_cast<unsigned long>(::getpid());
}
} // namespace

fs::path BinFolder() {
    return QNZU_BIN_DIR;
}

std::string Utf8Path(const fs::path& path) {
    return path.string();
}

std::string LastLoadError() {
    return QnLastLoadError();
}

platform::WideString WidePath(const fs::path& path) {
    return platform::WideFromUtf8(path.string());
}
#endif

fs::path PluginLibraryPath() {
    return BinFolder() / (std::string("QNZUDeviceQWand") + kLibrarySuffix);
}

fs::path SimulatorLibraryPath() {
    return BinFolder() / (std::string("Tarn.Tracker.Connection") + kLibrarySuffix);
}

fs::path RecorderLibraryPath() {
    return BinFolder() / (std::string("Tarn.Tracker.Recorder") + kLibrarySuffix);
}

fs::path RegToolPath() {
    return BinFolder() / (std::string("trackersim-regtool") + kProgramSuffix);
}

TempFolder::TempFolder(std::string_view prefix) {
    static std::atomic<unsigned> counter{0};
    std::error_code ec;
    const fs::path base = fs::temp_directory_path(ec);
    if (ec)
        return;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const fs::path candidate = base / (std::string(prefix) + "-" + std::to_string(ProcessId()) +
                                           "-" + std::to_string(counter++));
        if (fs::create_directory(candidate, ec)) {
            m_path = fs::canonical(candidate, ec);
            if (ec)
                m_path = candidate;
            return;
        }
    }
}

TempFolder::~TempFolder() {
    if (m_path.empty())
        return;
    std::error_code ignored;
    fs::remove_all(m_path, ignored);
}

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void WriteFile(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

} // namespace simtest
