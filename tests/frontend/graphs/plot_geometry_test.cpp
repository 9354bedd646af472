#include "plot_geometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace kestra {
namespace {

constexpr long double kNaN = std::numeric_limits<long double>::quiet_NaN();
constexpr long double kInf = std::numeric_limits<long double>::infinity();

double D(long double v) { return static_cast<double>(v); }

TEST(PlotGeometry, AxisRangeRounding) {
  struct Row {
    const char* name;
    long double min, max, want_min, want_max;
  };
  // clang-format off
  const Row rows[] = {
      {"all zero widens",      0,       0,      -0.01L,  0.01L},
      {"250: mantissa < 3",    0,     250,       0,      250},
      {"237 rounds up by 10",  0,     237,       0,      240},
      {"500: unit 100",        0,     500,       0,      500},
      {"437 rounds to 500",    0,     437,       0,      500},
      {"300: mantissa 3",      0,     300,       0,      300},
      {"299: unit 10",         0,     299,       0,      300},
      {"exact power of ten",   0,    1000,       0,     1000},
      {"negative side",    -12.3L,      0,     -13,        0},
      {"both sides small", -0.0234L, 0.0071L, -0.03L,   0.01L},
      {"away from zero",      -5,      95,     -10,      100},
      {"tiny values",          0, 0.00045L,      0,  0.0005L},
      {"equal non-zero",       5,       5,   4.99L,    5.01L},
      {"reversed ends",       10,      -3,      -3,       10},
      {"NaN end",           kNaN,       1,  -0.01L,    0.01L},
      {"infinite end",         0,    kInf,  -0.01L,    0.01L},
  };
  // clang-format on
  for (const Row& r : rows) {
    const AxisRange got = RoundAxisRange({r.min, r.max});
    EXPECT_EQ(got.Min, r.want_min) << r.name;
    EXPECT_EQ(got.Max, r.want_max) << r.name;
  }
}

TEST(PlotGeometry, GroupRangeHoldsZeroAndEveryCurve) {
  TGraphPlot plot("Deflection", "Curve #");
  plot.SetLineCount(CurveGroup::Lines, 2);
  plot.Line(CurveGroup::Lines, 0).Points = {{1, 2}, {237, 45}, {kNaN, 3}};
  // Hidden and inactive curves still count.
  TLine& hidden = plot.Line(CurveGroup::Lines, 1);
  hidden.Points = {{-3, 7}, {5, kInf}};
  hidden.Visible = false;
  hidden.Active = false;
  plot.SetLineCount(CurveGroup::Lines2, 1);
  plot.Line(CurveGroup::Lines2, 0).Points = {{-0.2L, -8}};

  const PanelRange main = GroupRange(plot, CurveGroup::Lines);
  EXPECT_EQ(main.X.Min, -10);
  EXPECT_EQ(main.X.Max, 240);
  EXPECT_EQ(main.Y.Min, 0);
  EXPECT_EQ(main.Y.Max, 50);

  const PanelRange second = GroupRange(plot, CurveGroup::Lines2);
  EXPECT_EQ(second.X.Min, -0.2L);
  EXPECT_EQ(second.X.Max, 0);
  EXPECT_EQ(second.Y.Min, -8);
  EXPECT_EQ(second.Y.Max, 0);

  const PanelRange none = GroupRange(plot, CurveGroup::Lines3);
  EXPECT_EQ(none.X.Min, -0.01L);
  EXPECT_EQ(none.Y.Max, 0.01L);
}

TEST(PlotGeometry, TickIntervals) {
  struct Row {
    int extent, h;
    bool three;
    int want;
  };
  // clang-format off
  const Row rows[] = {
      { 600, 20, false, 5},
      { 600, 20, true,  7},
      {-600, 20, false, 5},
      { 119, 20, false, 0},
      {  79, 20, true,  0},
      { 600,  0, false, 0},
      { 600, -5, false, 0},
  };
  // clang-format on
  for (const Row& r : rows) {
    EXPECT_EQ(TickIntervals(r.extent, r.h, r.three), r.want)
        << r.extent << " px, H " << r.h << (r.three ? ", three" : "");
  }
}

TEST(PlotGeometry, TickSteps) {
  struct Row {
    const char* name;
    long double min, max;
    int n;
    long double step;
    long long first, last;
  };
  // clang-format off
  const Row rows[] = {
      {"raw 50 -> 50",        0,     250,   5,    50,    0,  25},
      {"raw 25 -> 20",        0,     100,   4,    20,    0,  25},
      {"raw 14.3 -> 10",      0,     100,   7,    10,    0,  50},
      {"raw 4.3 -> 2",      -13,       0,   3,     2,  -32,   0},
      {"raw 0.01",            0,   0.02L,   2, 0.01L,    0,  10},
      {"symmetric",      -0.01L,   0.01L,   2, 0.01L,   -5,   5},
      {"raw 900 -> 1000",     0,     900,   1,  1000,    0,   4},
      {"raw 1000 exact",      0,    1000,   1,  1000,    0,   5},
      {"raw 3 -> 2",          0,       3,   1,     2,    0,   7},
      {"raw 8 -> 5",          0,       8,   1,     5,    0,   8},
      {"zoomed off zero",  2.5L,    7.3L,   2,     2,    7,  18},
      {"reversed ends",     250,       0,   5,    50,    0,  25},
  };
  // clang-format on
  for (const Row& r : rows) {
    const TickSet t = ComputeTicks({r.min, r.max}, r.n);
    EXPECT_EQ(t.Step, r.step) << r.name;
    EXPECT_NEAR(D(t.Minor), D(r.step / 5), 1e-12 * D(r.step)) << r.name;
    EXPECT_EQ(t.First, r.first) << r.name;
    EXPECT_EQ(t.Last, r.last) << r.name;
    EXPECT_FALSE(t.Empty()) << r.name;
  }
}

TEST(PlotGeometry, NoTicksWithoutRoomOrRange) {
  struct Row {
    const char* name;
    long double min, max;
    int n;
  };
  // clang-format off
  const Row rows[] = {
      {"no intervals",   0,   10,    0},
      {"negative n",     0,   10,   -1},
      {"empty range",    1,    1,    5},
      {"NaN end",     kNaN,    1,    5},
      {"infinite end",   0, kInf,    5},
      {"far off zero", 1e30L, 1e30L + 1e14L, 5},
  };
  // clang-format on
  for (const Row& r : rows)
    EXPECT_TRUE(ComputeTicks({r.min, r.max}, r.n).Empty()) << r.name;
}

TEST(PlotGeometry, TickValuesAndMajors) {
  const TickSet t = ComputeTicks({-13, 0}, 3);
  EXPECT_NEAR(D(t.Value(t.First)), -12.8, 1e-12);
  EXPECT_NEAR(D(t.Value(-5)), -2.0, 1e-12);
  // clang-format off
  const struct { long long k; bool major; } rows[] = {
      {0, true}, {5, true}, {-5, true}, {10, true},
      {1, false}, {-3, false}, {4, false}, {-32, false},
  };
  // clang-format on
  for (const auto& r : rows) EXPECT_EQ(TickSet::IsMajor(r.k), r.major) << r.k;
}

TEST(PlotGeometry, MappingBothDirections) {
  const PixelRect rect{100, 50, 600, 450};  // 500 x 400
  const PanelRange range{{-10, 40}, {0, 20}};
  const PanelMap up(rect, range, false);
  const PanelMap down(rect, range, true);
  struct Row {
    long double x, y;
    int sx, sy_up, sy_down;
  };
  // clang-format off
  const Row rows[] = {
      {  -10,     0, 100, 450,  50},
      {   40,    20, 600,  50, 450},
      {    0,     5, 200, 350, 150},
      {   15,    10, 350, 250, 250},
      {0.07L, 0.07L, 201, 449,  51},  // rounded to the nearest pixel
      {  -20,    -2,   0, 490,  10},  // outside the range, unclipped
  };
  // clang-format on
  for (const Row& r : rows) {
    EXPECT_EQ(up.ScreenX(r.x), r.sx) << "x " << D(r.x);
    EXPECT_EQ(up.ScreenY(r.y), r.sy_up) << "y up " << D(r.y);
    EXPECT_EQ(down.ScreenY(r.y), r.sy_down) << "y down " << D(r.y);
  }
  EXPECT_NEAR(D(up.ValueX(200)), 0.0, 1e-12);
  EXPECT_NEAR(D(up.ValueY(350)), 5.0, 1e-12);
  EXPECT_NEAR(D(down.ValueY(150)), 5.0, 1e-12);
  // Every pixel of the panel survives the round trip.
  for (int px = rect.Left; px <= rect.Right; ++px)
    ASSERT_EQ(up.ScreenX(up.ValueX(px)), px) << px;
  for (int py = rect.Top; py <= rect.Bottom; ++py) {
    ASSERT_EQ(up.ScreenY(up.ValueY(py)), py) << py;
    ASSERT_EQ(down.ScreenY(down.ValueY(py)), py) << py;
  }
}

TEST(PlotGeometry, DepthGrowsDownward) {
  const PanelMap map({0, 10, 200, 310}, {{-1, 1}, {0, 30}}, true);
  EXPECT_EQ(map.ScreenY(0), 10);
  EXPECT_EQ(map.ScreenY(30), 310);
  EXPECT_LT(map.ScreenY(10), map.ScreenY(20));
}

TEST(PlotGeometry, MappingDegenerateCases) {
  const PixelRect rect{100, 50, 600, 450};
  const PanelMap flat(rect, {{3, 3}, {2, 2}}, false);
  EXPECT_EQ(flat.ScreenX(3), 100);
  EXPECT_EQ(flat.ScreenX(7), 100);
  EXPECT_EQ(flat.ScreenY(5), 450);

  const PanelMap map(rect, {{0, 1}, {0, 1}}, true);
  EXPECT_EQ(map.ScreenX(kNaN), 100);
  EXPECT_EQ(map.ScreenY(kNaN), 50);
  // Far-off values stay defined and far outside the panel.
  EXPECT_GT(map.ScreenX(1e300L), 1000000);
  EXPECT_GT(map.ScreenX(kInf), 1000000);
  EXPECT_LT(map.ScreenX(-kInf), -1000000);
  EXPECT_LT(map.ScreenY(-1e300L), -1000000);

  const PanelMap empty({100, 50, 100, 50}, {{-4, 4}, {2, 9}}, false);
  EXPECT_EQ(empty.ValueX(100), -4);
  EXPECT_EQ(empty.ValueY(80), 2);
  EXPECT_EQ(empty.ScreenX(4), 100);
}

TEST(PlotGeometry, ThreePanelSplit) {
  struct Row {
    const char* name;
    PixelRect plot;
    int h, dpi;
    PixelRect p1, p2, p3;
  };
  // clang-format off
  const Row rows[] = {
      {"96 dpi",  {10, 20, 1010, 500}, 14,  96,
       {10, 20, 308, 500}, {360, 20, 658, 500}, {710, 20, 1010, 500}},
      {"98 dpi",  {10, 20, 1010, 500}, 14,  98,
       {10, 20, 308, 500}, {360, 20, 658, 500}, {710, 20, 1010, 500}},
      {"120 dpi", {10, 20, 1010, 500}, 14, 120,
       {10, 20, 304, 500}, {362, 20, 656, 500}, {714, 20, 1010, 500}},
      {"no room", { 0,  0,   50, 100}, 14,  96,
       { 0,  0,   0, 100}, { 52,  0,  52, 100}, {104,  0,  104, 100}},
  };
  // clang-format on
  for (const Row& r : rows) {
    const std::array<PixelRect, 3> p = SplitThreePanels(r.plot, r.h, r.dpi);
    EXPECT_EQ(p[0], r.p1) << r.name;
    EXPECT_EQ(p[1], r.p2) << r.name;
    EXPECT_EQ(p[2], r.p3) << r.name;
    for (const PixelRect& q : p) EXPECT_GE(q.Width(), 0) << r.name;
  }
}

TEST(PlotGeometry, MarkerShapesCycle) {
  // clang-format off
  const struct { int index, shape; } rows[] = {
      {0, 1}, {1, 2}, {2, 3}, {8, 9}, {9, 10}, {10, 1}, {19, 10}, {20, 1},
  };
  // clang-format on
  for (const auto& r : rows) {
    EXPECT_EQ(MarkerShape(r.index), r.shape) << "curve " << r.index;
    const size_t vertices = r.shape == 1 ? 3 : r.shape == 2 ? 4 : r.shape;
    const std::vector<TFloatPoint> poly =
        MarkerPolygon(r.index, 100, 200, 3, 4);
    ASSERT_EQ(poly.size(), vertices) << "curve " << r.index;
    for (const TFloatPoint& v : poly) {
      const double ex = D((v.X - 100) / 3), ey = D((v.Y - 200) / 4);
      EXPECT_NEAR(ex * ex + ey * ey, 1.0, 1e-12) << "curve " << r.index;
    }
  }
  const std::vector<TFloatPoint> first = MarkerPolygon(0, 5, 6, 2, 2);
  const std::vector<TFloatPoint> eleventh = MarkerPolygon(10, 5, 6, 2, 2);
  ASSERT_EQ(first.size(), eleventh.size());
  for (size_t j = 0; j < first.size(); ++j) {
    EXPECT_EQ(first[j].X, eleventh[j].X);
    EXPECT_EQ(first[j].Y, eleventh[j].Y);
  }
}

TEST(PlotGeometry, MarkerVertices) {
  const double s3 = std::sqrt(3.0) / 2, s2 = std::sqrt(0.5);
  struct Row {
    const char* name;
    int index;
    size_t vertex;
    double x, y;
  };
  // Centre (100, 200), radii 3 across and 4 up; screen y grows downward.
  // clang-format off
  const Row rows[] = {
      {"triangle tip down",   0, 0, 100,            204},
      {"triangle upper left", 0, 1, 100 - 3 * s3,   198},
      {"triangle upper right",0, 2, 100 + 3 * s3,   198},
      {"square upper right",  1, 0, 100 + 3 * s2,   200 - 4 * s2},
      {"square lower right",  1, 1, 100 + 3 * s2,   200 + 4 * s2},
      {"square lower left",   1, 2, 100 - 3 * s2,   200 + 4 * s2},
      {"triangle up top",     2, 0, 100,            196},
      {"triangle up right",   2, 1, 100 + 3 * s3,   202},
      {"diamond top",         3, 0, 100,            196},
      {"diamond right",       3, 1, 103,            200},
      {"diamond bottom",      3, 2, 100,            204},
      {"decagon top",         9, 0, 100,            196},
  };
  // clang-format on
  for (const Row& r : rows) {
    const std::vector<TFloatPoint> poly =
        MarkerPolygon(r.index, 100, 200, 3, 4);
    ASSERT_GT(poly.size(), r.vertex) << r.name;
    EXPECT_NEAR(D(poly[r.vertex].X), r.x, 1e-12) << r.name;
    EXPECT_NEAR(D(poly[r.vertex].Y), r.y, 1e-12) << r.name;
  }
}

TEST(PlotGeometry, UnitWords) {
  struct Row {
    const char* code;
    int units;
    const char* want;
  };
  // clang-format off
  const Row rows[] = {
      {"F/L",     1, "lbs/in"},
      {"F/L",     2, "kN/m"},
      {"F/L",     3, "F/L"},
      {"L2",      1, "ft"},
      {"L2",      2, "m"},
      {"L1",      1, "in"},
      {"L1",      2, "mm"},
      {"L",       1, "in"},
      {"F",       2, "kN"},
      {"F1-L",    1, "kips-in"},
      {"F1-L",    2, "kN-m"},
      {"F2",      1, "tons"},
      {"F2/L2",   1, "tons/ft"},
      {"F1/L1",   2, "kN/mm"},
      {"F-L2",    1, "lbs-ft"},
      {"F/L2^3",  1, "lbs/ft^3"},
      {"F-L^2",   1, "lbs-in^2"},
      {"F/L/L",   1, "lbs/in/in"},
      {"F2-F",    1, "tons-F"},  // the highest kind present wins alone
      {"L1/L",    2, "mm/L"},
      {"RAD",     1, "RAD"},
      {"",        1, ""},
      {"F/L",     0, "lbs/in"},  // out of range as the nearest system
      {"F/L",     9, "F/L"},
  };
  // clang-format on
  for (const Row& r : rows) {
    EXPECT_EQ(UnitWords(r.code, r.units), r.want)
        << '"' << r.code << "\" units " << r.units;
  }
}

TEST(PlotGeometry, AxisTitles) {
  EXPECT_EQ(AxisTitle("Depth", "L2", 1), "Depth (ft)");
  EXPECT_EQ(AxisTitle("Depth", "L2", 2), "Depth (m)");
  EXPECT_EQ(AxisTitle("Bending Moment", "F1-L", 2), "Bending Moment (kN-m)");
  EXPECT_EQ(AxisTitle("Deflection", "", 1), "Deflection");
  EXPECT_EQ(AxisTitle("", "F", 1), " (lbs)");
}

}  // namespace
}  // namespace kestra
