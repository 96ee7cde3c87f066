// Hand-made BMP files for the image tests: any header values, rows padded to
// 4 bytes, pixels given as colour-table indices or 0x00RRGGBB colours.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

struct BmpLayout {
    int32_t width = 1;
    int32_t height = 1; // negative: top row first
    uint16_t bitCount = 24;
    uint32_t compression = 0;
    uint32_t headerSize = 40;
    uint16_t planes = 1;
    std::vector<uint32_t> palette; // 0x00RRGGBB
    uint32_t coloursUsed = 0;
    // The value of pixel (x, y), y counted from the top: an index for 1 to 8
    // bits, 5-5-5 for 16 bits, 0x00RRGGBB otherwise.
    std::function<uint32_t(int x, int y)> pixel = [](int, int) { return 0u; };
};

// Writes `size` little-endian bytes at `at`; what falls outside a file made
// shorter than its fields (a small header size) is left out.
inline void PutLe(std::vector<uint8_t>& bytes, size_t at, uint32_t value, size_t size) {
    for (size_t i = 0; i < size && at + i < bytes.size(); ++i)
        bytes[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

inline std::vector<uint8_t> MakeBmp(const BmpLayout& s) {
    const size_t info = 14 + s.headerSize;
    const size_t pixels = info + 4 * s.palette.size();
    const int rows = s.height < 0 ? -s.height : s.height;
    const size_t stride = (static_cast<size_t>(s.width) * s.bitCount + 31) / 32 * 4;
    std::vector<uint8_t> bytes(pixels + stride * rows, 0);
    bytes[0] = 'B';
    bytes[1] = 'M';
    PutLe(bytes, 2, static_cast<uint32_t>(bytes.size()), 4);
    PutLe(bytes, 10, static_cast<uint32_t>(pixels), 4);
    PutLe(bytes, 14, s.headerSize, 4);
    PutLe(bytes, 18, static_cast<uint32_t>(s.width), 4);
    PutLe(bytes, 22, static_cast<uint32_t>(s.height), 4);
    PutLe(bytes, 26, s.planes, 2);
    PutLe(bytes, 28, s.bitCount, 2);
    PutLe(bytes, 30, s.compression, 4);
    PutLe(bytes, 46, s.coloursUsed, 4);
    for (size_t i = 0; i < s.palette.size(); ++i)
        PutLe(bytes, info + 4 * i, s.palette[i], 4); // blue, green, red, 0
    for (int r = 0; r < rows; ++r) {
        const int y = s.height < 0 ? r : rows - 1 - r;
        uint8_t* row = &bytes[pixels + stride * r];
        for (int x = 0; x < s.width; ++x) {
            const uint32_t v = s.pixel(x, y);
            switch (s.bitCount) {
            case 1:
                row[x / 8] |= static_cast<uint8_t>((v & 1) << (7 - x % 8));
                break;
            case 4:
                row[x / 2] |= static_cast<uint8_t>((v & 15) << (x % 2 ? 0 : 4));
                break;
            case 8:
                row[x] = static_cast<uint8_t>(v);
                break;
            case 16:
                row[2 * x] = static_cast<uint8_t>(v);
                row[2 * x + 1] = static_cast<uint8_t>(v >> 8);
                break;
            case 24:
                row[3 * x] = static_cast<uint8_t>(v);
                row[3 * x + 1] = static_cast<uint8_t>(v >> 8);
                row[3 * x + 2] = static_cast<uint8_t>(v >> 16);
                break;
            default:
                row[4 * x] = static_cast<uint8_t>(v);
                row[4 * x + 1] = static_cast<uint8_t>(v >> 8);
                row[4 * x + 2] = static_cast<uint8_t>(v >> 16);
                row[4 * x + 3] = 0xAA;
                break;
            }
        }
    }
    return bytes;
}
