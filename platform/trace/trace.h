// The trace: a diagnostic text file that says, with a time stamp on every
// line, what the module did and what it dropped or refused. Off until
// started; while off, every call returns after one flag test. The file never
// grows beyond its size limit: the full file becomes "<name>.1" (replacing
// the previous one) and a new file begins. A line that cannot be written is
// lost, silently; nothing else depends on the trace.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string_view>

namespace qntrace {

inline constexpr std::uintmax_t kDefaultSizeLimit = 4u << 20;

// Where the trace goes when no file is named: the user's local application
// data folder on Windows (%LOCALAPPDATA%\QNZU), the XDG state folder on Linux
// ($XDG_STATE_HOME/qnzu, by default ~/.local/state/qnzu). Empty when the
// system names no such folder.
std::filesystem::path DefaultFolder();
std::filesystem::path DefaultFile();

// Starts the trace into `file`, making its folder when missing, and writes a
// first line. A trace already running goes on into its own file (true).
// False when the folder cannot be made or the file cannot be opened: the
// trace stays off.
bool Start(const std::filesystem::path& file, std::uintmax_t sizeLimit = kDefaultSizeLimit);
// Writes a last line and closes the file.
void Stop();
bool On() noexcept;
std::filesystem::path File();

// One line, time-stamped; nothing while the trace is off.
void Write(std::string_view text) noexcept;
#if defined(__GNUC__)
__attribute__((format(printf, 1, 2)))
#endif
void Printf(const char* format, ...) noexcept;

} // namespace qntrace

// Formats only while the trace is on, so its arguments cost nothing otherwise.
#define QNTRACE(...)                                                                               \
    do {                                                                                           \
        if (::qntrace::On())                                                                       \
            ::qntrace::Printf(__VA_ARGS__);                                                        \
    } while (0)
