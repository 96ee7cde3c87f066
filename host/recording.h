// --record: the recording library stands in front of the registered tracker
// library while a session runs, and the registration is put back afterwards.
// --replay: the same library plays a recorded session instead.
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
    HMODULE m_recorder = nullptr;
    bool m_registered = false;
    std::string m_error;
};
