// Receives the tracker's own messages and shows each in a message box.
#pragma once

#include "platform/com/cmdtarget.h"

class WCTrackerEventSink : public CCmdTarget {
    DECLARE_DYNAMIC(WCTrackerEventSink)
public:
    WCTrackerEventSink();
    ~WCTrackerEventSink() override;
    void OnFinalRelease() override;

    // The number of the error whose box is open; 0 when none.
    LONG m_lastErrorNumber = 0;

protected:
    void InformationArrived(IDispatch* sender, IDispatch* info);
    void ErrorArrived(IDispatch* sender, IDispatch* error);
    void WarningArrived(IDispatch* sender, IDispatch* warning);
    void InitializeFinished(IDispatch* sender, IDispatch* argument);

    DECLARE_MESSAGE_MAP()
    DECLARE_DISPATCH_MAP()
    DECLARE_INTERFACE_MAP()
};
