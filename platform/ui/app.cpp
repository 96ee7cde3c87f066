// The application object and the framework's message box.
#include "afxwin.h"

#include "screen.h"

namespace {

CWinApp* g_app = nullptr;

// The module's file name without folder and extension.
CString ModuleTitle(HMODULE module) {
    WCHAR path[MAX_PATH] = {};
    GetModuleFileNameW(module, path, MAX_PATH);
    CString title(path);
    title = title.Mid(title.ReverseFind(TEXT('\\')) + 1);
    const int dot = title.ReverseFind(TEXT('.'));
    return dot > 0 ? title.Left(dot) : title;
}

} // namespace

CWinApp::CWinApp(LPCWSTR appName, HMODULE module)
    : m_strAppName(appName ? CString(appName) : ModuleTitle(module)), m_hInstance(module) {
    m_pszAppName = m_strAppName;
    g_app = this;
}

CWinApp::~CWinApp() {
    if (g_app == this)
        g_app = nullptr;
}

CWinApp* AfxGetApp() {
    return g_app;
}

HINSTANCE AfxGetInstanceHandle() {
    return g_app ? g_app->m_hInstance : nullptr;
}

HINSTANCE AfxGetResourceHandle() {
    return AfxGetInstanceHandle();
}

// Captioned with the application's name (the executable's when there is no
// application object). The type's buttons and icon are passed on as given.
int AfxMessageBox(LPCWSTR text, UINT type, UINT) {
    const CString caption = g_app ? g_app->m_strAppName : ModuleTitle(nullptr);
    return MessageBoxW(nullptr, text, caption, type);
}
