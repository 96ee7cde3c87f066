// Reads and writes the module's settings in the current user's registry,
// below one key per device, falling back to the older product root for
// values the current root does not have.
#pragma once

#include "platform/registry/registry.h"

#include <string>

// The wide string type of the settings code.
using RegString = std::basic_string<WCHAR>;

class CQNRegistry {
public:
    CQNRegistry();
    virtual ~CQNRegistry();
    CQNRegistry(const CQNRegistry&) = delete;
    CQNRegistry& operator=(const CQNRegistry&) = delete;

    // With `underRoot`, the key is `name` below the current product root;
    // otherwise `name` is the full path below HKEY_CURRENT_USER.
    void SetKey(RegString name, bool underRoot);

    // Opens the device key under the fallback root without creating it; null
    // when it is missing. With `create`, creates or opens the current key instead.
    HKEY OpenFallbackKey(bool create = false);

    // 1 when the value was found (under either root), 0 otherwise; the
    // out-parameter is left alone when not found.
    int ReadDword(RegString name, DWORD& value);
    int ReadString(RegString name, RegString& value);

    // 1 when the key could be opened; writes go to the current root only.
    int WriteDword(RegString name, DWORD value);
    int WriteString(RegString name, RegString value);

private:
    // "key\\name", for the trace.
    std::string Path(const RegString& name) const;
    // Queries `name` into `data`, first under the current key, then under the fallback key.
    bool Query(const RegString& name, BYTE* data, DWORD size);

    HKEY m_hKey = nullptr;
    RegString m_keyPath;
    RegString m_keyName;
};
