// Where the tests find the product's binaries, and temporary folders for the
// files a test writes.
#pragma once

#include "platform/base/text.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace simtest {

// The folder that holds the plug-in, the simulator, its registration tool and
// the recording library (on Windows the test program's own folder, where the build puts them too).
std::filesystem::path BinFolder();
std::filesystem::path PluginLibraryPath();
std::filesystem::path SimulatorLibraryPath();
std::filesystem::path RecorderLibraryPath();
std::filesystem::path RegToolPath();

// Why the last LoadLibraryW failed, for failure messages.
std::string LastLoadError();

// A path as the UTF-8 text the host's narrow interfaces take, and as WCHAR text.
std::string Utf8Path(const std::filesystem::path& path);
platform::WideString WidePath(const std::filesystem::path& path);

// A file's whole content ("" when it cannot be read), and a file written with
// exactly `text` (no line-end translation).
std::string ReadFile(const std::filesystem::path& path);
void WriteFile(const std::filesystem::path& path, const std::string& text);

// A new empty folder below the system's temporary folder; removed with its
// contents when the object goes. Empty when it could not be made.
class TempFolder {
public:
    explicit TempFolder(std::string_view prefix);
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& Path() const { return m_path; }

private:
    std::filesystem::path m_path;
};

} // namespace simtest
