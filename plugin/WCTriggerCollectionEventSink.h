// Receives the trigger collection's events: probe buttons and stable probing.
#pragma once

#include "platform/com/cmdtarget.h"

class CQWandDevice;

class WCTriggerCollectionEventSink : public CCmdTarget {
    DECLARE_DYNAMIC(WCTriggerCollectionEventSink)
public:
    explicit WCTriggerCollectionEventSink(CQWandDevice* owner);
    ~WCTriggerCollectionEventSink() override;
    void OnFinalRelease() override;

    CQWandDevice* m_owner;

protected:
    void TriggerHappened(IDispatch* sender, IDispatch* arguments);
    DECLARE_MESSAGE_MAP()
    DECLARE_DISPATCH_MAP()
    DECLARE_INTERFACE_MAP()
};
