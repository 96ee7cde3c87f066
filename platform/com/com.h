// COM and OLE automation: GUIDs, HRESULTs, IUnknown/IDispatch, BSTR, VARIANT,
// SAFEARRAY, connection points, error information, apartments and class
// creation. On Windows this is the SDK; elsewhere the same names are declared
// in unix/com_unix.h and implemented by the platform runtime.
#pragma once

#include "../base/wintypes.h"

#ifdef _WIN32
#include <objbase.h>
#include <oleauto.h>
#include <ocidl.h>
#include <olectl.h>
#else
#include "unix/com_unix.h"
#endif
