// The "Positioning" page of the tool sheet: moving the tracker
// head, pointing it at typed values or a target, the reflector search, go
// and measure, and the result of the last measurement.
#pragma once

#include "interfaces/tracker.h"
#include "platform/ui/afxwin.h"
#include "resources/resource.h"

class CQWandDevice;

class WCPropPagePositioning : public CPropertyPage {
public:
    explicit WCPropPagePositioning(CQWandDevice* device);
    ~WCPropPagePositioning() override;
    enum { IDD = IDD_PROPPAGE_POSITIONING };

    // The speed slider's range and the stored speed and check boxes; run by
    // the first initialisation.
    void LoadSettings();
    // Writes the persisted values when the page was ever initialised.
    void SaveSettings();
    // Refills the target list from the connected tracker (FillTargetList).
    // Library errors go to the caller.
    void OnTrackerConnected();
    // The pages' shared hook; this page keeps nothing per connection.
    void OnTrackerDisconnecting() {}

    // Shows a measurement's values, measured target and time in the result
    // box (all empty for none). Library errors go to the caller.
    void ShowMeasurementResult(tracker::Measurement* measurement);
    // "name : number [ unit ]" ("%s : ", "%g", " [ %s ]"); E_POINTER for a
    // missing value object.
    static CString FormatValue(tracker::ScalarValue* value);

    // ---- members, in the order of the Part's data model --------------------
    CEdit m_PositionTo_Value1;
    CEdit m_PositionTo_Value2;
    CEdit m_PositionTo_Value3;
    CButton m_PositionTo_IsRelative;
    CButton m_PositionTo_SearchTarget;
    CStatic m_resultX;
    CStatic m_resultY;
    CStatic m_resultZ;
    CStatic m_resultRx;
    CStatic m_resultRy;
    CStatic m_resultRz;
    CStatic m_resultTarget;
    CStatic m_resultTimestamp;
    CSliderCtrl m_ctlSliderSpeed;
    LONG m_speed = 20;
    CComboBox m_cbTargetList;
    bool m_initialized = false;
    CQWandDevice* m_device;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnHScroll(UINT code, UINT pos, CScrollBar* scrollBar) override;
    afx_msg void OnMoveUp();
    afx_msg void OnMoveDown();
    afx_msg void OnMoveLeft();
    afx_msg void OnMoveRight();
    afx_msg void OnMoveStop();
    afx_msg void OnPositionTo();
    afx_msg void OnFindReflector();
    afx_msg void OnGoAndMeasure();
    afx_msg void OnGoAndMeasureKsr15();
    afx_msg void OnPositionToTarget();
    DECLARE_MESSAGE_MAP()

private:
    tracker::Tracker* ConnectedTracker() const;
    void FillTargetList();
    void Move(LONG horizontalSpeed, LONG verticalSpeed);
    // The three "Position To" values, each text as a number (0.0 when empty
    // or not a number).
    void ReadValues(double (&values)[3]) const;
    VARIANT_BOOL RelativeFlag() const;
    VARIANT_BOOL SearchFlag() const;
    // "Go And Measure" with the selected target, or with a "KSR 1.5in"
    // target made for the occasion.
    void GoAndMeasure(bool madeTarget);
};
