// Registering the tracker library for COM with the .NET registration tool:
// unregister, wait, register by path. True when both launches succeeded.
#pragma once

#include "platform/ui/afxwin.h"

// The folder where the tracker library is expected: with the module in folder
// F whose parent is P, P\Device\QNZUDeviceQWand\bin\ .
CString TrackerLibraryFolder();
bool RegisterTrackerLibrary();
