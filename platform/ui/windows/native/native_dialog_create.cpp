// Real dialogs from the one description of each dialog: the description
// becomes an in-memory dialog template (DLGTEMPLATEEX) that the dialog
// manager creates the window and its controls from.
#include "native_runtime.h"
#include "native_visual_styles.h"
#include "native_unmapped.h"

#include <cwchar>

namespace platform::ui {
namespace {

class ResourceWriter {
public:
    void Word(WORD w) { m_data.push_back(w); }
    void Dword(DWORD d) {
        Word(LOWORD(d));
        Word(HIWORD(d));
    }
    void Text(LPCWSTR text) {
        for (const WCHAR* p = text ? text : L""; *p; ++p)
            Word(static_cast<WORD>(*p));
        Word(0);
    }
    void AlignDword() {
        if (m_data.size() % 2)
            Word(0);
    }
    std::vector<WORD> Take() { return std::move(m_data); }

private:
    std::vector<WORD> m_data;
};

// The IP address control keeps its address apart from its window text, so
// the described text is given to it once the controls exist, before the
// dialog's own procedure initialises the dialog.
struct Creation {
    const DialogTemplate* dialog;
    DLGPROC procedure;
    LPARAM param;
};
thread_local Creation* t_creation = nullptr;

INT_PTR CALLBACK FirstDialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM) {
    if (message != WM_INITDIALOG || !t_creation)
        return FALSE;
    const Creation& creation = *t_creation;
    for (const ControlTemplate& c : creation.dialog->controls)
        if (c.kind == ControlKind::IpAddress && c.text && *c.text)
            QnSetWindowTextW(GetDlgItem(hwnd, c.id), c.text); // parses the address
    SetWindowLongPtrW(hwnd, DWLP_DLGPROC, reinterpret_cast<LONG_PTR>(creation.procedure));
    return creation.procedure(hwnd, message, wParam, creation.param);
}

} // namespace

std::vector<WORD> BuildDialogResource(const DialogTemplate& dialog, DWORD style) {
    if (!style) {
        style = DialogStyle(dialog);
        if (!(dialog.flags & kChildPage))
            style |= DS_CENTER;
    }
    ResourceWriter out;
    out.Word(1);      // dlgVer
    out.Word(0xFFFF); // signature: the extended template
    out.Dword(0);     // helpID
    out.Dword(0);     // exStyle
    out.Dword(style | DS_SETFONT);
    out.Word(static_cast<WORD>(dialog.controls.size()));
    out.Word(0);
    out.Word(0);
    out.Word(static_cast<WORD>(dialog.cx));
    out.Word(static_cast<WORD>(dialog.cy));
    out.Word(0); // no menu
    out.Word(0); // the dialog class
    out.Text(dialog.caption);
    out.Word(8);   // point size
    out.Word(400); // weight
    out.Word(0);   // italic, character set
    out.Text(L"MS Shell Dlg");
    for (const ControlTemplate& c : dialog.controls) {
        out.AlignDword();
        out.Dword(0); // helpID
        out.Dword(c.kind == ControlKind::Edit ? WS_EX_CLIENTEDGE : 0);
        DWORD controlStyle = ControlStyle(c);
        if (c.kind == ControlKind::Edit)
            controlStyle &= ~static_cast<DWORD>(WS_BORDER); // the client edge is its border
        out.Dword(controlStyle);
        out.Word(static_cast<WORD>(c.x));
        out.Word(static_cast<WORD>(c.y));
        out.Word(static_cast<WORD>(c.cx));
        out.Word(static_cast<WORD>(c.cy));
        out.Dword(static_cast<DWORD>(c.id));
        out.Text(ControlClassName(c.kind));
        out.Text(c.kind == ControlKind::IpAddress || c.kind == ControlKind::Picture ? L"" : c.text);
        out.Word(0); // no creation data
    }
    return out.Take();
}

HWND CreateDialogFromTemplate(const DialogTemplate& dialog, HWND parent, DLGPROC procedure,
                              LPARAM param) {
    EnsureCommonControls();
    const std::vector<WORD> resource = BuildDialogResource(dialog);
    Creation creation{&dialog, procedure, param};
    Creation* outer = t_creation;
    t_creation = &creation;
    HWND hwnd = nullptr;
    {
        ActivationScope visualStyles; // the controls are the common controls of version 6
        hwnd = CreateDialogIndirectParamW(RuntimeInstance(),
                                          reinterpret_cast<LPCDLGTEMPLATEW>(resource.data()),
                                          parent, &FirstDialogProc, 0);
    }
    t_creation = outer;
    return hwnd;
}

} // namespace platform::ui
