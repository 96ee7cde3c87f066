// The parts of a BMP file that a device-independent bitmap is made from,
// checked against the file's length first: the bitmap information header
// (with its colour table) and the pixel rows. Nothing outside the given bytes
// is ever read.
#pragma once

#include "platform/ui/wingdi.h"
#include "toolsheet/gdi_handles.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

class BmpFileParts {
public:
    // The parts of a file of `size` bytes; none for data that is not a BMP
    // file, that is shorter than its headers say, or whose format cannot be
    // shown (compressed, core headers, other bit depths).
    static std::optional<BmpFileParts> Read(const BYTE* bytes, size_t size);

    const BITMAPINFOHEADER* Header() const {
        return reinterpret_cast<const BITMAPINFOHEADER*>(m_info.data());
    }
    const BITMAPINFO* Info() const { return reinterpret_cast<const BITMAPINFO*>(m_info.data()); }
    const BYTE* Bits() const { return m_bits; }

private:
    // The header and colour table, copied to an aligned buffer: in the file
    // the header starts at offset 14.
    std::vector<uint32_t> m_info;
    const BYTE* m_bits = nullptr;
};

// The bitmap that the OVC page shows for one camera image (a complete BMP
// file of `size` bytes); empty when the bytes make none.
GdiBitmap BitmapFromBmpFile(const BYTE* bytes, size_t size);
