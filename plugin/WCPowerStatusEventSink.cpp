#include "plugin/WCPowerStatusEventSink.h"

#include "interfaces/tracker.h"
#include "plugin/CQWandDevice.h"
#include "toolsheet/WCPropPageSettings.h"
#include "toolsheet/page_support.h"

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

// Before the page exists, before its window was initialised and after it
// was destroyed, an event changes nothing. A library failure while the page
// reads the new state is shown like the page's own (a sink must not throw).
void WCPowerStatusEventSink::LevelChanged(IDispatch*, double) {
    if (!m_owner || !m_owner->m_profilesPage)
        return;
    try {
        m_owner->m_profilesPage->UpdatePowerStatus();
    } catch (const ComError& error) {
        ShowLibraryError(error);
    }
}

void WCPowerStatusEventSink::SourceChanged(IDispatch*, LONG) {
    LevelChanged(nullptr, 0);
}
