// Receives the power source's and power level's changes for the profiles page.
#pragma once

#include "platform/com/cmdtarget.h"

class CQWandDevice;

class WCPowerStatusEventSink : public CCmdTarget {
    DECLARE_DYNAMIC(WCPowerStatusEventSink)
public:
    explicit WCPowerStatusEventSink(CQWandDevice* owner);
    ~WCPowerStatusEventSink() override;
    void OnFinalRelease() override;

    CQWandDevice* m_owner;

protected:
    void LevelChanged(IDispatch* sender, double level);
    void SourceChanged(IDispatch* sender, LONG source);

    DECLARE_MESSAGE_MAP()
    DECLARE_DISPATCH_MAP()
    DECLARE_INTERFACE_MAP()
};
