// CDialog and dialog data exchange.
#pragma once

#include "afxctrl.h"

namespace platform {
struct ModalFrame;
}

class CDialog : public CWnd {
public:
    explicit CDialog(UINT idTemplate, CWnd* parent = nullptr);
    ~CDialog() override;

    // Shows the dialog and runs its modal loop; IDOK, IDCANCEL or the value
    // given to EndDialog; -1 when the template does not exist.
    virtual INT_PTR DoModal();
    // Creates the dialog modeless (shown when its template says visible, or
    // by ShowWindow).
    virtual BOOL Create(UINT idTemplate, CWnd* parent = nullptr);
    void EndDialog(int result);

    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();

    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

    UINT GetTemplateId() const { return m_idTemplate; }

protected:
    // Creates the window from the template as a child of `parent`.
    BOOL CreateFromTemplate(HWND parent);

    UINT m_idTemplate;
    CWnd* m_pParentWnd;
    int m_nModalResult = -1;
    platform::ModalFrame* m_modalFrame = nullptr;
};

// Validation failure inside DoDataExchange; UpdateData catches it.
class CUserException {};

class CDataExchange {
public:
    CDataExchange(CWnd* dialog, BOOL saveAndValidate)
        : m_bSaveAndValidate(saveAndValidate), m_pDlgWnd(dialog) {}

    BOOL m_bSaveAndValidate;
    CWnd* m_pDlgWnd;
    int m_idLastControl = 0;

    HWND PrepareCtrl(int id);
    HWND PrepareEditCtrl(int id) { return PrepareCtrl(id); }
    // Ends the exchange as failed (only while saving).
    [[noreturn]] void Fail();
};

void DDX_Control(CDataExchange* pDX, int id, CWnd& control);
void DDX_Text(CDataExchange* pDX, int id, CString& value);
void DDX_Text(CDataExchange* pDX, int id, int& value);
void DDX_Text(CDataExchange* pDX, int id, UINT& value);
void DDX_Text(CDataExchange* pDX, int id, long& value);
void DDX_Text(CDataExchange* pDX, int id, double& value);
void DDX_Text(CDataExchange* pDX, int id, float& value);
void DDX_Check(CDataExchange* pDX, int id, int& value);
// The index of the checked radio button in the group that starts at `id`,
// -1 when none.
void DDX_Radio(CDataExchange* pDX, int id, int& value);
void DDX_Slider(CDataExchange* pDX, int id, int& value);
void DDX_CBIndex(CDataExchange* pDX, int id, int& index);
void DDX_CBString(CDataExchange* pDX, int id, CString& value);
