#include "plugin/WCInclinationEventSink.h"

#include "interfaces/tracker.h"
#include "plugin/CQWandDevice.h"
#include "toolsheet/WCPropPageInclination.h"

IMPLEMENT_DYNAMIC(WCInclinationEventSink, CCmdTarget)

WCInclinationEventSink::WCInclinationEventSink(CQWandDevice* owner) : m_owner(owner) {
    EnableAutomation();
}
WCInclinationEventSink::~WCInclinationEventSink() = default;
void WCInclinationEventSink::OnFinalRelease() {
    CCmdTarget::OnFinalRelease();
}

BEGIN_DISPATCH_MAP(WCInclinationEventSink, CCmdTarget)
DISP_FUNCTION(WCInclinationEventSink, "InclinationChanged", InclinationChanged, VT_EMPTY,
              VTS_DISPATCH)
DISP_FUNCTION(WCInclinationEventSink, "Changed", Changed, VT_EMPTY, VTS_DISPATCH VTS_BOOL)
DISP_FUNCTION(WCInclinationEventSink, "GetInclinationToGravityFinished",
              GetInclinationToGravityFinished, VT_EMPTY, VTS_DISPATCH VTS_DISPATCH VTS_DISPATCH)
END_DISPATCH_MAP()

BEGIN_INTERFACE_MAP(WCInclinationEventSink, CCmdTarget)
INTERFACE_PART(WCInclinationEventSink, tracker::IID_InclinationMonitoringEvents, Dispatch)
INTERFACE_PART(WCInclinationEventSink, tracker::IID_BoolChangedEvents, Dispatch)
INTERFACE_PART(WCInclinationEventSink, tracker::IID_SwitchChangedEvents, Dispatch)
INTERFACE_PART(WCInclinationEventSink, tracker::IID_InclinationSensorEvents, Dispatch)
END_INTERFACE_MAP()

void WCInclinationEventSink::InclinationChanged(IDispatch*) {
    if (m_owner && m_owner->m_inclinationPage)
        m_owner->m_inclinationPage->ShowCurrentInclination();
}

void WCInclinationEventSink::Changed(IDispatch* sender, VARIANT_BOOL) {
    if (m_owner && m_owner->m_inclinationPage)
        m_owner->m_inclinationPage->OnSwitchChanged(sender);
}

// The orient's error is shown whether or not the page is there.
void WCInclinationEventSink::GetInclinationToGravityFinished(IDispatch*, IDispatch*,
                                                             IDispatch* exception) {
    WCPropPageInclination::OnOrientToGravityFinished(m_owner, exception);
}
