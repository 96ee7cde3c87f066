#include "host/sheet_catcher.h"
#include "host/camera_capture.h"

#include "platform/base/text.h"
#include "platform/ui/picture_image.h"
#include "platform/ui/screen.h"
#include "platform/ui/screen_input.h"

#include <cstdio>

namespace {

constexpr int kOvcTab = 3; // Main, Profiles, Positioning, OVC, Inclination Sensor

} // namespace

bool StartCameraImages(const PluginExports& plugin) {
    platform::Screen& screen = platform::CurrentScreen();
    SheetCatcher catcher(screen);
    platform::SetScreen(&catcher);
    plugin.SelectProbe();
    platform::SetScreen(&screen);
    if (!catcher.sheet) {
        std::fprintf(stderr, "zuhost: the tool sheet did not appear; no camera images\n");
        return false;
    }
    ::SendMessageW(catcher.sheet, PSM_SETCURSEL, kOvcTab, 0);
    if (!platform::Click(platform::FindControl(catcher.sheet, TEXT("Start OVC")))) {
        std::fprintf(stderr, "zuhost: \"Start OVC\" could not be clicked; no camera images\n");
        return false;
    }
    return true;
}

bool SaveLastCameraImage(const std::string& path) {
    platform::PictureImage image;
    if (!platform::LastPictureImage(image)) {
        std::fprintf(stderr, "zuhost: no camera image was shown; %s not written\n", path.c_str());
        return false;
    }
    if (!platform::WriteBmpFile(path, image)) {
        std::fprintf(stderr, "zuhost: cannot write %s\n", path.c_str());
        return false;
    }
    std::fprintf(stderr, "zuhost: camera image %d x %d saved to %s\n", image.width, image.height,
                 path.c_str());
    return true;
}
