#include "plugin/WCTargetCollectionEventSink.h"

#include "interfaces/tracker.h"
#include "plugin/CQWandDevice.h"

IMPLEMENT_DYNAMIC(WCTargetCollectionEventSink, CCmdTarget)

WCTargetCollectionEventSink::WCTargetCollectionEventSink(CQWandDevice* owner) : m_owner(owner) {
    EnableAutomation();
}
WCTargetCollectionEventSink::~WCTargetCollectionEventSink() = default;
void WCTargetCollectionEventSink::OnFinalRelease() {
    CCmdTarget::OnFinalRelease();
}

BEGIN_DISPATCH_MAP(WCTargetCollectionEventSink, CCmdTarget)
DISP_FUNCTION(WCTargetCollectionEventSink, "SelectedChanged", SelectedChanged, VT_EMPTY,
              VTS_DISPATCH VTS_DISPATCH)
DISP_FUNCTION(WCTargetCollectionEventSink, "PreSelectedChanged", PreSelectedChanged, VT_EMPTY,
              VTS_DISPATCH VTS_DISPATCH)
DISP_FUNCTION(WCTargetCollectionEventSink, "TargetPositionChanged", TargetPositionChanged, VT_EMPTY,
              VTS_DISPATCH VTS_DISPATCH)
DISP_FUNCTION(WCTargetCollectionEventSink, "ActiveTipChanged", ActiveTipChanged, VT_EMPTY,
              VTS_DISPATCH VTS_DISPATCH)
END_DISPATCH_MAP()

BEGIN_INTERFACE_MAP(WCTargetCollectionEventSink, CCmdTarget)
INTERFACE_PART(WCTargetCollectionEventSink, tracker::IID_TargetCollectionEvents, Dispatch)
END_INTERFACE_MAP()

void WCTargetCollectionEventSink::SelectedChanged(IDispatch*, IDispatch*) {}
void WCTargetCollectionEventSink::PreSelectedChanged(IDispatch*, IDispatch*) {}

void WCTargetCollectionEventSink::TargetPositionChanged(IDispatch*, IDispatch* sample) {
    if (m_owner)
        m_owner->OnTargetPosition(sample);
}

void WCTargetCollectionEventSink::ActiveTipChanged(IDispatch*, IDispatch*) {}
