// Property pages and what a property sheet knows of them (its pages, in tab
// order). The sheet's window is the window framework's: headless or real.
#include "afxwin.h"

#include "dialog_template.h"

#include <algorithm>

CPropertyPage::CPropertyPage(UINT idTemplate, UINT) : CDialog(idTemplate, nullptr) {}

CString CPropertyPage::GetCaption() const {
    const platform::ui::DialogTemplate* t = platform::ui::FindDialogTemplate(m_idTemplate);
    return t && t->caption ? CString(t->caption) : CString();
}

BOOL CPropertyPage::OnSetActive() {
    if (m_firstSetActive)
        m_firstSetActive = false;
    else
        UpdateData(FALSE);
    return TRUE;
}

BOOL CPropertyPage::OnKillActive() {
    return UpdateData(TRUE);
}

CPropertySheet::CPropertySheet(LPCWSTR caption, CWnd* parent, UINT selectPage)
    : m_strCaption(caption), m_pParentWnd(parent), m_activePage(static_cast<int>(selectPage)) {}

CPropertySheet::~CPropertySheet() {
    if (m_hWnd)
        DestroyWindow();
}

bool CPropertySheet::BeginCreate(CWnd* parent, DWORD& style) {
    if (m_hWnd || m_pages.empty())
        return false;
    if (parent)
        m_pParentWnd = parent;
    if (style == static_cast<DWORD>(-1))
        style = WS_SYSMENU | WS_POPUP | WS_CAPTION | DS_MODALFRAME | WS_VISIBLE;
    return true;
}

void CPropertySheet::AddPage(CPropertyPage* page) {
    page->m_sheet = this;
    m_pages.push_back(page);
}

CPropertyPage* CPropertySheet::GetPage(int index) const {
    return index >= 0 && index < GetPageCount() ? m_pages[index] : nullptr;
}

int CPropertySheet::GetPageIndex(const CPropertyPage* page) const {
    auto it = std::find(m_pages.begin(), m_pages.end(), page);
    return it == m_pages.end() ? -1 : static_cast<int>(it - m_pages.begin());
}

BOOL CPropertySheet::OnInitDialog() {
    return TRUE;
}

BOOL CPropertySheet::SetActivePage(CPropertyPage* page) {
    return SetActivePage(GetPageIndex(page));
}

void CPropertySheet::OnClose() {
    DestroyWindow();
}
