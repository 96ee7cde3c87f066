// The connect dialog: the tracker's address, an optional countdown that
// connects by itself, and the registration of the tracker library.
#pragma once

#include "platform/ui/afxwin.h"
#include "resources/resource.h"

class CQNZUDeviceLTConnectDlg : public CDialog {
public:
    explicit CQNZUDeviceLTConnectDlg(CWnd* parent = nullptr);
    enum { IDD = IDD_CONNECT };

    // False when the dialog handed back no address.
    bool GetAddress(CString& address) const;

    CEdit m_addressEdit;
    CString m_address;
    UINT m_countdownStep = 0;
    CString m_countdownText;
    int m_autoApply = 0;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    afx_msg void OnTimer(UINT_PTR id);
    afx_msg void OnAutoApplyClicked();
    afx_msg void OnRegisterDevice();
    DECLARE_MESSAGE_MAP()
};
