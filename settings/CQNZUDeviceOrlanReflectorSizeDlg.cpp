#include "settings/CQNZUDeviceOrlanReflectorSizeDlg.h"

CQNZUDeviceOrlanReflectorSizeDlg::CQNZUDeviceOrlanReflectorSizeDlg(CWnd* parent)
    : CDialog(IDD, parent) {}

void CQNZUDeviceOrlanReflectorSizeDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_REFLECTOR_DIAMETER, m_diameter);
}
