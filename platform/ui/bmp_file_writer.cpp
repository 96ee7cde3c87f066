// Writing an image as a 24-bit, bottom-up BMP file that any viewer opens.
#include "picture_image.h"

#include "platform/base/file_names.h"

#include <fstream>

namespace platform {
namespace {

void PutLe(std::vector<uint8_t>& bytes, size_t at, uint32_t value, int size) {
    for (int i = 0; i < size; ++i)
        bytes[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

} // namespace

std::vector<uint8_t> EncodeBmpFile(const PictureImage& image) {
    constexpr uint32_t kPixelOffset = 14 + 40;
    if (image.width <= 0 || image.height <= 0 ||
        image.pixels.size() != static_cast<size_t>(image.width) * image.height)
        return {};
    const size_t stride = (static_cast<size_t>(image.width) * 3 + 3) / 4 * 4;
    std::vector<uint8_t> bytes(kPixelOffset + stride * image.height, 0);
    bytes[0] = 'B';
    bytes[1] = 'M';
    PutLe(bytes, 2, static_cast<uint32_t>(bytes.size()), 4);
    PutLe(bytes, 10, kPixelOffset, 4);
    PutLe(bytes, 14, 40, 4);
    PutLe(bytes, 18, static_cast<uint32_t>(image.width), 4);
    PutLe(bytes, 22, static_cast<uint32_t>(image.height), 4);
    PutLe(bytes, 26, 1, 2);
    PutLe(bytes, 28, 24, 2);
    PutLe(bytes, 34, static_cast<uint32_t>(stride * image.height), 4);
    for (int y = 0; y < image.height; ++y) {
        uint8_t* row = &bytes[kPixelOffset + stride * (image.height - 1 - y)];
        for (int x = 0; x < image.width; ++x) {
            const uint32_t c = image.At(x, y);
            row[3 * x] = static_cast<uint8_t>(c);
            row[3 * x + 1] = static_cast<uint8_t>(c >> 8);
            row[3 * x + 2] = static_cast<uint8_t>(c >> 16);
        }
    }
    return bytes;
}

bool WriteBmpFile(const std::string& path, const PictureImage& image) {
    const std::vector<uint8_t> bytes = EncodeBmpFile(image);
    if (bytes.empty())
        return false;
    std::ofstream file(PathFromUtf8(path), std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    file.close();
    return static_cast<bool>(file);
}

} // namespace platform
