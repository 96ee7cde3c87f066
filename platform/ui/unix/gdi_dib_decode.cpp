// Pixels of an uncompressed device-independent bitmap: 1, 4 and 8 bits per
// pixel through the colour table, 16 bits as 5-5-5, 24 and 32 bits as
// blue-green-red. Rows are padded to 4 bytes; a negative height means the
// top row comes first. Fields are read byte by byte, so the header may sit at
// any address.
#include "gdi_objects.h"

#include <cstring>

namespace platform::ui {
namespace {

// Far beyond any camera image; keeps a hostile header from costing gigabytes.
constexpr int64_t kMaxSide = 1 << 14;
constexpr int64_t kMaxPixels = int64_t{1} << 24;

template <class T> T ReadAt(const BYTE* at) {
    T value;
    std::memcpy(&value, at, sizeof value);
    return value;
}

uint32_t Rgb(BYTE r, BYTE g, BYTE b) {
    return (uint32_t{r} << 16) | (uint32_t{g} << 8) | b;
}

uint32_t Expand5(uint32_t c) {
    return (c << 3) | (c >> 2);
}

} // namespace

bool DecodeDib(const BYTE* info, const BYTE* bits, BitmapPixels& out) {
    if (!info || !bits)
        return false;
    const BITMAPINFOHEADER h = ReadAt<BITMAPINFOHEADER>(info);
    if (h.biSize < sizeof(BITMAPINFOHEADER) || h.biPlanes != 1 || h.biCompression != BI_RGB)
        return false;
    const int bpp = h.biBitCount;
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32)
        return false;
    const int64_t width = h.biWidth;
    const int64_t height = h.biHeight < 0 ? -int64_t{h.biHeight} : int64_t{h.biHeight};
    if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide ||
        width * height > kMaxPixels)
        return false;
    const bool topDown = h.biHeight < 0;

    // The colour table; indices past its end show black.
    std::vector<uint32_t> colours;
    if (bpp <= 8) {
        const uint32_t full = 1u << bpp;
        const uint32_t count = h.biClrUsed == 0 || h.biClrUsed > full ? full : h.biClrUsed;
        colours.resize(full, 0);
        const BYTE* table = info + h.biSize;
        for (uint32_t i = 0; i < count; ++i) {
            const RGBQUAD q = ReadAt<RGBQUAD>(table + 4 * i);
            colours[i] = Rgb(q.rgbRed, q.rgbGreen, q.rgbBlue);
        }
    }

    const size_t stride = static_cast<size_t>((width * bpp + 31) / 32 * 4);
    BitmapPixels result;
    result.width = static_cast<int>(width);
    result.height = static_cast<int>(height);
    result.pixels.resize(static_cast<size_t>(width * height));
    for (int64_t r = 0; r < height; ++r) {
        const BYTE* row = bits + static_cast<size_t>(r) * stride;
        const int64_t y = topDown ? r : height - 1 - r;
        uint32_t* dest = &result.pixels[static_cast<size_t>(y * width)];
        for (int64_t x = 0; x < width; ++x) {
            switch (bpp) {
            case 1:
                dest[x] = colours[(row[x >> 3] >> (7 - (x & 7))) & 1];
                break;
            case 4:
                dest[x] = colours[(x & 1) ? row[x >> 1] & 0x0F : row[x >> 1] >> 4];
                break;
            case 8:
                dest[x] = colours[row[x]];
                break;
            case 16: {
                const uint32_t v = row[2 * x] | (uint32_t{row[2 * x + 1]} << 8);
                dest[x] = (Expand5((v >> 10) & 31) << 16) | (Expand5((v >> 5) & 31) << 8) |
                          Expand5(v & 31);
                break;
            }
            case 24:
                dest[x] = Rgb(row[3 * x + 2], row[3 * x + 1], row[3 * x]);
                break;
            default:
                dest[x] = Rgb(row[4 * x + 2], row[4 * x + 1], row[4 * x]);
                break;
            }
        }
    }
    out = std::move(result);
    return true;
}

} // namespace platform::ui
