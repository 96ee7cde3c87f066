// CString: the framework's UTF-16 string.
#pragma once

#include "../base/text.h"
#include "string_format.h"

#include <array>

class CString {
public:
    CString() = default;
    CString(LPCWSTR text) : m_text(text ? text : TEXT("")) {}
    CString(LPCWSTR text, int length) : m_text(text, text ? length : 0) {}
    CString(WCHAR c, int repeat = 1) : m_text(repeat > 0 ? repeat : 0, c) {}
    explicit CString(const char* utf8) : m_text(platform::WideFromUtf8(utf8 ? utf8 : "")) {}
    explicit CString(platform::WideView text) : m_text(text) {}

    int GetLength() const { return static_cast<int>(m_text.size()); }
    BOOL IsEmpty() const { return m_text.empty() ? TRUE : FALSE; }
    void Empty() { m_text.clear(); }
    operator LPCWSTR() const { return m_text.c_str(); }
    LPCWSTR GetString() const { return m_text.c_str(); }
    WCHAR GetAt(int index) const { return m_text.at(static_cast<size_t>(index)); }
    WCHAR operator[](int index) const { return GetAt(index); }
    void SetAt(int index, WCHAR c) { m_text.at(static_cast<size_t>(index)) = c; }
    const platform::WideString& Str() const { return m_text; }

    CString& operator=(LPCWSTR text) {
        m_text = text ? text : TEXT("");
        return *this;
    }
    CString& operator+=(const CString& other) {
        m_text += other.m_text;
        return *this;
    }
    CString& operator+=(LPCWSTR text) {
        if (text)
            m_text += text;
        return *this;
    }
    CString& operator+=(WCHAR c) {
        m_text += c;
        return *this;
    }

    int Compare(LPCWSTR other) const;
    int CompareNoCase(LPCWSTR other) const;

    template <class... Args> void Format(LPCWSTR format, const Args&... args) {
        const std::array<platform::ui::FormatArg, sizeof...(Args)> packed{
            platform::ui::MakeFormatArg(args)...};
        m_text = platform::ui::FormatText(format, packed);
    }
    template <class... Args> void AppendFormat(LPCWSTR format, const Args&... args) {
        const std::array<platform::ui::FormatArg, sizeof...(Args)> packed{
            platform::ui::MakeFormatArg(args)...};
        m_text += platform::ui::FormatText(format, packed);
    }

    CString Left(int count) const;
    CString Right(int count) const;
    CString Mid(int first) const;
    CString Mid(int first, int count) const;
    int Find(WCHAR c, int start = 0) const;
    int Find(LPCWSTR sub, int start = 0) const;
    int ReverseFind(WCHAR c) const;
    CString& Trim();
    CString& TrimLeft();
    CString& TrimRight();
    CString& MakeUpper();
    CString& MakeLower();
    int Replace(LPCWSTR oldText, LPCWSTR newText);

    friend CString operator+(const CString& a, const CString& b) {
        return CString(platform::WideView(a.m_text + b.m_text));
    }
    friend CString operator+(const CString& a, LPCWSTR b) { return a + CString(b); }
    friend CString operator+(LPCWSTR a, const CString& b) { return CString(a) + b; }
    friend CString operator+(const CString& a, WCHAR b) { return a + CString(b); }
    friend bool operator==(const CString& a, const CString& b) { return a.m_text == b.m_text; }
    friend bool operator==(const CString& a, LPCWSTR b) { return a.Compare(b) == 0; }
    friend bool operator==(LPCWSTR a, const CString& b) { return b.Compare(a) == 0; }
    friend bool operator!=(const CString& a, const CString& b) { return !(a == b); }
    friend bool operator!=(const CString& a, LPCWSTR b) { return !(a == b); }
    friend bool operator!=(LPCWSTR a, const CString& b) { return !(b == a); }
    friend bool operator<(const CString& a, const CString& b) { return a.m_text < b.m_text; }

private:
    platform::WideString m_text;
};
