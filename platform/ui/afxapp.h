// The application object, module state and message boxes.
#pragma once

#include "../module/module.h"
#include "afxstr.h"
#include "winuser.h"

class CWinApp {
public:
    // With no name, the application is named after its module's file.
    explicit CWinApp(LPCWSTR appName = nullptr) : CWinApp(appName, platform::ThisModule()) {}
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;
    virtual BOOL InitInstance() { return TRUE; }
    virtual int ExitInstance() { return 0; }

    CString m_strAppName;
    LPCWSTR m_pszAppName;
    HINSTANCE m_hInstance;

private:
    CWinApp(LPCWSTR appName, HMODULE module);
};

CWinApp* AfxGetApp();
HINSTANCE AfxGetInstanceHandle();
HINSTANCE AfxGetResourceHandle();

// A message box captioned with the application's name, through the screen.
int AfxMessageBox(LPCWSTR text, UINT type = MB_OK, UINT helpId = 0);

// The module state switch of a user-interface library loaded by a host. One
// application per process here, so switching has nothing to do.
struct AFX_MODULE_STATE {};
inline AFX_MODULE_STATE* AfxGetStaticModuleState() {
    static AFX_MODULE_STATE state;
    return &state;
}
struct AFX_MAINTAIN_STATE2 {
    explicit AFX_MAINTAIN_STATE2(AFX_MODULE_STATE*) {}
};
#define AFX_MANAGE_STATE(p) AFX_MAINTAIN_STATE2 _ctlState(p)
