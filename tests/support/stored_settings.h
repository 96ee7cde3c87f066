// The device's key in the settings store, for a test to set up or check.
#pragma once

#include "platform/base/text.h"
#include "plugin/CQWandDevice.h"
#include "settings/CQNRegistry.h"

namespace simtest {

inline void StoreString(const WCHAR* name, const platform::WideString& value) {
    CQNRegistry registry;
    registry.SetKey(kDeviceKeyName, true);
    registry.WriteString(name, value);
}
inline void StoreDword(const WCHAR* name, DWORD value) {
    CQNRegistry registry;
    registry.SetKey(kDeviceKeyName, true);
    registry.WriteDword(name, value);
}
inline bool StoredString(const WCHAR* name, platform::WideString& value) {
    CQNRegistry registry;
    registry.SetKey(kDeviceKeyName, true);
    return registry.ReadString(name, value) != 0;
}
inline bool StoredDword(const WCHAR* name, DWORD& value) {
    CQNRegistry registry;
    registry.SetKey(kDeviceKeyName, true);
    return registry.ReadDword(name, value) != 0;
}

} // namespace simtest

using simtest::StoredDword;
using simtest::StoredString;
using simtest::StoreDword;
using simtest::StoreString;
