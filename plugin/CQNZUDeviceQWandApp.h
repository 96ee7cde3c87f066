// The module's application object, so that its dialogs and pages find their
// resources in this module.
#pragma once

#include "platform/ui/afxwin.h"

class CQNZUDeviceQWandApp : public CWinApp {
public:
    CQNZUDeviceQWandApp() : CWinApp(nullptr) {}
    BOOL InitInstance() override;
};
