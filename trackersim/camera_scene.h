// The overview camera's picture: a synthetic scene of a measuring room as a
// 640 x 480 BMP file (24 bits per pixel, bottom row first), with the
// reflector as a bright spot where the tracker's angles point.
#pragma once

#include "../platform/base/wintypes.h"

#include <cstdint>
#include <vector>

namespace trackersim {

inline constexpr int kCameraWidth = 640;
inline constexpr int kCameraHeight = 480;

// Where the spot of angles (angle1, angle2) falls in the picture, in pixels
// from the top left; false when it falls outside. The camera sees 60 x 45
// degrees around the head's start angles.
bool SpotInPicture(double angle1, double angle2, int& x, int& y);

// The picture of frame `frame` with the head at (angle1, angle2). The spot's
// brightness flickers a little from frame to frame, as a real one does.
std::vector<BYTE> RenderCameraImage(double angle1, double angle2, uint32_t frame);

} // namespace trackersim
