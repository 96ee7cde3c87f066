// The window functions of the framework over real windows. Most pass straight
// through; the IP address control also reads and writes its address as text
// (as the framework's controls all do), picture controls keep their own copy
// of a bitmap, and destroying a window lets go of what the runtime kept for it.
#include "native_runtime.h"
#include "native_visual_styles.h"
#include "native_unmapped.h"

#include <cstdio>
#include <cwchar>
#include <string>

namespace platform::ui {
namespace {

bool IsIpAddress(HWND hwnd) {
    return HasClass(hwnd, WC_IPADDRESSW);
}

// "a.b.c.d" into the control's packed address; empty or malformed text clears it.
void SetAddressText(HWND control, LPCWSTR text) {
    unsigned a = 0, b = 0, c = 0, d = 0;
    wchar_t tail = 0;
    if (text && swscanf(text, L"%u.%u.%u.%u%lc", &a, &b, &c, &d, &tail) == 4 && a < 256 &&
        b < 256 && c < 256 && d < 256)
        SendMessageW(control, IPM_SETADDRESS, 0, MAKEIPADDRESS(a, b, c, d));
    else
        SendMessageW(control, IPM_CLEARADDRESS, 0, 0);
}

std::wstring AddressText(HWND control) {
    DWORD address = 0;
    if (SendMessageW(control, IPM_ISBLANK, 0, 0))
        return {};
    SendMessageW(control, IPM_GETADDRESS, 0, reinterpret_cast<LPARAM>(&address));
    wchar_t text[16];
    swprintf(text, 16, L"%u.%u.%u.%u", FIRST_IPADDRESS(address), SECOND_IPADDRESS(address),
             THIRD_IPADDRESS(address), FOURTH_IPADDRESS(address));
    return text;
}

int CopyOut(const std::wstring& text, LPWSTR buffer, int maxCount) {
    if (!buffer || maxCount <= 0)
        return 0;
    const int n = std::min<int>(static_cast<int>(text.size()), maxCount - 1);
    wmemcpy(buffer, text.data(), static_cast<size_t>(n));
    buffer[n] = L'\0';
    return n;
}

} // namespace

HINSTANCE RuntimeInstance() {
    HMODULE module = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                           GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&RuntimeInstance), &module);
    return module;
}

void EnsureCommonControls() {
    static const bool done = [] {
        ActivationScope visualStyles; // registers the classes of version 6
        const auto initialise = CommonControls().initCommonControlsEx;
        INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_BAR_CLASSES |
                                                            ICC_TAB_CLASSES | ICC_INTERNET_CLASSES};
        return initialise && initialise(&controls) != FALSE;
    }();
    (void)done;
}

HWND CreateMessageWindow(WNDPROC procedure, void* userData) {
    static const WCHAR kClass[] = L"QnMessageWindow";
    static const bool registered = [] {
        WNDCLASSW wc{};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = RuntimeInstance();
        wc.lpszClassName = kClass;
        return RegisterClassW(&wc) != 0;
    }();
    (void)registered;
    HWND hwnd = CreateWindowExW(0, kClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                RuntimeInstance(), nullptr);
    if (hwnd) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(userData));
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure));
    }
    return hwnd;
}

bool HasClass(HWND hwnd, LPCWSTR className) {
    WCHAR name[64] = {};
    GetClassNameW(hwnd, name, 64);
    return _wcsicmp(name, className) == 0;
}

} // namespace platform::ui

using namespace platform::ui;

extern "C" LRESULT QnSendMessageW(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == STM_SETIMAGE && wParam == IMAGE_BITMAP && HasClass(hwnd, WC_STATICW))
        return ShowPictureCopy(hwnd, reinterpret_cast<HANDLE>(lParam));
    if (IsIpAddress(hwnd)) {
        switch (message) {
        case WM_SETTEXT:
            SetAddressText(hwnd, reinterpret_cast<LPCWSTR>(lParam));
            return TRUE;
        case WM_GETTEXT:
            return CopyOut(AddressText(hwnd), reinterpret_cast<LPWSTR>(lParam),
                           static_cast<int>(wParam));
        case WM_GETTEXTLENGTH:
            return static_cast<LRESULT>(AddressText(hwnd).size());
        default:
            break;
        }
    }
    return SendMessageW(hwnd, message, wParam, lParam);
}

extern "C" HWND QnCreateWindowExW(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style,
                                  int x, int y, int width, int height, HWND parent, HMENU menu,
                                  HINSTANCE instance, LPVOID param) {
    EnsureCommonControls();
    ActivationScope visualStyles;
    return CreateWindowExW(exStyle, className, windowName, style, x, y, width, height, parent, menu,
                           instance ? instance : RuntimeInstance(), param);
}

extern "C" BOOL QnDestroyWindow(HWND hwnd) {
    const BOOL destroyed = DestroyWindow(hwnd);
    ReleaseImagesOfDeadControls();
    ForgetDeadWindowTimers();
    return destroyed;
}

extern "C" BOOL QnSetWindowTextW(HWND hwnd, LPCWSTR text) {
    return QnSendMessageW(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)) ? TRUE : FALSE;
}

extern "C" int QnGetWindowTextW(HWND hwnd, LPWSTR buffer, int maxCount) {
    if (IsIpAddress(hwnd))
        return CopyOut(AddressText(hwnd), buffer, maxCount);
    return GetWindowTextW(hwnd, buffer, maxCount);
}

extern "C" int QnGetWindowTextLengthW(HWND hwnd) {
    if (IsIpAddress(hwnd))
        return static_cast<int>(AddressText(hwnd).size());
    return GetWindowTextLengthW(hwnd);
}

extern "C" BOOL QnEnableWindow(HWND hwnd, BOOL enable) {
    return EnableWindow(hwnd, enable);
}
extern "C" BOOL QnIsWindowEnabled(HWND hwnd) {
    return IsWindowEnabled(hwnd);
}
extern "C" BOOL QnShowWindow(HWND hwnd, int command) {
    return ShowWindow(hwnd, command);
}
extern "C" BOOL QnIsWindowVisible(HWND hwnd) {
    return IsWindowVisible(hwnd);
}
extern "C" HWND QnGetParent(HWND hwnd) {
    return GetParent(hwnd);
}
extern "C" HWND QnGetDlgItem(HWND dialog, int id) {
    return GetDlgItem(dialog, id);
}
extern "C" int QnGetDlgCtrlID(HWND hwnd) {
    return GetDlgCtrlID(hwnd);
}
extern "C" HWND QnGetWindow(HWND hwnd, UINT command) {
    return GetWindow(hwnd, command);
}
extern "C" int QnGetClassNameW(HWND hwnd, LPWSTR buffer, int maxCount) {
    return GetClassNameW(hwnd, buffer, maxCount);
}
extern "C" LONG_PTR QnGetWindowLongPtrW(HWND hwnd, int index) {
    return GetWindowLongPtrW(hwnd, index);
}
extern "C" LONG_PTR QnSetWindowLongPtrW(HWND hwnd, int index, LONG_PTR value) {
    return SetWindowLongPtrW(hwnd, index, value);
}
extern "C" LRESULT QnCallWindowProcW(WNDPROC proc, HWND hwnd, UINT message, WPARAM wParam,
                                     LPARAM lParam) {
    return CallWindowProcW(proc, hwnd, message, wParam, lParam);
}
extern "C" LRESULT QnDefWindowProcW(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(hwnd, message, wParam, lParam);
}
extern "C" LRESULT QnDefDlgProcW(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefDlgProcW(hwnd, message, wParam, lParam);
}
extern "C" BOOL QnEndDialog(HWND dialog, INT_PTR result) {
    return EndDialog(dialog, result);
}
extern "C" BOOL QnSetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy,
                               UINT flags) {
    return SetWindowPos(hwnd, insertAfter, x, y, cx, cy, flags);
}
extern "C" BOOL QnGetWindowRect(HWND hwnd, RECT* rect) {
    return GetWindowRect(hwnd, rect);
}

extern "C" HMENU QnGetSystemMenu(HWND hwnd, BOOL revert) {
    return GetSystemMenu(hwnd, revert);
}
extern "C" BOOL QnAppendMenuW(HMENU menu, UINT flags, UINT_PTR idNewItem, LPCWSTR newItem) {
    return AppendMenuW(menu, flags, idNewItem, newItem);
}
extern "C" int QnGetMenuItemCount(HMENU menu) {
    return GetMenuItemCount(menu);
}
extern "C" UINT QnGetMenuItemID(HMENU menu, int position) {
    return GetMenuItemID(menu, position);
}
extern "C" int QnGetMenuStringW(HMENU menu, UINT item, LPWSTR buffer, int maxCount, UINT flags) {
    return GetMenuStringW(menu, item, buffer, maxCount, flags);
}
extern "C" BOOL QnDeleteMenu(HMENU menu, UINT position, UINT flags) {
    return DeleteMenu(menu, position, flags);
}
