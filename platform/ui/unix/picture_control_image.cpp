// Reading back what picture controls show.
#include "../picture_image.h"
#include "gdi_objects.h"
#include "window_record.h"

namespace platform {
namespace {

bool CopyImage(const std::shared_ptr<const ui::BitmapPixels>& pixels, PictureImage& image) {
    if (!pixels)
        return false;
    image.width = pixels->width;
    image.height = pixels->height;
    image.pixels = pixels->pixels;
    return true;
}

} // namespace

bool GetPictureImage(HWND control, PictureImage& image) {
    const ui::WindowRecord* rec = ui::FindWindowRecord(control);
    return rec && CopyImage(rec->imagePixels, image);
}

bool LastPictureImage(PictureImage& image) {
    return CopyImage(ui::LastShownBitmap(), image);
}

} // namespace platform
