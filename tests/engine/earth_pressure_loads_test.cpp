#include "earth_pressure_loads.h"

#include <gtest/gtest.h>

#include <cmath>

#include "tiebacks.h"

namespace kestra {
namespace {

TEST(EarthPressureLoads, PrintedRowsFollowTheStepRule) {
  const std::vector<size_t> english = PrintedRows(51, 1);
  const std::vector<size_t> expected = {0, 6, 12, 18, 24, 30, 36, 42, 48, 50};
  EXPECT_EQ(english, expected);
  EXPECT_EQ(PrintedRows(50, 1).size(), 50u);
  const std::vector<size_t> si = PrintedRows(53, 2);
  EXPECT_EQ(si.front(), 0u);
  EXPECT_EQ(si[1], 4u);
  EXPECT_EQ(si.back(), 52u);
  EXPECT_EQ(PrintedRows(61, 1).back(), 60u) << "the step reaches the last row";
  EXPECT_EQ(PrintedRows(61, 1).size(), 11u);
  EXPECT_EQ(PrintedRows(80, 3).size(), 80u) << "free units: every row";
}

TEST(EarthPressureLoads, StationLoadsInterpolateBetweenRows) {
  StationModel m;
  m.Reset(10, 2.0);
  // A row at depth 0: stations interpolate between the first two rows.
  const std::vector<PressurePoint> rows = {{0.0, 10.0, 0, 0}, {10.0, 30.0, 0, 0}};
  AddPressureLoads(rows, 10.0, m);
  EXPECT_EQ(m.Q[StationIndex(0)], 0.0) << "station 0 gets no pressure load";
  EXPECT_DOUBLE_EQ(m.Q[StationIndex(1)], 14.0);
  EXPECT_DOUBLE_EQ(m.Q[StationIndex(5)], 30.0);
  EXPECT_EQ(m.Q[StationIndex(6)], 0.0);
  StationModel deep;
  deep.Reset(10, 2.0);
  AddPressureLoads({{5.0, 10.0, 0, 0}}, 40.0, deep);
  EXPECT_DOUBLE_EQ(deep.Q[StationIndex(1)], 4.0) << "from depth 0, pressure 0";
  EXPECT_DOUBLE_EQ(deep.Q[StationIndex(3)], 8.0) << "no row reaches: the value above";
  EXPECT_DOUBLE_EQ(deep.Q[StationIndex(10)], 8.0);
  EXPECT_EQ(deep.Q[StationIndex(11)], 0.0) << "nothing below the tip";
}

TEST(Tiebacks, StationSpringAndPrestress) {
  TiebackInput in;
  in.depth = 10;  // ft
  in.area = 1.5;
  in.modulus = 29e6;
  in.unbonded_length = 20;
  in.angle = 0;
  in.spacing = 8;
  in.prestress = 50000;
  Tieback t;
  ASSERT_TRUE(MakeTieback(in, 1, 12.0, 12.0, t));
  EXPECT_EQ(t.station, 10);
  EXPECT_DOUBLE_EQ(t.S, 1.5 * 29e6 / ((12 * 8 / 12.0) * (12 * 20)));
  EXPECT_DOUBLE_EQ(t.Q, -50000 * 12.0 / (12 * 8));
  in.angle = 15;
  ASSERT_TRUE(MakeTieback(in, 2, 0.5, 1.0, t));
  EXPECT_EQ(t.station, 20);
  const double c = std::cos(15 * 3.1416 / 180);
  EXPECT_DOUBLE_EQ(t.S, 1.5 * 29e6 * c / ((8 / 1.0) * 20));
  EXPECT_DOUBLE_EQ(t.Q, -50000 * c * 1.0 / 8);
  in.spacing = 0;
  EXPECT_FALSE(MakeTieback(in, 2, 0.5, 1.0, t));

  StationArray Y{};
  Y[StationIndex(20)] = 0.01;
  ASSERT_TRUE(MakeTieback([&] { auto i = in; i.spacing = 8; return i; }(), 2, 0.5, 1.0, t));
  const auto forces = ComputeTiebackForces({t}, Y, 2, 1.0);
  ASSERT_EQ(forces.size(), 1u);
  EXPECT_DOUBLE_EQ(forces[0].horizontal, t.Q - 0.01 * t.S);
  EXPECT_DOUBLE_EQ(forces[0].axial, forces[0].horizontal / c);
  EXPECT_DOUBLE_EQ(forces[0].per_tieback, forces[0].axial * 8 / 1.0);
}

}  // namespace
}  // namespace kestra
