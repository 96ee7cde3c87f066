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

#include <cstdio>
#include <filesystem>
#include <iostream>
#include <memory>
#include <string>

namespace {

// The trace named by --trace, from the start to the end of main. A trace that
// cannot be written is said once and the session goes on without it.
struct TraceForSession {
    explicit TraceForSession(const std::string& file) {
        if (!file.empty() && !qntrace::Start(std::filesystem::path(file)))
            std::fprintf(stderr, "zuhost: cannot write the trace to %s; going on without it\n",
                         file.c_str());
    }
    ~TraceForSession() { qntrace::Stop(); }
};

std::string FolderOf(const std::string& path) {
    std::error_code error;
    const std::filesystem::path full = std::filesystem::weakly_canonical(path, error);
    return (error ? std::filesystem::absolute(path) : full).parent_path().string();
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

} // namespace

int main(int argc, char** argv) {
    HostOptions options;
    std::string error;
    if (!ParseOptions(argc, argv, options, error)) {
        std::fprintf(stderr, "zuhost: %s\n", error.c_str());
        return 2;
    }
    if (options.help) {
        std::fputs(UsageText(), stdout);
        return 0;
    }
    const TraceForSession trace(options.trace);
    const std::string folder = FolderOf(argv[0]);
#ifdef _WIN32
    const std::string plugin =
        options.plugin.empty() ? folder + "\\QNZUDeviceQWand.dll" : options.plugin;
#else
    const std::string plugin =
        options.plugin.empty() ? folder + "/QNZUDeviceQWand.so" : options.plugin;
#endif

    // Real windows mean a person at a desktop and the real clock.
    const bool realWindows = platform::RealWindows();
    // The host's user-interface thread is a single-threaded apartment.
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    std::unique_ptr<platform::ScopedVirtualClock> virtualTime;
    if (!options.realtime && !realWindows)
        virtualTime = std::make_unique<platform::ScopedVirtualClock>();

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
        return 2;
    }
    if (!useConsole && !options.answers.empty())
        std::fprintf(stderr, "zuhost: --answer is for the console screen (--console); the "
                             "message boxes wait for you\n");
    platform::ScopedScreen useScreen(useConsole ? static_cast<platform::Screen&>(console)
                                                : desktop);

    if (options.cycles > 0) {
        int status = EnsureTrackerLibraryRegistered(folder, error) ? 0 : 1;
        if (status != 0)
            std::fprintf(stderr, "zuhost: %s\n", error.c_str());
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
                std::fprintf(stderr, "zuhost: %s\n", error.c_str());
                status = 1;
            } else {
                status = RunSession(loaded.exports(), options);
            }
        }
    }
    CoUninitialize();
    return status;
}
