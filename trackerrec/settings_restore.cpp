// Putting a session's settings back: each value into the device's key under
// its root, with the type it was recorded with (bytes as REG_BINARY: the
// module reads the bytes, not the type).
#include "device_settings.h"

#include "../platform/registry/registry.h"

#include <cstdlib>
#include <cstring>
#include <vector>

namespace trackerrec {

bool RestoreDeviceSettings(const SessionFile& file, std::string& error) {
    for (const SessionSetting& setting : file.settings) {
        DWORD type = REG_BINARY;
        std::vector<BYTE> data;
        std::string text;
        std::vector<unsigned char> bytes;
        if (UnquoteField(setting.value, text)) {
            const platform::WideString wide = platform::WideFromUtf8(text);
            type = REG_SZ;
            data.resize((wide.size() + 1) * sizeof(WCHAR));
            std::memcpy(data.data(), wide.c_str(), data.size());
        } else if (BytesOfField(setting.value, bytes)) {
            data.assign(bytes.begin(), bytes.end());
        } else {
            const DWORD number =
                static_cast<DWORD>(std::strtoul(setting.value.c_str(), nullptr, 10));
            type = REG_DWORD;
            data.resize(sizeof number);
            std::memcpy(data.data(), &number, sizeof number);
        }
        HKEY key = nullptr;
        LONG rc = RegCreateKeyExW(HKEY_CURRENT_USER, DeviceKey(setting.fallback), 0, nullptr,
                                  REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr, &key, nullptr);
        if (rc == ERROR_SUCCESS) {
            const platform::WideString name = platform::WideFromUtf8(setting.name);
            rc = RegSetValueExW(key, name.c_str(), 0, type, data.data(),
                                static_cast<DWORD>(data.size()));
            RegCloseKey(key);
        }
        if (rc != ERROR_SUCCESS) {
            error = "the setting " + setting.name + " cannot be written (error " +
                    std::to_string(rc) + ")";
            return false;
        }
    }
    return true;
}

bool StoreConnectedAddress(SessionFile& file) {
    for (const SessionEntry& entry : file.entries) {
        if (entry.kind != SessionEntry::Call)
            continue;
        const std::vector<std::string_view> fields = entry.Fields();
        size_t member = 0;
        std::string address;
        if (!IntegerOfField(fields[1], member) || member == 0 || member > file.members.size() ||
            file.members[member - 1] != "TrackerConnection.Connect")
            continue;
        if (fields.size() < 3 || !UnquoteField(fields[2], address))
            return false;
        for (SessionSetting& setting : file.settings)
            if (!setting.fallback && setting.name == "m_ipAddressBox") {
                setting.value = std::string(fields[2]);
                return true;
            }
        file.settings.push_back({false, "m_ipAddressBox", std::string(fields[2])});
        return true;
    }
    return false;
}

} // namespace trackerrec
