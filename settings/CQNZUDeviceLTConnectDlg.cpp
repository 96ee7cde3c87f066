#include "settings/CQNZUDeviceLTConnectDlg.h"

#include "plugin/CQWandDevice.h"
#include "settings/CQNRegistry.h"
#include "settings/tracker_library_registration.h"

namespace {
constexpr UINT_PTR kCountdownTimer = 0;
constexpr UINT kCountdownPeriod = 1000;
} // namespace

CQNZUDeviceLTConnectDlg::CQNZUDeviceLTConnectDlg(CWnd* parent) : CDialog(IDD, parent) {}

BEGIN_MESSAGE_MAP(CQNZUDeviceLTConnectDlg, CDialog)
ON_WM_TIMER()
ON_BN_CLICKED(IDC_CONNECT_AUTO_APPLY, &CQNZUDeviceLTConnectDlg::OnAutoApplyClicked)
ON_BN_CLICKED(IDC_CONNECT_REGISTER, &CQNZUDeviceLTConnectDlg::OnRegisterDevice)
END_MESSAGE_MAP()

void CQNZUDeviceLTConnectDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_CONNECT_ADDRESS, m_addressEdit);
    DDX_Text(pDX, IDC_CONNECT_COUNTDOWN, m_countdownText);
    DDX_Check(pDX, IDC_CONNECT_AUTO_APPLY, m_autoApply);
}

BOOL CQNZUDeviceLTConnectDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    m_address.Empty();
    m_countdownStep = 0;
    m_addressEdit.SetWindowText(TEXT("192.168.0.1"));
    CQNRegistry registry;
    registry.SetKey(kDeviceKeyName, true);
    RegString stored;
    if (registry.ReadString(TEXT("m_ipAddressBox"), stored))
        m_addressEdit.SetWindowText(stored.c_str());
    SetTimer(kCountdownTimer, kCountdownPeriod, nullptr);
    return TRUE;
}

void CQNZUDeviceLTConnectDlg::OnOK() {
    m_addressEdit.GetWindowText(m_address);
    CDialog::OnOK();
}

bool CQNZUDeviceLTConnectDlg::GetAddress(CString& address) const {
    if (m_address.IsEmpty())
        return false;
    address = m_address;
    return true;
}

void CQNZUDeviceLTConnectDlg::OnAutoApplyClicked() {
    const bool checked = IsDlgButtonChecked(IDC_CONNECT_AUTO_APPLY) == BST_CHECKED;
    if (checked)
        SetTimer(kCountdownTimer, kCountdownPeriod, nullptr);
    else
        KillTimer(kCountdownTimer);
    m_autoApply = checked ? 1 : 0;
    UpdateData(FALSE);
}

void CQNZUDeviceLTConnectDlg::OnTimer(UINT_PTR) {
    if (m_autoApply == 0) {
        KillTimer(kCountdownTimer);
        return;
    }
    switch (m_countdownStep) {
    case 0:
        m_countdownText = TEXT("3 seconds");
        break;
    case 1:
        m_countdownText = TEXT("2 seconds");
        break;
    case 2:
        m_countdownText = TEXT("1 seconds");
        break;
    case 3:
        // Never shown: the dialog ends the way "Connect" ends it.
        m_countdownText = TEXT("0 seconds");
        KillTimer(kCountdownTimer);
        OnOK();
        return;
    default:
        KillTimer(kCountdownTimer);
        return;
    }
    SetTimer(kCountdownTimer, kCountdownPeriod, nullptr);
    UpdateData(FALSE);
    ++m_countdownStep;
}

void CQNZUDeviceLTConnectDlg::OnRegisterDevice() {
    if (!RegisterTrackerLibrary())
        AfxMessageBox(TEXT("Failed to register"));
}
