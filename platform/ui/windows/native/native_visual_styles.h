// The look of the Windows the runtime runs on: its windows use the common
// controls of version 6 (visual styles), named by the manifest in the
// runtime's own resources (ID 2). A DLL's manifest reaches only what is made
// while the DLL's activation context is active (the host's own manifest does
// not reach a DLL's windows), so every dialog, sheet, page, message box and
// control the runtime creates is created inside an ActivationScope, and the
// common controls' functions are looked up inside one too: a load-time import
// would bind the version of the process's default context.
#pragma once

#include "../../winuser.h"

namespace platform::ui {

// The manifest's resource ID (ISOLATIONAWARE_MANIFEST_RESOURCE_ID).
constexpr WORD kManifestResourceId = 2;

// The runtime's activation context, made once from its manifest; null when
// there is none (the windows then have the classic look).
HANDLE VisualStylesContext();

// Activates the runtime's context for the lifetime of the object.
class ActivationScope {
public:
    ActivationScope();
    ~ActivationScope();
    ActivationScope(const ActivationScope&) = delete;
    ActivationScope& operator=(const ActivationScope&) = delete;

private:
    ULONG_PTR m_cookie = 0;
    bool m_active = false;
};

// The common controls' functions as the runtime's context binds them; null
// where the library or the function is missing.
struct CommonControlsFunctions {
    BOOL(WINAPI* initCommonControlsEx)(const INITCOMMONCONTROLSEX*) = nullptr;
    INT_PTR(WINAPI* propertySheet)(LPCPROPSHEETHEADERW) = nullptr;
};
const CommonControlsFunctions& CommonControls();

} // namespace platform::ui
