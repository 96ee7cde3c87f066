// The "OVC" page of the tool sheet: the tracker's overview camera, its live
// images, its dialog, and the scan regions of the area scan.
#pragma once

#include "interfaces/tracker.h"
#include "platform/com/com_ptr.h"
#include "platform/ui/afxwin.h"
#include "resources/resource.h"

#include <cstddef>

class CQWandDevice;
class WCOverViewCameraEventSink;

class WCPropPageOVC : public CPropertyPage {
public:
    explicit WCPropPageOVC(CQWandDevice* device);
    ~WCPropPageOVC() override;
    enum { IDD = IDD_PROPPAGE_OVC };

    void OnTrackerConnected();
    void OnTrackerDisconnecting();
    // The camera sink hands each image over: a complete BMP file of `size` bytes.
    void ShowImage(const BYTE* bytes, size_t size);

    // Members, in the order of the page's data model.
    BOOL m_running = FALSE;
    WCOverViewCameraEventSink* m_sink = nullptr;
    bool m_initialized = false;
    CQWandDevice* m_device;
    DWORD m_cookie = 0;
    ComPtr<IDispatch> m_sinkDisp;
    CWnd* m_picture = nullptr;

protected:
    BOOL OnInitDialog() override;
    afx_msg void OnStartOvc();
    afx_msg void OnStopOvc();
    afx_msg void OnShowDialog();
    afx_msg void OnClearAllRegions();
    afx_msg void OnDefineSixSidedRegions();
    afx_msg void OnScan();
    DECLARE_MESSAGE_MAP()

private:
    bool IsCameraAvailable();
    ComPtr<tracker::OverviewCameraStream> CameraStream();
    void ConnectImageEvents();
    void DisconnectImageEvents();
    ComPtr<tracker::AreaScanProfile> FindAreaScanProfile();
    ComPtr<tracker::Target> FindScanTarget();
    void DefineSixSidedRegions(tracker::AreaScanProfile* profile);
    void AddSixSidedRegion(tracker::ScanRegion* region, double radius, double centre1,
                           double centre2, double level);
};
