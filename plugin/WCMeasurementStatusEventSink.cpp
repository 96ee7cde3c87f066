#include "plugin/WCMeasurementStatusEventSink.h"

#include "interfaces/tracker.h"

IMPLEMENT_DYNAMIC(WCMeasurementStatusEventSink, CCmdTarget)

WCMeasurementStatusEventSink::WCMeasurementStatusEventSink(CQWandDevice* owner) : m_owner(owner) {
    EnableAutomation();
}
WCMeasurementStatusEventSink::~WCMeasurementStatusEventSink() = default;
void WCMeasurementStatusEventSink::OnFinalRelease() {
    CCmdTarget::OnFinalRelease();
}

BEGIN_DISPATCH_MAP(WCMeasurementStatusEventSink, CCmdTarget)
DISP_FUNCTION(WCMeasurementStatusEventSink, "Changed", Changed, VT_EMPTY, VTS_DISPATCH VTS_I4)
END_DISPATCH_MAP()

BEGIN_INTERFACE_MAP(WCMeasurementStatusEventSink, CCmdTarget)
INTERFACE_PART(WCMeasurementStatusEventSink, tracker::IID_MeasurementStatusEvents, Dispatch)
END_INTERFACE_MAP()

void WCMeasurementStatusEventSink::Changed(IDispatch*, LONG) {}
