// Building blocks of the 3D scene: boxes, quads, arrows and lines appended
// to a display list. Shapes with a coordinate that is not finite are left
// out, so bad project data can never reach the renderer.
#pragma once

#include <array>
#include <vector>

#include "scene3d.h"

namespace kestra::view3d {

inline Vec3 operator+(Vec3 a, Vec3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
inline Vec3 operator-(Vec3 a, Vec3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
inline Vec3 operator*(Vec3 a, double k) { return {a.x * k, a.y * k, a.z * k}; }
double Dot(Vec3 a, Vec3 b);
Vec3 Cross(Vec3 a, Vec3 b);
double Length(Vec3 a);
// The zero vector stays zero.
Vec3 Normalised(Vec3 a);
bool Finite(Vec3 a);

inline constexpr Rgba WithAlpha(Rgba c, float a) { return {c.r, c.g, c.b, a}; }

// A hexahedron: corners 0..3 one end face, 4..7 the other end face in the
// same order.
using Corners = std::array<Vec3, 8>;
Corners AxisBox(Vec3 low, Vec3 high);

// Faces (with outward normals) and, when `outline` is given, the 12 edges.
void AddBox(DisplayList& list, const Corners& c, Rgba face, Rgba outline);
void AddBoxFaces(DisplayList& list, const Corners& c, Rgba face);
void AddBoxEdges(DisplayList& list, const Corners& c, Rgba outline);

// A flat quad with its outline; the corners go round the quad.
void AddQuad(DisplayList& list, const std::array<Vec3, 4>& q, Rgba face,
             Rgba outline);
void AddQuadFace(DisplayList& list, const std::array<Vec3, 4>& q, Rgba face);

// Line segments: every two points one segment.
void AddLines(DisplayList& list, const std::vector<Vec3>& points, Rgba colour);

// An arrow from `tail` to `tip`: a line shaft and a four-sided head of
// length `head` (at most half the arrow).
void AddArrow(DisplayList& list, Vec3 tail, Vec3 tip, double head, Rgba colour);

}  // namespace kestra::view3d
