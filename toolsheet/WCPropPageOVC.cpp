// The camera page's life with the tracker connection, its live images and
// its camera buttons.
#include "toolsheet/WCPropPageOVC.h"

#include "measurement/library_reads.h"
#include "platform/com/connection_advise.h"
#include "plugin/CQWandDevice.h"
#include "plugin/WCOverViewCameraEventSink.h"
#include "plugin/sink_lifetime.h"
#include "toolsheet/bmp_file_parts.h"
#include "toolsheet/gdi_handles.h"
#include "toolsheet/page_support.h"

using namespace tracker;

WCPropPageOVC::WCPropPageOVC(CQWandDevice* device) : CPropertyPage(IDD), m_device(device) {}

// A page deleted with its image events still connected (a failed
// disconnect) cuts its sink off, so no image reaches a deleted page.
WCPropPageOVC::~WCPropPageOVC() {
    if (!m_sink)
        return;
    if (m_device && m_device->m_tracker) {
        ComPtr<OverviewCameraStream> stream;
        if (SUCCEEDED(m_device->m_tracker->get_OverviewCameraStream(stream.Put())) && stream)
            AfxConnectionUnadvise(stream.Get(), IID_OverviewCameraEvents, m_sinkDisp.Get(), TRUE,
                                  m_cookie);
    }
    m_sinkDisp.Reset();
    DestroySink(m_sink);
}

BEGIN_MESSAGE_MAP(WCPropPageOVC, CPropertyPage)
ON_BN_CLICKED(IDC_OVC_START, &WCPropPageOVC::OnStartOvc)
ON_BN_CLICKED(IDC_OVC_STOP, &WCPropPageOVC::OnStopOvc)
ON_BN_CLICKED(IDC_OVC_SHOW_DIALOG, &WCPropPageOVC::OnShowDialog)
ON_BN_CLICKED(IDC_OVC_DEFINE_BY_HAND, &WCPropPageOVC::OnShowDialog)
ON_BN_CLICKED(IDC_OVC_CLEAR_REGIONS, &WCPropPageOVC::OnClearAllRegions)
ON_BN_CLICKED(IDC_OVC_DEFINE_SIX_SIDED_REGIONS, &WCPropPageOVC::OnDefineSixSidedRegions)
ON_BN_CLICKED(IDC_OVC_SCAN, &WCPropPageOVC::OnScan)
END_MESSAGE_MAP()

// The tracker's camera stream; null without a tracker or stream.
ComPtr<OverviewCameraStream> WCPropPageOVC::CameraStream() {
    if (!m_device || !m_device->m_tracker)
        return nullptr;
    return Read(m_device->m_tracker, &Tracker::get_OverviewCameraStream);
}

bool WCPropPageOVC::IsCameraAvailable() {
    return m_initialized && CameraStream();
}

BOOL WCPropPageOVC::OnInitDialog() {
    CPropertyPage::OnInitDialog();
    if (m_initialized)
        return TRUE;
    m_initialized = true;
    try {
        if (CameraStream())
            ConnectImageEvents();
    } catch (const ComError& error) {
        ShowLibraryError(error);
    }
    return TRUE;
}

void WCPropPageOVC::ConnectImageEvents() {
    ComPtr<OverviewCameraStream> stream =
        Require(m_device->m_tracker, &Tracker::get_OverviewCameraStream);
    if (m_sink) // a connect without a disconnect before it
        DisconnectImageEvents();
    m_sink = new WCOverViewCameraEventSink(m_device);
    m_sinkDisp = ComPtr<IDispatch>::Attach(m_sink->GetIDispatch(TRUE));
    AfxConnectionAdvise(stream.Get(), IID_OverviewCameraEvents, m_sinkDisp.Get(), TRUE, &m_cookie);
}

void WCPropPageOVC::DisconnectImageEvents() {
    if (!m_sink)
        return;
    if (ComPtr<OverviewCameraStream> stream = CameraStream())
        AfxConnectionUnadvise(stream.Get(), IID_OverviewCameraEvents, m_sinkDisp.Get(), TRUE,
                              m_cookie);
    m_sinkDisp.Reset();
    DestroySink(m_sink);
    m_cookie = 0;
}

void WCPropPageOVC::OnTrackerConnected() {
    if (IsCameraAvailable())
        ConnectImageEvents();
}

void WCPropPageOVC::OnTrackerDisconnecting() {
    if (!IsCameraAvailable())
        return;
    DisconnectImageEvents();
    m_picture = nullptr;
}

void WCPropPageOVC::ShowImage(const BYTE* bytes, size_t size) {
    if (!m_initialized || !m_running)
        return;
    m_picture = GetDlgItem(IDC_OVC_IMAGE);
    if (!m_picture)
        return;
    const GdiBitmap bitmap = BitmapFromBmpFile(bytes, size);
    if (!bitmap)
        return;
    m_picture->SendMessage(STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap.Get()));
}

void WCPropPageOVC::OnStartOvc() {
    try {
        if (!IsCameraAvailable())
            return;
        m_running = TRUE;
        ThrowIfFailed(Require(m_device->m_tracker, &Tracker::get_OverviewCameraStream)->Start());
    } catch (const ComError& error) {
        ShowLibraryError(error);
    }
}

void WCPropPageOVC::OnStopOvc() {
    try {
        if (!IsCameraAvailable())
            return;
        m_running = FALSE;
        ThrowIfFailed(Require(m_device->m_tracker, &Tracker::get_OverviewCameraStream)->Stop());
    } catch (const ComError& error) {
        ShowLibraryError(error);
    }
}

void WCPropPageOVC::OnShowDialog() {
    try {
        if (!IsCameraAvailable() || m_running)
            return;
        ComPtr<OverviewCameraStream> stream =
            Require(m_device->m_tracker, &Tracker::get_OverviewCameraStream);
        ComPtr<OverviewCameraDialog> dialog = Require(stream, &OverviewCameraStream::get_Dialog);
        ThrowIfFailed(dialog->Show());
    } catch (const ComError& error) {
        ShowLibraryError(error);
    }
}
