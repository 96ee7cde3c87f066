// ComBstr: one owned BSTR, freed on scope exit.
#pragma once

#include "com.h"

#include <string>
#include <utility>

class ComBstr {
public:
    ComBstr() = default;
    explicit ComBstr(const OLECHAR* text) : m_s(SysAllocString(text)) {}
    ComBstr(const OLECHAR* text, UINT length) : m_s(SysAllocStringLen(text, length)) {}
    ComBstr(const ComBstr& other) : m_s(other.Copy()) {}
    ComBstr(ComBstr&& other) noexcept : m_s(std::exchange(other.m_s, nullptr)) {}
    ~ComBstr() { SysFreeString(m_s); }
    ComBstr& operator=(ComBstr other) noexcept {
        std::swap(m_s, other.m_s);
        return *this;
    }

    static ComBstr Attach(BSTR s) {
        ComBstr r;
        r.m_s = s;
        return r;
    }
    BSTR Detach() { return std::exchange(m_s, nullptr); }
    BSTR Copy() const { return m_s ? SysAllocStringLen(m_s, SysStringLen(m_s)) : nullptr; }
    BSTR* Put() {
        SysFreeString(std::exchange(m_s, nullptr));
        return &m_s;
    }

    BSTR Get() const { return m_s; }
    UINT Length() const { return SysStringLen(m_s); }
    bool Empty() const { return Length() == 0; }
    std::basic_string<WCHAR> Str() const {
        return m_s ? std::basic_string<WCHAR>(m_s, SysStringLen(m_s)) : std::basic_string<WCHAR>();
    }

private:
    BSTR m_s = nullptr;
};
