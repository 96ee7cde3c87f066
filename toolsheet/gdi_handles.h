// Scope-bound GDI handles: the screen's device context and a bitmap.
#pragma once

#include "platform/ui/wingdi.h"

#include <utility>

class ScreenDC {
public:
    ScreenDC() : m_dc(::GetDC(nullptr)) {}
    ~ScreenDC() {
        if (m_dc)
            ::ReleaseDC(nullptr, m_dc);
    }
    ScreenDC(const ScreenDC&) = delete;
    ScreenDC& operator=(const ScreenDC&) = delete;
    HDC Get() const { return m_dc; }

private:
    HDC m_dc;
};

class GdiBitmap {
public:
    explicit GdiBitmap(HBITMAP bitmap) : m_bitmap(bitmap) {}
    ~GdiBitmap() {
        if (m_bitmap)
            ::DeleteObject(m_bitmap);
    }
    GdiBitmap(const GdiBitmap&) = delete;
    GdiBitmap& operator=(const GdiBitmap&) = delete;
    HBITMAP Get() const { return m_bitmap; }
    explicit operator bool() const { return m_bitmap != nullptr; }

private:
    HBITMAP m_bitmap;
};
