// How the 3D view looks at its scene, without any drawing: the orthographic
// set-up, the model-view transform and what the mouse and the view commands
// do to it.
//
// Screen coordinates here are pixels of the client area with the origin at
// its top left and y downward, as mouse events give them; the projection
// puts the client's centre at the origin with y upward.
#pragma once

#include <array>

#include "scene3d.h"

namespace kestra::view3d {

// Kept for the life of the program run, so a reopened view looks the same.
struct ViewState {
  // User rotations about x, y and z in degrees, applied after the fixed
  // -90 degrees about x that stands the scene's z axis up on the screen.
  std::array<double, 3> angle{0.0, 0.0, 0.0};
  Vec3 translation;  // world units, applied before the rotation
  double zoom = 1.0;
  double fit = 1.0;  // pixels per world unit at zoom 1
  bool centred = false;  // the translation has been set for a scene ...
  SceneExtents centred_for;  // ... of these extents
};

inline constexpr double kZoomInFactor = 1.4142;
inline constexpr double kZoomOutFactor = 0.70711356;  // 1 / 1.4142

// The orthographic projection over a client area.
struct Ortho {
  double half_width = 0.0;
  double half_height = 0.0;
  double depth = 0.0;  // near and far planes at -depth and +depth
  double fit = 1.0;    // pixels per world unit that fit the scene
};

Ortho OrthoFor(int width, int height, const SceneExtents& extents);

// Row-major 3 x 3 rotation: the fixed turn, then the three user angles.
using Matrix3 = std::array<double, 9>;
Matrix3 ViewRotation(const ViewState& view);

// Column-major 4 x 4 model-view matrix (rotation x scale x translation) as
// the fixed-function pipeline loads it.
std::array<double, 16> ModelViewMatrix(const ViewState& view);

// Where a world point lands: pixels from the client's centre, y upward, and
// the depth toward the viewer.
Vec3 ToScreen(const ViewState& view, const Vec3& world);

// The scene's centre at the client's centre.
void CentreOn(ViewState& view, const SceneExtents& extents);

// A drag of (dx, dy) screen pixels. With `constrain` (Shift) only the larger
// component counts.
void Pan(ViewState& view, double dx, double dy, bool constrain);
void Rotate(ViewState& view, double dx, double dy, int width, int height,
            bool constrain);
// Zoom from the zoom at the press for a vertical drag `dy` (downward
// positive) over a client `height` pixels high.
void ZoomDrag(ViewState& view, double zoom_at_press, double dy, int height);

// A rubber band from (x0, y0) to (x1, y1): centres the view on it and zooms
// so it fills the client. False, with the view untouched, for a band without
// area.
bool ZoomWindow(ViewState& view, double x0, double y0, double x1, double y1,
                int width, int height);

// 1 side section, 2 elevation of the wall face, 3 plan, 4 oblique.
void SetView(ViewState& view, int which);
void ReverseView(ViewState& view);
// Angles cleared, zoom 1, re-centred.
void Restart(ViewState& view, const SceneExtents& extents);

}  // namespace kestra::view3d
