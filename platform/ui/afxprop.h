// Property pages and the property sheet that holds them.
#pragma once

#include "afxdlg.h"

#include <vector>

class CPropertySheet;

class CPropertyPage : public CDialog {
public:
    explicit CPropertyPage(UINT idTemplate, UINT idCaption = 0);

    // The tab caption: the template's title.
    CString GetCaption() const;
    CPropertySheet* GetSheet() const { return m_sheet; }

    // Becoming the active page; the default refreshes the controls from the
    // members on every activation after the first.
    virtual BOOL OnSetActive();
    // Leaving the active page; the default validates and stores the members
    // (FALSE keeps the page active).
    virtual BOOL OnKillActive();
    // A page is not ended like a dialog: OK and Cancel only exchange data.
    void OnOK() override {}
    void OnCancel() override {}

private:
    friend class CPropertySheet;
    friend struct PropertySheetWindow;
    CPropertySheet* m_sheet = nullptr;
    bool m_firstSetActive = true;
};

class CPropertySheet : public CWnd {
public:
    explicit CPropertySheet(LPCWSTR caption, CWnd* parent = nullptr, UINT selectPage = 0);
    ~CPropertySheet() override;

    void AddPage(CPropertyPage* page);
    // Creates the sheet modeless: the sheet window and the active page's
    // window only; the other pages get theirs when first activated.
    // style (DWORD)-1 is the default modeless style, which is visible.
    virtual BOOL Create(CWnd* parent = nullptr, DWORD style = static_cast<DWORD>(-1),
                        DWORD exStyle = 0);
    virtual BOOL OnInitDialog();

    BOOL SetActivePage(int index);
    BOOL SetActivePage(CPropertyPage* page);
    int GetActiveIndex() const { return m_activePage; }
    CPropertyPage* GetActivePage() const { return GetPage(m_activePage); }
    int GetPageCount() const { return static_cast<int>(m_pages.size()); }
    CPropertyPage* GetPage(int index) const;
    int GetPageIndex(const CPropertyPage* page) const;

    BOOL DestroyWindow() override;
    // The default closes the sheet by destroying it.
    afx_msg void OnClose() override;

    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

    CString m_strCaption;

protected:
    friend struct PropertySheetWindow;
    // Whether Create may go on (no window yet, some pages); takes the parent
    // and turns style (DWORD)-1 into the default modeless style.
    bool BeginCreate(CWnd* parent, DWORD& style);

    CWnd* m_pParentWnd;
    std::vector<CPropertyPage*> m_pages; // not owned
    int m_activePage;
    // Real windows: the pages' in-memory dialog templates, which the system
    // reads when it creates each page.
    std::vector<std::vector<WORD>> m_pageResources;
};
