// Least-squares shapes through measured points, for the session summary:
// a sphere (algebraic fit), a plane (smallest principal axis) and a cylinder
// (axis across the surface normals, then a circle in the plane across it).
#pragma once

#include <vector>

struct Vec3 {
    double x = 0, y = 0, z = 0;
};

struct FittedShape {
    bool ok = false;
    Vec3 centre;         // sphere centre; plane: the points' centroid; a point on the cylinder axis
    Vec3 axis;           // plane normal; cylinder axis (unit); unused for a sphere
    double radius = 0;   // sphere and cylinder
    double residual = 0; // RMS distance of the points from the fitted surface
};

FittedShape FitSphere(const std::vector<Vec3>& points);
FittedShape FitPlane(const std::vector<Vec3>& points);
// normals: the surface normal at each point (any length, either sign).
FittedShape FitCylinder(const std::vector<Vec3>& points, const std::vector<Vec3>& normals);

// The eigenvector of the smallest eigenvalue of a symmetric 3x3 matrix.
Vec3 SmallestEigenvector(const double (&m)[3][3]);
