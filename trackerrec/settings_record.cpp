// Writing the device's settings into the session file: the values of the
// settings table, each as stored (REG_DWORD as a number, REG_SZ as its text,
// anything else as bytes), from both roots.
#include "device_settings.h"
#include "session_log.h"

#include "../platform/registry/registry.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace trackerrec {
namespace {

// The values the module reads; the reflector diameters follow, by position.
const WCHAR* const kValueNames[] = {
    TEXT("m_ipAddressBox"),
    TEXT("m_cbAButtonList"),
    TEXT("m_cbBButtonList"),
    TEXT("m_cbCButtonList"),
    TEXT("m_cbDButtonList"),
    TEXT("m_cbReflectorSizeList Size"),
    TEXT("m_cbReflectorSizeList Index"),
    TEXT("m_btnCheckStable"),
    TEXT("m_stableProbingTime"),
    TEXT("m_distanceTol"),
    TEXT("m_TimeSeperation"),
    TEXT("m_DistanceSeperation"),
    TEXT("m_rbFast"),
    TEXT("m_rbScanFast"),
    TEXT("m_ctlSliderSpeed"),
    TEXT("m_PositionTo_IsRelative"),
    TEXT("m_PositionTo_SearchTarget"),
    TEXT("useOTG"),
    TEXT("interval"),
    TEXT("threshold"),
};
constexpr DWORD kMostDiameters = 1000;

struct Value {
    DWORD type = REG_NONE;
    std::vector<BYTE> data;
};

bool Query(HKEY key, const platform::WideString& name, Value& value) {
    DWORD size = 0;
    if (RegQueryValueExW(key, name.c_str(), nullptr, &value.type, nullptr, &size) != ERROR_SUCCESS)
        return false;
    value.data.resize(size);
    return RegQueryValueExW(key, name.c_str(), nullptr, &value.type, value.data.data(), &size) ==
               ERROR_SUCCESS &&
           size == value.data.size();
}

void PutValue(std::string& line, const Value& value) {
    if (value.type == REG_DWORD && value.data.size() == 4) {
        DWORD number = 0;
        std::memcpy(&number, value.data.data(), 4);
        PutLong(line, number);
    } else if (value.type == REG_SZ && value.data.size() % sizeof(WCHAR) == 0) {
        std::vector<WCHAR> text(value.data.size() / sizeof(WCHAR));
        std::memcpy(text.data(), value.data.data(), value.data.size());
        size_t length = std::find(text.begin(), text.end(), WCHAR(0)) - text.begin();
        PutString(line, reinterpret_cast<const OLECHAR*>(text.data()), length);
    } else {
        PutBytes(line, value.data.data(), value.data.size());
    }
}

} // namespace

void WriteDeviceSettings() {
    SessionLog& log = SessionLog::Get();
    HKEY keys[2] = {};
    DWORD diameters = 0;
    for (int root = 0; root < 2; ++root) {
        if (RegOpenKeyExW(HKEY_CURRENT_USER, DeviceKey(root == 1), 0, KEY_READ, &keys[root]) !=
            ERROR_SUCCESS)
            keys[root] = nullptr;
        Value size;
        if (keys[root] && Query(keys[root], TEXT("m_cbReflectorSizeList Size"), size) &&
            size.data.size() >= 4) {
            DWORD n = 0;
            std::memcpy(&n, size.data.data(), 4);
            diameters = std::max(diameters, std::min(n, kMostDiameters));
        }
    }
    std::vector<platform::WideString> names(std::begin(kValueNames), std::end(kValueNames));
    for (DWORD i = 0; i < diameters; ++i)
        names.push_back(TEXT("m_cbReflectorSizeList : ") +
                        platform::WideFromUtf8(std::to_string(i)));
    for (int root = 0; root < 2; ++root) {
        if (!keys[root])
            continue;
        for (const platform::WideString& name : names) {
            Value value;
            if (!Query(keys[root], name, value))
                continue;
            std::string line = root == 1 ? "s fallback" : "s current";
            PutString(line, reinterpret_cast<const OLECHAR*>(name.c_str()), name.size());
            PutValue(line, value);
            log.Write(line);
        }
        RegCloseKey(keys[root]);
    }
}

} // namespace trackerrec
