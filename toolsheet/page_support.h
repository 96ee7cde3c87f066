// What the pages share: showing a failure of the
// tracker library, the text of a control, and strings to and from the library.
#pragma once

#include "platform/com/bstr.h"
#include "platform/com/com_error.h"
#include "platform/ui/afxwin.h"

// Shows the failure's description in a message box with an OK button and no
// icon. A failure that carries no description (an object the library gave
// empty, E_POINTER; a string that could not be allocated, E_OUTOFMEMORY)
// shows the system's text for its result instead of an empty box.
void ShowLibraryError(const ComError& error);

// Runs a handler's body; a library failure reaches the user as above.
template <class Body> void Reporting(Body body) {
    try {
        body();
    } catch (const ComError& error) {
        ShowLibraryError(error);
    }
}

// The message a failure is shown with.
CString LibraryErrorText(const ComError& error);

// The window text of a control.
CString ControlText(const CWnd& control);

// A library string as text; a missing (null) string is empty.
CString TextOf(const ComBstr& text);

// A string to pass to the library; E_OUTOFMEMORY when it cannot be allocated.
ComBstr LibraryString(LPCWSTR text);
