#include "toolsheet/WCPropPagePositioning.h"

#include "plugin/CQWandDevice.h"

WCPropPagePositioning::WCPropPagePositioning(CQWandDevice* device)
    : CPropertyPage(IDD), m_device(device) {}
WCPropPagePositioning::~WCPropPagePositioning() = default;

BOOL WCPropPagePositioning::OnInitDialog() {
    CPropertyPage::OnInitDialog();
    if (!m_initialized) {
        m_initialized = true;
        LoadSettings();
    }
    return TRUE;
}

void WCPropPagePositioning::LoadSettings() {}

// Saves only when the page's window was initialised during this open.
void WCPropPagePositioning::SaveSettings() {
    if (!m_initialized)
        return;
}

void WCPropPagePositioning::OnTrackerConnected() {}
void WCPropPagePositioning::OnTrackerDisconnecting() {}
