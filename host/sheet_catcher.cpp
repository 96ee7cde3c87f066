#include "host/sheet_catcher.h"

#include "platform/ui/screen_input.h"

void SheetCatcher::DialogShown(HWND dialog) {
    if (platform::WindowText(dialog) == TEXT("Probing Tool Settings"))
        sheet = dialog;
    m_inner.DialogShown(dialog);
}
