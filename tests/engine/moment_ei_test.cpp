#include "moment_ei.h"

#include <gtest/gtest.h>

namespace kestra {
namespace {

// EI is the point of the moment-EI curve where M = EI x curvature.
TEST(MomentEi, StiffnessFollowsTheCurvature) {
  const std::vector<MomentEiCurve> curves = {{2, 4, {{0, 100}, {50, 100}, {100, 50}}}};
  StationArray Y{}, EI{};
  EI.fill(7.0);
  // Curvature 0.2 at station 2, 1.0 at station 3 (h = 1), 0 at station 4.
  Y[StationIndex(1)] = 0.0;
  Y[StationIndex(2)] = 0.0;
  Y[StationIndex(3)] = 0.2;
  Y[StationIndex(4)] = -0.6;
  Y[StationIndex(5)] = -0.6 - 0.8 + 0.0;
  UpdateEI(curves, Y, 1.0, 10, EI);
  EXPECT_DOUBLE_EQ(EI[StationIndex(2)], 100.0);
  EXPECT_DOUBLE_EQ(EI[StationIndex(3)], 75.0) << "M = EI phi = 75 at phi = 1";
  EXPECT_DOUBLE_EQ(EI[StationIndex(1)], 7.0) << "outside the range";
  EXPECT_DOUBLE_EQ(EI[StationIndex(5)], 7.0);
}

}  // namespace
}  // namespace kestra
