#include "measurement/probe_frames.h"

#include <cmath>
#include <cstring>

double Dot(const double* a, const double* b) {
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}

void Cross(const double* a, const double* b, double* out) {
    const double x = a[1] * b[2] - a[2] * b[1];
    const double y = a[2] * b[0] - a[0] * b[2];
    const double z = a[0] * b[1] - a[1] * b[0];
    out[0] = x;
    out[1] = y;
    out[2] = z;
}

bool Normalize(double* v) {
    const double length = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
    if (length <= 1e-9)
        return false;
    v[0] /= length;
    v[1] /= length;
    v[2] /= length;
    return true;
}

double* CopyNormalized(double* dst, const double* src) {
    std::memmove(dst, src, 3 * sizeof(double));
    Normalize(dst);
    return dst;
}

namespace {

void WriteFrame(ZDEV_SCAN_DATA* record, const double* x, const double* y, const double* z,
                const double* origin) {
    double* f = record->frame;
    for (int r = 0; r < 3; ++r) {
        f[4 * r + 0] = x[r];
        f[4 * r + 1] = y[r];
        f[4 * r + 2] = z[r];
        f[4 * r + 3] = origin[r];
    }
    f[12] = 0;
    f[13] = 0;
    f[14] = 0;
    f[15] = 1;
}

} // namespace

void BuildFrameFromDirection(const double* sample, ZDEV_SCAN_DATA* record) {
    if (!record)
        return;
    double x[3] = {-1, 0, 0};
    double y[3] = {0, -1, 0};
    Normalize(x);
    Normalize(y);
    double z[3] = {-sample[3], -sample[4], -sample[5]};
    Normalize(z);
    double t[3];
    if (std::fabs(Dot(z, y)) > 0.9) {
        Cross(z, x, t);
        CopyNormalized(y, t);
        Normalize(y);
        Cross(y, z, t);
        CopyNormalized(x, t);
        Normalize(x);
    } else {
        Cross(y, z, t);
        CopyNormalized(x, t);
        Normalize(x);
        Cross(z, x, t);
        CopyNormalized(y, t);
        Normalize(y);
    }
    WriteFrame(record, x, y, z, sample);
    record->SetPt(sample[0], sample[1], sample[2]);
}

void BuildFrameFromPoint(const double* point, ZDEV_SCAN_DATA* record) {
    if (!record)
        return;
    record->type = 6;
    record->SetPt(point[0], point[1], point[2]);
    const double length =
        std::sqrt(point[0] * point[0] + point[1] * point[1] + point[2] * point[2]);
    double d[3] = {0, 0, 1};
    if (length > 0) {
        d[0] = point[0] / length;
        d[1] = point[1] / length;
        d[2] = point[2] / length;
    }
    // The line of sight is undefined for a point at the tracker's origin: the
    // frame then takes the up direction as its Z axis.
    double h[3] = {1, 0, 0};
    if (d[0] > 0.9) {
        h[0] = 0;
        h[1] = 1;
    }
    double u[3], w[3];
    Cross(d, h, u);
    if (u[0] == 0 && u[1] == 0 && u[2] == 0) {
        // A point on the negative X axis lies along the auxiliary axis: take
        // the other one.
        h[0] = 0;
        h[1] = 1;
        h[2] = 0;
        Cross(d, h, u);
    }
    Cross(u, d, w);
    const double lu = std::sqrt(u[0] * u[0] + u[1] * u[1] + u[2] * u[2]);
    const double lw = std::sqrt(w[0] * w[0] + w[1] * w[1] + w[2] * w[2]);
    for (int i = 0; i < 3; ++i) {
        u[i] /= lu;
        w[i] /= lw;
    }
    WriteFrame(record, w, u, d, record->GetPts());
}
