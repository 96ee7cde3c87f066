#include "host/session.h"

#include "host/camera_capture.h"
#include "host/interrupt.h"
#include "host/page_actions.h"
#include "host/progress.h"
#include "host/record_json.h"
#include "host/record_output.h"
#include "host/session_stats.h"
#include "host/settings_file.h"
#include "host/recorder_owner.h"
#include "host/recording.h"
#include "host/simulator_setup.h"
#include "host/svg_plot.h"
#include "platform/base/text.h"
#include "platform/ui/clock.h"
#include "platform/ui/message_loop.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <functional>
#include <iostream>
#include <map>
#include <optional>

namespace {

// The host's sink: every record becomes a line, is counted, and is handed back.
struct RecordWriter {
    const PluginExports* plugin = nullptr;
    RecordOutput* out = nullptr;
    SessionStats* stats = nullptr;
    trackersim::SimControl* simulator = nullptr; // tells which press a measurement belongs to
    uint32_t mode = 1;
    uint64_t sequence = 0;

    static void Receive(void* context, ZDEV_MESSAGE_TYPE type, ZDEV_SCAN_DATA* record) {
        auto* self = static_cast<RecordWriter*>(context);
        ++self->sequence;
        self->out->WriteLine(RecordToJson(type, *record, self->sequence));
        uint64_t press = 0;
        if (type == ZDEV_MSG_MEASUREMENT && self->simulator)
            press = static_cast<uint64_t>(self->simulator->CallCount(PressCall(self->mode)));
        self->stats->Add(type, *record, self->sequence, platform::CurrentClock().NowMs(), press);
        self->plugin->FreeData(record); // the host hands every record back
    }
};

// What plays in a session, and for how long at most.
struct PlayLimits {
    uint64_t durationMs = 0;
    bool durationGiven = true;          // false: the progress line shows no total
    std::function<bool()> stillPlaying; // null: plays for the whole duration
};

// Lets the session play on the host's message loop, with a progress line;
// stops early on Ctrl-C or when nothing is left to play.
void Play(const PlayLimits& limits, const RecordWriter& writer) {
    Progress progress;
    platform::Clock& clock = platform::CurrentClock();
    const uint64_t start = clock.NowMs();
    for (;;) {
        const uint64_t elapsed = clock.NowMs() - start;
        if (elapsed >= limits.durationMs || Interrupted() ||
            (limits.stillPlaying && !limits.stillPlaying()))
            break;
        platform::RunMessagesFor(std::min<uint64_t>(50, limits.durationMs - elapsed));
        const double seconds = static_cast<double>(clock.NowMs() - start) / 1000.0;
        const auto records = static_cast<unsigned long long>(writer.sequence);
        char line[160];
        if (limits.durationGiven)
            std::snprintf(line, sizeof line, "zuhost: %.1f s of %.1f s, %llu records", seconds,
                          static_cast<double>(limits.durationMs) / 1000.0, records);
        else
            std::snprintf(line, sizeof line, "zuhost: %.1f s, %llu records", seconds, records);
        progress.Show(line);
    }
}

// Why the session file a recording was asked for does not hold the session.
std::string RecordingProblem(trackerrec::RecordingStanding standing, const std::string& file) {
    switch (standing) {
    case trackerrec::RecordingStanding::NotOpened:
        return "the session was not recorded: " + file +
               " could not be written (the recording library's message above says why)";
    case trackerrec::RecordingStanding::Ended:
        return "the recording to " + file +
               " ended early: writing it failed (the recording library's message above says "
               "why); the file is incomplete";
    default:
        return "nothing was recorded to " + file + ": the module did not use the tracker library";
    }
}

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

int RunSession(const PluginExports& plugin, const HostOptions& options,
               const std::vector<std::string>* screenFailures) {
    RecordOutput out;
    std::string error;
    if (!out.Open(options.out, error)) {
        std::fprintf(stderr, "zuhost: %s\n", error.c_str());
        return kStatusNotWritten;
    }
    // The recording library goes in front of the registered library before
    // anything reaches for it.
    std::optional<SessionRecording> recording;
    if (options.record.empty() && options.replay.empty())
        if (const unsigned long other = RecorderOwnerAfterCleanup())
            std::fprintf(stderr,
                         "zuhost: the recording library stands in front of the tracker library "
                         "for the session of another zuhost (process %lu), which records or "
                         "replays; this session goes through it too\n",
                         other);
    if (!options.record.empty() || !options.replay.empty()) {
        recording.emplace(options.replay.empty() ? options.record : options.replay,
                          !options.replay.empty());
        if (!recording->ok()) {
            std::fprintf(stderr, "zuhost: %s\n", recording->error().c_str());
            out.Finish(false, error);
            return kStatusNoPlugin;
        }
    }
    ComPtr<trackersim::SimControl> simulator = SimulatorControl();
    if (!simulator) {
        // A replay, or a library that is not the simulator: its own events decide.
        std::string unused;
        for (const char* option : {"--scenario", "--seed", "--rate", "--positions"})
            if (options.given.count(option))
                unused += (unused.empty() ? "" : ", ") + std::string(option);
        if (!unused.empty())
            std::fprintf(stderr,
                         "zuhost: no effect in this session: %s (the simulated tracker's "
                         "options; %s)\n",
                         unused.c_str(),
                         options.replay.empty() ? "another tracker library is registered"
                                                : "a replay plays what was recorded");
    }
    // A replay measures in the mode its recording did, unless told otherwise.
    uint32_t mode = options.mode;
    if (recording && !options.replay.empty() && !options.given.count("--mode") &&
        recording->RecordedMode() >= 0 &&
        static_cast<uint32_t>(recording->RecordedMode()) != mode) {
        mode = static_cast<uint32_t>(recording->RecordedMode());
        std::fprintf(stderr,
                     "zuhost: the replay measures in acquisition mode %u, as its recording did "
                     "(--mode chooses another)\n",
                     mode);
    }
    SessionStats stats;
    RecordWriter writer;
    writer.plugin = &plugin;
    writer.out = &out;
    writer.stats = &stats;
    writer.simulator = simulator.Get();
    writer.mode = mode;

    // Another library plays for ten seconds unless told otherwise; a replay
    // until its recording has played (its longest is the longest duration).
    constexpr uint64_t kLongestMs = 86400 * 1000;
    const bool replay = !options.replay.empty();
    PlayLimits limits;
    limits.durationMs = options.durationMs ? options.durationMs : replay ? kLongestMs : 10000;
    limits.durationGiven = options.durationMs || !replay;
    if (replay)
        limits.stillPlaying = [&recording] {
            return recording->Standing() == trackerrec::ReplayStanding::Playing;
        };
    else if (simulator)
        limits.stillPlaying = [&simulator] { return simulator->IsScenarioPlaying(); };
    if (simulator) {
        // The scenario's presses are made to last for the rate chosen first.
        simulator->SetContinuousRate(options.continuousHz);
        const std::basic_string<WCHAR> scenario = platform::WideFromUtf8(options.scenario);
        if (FAILED(simulator->SelectScenario(scenario.c_str(), options.seed))) {
            std::fprintf(stderr, "zuhost: unknown scenario %s\n", options.scenario.c_str());
            return kStatusBadOption;
        }
        const uint64_t scriptMs = simulator->ScriptLengthMs();
        if (!options.durationMs)
            limits.durationMs = scriptMs + 1000;
        else if (options.durationMs <= scriptMs)
            std::fprintf(stderr,
                         "zuhost: the %s scenario's presses take %.1f s; --duration %.3f s ends "
                         "it before they are done\n",
                         options.scenario.c_str(), static_cast<double>(scriptMs) / 1000.0,
                         static_cast<double>(options.durationMs) / 1000.0);
    }
    zdev_set_scan_sink(&RecordWriter::Receive, &writer);

    if (!plugin.Open(nullptr)) {
        std::fprintf(stderr, "zuhost: Open failed\n");
        zdev_set_scan_sink(nullptr, nullptr);
        out.Finish(false, error);
        return kStatusOpenFailed;
    }
    bool stepsDone = true;
    if (!options.pageActions.empty() && !Interrupted())
        stepsDone = RunPageActions(plugin, options.pageActions);
    if (!options.saveCamera.empty() && !Interrupted())
        StartCameraImages(plugin);
    if (options.showSheet)
        plugin.SelectProbe();
    plugin.SetProbeAcqMode(mode);
    plugin.StartProbeMeasure();

    long rejected = -1, presses = -1;
    if (simulator)
        simulator->PlayScenario(options.positionHz);
    Play(limits, writer);
    if (simulator)
        simulator->StopScenario();
    // A replay that stopped for a call the module owed: the closing's calls
    // show whether it was the closing the recording waited for.
    const bool callAwaited =
        replay && recording->Standing() == trackerrec::ReplayStanding::AwaitingCall;
    // A replay ended by --duration or Ctrl-C closes as its recording closed.
    const bool cutShort = replay && recording->Standing() == trackerrec::ReplayStanding::Playing;
    if (cutShort)
        recording->CutShort();
    plugin.StopProbeMeasure();
    bool filesWritten = true;
    if (!options.saveCamera.empty() && !SaveLastCameraImage(options.saveCamera))
        filesWritten = false;
    const int closed = plugin.Close();
    platform::PumpMessages();
    zdev_set_scan_sink(nullptr, nullptr);
    // Asked once the module has let go of everything, so that every line is written.
    const trackerrec::RecordingStanding recorded =
        recording && !replay ? recording->Recorded() : trackerrec::RecordingStanding::NotRecording;
    if (cutShort)
        std::fprintf(stderr, "zuhost: the replay was %s before its recording had played; %s\n",
                     Interrupted() ? "interrupted" : "ended by --duration",
                     recording->Standing() == trackerrec::ReplayStanding::Diverged
                         ? "the module's closing calls were not those of the recording's closing"
                         : "the device closed as the recording's did");
    if (callAwaited && recording->Standing() == trackerrec::ReplayStanding::Diverged)
        std::fprintf(stderr, "zuhost: the replay had waited a second for the call the recording "
                             "has next; the module did not make it, and was closed\n");
    else if (replay && !cutShort && recording->Standing() == trackerrec::ReplayStanding::Diverged)
        std::fprintf(stderr,
                     "zuhost: the module went another way than the recording (the call named "
                     "above): a replay follows its recording only with the same session steps "
                     "(--page-action, --answer, --show-sheet, --save-camera; where windows are "
                     "real, the same clicks), the address and the acquisition mode\n");
    if (simulator) {
        // Every measurement the module was handed (events and one-shot
        // requests) that it did not post.
        const long fired = simulator->CallCount(TEXT("MeasurementCollection.get_Item")) +
                           simulator->CallCount(TEXT("Measurements.Measure"));
        const long measured = stats.Count(ZDEV_MSG_MEASUREMENT);
        rejected = fired > measured ? fired - measured : 0;
        presses = simulator->CallCount(PressCall(mode));
    }
    const std::string notSaved = SettingsSaveProblem();
    if (!notSaved.empty())
        std::fprintf(stderr, "zuhost: %s; the settings of this session are lost\n",
                     notSaved.c_str());

    if (screenFailures)
        for (const std::string& failure : *screenFailures) {
            std::fprintf(stderr, "zuhost: --answer: %s\n", failure.c_str());
            stepsDone = false;
        }
    const bool interrupted = Interrupted();
    const bool succeeded = closed && stepsDone && filesWritten;
    // Said after the summary, so that the last word is what went wrong.
    std::vector<std::string> problems;
    if (!out.Finish(succeeded || interrupted, error)) {
        problems.push_back(error + "; the counts above are of the records posted");
        filesWritten = false;
    } else if (!succeeded && !options.out.empty()) {
        problems.push_back("the run failed; " + options.out + " is left as it was");
    }
    if (!options.record.empty() && recorded != trackerrec::RecordingStanding::Recording) {
        problems.push_back(RecordingProblem(recorded, options.record));
        filesWritten = false;
    }
    if (!options.plot.empty() && (succeeded || interrupted)) {
        if (WritePlot(options.plot, stats.Points(), error)) {
            std::fprintf(stderr, "zuhost: plot of %zu records written to %s\n",
                         stats.Points().size(), options.plot.c_str());
        } else {
            problems.push_back(error);
            filesWritten = false;
        }
    }

    SessionFacts facts;
    facts.mode = mode;
    facts.askedRate = options.continuousHz;
    facts.presses = presses;
    facts.rejected = rejected;
    facts.virtualTime = !platform::UsingRealClock();
    if (simulator) {
        trackersim::ShapeInfo shape{};
        simulator->GetScenarioShape(&shape);
        facts.hasShape = true;
        facts.shapeKind = shape.kind;
        facts.shapeCentre = {shape.centre[0], shape.centre[1], shape.centre[2]};
        facts.shapeAxis = {shape.axis[0], shape.axis[1], shape.axis[2]};
        facts.shapeRadius = shape.radius;
    }
    for (const std::string& line : SummaryLines(stats, facts))
        std::fprintf(stderr, "%s\n", line.c_str());
    if (!options.record.empty() && recorded == trackerrec::RecordingStanding::Recording)
        std::fprintf(stderr, "zuhost: session recorded to %s\n", options.record.c_str());
    for (const std::string& problem : problems)
        std::fprintf(stderr, "zuhost: %s\n", problem.c_str());
    if (interrupted) {
        std::fprintf(stderr, "zuhost: interrupted; the device was closed\n");
        return kStatusInterrupted;
    }
    if (!closed)
        return kStatusCloseFailed;
    if (!filesWritten)
        return kStatusNotWritten;
    return stepsDone ? kStatusOk : kStatusStepFailed;
}
