// The settings file on Linux (the registry of the current user is a file in
// the Windows registry export format): zuhost checks it before the session,
// so that a file the module cannot use is named with the reason, and says when
// settings will not be saved. On Windows the registry is the real one and
// there is nothing to check.
#pragma once

#include <string>

// The file in use: $QNZU_REGISTRY, else the per-user default.
std::string SettingsFilePath();
// Why the settings file cannot be used (unreadable, a folder, not a registry
// export); empty when it can (a missing file is an empty hive).
std::string SettingsFileProblem();
// Why settings cannot be saved there (the file or its folder is read-only);
// empty when they can.
std::string SettingsSaveProblem();
