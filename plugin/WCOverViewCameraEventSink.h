// Receives the overview camera's images for the camera page.
#pragma once

#include "platform/com/cmdtarget.h"

class CQWandDevice;

class WCOverViewCameraEventSink : public CCmdTarget {
    DECLARE_DYNAMIC(WCOverViewCameraEventSink)
public:
    explicit WCOverViewCameraEventSink(CQWandDevice* owner);
    ~WCOverViewCameraEventSink() override;
    void OnFinalRelease() override;

    CQWandDevice* m_owner;

protected:
    void ImageArrived(IDispatch* sender, const VARIANT& image, IDispatch* exception);

    DECLARE_MESSAGE_MAP()
    DECLARE_DISPATCH_MAP()
    DECLARE_INTERFACE_MAP()
};
