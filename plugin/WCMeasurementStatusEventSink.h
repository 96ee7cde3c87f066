// Receives the changes of the measurement status (nothing to do with them).
#pragma once

#include "platform/com/cmdtarget.h"

class CQWandDevice;

class WCMeasurementStatusEventSink : public CCmdTarget {
    DECLARE_DYNAMIC(WCMeasurementStatusEventSink)
public:
    explicit WCMeasurementStatusEventSink(CQWandDevice* owner);
    ~WCMeasurementStatusEventSink() override;
    void OnFinalRelease() override;

    CQWandDevice* m_owner;

protected:
    void Changed(IDispatch* sender, LONG status);
    DECLARE_MESSAGE_MAP()
    DECLARE_DISPATCH_MAP()
    DECLARE_INTERFACE_MAP()
};
