#include "plugin/WCOverViewCameraEventSink.h"

#include "interfaces/tracker.h"
#include "plugin/CQWandDevice.h"
#include "toolsheet/WCPropPageOVC.h"

IMPLEMENT_DYNAMIC(WCOverViewCameraEventSink, CCmdTarget)

WCOverViewCameraEventSink::WCOverViewCameraEventSink(CQWandDevice* owner) : m_owner(owner) {
    EnableAutomation();
}
WCOverViewCameraEventSink::~WCOverViewCameraEventSink() = default;
void WCOverViewCameraEventSink::OnFinalRelease() {
    CCmdTarget::OnFinalRelease();
}

BEGIN_DISPATCH_MAP(WCOverViewCameraEventSink, CCmdTarget)
DISP_FUNCTION(WCOverViewCameraEventSink, "ImageArrived", ImageArrived, VT_EMPTY,
              VTS_DISPATCH VTS_VARIANT VTS_DISPATCH)
END_DISPATCH_MAP()

BEGIN_INTERFACE_MAP(WCOverViewCameraEventSink, CCmdTarget)
INTERFACE_PART(WCOverViewCameraEventSink, tracker::IID_OverviewCameraEvents, Dispatch)
END_INTERFACE_MAP()

// The image is a complete BMP file in a safe array of bytes held by reference.
void WCOverViewCameraEventSink::ImageArrived(IDispatch*, const VARIANT& image, IDispatch*) {
    if (!m_owner || !m_owner->m_ovcPage)
        return;
    if (image.vt != (VT_BYREF | VT_ARRAY | VT_UI1) || !image.pparray || !*image.pparray)
        return;
    SAFEARRAY* bytes = *image.pparray;
    void* data = nullptr;
    if (FAILED(SafeArrayAccessData(bytes, &data)))
        return;
    // The page never reads past the array's own extent.
    LONG lower = 0, upper = -1;
    size_t size = 0;
    if (SafeArrayGetDim(bytes) == 1 && SUCCEEDED(SafeArrayGetLBound(bytes, 1, &lower)) &&
        SUCCEEDED(SafeArrayGetUBound(bytes, 1, &upper)) && upper >= lower)
        size = static_cast<size_t>(upper - lower + 1) * SafeArrayGetElemsize(bytes);
    if (m_owner->m_connected)
        m_owner->m_ovcPage->ShowImage(static_cast<const BYTE*>(data), size);
    SafeArrayUnaccessData(bytes);
}
