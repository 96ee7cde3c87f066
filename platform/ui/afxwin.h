// The window framework in MFC's shapes and names (placeholder: grows with the
// dialogs and pages).
#pragma once

#include "winuser.h"

class CWinApp {
public:
    explicit CWinApp(LPCWSTR appName = nullptr) : m_appName(appName) {}
    virtual ~CWinApp() = default;
    virtual BOOL InitInstance() { return TRUE; }

private:
    LPCWSTR m_appName;
};

// The module state switch of a user-interface library loaded by a host. One
// module per process here, so switching has nothing to do.
struct AFX_MODULE_STATE {};
inline AFX_MODULE_STATE* AfxGetStaticModuleState() {
    static AFX_MODULE_STATE state;
    return &state;
}
struct AFX_MAINTAIN_STATE2 {
    explicit AFX_MAINTAIN_STATE2(AFX_MODULE_STATE*) {}
};
#define AFX_MANAGE_STATE(p) AFX_MAINTAIN_STATE2 _ctlState(p)
