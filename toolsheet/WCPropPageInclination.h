// The "Inclination Sensor" page of the tool sheet: orienting the tracker to
// gravity, the inclination switch, monitoring the inclination and single
// inclination measurements.
#pragma once

#include "interfaces/tracker.h"
#include "platform/com/com_ptr.h"
#include "platform/ui/afxwin.h"
#include "resources/resource.h"

class CQWandDevice;
class WCInclinationEventSink;

class WCPropPageInclination : public CPropertyPage {
public:
    explicit WCPropPageInclination(CQWandDevice* device);
    ~WCPropPageInclination() override;
    enum { IDD = IDD_PROPPAGE_INCLINATION };

    // The stored switch state and monitoring values, read at the first
    // initialisation; the values are sent to the sensor.
    void LoadSettings();
    void SaveSettings();
    void OnTrackerConnected();
    void OnTrackerDisconnecting();
    // Event handlers of the inclination sink. A library error raised while
    // they read goes back to the library as the event call's error.
    void ShowCurrentInclination();
    void OnSwitchChanged(IDispatch* sender);
    // The end of an asynchronous orient to gravity: its error, if any, is
    // shown even when the device has no inclination page.
    static void OnOrientToGravityFinished(CQWandDevice* device, IDispatch* exception);
    void ShowInclinationToGravity();

    // Members, in the order of the page's data model.
    WCInclinationEventSink* m_sink = nullptr;
    CQWandDevice* m_device;
    bool m_orientBusy = false;
    BOOL m_initialized = FALSE;
    bool m_loading = false; // the stored texts are being put into the edits
    ComPtr<IDispatch> m_sinkDisp;
    DWORD m_cookies[4] = {};
    CButton m_useOTG;
    CEdit m_threshold;
    CEdit m_interval;
    CStatic m_gravityRotX;
    CStatic m_gravityRotXUnit;
    CStatic m_gravityRotY;
    CStatic m_gravityRotYUnit;
    CStatic m_currentRotX;
    CStatic m_currentRotY;
    CStatic m_currentRotXUnit;
    CStatic m_currentRotYUnit;
    CStatic m_measuredRotX;
    CStatic m_measuredRotY;
    CStatic m_measuredRotXUnit;
    CStatic m_measuredRotYUnit;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    afx_msg void OnStartMonitoring();
    afx_msg void OnStopMonitoring();
    afx_msg void OnResetMonitoring();
    afx_msg void OnOrientSynchron();
    afx_msg void OnOrientAsynchron();
    afx_msg void OnMeasure();
    afx_msg void OnUseInclinationClicked();
    afx_msg void OnIntervalChanged();
    afx_msg void OnThresholdChanged();
    DECLARE_MESSAGE_MAP()

private:
    ComPtr<tracker::InclinationSensor> Sensor();
    bool IsSensorAvailable(bool needSwitch, bool needMonitoring);
    void ConnectEvents();
    void DisconnectEvents();
    void SyncInclinationSwitch();
    void ApplyInterval();
    void ApplyThreshold();
    void SetMonitoring(VARIANT_BOOL on);
};
