// The headless window manager's record of one window: what user32 keeps for a
// real window (class, text, styles, id, relations) and the state of the
// standard controls, which here have no pixels to keep it in.
#pragma once

#include "../../base/text.h"
#include "../winuser.h"

#include <memory>
#include <vector>

namespace platform::ui {

// A menu; its HMENU is the record's address.
struct MenuRecord {
    struct Item {
        UINT flags;
        UINT_PTR id;
        WideString text;
    };
    std::vector<Item> items;
};
inline MenuRecord* FromMenuHandle(HMENU menu) {
    return reinterpret_cast<MenuRecord*>(menu);
}
inline HMENU ToMenuHandle(MenuRecord* menu) {
    return reinterpret_cast<HMENU>(menu);
}

struct BitmapPixels;

struct WindowRecord {
    HWND hwnd = nullptr;
    HWND parent = nullptr;
    std::vector<HWND> children; // creation order, which is the tab order
    WideString className;
    WideString text;
    DWORD style = 0;
    DWORD exStyle = 0;
    int id = 0;
    WNDPROC proc = nullptr;
    LONG_PTR userData = 0;
    RECT rect{};
    bool destroying = false;

    // Dialogs
    DLGPROC dlgProc = nullptr;
    LONG_PTR dlgUser = 0;
    LONG_PTR msgResult = 0;
    INT_PTR endResult = 0;
    bool ended = false;

    // Controls
    std::vector<WideString> items; // combo box list
    int curSel = -1;
    int check = BST_UNCHECKED;
    int rangeMin = 0;
    int rangeMax = 100;
    int pos = 0;
    HANDLE image = nullptr;
    std::shared_ptr<const BitmapPixels> imagePixels; // a picture control's copy of its bitmap

    std::unique_ptr<MenuRecord> systemMenu;
};

// The record of a live window, or null.
WindowRecord* FindWindowRecord(HWND hwnd);

// The class procedures of the standard controls (control_procs.cpp).
WNDPROC ClassProcedure(WideView className);

// Sends a WM_COMMAND notification from a control to its parent.
void NotifyParent(HWND control, UINT code);

} // namespace platform::ui
