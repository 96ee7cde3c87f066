#include "toolsheet/CSampleSheet.h"

CSampleSheet::CSampleSheet(LPCWSTR caption, CWnd* parent, UINT selectPage)
    : CPropertySheet(caption, parent, selectPage) {}

BEGIN_MESSAGE_MAP(CSampleSheet, CPropertySheet)
ON_WM_CLOSE()
END_MESSAGE_MAP()

BOOL CSampleSheet::OnInitDialog() {
    if (CMenu* menu = GetSystemMenu(FALSE))
        menu->AppendMenu(MF_STRING, SC_SIZE, TEXT("Size"));
    ModifyStyle(0, WS_THICKFRAME);
    ModifyStyleEx(0, WS_EX_CONTROLPARENT);
    return CPropertySheet::OnInitDialog();
}

// The close box only hides the sheet; the device destroys it at close.
void CSampleSheet::OnClose() {
    ShowWindow(SW_HIDE);
}
