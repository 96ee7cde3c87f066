#include "plugin/device_trace.h"

#include "platform/base/text.h"
#include "platform/registry/registry.h"

#include <cstdint>
#include <cstdio>

namespace {

const WCHAR kDeviceKey[] = TEXT("Software\\Corvane\\ZU_HW_Interface\\Orlan Q-Wand");
const WCHAR kTraceValue[] = TEXT("Trace");

bool g_startedFromRegistry = false;

// Indexed by message type; types outside the table are counted in its last slot.
constexpr int kCountedTypes = 16;
uint64_t g_posted[kCountedTypes] = {};

} // namespace

std::string DescribeFailure(HRESULT hr, const std::basic_string<WCHAR>& description) {
    char code[16];
    std::snprintf(code, sizeof code, "0x%08lX", static_cast<unsigned long>(uint32_t(hr)));
    std::string text = code;
    text += " \"";
    text += platform::Utf8FromWide(description);
    text += '"';
    return text;
}

void StartTraceFromRegistry() {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kDeviceKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return;
    DWORD type = REG_NONE;
    DWORD value = 0;
    DWORD size = sizeof value;
    const LONG result =
        RegQueryValueExW(key, kTraceValue, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size);
    RegCloseKey(key);
    // A text "1" or any other type does not switch the trace on.
    if (result != ERROR_SUCCESS || type != REG_DWORD || size != sizeof value || value == 0)
        return;
    if (qntrace::On())
        return; // already running (the host's --trace): it keeps its file
    g_startedFromRegistry = qntrace::Start(qntrace::DefaultFile());
}

void StopTraceFromRegistry() {
    if (!g_startedFromRegistry)
        return;
    g_startedFromRegistry = false;
    qntrace::Stop();
}

void CountPostedRecord(ZDEV_MESSAGE_TYPE type) noexcept {
    const unsigned index = static_cast<unsigned>(type);
    ++g_posted[index < kCountedTypes ? index : kCountedTypes - 1];
}

void TracePostedRecords(const char* moment) {
    std::string text;
    for (int type = 0; type < kCountedTypes; ++type) {
        if (!g_posted[type])
            continue;
        char item[48];
        std::snprintf(item, sizeof item, "%s type %d: %llu", text.empty() ? "" : ",", type,
                      static_cast<unsigned long long>(g_posted[type]));
        text += item;
        g_posted[type] = 0;
    }
    if (!text.empty())
        QNTRACE("records posted (%s):%s", moment, text.c_str());
}
