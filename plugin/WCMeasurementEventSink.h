// Receives the measurements of the tracker's Measurements object and the changes of its status
// detail.
#pragma once

#include "platform/com/cmdtarget.h"

class CQWandDevice;

class WCMeasurementEventSink : public CCmdTarget {
    DECLARE_DYNAMIC(WCMeasurementEventSink)
public:
    explicit WCMeasurementEventSink(CQWandDevice* owner);
    ~WCMeasurementEventSink() override;
    void OnFinalRelease() override;

    CQWandDevice* m_owner;

protected:
    void MeasurementArrived(IDispatch* sender, IDispatch* measurements, IDispatch* exception);
    void Changed(IDispatch* sender);
    DECLARE_MESSAGE_MAP()
    DECLARE_DISPATCH_MAP()
    DECLARE_INTERFACE_MAP()
};
