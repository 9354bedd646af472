#include "soil/surcharge.h"

#include <gtest/gtest.h>

#include <cmath>

namespace kestra {
namespace {

SurchargeLoad Load(int type, double q, double x, double w = 0.0) {
  SurchargeLoad s;
  s.type = type;
  s.magnitude = q;
  s.x = x;
  s.width = w;
  return s;
}

// Lateral pressures on a rigid wall, NAVFAC DM-7.2 (1982), figure 11: point
// and line loads with the switch at m = 0.4, and the strip load.
TEST(Surcharge, ClosedForms) {
  const double H = 100.0;
  const auto k = SurchargeConstants::Profile();
  // Line load at m = n = 0.5: 4 QL m^2 n / (pi H (m^2+n^2)^2) = 0.6366 QL/H.
  EXPECT_NEAR(SurchargePressure(Load(2, 10.0, 50), H, 50, k), 0.6366 * 10.0 / H, 1e-5);
  // Point load at m = 0.4 takes the near-wall form.
  const double n = 0.3;
  EXPECT_DOUBLE_EQ(SurchargePressure(Load(1, 1000.0, 40), H, 30, k),
                   1000.0 * 0.28 * n * n / (H * H * std::pow(0.16 + n * n, 3)));
  EXPECT_DOUBLE_EQ(SurchargePressure(Load(7, 1000.0, 40), H, 30, k),
                   SurchargePressure(Load(1, 1000.0, 40), H, 30, k))
      << "unknown types are point loads";
  // Point load farther out.
  const double m = 0.8;
  EXPECT_DOUBLE_EQ(SurchargePressure(Load(1, 1000.0, 80), H, 30, k),
                   1000.0 * 1.77 * m * m * n * n / (H * H * std::pow(m * m + n * n, 3)));
  // Strip centred on the wall: 2 q (beta - sin beta) / pi.
  const double beta = 2 * std::atan(1.0 / 2.0);
  EXPECT_NEAR(SurchargePressure(Load(3, 5.0, 0, 20), H, 20, k),
              2 * 5.0 * (beta - std::sin(beta)) / 3.1416, 1e-12);
  // The per-layer table uses the rounded constants.
  EXPECT_NEAR(SurchargePressure(Load(2, 10.0, 50), H, 50, SurchargeConstants::LayerTable()),
              1.273 * 0.25 * 0.5 / 0.25 / H * 10.0, 1e-12);
}

TEST(Surcharge, ProfileDepthsTakeTheGridStepAbove) {
  const std::vector<SurchargeLoad> loads = {Load(2, 10.0, 80), Load(2, 10.0, 80)};
  const double H = 100, L = 400, dz = L / 200;
  const auto k = SurchargeConstants::Profile();
  EXPECT_EQ(SurchargePressureAtDepth(loads, H, L, 0.0), 0.0);
  EXPECT_EQ(SurchargePressureAtDepth(loads, H, L, dz), 0.0) << "d on the first step";
  EXPECT_DOUBLE_EQ(SurchargePressureAtDepth(loads, H, L, 5 * dz),
                   2 * SurchargePressure(loads[0], H, 4 * dz, k))
      << "on a step: the step above; two entries add";
  EXPECT_DOUBLE_EQ(SurchargePressureAtDepth(loads, H, L, 5.5 * dz),
                   2 * SurchargePressure(loads[0], H, 5 * dz, k));
  EXPECT_DOUBLE_EQ(SurchargePressureAtDepth(loads, H, L, 2 * L),
                   2 * SurchargePressure(loads[0], H, L, k))
      << "below the wall: the last step";
  EXPECT_EQ(SurchargePressureAtDepth({}, H, L, 50), 0.0);
}

}  // namespace
}  // namespace kestra
