#include "toolsheet/WCPropPageSettings.h"

#include "plugin/CQWandDevice.h"

WCPropPageSettings::WCPropPageSettings(CQWandDevice* device)
    : CPropertyPage(IDD), m_device(device) {}
WCPropPageSettings::~WCPropPageSettings() = default;

BOOL WCPropPageSettings::OnInitDialog() {
    CPropertyPage::OnInitDialog();
    if (!m_initialized) {
        m_initialized = true;
        LoadSettings();
    }
    return TRUE;
}

void WCPropPageSettings::LoadSettings() {}

// Saves only when the page's window was initialised during this open.
void WCPropPageSettings::SaveSettings() {
    if (!m_initialized)
        return;
}

void WCPropPageSettings::OnTrackerConnected() {}
void WCPropPageSettings::OnTrackerDisconnecting() {}
