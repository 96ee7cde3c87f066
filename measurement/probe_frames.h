// Probe frames: an origin at the probed point and three orthonormal axes,
// written into a record's 4x4 row-major frame (columns X, Y, Z, origin).
#pragma once

#include "interfaces/zdevice.h"

double Dot(const double* a, const double* b);
void Cross(const double* a, const double* b, double* out);
// Divides v by its length; leaves it unchanged and returns false when the
// length is at most 1e-9.
bool Normalize(double* v);
double* CopyNormalized(double* dst, const double* src);

// sample: point (x, y, z) then probe direction (i, j, k). The Z axis points
// against the probe direction.
void BuildFrameFromDirection(const double* sample, ZDEV_SCAN_DATA* record);
// The Z axis is the line of sight from the tracker to the point.
void BuildFrameFromPoint(const double* point, ZDEV_SCAN_DATA* record);
