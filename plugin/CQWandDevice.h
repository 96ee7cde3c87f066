// The device object: the one object behind the host's exports. It owns the
// tracker reference, the event sinks, the tool sheet and its pages, the last
// posted frame and the metadata template.
#pragma once

#include "interfaces/tracker.h"
#include "interfaces/zdevice.h"
#include "measurement/scan_records.h"
#include "platform/com/com_ptr.h"

#include <cstdint>
#include <memory>

class CQNZUDeviceOrlanProbeSettingDlg;
class WCPropPageSettings;
class WCPropPageOVC;
class WCPropPagePositioning;
class WCPropPageInclination;
class CSampleSheet;
class WCTrackerEventSink;
class WCMeasurementEventSink;
class WCMeasurementStatusEventSink;
class WCTargetCollectionEventSink;
class WCTriggerCollectionEventSink;

// The display name of the device: the host's name for it, the metadata's
// device name and the registry key of its settings.
inline constexpr char kDeviceName[] = "Orlan Q-Wand";
inline constexpr WCHAR kDeviceKeyName[] = TEXT("Orlan Q-Wand");

// Exact equality of two library strings; null equals null or empty.
bool SameBstr(BSTR a, BSTR b);

class CQWandDevice {
public:
    CQWandDevice();
    ~CQWandDevice();
    CQWandDevice(const CQWandDevice&) = delete;
    CQWandDevice& operator=(const CQWandDevice&) = delete;

    // ---- host exports ----------------------------------------------------
    int Open(void* hostValue);
    int Close();
    int SelectProbe();
    uint32_t GetProbeAcqMode() const { return m_acqMode; }
    void SetProbeAcqMode(uint32_t mode);
    int StartProbeMeasure();
    int StopProbeMeasure();
    // Probe size of the selected target into *out; 1 when found.
    int GetProbeSize(double* out);

    // ---- tracker connection ----------------------------------------------
    bool Connect(const WCHAR* address);
    bool Disconnect();
    void OnConnected();
    void OnDisconnecting();
    void ResetTrackerReferences();

    // ---- event sinks -----------------------------------------------------
    void AdviseSinks();
    void UnadviseSinks();
    // Destroys whatever sinks exist (leftovers of a failed connect or disconnect).
    void DestroySinks();

    // ---- tool sheet ------------------------------------------------------
    bool BuildToolSheet();
    void DestroyToolSheet();

    // ---- measuring -------------------------------------------------------
    bool MeasureSinglePoint();
    bool StartContinuousMeasurement();
    bool StopContinuousMeasurement();
    void RefreshMetaTemplate();
    void OnMeasurementArrived(IDispatch* measurements);
    void OnMeasurement(tracker::Measurement* measurement);
    void OnTargetPosition(IDispatch* sample);
    // Builds the frame and record for one sample (point, then direction when
    // hasDirection) and posts it to the host.
    void BuildAndPostRecord(ZDEV_MESSAGE_TYPE type, const double* sample, bool hasDirection,
                            double rms, double reading1, double reading2, double reading3);
    void FillMetaData(ZDEV_META_DATA& meta, double rms, double reading1, double reading2,
                      double reading3);
    double CurrentDistanceTolerance() const;
    // Allocates a record, builds its frame from the sample and copies the frame
    // into m_lastFrame.
    ScanRecord BuildRecordFrame(const double* sample, bool hasDirection);
    // Re-posts m_lastFrame with the given message type while probing.
    void PostLastFrame(ZDEV_MESSAGE_TYPE type);

    // ---- probe buttons and host commands ----------------------------------
    void OnTriggerHappened(IDispatch* sender, IDispatch* arguments);
    bool OnButtonPressed(int index);
    bool OnButtonReleased(int index);
    void PostConfirm();
    void PostCancel();

    // ---- members, in the order of the device's data model -----------------
    std::unique_ptr<CQNZUDeviceOrlanProbeSettingDlg> m_settingsDlg;
    std::unique_ptr<WCPropPageSettings> m_profilesPage;
    std::unique_ptr<WCPropPageOVC> m_ovcPage;
    std::unique_ptr<WCPropPagePositioning> m_positioningPage;
    std::unique_ptr<WCPropPageInclination> m_inclinationPage;
    DWORD m_adviseCookies[7] = {};
    ComPtr<tracker::Tracker> m_tracker;
    ComPtr<tracker::ProbeButtonTrigger> m_probeButtonTrigger;
    ComPtr<tracker::StableProbingTrigger> m_stableProbingTrigger;
    WCTrackerEventSink* m_trackerSink = nullptr;
    WCMeasurementEventSink* m_measurementSink = nullptr;
    WCMeasurementStatusEventSink* m_measurementStatusSink = nullptr;
    WCTargetCollectionEventSink* m_targetCollectionSink = nullptr;
    WCTriggerCollectionEventSink* m_triggerCollectionSink = nullptr;
    ComPtr<IDispatch> m_trackerSinkDisp;
    ComPtr<IDispatch> m_measurementSinkDisp;
    ComPtr<IDispatch> m_measurementStatusSinkDisp;
    ComPtr<IDispatch> m_targetCollectionSinkDisp;
    ComPtr<IDispatch> m_triggerCollectionSinkDisp;
    std::unique_ptr<CSampleSheet> m_toolSheet;
    uint32_t m_state = 0;
    double m_upDirection[3] = {0, 0, 1};
    double m_lastFrame[16] = {};
    bool m_connected = false;
    bool m_continuousRunning = false;
    ZDEV_META_DATA m_metaTemplate;
    uint32_t m_acqMode = 0;

private:
    void Unload();
    void DeletePages();
};
