// zuhost: a stand-in ZU host for the QNZUDeviceQWand plug-in.
#include "host/options.h"
#include "host/plugin_exports.h"
#include "host/session.h"
#include "host/simulator_setup.h"
#include "platform/ui/clock.h"

#include <cstdio>
#include <memory>
#include <string>

namespace {

std::string FolderOf(const std::string& path) {
    const size_t cut = path.find_last_of("/\\");
    return cut == std::string::npos ? std::string(".") : path.substr(0, cut);
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
    const std::string folder = FolderOf(argv[0]);
#ifdef _WIN32
    const std::string plugin =
        options.plugin.empty() ? folder + "\\QNZUDeviceQWand.dll" : options.plugin;
#else
    const std::string plugin =
        options.plugin.empty() ? folder + "/QNZUDeviceQWand.so" : options.plugin;
#endif

    // The host's user-interface thread is a single-threaded apartment.
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    std::unique_ptr<platform::ScopedVirtualClock> virtualTime;
    if (!options.realtime)
        virtualTime = std::make_unique<platform::ScopedVirtualClock>();

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
