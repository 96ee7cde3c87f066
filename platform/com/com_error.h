// ComError: a failed COM call with the description from the callee's error
// information. ThrowIfFailed turns a failing result into one.
#pragma once

#include "bstr.h"
#include "com.h"

#include <exception>
#include <string>

class ComError : public std::exception {
public:
    ComError(HRESULT hr, std::basic_string<WCHAR> description)
        : m_hr(hr), m_description(std::move(description)) {}
    HRESULT Error() const noexcept { return m_hr; }
    // The description from the error information; empty when there was none.
    const std::basic_string<WCHAR>& Description() const noexcept { return m_description; }
    const char* what() const noexcept override { return "COM call failed"; }

private:
    HRESULT m_hr;
    std::basic_string<WCHAR> m_description;
};

// The description in the thread's error information; empty when there is none.
// The information is taken (cleared), or with `leave` put back for the next reader.
inline std::basic_string<WCHAR> ErrorInfoDescription(bool leave = false) {
    std::basic_string<WCHAR> description;
    IErrorInfo* info = nullptr;
    if (GetErrorInfo(0, &info) == S_OK && info) {
        BSTR text = nullptr;
        if (SUCCEEDED(info->GetDescription(&text)) && text)
            description.assign(text, SysStringLen(text));
        SysFreeString(text);
        if (leave)
            SetErrorInfo(0, info);
        info->Release();
    }
    return description;
}

// Throws ComError for hr, taking (and clearing) the thread's error information.
[[noreturn]] inline void ThrowComError(HRESULT hr) {
    throw ComError(hr, ErrorInfoDescription());
}

// Throws ComError for a failing result; costs a comparison otherwise.
inline void ThrowIfFailed(HRESULT hr) {
    if (FAILED(hr)) [[unlikely]]
        ThrowComError(hr);
}

// Throws E_POINTER when a required object is missing.
template <class P> void ThrowIfNull(const P& p) {
    if (!p)
        throw ComError(E_POINTER, {});
}
