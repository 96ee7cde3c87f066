// The device object's life: start-up at module load, Open and Close, and the
// teardown at unload.
#include "plugin/CQWandDevice.h"

#include "plugin/device_trace.h"
#include "platform/ui/afxwin.h"
#include "settings/CQNZUDeviceLTConnectDlg.h"
#include "settings/CQNZUDeviceOrlanProbeSettingDlg.h"
#include "toolsheet/CSampleSheet.h"
#include "toolsheet/WCPropPageInclination.h"
#include "toolsheet/WCPropPageOVC.h"
#include "toolsheet/WCPropPagePositioning.h"
#include "toolsheet/WCPropPageSettings.h"
#include "plugin/WCMeasurementEventSink.h"
#include "plugin/WCMeasurementStatusEventSink.h"
#include "plugin/WCTargetCollectionEventSink.h"
#include "plugin/WCTrackerEventSink.h"
#include "plugin/WCTriggerCollectionEventSink.h"

CQWandDevice::CQWandDevice() {
    // The loading thread is the module's one thread: its apartment carries
    // every call and every tracker event.
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
}

CQWandDevice::~CQWandDevice() {
    Unload();
}

void CQWandDevice::Unload() {
    if (m_state == 1 || m_state == 2) {
        if (Disconnect())
            DestroyToolSheet();
    } else if (m_toolSheet) {
        DestroyToolSheet(); // disconnected from the Main page: the pages still save
    }
    // Whatever a failed disconnect left is released while the apartment still
    // exists, so that no reference outlives the library behind it.
    DeletePages();
    DestroySinks();
    m_stableProbingTrigger.Reset();
    m_probeButtonTrigger.Reset();
    m_tracker.Reset();
    CoUninitialize();
    StopTraceFromRegistry();
}

void CQWandDevice::DeletePages() {
    m_settingsDlg.reset();
    m_profilesPage.reset();
    m_positioningPage.reset();
    m_ovcPage.reset();
    m_inclinationPage.reset();
    m_toolSheet.reset();
}

int CQWandDevice::Open(void*) {
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    StartTraceFromRegistry();
    if (m_state == 1 || m_state == 2) {
        QNTRACE("Open: already connected");
        return 1;
    }
    QNTRACE("Open: showing the connect dialog");
    CString address;
    {
        CQNZUDeviceLTConnectDlg dialog;
        const INT_PTR answer = dialog.DoModal();
        if (answer == IDOK && !dialog.GetAddress(address)) {
            QNTRACE("Open failed: the connect dialog was confirmed without an address");
            return 0;
        }
        QNTRACE("Open: connect dialog %s", answer == IDOK ? "confirmed" : "dismissed");
    }
    if (!Connect(address))
        return 0;
    // A sheet left by the Main page's "Disconnect" is kept with its pages and
    // what was entered on them; they were told of the new connection.
    if (!m_toolSheet && !BuildToolSheet()) {
        QNTRACE("Open failed: the tool sheet's window was not created");
        return 0; // stays connected: the next Open returns 1 at once
    }
    if (!m_settingsDlg)
        return 0;
    m_settingsDlg->m_ipAddressBox.SetWindowText(address);
    return 1;
}

int CQWandDevice::Close() {
    TracePostedRecords("before Close");
    QNTRACE("Close");
    if (!Disconnect()) {
        QNTRACE("Close failed: the tracker did not disconnect");
        return 0;
    }
    if (m_toolSheet)
        DestroyToolSheet();
    return 1;
}

int CQWandDevice::SelectProbe() {
    if (m_toolSheet)
        m_toolSheet->ShowWindow(SW_SHOW);
    return 1;
}
