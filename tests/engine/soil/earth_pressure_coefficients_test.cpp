#include "soil/earth_pressure_coefficients.h"

#include <gtest/gtest.h>

#include <cmath>

namespace kestra {
namespace {

struct Row {
  const char* name;
  double phi, beta, ztop, h;
  double ka, kp;
  bool warning;
};

TEST(EarthPressureCoefficients, RankineWithAndWithoutSlope) {
  const double b = 20 / 57.2958, f = 30 / 57.2958;
  const double root = std::sqrt(std::cos(b) * std::cos(b) - std::cos(f) * std::cos(f));
  const double sloped = std::cos(b) * (std::cos(b) - root) / (std::cos(b) + root);
  // clang-format off
  const Row rows[] = {
      {"level sand",           30,   0,  0, 120, 1.0 / 3, 3.0,  false},
      {"sloping backfill",     30,  20,  0, 120, sloped,  3.0,  false},
      {"negative slope",       30, -20,  0, 120, sloped,  3.0,  false},
      {"clay under a slope",    0,  10,  0, 120, 1.0,     1.0,  true},
      {"too steep below H",    30,  35, 130, 120, 1.0 / 3, 3.0, false},
      {"too steep above H",    30,  35, 20, 120, 1.0 / 3, 3.0,  true},
  };
  // clang-format on
  for (const Row& r : rows) {
    const EarthPressureCoefficients k = RankineCoefficients(r.phi, r.beta, r.ztop, r.h);
    EXPECT_NEAR(k.KA, r.ka, 1e-5) << r.name;
    EXPECT_NEAR(k.SQKA * k.SQKA, k.KA, 1e-12) << r.name;
    EXPECT_NEAR(k.KP, r.kp, 1e-5) << r.name;
    EXPECT_EQ(k.slope_warning, r.warning) << r.name;
  }
  EXPECT_NEAR(sloped, 0.414, 5e-4);
}

}  // namespace
}  // namespace kestra
