// Records per second through the whole measuring path, against the floor of
// allocating, filling and freeing a record with no module code.
//
// (a) the simulator's MeasurementArrived event, invoked on the device's sink:
//     OnMeasurement, facets, RMS filter, frame, record, probe size, post, the
//     host's sink, free;
// (b) the same for TargetPositionChanged (the target stream);
// (c) (a) and (b) against the minimal library (constant answers, nothing
//     counted or allocated per call): the module's own cost;
// (d) the floor, and the floor with the post through the host library;
// (e) a measurement fired by the simulator and delivered through the message
//     loop, with the device connected to the simulator directly, then through
//     the recording library writing its session file (the cost of recording),
//     and the two in turns, a batch each (the cost of recording, paired).
// (a) and (b) run with the trace off (trace:0) and on (trace:1), into a file
// in the benchmark's folder: an accepted record only counts for the trace.
#include "allocation_counter.h"
#include "minimal_library.h"

#include "interfaces/tracker.h"
#include "measurement/scan_records.h"
#include "platform/base/text.h"
#include "platform/com/bstr.h"
#include "platform/com/variant.h"
#include "platform/module/libloaderapi.h"
#include "platform/trace/trace.h"
#include "platform/ui/message_loop.h"
#include "plugin/CQWandDevice.h"
#include "trackerrec/settings.h"
#include "trackersim/sim_control.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace {

uint64_t g_posted = 0;

// The measurement fired: a six-degree-of-freedom sample with its RMS.
trackersim::SampleSpec FiredSample() {
    trackersim::SampleSpec sample;
    sample.x = 1200;
    sample.y = -350;
    sample.z = 410;
    sample.rms = 0.02;
    sample.hasSixDof = true;
    return sample;
}

void HostSink(void*, ZDEV_MESSAGE_TYPE, ZDEV_SCAN_DATA* record) {
    ++g_posted;
    ScanRecordDeleter()(record); // what the host's FreeData does
}

// Keeps the arguments of the last event it receives.
class EventCatcher final : public IDispatch {
public:
    ComVariant args[3];
    UINT count = 0;
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
        if (riid == IID_IUnknown || riid == IID_IDispatch ||
            riid == tracker::IID_MeasurementEvents || riid == tracker::IID_TargetCollectionEvents) {
            *object = static_cast<IDispatch*>(this);
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* n) override {
        *n = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*,
                                     EXCEPINFO*, UINT*) override {
        count = params->cArgs < 3 ? params->cArgs : 3;
        for (UINT i = 0; i < count; ++i)
            VariantCopy(&args[i], &params->rgvarg[i]);
        return S_OK;
    }
};

struct Fixture {
    std::filesystem::path folder;
    std::unique_ptr<CQWandDevice> device;
    ComPtr<trackersim::SimControl> sim;
    EventCatcher measurementEvent;
    EventCatcher positionEvent;
    bool ok = false;

    Fixture() {
        folder =
            std::filesystem::temp_directory_path() / ("qwand-bench-" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder);
        setenv("QNZU_REGISTRY", (folder / "hive.reg").c_str(), 1);
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        const std::string simulator = std::string(QNZU_BIN_DIR) + "/Tarn.Tracker.Connection.so";
        HMODULE library = LoadLibraryW(platform::WideFromUtf8(simulator).c_str());
        auto registerServer =
            library ? GetExport<HRESULT (*)()>(library, "DllRegisterServer") : nullptr;
        if (!registerServer || FAILED(registerServer())) {
            std::fprintf(stderr, "cannot register the simulator %s\n", simulator.c_str());
            return;
        }
        device = std::make_unique<CQWandDevice>();
        ComPtr<tracker::TrackerConnection> connection;
        CoCreateInstance(tracker::CLSID_TrackerConnection, nullptr, CLSCTX_ALL,
                         tracker::TrackerConnection::iid, connection.PutVoid());
        if (!connection || FAILED(connection.As(sim)))
            return;
        ComBstr address(TEXT("10.0.0.2"));
        if (FAILED(connection->Connect(address.Get(), device->m_tracker.Put())))
            return;
        device->AdviseSinks();
        device->m_connected = true;
        device->m_state = 2;
        zdev_set_scan_sink(&HostSink, nullptr);

        // Catch one event of each kind from the simulator and keep its objects.
        ComPtr<tracker::Measurements> measurements;
        ComPtr<tracker::TargetCollection> targets;
        device->m_tracker->get_Measurements(measurements.Put());
        device->m_tracker->get_TargetCollection(targets.Put());
        DWORD c1 = 0, c2 = 0;
        Advise(measurements.Get(), tracker::IID_MeasurementEvents, &measurementEvent, c1);
        Advise(targets.Get(), tracker::IID_TargetCollectionEvents, &positionEvent, c2);
        const trackersim::SampleSpec sample = FiredSample();
        sim->FireMeasurements(&sample, 1, 0, nullptr);
        sim->FireTargetPosition(sample);
        platform::PumpMessages();
        Unadvise(measurements.Get(), tracker::IID_MeasurementEvents, c1);
        Unadvise(targets.Get(), tracker::IID_TargetCollectionEvents, c2);
        ok = measurementEvent.count == 3 && positionEvent.count == 2;
        sim->SetCallCounting(false); // the simulator's bookkeeping is not the module's cost
    }

    // The folder goes with the run: a recorded run leaves a session file of
    // hundreds of megabytes in it.
    ~Fixture() {
        device.reset();
        std::error_code error;
        std::filesystem::remove_all(folder, error);
    }
    Fixture(const Fixture&) = delete;
    Fixture& operator=(const Fixture&) = delete;

    static void Advise(IUnknown* source, REFIID iid, IDispatch* sink, DWORD& cookie) {
        ComPtr<IConnectionPointContainer> container;
        ComPtr<IConnectionPoint> point;
        if (SUCCEEDED(source->QueryInterface(IID_IConnectionPointContainer, container.PutVoid())) &&
            SUCCEEDED(container->FindConnectionPoint(iid, point.Put())))
            point->Advise(sink, &cookie);
    }
    static void Unadvise(IUnknown* source, REFIID iid, DWORD cookie) {
        ComPtr<IConnectionPointContainer> container;
        ComPtr<IConnectionPoint> point;
        if (SUCCEEDED(source->QueryInterface(IID_IConnectionPointContainer, container.PutVoid())) &&
            SUCCEEDED(container->FindConnectionPoint(iid, point.Put())))
            point->Unadvise(cookie);
    }
};

Fixture& TheFixture() {
    static Fixture fixture;
    return fixture;
}

// A second device, connected to the minimal library, with its sinks.
struct MinimalFixture {
    bench::MinimalLibrary library;
    std::unique_ptr<CQWandDevice> device;
    ComVariant measurementArgs[3]; // last to first, as automation passes them
    ComVariant positionArgs[2];

    MinimalFixture() {
        TheFixture(); // the host's sink and the apartment
        device = std::make_unique<CQWandDevice>();
        device->m_tracker = ComPtr<tracker::Tracker>(library.Tracker());
        device->AdviseSinks(); // the minimal tracker has no event sources: nothing is advised
        device->m_connected = true;
        device->m_state = 2;
        measurementArgs[0] = ComVariant::FromDispatch(nullptr);
        measurementArgs[1] = ComVariant::FromDispatch(library.MeasurementCollection());
        measurementArgs[2] = ComVariant::FromDispatch(library.Tracker());
        positionArgs[0] = ComVariant::FromDispatch(library.PositionSample());
        positionArgs[1] = ComVariant::FromDispatch(library.Tracker());
    }
    ~MinimalFixture() {
        device->m_connected = false;
        device->m_state = 0;
    }
};

MinimalFixture& TheMinimalFixture() {
    static MinimalFixture fixture;
    return fixture;
}

void RunEvent(benchmark::State& state, IDispatch* sink, DISPID id, VARIANTARG* args, UINT count,
              bool trace = false) {
    if (!sink) {
        state.SkipWithError("the device's sinks could not be set up");
        return;
    }
    if (trace && !qntrace::Start(TheFixture().folder / "trace.txt")) {
        state.SkipWithError("the trace could not be started");
        return;
    }
    struct TraceOff {
        ~TraceOff() { qntrace::Stop(); }
    } traceOff;
    DISPPARAMS params{args, nullptr, count, 0};
    const uint64_t postedBefore = g_posted;
    const uint64_t allocationsBefore = bench::AllocationCount();
    for (auto _ : state)
        sink->Invoke(id, IID_NULL, 0, DISPATCH_METHOD, &params, nullptr, nullptr, nullptr);
    const uint64_t posted = g_posted - postedBefore;
    state.SetItemsProcessed(static_cast<int64_t>(posted));
    state.counters["records/s"] =
        benchmark::Counter(static_cast<double>(posted), benchmark::Counter::kIsRate);
    state.counters["allocs/record"] =
        posted ? static_cast<double>(bench::AllocationCount() - allocationsBefore) / posted : 0;
    if (posted != static_cast<uint64_t>(state.iterations()))
        state.SkipWithError("not every event was posted");
}

void RunSimulatorEvent(benchmark::State& state, IDispatch* sink, DISPID id, EventCatcher& event) {
    if (!TheFixture().ok) {
        state.SkipWithError("the simulated tracker could not be set up");
        return;
    }
    RunEvent(state, sink, id, event.args, event.count, state.range(0) != 0);
}

void BM_MeasurementArrived(benchmark::State& state) {
    Fixture& f = TheFixture();
    RunSimulatorEvent(state, f.device ? f.device->m_measurementSinkDisp.Get() : nullptr,
                      tracker::DISPID_MeasurementArrived, f.measurementEvent);
}

void BM_TargetPositionChanged(benchmark::State& state) {
    Fixture& f = TheFixture();
    RunSimulatorEvent(state, f.device ? f.device->m_targetCollectionSinkDisp.Get() : nullptr,
                      tracker::DISPID_TargetPositionChanged, f.positionEvent);
}

void BM_MeasurementArrivedMinimalLibrary(benchmark::State& state) {
    MinimalFixture& f = TheMinimalFixture();
    RunEvent(state, f.device->m_measurementSinkDisp.Get(), tracker::DISPID_MeasurementArrived,
             f.measurementArgs, 3);
}

void BM_TargetPositionChangedMinimalLibrary(benchmark::State& state) {
    MinimalFixture& f = TheMinimalFixture();
    RunEvent(state, f.device->m_targetCollectionSinkDisp.Get(),
             tracker::DISPID_TargetPositionChanged, f.positionArgs, 2);
}

void BM_RecordFloor(benchmark::State& state) {
    const double frame[16] = {0, 1, 0, 1200, 0, 0, 1, -350, 1, 0, 0, 410, 0, 0, 0, 1};
    uint64_t records = 0;
    const uint64_t allocationsBefore = bench::AllocationCount();
    for (auto _ : state) {
        ScanRecord record = NewScanRecord();
        record->type = 6;
        record->SetPt(frame[3], frame[7], frame[11]);
        std::memcpy(record->frame, frame, sizeof frame);
        record->meta.probeSize = 1.5;
        record->meta.time = 1;
        record->meta.rms = 0.02;
        benchmark::DoNotOptimize(record.get());
        ++records;
    }
    state.SetItemsProcessed(static_cast<int64_t>(records));
    state.counters["records/s"] =
        benchmark::Counter(static_cast<double>(records), benchmark::Counter::kIsRate);
    state.counters["allocs/record"] =
        records ? static_cast<double>(bench::AllocationCount() - allocationsBefore) / records : 0;
}

// The floor with the post: the record goes through the host library to the
// host's sink, which frees it, as every record of the module does.
void BM_RecordPostFloor(benchmark::State& state) {
    TheFixture(); // the host's sink
    const double frame[16] = {0, 1, 0, 1200, 0, 0, 1, -350, 1, 0, 0, 410, 0, 0, 0, 1};
    const uint64_t postedBefore = g_posted;
    const uint64_t allocationsBefore = bench::AllocationCount();
    for (auto _ : state) {
        ScanRecord record = NewScanRecord();
        record->type = 6;
        record->SetPt(frame[3], frame[7], frame[11]);
        std::memcpy(record->frame, frame, sizeof frame);
        record->meta.probeSize = 1.5;
        record->meta.time = 1;
        record->meta.rms = 0.02;
        zdev_post_scan_data(ZDEV_MSG_MEASUREMENT, record.release());
    }
    const uint64_t posted = g_posted - postedBefore;
    state.SetItemsProcessed(static_cast<int64_t>(posted));
    state.counters["records/s"] =
        benchmark::Counter(static_cast<double>(posted), benchmark::Counter::kIsRate);
    state.counters["allocs/record"] =
        posted ? static_cast<double>(bench::AllocationCount() - allocationsBefore) / posted : 0;
}

// A device connected for one benchmark run, directly or through the recorder;
// disconnected at the end, so the simulator's events reach only it. The
// fixture's device is disconnected first for the same reason (these run last).
struct LiveDevice {
    std::unique_ptr<CQWandDevice> device;
    ComPtr<trackersim::SimControl> sim;

    explicit LiveDevice(bool recorded) {
        Fixture& f = TheFixture(); // the hive, the apartment and the host's sink
        if (!f.ok)
            return;
        if (f.device && f.device->m_connected)
            f.device->Disconnect();
        const std::string bin = QNZU_BIN_DIR;
        const std::string server =
            bin + (recorded ? "/Tarn.Tracker.Recorder.so" : "/Tarn.Tracker.Connection.so");
        if (recorded) {
            trackerrec::RecorderSettings settings;
            settings.library = platform::WideFromUtf8(bin + "/Tarn.Tracker.Connection.so");
            settings.sessionFile = platform::WideFromUtf8((f.folder / "session.txt").string());
            trackerrec::WriteSettings(settings);
        }
        HMODULE library = LoadLibraryW(platform::WideFromUtf8(server).c_str());
        auto registerServer =
            library ? GetExport<HRESULT (*)()>(library, "DllRegisterServer") : nullptr;
        if (!registerServer || FAILED(registerServer()))
            return;
        ComPtr<tracker::TrackerConnection> connection;
        CoCreateInstance(tracker::CLSID_TrackerConnection, nullptr, CLSCTX_ALL,
                         tracker::TrackerConnection::iid, connection.PutVoid());
        if (!connection || FAILED(connection.As(sim)))
            return;
        device = std::make_unique<CQWandDevice>();
        ComBstr address(TEXT("10.0.0.3"));
        if (FAILED(connection->Connect(address.Get(), device->m_tracker.Put()))) {
            device.reset();
            return;
        }
        device->AdviseSinks();
        device->m_connected = true;
        device->m_state = 2;
    }
    ~LiveDevice() {
        if (device)
            device->Disconnect();
        platform::PumpMessages();
    }
};

// Fires one measurement and delivers it; a new point each time, so the
// recording writes each one.
void FireOne(trackersim::SimControl& sim, trackersim::SampleSpec& sample) {
    sample.x += 0.001;
    sim.FireMeasurements(&sample, 1, 0, nullptr);
    platform::PumpMessages();
}

// Whether the session file is too short for `posted` records: a recording
// that ended early (a full disk) leaves the rest of the run unrecorded, and
// its figure too low. Every measurement writes well over 100 bytes.
bool RecordingEndedEarly(uint64_t posted) {
    std::error_code error;
    const auto written = std::filesystem::file_size(TheFixture().folder / "session.txt", error);
    return posted && (error || written < posted * 100);
}

// Returns the records posted.
uint64_t RunFiredMeasurements(benchmark::State& state, bool recorded) {
    LiveDevice live(recorded);
    if (!live.device) {
        state.SkipWithError("the device could not be connected");
        return 0;
    }
    trackersim::SampleSpec sample = FiredSample();
    const uint64_t postedBefore = g_posted;
    for (auto _ : state)
        FireOne(*live.sim.Get(), sample);
    const uint64_t posted = g_posted - postedBefore;
    state.SetItemsProcessed(static_cast<int64_t>(posted));
    state.counters["records/s"] =
        benchmark::Counter(static_cast<double>(posted), benchmark::Counter::kIsRate);
    if (posted != static_cast<uint64_t>(state.iterations()))
        state.SkipWithError("not every event was posted");
    return posted;
}

void BM_FiredMeasurement(benchmark::State& state) {
    RunFiredMeasurements(state, false);
}

void BM_FiredMeasurementRecorded(benchmark::State& state) {
    if (RecordingEndedEarly(RunFiredMeasurements(state, true)))
        state.SkipWithError("the recording ended before the run did");
}

// The measuring thread's CPU time so far, in nanoseconds.
double ThreadCpuNs() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e9 + static_cast<double>(now.tv_nsec);
}

// The cost of recording, paired: a device connected directly and one through
// the recorder take turns, a batch of measurements each, with only the one
// whose turn it is listening to the simulator's events. Each iteration is one
// pair of batches, a few milliseconds apart, so the machine's speed, which
// drifts over seconds, is the same for both; the counters are the medians
// over the pairs (per measurement, on the measuring thread). A batch starts
// with the caches still holding the other device's path: 1,000 measurements
// make that a small part of it (with 100 it added 0.01 to 0.03 to the ratio).
struct PairedRun {
    static constexpr int kBatch = 1000;
    std::vector<double> unrecordedNs, recordedNs, ratios;
    uint64_t posted = 0;
    bool connected = false;

    explicit PairedRun(benchmark::State& state) {
        LiveDevice direct(false);
        LiveDevice recorded(true);
        connected = direct.device && recorded.device;
        if (!connected)
            return;
        recorded.device->UnadviseSinks();
        trackersim::SampleSpec sample = FiredSample();
        const uint64_t postedBefore = g_posted;
        for (auto _ : state) {
            const double unrecorded = Batch(*direct.sim.Get(), sample);
            direct.device->UnadviseSinks();
            recorded.device->AdviseSinks();
            const double withRecording = Batch(*direct.sim.Get(), sample);
            recorded.device->UnadviseSinks();
            direct.device->AdviseSinks();
            unrecordedNs.push_back(unrecorded);
            recordedNs.push_back(withRecording);
            ratios.push_back(withRecording / unrecorded);
        }
        posted = g_posted - postedBefore;
        recorded.device->AdviseSinks(); // as connected: each device disconnects its own
    }
    // Fires a batch; its CPU time per measurement, in nanoseconds.
    static double Batch(trackersim::SimControl& sim, trackersim::SampleSpec& sample) {
        const double start = ThreadCpuNs();
        for (int i = 0; i < kBatch; ++i)
            FireOne(sim, sample);
        return (ThreadCpuNs() - start) / kBatch;
    }
    static double Median(std::vector<double>& values) {
        if (values.empty())
            return 0;
        std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
        return values[values.size() / 2];
    }
};

void BM_RecordingCostPaired(benchmark::State& state) {
    PairedRun run(state);
    if (!run.connected) {
        state.SkipWithError("the devices could not be connected");
        return;
    }
    state.SetItemsProcessed(static_cast<int64_t>(run.posted));
    if (run.posted != static_cast<uint64_t>(state.iterations()) * 2 * PairedRun::kBatch)
        state.SkipWithError("not every event was posted");
    else if (RecordingEndedEarly(run.posted / 2))
        state.SkipWithError("the recording ended before the run did");
    state.counters["unrecorded_ns"] = PairedRun::Median(run.unrecordedNs);
    state.counters["recorded_ns"] = PairedRun::Median(run.recordedNs);
    state.counters["recorded/unrecorded"] = PairedRun::Median(run.ratios);
}

} // namespace

BENCHMARK(BM_MeasurementArrived)->ArgName("trace")->Arg(0)->Arg(1);
BENCHMARK(BM_TargetPositionChanged)->ArgName("trace")->Arg(0)->Arg(1);
BENCHMARK(BM_MeasurementArrivedMinimalLibrary);
BENCHMARK(BM_TargetPositionChangedMinimalLibrary);
BENCHMARK(BM_RecordFloor);
BENCHMARK(BM_RecordPostFloor);
// The session file's text is made and written by the recorder's own thread:
// CPU time is the measuring thread's, and the whole process's in the
// "process_time" runs.
BENCHMARK(BM_FiredMeasurement);
BENCHMARK(BM_FiredMeasurementRecorded);
BENCHMARK(BM_FiredMeasurement)->MeasureProcessCPUTime();
BENCHMARK(BM_FiredMeasurementRecorded)->MeasureProcessCPUTime();
BENCHMARK(BM_RecordingCostPaired);

BENCHMARK_MAIN();
