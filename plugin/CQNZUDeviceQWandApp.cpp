#include "plugin/CQNZUDeviceQWandApp.h"

BOOL CQNZUDeviceQWandApp::InitInstance() {
    return CWinApp::InitInstance();
}
