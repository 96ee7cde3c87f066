#include "toolsheet/WCPropPageInclination.h"

#include "plugin/CQWandDevice.h"

WCPropPageInclination::WCPropPageInclination(CQWandDevice* device)
    : CPropertyPage(IDD), m_device(device) {}
WCPropPageInclination::~WCPropPageInclination() = default;

BOOL WCPropPageInclination::OnInitDialog() {
    CPropertyPage::OnInitDialog();
    if (!m_initialized) {
        m_initialized = true;
        LoadSettings();
    }
    return TRUE;
}

void WCPropPageInclination::LoadSettings() {}

// Saves only when the page's window was initialised during this open.
void WCPropPageInclination::SaveSettings() {
    if (!m_initialized)
        return;
}

void WCPropPageInclination::OnTrackerConnected() {}
void WCPropPageInclination::OnTrackerDisconnecting() {}
