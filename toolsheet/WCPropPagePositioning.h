// The "Positioning" page of the tool sheet: the tracker's positioning of the tracker head.
#pragma once

#include "platform/ui/afxwin.h"
#include "resources/resource.h"

class CQWandDevice;

class WCPropPagePositioning : public CPropertyPage {
public:
    explicit WCPropPagePositioning(CQWandDevice* device);
    ~WCPropPagePositioning() override;
    enum { IDD = IDD_PROPPAGE_POSITIONING };

    void LoadSettings();
    void SaveSettings();
    void OnTrackerConnected();
    void OnTrackerDisconnecting();

    bool m_initialized = false;
    CQWandDevice* m_device;

protected:
    BOOL OnInitDialog() override;
};
