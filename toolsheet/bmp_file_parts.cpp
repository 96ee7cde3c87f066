#include "toolsheet/bmp_file_parts.h"

#include <cstring>
#include <limits>

namespace {

constexpr size_t kFileHeaderSize = 14;
constexpr uint32_t kLargestInfoHeader = 124; // the fifth version of the header

uint32_t Le32(const BYTE* at) {
    return uint32_t{at[0]} | (uint32_t{at[1]} << 8) | (uint32_t{at[2]} << 16) |
           (uint32_t{at[3]} << 24);
}

uint16_t Le16(const BYTE* at) {
    return static_cast<uint16_t>(at[0] | (at[1] << 8));
}

} // namespace

std::optional<BmpFileParts> BmpFileParts::Read(const BYTE* bytes, size_t size) {
    if (!bytes || size < kFileHeaderSize + sizeof(BITMAPINFOHEADER) || bytes[0] != 'B' ||
        bytes[1] != 'M')
        return std::nullopt;
    const uint32_t pixelOffset = Le32(bytes + 10);
    const BYTE* header = bytes + kFileHeaderSize;
    const uint32_t headerSize = Le32(header);
    if (headerSize < sizeof(BITMAPINFOHEADER) || headerSize > kLargestInfoHeader ||
        headerSize > size - kFileHeaderSize)
        return std::nullopt;

    const int64_t width = static_cast<int32_t>(Le32(header + 4));
    const int64_t signedHeight = static_cast<int32_t>(Le32(header + 8));
    const uint16_t planes = Le16(header + 12);
    const uint16_t bitCount = Le16(header + 14);
    const uint32_t compression = Le32(header + 16);
    const uint32_t coloursUsed = Le32(header + 32);
    const int64_t height = signedHeight < 0 ? -signedHeight : signedHeight;
    if (width <= 0 || height == 0 || planes != 1 || compression != BI_RGB)
        return std::nullopt;
    if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 16 && bitCount != 24 &&
        bitCount != 32)
        return std::nullopt;

    // The colour table that the pixels index.
    uint64_t colours = 0;
    if (bitCount <= 8) {
        const uint32_t full = 1u << bitCount;
        if (coloursUsed > full)
            return std::nullopt;
        colours = coloursUsed ? coloursUsed : full;
    }
    const uint64_t infoSize = headerSize + 4 * colours;
    if (infoSize > size - kFileHeaderSize)
        return std::nullopt;

    // Every row, each padded to 4 bytes, must lie inside the file.
    const uint64_t stride = (static_cast<uint64_t>(width) * bitCount + 31) / 32 * 4;
    const uint64_t pixelBytes = stride * static_cast<uint64_t>(height);
    if (pixelOffset > size || pixelBytes > size - pixelOffset)
        return std::nullopt;

    BmpFileParts parts;
    parts.m_info.assign((infoSize + 3) / 4, 0);
    std::memcpy(parts.m_info.data(), header, infoSize);
    parts.m_bits = bytes + pixelOffset;
    return parts;
}

GdiBitmap BitmapFromBmpFile(const BYTE* bytes, size_t size) {
    // Only a file whose headers fit in its bytes becomes a bitmap.
    const std::optional<BmpFileParts> parts = BmpFileParts::Read(bytes, size);
    if (!parts)
        return GdiBitmap(nullptr);
    ScreenDC dc;
    return GdiBitmap(CreateDIBitmap(dc.Get(), parts->Header(), CBM_INIT, parts->Bits(),
                                    parts->Info(), DIB_RGB_COLORS));
}
