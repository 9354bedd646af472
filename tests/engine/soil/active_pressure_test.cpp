#include "soil/active_pressure.h"

#include <gtest/gtest.h>

#include <cmath>

namespace kestra {
namespace {

struct Case {
  SoilInput soil;
  SoilProfile profile;
  std::vector<EarthPressureCoefficients> k;

  Case(double H, double ZWB, std::vector<SoilLayerInput> layers, int IWATER = 0) {
    soil.wall.H = H;
    soil.wall.ZWB = ZWB;
    soil.wall.ZWE = 100000;
    soil.wall.IWATER = IWATER;
    soil.layers = std::move(layers);
    profile = SubdivideLayers(soil, 1);
    ComputeOverburden(profile, soil);
    k.resize(profile.NL + 1);
    for (int i = 1; i <= profile.NL; ++i)
      k[i] = RankineCoefficients(profile.layer[i].PHI, 0, profile.layer[i].ZTOP, H);
  }
  ActivePressure Run(int option = 2, double wall_length = 480,
                     SupportInfo sup = {}) {
    ActivePressure a;
    EXPECT_EQ(ComputeActivePressure(profile, k, soil, 1, option, wall_length, sup, a),
              PressureError::None);
    return a;
  }
};

SoilLayerInput Layer(int type, double bottom, double gamma, double c, double phi) {
  SoilLayerInput l;
  l.type = type;
  l.bottom = bottom;
  l.top = {gamma, c, phi, 0.0, 0.0, 0.0};
  return l;
}

// Rankine: p = gamma z Ka above the excavation; below it the soil part keeps
// the value at the excavation level.
TEST(ActivePressure, DrySandFollowsRankine) {
  Case c(120, 10000, {Layer(4, 480, 0.0694, 0, 30)});
  const ActivePressure a = c.Run();
  ASSERT_EQ(a.points.size(), 481u);
  for (const PressurePoint& pt : a.points) {
    const double expected = 0.0694 * std::min(pt.depth, 120.0) / 3;
    EXPECT_NEAR(pt.total, std::max(expected, 1e-12 * 1), 1e-3 * expected + 1e-9)
        << "depth " << pt.depth;
  }
  EXPECT_NEAR(a.points[120].total, 2.776, 1e-3);
  EXPECT_NEAR(a.points[480].total, 2.776, 1e-3);
  // Per-layer resultant: 0.5 gamma H^2 Ka at two thirds of H.
  EXPECT_NEAR(a.forces[1].PA2, 0.5 * 0.0694 * 120 * 120 / 3, 1e-3);
  EXPECT_DOUBLE_EQ(a.forces[1].Z2, 80);
  EXPECT_FALSE(a.net_negative);
}

TEST(ActivePressure, CohesionOpensATensionCrackAndFloorsThePressure) {
  Case c(120, 10000, {Layer(1, 480, 0.06, 5.0, 0)});
  const ActivePressure a = c.Run();
  const LayerForces& f = a.forces[1];
  EXPECT_EQ(f.PA1, 0.0);
  // Below the crack depth 2c/gamma = 166.7 in nothing pushes within 120 in.
  EXPECT_EQ(f.PA4, 0.0);
  EXPECT_TRUE(a.net_negative);
  for (size_t m = 1; m < a.points.size(); ++m)
    EXPECT_DOUBLE_EQ(a.points[m].total, (m + 1) * 1e-12) << m;
}

TEST(ActivePressure, WaterAboveTheExcavationIsAlwaysInTheProfile) {
  Case c(120, 60, {Layer(4, 480, 0.07, 0, 30)}, /*IWATER=*/0);
  const ActivePressure a = c.Run();
  EXPECT_TRUE(a.water_section);
  EXPECT_TRUE(a.forces[2].water_row);
  EXPECT_NEAR(a.forces[2].PW2, -0.5 * 0.036 * 60 * 60, 1e-12);
  // At 120 in: soil 0.07*60/3 + (0.07-0.036)*60/3, water 0.036*60.
  const double expected = (0.07 * 60 + 0.034 * 60) / 3 + 0.036 * 60;
  EXPECT_NEAR(a.points[120].total, expected, 1e-5);
}

TEST(ActivePressure, TrapezoidForOneSupport) {
  Case c(120, 10000, {Layer(4, 480, 0.0694, 0, 30)});
  const ActivePressure plain = c.Run(2);
  const ActivePressure a = c.Run(3, 480, {1, 40.0, 40.0});
  ASSERT_EQ(a.points.size(), 482u) << "the excavation point is written twice";
  const double pmax = 1.3 * a.PTOT * 3 / (2 * 120);
  const double d1 = 2 * 40.0 / 3, d2 = 40.0, d3 = 2 * 80.0 / 3;
  EXPECT_NEAR(a.points[10].total, pmax * 10 / d1, 1e-12);
  EXPECT_NEAR(a.points[50].total, pmax, 1e-12);
  EXPECT_NEAR(a.points[100].total, pmax - (100 - d1 - d2) * pmax / d3, 1e-12);
  EXPECT_DOUBLE_EQ(a.points[120].depth, 120);
  EXPECT_DOUBLE_EQ(a.points[121].depth, 120);
  EXPECT_DOUBLE_EQ(a.points[121].total, plain.points[120].total);
  EXPECT_DOUBLE_EQ(a.points[0].total, plain.points[0].total);
}

TEST(ActivePressure, TrapezoidNeedsASupport) {
  Case c(120, 10000, {Layer(4, 480, 0.0694, 0, 30)});
  ActivePressure a;
  EXPECT_EQ(ComputeActivePressure(c.profile, c.k, c.soil, 1, 3, 480, {}, a),
            PressureError::NoSupportForTrapezoid);
}

}  // namespace
}  // namespace kestra
