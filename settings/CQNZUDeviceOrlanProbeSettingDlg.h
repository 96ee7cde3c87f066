// The "Main" page of the tool sheet: button actions, custom reflector
// diameters, stable probing, RMS distance tolerance and the tracker address.
#pragma once

#include "platform/ui/afxwin.h"
#include "resources/resource.h"

#include <vector>

class CQWandDevice;

class CQNZUDeviceOrlanProbeSettingDlg : public CPropertyPage {
public:
    explicit CQNZUDeviceOrlanProbeSettingDlg(CQWandDevice* device);
    ~CQNZUDeviceOrlanProbeSettingDlg() override;
    enum { IDD = IDD_PROBE_SETTINGS };

    // The action of button 0 to 3 (A to D): 0 "Measurement", 1 "Confirm",
    // 2 "Cancel"; -1 for no selection or anything else.
    int GetButtonAction(int button);
    void LoadSettings();
    void SaveSettings();
    // The pages' shared hooks; this page has nothing to do at either.
    void OnTrackerConnected() {}
    void OnTrackerDisconnecting() {}

    CQWandDevice* m_device;
    CComboBox m_cbAButtonList;
    CComboBox m_cbBButtonList;
    CComboBox m_cbCButtonList;
    CComboBox m_cbDButtonList;
    CComboBox m_cbReflectorSizeList;
    CButton m_btnDelete;
    CButton m_btnCheckStable;
    CIPAddressCtrl m_ipAddressBox;
    CEdit m_stableProbingTime;
    CEdit m_distanceTol;
    double m_distanceTolerance = 0.1; // millimetres
    std::vector<CString> m_actionNames;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    afx_msg void OnAddReflectorSize();
    afx_msg void OnDeleteReflectorSize();
    afx_msg void OnStableProbingClicked();
    afx_msg void OnStableProbingTimeChanged();
    afx_msg void OnDistanceToleranceChanged();
    afx_msg void OnConnect();
    afx_msg void OnDisconnect();
    DECLARE_MESSAGE_MAP()

private:
    CComboBox* ButtonList(int button);
    void ApplyStableProbingSwitch();
    void ApplyStableProbingTime();
};
