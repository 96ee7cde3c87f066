// One connection to the tracker: connect by address, the post-connect and
// pre-disconnect steps, disconnect. Library failures are shown to the user.
#include "measurement/library_reads.h"
#include "platform/ui/afxwin.h"
#include "plugin/CQWandDevice.h"
#include "plugin/device_trace.h"
#include "platform/base/text.h"
#include "toolsheet/WCPropPageInclination.h"
#include "toolsheet/WCPropPageOVC.h"
#include "toolsheet/WCPropPagePositioning.h"
#include "toolsheet/WCPropPageSettings.h"
#include "toolsheet/page_support.h"

using namespace tracker;

namespace {

// Warns when the tracker's quick release is open; connecting goes on anyway.
void CheckQuickRelease(Tracker* device) {
    ComPtr<TrackerModel> model;
    const HRESULT hr = device->QueryInterface(IidOf<TrackerModel>(), model.PutVoid());
    if (hr == E_NOINTERFACE)
        return;
    ThrowIfFailed(hr);
    ComPtr<BoolState> quickRelease = Read(model, &TrackerModel::get_QuickRelease);
    if (!quickRelease)
        return;
    VARIANT_BOOL closed = VARIANT_TRUE;
    ThrowIfFailed(quickRelease->get_Value(&closed));
    if (!closed) {
        QNTRACE("connect: the quick release is open");
        AfxMessageBox(TEXT("Quick Release Open"), MB_OK | MB_ICONEXCLAMATION);
    }
}

} // namespace

bool CQWandDevice::Connect(const WCHAR* address) {
    if (m_connected && !Disconnect())
        return false;

    // An unregistered or broken library fails here without a message of its own.
    QNTRACE("connect: creating the tracker library's connection object");
    ComPtr<IUnknown> unknown;
    HRESULT hr = CoCreateInstance(CLSID_TrackerConnection, nullptr,
                                  CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER |
                                      CLSCTX_LOCAL_SERVER | CLSCTX_REMOTE_SERVER,
                                  IID_IUnknown, unknown.PutVoid());
    if (FAILED(hr) || !unknown) {
        QNTRACE("connect failed: CoCreateInstance of the connection class: %s",
                DescribeFailure(FAILED(hr) ? hr : E_POINTER).c_str());
        return false;
    }
    hr = OleRun(unknown.Get());
    if (FAILED(hr)) {
        QNTRACE("connect failed: OleRun: %s", DescribeFailure(hr).c_str());
        return false;
    }
    ComPtr<TrackerConnection> connection;
    hr = unknown.As(connection);
    if (FAILED(hr) || !connection) {
        QNTRACE("connect failed: the object is no TrackerConnection: %s",
                DescribeFailure(FAILED(hr) ? hr : E_POINTER).c_str());
        return false;
    }
    unknown.Reset();

    try {
        ComBstr text(address);
        if (address && !text.Get())
            throw ComError(E_OUTOFMEMORY, TEXT("Out of memory"));
        QNTRACE("connect: connecting to \"%s\"", platform::Utf8FromWide(address).c_str());
        ComPtr<Tracker> connected;
        ThrowIfFailed(connection->Connect(text.Get(), connected.Put()));
        ThrowIfNull(connected);
        m_tracker = connected;
    } catch (const ComError& error) {
        ShowLibraryError(error);
        return false;
    }
    try {
        CheckQuickRelease(m_tracker.Get());
        OnConnected();
    } catch (const ComError& error) {
        ShowLibraryError(error);
        return false;
    }
    m_connected = true;
    m_state = 1;
    QNTRACE("connect: connected, sinks advised");
    return true;
}

void CQWandDevice::OnConnected() {
    if (m_profilesPage)
        m_profilesPage->OnTrackerConnected();
    if (m_ovcPage)
        m_ovcPage->OnTrackerConnected();
    if (m_inclinationPage)
        m_inclinationPage->OnTrackerConnected();
    if (m_positioningPage)
        m_positioningPage->OnTrackerConnected();

    AdviseSinks();

    ComPtr<OverviewCamera> camera = Read(m_tracker, &Tracker::get_OverviewCamera);
    if (!camera)
        return;
    ThrowIfFailed(camera->put_Switch1(1));
    ThrowIfFailed(camera->put_Switch2(0));
}

bool CQWandDevice::Disconnect() {
    if (!m_connected)
        return true;
    QNTRACE("disconnect");
    try {
        if (m_tracker)
            ThrowIfFailed(m_tracker->Disconnect());
        OnDisconnecting();
    } catch (const ComError& error) {
        ShowLibraryError(error);
        return false;
    }
    m_connected = false;
    m_state = 0;
    QNTRACE("disconnect: disconnected");
    return true;
}

void CQWandDevice::OnDisconnecting() {
    if (m_profilesPage)
        m_profilesPage->OnTrackerDisconnecting();
    if (m_ovcPage)
        m_ovcPage->OnTrackerDisconnecting();
    if (m_inclinationPage)
        m_inclinationPage->OnTrackerDisconnecting();
    UnadviseSinks();
    ResetTrackerReferences();
}

void CQWandDevice::ResetTrackerReferences() {
    m_tracker.Reset();
    m_probeButtonTrigger.Reset();
    m_stableProbingTrigger.Reset();
    DestroySinks(); // normally destroyed already by UnadviseSinks
}
