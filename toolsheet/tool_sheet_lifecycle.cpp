// Building the hidden tool sheet at open, and saving and destroying it at close.
#include "plugin/CQWandDevice.h"
#include "settings/CQNZUDeviceOrlanProbeSettingDlg.h"
#include "toolsheet/CSampleSheet.h"
#include "toolsheet/WCPropPageInclination.h"
#include "toolsheet/WCPropPageOVC.h"
#include "toolsheet/WCPropPagePositioning.h"
#include "toolsheet/WCPropPageSettings.h"

#include <memory>

bool CQWandDevice::BuildToolSheet() {
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    m_settingsDlg = std::make_unique<CQNZUDeviceOrlanProbeSettingDlg>(this);
    m_profilesPage = std::make_unique<WCPropPageSettings>(this);
    m_ovcPage = std::make_unique<WCPropPageOVC>(this);
    m_positioningPage = std::make_unique<WCPropPagePositioning>(this);
    m_inclinationPage = std::make_unique<WCPropPageInclination>(this);
    m_toolSheet = std::make_unique<CSampleSheet>(TEXT("Probing Tool Settings"), nullptr, 0);

    // The tab order.
    m_toolSheet->AddPage(m_settingsDlg.get());
    m_toolSheet->AddPage(m_profilesPage.get());
    m_toolSheet->AddPage(m_positioningPage.get());
    m_toolSheet->AddPage(m_ovcPage.get());
    m_toolSheet->AddPage(m_inclinationPage.get());

    // Only the first page gets its window (and loads its settings) now; the
    // others when the user first opens their tabs.
    const BOOL created = m_toolSheet->Create(nullptr, (DWORD)-1, 0);
    if (created)
        m_toolSheet->ShowWindow(SW_HIDE);
    return created != FALSE;
}

void CQWandDevice::DestroyToolSheet() {
    // Pages whose windows never existed keep the stored values untouched.
    if (m_settingsDlg && m_settingsDlg->GetSafeHwnd())
        m_settingsDlg->SaveSettings();
    if (m_profilesPage)
        m_profilesPage->SaveSettings();
    if (m_positioningPage)
        m_positioningPage->SaveSettings();
    if (m_inclinationPage)
        m_inclinationPage->SaveSettings();
    if (m_toolSheet)
        m_toolSheet->DestroyWindow();
    m_settingsDlg.reset();
    m_profilesPage.reset();
    m_positioningPage.reset();
    m_ovcPage.reset();
    m_inclinationPage.reset();
    m_toolSheet.reset();
}
