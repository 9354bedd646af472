#include "scene3d_shapes.h"

#include <algorithm>
#include <cmath>

namespace kestra::view3d {

double Dot(Vec3 a, Vec3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

Vec3 Cross(Vec3 a, Vec3 b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

double Length(Vec3 a) { return std::sqrt(Dot(a, a)); }

Vec3 Normalised(Vec3 a) {
  const double len = Length(a);
  return len > 0 && std::isfinite(len) ? a * (1.0 / len) : Vec3{};
}

bool Finite(Vec3 a) {
  return std::isfinite(a.x) && std::isfinite(a.y) && std::isfinite(a.z);
}

namespace {

template <size_t N>
bool AllFinite(const std::array<Vec3, N>& points) {
  return std::all_of(points.begin(), points.end(), Finite);
}

Vec3 Centroid(const Corners& c) {
  Vec3 sum;
  for (const Vec3& p : c) sum = sum + p;
  return sum * (1.0 / 8.0);
}

Primitive& NewPrimitive(DisplayList& list, PrimitiveKind kind, Rgba colour) {
  Primitive& p = list.items.emplace_back();
  p.kind = kind;
  p.colour = colour;
  return p;
}

// Two triangles of quad a-b-c-d with one flat normal, turned away from
// `inside`.
void AppendQuad(Primitive& p, Vec3 a, Vec3 b, Vec3 c, Vec3 d, Vec3 inside) {
  Vec3 normal = Normalised(Cross(c - a, d - b));
  const Vec3 mid = (a + b + c + d) * 0.25;
  if (Dot(normal, mid - inside) < 0) normal = normal * -1.0;
  for (const Vec3& v : {a, b, c, a, c, d}) {
    p.vertices.push_back(v);
    p.normals.push_back(normal);
  }
}

constexpr int kFaces[6][4] = {{0, 1, 2, 3}, {4, 5, 6, 7}, {0, 1, 5, 4},
                              {1, 2, 6, 5}, {2, 3, 7, 6}, {3, 0, 4, 7}};

}  // namespace

Corners AxisBox(Vec3 low, Vec3 high) {
  return {Vec3{low.x, low.y, low.z},   Vec3{high.x, low.y, low.z},
          Vec3{high.x, high.y, low.z}, Vec3{low.x, high.y, low.z},
          Vec3{low.x, low.y, high.z},  Vec3{high.x, low.y, high.z},
          Vec3{high.x, high.y, high.z}, Vec3{low.x, high.y, high.z}};
}

void AddBoxFaces(DisplayList& list, const Corners& c, Rgba face) {
  if (!AllFinite(c)) return;
  Primitive& p = NewPrimitive(list, PrimitiveKind::kTriangles, face);
  const Vec3 inside = Centroid(c);
  for (const auto& f : kFaces) {
    AppendQuad(p, c[f[0]], c[f[1]], c[f[2]], c[f[3]], inside);
  }
}

void AddBoxEdges(DisplayList& list, const Corners& c, Rgba outline) {
  if (!AllFinite(c)) return;
  Primitive& p = NewPrimitive(list, PrimitiveKind::kLines, outline);
  for (int i = 0; i < 4; ++i) {
    const int j = (i + 1) % 4;
    for (const Vec3& v : {c[i], c[j], c[i + 4], c[j + 4], c[i], c[i + 4]}) {
      p.vertices.push_back(v);
    }
  }
}

void AddBox(DisplayList& list, const Corners& c, Rgba face, Rgba outline) {
  AddBoxFaces(list, c, face);
  AddBoxEdges(list, c, outline);
}

void AddQuadFace(DisplayList& list, const std::array<Vec3, 4>& q, Rgba face) {
  if (!AllFinite(q)) return;
  Primitive& p = NewPrimitive(list, PrimitiveKind::kTriangles, face);
  // A plane has no inside: face it upward or toward +x, +y.
  Vec3 normal = Normalised(Cross(q[2] - q[0], q[3] - q[1]));
  if (normal.z < 0 || (normal.z == 0 && normal.x + normal.y < 0)) {
    normal = normal * -1.0;
  }
  for (const Vec3& v : {q[0], q[1], q[2], q[0], q[2], q[3]}) {
    p.vertices.push_back(v);
    p.normals.push_back(normal);
  }
}

void AddQuad(DisplayList& list, const std::array<Vec3, 4>& q, Rgba face,
             Rgba outline) {
  if (!AllFinite(q)) return;
  AddQuadFace(list, q, face);
  AddLines(list, {q[0], q[1], q[1], q[2], q[2], q[3], q[3], q[0]}, outline);
}

void AddLines(DisplayList& list, const std::vector<Vec3>& points,
              Rgba colour) {
  if (points.size() < 2) return;
  if (!std::all_of(points.begin(), points.end(), Finite)) return;
  Primitive& p = NewPrimitive(list, PrimitiveKind::kLines, colour);
  p.vertices.assign(points.begin(), points.end() - points.size() % 2);
}

void AddArrow(DisplayList& list, Vec3 tail, Vec3 tip, double head,
              Rgba colour) {
  const Vec3 along = tip - tail;
  const double len = Length(along);
  if (!(len > 0) || !std::isfinite(len) || !Finite(tail)) return;
  head = std::clamp(head, 0.0, len / 2);
  const Vec3 dir = along * (1.0 / len);
  const Vec3 base = tip - dir * head;
  AddLines(list, {tail, base}, colour);
  // Two directions across the arrow.
  const Vec3 helper = std::abs(dir.z) < 0.9 ? Vec3{0, 0, 1} : Vec3{1, 0, 0};
  const Vec3 u = Normalised(Cross(dir, helper)) * (head / 3);
  const Vec3 v = Normalised(Cross(dir, u)) * (head / 3);
  const std::array<Vec3, 4> rim = {base + u, base + v, base - u, base - v};
  Primitive& p = NewPrimitive(list, PrimitiveKind::kTriangles, colour);
  for (int i = 0; i < 4; ++i) {
    const Vec3 a = rim[static_cast<size_t>(i)];
    const Vec3 b = rim[static_cast<size_t>((i + 1) % 4)];
    const Vec3 normal = Normalised(Cross(b - a, tip - a));
    for (const Vec3& w : {a, b, tip}) {
      p.vertices.push_back(w);
      p.normals.push_back(normal);
    }
  }
  AppendQuad(p, rim[0], rim[1], rim[2], rim[3], tip);
}

}  // namespace kestra::view3d
