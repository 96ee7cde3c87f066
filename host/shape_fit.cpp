#include "host/shape_fit.h"

#include <array>
#include <cmath>
#include <utility>

namespace {

Vec3 operator-(Vec3 a, Vec3 b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
Vec3 operator+(Vec3 a, Vec3 b) {
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}
Vec3 operator*(double s, Vec3 v) {
    return {s * v.x, s * v.y, s * v.z};
}
double Dot(Vec3 a, Vec3 b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
Vec3 Cross(Vec3 a, Vec3 b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
double Length(Vec3 v) {
    return std::sqrt(Dot(v, v));
}

Vec3 Centroid(const std::vector<Vec3>& points) {
    Vec3 sum;
    for (const Vec3& p : points)
        sum = sum + p;
    return (1.0 / static_cast<double>(points.size())) * sum;
}

// Solves a x = b (n unknowns, augmented matrix a[n][n+1]) by Gaussian
// elimination with partial pivoting; false when singular.
template <int N> bool Solve(double (&a)[N][N + 1], double (&x)[N]) {
    for (int col = 0; col < N; ++col) {
        int pivot = col;
        for (int row = col + 1; row < N; ++row)
            if (std::fabs(a[row][col]) > std::fabs(a[pivot][col]))
                pivot = row;
        if (std::fabs(a[pivot][col]) < 1e-300)
            return false;
        for (int k = 0; k <= N; ++k)
            std::swap(a[col][k], a[pivot][k]);
        for (int row = col + 1; row < N; ++row) {
            const double f = a[row][col] / a[col][col];
            for (int k = col; k <= N; ++k)
                a[row][k] -= f * a[col][k];
        }
    }
    for (int row = N - 1; row >= 0; --row) {
        double sum = a[row][N];
        for (int k = row + 1; k < N; ++k)
            sum -= a[row][k] * x[k];
        x[row] = sum / a[row][row];
    }
    return true;
}

// Kasa's circle (or sphere) fit on coordinates relative to the centroid:
// |p|^2 = 2 c.p + d, least squares over c and d.
template <int D>
bool FitRound(const std::vector<std::array<double, D>>& q, double (&c)[D], double& r) {
    double a[D + 1][D + 2] = {};
    for (const auto& p : q) {
        double row[D + 1];
        double squared = 0;
        for (int i = 0; i < D; ++i) {
            row[i] = 2 * p[i];
            squared += p[i] * p[i];
        }
        row[D] = 1;
        for (int i = 0; i <= D; ++i) {
            for (int k = 0; k <= D; ++k)
                a[i][k] += row[i] * row[k];
            a[i][D + 1] += row[i] * squared;
        }
    }
    double x[D + 1];
    if (!Solve<D + 1>(a, x))
        return false;
    double squared = x[D];
    for (int i = 0; i < D; ++i) {
        c[i] = x[i];
        squared += x[i] * x[i];
    }
    if (!(squared > 0))
        return false;
    r = std::sqrt(squared);
    return true;
}

} // namespace

Vec3 SmallestEigenvector(const double (&m)[3][3]) {
    // Cyclic Jacobi rotations: a symmetric 3x3 converges in a few sweeps.
    double a[3][3], v[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    for (int i = 0; i < 3; ++i)
        for (int k = 0; k < 3; ++k)
            a[i][k] = m[i][k];
    for (int sweep = 0; sweep < 50; ++sweep) {
        const double off = a[0][1] * a[0][1] + a[0][2] * a[0][2] + a[1][2] * a[1][2];
        if (off < 1e-30)
            break;
        for (int p = 0; p < 2; ++p) {
            for (int q = p + 1; q < 3; ++q) {
                if (std::fabs(a[p][q]) < 1e-300)
                    continue;
                const double theta = (a[q][q] - a[p][p]) / (2 * a[p][q]);
                const double t =
                    (theta >= 0 ? 1.0 : -1.0) / (std::fabs(theta) + std::sqrt(theta * theta + 1));
                const double c = 1 / std::sqrt(t * t + 1), s = t * c;
                for (int k = 0; k < 3; ++k) { // A = A J
                    const double akp = a[k][p], akq = a[k][q];
                    a[k][p] = c * akp - s * akq;
                    a[k][q] = s * akp + c * akq;
                }
                for (int k = 0; k < 3; ++k) { // A = J^T A
                    const double apk = a[p][k], aqk = a[q][k];
                    a[p][k] = c * apk - s * aqk;
                    a[q][k] = s * apk + c * aqk;
                }
                for (int k = 0; k < 3; ++k) {
                    const double vkp = v[k][p], vkq = v[k][q];
                    v[k][p] = c * vkp - s * vkq;
                    v[k][q] = s * vkp + c * vkq;
                }
            }
        }
    }
    int smallest = 0;
    for (int i = 1; i < 3; ++i)
        if (a[i][i] < a[smallest][smallest])
            smallest = i;
    return {v[0][smallest], v[1][smallest], v[2][smallest]};
}

FittedShape FitSphere(const std::vector<Vec3>& points) {
    FittedShape fit;
    if (points.size() < 4)
        return fit;
    const Vec3 mean = Centroid(points);
    std::vector<std::array<double, 3>> q;
    q.reserve(points.size());
    for (const Vec3& p : points) {
        const Vec3 d = p - mean;
        q.push_back({d.x, d.y, d.z});
    }
    double c[3];
    if (!FitRound<3>(q, c, fit.radius))
        return fit;
    fit.centre = mean + Vec3{c[0], c[1], c[2]};
    double sum = 0;
    for (const Vec3& p : points) {
        const double e = Length(p - fit.centre) - fit.radius;
        sum += e * e;
    }
    fit.residual = std::sqrt(sum / static_cast<double>(points.size()));
    fit.ok = std::isfinite(fit.residual);
    return fit;
}

FittedShape FitPlane(const std::vector<Vec3>& points) {
    FittedShape fit;
    if (points.size() < 3)
        return fit;
    fit.centre = Centroid(points);
    double m[3][3] = {};
    for (const Vec3& p : points) {
        const Vec3 d = p - fit.centre;
        const double v[3] = {d.x, d.y, d.z};
        for (int i = 0; i < 3; ++i)
            for (int k = 0; k < 3; ++k)
                m[i][k] += v[i] * v[k];
    }
    fit.axis = SmallestEigenvector(m);
    double sum = 0;
    for (const Vec3& p : points) {
        const double e = Dot(p - fit.centre, fit.axis);
        sum += e * e;
    }
    fit.residual = std::sqrt(sum / static_cast<double>(points.size()));
    fit.ok = std::isfinite(fit.residual) && Length(fit.axis) > 0.5;
    return fit;
}

FittedShape FitCylinder(const std::vector<Vec3>& points, const std::vector<Vec3>& normals) {
    FittedShape fit;
    if (points.size() < 5 || normals.size() != points.size())
        return fit;
    // The normals of a cylinder all lie across its axis.
    double m[3][3] = {};
    for (const Vec3& n : normals) {
        const double len = Length(n);
        if (!(len > 0))
            continue;
        const double v[3] = {n.x / len, n.y / len, n.z / len};
        for (int i = 0; i < 3; ++i)
            for (int k = 0; k < 3; ++k)
                m[i][k] += v[i] * v[k];
    }
    fit.axis = SmallestEigenvector(m);
    const Vec3 helper = std::fabs(fit.axis.x) < 0.9 ? Vec3{1, 0, 0} : Vec3{0, 1, 0};
    const Vec3 e1 = (1.0 / Length(Cross(fit.axis, helper))) * Cross(fit.axis, helper);
    const Vec3 e2 = Cross(fit.axis, e1);
    const Vec3 mean = Centroid(points);
    std::vector<std::array<double, 2>> q;
    q.reserve(points.size());
    for (const Vec3& p : points)
        q.push_back({Dot(p - mean, e1), Dot(p - mean, e2)});
    double c[2];
    if (!FitRound<2>(q, c, fit.radius))
        return fit;
    fit.centre = mean + c[0] * e1 + c[1] * e2;
    double sum = 0;
    for (const Vec3& p : points) {
        const Vec3 d = p - fit.centre;
        const double e = Length(d - Dot(d, fit.axis) * fit.axis) - fit.radius;
        sum += e * e;
    }
    fit.residual = std::sqrt(sum / static_cast<double>(points.size()));
    fit.ok = std::isfinite(fit.residual);
    return fit;
}
