// Receives the inclination sensor's events for the inclination page.
#pragma once

#include "platform/com/cmdtarget.h"

class CQWandDevice;

class WCInclinationEventSink : public CCmdTarget {
    DECLARE_DYNAMIC(WCInclinationEventSink)
public:
    explicit WCInclinationEventSink(CQWandDevice* owner);
    ~WCInclinationEventSink() override;
    void OnFinalRelease() override;

    CQWandDevice* m_owner;

protected:
    void InclinationChanged(IDispatch* sender);
    void Changed(IDispatch* sender, VARIANT_BOOL value);
    void GetInclinationToGravityFinished(IDispatch* sender, IDispatch* result,
                                         IDispatch* exception);

    DECLARE_MESSAGE_MAP()
    DECLARE_DISPATCH_MAP()
    DECLARE_INTERFACE_MAP()
};
