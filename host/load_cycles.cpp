#include "host/load_cycles.h"

#include "host/plugin_exports.h"
#include "host/progress.h"
#include "host/simulator_setup.h"
#include "platform/base/process_handles.h"
#include "platform/base/text.h"
#include "platform/ui/message_loop.h"
#include "platform/ui/scripted_screen.h"
#include "resources/resource.h"

#include <cstdio>
#include <string>

int RunLoadCycles(const std::string& plugin, int cycles, const std::string& address) {
    const platform::WideString typed = platform::WideFromUtf8(address);
    ComPtr<trackersim::SimControl> simulator = SimulatorControl();
    // Handles are counted after the first cycle, which loads what a process
    // keeps once loaded (libraries, window classes, the apartment's own).
    size_t handlesAfterFirst = 0;
    bool handlesCounted = false;
    Progress progress;
    for (int cycle = 1; cycle <= cycles; ++cycle) {
        // A silent screen for each cycle (a screen keeps what it was shown):
        // the connect dialog gets the address typed and "Connect".
        platform::ScriptedScreen screen;
        platform::ScopedScreen useScreen(screen);
        LoadedPlugin loaded(plugin);
        if (!loaded.ok()) {
            std::fprintf(stderr, "zuhost: cycle %d: %s\n", cycle, loaded.error().c_str());
            return 1;
        }
        screen.OnDialog(TEXT("Connect"), {platform::Act::Type(IDC_CONNECT_ADDRESS, typed),
                                          platform::Act::Click(IDOK)});
        if (!loaded.exports().Open(nullptr) || !loaded.exports().Close()) {
            std::fprintf(stderr, "zuhost: cycle %d: Open or Close failed\n", cycle);
            return 3;
        }
        platform::PumpMessages();
        if (cycle == 1)
            handlesCounted = platform::ProcessHandleCount(&handlesAfterFirst);
        progress.Show("zuhost: cycle " + std::to_string(cycle) + " of " + std::to_string(cycles));
    }
    progress.Clear();
    platform::PumpMessages();
    const int live = simulator ? simulator->LiveObjectCount() : 0;
    size_t handles = 0;
    handlesCounted = handlesCounted && platform::ProcessHandleCount(&handles);
    const bool handlesKept = handlesCounted && handles > handlesAfterFirst;
    std::fprintf(stderr,
                 "zuhost: %d load/open/close/unload cycles; tracker library objects left: %d\n",
                 cycles, live);
    if (handlesCounted)
        std::fprintf(stderr, "zuhost: process handles after the first cycle %zu, at the end %zu\n",
                     handlesAfterFirst, handles);
    else
        std::fprintf(stderr, "zuhost: the system does not count the process's handles\n");
    return live == 0 && !handlesKept ? 0 : 5;
}
