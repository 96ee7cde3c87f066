// The recording library in front of the simulator, for tests that call it
// directly: registering it, and a connection through it that listens to the
// tracker's measurements. Failures come back as values, so that a test can
// check them and a process of a death test can report them.
#pragma once

#include "tests/support/test_files.h"
#include "tests/trackersim/tracker_fixture.h"

#include "platform/module/libloaderapi.h"
#include "trackerrec/settings.h"

#include <filesystem>
#include <string>

namespace rectest {

// Writes the recorder's settings (the simulator is the library it records),
// loads the recorder and registers it in place of the simulator, recording to
// `session` or, with `replay`, playing it, for the session of process `owner`
// (0: to stay). "" when done, else what failed.
inline std::string PutRecorderInFront(const std::filesystem::path& session, bool replay = false,
                                      DWORD owner = 0) {
    trackerrec::RecorderSettings settings;
    settings.library = simtest::WidePath(simtest::SimulatorLibraryPath());
    (replay ? settings.replayFile : settings.sessionFile) = simtest::WidePath(session);
    settings.owner = owner;
    if (trackerrec::WriteSettings(settings) != ERROR_SUCCESS)
        return "the recorder's settings were not written";
    HMODULE library = LoadLibraryW(simtest::WidePath(simtest::RecorderLibraryPath()).c_str());
    if (!library)
        return "the recorder did not load: " + simtest::LastLoadError();
    auto registerServer = GetExport<HRESULT (*)()>(library, "DllRegisterServer");
    if (!registerServer)
        return "the recorder exports no DllRegisterServer";
    return registerServer() == S_OK ? "" : "the recorder did not register";
}

// A connection to the registered library that listens to its measurements.
class MeasurementListener {
public:
    // Connects and listens: "" when done, else what failed.
    std::string Connect() {
        if (ConnectTo(TEXT("10.0.0.9"), m_tracker) != S_OK || !m_tracker)
            return "no connection";
        if (FAILED(m_tracker->get_Measurements(m_measurements.Put())) || !m_measurements ||
            FAILED(Advise(m_measurements.Get(), tracker::IID_MeasurementEvents, &m_sink, m_cookie)))
            return "no measurements";
        return "";
    }
    // The collection that the one event delivered carried; null unless
    // exactly one event came.
    ComPtr<tracker::MeasurementCollection> Collection() {
        return m_sink.calls.size() == 1 ? m_sink.Arg<tracker::MeasurementCollection>(0, 1)
                                        : nullptr;
    }
    bool Connected() const { return static_cast<bool>(m_tracker); }
    // The events delivered so far.
    RecordingSink& Sink() { return m_sink; }
    // Stops listening and disconnects, once the caller let go of the
    // library's objects (a recorded session file is then complete): the
    // first failure, S_OK when both steps succeeded.
    HRESULT Disconnect() {
        if (!m_tracker)
            return E_POINTER;
        m_sink.calls.clear();
        const HRESULT unadvised =
            Unadvise(m_measurements.Get(), tracker::IID_MeasurementEvents, m_cookie);
        m_measurements.Reset();
        const HRESULT disconnected = m_tracker->Disconnect();
        m_tracker.Reset();
        platform::PumpMessages();
        return unadvised != S_OK ? unadvised : disconnected;
    }

private:
    ComPtr<tracker::Tracker> m_tracker;
    ComPtr<tracker::Measurements> m_measurements;
    RecordingSink m_sink;
    DWORD m_cookie = 0;
};

} // namespace rectest
