// The recorder's own settings, written when it is registered: the library it
// stands in front of, and the session file it writes. Kept under
// HKEY_CURRENT_USER\Software\QNZU\TrackerRecorder.
#pragma once

#include "../platform/base/text.h"

namespace trackerrec {

struct RecorderSettings {
    platform::WideString library;     // the recorded library's file
    platform::WideString sessionFile; // where the session is written
    platform::WideString replayFile;  // when set, the session played instead of a library
    DWORD owner = 0; // the process that registered it for one session; 0: registered to stay
};

// False when the recorder has no settings.
bool ReadSettings(RecorderSettings& settings);
// Win32 error codes.
LONG WriteSettings(const RecorderSettings& settings);
LONG DeleteSettings();

// The file registered for the tracker library's class; empty when none.
platform::WideString RegisteredLibrary();

} // namespace trackerrec
