// The overview camera's images: any bytes go through the OVC page's
// conversion into the bitmap it shows. Nothing outside the bytes is read, and
// a bitmap that is made has the size the file's header gives.
#include "platform/ui/unix/gdi_objects.h"
#include "toolsheet/bmp_file_parts.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const GdiBitmap bitmap = BitmapFromBmpFile(data, size);
    if (!bitmap)
        return 0;
    const auto parts = BmpFileParts::Read(data, size);
    const auto shown = platform::ui::BitmapPixelsOf(bitmap.Get());
    if (!parts || !shown) {
        std::fprintf(stderr, "a bitmap from bytes that are no BMP file it can show\n");
        std::abort();
    }
    const int64_t height = parts->Header()->biHeight;
    if (shown->width != parts->Header()->biWidth ||
        shown->height != (height < 0 ? -height : height) ||
        shown->pixels.size() != size_t(shown->width) * size_t(shown->height)) {
        std::fprintf(stderr, "the bitmap's size differs from its header's\n");
        std::abort();
    }
    return 0;
}
