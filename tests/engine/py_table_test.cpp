#include "py_table.h"

#include <gtest/gtest.h>

namespace kestra {
namespace {

PyCurveEntry Curve(int station, int flag, std::vector<double> y, std::vector<double> p) {
  PyCurveEntry c;
  c.station = station;
  c.flag = flag;
  c.y = std::move(y);
  c.p = std::move(p);
  return c;
}

TEST(PyTable, SegmentChoiceAndOffCurve) {
  const PyCurveEntry c = Curve(5, 0, {-1, 0, 1, 2}, {10, 0, -10, -15});
  struct Row {
    double Y;
    double b, m;
    bool off;
  };
  // clang-format off
  const Row rows[] = {
      {-2.0,   0, 10, true},   // below the first point: first segment, off
      {-0.5,   0, 10, false},
      { 0.0,   0, 10, false},  // at a point: the segment that ends there
      { 1.0,   0, 10, false},
      { 1.5,  -5,  5, false},
      { 3.0,  -5,  5, true},   // beyond the last point: last segment, off
  };
  // clang-format on
  for (const Row& r : rows) {
    bool off = false;
    const PyLine l = Linearize(c, r.Y, off);
    EXPECT_DOUBLE_EQ(l.b, r.b) << r.Y;
    EXPECT_DOUBLE_EQ(l.m, r.m) << r.Y;
    EXPECT_EQ(off, r.off) << r.Y;
  }
  bool off = false;
  Linearize(Curve(1, 0, {0, 1}, {0, -5}), 0.5, off);
  EXPECT_TRUE(off) << "a two-point curve is always off";
}

TEST(PyTable, EqualDeflectionsGiveNoResistance) {
  bool off = false;
  const PyCurveEntry c = Curve(1, 0, {0, 1, 2, 2}, {0, -5, -9, -10});
  const PyLine l = Linearize(c, 3.0, off);
  EXPECT_EQ(l.m, 0.0);
  EXPECT_EQ(l.b, 0.0);
  EXPECT_TRUE(off);
}

TEST(PyTable, ContinuedCurvesGiveHalfLinesAtTheEndsOfAChain) {
  // Linear curves p = -s y with stiffness s: the line is (b = 0, m = s).
  const std::vector<PyCurveEntry> curves = {
      Curve(10, 1, {-1, 0, 1}, {100, 0, -100}),
      Curve(14, 1, {-1, 0, 1}, {200, 0, -200}),
      Curve(18, 1, {-1, 0, 1}, {300, 0, -300}),
  };
  StationArray Y{}, QW{}, SW{};
  bool off = false;
  ASSERT_TRUE(AddPyLines(curves, 40, Y, QW, SW, off));
  EXPECT_DOUBLE_EQ(SW[StationIndex(10)], 50.0);
  EXPECT_DOUBLE_EQ(SW[StationIndex(12)], 150.0);
  EXPECT_DOUBLE_EQ(SW[StationIndex(14)], 200.0) << "full line where two pairs meet";
  EXPECT_DOUBLE_EQ(SW[StationIndex(16)], 250.0);
  EXPECT_DOUBLE_EQ(SW[StationIndex(18)], 150.0);
  EXPECT_DOUBLE_EQ(SW[StationIndex(19)], 0.0);
  EXPECT_FALSE(off);
}

TEST(PyTable, SingleCurvesAndOrder) {
  StationArray Y{}, QW{}, SW{};
  bool off = false;
  ASSERT_TRUE(AddPyLines({Curve(3, 0, {-1, 0, 1}, {10, 0, -10})}, 40, Y, QW, SW, off));
  EXPECT_DOUBLE_EQ(SW[StationIndex(3)], 10.0) << "a curve above the excavation acts alone";
  EXPECT_FALSE(AddPyLines({Curve(9, 1, {-1, 0, 1}, {1, 0, -1}), Curve(4, 1, {-1, 0, 1}, {1, 0, -1})},
                          40, Y, QW, SW, off))
      << "a pair running upwards";
  StationArray Q2{}, S2{};
  ASSERT_TRUE(AddPyLines({Curve(38, 1, {-1, 0, 1}, {10, 0, -10}),
                          Curve(42, 1, {-1, 0, 1}, {10, 0, -10})},
                         40, Y, Q2, S2, off));
  EXPECT_DOUBLE_EQ(S2[StationIndex(40)], 5.0) << "cut back at the tip: half line there";
  EXPECT_DOUBLE_EQ(S2[StationIndex(41)], 0.0);
}

}  // namespace
}  // namespace kestra
