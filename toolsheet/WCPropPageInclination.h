// The "Inclination Sensor" page of the tool sheet: the tracker's inclination sensor.
#pragma once

#include "platform/ui/afxwin.h"
#include "resources/resource.h"

class CQWandDevice;

class WCPropPageInclination : public CPropertyPage {
public:
    explicit WCPropPageInclination(CQWandDevice* device);
    ~WCPropPageInclination() override;
    enum { IDD = IDD_PROPPAGE_INCLINATION };

    void LoadSettings();
    void SaveSettings();
    void OnTrackerConnected();
    void OnTrackerDisconnecting();
    // Event handlers of the inclination sink.
    void ShowCurrentInclination() {}
    void OnSwitchChanged(IDispatch*) {}
    void OnOrientToGravityFinished(IDispatch*) {}

    bool m_initialized = false;
    CQWandDevice* m_device;

protected:
    BOOL OnInitDialog() override;
};
