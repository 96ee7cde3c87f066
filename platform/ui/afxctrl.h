// The standard controls: thin objects over their windows' messages.
#pragma once

#include "afxwnd.h"

class CStatic : public CWnd {
public:
    HANDLE SetBitmap(HANDLE bitmap) {
        return reinterpret_cast<HANDLE>(
            SendMessage(STM_SETIMAGE, 0, reinterpret_cast<LPARAM>(bitmap)));
    }
    HANDLE GetBitmap() const { return reinterpret_cast<HANDLE>(SendMessage(STM_GETIMAGE)); }
};

class CButton : public CWnd {
public:
    int GetCheck() const { return static_cast<int>(SendMessage(BM_GETCHECK)); }
    void SetCheck(int check) { SendMessage(BM_SETCHECK, static_cast<WPARAM>(check)); }
};

class CEdit : public CWnd {};

class CComboBox : public CWnd {
public:
    int AddString(LPCWSTR text) { return Call(CB_ADDSTRING, 0, text); }
    int InsertString(int index, LPCWSTR text) { return Call(CB_INSERTSTRING, index, text); }
    int DeleteString(UINT index) { return Call(CB_DELETESTRING, index, nullptr); }
    void ResetContent() { SendMessage(CB_RESETCONTENT); }
    int GetCount() const { return Call(CB_GETCOUNT, 0, nullptr); }
    int GetCurSel() const { return Call(CB_GETCURSEL, 0, nullptr); }
    // -1 clears the selection.
    int SetCurSel(int index) { return Call(CB_SETCURSEL, index, nullptr); }
    int GetLBTextLen(int index) const { return Call(CB_GETLBTEXTLEN, index, nullptr); }
    int GetLBText(int index, LPWSTR buffer) const {
        return static_cast<int>(SendMessage(CB_GETLBTEXT, static_cast<WPARAM>(index),
                                            reinterpret_cast<LPARAM>(buffer)));
    }
    void GetLBText(int index, CString& text) const;
    // Whole text, without regard to case, searching after `startAfter` (-1:
    // from the top) and wrapping around.
    int FindStringExact(int startAfter, LPCWSTR text) const {
        return Call(CB_FINDSTRINGEXACT, startAfter, text);
    }

private:
    int Call(UINT message, INT_PTR wParam, LPCWSTR text) const {
        return static_cast<int>(
            SendMessage(message, static_cast<WPARAM>(wParam), reinterpret_cast<LPARAM>(text)));
    }
};

// The IP address control is used through its window text ("a.b.c.d").
class CIPAddressCtrl : public CWnd {
public:
    void ClearAddress() { SendMessage(IPM_CLEARADDRESS); }
};

class CSliderCtrl : public CWnd {
public:
    void SetRange(int minimum, int maximum, BOOL redraw = FALSE) {
        SendMessage(TBM_SETRANGEMIN, FALSE, minimum);
        SendMessage(TBM_SETRANGEMAX, redraw, maximum);
    }
    void SetRangeMin(int minimum, BOOL redraw = FALSE) {
        SendMessage(TBM_SETRANGEMIN, redraw, minimum);
    }
    void SetRangeMax(int maximum, BOOL redraw = FALSE) {
        SendMessage(TBM_SETRANGEMAX, redraw, maximum);
    }
    int GetRangeMin() const { return static_cast<int>(SendMessage(TBM_GETRANGEMIN)); }
    int GetRangeMax() const { return static_cast<int>(SendMessage(TBM_GETRANGEMAX)); }
    void GetRange(int& minimum, int& maximum) const {
        minimum = GetRangeMin();
        maximum = GetRangeMax();
    }
    int GetPos() const { return static_cast<int>(SendMessage(TBM_GETPOS)); }
    void SetPos(int pos) { SendMessage(TBM_SETPOS, TRUE, pos); }
};

class CScrollBar : public CWnd {};
