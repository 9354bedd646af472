#include "view3d_camera.h"

#include <gtest/gtest.h>

#include <cmath>

namespace kestra::view3d {
namespace {

constexpr int kWidth = 650;
constexpr int kHeight = 450;

// A scene 40 across, 20 along the wall and 30 deep below the wall top.
SceneExtents Extents() {
  SceneExtents e;
  e.across = 40.0;
  e.along = 20.0;
  e.top = 0.0;
  e.bottom = -30.0;
  e.largest = 40.0;
  e.centre = {0.0, 0.0, -15.0};
  return e;
}

ViewState Turned() {
  ViewState v;
  v.angle = {22.5, -10.0, 45.0};
  v.translation = {1.0, -2.0, 3.0};
  v.zoom = 1.7;
  v.fit = 12.0;
  return v;
}

void ExpectNear(const Vec3& a, const Vec3& b, double tolerance = 1e-9) {
  EXPECT_NEAR(a.x, b.x, tolerance);
  EXPECT_NEAR(a.y, b.y, tolerance);
  EXPECT_NEAR(a.z, b.z, tolerance);
}

TEST(View3dCamera, OrthoFitsTheSceneWithAMarginAndAmpleDepth) {
  const Ortho o = OrthoFor(kWidth, kHeight, Extents());
  EXPECT_DOUBLE_EQ(o.half_width, 325.0);
  EXPECT_DOUBLE_EQ(o.half_height, 225.0);
  // min(600 / 40, 400 / 30)
  EXPECT_DOUBLE_EQ(o.fit, 400.0 / 30.0);
  EXPECT_DOUBLE_EQ(o.depth, 1.0 * 325.0 * 640.0);

  // An empty scene and a client smaller than the margin still give a
  // usable, positive set-up.
  const Ortho empty = OrthoFor(20, 0, SceneExtents{});
  EXPECT_GT(empty.fit, 0.0);
  EXPECT_GT(empty.depth, 0.0);
  EXPECT_TRUE(std::isfinite(empty.fit));
}

// Without user angles the scene is seen from the side: across to the right,
// up the screen, the wall face running away from the viewer.
TEST(View3dCamera, SideViewStandsTheSceneUp) {
  ViewState v;
  v.fit = 2.0;
  ExpectNear(ToScreen(v, {1, 0, 0}), {2, 0, 0});
  ExpectNear(ToScreen(v, {0, 0, 1}), {0, 2, 0});
  ExpectNear(ToScreen(v, {0, 1, 0}), {0, 0, -2});
}

TEST(View3dCamera, ModelViewMatrixAgreesWithToScreen) {
  const ViewState v = Turned();
  const std::array<double, 16> m = ModelViewMatrix(v);
  const Vec3 w{3.0, -4.0, -7.5};
  const Vec3 s = ToScreen(v, w);
  ExpectNear({m[0] * w.x + m[4] * w.y + m[8] * w.z + m[12],
              m[1] * w.x + m[5] * w.y + m[9] * w.z + m[13],
              m[2] * w.x + m[6] * w.y + m[10] * w.z + m[14]},
             s);
  EXPECT_DOUBLE_EQ(m[15], 1.0);
}

TEST(View3dCamera, PresetViewsLookAlongTheAxes) {
  struct Row {
    int view;
    Vec3 world;   // a unit world direction
    Vec3 screen;  // where it points on the screen at scale 1
  };
  // clang-format off
  const Row rows[] = {
      {1, {0, 0, 1}, {0, 1, 0}},   // side: up is up
      {2, {0, 0, 1}, {0, 1, 0}},   // elevation: up is up ...
      {2, {0, 1, 0}, {-1, 0, 0}},  // ... and the wall face runs across
      {3, {1, 0, 0}, {1, 0, 0}},   // plan: across to the right ...
      {3, {0, 0, 1}, {0, 0, 1}},   // ... and up toward the viewer
  };
  // clang-format on
  for (const Row& row : rows) {
    SCOPED_TRACE(row.view);
    ViewState v = Turned();
    v.translation = {};
    v.zoom = 1.0;
    v.fit = 1.0;
    SetView(v, row.view);
    ExpectNear(ToScreen(v, row.world), row.screen);
  }

  ViewState oblique = Turned();
  SetView(oblique, 4);
  EXPECT_EQ(oblique.angle, (std::array<double, 3>{22.5, 0.0, 45.0}));
  SetView(oblique, 1);
  EXPECT_EQ(oblique.angle, (std::array<double, 3>{0.0, 0.0, 0.0}));
}

TEST(View3dCamera, ReverseViewLooksFromTheOtherSide) {
  ViewState v;
  ReverseView(v);
  EXPECT_DOUBLE_EQ(v.angle[2], 180.0);
  ExpectNear(ToScreen(v, {1, 0, 0}), {-1, 0, 0});
  ReverseView(v);
  ExpectNear(ToScreen(v, {1, 0, 0}), {1, 0, 0});
}

TEST(View3dCamera, ZoomInThenOutReturnsToTheSameZoom) {
  ViewState v = Turned();
  const double before = v.zoom;
  v.zoom *= kZoomInFactor;
  EXPECT_NEAR(v.zoom, before * 1.4142, 1e-12);
  v.zoom *= kZoomOutFactor;
  EXPECT_NEAR(v.zoom, before, 1e-7 * before);
}

TEST(View3dCamera, RestartClearsTheViewAndCentresTheScene) {
  ViewState v = Turned();
  Restart(v, Extents());
  EXPECT_EQ(v.angle, (std::array<double, 3>{0.0, 0.0, 0.0}));
  EXPECT_DOUBLE_EQ(v.zoom, 1.0);
  EXPECT_TRUE(v.centred);
  ExpectNear(ToScreen(v, Extents().centre), {0, 0, 0});
}

// The grabbed point follows the cursor, whatever the angles and zoom.
TEST(View3dCamera, PanMovesTheSceneWithTheCursor) {
  ViewState v = Turned();
  const Vec3 point{5.0, 2.0, -8.0};
  const Vec3 before = ToScreen(v, point);
  Pan(v, 30.0, -12.0, false);  // right and up
  const Vec3 after = ToScreen(v, point);
  EXPECT_NEAR(after.x - before.x, 30.0, 1e-9);
  EXPECT_NEAR(after.y - before.y, 12.0, 1e-9);
  EXPECT_NEAR(after.z, before.z, 1e-9);
}

TEST(View3dCamera, ShiftKeepsOnlyTheLargerDragComponent) {
  struct Row {
    double dx, dy;
    double moved_x, moved_y;  // screen movement, y upward
  };
  // clang-format off
  const Row rows[] = {
      { 30.0, -12.0,  30.0,  0.0},
      {  5.0,  20.0,   0.0, -20.0},
      {-40.0,  39.0, -40.0,  0.0},
  };
  // clang-format on
  for (const Row& row : rows) {
    SCOPED_TRACE(row.dx);
    ViewState v = Turned();
    const Vec3 point{5.0, 2.0, -8.0};
    const Vec3 before = ToScreen(v, point);
    Pan(v, row.dx, row.dy, true);
    const Vec3 after = ToScreen(v, point);
    EXPECT_NEAR(after.x - before.x, row.moved_x, 1e-9);
    EXPECT_NEAR(after.y - before.y, row.moved_y, 1e-9);

    ViewState turned;
    Rotate(turned, row.dx, row.dy, kWidth, kHeight, true);
    // From the side view a horizontal drag turns about the vertical (z),
    // a vertical one about the screen's x axis (the first angle).
    if (row.moved_x != 0.0) {
      EXPECT_NEAR(turned.angle[0], 0.0, 1e-9);
      EXPECT_NEAR(turned.angle[2], 90.0 * row.dx / kWidth, 1e-9);
    } else {
      EXPECT_NEAR(turned.angle[0], 90.0 * row.dy / kHeight, 1e-9);
      EXPECT_NEAR(turned.angle[2], 0.0, 1e-9);
    }
  }
}

TEST(View3dCamera, RotateIncrementHasTheDragsLength) {
  ViewState v = Turned();
  const std::array<double, 3> before = v.angle;
  Rotate(v, 65.0, 45.0, kWidth, kHeight, false);
  double length = 0.0;
  for (int k = 0; k < 3; ++k) {
    length += (v.angle[k] - before[k]) * (v.angle[k] - before[k]);
  }
  EXPECT_NEAR(std::sqrt(length), std::hypot(9.0, 9.0), 1e-9);
}

TEST(View3dCamera, ZoomDragFollowsTheVerticalDragAndStaysPositive) {
  ViewState v;
  ZoomDrag(v, 2.0, -kHeight / 2.0, kHeight);  // half a client upward
  EXPECT_DOUBLE_EQ(v.zoom, 3.0);
  ZoomDrag(v, 2.0, kHeight / 4.0, kHeight);
  EXPECT_DOUBLE_EQ(v.zoom, 1.5);
  // Dragged past the bottom edge the scene shrinks but never turns over.
  ZoomDrag(v, 2.0, 3.0 * kHeight, kHeight);
  EXPECT_GT(v.zoom, 0.0);
  EXPECT_LT(v.zoom, 2.0);
}

TEST(View3dCamera, ZoomWindowCentresOnTheBandAndFillsTheClient) {
  ViewState v = Turned();
  // A band right of and above the centre, 130 x 45 pixels: the width
  // limits (650 / 130 = 5 against 450 / 45 = 10).
  const double x0 = 400, y0 = 100, x1 = 530, y1 = 145;
  // The world point at the band's centre, at the depth of the centre.
  const double cx = (x0 + x1) / 2 - kWidth / 2.0;
  const double cy = kHeight / 2.0 - (y0 + y1) / 2;
  ViewState probe = v;
  Pan(probe, -cx, cy, false);
  const Vec3 centre_world{-probe.translation.x, -probe.translation.y,
                          -probe.translation.z};
  const Vec3 on_screen = ToScreen(v, centre_world);

  const double zoom = v.zoom;
  ASSERT_TRUE(ZoomWindow(v, x1, y1, x0, y0, kWidth, kHeight));  // any corner order
  EXPECT_NEAR(v.zoom, zoom * 5.0, 1e-9);
  const Vec3 moved = ToScreen(v, centre_world);
  EXPECT_NEAR(on_screen.x, cx, 1e-9);
  EXPECT_NEAR(moved.x, 0.0, 1e-9);
  EXPECT_NEAR(moved.y, 0.0, 1e-9);
}

TEST(View3dCamera, ZoomWindowWithoutAreaLeavesTheViewAlone) {
  for (const auto& band : {std::array<double, 4>{100, 100, 100, 100},
                           std::array<double, 4>{100, 100, 200, 100},
                           std::array<double, 4>{100, 100, 100, 300}}) {
    ViewState v = Turned();
    EXPECT_FALSE(ZoomWindow(v, band[0], band[1], band[2], band[3], kWidth, kHeight));
    EXPECT_EQ(v.zoom, Turned().zoom);
    EXPECT_EQ(v.translation.x, Turned().translation.x);
  }
}

}  // namespace
}  // namespace kestra::view3d
