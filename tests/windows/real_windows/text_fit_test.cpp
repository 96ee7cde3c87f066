// Every text of the plug-in's windows fits its control: the connect dialog,
// each page of the sheet and the reflector size dialog, as real windows.
// Each control's text is measured with the control's own font and style
// (DrawTextW with DT_CALCRECT, its alignment and line breaking) against the
// room the control gives it: its client area less the check or radio glyph,
// a push button's edges, a group box's frame.
#include "tests/windows/real_windows/every_window.h"

#include <string>
#include <vector>

namespace {

using realwin::ClassOf;
using realwin::Narrow;
using realwin::TextOf;

// The room a control gives its text, and how the control draws it; false for
// controls whose text is not a label (edits, combo boxes, pictures).
bool TextRoom(HWND control, const TEXTMETRICW& font, RECT& room, UINT& format) {
    const std::wstring cls = ClassOf(control);
    const LONG style = GetWindowLongW(control, GWL_STYLE);
    GetClientRect(control, &room);
    format = DT_CALCRECT;
    if (_wcsicmp(cls.c_str(), L"Button") == 0) {
        const LONG type = style & BS_TYPEMASK;
        if (type == BS_GROUPBOX) {
            // The frame's caption starts a few pixels in and ends before the frame's right edge.
            room.left += 8;
            room.right -= 4;
            format |= DT_SINGLELINE;
        } else if (type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_3STATE ||
                   type == BS_AUTO3STATE || type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON) {
            // The glyph and the gap after it.
            room.right -= GetSystemMetrics(SM_CXMENUCHECK) + font.tmAveCharWidth / 2 + 1;
            format |= (style & BS_MULTILINE) ? DT_WORDBREAK : DT_SINGLELINE;
        } else {
            // A push button's raised edges and its focus rectangle.
            InflateRect(&room, -4, -3);
            format |= (style & BS_MULTILINE) ? DT_WORDBREAK | DT_CENTER : DT_SINGLELINE | DT_CENTER;
        }
        return true;
    }
    if (_wcsicmp(cls.c_str(), L"Static") == 0) {
        const LONG type = style & SS_TYPEMASK;
        if (type == SS_LEFT || type == SS_CENTER || type == SS_RIGHT)
            format |= DT_WORDBREAK | (type == SS_CENTER ? DT_CENTER : 0) |
                      (type == SS_RIGHT ? DT_RIGHT : 0);
        else if (type == SS_LEFTNOWORDWRAP || type == SS_SIMPLE)
            format |= DT_SINGLELINE;
        else
            return false; // a bitmap, icon or frame
        if (style & SS_NOPREFIX)
            format |= DT_NOPREFIX;
        return true;
    }
    return false;
}

// Fails for each control of `window` whose text does not fit, naming the
// window, the control and both sizes.
void ExpectTextsFit(HWND window, const std::string& name) {
    ASSERT_TRUE(IsWindow(window)) << name;
    int measured = 0;
    for (HWND control = GetWindow(window, GW_CHILD); control;
         control = GetWindow(control, GW_HWNDNEXT)) {
        const std::wstring text = TextOf(control);
        if (text.empty())
            continue;
        HDC dc = GetDC(control);
        const HGDIOBJ old =
            SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
        TEXTMETRICW metrics{};
        GetTextMetricsW(dc, &metrics);
        RECT room{};
        UINT format = 0;
        if (TextRoom(control, metrics, room, format)) {
            RECT need = room;
            need.bottom = need.top; // DT_CALCRECT grows it to the text's height
            DrawTextW(dc, text.c_str(), -1, &need, format);
            const int needW = need.right - need.left, needH = need.bottom - need.top;
            const int haveW = room.right - room.left, haveH = room.bottom - room.top;
            EXPECT_TRUE(needW <= haveW && needH <= haveH)
                << name << ": control " << GetDlgCtrlID(control) << " \"" << Narrow(text)
                << "\" needs " << needW << " x " << needH << " pixels, has " << haveW << " x "
                << haveH;
            ++measured;
        }
        SelectObject(dc, old);
        ReleaseDC(control, dc);
    }
    EXPECT_GT(measured, 0) << name << " has no text to measure";
}

class TextFitTest : public realwin::EveryWindowTest {
protected:
    void Check(HWND window, const std::string& name) override { ExpectTextsFit(window, name); }
};

TEST_F(TextFitTest, EveryTextFitsItsControl) {
    VisitEveryWindow(false);
}

} // namespace
