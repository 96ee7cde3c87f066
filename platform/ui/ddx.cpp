// Dialog data exchange: members to controls and, validated, back.
#include "afxwin.h"

#include "control_access.h"

#include <cerrno>
#include <cfloat>
#include <climits>
#include <cstdlib>

using platform::ui::ControlAccess;

namespace {

// Tells the control access observer, if any, which control an exchange uses.
void Report(CDataExchange* pDX, int id, ControlAccess access, const CWnd* object = nullptr) {
    platform::ui::ReportControlAccess(pDX->m_pDlgWnd, id, access, object);
}

// The framework's own prompts for text that is not a number of the kind.
constexpr WCHAR kParseInt[] = TEXT("Please enter an integer.");
constexpr WCHAR kParseUInt[] = TEXT("Please enter a positive integer.");
constexpr WCHAR kParseReal[] = TEXT("Please enter a number.");

bool IsSpace(WCHAR c) {
    return c == TEXT(' ') || (c >= TEXT('\t') && c <= TEXT('\r'));
}

CString ControlText(CDataExchange* pDX, int id) {
    CString text;
    if (CWnd* control = CWnd::FromHandle(pDX->PrepareCtrl(id)))
        control->GetWindowText(text);
    return text;
}

void SetControlText(CDataExchange* pDX, int id, LPCWSTR text) {
    if (CWnd* control = CWnd::FromHandle(pDX->PrepareCtrl(id)))
        control->SetWindowText(text);
}

[[noreturn]] void FailWith(CDataExchange* pDX, LPCWSTR prompt) {
    AfxMessageBox(prompt, MB_OK | MB_ICONEXCLAMATION);
    pDX->Fail();
}

// Whole text, white space around allowed, nothing else.
bool ParseInteger(const CString& text, long long& value) {
    const WCHAR* p = text;
    while (IsSpace(*p))
        ++p;
    bool negative = false;
    if (*p == TEXT('+') || *p == TEXT('-'))
        negative = *p++ == TEXT('-');
    if (*p < TEXT('0') || *p > TEXT('9'))
        return false;
    long long v = 0;
    for (; *p >= TEXT('0') && *p <= TEXT('9'); ++p) {
        v = v * 10 + (*p - TEXT('0'));
        if (v > 0xFFFFFFFFLL)
            return false;
    }
    while (IsSpace(*p))
        ++p;
    if (*p)
        return false;
    value = negative ? -v : v;
    return true;
}

bool ParseReal(const CString& text, double& value) {
    const WCHAR* start = text;
    while (IsSpace(*start))
        ++start;
    WCHAR* end = nullptr;
    const double v = wcstod(start, &end);
    if (end == start)
        return false;
    while (IsSpace(*end))
        ++end;
    if (*end)
        return false;
    value = v;
    return true;
}

} // namespace

HWND CDataExchange::PrepareCtrl(int id) {
    m_idLastControl = id;
    return ::GetDlgItem(m_pDlgWnd->m_hWnd, id);
}

void CDataExchange::Fail() {
    throw CUserException();
}

void DDX_Control(CDataExchange* pDX, int id, CWnd& control) {
    Report(pDX, id, ControlAccess::DdxControl, &control);
    if (!control.m_hWnd)
        control.SubclassWindow(pDX->PrepareCtrl(id));
}

void DDX_Text(CDataExchange* pDX, int id, CString& value) {
    Report(pDX, id, ControlAccess::DdxText);
    if (pDX->m_bSaveAndValidate)
        value = ControlText(pDX, id);
    else
        SetControlText(pDX, id, value);
}

void DDX_Text(CDataExchange* pDX, int id, int& value) {
    Report(pDX, id, ControlAccess::DdxText);
    if (!pDX->m_bSaveAndValidate) {
        CString text;
        text.Format(TEXT("%d"), value);
        SetControlText(pDX, id, text);
        return;
    }
    long long v = 0;
    if (!ParseInteger(ControlText(pDX, id), v) || v < INT_MIN || v > INT_MAX)
        FailWith(pDX, kParseInt);
    value = static_cast<int>(v);
}

void DDX_Text(CDataExchange* pDX, int id, long& value) {
    int v = static_cast<int>(value); // long is 32 bits on the module's platform
    DDX_Text(pDX, id, v);
    value = v;
}

void DDX_Text(CDataExchange* pDX, int id, UINT& value) {
    Report(pDX, id, ControlAccess::DdxText);
    if (!pDX->m_bSaveAndValidate) {
        CString text;
        text.Format(TEXT("%u"), value);
        SetControlText(pDX, id, text);
        return;
    }
    long long v = 0;
    if (!ParseInteger(ControlText(pDX, id), v) || v < 0 || v > UINT_MAX)
        FailWith(pDX, kParseUInt);
    value = static_cast<UINT>(v);
}

// Shown with as many significant digits as the type holds, so 0.0 shows
// "0" and 0.1 shows "0.1".
void DDX_Text(CDataExchange* pDX, int id, double& value) {
    Report(pDX, id, ControlAccess::DdxText);
    if (!pDX->m_bSaveAndValidate) {
        CString text;
        text.Format(TEXT("%.*g"), DBL_DIG, value);
        SetControlText(pDX, id, text);
        return;
    }
    double v = 0.0;
    if (!ParseReal(ControlText(pDX, id), v))
        FailWith(pDX, kParseReal);
    value = v;
}

void DDX_Text(CDataExchange* pDX, int id, float& value) {
    Report(pDX, id, ControlAccess::DdxText);
    if (!pDX->m_bSaveAndValidate) {
        CString text;
        text.Format(TEXT("%.*g"), FLT_DIG, static_cast<double>(value));
        SetControlText(pDX, id, text);
        return;
    }
    double v = 0.0;
    if (!ParseReal(ControlText(pDX, id), v) || v > FLT_MAX || v < -FLT_MAX)
        FailWith(pDX, kParseReal);
    value = static_cast<float>(v);
}

void DDX_Check(CDataExchange* pDX, int id, int& value) {
    Report(pDX, id, ControlAccess::DdxCheck);
    HWND control = pDX->PrepareCtrl(id);
    if (pDX->m_bSaveAndValidate)
        value = static_cast<int>(::SendMessageW(control, BM_GETCHECK, 0, 0));
    else
        ::SendMessageW(control, BM_SETCHECK, static_cast<WPARAM>(value), 0);
}

void DDX_Radio(CDataExchange* pDX, int id, int& value) {
    Report(pDX, id, ControlAccess::DdxRadio);
    HWND control = pDX->PrepareCtrl(id);
    if (pDX->m_bSaveAndValidate)
        value = -1;
    int index = 0;
    for (HWND radio = control; radio; radio = ::GetWindow(radio, GW_HWNDNEXT)) {
        const DWORD style = static_cast<DWORD>(::GetWindowLongPtrW(radio, GWL_STYLE));
        if (radio != control && (style & WS_GROUP))
            break;
        const DWORD type = style & BS_TYPEMASK;
        if (type != static_cast<DWORD>(BS_AUTORADIOBUTTON) &&
            type != static_cast<DWORD>(BS_RADIOBUTTON))
            continue;
        if (pDX->m_bSaveAndValidate) {
            if (::SendMessageW(radio, BM_GETCHECK, 0, 0) == BST_CHECKED)
                value = index;
        } else {
            ::SendMessageW(radio, BM_SETCHECK, index == value ? BST_CHECKED : BST_UNCHECKED, 0);
        }
        ++index;
    }
}

void DDX_Slider(CDataExchange* pDX, int id, int& value) {
    Report(pDX, id, ControlAccess::DdxSlider);
    HWND control = pDX->PrepareCtrl(id);
    if (pDX->m_bSaveAndValidate)
        value = static_cast<int>(::SendMessageW(control, TBM_GETPOS, 0, 0));
    else
        ::SendMessageW(control, TBM_SETPOS, TRUE, value);
}

void DDX_CBIndex(CDataExchange* pDX, int id, int& index) {
    Report(pDX, id, ControlAccess::DdxCBIndex);
    HWND control = pDX->PrepareCtrl(id);
    if (pDX->m_bSaveAndValidate)
        index = static_cast<int>(::SendMessageW(control, CB_GETCURSEL, 0, 0));
    else
        ::SendMessageW(control, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void DDX_CBString(CDataExchange* pDX, int id, CString& value) {
    Report(pDX, id, ControlAccess::DdxCBString);
    if (pDX->m_bSaveAndValidate) {
        value = ControlText(pDX, id);
        return;
    }
    HWND control = pDX->PrepareCtrl(id);
    const LRESULT found = ::SendMessageW(control, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                         reinterpret_cast<LPARAM>(static_cast<LPCWSTR>(value)));
    if (found == CB_ERR)
        SetControlText(pDX, id, value);
    else
        ::SendMessageW(control, CB_SETCURSEL, static_cast<WPARAM>(found), 0);
}
