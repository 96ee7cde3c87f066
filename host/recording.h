// --record: the recording library stands in front of the registered tracker
// library while a session runs, and the registration is put back afterwards.
// --replay: the same library plays a recorded session instead, with the
// module's settings the session file carries put into a scratch settings
// store for the session (the user's own settings are neither read nor changed).
#pragma once

#include "platform/module/libloaderapi.h"
#include "platform/registry/registry.h"
#include "trackerrec/recording_standing.h"
#include "trackerrec/replay_standing.h"
#include "trackerrec/session_file.h"

#include <cstdint>
#include <string>

// The library call a probe button's measuring press makes: in acquisition
// mode 1 it starts continuous measuring, in mode 0 it takes one point.
inline const WCHAR* PressCall(uint32_t mode) {
    return mode == 1 ? TEXT("Measurements.StartMeasurement") : TEXT("Measurements.Measure");
}

class SessionRecording {
public:
    // Registers the recorder (next to zuhost) to write `file`, or to play it.
    SessionRecording(const std::string& file, bool replay);
    ~SessionRecording();
    SessionRecording(const SessionRecording&) = delete;
    SessionRecording& operator=(const SessionRecording&) = delete;

    bool ok() const { return m_registered && m_error.empty(); }
    const std::string& error() const { return m_error; }
    // The probe acquisition mode the replayed session measured in; -1 when
    // its buttons took no point.
    int RecordedMode() const { return m_recordedMode; }
    // Where a replay stands.
    trackerrec::ReplayStanding Standing() const {
        return m_replayStanding ? static_cast<trackerrec::ReplayStanding>(m_replayStanding())
                                : trackerrec::ReplayStanding::NotPlaying;
    }

    // The session closes before the replay has played: its closing calls are
    // taken from where the recording closed.
    void CutShort() const {
        if (m_cutReplayShort)
            m_cutReplayShort();
    }
    // How a recording stands, once the lines gathered so far are written.
    trackerrec::RecordingStanding Recorded() const {
        return m_recordingStanding
                   ? static_cast<trackerrec::RecordingStanding>(m_recordingStanding())
                   : trackerrec::RecordingStanding::NotRecording;
    }

private:
    // The scratch settings store of a replay. Linux: the process's settings
    // file becomes an empty one in a fresh folder, before the recorder is
    // registered there. Windows: once the recorder is registered for the
    // user (where COM finds it), HKEY_CURRENT_USER is overridden for the
    // process by an emptied key below the user's own, which gets the
    // recorder's settings again. False with m_error.
    bool UseScratchSettings(bool registered);
    // Called before and after the recorder is unregistered: the override
    // ends before (the registration is the user's), the settings file after.
    void EndScratchSettings(bool unregistered);
    // Puts the session's settings (of `file`) into the scratch store.
    void ApplySessionSettings(trackerrec::SessionFile& session, const std::string& file);

    int m_recordedMode = -1;
    HMODULE m_recorder = nullptr;
    int (*m_replayStanding)() = nullptr;    // the recorder's, for a replay
    int (*m_recordingStanding)() = nullptr; // the recorder's, for a recording
    void (*m_cutReplayShort)() = nullptr;
    bool m_registered = false;
    std::string m_error;
#ifdef _WIN32
    HKEY m_scratch = nullptr;
#else
    std::string m_scratch;    // the scratch store's folder; empty when none
    std::string m_savedStore; // the store's environment setting before, if any
    bool m_hadStore = false;
#endif
};
