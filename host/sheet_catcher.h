// A screen that passes everything on to the host's screen and notes the tool
// sheet's window when it appears, so the host can reach the sheet that
// SelectProbe shows.
#pragma once

#include "platform/ui/screen.h"

// The sheet's tabs, in their order.
inline constexpr const char* kSheetTabs[] = {"Main", "Profiles", "Positioning", "OVC",
                                             "Inclination Sensor"};

class SheetCatcher : public platform::Screen {
public:
    explicit SheetCatcher(platform::Screen& inner) : m_inner(inner) {}
    void DialogShown(HWND dialog) override;
    void TextChanged(HWND control) override { m_inner.TextChanged(control); }
    void MessageBoxShown(const platform::ModalFrame& box) override { m_inner.MessageBoxShown(box); }
    bool Idle(platform::ModalFrame& top) override { return m_inner.Idle(top); }
    void ModalEnded(const platform::ModalFrame& frame) override { m_inner.ModalEnded(frame); }

    HWND sheet = nullptr;

private:
    platform::Screen& m_inner;
};
