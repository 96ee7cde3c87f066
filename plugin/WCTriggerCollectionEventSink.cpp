#include "plugin/WCTriggerCollectionEventSink.h"

#include "interfaces/tracker.h"
#include "plugin/CQWandDevice.h"

IMPLEMENT_DYNAMIC(WCTriggerCollectionEventSink, CCmdTarget)

WCTriggerCollectionEventSink::WCTriggerCollectionEventSink(CQWandDevice* owner) : m_owner(owner) {
    EnableAutomation();
}
WCTriggerCollectionEventSink::~WCTriggerCollectionEventSink() = default;
void WCTriggerCollectionEventSink::OnFinalRelease() {
    CCmdTarget::OnFinalRelease();
}

BEGIN_DISPATCH_MAP(WCTriggerCollectionEventSink, CCmdTarget)
DISP_FUNCTION(WCTriggerCollectionEventSink, "TriggerHappened", TriggerHappened, VT_EMPTY,
              VTS_DISPATCH VTS_DISPATCH)
END_DISPATCH_MAP()

BEGIN_INTERFACE_MAP(WCTriggerCollectionEventSink, CCmdTarget)
INTERFACE_PART(WCTriggerCollectionEventSink, tracker::IID_TriggerCollectionEvents, Dispatch)
END_INTERFACE_MAP()

void WCTriggerCollectionEventSink::TriggerHappened(IDispatch* sender, IDispatch* arguments) {
    if (!m_owner || !sender)
        return;
    m_owner->OnTriggerHappened(sender, arguments);
}
