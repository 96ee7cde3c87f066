#include "host/session.h"

#include "host/camera_capture.h"
#include "host/page_actions.h"
#include "host/record_json.h"
#include "host/recording.h"
#include "host/simulator_setup.h"
#include "platform/base/text.h"
#include "platform/ui/message_loop.h"

#include <chrono>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <map>
#include <optional>

namespace {

struct RecordWriter {
    const PluginExports* plugin = nullptr;
    std::ostream* out = nullptr;
    std::map<int, long> counts;

    static void Receive(void* context, ZDEV_MESSAGE_TYPE type, ZDEV_SCAN_DATA* record) {
        auto* self = static_cast<RecordWriter*>(context);
        *self->out << RecordToJson(type, *record) << '\n';
        ++self->counts[type];
        self->plugin->FreeData(record); // the host hands every record back
    }
};

} // namespace

void PrintIdentity(const PluginExports& plugin) {
    const char* name = nullptr;
    int type = 0, buttons = 0;
    double up[3] = {};
    uint32_t mode = 0;
    plugin.GetDeviceName(&name);
    plugin.GetDeviceType(&type);
    plugin.GetExternalButtonType(&buttons);
    plugin.GetDeviceGlobalUpDirection(up);
    plugin.GetProbeAcqMode(&mode);
    std::fprintf(stderr,
                 "device: %s\ndevice type: %d\nexternal button type: %d\n"
                 "global up direction: (%g, %g, %g)\nprobe acquisition mode: %u\n",
                 name ? name : "(none)", type, buttons, up[0], up[1], up[2], mode);
}

int RunSession(const PluginExports& plugin, const HostOptions& options) {
    std::ofstream file;
    std::ostream* out = &std::cout;
    if (!options.out.empty()) {
        file.open(options.out);
        if (!file) {
            std::fprintf(stderr, "zuhost: cannot write %s\n", options.out.c_str());
            return 2;
        }
        out = &file;
    }
    RecordWriter writer;
    writer.plugin = &plugin;
    writer.out = out;
    zdev_set_scan_sink(&RecordWriter::Receive, &writer);
    std::optional<SessionRecording> recording;
    if (!options.record.empty() || !options.replay.empty()) {
        recording.emplace(options.replay.empty() ? options.record : options.replay,
                          !options.replay.empty());
        if (!recording->ok()) {
            std::fprintf(stderr, "zuhost: %s\n", recording->error().c_str());
            zdev_set_scan_sink(nullptr, nullptr);
            return 1;
        }
    }

    const auto started = std::chrono::steady_clock::now();
    ComPtr<trackersim::SimControl> simulator = SimulatorControl();
    if (simulator) {
        const std::basic_string<WCHAR> scenario = platform::WideFromUtf8(options.scenario);
        if (FAILED(simulator->SelectScenario(scenario.c_str(), options.seed))) {
            std::fprintf(stderr, "zuhost: unknown scenario %s\n", options.scenario.c_str());
            zdev_set_scan_sink(nullptr, nullptr);
            return 2;
        }
    }

    if (!plugin.Open(nullptr)) {
        std::fprintf(stderr, "zuhost: Open failed\n");
        zdev_set_scan_sink(nullptr, nullptr);
        return 3;
    }
    if (!options.pageActions.empty())
        RunPageActions(plugin, options.pageActions);
    if (!options.saveCamera.empty())
        StartCameraImages(plugin);
    if (options.showSheet)
        plugin.SelectProbe();
    plugin.SetProbeAcqMode(options.mode);
    plugin.StartProbeMeasure();

    long fired = 0;
    if (simulator) {
        simulator->SetContinuousRate(options.continuousHz);
        simulator->PlayScenario(options.positionHz);
        // The scenario plays on timers; the host's message loop delivers them.
        const uint64_t steps = options.durationMs / 50;
        for (uint64_t step = 0; step < steps && simulator->IsScenarioPlaying(); ++step)
            platform::RunMessagesFor(50);
        simulator->StopScenario();
        // Every measurement the module was handed: events and one-shot requests.
        fired = simulator->CallCount(TEXT("MeasurementCollection.get_Item")) +
                simulator->CallCount(TEXT("Measurements.Measure"));
    } else {
        platform::RunMessagesFor(options.durationMs);
    }
    plugin.StopProbeMeasure();
    if (!options.saveCamera.empty())
        SaveLastCameraImage(options.saveCamera);
    const int closed = plugin.Close();
    platform::PumpMessages();
    zdev_set_scan_sink(nullptr, nullptr);
    out->flush();

    const double elapsed =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - started)
            .count();
    const long measurements = writer.counts[ZDEV_MSG_MEASUREMENT];
    std::fprintf(stderr,
                 "zuhost: records: %ld target-position (9), %ld measurement (10), %ld confirm "
                 "(11), %ld cancel (12); rejected by RMS: %ld; elapsed %.0f ms\n",
                 writer.counts[ZDEV_MSG_TARGET_POSITION], measurements,
                 writer.counts[ZDEV_MSG_CONFIRM], writer.counts[ZDEV_MSG_CANCEL],
                 fired > measurements ? fired - measurements : 0, elapsed);
    return closed ? 0 : 4;
}
