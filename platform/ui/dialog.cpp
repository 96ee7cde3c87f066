// CDialog: creation from the template and the modal loop.
#include "afxwin.h"

#include "dialog_template.h"
#include "screen.h"

CDialog::CDialog(UINT idTemplate, CWnd* parent) : m_idTemplate(idTemplate), m_pParentWnd(parent) {}

CDialog::~CDialog() {
    if (m_hWnd)
        DestroyWindow();
}

BOOL CDialog::CreateFromTemplate(HWND parent) {
    const platform::ui::DialogTemplate* t = platform::ui::FindDialogTemplate(m_idTemplate);
    if (!t)
        return FALSE;
    platform::ui::CreateDialogFromTemplate(*t, parent, &AfxDlgProc, reinterpret_cast<LPARAM>(this));
    return m_hWnd != nullptr;
}

INT_PTR CDialog::DoModal() {
    platform::ModalFrame frame;
    frame.kind = platform::ModalFrame::Kind::Dialog;
    m_modalFrame = &frame;
    m_nModalResult = -1;
    if (!CreateFromTemplate(m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr)) {
        m_modalFrame = nullptr;
        return -1;
    }
    frame.dialog = m_hWnd;
    if (!frame.ended) { // OnInitDialog may already have ended it
        ShowWindow(SW_SHOW);
        platform::RunModalLoop(frame);
        if (m_nModalResult == -1)
            m_nModalResult = frame.result;
    }
    m_modalFrame = nullptr;
    DestroyWindow();
    return m_nModalResult;
}

BOOL CDialog::Create(UINT idTemplate, CWnd* parent) {
    m_idTemplate = idTemplate;
    m_pParentWnd = parent;
    if (!CreateFromTemplate(parent ? parent->m_hWnd : nullptr))
        return FALSE;
    if (GetStyle() & WS_VISIBLE) {
        ModifyStyle(WS_VISIBLE, 0);
        ShowWindow(SW_SHOW);
    }
    return TRUE;
}

void CDialog::EndDialog(int result) {
    m_nModalResult = result;
    if (m_modalFrame) {
        m_modalFrame->result = result;
        m_modalFrame->ended = true;
    }
    if (m_hWnd)
        ::EndDialog(m_hWnd, result);
}

BOOL CDialog::OnInitDialog() {
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK() {
    if (!UpdateData(TRUE))
        return; // validation failed: the dialog stays open
    EndDialog(IDOK);
}

void CDialog::OnCancel() {
    EndDialog(IDCANCEL);
}

BOOL CDialog::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (message == WM_INITDIALOG) {
        *result = OnInitDialog();
        return TRUE;
    }
    return CWnd::OnWndMsg(message, wParam, lParam, result);
}

BOOL CDialog::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (CWnd::OnCommand(wParam, lParam))
        return TRUE;
    if (HIWORD(wParam) != BN_CLICKED)
        return FALSE;
    switch (LOWORD(wParam)) {
    case IDOK:
        OnOK();
        return TRUE;
    case IDCANCEL:
        OnCancel();
        return TRUE;
    default:
        return FALSE;
    }
}

BOOL CWnd::UpdateData(BOOL saveAndValidate) {
    CDataExchange dx(this, saveAndValidate);
    try {
        DoDataExchange(&dx);
    } catch (const CUserException&) {
        return FALSE;
    }
    return TRUE;
}
