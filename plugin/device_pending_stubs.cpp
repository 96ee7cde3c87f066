// Temporary: the device operations that wait for the window framework.
#include "plugin/CQWandDevice.h"
#include "plugin/WCTrackerEventSink.h"

class CQNZUDeviceOrlanProbeSettingDlg {};
class WCPropPageSettings {};
class WCPropPageOVC {};
class WCPropPagePositioning {};
class WCPropPageInclination {};
class CSampleSheet {};

CQWandDevice::CQWandDevice() {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
}
CQWandDevice::~CQWandDevice() {
    CoUninitialize();
}
int CQWandDevice::Open(void*) {
    return 0;
}
int CQWandDevice::Close() {
    return 1;
}
int CQWandDevice::SelectProbe() {
    return 1;
}
int CQWandDevice::GetProbeSize(double*) {
    return 0;
}
void CQWandDevice::OnMeasurement(tracker::Measurement*) {}
void CQWandDevice::OnMeasurementArrived(IDispatch*) {}
void CQWandDevice::OnTriggerHappened(IDispatch*, IDispatch*) {}
WCTrackerEventSink::WCTrackerEventSink() {
    EnableAutomation();
}
WCTrackerEventSink::~WCTrackerEventSink() = default;
void WCTrackerEventSink::OnFinalRelease() {
    CCmdTarget::OnFinalRelease();
}
const AFX_DISPMAP* WCTrackerEventSink::GetDispatchMap() const {
    return nullptr;
}
const AFX_INTERFACEMAP* WCTrackerEventSink::GetInterfaceMap() const {
    return nullptr;
}
