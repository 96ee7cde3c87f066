// The "Profiles" page of the tool sheet: the tracker's selectable
// targets, its measurement profiles with their separations and accuracies,
// and its power source and level.
#pragma once

#include "interfaces/tracker.h"
#include "platform/com/com_ptr.h"
#include "platform/ui/afxwin.h"
#include "resources/resource.h"

class CQWandDevice;
class WCPowerStatusEventSink;

// The accuracy coding of both radio groups: index 0 "Fast", 1 "Standard",
// 2 "Precise" is the tracker's accuracy 2, 1, 0. False (nothing written)
// for an index or accuracy outside 0 to 2.
bool TrackerAccuracyOfIndex(int index, LONG& accuracy);
bool IndexOfTrackerAccuracy(LONG accuracy, int& index);

class WCPropPageSettings : public CPropertyPage {
public:
    explicit WCPropPageSettings(CQWandDevice* device);
    ~WCPropPageSettings() override;
    enum { IDD = IDD_PROPPAGE_PROFILES };

    // The stored values, applied to the tracker; run once, at the first
    // initialisation.
    void LoadSettings();
    // Writes the persisted values when the page was ever initialised.
    void SaveSettings();
    // Fills the page from the tracker and subscribes to its power status.
    // Library errors go to the caller.
    void OnTrackerConnected();
    // Ends the power status subscription. Library errors go to the caller.
    void OnTrackerDisconnecting();
    // The power sink's handler: refreshes the power source and level labels.
    // Library errors go to the caller.
    void UpdatePowerStatus();

    // ---- members, in the order of the Part's data model --------------------
    bool m_initialized = false;
    CQWandDevice* m_device;
    ComPtr<IDispatch> m_powerStatusSinkDisp;
    WCPowerStatusEventSink* m_powerStatusSink = nullptr;
    DWORD m_powerSourceCookie = 0;
    DWORD m_powerLevelCookie = 0;
    CComboBox m_cbProfileList;
    CEdit m_TimeSeperation;
    CEdit m_DistanceSeperation;
    int m_rbFast = 0;     // stationary accuracy, radio index
    int m_rbScanFast = 0; // area-scan accuracy, radio index
    CComboBox m_cbTargetList;
    CStatic m_lblTimeUnit;
    CStatic m_lblDistanceUnit;
    CStatic m_lblPowerSource;
    CStatic m_lblPowerLevel;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    afx_msg void OnTargetSelected();
    afx_msg void OnProfileSelected();
    afx_msg void OnTimeSeparationChanged();
    afx_msg void OnDistanceSeparationChanged();
    afx_msg void OnStationaryAccuracyClicked();
    afx_msg void OnAreaScanAccuracyClicked();
    DECLARE_MESSAGE_MAP()

private:
    enum class ProfileKind {
        None,
        Stationary,
        AreaScan,
        ContinuousTime,
        ContinuousDistance,
        Other
    };
    enum class AccuracyGroup { Stationary, AreaScan };

    // The tracker when the page may talk to it: initialised, with a device
    // and a connected tracker; null otherwise.
    tracker::Tracker* ConnectedTracker() const;
    // The profile collection of the tracker's measurement object; null when
    // either is missing.
    ComPtr<tracker::MeasurementProfileCollection> Profiles() const;
    static ProfileKind KindOf(tracker::MeasurementProfile* profile);
    // The first profile of the kind; null when there is none.
    static ComPtr<tracker::MeasurementProfile>
    FirstProfileOf(tracker::MeasurementProfileCollection* profiles, ProfileKind kind);

    // The profile a separation edit belongs to, with the edit's text in `text`;
    // null when not connected, the edit is empty or there is no such profile.
    ComPtr<tracker::MeasurementProfile> SeparationProfile(CEdit& edit, ProfileKind kind,
                                                          CString& text);
    void ApplyTimeSeparation();
    void ApplyAccuracy(AccuracyGroup group, bool force);
    void SubscribeToPowerStatus();
    void DestroyPowerStatusSink();
};
