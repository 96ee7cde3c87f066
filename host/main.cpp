// zuhost: a stand-in ZU host for the QNZUDeviceQWand plug-in.
#include "host/load_cycles.h"
#include "host/options.h"
#include "host/plugin_exports.h"
#include "host/session.h"
#include "host/simulator_setup.h"
#include "host/tour.h"
#include "platform/ui/clock.h"
#include "platform/ui/console_screen.h"
#include "platform/ui/scripted_screen.h"
#include "platform/trace/trace.h"
#include "platform/ui/window_capture.h"

#include "host/interrupt.h"
#include "host/settings_file.h"
#include "platform/base/file_names.h"
#include "platform/base/text.h"
#include "platform/module/module.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#ifndef _WIN32
#include <fcntl.h>
#include <unistd.h>
#endif

namespace {

// The trace named by --trace, from the start to the end of main. A trace that
// cannot be written is said once and the session goes on without it.
struct TraceForSession {
    explicit TraceForSession(const std::string& file) {
        if (!file.empty() && !qntrace::Start(platform::PathFromUtf8(file)))
            std::fprintf(stderr, "zuhost: cannot write the trace to %s; going on without it\n",
                         file.c_str());
    }
    ~TraceForSession() { qntrace::Stop(); }
};

std::string FolderOf(const std::string& name) {
    std::error_code error;
    const std::filesystem::path path = platform::PathFromUtf8(name);
    const std::filesystem::path full = std::filesystem::weakly_canonical(path, error);
    return platform::Utf8FromPath(
        (error ? std::filesystem::absolute(path, error) : full).parent_path());
}

// The folder of zuhost's own executable, wherever it was started from (argv[0]
// has no folder when zuhost is found through PATH).
std::string OwnFolder(const char* argv0) {
    WCHAR buffer[4096];
    const DWORD n = GetModuleFileNameW(nullptr, buffer, 4096);
    if (n == 0 || n >= 4096)
        return FolderOf(argv0);
#ifdef _WIN32
    return FolderOf(platform::Utf8FromWide(buffer));
#else
    const std::string native = platform::NativePathFromWindows(buffer);
    return FolderOf(native.empty() ? argv0 : native);
#endif
}

// Standard streams that are closed are pointed at the null device, so no file
// opened later takes their place; false when standard output was closed.
bool StandardStreamsOpen() {
#ifdef _WIN32
    return true;
#else
    bool outputOpen = true;
    for (int fd = 0; fd <= 2; ++fd) {
        if (fcntl(fd, F_GETFD) != -1 || errno != EBADF)
            continue;
        if (fd == 1)
            outputOpen = false;
        const int null = open("/dev/null", fd == 0 ? O_RDONLY : O_WRONLY);
        if (null >= 0 && null != fd) {
            dup2(null, fd);
            close(null);
        }
    }
    return outputOpen;
#endif
}

// A person at the console: the connect dialog either counts down by itself
// or gets the address typed in; message boxes get the answers given on the
// command line, or their default.
bool AddConsoleAnswers(platform::ConsoleScreen& screen, const HostOptions& options) {
    std::string error;
    const std::string connect = options.address.empty()
                                    ? "check:Automatically apply settings in;wait:5000"
                                    : "type:#1200=" + options.address + ";click:Connect";
    if (!screen.AddAnswer(connect, &error)) {
        std::fprintf(stderr, "zuhost: %s\n", error.c_str());
        return false;
    }
    for (const std::string& answer : options.answers) {
        if (!screen.AddAnswer(answer, &error)) {
            std::fprintf(stderr, "zuhost: --answer %s: %s\n", answer.c_str(), error.c_str());
            return false;
        }
    }
    return true;
}

int Main(int argc, char** argv) {
    const bool outputOpen = StandardStreamsOpen();
    HostOptions options;
    std::string error;
    if (!ParseOptions(argc, argv, options, error)) {
        std::fprintf(stderr, "zuhost: %s\n", error.c_str());
        return kStatusBadOption;
    }
    if (options.help) {
        std::fputs(UsageText(), stdout);
        return std::fflush(stdout) == 0 && !std::ferror(stdout) ? kStatusOk : kStatusNotWritten;
    }
    const bool writesRecords = !options.tour && !options.cycles && !options.identityOnly;
    if (!outputOpen && writesRecords && options.out.empty()) {
        std::fprintf(stderr, "zuhost: standard output is closed: the records have nowhere to go "
                             "(give --out FILE)\n");
        return kStatusNotWritten;
    }
#ifndef _WIN32
    // A reader that goes away (zuhost | head) is a write error, reported as such.
    std::signal(SIGPIPE, SIG_IGN);
#endif
    const TraceForSession trace(options.trace);
    const std::string folder = OwnFolder(argv[0]);
#ifdef _WIN32
    const std::string plugin =
        options.plugin.empty() ? folder + "\\QNZUDeviceQWand.dll" : options.plugin;
#else
    const std::string plugin =
        options.plugin.empty() ? folder + "/QNZUDeviceQWand.so" : options.plugin;
#endif
    if (!CheckFilesApart(options, plugin, error)) {
        std::fprintf(stderr, "zuhost: %s\n", error.c_str());
        return kStatusBadOption;
    }

    // Real windows mean a person at a desktop and the real clock.
    const bool realWindows = platform::RealWindows();
    // The host's user-interface thread is a single-threaded apartment.
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    std::unique_ptr<platform::ScopedVirtualClock> virtualTime;
    // Virtual time starts at the moment of the run, so records carry its date.
    if (!options.realtime && !realWindows)
        virtualTime = std::make_unique<platform::ScopedVirtualClock>(
            static_cast<int64_t>(std::time(nullptr)));

    // A settings file the module cannot use is named, with the reason, before
    // anything is registered in it.
    if (const std::string problem = SettingsFileProblem();
        !problem.empty() && !options.identityOnly) {
        std::fprintf(stderr, "zuhost: %s\n", problem.c_str());
        CoUninitialize();
        return kStatusNoPlugin;
    }

    if (options.tour) {
        const int status = RunTour(plugin, folder, options);
        CoUninitialize();
        return status;
    }

    platform::ConsoleScreen console(std::cerr);
    platform::DesktopScreen desktop;
    const bool useConsole = options.console || !realWindows;
    if (useConsole && !AddConsoleAnswers(console, options)) {
        CoUninitialize();
        return kStatusBadOption;
    }
    if (!useConsole && !options.answers.empty())
        std::fprintf(stderr, "zuhost: --answer is for the console screen (--console); the "
                             "message boxes wait for you\n");
    platform::ScopedScreen useScreen(useConsole ? static_cast<platform::Screen&>(console)
                                                : desktop);

    if (options.cycles > 0) {
        int status = EnsureTrackerLibraryRegistered(folder, error) ? 0 : 1;
        if (status != 0)
            std::fprintf(stderr, "zuhost: %s (settings file %s)\n", error.c_str(),
                         SettingsFilePath().c_str());
        else
            status = RunLoadCycles(plugin, options.cycles,
                                   options.address.empty() ? "192.168.0.1" : options.address);
        CoUninitialize();
        return status;
    }

    int status = 0;
    {
        LoadedPlugin loaded(plugin);
        if (!loaded.ok()) {
            std::fprintf(stderr, "zuhost: %s\n", loaded.error().c_str());
            CoUninitialize();
            return 1;
        }
        PrintIdentity(loaded.exports());
        if (!options.identityOnly) {
            if (!EnsureTrackerLibraryRegistered(folder, error)) {
                std::fprintf(stderr, "zuhost: %s (settings file %s)\n", error.c_str(),
                             SettingsFilePath().c_str());
                status = kStatusNoPlugin;
            } else {
                CatchInterrupt();
                status = RunSession(loaded.exports(), options,
                                    useConsole ? &console.Failures() : nullptr);
                if (const size_t unused = useConsole ? console.UnusedAnswers() : 0)
                    std::fprintf(stderr,
                                 "zuhost: %zu --answer %s not used: no message box "
                                 "asked for %s\n",
                                 unused, unused == 1 ? "was" : "were", unused == 1 ? "it" : "them");
            }
        }
    }
    CoUninitialize();
    return status;
}

} // namespace

#ifdef _WIN32
// The command line in UTF-8, as zuhost keeps every name (the narrow one
// would be in the ANSI code page, without the characters outside it).
int wmain(int argc, wchar_t** wideArgv) {
    std::vector<std::string> args;
    std::vector<char*> argv;
    for (int i = 0; i < argc; ++i)
        args.push_back(platform::Utf8FromWide(wideArgv[i]));
    for (std::string& arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    return Main(argc, argv.data());
}
#else
int main(int argc, char** argv) {
    return Main(argc, argv);
}
#endif
