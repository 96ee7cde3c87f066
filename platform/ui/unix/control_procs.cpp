// The standard controls' window procedures. Each keeps its state in its
// window record and notifies its parent as the Windows control does.
#include "window_record.h"

#include "gdi_objects.h"

#include "../text_compare.h"

#include <algorithm>
#include <string>

namespace platform::ui {
namespace {

WideString TextOf(LPARAM lParam) {
    return lParam ? WideString(reinterpret_cast<LPCWSTR>(lParam)) : WideString();
}

// The radio buttons of the group that holds `button`: from the nearest
// sibling at or before it with WS_GROUP up to the next one with WS_GROUP.
std::vector<HWND> RadioGroup(HWND button) {
    std::vector<HWND> group;
    WindowRecord* rec = FindWindowRecord(button);
    WindowRecord* parent = rec ? FindWindowRecord(rec->parent) : nullptr;
    if (!parent)
        return {button};
    const auto& siblings = parent->children;
    auto self = std::find(siblings.begin(), siblings.end(), button);
    auto first = self;
    while (first != siblings.begin() && !(FindWindowRecord(*first)->style & WS_GROUP))
        --first;
    for (auto it = first; it != siblings.end(); ++it) {
        if (it != first && (FindWindowRecord(*it)->style & WS_GROUP))
            break;
        group.push_back(*it);
    }
    return group;
}

bool IsAutoRadio(const WindowRecord* rec) {
    return rec && rec->className == WC_BUTTONW &&
           (rec->style & BS_TYPEMASK) == static_cast<DWORD>(BS_AUTORADIOBUTTON);
}

LRESULT CALLBACK ButtonProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    WindowRecord* rec = FindWindowRecord(hwnd);
    switch (message) {
    case BM_GETCHECK:
        return rec->check;
    case BM_SETCHECK:
        rec->check = static_cast<int>(wParam);
        return 0;
    case BM_CLICK: {
        if (rec->style & WS_DISABLED)
            return 0;
        const DWORD type = rec->style & BS_TYPEMASK;
        if (type == static_cast<DWORD>(BS_AUTOCHECKBOX))
            rec->check = rec->check == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED;
        if (type == static_cast<DWORD>(BS_AUTORADIOBUTTON)) {
            for (HWND other : RadioGroup(hwnd))
                if (WindowRecord* o = FindWindowRecord(other); IsAutoRadio(o))
                    o->check = other == hwnd ? BST_CHECKED : BST_UNCHECKED;
        }
        NotifyParent(hwnd, BN_CLICKED);
        return 0;
    }
    default:
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

LRESULT CALLBACK EditProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SETTEXT) {
        DefWindowProcW(hwnd, message, wParam, lParam);
        NotifyParent(hwnd, EN_CHANGE); // a single-line edit reports every new text
        return TRUE;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

LRESULT CALLBACK StaticProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    WindowRecord* rec = FindWindowRecord(hwnd);
    switch (message) {
    case STM_SETIMAGE: {
        HANDLE old = rec->image;
        rec->image = reinterpret_cast<HANDLE>(lParam);
        // The control keeps the bitmap's pixels: the image stays when the
        // caller deletes its handle.
        rec->imagePixels = wParam == IMAGE_BITMAP ? KeepShownBitmap(rec->image) : nullptr;
        return reinterpret_cast<LRESULT>(old);
    }
    case STM_GETIMAGE:
        return reinterpret_cast<LRESULT>(rec->image);
    default:
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

LRESULT CALLBACK ComboProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    WindowRecord* rec = FindWindowRecord(hwnd);
    auto& items = rec->items;
    const int count = static_cast<int>(items.size());
    const int index = static_cast<int>(static_cast<INT_PTR>(wParam));
    switch (message) {
    case CB_ADDSTRING: {
        WideString text = TextOf(lParam);
        auto at = items.end();
        if (rec->style & CBS_SORT) // before any equal item, as the system's list does
            at = std::lower_bound(
                items.begin(), items.end(), text,
                [](const WideString& a, const WideString& b) { return CompareNoCase(a, b) < 0; });
        const int pos = static_cast<int>(at - items.begin());
        items.insert(at, std::move(text));
        if (rec->curSel >= pos)
            ++rec->curSel;
        return pos;
    }
    case CB_INSERTSTRING: {
        if (index > count)
            return CB_ERR;
        const int pos = index < 0 ? count : index;
        items.insert(items.begin() + pos, TextOf(lParam));
        if (rec->curSel >= pos)
            ++rec->curSel;
        return pos;
    }
    case CB_DELETESTRING:
        if (index < 0 || index >= count)
            return CB_ERR;
        items.erase(items.begin() + index);
        if (rec->curSel == index)
            rec->curSel = -1;
        else if (rec->curSel > index)
            --rec->curSel;
        return count - 1;
    case CB_RESETCONTENT:
        items.clear();
        rec->curSel = -1;
        rec->text.clear();
        return TRUE;
    case CB_GETCOUNT:
        return count;
    case CB_GETCURSEL:
        return rec->curSel;
    case CB_SETCURSEL:
        if (index < 0 || index >= count) {
            rec->curSel = -1;
            rec->text.clear();
            return CB_ERR;
        }
        rec->curSel = index;
        rec->text = items[index];
        return index;
    case CB_GETLBTEXTLEN:
        return index < 0 || index >= count ? CB_ERR : static_cast<LRESULT>(items[index].size());
    case CB_GETLBTEXT: {
        if (index < 0 || index >= count)
            return CB_ERR;
        auto* out = reinterpret_cast<LPWSTR>(lParam);
        std::copy(items[index].begin(), items[index].end(), out);
        out[items[index].size()] = 0;
        return static_cast<LRESULT>(items[index].size());
    }
    case CB_FINDSTRINGEXACT: {
        const WideString text = TextOf(lParam);
        for (int n = 0; n < count; ++n) {
            const int i = (index < 0 || index >= count) ? n : (index + 1 + n) % count;
            if (CompareNoCase(items[i], text) == 0)
                return i;
        }
        return CB_ERR;
    }
    default:
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

// The IP address control keeps four fields; its text is always a full dotted
// address, blank fields reading as 0.
WideString NormaliseAddress(WideView text) {
    int fields[4] = {0, 0, 0, 0};
    int field = 0;
    for (WCHAR c : text) {
        if (c == TEXT('.')) {
            if (++field == 4)
                break;
        } else if (c >= TEXT('0') && c <= TEXT('9')) {
            fields[field] = std::min(255, fields[field] * 10 + (c - TEXT('0')));
        } else {
            return TEXT("0.0.0.0");
        }
    }
    WideString out;
    for (int i = 0; i < 4; ++i) {
        if (i)
            out += TEXT('.');
        for (char c : std::to_string(fields[i]))
            out += static_cast<WCHAR>(c);
    }
    return out;
}

LRESULT CALLBACK IpAddressProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    WindowRecord* rec = FindWindowRecord(hwnd);
    switch (message) {
    case WM_CREATE:
    case IPM_CLEARADDRESS:
        rec->text = TEXT("0.0.0.0");
        return 0;
    case WM_SETTEXT:
        rec->text = NormaliseAddress(TextOf(lParam));
        return TRUE;
    default:
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

LRESULT CALLBACK TrackbarProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    WindowRecord* rec = FindWindowRecord(hwnd);
    const int value = static_cast<int>(lParam);
    switch (message) {
    case TBM_GETPOS:
        return rec->pos;
    case TBM_GETRANGEMIN:
        return rec->rangeMin;
    case TBM_GETRANGEMAX:
        return rec->rangeMax;
    case TBM_SETRANGEMIN:
        rec->rangeMin = value;
        rec->pos = std::max(rec->pos, value);
        return 0;
    case TBM_SETRANGEMAX:
        rec->rangeMax = value;
        rec->pos = std::min(rec->pos, value);
        return 0;
    case TBM_SETPOS:
        rec->pos = std::clamp(value, rec->rangeMin, std::max(rec->rangeMin, rec->rangeMax));
        return 0;
    default:
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

} // namespace

WNDPROC ClassProcedure(WideView className) {
    if (className == WC_BUTTONW)
        return ButtonProc;
    if (className == WC_EDITW)
        return EditProc;
    if (className == WC_STATICW)
        return StaticProc;
    if (className == WC_COMBOBOXW)
        return ComboProc;
    if (className == WC_IPADDRESSW)
        return IpAddressProc;
    if (className == TRACKBAR_CLASSW)
        return TrackbarProc;
    if (className == WC_DIALOGW)
        return DefDlgProcW;
    return DefWindowProcW;
}

} // namespace platform::ui

using platform::ui::FindWindowRecord;

// The dialog class procedure: the dialog's own procedure first, then the
// defaults (the close box becomes Cancel).
extern "C" LRESULT DefDlgProcW(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    platform::ui::WindowRecord* rec = FindWindowRecord(hwnd);
    if (!rec)
        return 0;
    if (rec->dlgProc) {
        const INT_PTR handled = rec->dlgProc(hwnd, message, wParam, lParam);
        if (message == WM_INITDIALOG)
            return handled;
        if (handled)
            return FindWindowRecord(hwnd) ? rec->msgResult : 0;
    }
    if (message == WM_CLOSE) {
        PostMessageW(hwnd, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

extern "C" BOOL EndDialog(HWND dialog, INT_PTR result) {
    platform::ui::WindowRecord* rec = FindWindowRecord(dialog);
    if (!rec)
        return FALSE;
    rec->ended = true;
    rec->endResult = result;
    ShowWindow(dialog, SW_HIDE);
    return TRUE;
}

extern "C" BOOL IsDialogMessageW(HWND, LPMSG) {
    return FALSE;
}
