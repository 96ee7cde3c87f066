// Receives the target collection's events; target positions feed the host's live stream.
#pragma once

#include "platform/com/cmdtarget.h"

class CQWandDevice;

class WCTargetCollectionEventSink : public CCmdTarget {
    DECLARE_DYNAMIC(WCTargetCollectionEventSink)
public:
    explicit WCTargetCollectionEventSink(CQWandDevice* owner);
    ~WCTargetCollectionEventSink() override;
    void OnFinalRelease() override;

    CQWandDevice* m_owner;

protected:
    void SelectedChanged(IDispatch* sender, IDispatch* target);
    void PreSelectedChanged(IDispatch* sender, IDispatch* target);
    void TargetPositionChanged(IDispatch* sender, IDispatch* sample);
    void ActiveTipChanged(IDispatch* sender, IDispatch* tip);
    DECLARE_MESSAGE_MAP()
    DECLARE_DISPATCH_MAP()
    DECLARE_INTERFACE_MAP()
};
