// The module's own settings in a session file. The module reads them from the
// device's key in the current user's registry (falling back to the older
// product root per value), and they decide what it asks the tracker library:
// a session replayed with other settings goes another way at once. The
// recorder writes the key's values when the recording begins ("s" lines); a
// replay puts them back into the settings store it runs with.
#pragma once

#include "session_file.h"

#include "../platform/base/text.h"

#include <string>

namespace trackerrec {

// The device's key below HKEY_CURRENT_USER under the current and the older root.
inline const WCHAR* DeviceKey(bool fallback) {
    return fallback ? TEXT("Software\\Brenquist\\ZU_HW_Interface\\Orlan Q-Wand")
                    : TEXT("Software\\Corvane\\ZU_HW_Interface\\Orlan Q-Wand");
}

// Appends the settings lines for every value the module reads that either key
// holds. Called once, right after the session file is opened.
void WriteDeviceSettings();

// Writes the file's settings into the current user's registry; false with why.
bool RestoreDeviceSettings(const SessionFile& file, std::string& error);

// Makes the address the module first connected to in the session the stored
// address among the file's settings. Those were taken as the recording began,
// before the user typed the address into the connect dialog; stored, the
// dialog offers it and its countdown connects to it. False when the session
// has no connection with an address.
bool StoreConnectedAddress(SessionFile& file);

} // namespace trackerrec
