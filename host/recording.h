// --record: the recording library stands in front of the registered tracker
// library while a session runs, and the registration is put back afterwards.
// --replay: the same library plays a recorded session instead, with the
// module's settings the session file carries put into a scratch settings
// store for the session (the user's own settings are neither read nor changed).
#pragma once

#include "platform/module/libloaderapi.h"

#include <string>

class SessionRecording {
public:
    // Registers the recorder (next to zuhost) to write `file`, or to play it.
    SessionRecording(const std::string& file, bool replay);
    ~SessionRecording();
    SessionRecording(const SessionRecording&) = delete;
    SessionRecording& operator=(const SessionRecording&) = delete;

    bool ok() const { return m_registered; }
    const std::string& error() const { return m_error; }

private:
    // Switches the process to an empty store of its own; false with m_error.
    bool UseScratchSettings();
    void ApplySessionSettings(const std::string& file);

    HMODULE m_recorder = nullptr;
    std::string m_scratch;    // the scratch store's folder; empty when none
    std::string m_savedStore; // the store's environment setting before, if any
    bool m_hadStore = false;
    bool m_registered = false;
    std::string m_error;
};
