// The small modal dialog in which the user enters a custom reflector diameter.
#pragma once

#include "platform/ui/afxwin.h"
#include "resources/resource.h"

class CQNZUDeviceOrlanReflectorSizeDlg : public CDialog {
public:
    explicit CQNZUDeviceOrlanReflectorSizeDlg(CWnd* parent = nullptr);
    enum { IDD = IDD_REFLECTOR_SIZE };

    double m_diameter = 0.0; // millimetres

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};
