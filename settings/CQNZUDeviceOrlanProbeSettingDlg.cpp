#include "settings/CQNZUDeviceOrlanProbeSettingDlg.h"

#include "measurement/library_reads.h"
#include "plugin/CQWandDevice.h"
#include "settings/CQNRegistry.h"
#include "settings/CQNZUDeviceOrlanReflectorSizeDlg.h"
#include "toolsheet/page_support.h"

#include <cmath>

namespace {

const WCHAR* const kButtonValueNames[4] = {TEXT("m_cbAButtonList"), TEXT("m_cbBButtonList"),
                                           TEXT("m_cbCButtonList"), TEXT("m_cbDButtonList")};

// The most diameters the list loads: a stored count beyond it (a damaged or
// hand-edited value) would otherwise make the load read for hours, and
// positions beyond it would not fit the value names' "%d".
constexpr DWORD kMaxReflectorSizes = 1000;

void UseDeviceKey(CQNRegistry& registry) {
    registry.SetKey(kDeviceKeyName, true);
}

CString WindowText(const CWnd& control) {
    CString text;
    control.GetWindowText(text);
    return text;
}

} // namespace

CQNZUDeviceOrlanProbeSettingDlg::CQNZUDeviceOrlanProbeSettingDlg(CQWandDevice* device)
    : CPropertyPage(IDD),
      m_device(device), m_actionNames{CString(TEXT("Measurement")), CString(TEXT("Confirm")),
                                      CString(TEXT("Cancel"))} {}

CQNZUDeviceOrlanProbeSettingDlg::~CQNZUDeviceOrlanProbeSettingDlg() = default;

BEGIN_MESSAGE_MAP(CQNZUDeviceOrlanProbeSettingDlg, CPropertyPage)
ON_BN_CLICKED(IDC_REFLECTOR_ADD, &CQNZUDeviceOrlanProbeSettingDlg::OnAddReflectorSize)
ON_BN_CLICKED(IDC_REFLECTOR_DELETE, &CQNZUDeviceOrlanProbeSettingDlg::OnDeleteReflectorSize)
ON_BN_CLICKED(IDC_STABLE_ENABLE, &CQNZUDeviceOrlanProbeSettingDlg::OnStableProbingClicked)
ON_EN_CHANGE(IDC_STABLE_TIME, &CQNZUDeviceOrlanProbeSettingDlg::OnStableProbingTimeChanged)
ON_EN_CHANGE(IDC_DISTANCE_TOLERANCE, &CQNZUDeviceOrlanProbeSettingDlg::OnDistanceToleranceChanged)
ON_BN_CLICKED(IDC_TRACKER_CONNECT, &CQNZUDeviceOrlanProbeSettingDlg::OnConnect)
ON_BN_CLICKED(IDC_TRACKER_DISCONNECT, &CQNZUDeviceOrlanProbeSettingDlg::OnDisconnect)
END_MESSAGE_MAP()

void CQNZUDeviceOrlanProbeSettingDlg::DoDataExchange(CDataExchange* pDX) {
    CPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_BUTTON_A_LIST, m_cbAButtonList);
    DDX_Control(pDX, IDC_BUTTON_B_LIST, m_cbBButtonList);
    DDX_Control(pDX, IDC_BUTTON_C_LIST, m_cbCButtonList);
    DDX_Control(pDX, IDC_BUTTON_D_LIST, m_cbDButtonList);
    DDX_Control(pDX, IDC_REFLECTOR_SIZE_LIST, m_cbReflectorSizeList);
    DDX_Control(pDX, IDC_REFLECTOR_DELETE, m_btnDelete);
    DDX_Control(pDX, IDC_STABLE_ENABLE, m_btnCheckStable);
    DDX_Control(pDX, IDC_IP_ADDRESS, m_ipAddressBox);
    DDX_Control(pDX, IDC_STABLE_TIME, m_stableProbingTime);
    DDX_Control(pDX, IDC_DISTANCE_TOLERANCE, m_distanceTol);
}

BOOL CQNZUDeviceOrlanProbeSettingDlg::OnInitDialog() {
    CPropertyPage::OnInitDialog();
    for (int button = 0; button < 4; ++button)
        for (const CString& name : m_actionNames)
            ButtonList(button)->AddString(name);
    m_cbAButtonList.SetCurSel(0);
    m_cbBButtonList.SetCurSel(1);
    m_cbCButtonList.SetCurSel(2);
    m_btnDelete.EnableWindow(FALSE);
    m_ipAddressBox.SetWindowText(TEXT("0.0.0.0"));
    m_stableProbingTime.SetWindowText(TEXT("300"));
    m_distanceTol.SetWindowText(TEXT("0.1"));
    m_distanceTolerance = 0.1;
    LoadSettings();
    return TRUE;
}

CComboBox* CQNZUDeviceOrlanProbeSettingDlg::ButtonList(int button) {
    switch (button) {
    case 0:
        return &m_cbAButtonList;
    case 1:
        return &m_cbBButtonList;
    case 2:
        return &m_cbCButtonList;
    case 3:
        return &m_cbDButtonList;
    default:
        return nullptr;
    }
}

int CQNZUDeviceOrlanProbeSettingDlg::GetButtonAction(int button) {
    CComboBox* list = ButtonList(button);
    if (!list || !list->GetSafeHwnd())
        return -1;
    const int selection = list->GetCurSel();
    return selection >= 0 && selection <= 2 ? selection : -1;
}

void CQNZUDeviceOrlanProbeSettingDlg::LoadSettings() {
    CQNRegistry registry;
    UseDeviceKey(registry);
    RegString text;
    for (int button = 0; button < 4; ++button) {
        if (!registry.ReadString(kButtonValueNames[button], text))
            continue;
        const int item = ButtonList(button)->FindStringExact(-1, text.c_str());
        if (item != CB_ERR)
            ButtonList(button)->SetCurSel(item);
    }

    DWORD size = 0;
    if (registry.ReadDword(TEXT("m_cbReflectorSizeList Size"), size)) {
        for (DWORD i = 0; i < size && i < kMaxReflectorSizes; ++i) {
            CString name;
            name.Format(TEXT("m_cbReflectorSizeList : %d"), static_cast<int>(i));
            if (registry.ReadString(static_cast<LPCWSTR>(name), text) && !text.empty())
                m_cbReflectorSizeList.AddString(text.c_str());
        }
        DWORD index = 0;
        if (registry.ReadDword(TEXT("m_cbReflectorSizeList Index"), index) &&
            index < static_cast<DWORD>(m_cbReflectorSizeList.GetCount()))
            m_cbReflectorSizeList.SetCurSel(static_cast<int>(index));
    }

    DWORD checked = 0;
    if (registry.ReadDword(TEXT("m_btnCheckStable"), checked)) {
        m_btnCheckStable.SetCheck(checked ? BST_CHECKED : BST_UNCHECKED);
        ApplyStableProbingSwitch();
    }
    if (registry.ReadString(TEXT("m_stableProbingTime"), text)) {
        m_stableProbingTime.SetWindowText(text.c_str());
        ApplyStableProbingTime();
    }
    if (registry.ReadString(TEXT("m_distanceTol"), text)) {
        m_distanceTol.SetWindowText(text.c_str());
        m_distanceTolerance = _wtof(text.c_str());
    }
}

void CQNZUDeviceOrlanProbeSettingDlg::SaveSettings() {
    CQNRegistry registry;
    UseDeviceKey(registry);
    const CString address = WindowText(m_ipAddressBox);
    if (!address.IsEmpty())
        registry.WriteString(TEXT("m_ipAddressBox"), address.Str());

    for (int button = 0; button < 4; ++button) {
        CComboBox* list = ButtonList(button);
        const int selection = list->GetCurSel();
        if (selection == CB_ERR)
            continue;
        CString text;
        list->GetLBText(selection, text);
        if (!text.IsEmpty())
            registry.WriteString(kButtonValueNames[button], text.Str());
    }

    const int count = m_cbReflectorSizeList.GetCount();
    registry.WriteDword(TEXT("m_cbReflectorSizeList Size"),
                        static_cast<DWORD>(count < 0 ? 0 : count));
    for (int i = 0; i < count; ++i) {
        CString text;
        m_cbReflectorSizeList.GetLBText(i, text);
        if (text.IsEmpty())
            continue;
        CString name;
        name.Format(TEXT("m_cbReflectorSizeList : %d"), i);
        registry.WriteString(static_cast<LPCWSTR>(name), text.Str());
    }
    const int selected = m_cbReflectorSizeList.GetCurSel();
    if (selected != CB_ERR)
        registry.WriteDword(TEXT("m_cbReflectorSizeList Index"), static_cast<DWORD>(selected));

    registry.WriteDword(TEXT("m_btnCheckStable"),
                        m_btnCheckStable.GetCheck() == BST_CHECKED ? 1 : 0);
    const CString time = WindowText(m_stableProbingTime);
    if (!time.IsEmpty())
        registry.WriteString(TEXT("m_stableProbingTime"), time.Str());
    const CString tolerance = WindowText(m_distanceTol);
    if (!tolerance.IsEmpty())
        registry.WriteString(TEXT("m_distanceTol"), tolerance.Str());
}

void CQNZUDeviceOrlanProbeSettingDlg::OnAddReflectorSize() {
    CQNZUDeviceOrlanReflectorSizeDlg dialog(this);
    if (dialog.DoModal() != IDOK)
        return;
    // A diameter must be a positive finite number of millimetres.
    if (!(dialog.m_diameter > 0.0) || !std::isfinite(dialog.m_diameter))
        return;
    CString text;
    text.Format(TEXT("%lf"), dialog.m_diameter);
    m_cbReflectorSizeList.AddString(text);
    const int count = m_cbReflectorSizeList.GetCount();
    if (count >= 1)
        m_btnDelete.EnableWindow(TRUE);
    if (count == 1)
        m_cbReflectorSizeList.SetCurSel(0);
}

void CQNZUDeviceOrlanProbeSettingDlg::OnDeleteReflectorSize() {
    const int count = m_cbReflectorSizeList.GetCount();
    const int selection = m_cbReflectorSizeList.GetCurSel();
    if (count <= 0 || selection == CB_ERR)
        return;
    m_cbReflectorSizeList.DeleteString(static_cast<UINT>(selection));
    if (count > 1) {
        m_cbReflectorSizeList.SetCurSel(0);
    } else {
        m_cbReflectorSizeList.SetCurSel(-1);
        m_btnDelete.EnableWindow(FALSE);
    }
}

void CQNZUDeviceOrlanProbeSettingDlg::OnStableProbingClicked() {
    ApplyStableProbingSwitch();
}

void CQNZUDeviceOrlanProbeSettingDlg::OnStableProbingTimeChanged() {
    ApplyStableProbingTime();
}

void CQNZUDeviceOrlanProbeSettingDlg::OnDistanceToleranceChanged() {
    m_distanceTolerance = _wtof(WindowText(m_distanceTol));
}

void CQNZUDeviceOrlanProbeSettingDlg::ApplyStableProbingSwitch() {
    if (!m_device || !m_device->m_tracker || !m_device->m_stableProbingTrigger)
        return;
    try {
        ComPtr<tracker::BoolSwitch> onOff =
            Read(m_device->m_stableProbingTrigger, &tracker::StableProbingTrigger::get_Enabled);
        if (!onOff)
            return;
        const bool checked = m_btnCheckStable.GetCheck() == BST_CHECKED;
        ThrowIfFailed(onOff->put_Value(checked ? VARIANT_TRUE : VARIANT_FALSE));
    } catch (const ComError& error) {
        ShowLibraryError(error);
    }
}

void CQNZUDeviceOrlanProbeSettingDlg::ApplyStableProbingTime() {
    if (!m_device || !m_device->m_tracker || !m_device->m_stableProbingTrigger)
        return;
    try {
        ComPtr<tracker::NumericSetting> time =
            Read(m_device->m_stableProbingTrigger, &tracker::StableProbingTrigger::get_Time);
        const CString text = WindowText(m_stableProbingTime);
        if (!time || text.IsEmpty())
            return;
        ThrowIfFailed(time->put_Value(_wtof(text))); // milliseconds, as typed
    } catch (const ComError& error) {
        ShowLibraryError(error);
    }
}

void CQNZUDeviceOrlanProbeSettingDlg::OnConnect() {
    if (m_device)
        m_device->Connect(WindowText(m_ipAddressBox));
}

void CQNZUDeviceOrlanProbeSettingDlg::OnDisconnect() {
    if (m_device)
        m_device->Disconnect();
}
