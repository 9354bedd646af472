#include "soil/soil_profile.h"

#include <gtest/gtest.h>

namespace kestra {
namespace {

SoilLayerInput Layer(int type, double bottom, double gamma, double c,
                     double phi, double kopt = 0.0) {
  SoilLayerInput l;
  l.type = type;
  l.bottom = bottom;
  l.top = {gamma, c, phi, 0.0, 0.0, kopt};
  l.bottom_values = l.top;
  return l;
}

SoilInput Soil(double H, double ZWB, std::vector<SoilLayerInput> layers) {
  SoilInput s;
  s.wall.H = H;
  s.wall.ZWB = ZWB;
  s.wall.ZWE = ZWB;
  s.layers = std::move(layers);
  return s;
}

TEST(SoilProfile, SplitsAtExcavationAndWaterTable) {
  const SoilInput s = Soil(120, 200, {Layer(4, 480, 0.07, 0, 30)});
  SoilProfile p = SubdivideLayers(s, 1);
  ASSERT_EQ(p.NL, 3);
  EXPECT_DOUBLE_EQ(p.layer[2].ZTOP, 120);
  EXPECT_DOUBLE_EQ(p.layer[3].ZTOP, 200);
  EXPECT_DOUBLE_EQ(p.layer[3].THICK, 280);
  EXPECT_EQ(p.LP, 2);
  EXPECT_EQ(p.LW, 3);
  ComputeOverburden(p, s);
  EXPECT_DOUBLE_EQ(p.layer[4].ZTOP, 480) << "bottom of the profile";
  EXPECT_FALSE(p.layer[2].WET);
  EXPECT_TRUE(p.layer[3].WET);
  EXPECT_NEAR(p.layer[3].SIGV, 200 * 0.07, 1e-12) << "water table at its top";
}

TEST(SoilProfile, WaterTableAtTheExcavationGivesOneSplit) {
  const SoilProfile p =
      SubdivideLayers(Soil(120, 120 + 5e-6, {Layer(4, 480, 0.07, 0, 30)}), 1);
  EXPECT_EQ(p.NL, 2);
  EXPECT_EQ(p.LP, 2);
  EXPECT_EQ(p.LW, 2);
}

TEST(SoilProfile, WaterTableAtTheTopWetsEverything) {
  SoilInput s = Soil(120, 0, {Layer(4, 240, 0.07, 0, 30), Layer(1, 480, 0.06, 5, 0)});
  s.legacy.QPRE = 2.0;
  SoilProfile p = SubdivideLayers(s, 1);
  ComputeOverburden(p, s);
  for (int i = 1; i <= p.NL; ++i) EXPECT_TRUE(p.layer[i].WET) << i;
  EXPECT_DOUBLE_EQ(p.layer[1].SIGV, 2.0);
  EXPECT_NEAR(p.layer[2].SIGV, 2.0 + 120 * (0.07 - 0.036), 1e-12);
}

TEST(SoilProfile, BoundaryNearTheExcavationMakesNoSliver) {
  const SoilProfile p = SubdivideLayers(
      Soil(120, 1000, {Layer(4, 120 + 4e-6, 0.07, 0, 30), Layer(4, 480, 0.07, 0, 32)}), 1);
  EXPECT_EQ(p.NL, 2);
  EXPECT_EQ(p.LP, 2);
}

TEST(SoilProfile, TenLayersWithBothDepthsInsideGiveTwelve) {
  std::vector<SoilLayerInput> layers;
  for (int i = 1; i <= 10; ++i) layers.push_back(Layer(4, 48.0 * i, 0.07, 0, 30));
  const SoilProfile p = SubdivideLayers(Soil(100, 300, layers), 1);
  EXPECT_EQ(p.NL, 12);
  EXPECT_FALSE(p.too_many_layers);
  EXPECT_DOUBLE_EQ(p.layer[p.LP].ZTOP, 100);
  EXPECT_DOUBLE_EQ(p.layer[p.LW].ZTOP, 300);
}

TEST(SoilProfile, MoreThanTwentySublayersIsFlagged) {
  std::vector<SoilLayerInput> layers;
  for (int i = 1; i <= 20; ++i) layers.push_back(Layer(4, 10.0 * i, 0.07, 0, 30));
  EXPECT_FALSE(SubdivideLayers(Soil(100, 1000, layers), 1).too_many_layers);
  // Two cuts inside layers push twenty input layers past the limit.
  const SoilProfile p = SubdivideLayers(Soil(95, 105, layers), 1);
  EXPECT_TRUE(p.too_many_layers);
  EXPECT_EQ(p.NL, 21);
}

TEST(SoilProfile, ExcavationBelowTheProfileHasNoLayerAtH) {
  EXPECT_EQ(SubdivideLayers(Soil(600, 1000, {Layer(4, 480, 0.07, 0, 30)}), 1).LP, 0);
}

TEST(SoilProfile, ClayWithUserCoefficientWorksOnTotalStress) {
  const SoilInput s = Soil(100, 50, {Layer(1, 300, 0.06, 5, 0, 0.5), Layer(4, 480, 0.07, 0, 30, 0.4)});
  SoilProfile p = SubdivideLayers(s, 1);
  ComputeOverburden(p, s);
  const double clay_effective = p.layer[p.LP].SIGV;
  const double sand_effective = p.layer[p.NL].SIGV;
  RestoreTotalStressForClays(p, s);
  EXPECT_NEAR(p.layer[p.LP].SIGV, clay_effective + 50 * 0.036, 1e-12);
  EXPECT_DOUBLE_EQ(p.layer[p.NL].SIGV, sand_effective) << "a sand keeps it";
}

}  // namespace
}  // namespace kestra
