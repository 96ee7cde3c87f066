// The "Profiles" page of the tool sheet: the tracker's measurement profiles and power.
#pragma once

#include "platform/ui/afxwin.h"
#include "resources/resource.h"

class CQWandDevice;

class WCPropPageSettings : public CPropertyPage {
public:
    explicit WCPropPageSettings(CQWandDevice* device);
    ~WCPropPageSettings() override;
    enum { IDD = IDD_PROPPAGE_PROFILES };

    void LoadSettings();
    void SaveSettings();
    void OnTrackerConnected();
    void OnTrackerDisconnecting();
    // The power sink's handler: refreshes the power source and level.
    void UpdatePowerStatus() {}

    bool m_initialized = false;
    CQWandDevice* m_device;

protected:
    BOOL OnInitDialog() override;
};
