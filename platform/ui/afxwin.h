// The window framework in MFC's shapes and names.
#pragma once

// Automation classes may carry DECLARE_MESSAGE_MAP too; their header comes
// first so that the window framework's definition of the macro is the one
// in force.
#if __has_include("../com/dispatch_map.h")
#include "../com/dispatch_map.h"
#endif

#include "../base/crt.h"
#include "afxapp.h"
#include "afxctrl.h"
#include "afxdlg.h"
#include "afxmsg.h"
#include "afxprop.h"
#include "afxres.h"
#include "afxstr.h"
#include "afxwnd.h"
#include "winuser.h"
