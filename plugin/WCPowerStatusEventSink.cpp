#include "plugin/WCPowerStatusEventSink.h"

#include "interfaces/tracker.h"
#include "plugin/CQWandDevice.h"
#include "toolsheet/WCPropPageSettings.h"

IMPLEMENT_DYNAMIC(WCPowerStatusEventSink, CCmdTarget)

WCPowerStatusEventSink::WCPowerStatusEventSink(CQWandDevice* owner) : m_owner(owner) {
    EnableAutomation();
}
WCPowerStatusEventSink::~WCPowerStatusEventSink() = default;
void WCPowerStatusEventSink::OnFinalRelease() {
    CCmdTarget::OnFinalRelease();
}

// Both entries are named "Changed"; a lookup by name answers the first.
BEGIN_DISPATCH_MAP(WCPowerStatusEventSink, CCmdTarget)
DISP_FUNCTION(WCPowerStatusEventSink, "Changed", LevelChanged, VT_EMPTY, VTS_DISPATCH VTS_R8)
DISP_FUNCTION(WCPowerStatusEventSink, "Changed", SourceChanged, VT_EMPTY, VTS_DISPATCH VTS_I4)
END_DISPATCH_MAP()

BEGIN_INTERFACE_MAP(WCPowerStatusEventSink, CCmdTarget)
INTERFACE_PART(WCPowerStatusEventSink, tracker::IID_PowerLevelEvents, Dispatch)
INTERFACE_PART(WCPowerStatusEventSink, tracker::IID_PowerSourceEvents, Dispatch)
END_INTERFACE_MAP()

void WCPowerStatusEventSink::LevelChanged(IDispatch*, double) {
    if (m_owner && m_owner->m_profilesPage)
        m_owner->m_profilesPage->UpdatePowerStatus();
}

void WCPowerStatusEventSink::SourceChanged(IDispatch*, LONG) {
    LevelChanged(nullptr, 0);
}
