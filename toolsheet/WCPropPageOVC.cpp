#include "toolsheet/WCPropPageOVC.h"

#include "plugin/CQWandDevice.h"

WCPropPageOVC::WCPropPageOVC(CQWandDevice* device) : CPropertyPage(IDD), m_device(device) {}
WCPropPageOVC::~WCPropPageOVC() = default;

BOOL WCPropPageOVC::OnInitDialog() {
    CPropertyPage::OnInitDialog();
    if (!m_initialized) {
        m_initialized = true;
        LoadSettings();
    }
    return TRUE;
}

void WCPropPageOVC::LoadSettings() {}

// Saves only when the page's window was initialised during this open.
void WCPropPageOVC::SaveSettings() {
    if (!m_initialized)
        return;
}

void WCPropPageOVC::OnTrackerConnected() {}
void WCPropPageOVC::OnTrackerDisconnecting() {}
