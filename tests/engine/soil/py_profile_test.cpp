#include "soil/py_profile.h"

#include <gtest/gtest.h>

#include <cmath>

namespace kestra {
namespace {

SoilLayerInput Layer(int type, double bottom, std::array<double, 6> top,
                     std::array<double, 6> bottom_values) {
  SoilLayerInput l;
  l.type = type;
  l.bottom = bottom;
  l.top = top;
  l.bottom_values = bottom_values;
  return l;
}

ProblemInput Problem(double H, double ZWB, int ninc, double hinc,
                     std::vector<SoilLayerInput> layers) {
  ProblemInput p;
  p.wall.NINC = ninc;
  p.wall.HINC = hinc;
  p.wall.H = H;
  p.soil.wall.H = H;
  p.soil.wall.ZWB = ZWB;
  p.soil.layers = std::move(layers);
  return p;
}

TEST(PyProfile, CutAtTheExcavationAndTwoIncrementsBelowTheTip) {
  // Wall 40 x 12 in; the profile may reach (40 + 2) x 12 - 120 = 384 in.
  const ProblemInput p = Problem(
      120, 10000, 40, 12,
      {Layer(1, 60, {0.07, 1, 0, 0.01, 0, 0}, {0.07, 1, 0, 0.01, 0, 0}),
       Layer(1, 200, {0.07, 2, 0, 0.02, 0, 0}, {0.07, 4, 0, 0.02, 0, 0}),
       Layer(4, 600, {0.07, 0, 30, 0, 50, 0}, {0.07, 0, 40, 0, 50, 0}),
       Layer(4, 900, {0.07, 0, 30, 0, 50, 0}, {0.07, 0, 30, 0, 50, 0})});
  const PyProfile prof(p, 0.036);
  ASSERT_EQ(prof.layers().size(), 2u);
  const PyLayer& first = prof.layers()[0];
  EXPECT_DOUBLE_EQ(first.top, 0.0);
  EXPECT_DOUBLE_EQ(first.bottom, 80.0);
  EXPECT_DOUBLE_EQ(first.c[0], 2.0) << "no re-interpolation at the cut";
  const PyLayer& second = prof.layers()[1];
  EXPECT_DOUBLE_EQ(second.bottom, 384.0);
  EXPECT_NEAR(second.phi[1], 30 + 10 * (384.0 - 80) / (600 - 200), 1e-12);

  const ProblemInput exact = Problem(
      120, 10000, 40, 12, {Layer(4, 504, {0.07, 0, 30, 0, 50, 0}, {0.07, 0, 30, 0, 50, 0})});
  EXPECT_DOUBLE_EQ(PyProfile(exact, 0.036).layers()[0].bottom, 384.0)
      << "a layer ending exactly there is not shortened";
}

TEST(PyProfile, LookupsAtABoundaryAndTheWaterTable) {
  const ProblemInput p = Problem(
      0, 100, 40, 12,
      {Layer(1, 200, {0.07, 2, 20, 0.02, 0, 0}, {0.07, 4, 20, 0.02, 0, 0}),
       Layer(4, 480, {0.06, 8, 30, 0.04, 50, 0}, {0.06, 8, 30, 0.04, 50, 0})});
  const PyProfile prof(p, 0.036);
  PyLookupError e = PyLookupError::None;
  EXPECT_DOUBLE_EQ(prof.Strength(100, e), 3.0);
  EXPECT_DOUBLE_EQ(prof.Strength(200, e), 8.0) << "strength: the lower layer";
  EXPECT_NEAR(prof.FrictionAngle(200, e), 25 * 3.1416 / 180, 1e-12) << "phi: the mean";
  EXPECT_DOUBLE_EQ(prof.E50(200, e), 0.03) << "E50: the mean";
  // The water table at 100 in splits the first layer's unit weight.
  ASSERT_EQ(prof.unit_weight().size(), 6u);
  EXPECT_DOUBLE_EQ(prof.unit_weight()[2].value, 0.07 - 0.036);
  EXPECT_NEAR(prof.AverageUnitWeight(200, e), (0.07 * 100 + 0.034 * 100) / 200, 1e-12);
  EXPECT_EQ(e, PyLookupError::None);
  prof.Strength(500, e);
  EXPECT_EQ(e, PyLookupError::BeyondStrength);
}

TEST(PyProfile, Multipliers) {
  const Multipliers spaced = MultipliersAt({}, 2.0, 150, 120);
  EXPECT_NEAR(spaced.p, 0.783, 5e-4);
  EXPECT_EQ(spaced.y, 1.0);
  EXPECT_EQ(MultipliersAt({}, 2.0, 100, 120).p, 1.0) << "above the excavation";
  EXPECT_EQ(MultipliersAt({}, 1.0, 150, 120).p, 1.0) << "continuous wall";
  EXPECT_EQ(MultipliersAt({}, 3.1, 150, 120).p, 1.0);
  const std::vector<PyModifier> table = {{100, 0.5, 2.0}, {200, 1.0, 1.0}, {200, 0.8, 1.5}};
  EXPECT_DOUBLE_EQ(MultipliersAt(table, 2.0, 150, 120).p, 0.75);
  EXPECT_DOUBLE_EQ(MultipliersAt(table, 2.0, 150, 120).y, 1.5);
  EXPECT_DOUBLE_EQ(MultipliersAt(table, 2.0, 200, 120).p, 0.8) << "the later row";
  EXPECT_DOUBLE_EQ(MultipliersAt(table, 2.0, 50, 120).p, 1.0);
  EXPECT_DOUBLE_EQ(MultipliersAt(table, 2.0, 250, 120).y, 1.0);
}

}  // namespace
}  // namespace kestra
