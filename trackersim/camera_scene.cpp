#include "camera_scene.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace trackersim {
namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kCentre1 = kPi / 4; // the head's start angles
constexpr double kCentre2 = kPi / 2;
constexpr double kFieldWidth = 60 * kPi / 180;
constexpr double kFieldHeight = 45 * kPi / 180;
constexpr uint32_t kHeaderBytes = 14 + 40;
constexpr uint32_t kRowBytes = kCameraWidth * 3; // a multiple of 4

struct Rgb {
    double r, g, b;
};

// A small fixed grain, so that flat areas look like a sensor's.
double Grain(int x, int y) {
    uint32_t h = static_cast<uint32_t>(x) * 374761393u + static_cast<uint32_t>(y) * 668265263u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return ((h >> 24) & 0xFF) / 255.0 - 0.5;
}

// The room: a wall with a tile grid above a floor whose lines run to the
// vanishing point, a workbench with a part on it, darker towards the corners.
Rgb Room(int x, int y) {
    constexpr int kHorizon = 300;
    Rgb c;
    if (y < kHorizon) {
        c = {196, 192, 182};
        if (x % 64 == 0 || y % 64 == 0)
            c = {168, 164, 156};
    } else {
        const double depth = (y - kHorizon + 1.0) / (kCameraHeight - kHorizon);
        c = {112 + 40 * depth, 116 + 38 * depth, 122 + 34 * depth};
        const double across = (x - kCameraWidth / 2.0) / depth; // floor coordinate
        if (depth > 0.15 && std::fmod(std::fabs(across) + 1e-9, 120.0) < 2.5 / depth)
            c = {90, 94, 100};
    }
    // The workbench and the part measured on it.
    if (x >= 150 && x < 500 && y >= 330 && y < 345)
        c = {92, 70, 52};
    if (((x >= 165 && x < 180) || (x >= 470 && x < 485)) && y >= 345 && y < 440)
        c = {70, 54, 40};
    if (x >= 250 && x < 400 && y >= 236 && y < 330) {
        const double shade = 0.75 + 0.25 * (x - 250) / 150.0;
        c = {150 * shade, 158 * shade, 170 * shade};
        if (y < 250)
            c = {205, 210, 220}; // the top face, where the reflector sits at the start
    }
    const double dx = (x - kCameraWidth / 2.0) / kCameraWidth;
    const double dy = (y - kCameraHeight / 2.0) / kCameraHeight;
    const double vignette = 1.0 - 0.9 * (dx * dx + dy * dy);
    const double grain = 6 * Grain(x, y);
    return {c.r * vignette + grain, c.g * vignette + grain, c.b * vignette + grain};
}

BYTE Clamp(double v) {
    return static_cast<BYTE>(std::clamp(v, 0.0, 255.0) + 0.5);
}

void PutLe(std::vector<BYTE>& bytes, size_t at, uint32_t value, int size) {
    for (int i = 0; i < size; ++i)
        bytes[at + i] = static_cast<BYTE>(value >> (8 * i));
}

// The file without the spot, made once.
const std::vector<BYTE>& Background() {
    static const std::vector<BYTE> bytes = [] {
        std::vector<BYTE> b(kHeaderBytes + kRowBytes * kCameraHeight);
        b[0] = 'B';
        b[1] = 'M';
        PutLe(b, 2, static_cast<uint32_t>(b.size()), 4);
        PutLe(b, 10, kHeaderBytes, 4);
        PutLe(b, 14, 40, 4);
        PutLe(b, 18, kCameraWidth, 4);
        PutLe(b, 22, kCameraHeight, 4);
        PutLe(b, 26, 1, 2);
        PutLe(b, 28, 24, 2);
        PutLe(b, 34, kRowBytes * kCameraHeight, 4);
        for (int y = 0; y < kCameraHeight; ++y) {
            BYTE* row = &b[kHeaderBytes + (kCameraHeight - 1 - y) * kRowBytes];
            for (int x = 0; x < kCameraWidth; ++x) {
                const Rgb c = Room(x, y);
                row[3 * x] = Clamp(c.b);
                row[3 * x + 1] = Clamp(c.g);
                row[3 * x + 2] = Clamp(c.r);
            }
        }
        return b;
    }();
    return bytes;
}

} // namespace

bool SpotInPicture(double angle1, double angle2, int& x, int& y) {
    // Turning left (angle 1 growing) moves the spot left; tilting up (angle 2,
    // from the zenith, shrinking) moves it up.
    const double px = kCameraWidth / 2.0 - (angle1 - kCentre1) / kFieldWidth * kCameraWidth;
    const double py = kCameraHeight / 2.0 + (angle2 - kCentre2) / kFieldHeight * kCameraHeight;
    if (!(px >= 0 && px < kCameraWidth && py >= 0 && py < kCameraHeight))
        return false;
    x = static_cast<int>(px);
    y = static_cast<int>(py);
    return true;
}

std::vector<BYTE> RenderCameraImage(double angle1, double angle2, uint32_t frame) {
    std::vector<BYTE> bytes = Background();
    int cx = 0, cy = 0;
    if (!SpotInPicture(angle1, angle2, cx, cy))
        return bytes;
    // A white core with a glow that fades out over about 16 pixels.
    constexpr int kReach = 18;
    constexpr double kCore = 3.5;
    const double strength = 0.85 + 0.15 * std::sin(frame * 0.9);
    for (int y = std::max(0, cy - kReach); y <= std::min(kCameraHeight - 1, cy + kReach); ++y) {
        BYTE* row = &bytes[kHeaderBytes + (kCameraHeight - 1 - y) * kRowBytes];
        for (int x = std::max(0, cx - kReach); x <= std::min(kCameraWidth - 1, cx + kReach); ++x) {
            const double r = std::hypot(x - cx, y - cy);
            if (r > kReach)
                continue;
            BYTE* p = &row[3 * x];
            if (r <= kCore) {
                p[0] = p[1] = p[2] = 255;
                continue;
            }
            const double glow = strength * std::exp(-(r - kCore) * (r - kCore) / 40.0);
            p[0] = Clamp(p[0] + glow * (255 - p[0]));
            p[1] = Clamp(p[1] + glow * (255 - p[1]));
            p[2] = Clamp(p[2] + glow * 0.9 * (255 - p[2]));
        }
    }
    return bytes;
}

} // namespace trackersim
