// The "Probing Tool Settings" sheet: modeless, sizable, hidden by its close box.
#pragma once

#include "platform/ui/afxwin.h"

class CSampleSheet : public CPropertySheet {
public:
    CSampleSheet(LPCWSTR caption, CWnd* parent, UINT selectPage);

protected:
    BOOL OnInitDialog() override;
    afx_msg void OnClose();
    DECLARE_MESSAGE_MAP()
};
