#include "plugin/WCMeasurementEventSink.h"

#include "interfaces/tracker.h"
#include "plugin/CQWandDevice.h"

IMPLEMENT_DYNAMIC(WCMeasurementEventSink, CCmdTarget)

WCMeasurementEventSink::WCMeasurementEventSink(CQWandDevice* owner) : m_owner(owner) {
    EnableAutomation();
}
WCMeasurementEventSink::~WCMeasurementEventSink() = default;
void WCMeasurementEventSink::OnFinalRelease() {
    CCmdTarget::OnFinalRelease();
}

BEGIN_DISPATCH_MAP(WCMeasurementEventSink, CCmdTarget)
DISP_FUNCTION(WCMeasurementEventSink, "MeasurementArrived", MeasurementArrived, VT_EMPTY,
              VTS_DISPATCH VTS_DISPATCH VTS_DISPATCH)
DISP_FUNCTION(WCMeasurementEventSink, "Changed", Changed, VT_EMPTY, VTS_DISPATCH)
END_DISPATCH_MAP()

BEGIN_INTERFACE_MAP(WCMeasurementEventSink, CCmdTarget)
INTERFACE_PART(WCMeasurementEventSink, tracker::IID_DetailChangedEvents, Dispatch)
INTERFACE_PART(WCMeasurementEventSink, tracker::IID_MeasurementEvents, Dispatch)
END_INTERFACE_MAP()

void WCMeasurementEventSink::MeasurementArrived(IDispatch*, IDispatch* measurements, IDispatch*) {
    if (m_owner)
        m_owner->OnMeasurementArrived(measurements);
}

void WCMeasurementEventSink::Changed(IDispatch*) {}
