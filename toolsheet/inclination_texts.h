// Showing a pair of inclination angles: each value formatted with "%g", its
// unit with "[%s]".
#pragma once

#include "interfaces/tracker.h"
#include "platform/com/com_ptr.h"
#include "platform/ui/afxwin.h"

// Reads both angles first, then sets the four texts.
void ShowAngles(const ComPtr<tracker::ScalarValue>& rotX, CWnd& rotXValue, CWnd& rotXUnit,
                const ComPtr<tracker::ScalarValue>& rotY, CWnd& rotYValue, CWnd& rotYUnit);
