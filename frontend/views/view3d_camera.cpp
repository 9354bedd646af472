#include "view3d_camera.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace kestra::view3d {
namespace {

constexpr double kDegree = std::numbers::pi / 180.0;
// The user's zoom drag cannot turn the scene inside out: a drag past the
// client's bottom edge would give a zoom of zero or less.
constexpr double kSmallestZoomStep = 0.05;

Matrix3 Multiply(const Matrix3& a, const Matrix3& b) {
  Matrix3 c{};
  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j < 3; ++j) {
      double sum = 0.0;
      for (int k = 0; k < 3; ++k) sum += a[3 * i + k] * b[3 * k + j];
      c[3 * i + j] = sum;
    }
  }
  return c;
}

// Counter-clockwise about the axis (0 x, 1 y, 2 z), as glRotate turns.
Matrix3 AxisRotation(int axis, double degrees) {
  const double c = std::cos(degrees * kDegree);
  const double s = std::sin(degrees * kDegree);
  switch (axis) {
    case 0:
      return {1, 0, 0, 0, c, -s, 0, s, c};
    case 1:
      return {c, 0, s, 0, 1, 0, -s, 0, c};
    default:
      return {c, -s, 0, s, c, 0, 0, 0, 1};
  }
}

Vec3 Apply(const Matrix3& m, const Vec3& v) {
  return {m[0] * v.x + m[1] * v.y + m[2] * v.z,
          m[3] * v.x + m[4] * v.y + m[5] * v.z,
          m[6] * v.x + m[7] * v.y + m[8] * v.z};
}

// The inverse of a rotation is its transpose.
Vec3 ApplyTransposed(const Matrix3& m, const Vec3& v) {
  return {m[0] * v.x + m[3] * v.y + m[6] * v.z,
          m[1] * v.x + m[4] * v.y + m[7] * v.z,
          m[2] * v.x + m[5] * v.y + m[8] * v.z};
}

double Scale(const ViewState& view) { return view.zoom * view.fit; }

// Angles stay small numbers however long the user turns the scene.
double Wrapped(double degrees) { return std::fmod(degrees, 360.0); }

void Constrain(double& dx, double& dy) {
  if (std::abs(dx) >= std::abs(dy)) {
    dy = 0.0;
  } else {
    dx = 0.0;
  }
}

}  // namespace

Ortho OrthoFor(int width, int height, const SceneExtents& extents) {
  Ortho o;
  o.half_width = std::max(width, 1) / 2.0;
  o.half_height = std::max(height, 1) / 2.0;
  const double vertical = extents.top - extents.bottom;
  // The 50 pixels leave a margin round the scene.
  const double usable_w = std::max(width - 50, 1);
  const double usable_h = std::max(height - 50, 1);
  if (extents.across > 0.0 && vertical > 0.0) {
    o.fit = std::min(usable_w / extents.across, usable_h / vertical);
  } else if (extents.across > 0.0) {
    o.fit = usable_w / extents.across;
  } else if (vertical > 0.0) {
    o.fit = usable_h / vertical;
  }
  // Deep enough for the scene at any reasonable zoom.
  const double ratio = extents.across > 0.0 && extents.largest > 0.0
                           ? extents.largest / extents.across
                           : 1.0;
  o.depth = ratio * std::max(o.half_width, o.half_height) * 640.0;
  return o;
}

Matrix3 ViewRotation(const ViewState& view) {
  Matrix3 r = AxisRotation(0, -90.0);
  for (int axis = 0; axis < 3; ++axis) {
    r = Multiply(r, AxisRotation(axis, view.angle[axis]));
  }
  return r;
}

std::array<double, 16> ModelViewMatrix(const ViewState& view) {
  const Matrix3 r = ViewRotation(view);
  const double s = Scale(view);
  const Vec3 t = Apply(r, view.translation);
  std::array<double, 16> m{};
  for (int row = 0; row < 3; ++row) {
    for (int col = 0; col < 3; ++col) m[4 * col + row] = s * r[3 * row + col];
  }
  m[12] = s * t.x;
  m[13] = s * t.y;
  m[14] = s * t.z;
  m[15] = 1.0;
  return m;
}

Vec3 ToScreen(const ViewState& view, const Vec3& world) {
  const double s = Scale(view);
  const Vec3 moved{world.x + view.translation.x, world.y + view.translation.y,
                   world.z + view.translation.z};
  const Vec3 p = Apply(ViewRotation(view), moved);
  return {s * p.x, s * p.y, s * p.z};
}

void CentreOn(ViewState& view, const SceneExtents& extents) {
  view.translation = {-extents.centre.x, -extents.centre.y, -extents.centre.z};
  view.centred = true;
  view.centred_for = extents;
}

void Pan(ViewState& view, double dx, double dy, bool constrain) {
  if (constrain) Constrain(dx, dy);
  const double s = Scale(view);
  if (s <= 0.0) return;
  // The drag in world units: the scene follows the cursor.
  const Vec3 d = ApplyTransposed(ViewRotation(view), {dx / s, -dy / s, 0.0});
  view.translation.x += d.x;
  view.translation.y += d.y;
  view.translation.z += d.z;
}

void Rotate(ViewState& view, double dx, double dy, int width, int height,
            bool constrain) {
  if (width <= 0 || height <= 0) return;
  if (constrain) Constrain(dx, dy);
  // A vertical drag turns about the screen's x axis, a horizontal one about
  // its y axis, 90 degrees per client height or width.
  const Vec3 turn{90.0 * dy / height, 90.0 * dx / width, 0.0};
  // A rotation keeps the length, so the increment has the drag's length.
  const Vec3 d = ApplyTransposed(ViewRotation(view), turn);
  view.angle[0] = Wrapped(view.angle[0] + d.x);
  view.angle[1] = Wrapped(view.angle[1] + d.y);
  view.angle[2] = Wrapped(view.angle[2] + d.z);
}

void ZoomDrag(ViewState& view, double zoom_at_press, double dy, int height) {
  if (height <= 0) return;
  view.zoom = zoom_at_press * std::max(1.0 - dy / height, kSmallestZoomStep);
}

bool ZoomWindow(ViewState& view, double x0, double y0, double x1, double y1,
                int width, int height) {
  const double band_w = std::abs(x1 - x0);
  const double band_h = std::abs(y1 - y0);
  if (band_w <= 0.0 || band_h <= 0.0 || width <= 0 || height <= 0) return false;
  const double cx = (x0 + x1) / 2.0 - width / 2.0;
  const double cy = height / 2.0 - (y0 + y1) / 2.0;
  Pan(view, -cx, cy, false);
  view.zoom *= std::min(height / band_h, width / band_w);
  return true;
}

void SetView(ViewState& view, int which) {
  // Each view is a fixed direction, whatever the angles were before.
  view.angle = {0.0, 0.0, 0.0};
  switch (which) {
    case 2:
      view.angle[2] = 90.0;
      break;
    case 3:
      view.angle[0] = 90.0;
      break;
    case 4:
      view.angle[0] = 22.5;
      view.angle[2] = 45.0;
      break;
    default:
      break;
  }
}

void ReverseView(ViewState& view) {
  view.angle[2] = Wrapped(view.angle[2] + 180.0);
}

void Restart(ViewState& view, const SceneExtents& extents) {
  view.angle = {0.0, 0.0, 0.0};
  view.zoom = 1.0;
  CentreOn(view, extents);
}

}  // namespace kestra::view3d
