// The "OVC" page of the tool sheet: the tracker's overview camera.
#pragma once

#include "platform/ui/afxwin.h"
#include "resources/resource.h"

class CQWandDevice;

class WCPropPageOVC : public CPropertyPage {
public:
    explicit WCPropPageOVC(CQWandDevice* device);
    ~WCPropPageOVC() override;
    enum { IDD = IDD_PROPPAGE_OVC };

    void LoadSettings();
    void SaveSettings();
    void OnTrackerConnected();
    void OnTrackerDisconnecting();
    // The camera sink hands each image over: a complete BMP file of `size` bytes.
    void ShowImage(const BYTE*, size_t) {}

    bool m_initialized = false;
    CQWandDevice* m_device;

protected:
    BOOL OnInitDialog() override;
};
