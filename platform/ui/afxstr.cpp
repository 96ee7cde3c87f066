#include "afxstr.h"

#include "text_compare.h"

#include <algorithm>

namespace {

bool IsSpace(WCHAR c) {
    return c == TEXT(' ') || (c >= TEXT('\t') && c <= TEXT('\r'));
}

} // namespace

int CString::Compare(LPCWSTR other) const {
    const int r = m_text.compare(other ? other : TEXT(""));
    return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

int CString::CompareNoCase(LPCWSTR other) const {
    return platform::ui::CompareNoCase(m_text, other ? other : TEXT(""));
}

CString CString::Left(int count) const {
    return CString(platform::WideView(m_text).substr(0, std::max(count, 0)));
}

CString CString::Right(int count) const {
    const size_t n = std::min(m_text.size(), static_cast<size_t>(std::max(count, 0)));
    return CString(platform::WideView(m_text).substr(m_text.size() - n));
}

CString CString::Mid(int first) const {
    return Mid(first, GetLength());
}

CString CString::Mid(int first, int count) const {
    const size_t start = std::min(m_text.size(), static_cast<size_t>(std::max(first, 0)));
    return CString(platform::WideView(m_text).substr(start, std::max(count, 0)));
}

int CString::Find(WCHAR c, int start) const {
    const size_t at = m_text.find(c, std::max(start, 0));
    return at == platform::WideString::npos ? -1 : static_cast<int>(at);
}

int CString::Find(LPCWSTR sub, int start) const {
    const size_t at = m_text.find(sub ? sub : TEXT(""), std::max(start, 0));
    return at == platform::WideString::npos ? -1 : static_cast<int>(at);
}

int CString::ReverseFind(WCHAR c) const {
    const size_t at = m_text.rfind(c);
    return at == platform::WideString::npos ? -1 : static_cast<int>(at);
}

CString& CString::Trim() {
    return TrimRight().TrimLeft();
}

CString& CString::TrimLeft() {
    m_text.erase(m_text.begin(), std::find_if_not(m_text.begin(), m_text.end(), IsSpace));
    return *this;
}

CString& CString::TrimRight() {
    m_text.erase(std::find_if_not(m_text.rbegin(), m_text.rend(), IsSpace).base(), m_text.end());
    return *this;
}

CString& CString::MakeUpper() {
    for (WCHAR& c : m_text)
        if (c >= TEXT('a') && c <= TEXT('z'))
            c = static_cast<WCHAR>(c - 32);
    return *this;
}

CString& CString::MakeLower() {
    for (WCHAR& c : m_text)
        c = platform::ui::FoldCase(c);
    return *this;
}

int CString::Replace(LPCWSTR oldText, LPCWSTR newText) {
    const platform::WideString from = oldText ? oldText : TEXT("");
    const platform::WideString to = newText ? newText : TEXT("");
    if (from.empty())
        return 0;
    int count = 0;
    for (size_t at = m_text.find(from); at != platform::WideString::npos;
         at = m_text.find(from, at + to.size())) {
        m_text.replace(at, from.size(), to);
        ++count;
    }
    return count;
}
