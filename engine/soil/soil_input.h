// Soil, water and surcharge data of one problem, as read from the input data
// file; the earth-pressure and p-y modules take them from here.
#pragma once

#include <array>
#include <vector>

namespace kestra {

// Soil-type codes of the input data file.
enum class SoilType {
  SoftClay = 1,
  StiffClayWithFreeWater = 2,
  StiffClayWithoutFreeWater = 3,
  Sand = 4,
  Silt = 5,
  StrongRock = 6,
  WeakRock = 7,
};

// Wall-configuration record.
struct WallConfiguration {
  double H = 0.0;       // free height (excavation depth below the top)
  double WA = 0.0;      // width for earth pressure
  double WP = 0.0;      // width for soil resistance
  double ZWB = 0.0;     // water table depth, backfill side
  double ZWE = 0.0;     // water table depth, excavation side
  double MODFAC = 1.0;  // active-pressure factor
  int IWATER = 0;       // 1: water pressure in the profile
  double BETA = 0.0;    // backfill slope, degrees
};

// Uniform surcharge and the single legacy surcharge of older files.
struct LegacySurcharge {
  double QPRE = 0.0;  // uniform surface pressure
  double distance = 0.0;
  double point_load = 0.0;
  double line_load = 0.0;
  double strip_load = 0.0;
  double strip_width = 0.0;
};

struct SurchargeLoad {
  int type = 0;  // 1 point, 2 line, 3 strip
  double magnitude = 0.0;
  double x = 0.0;      // distance from the wall
  double width = 0.0;  // strip width
};

struct SoilLayerInput {
  int type = 0;  // SoilType code
  double bottom = 0.0;  // depth of the layer bottom from the top of the wall
  std::array<double, 6> top{};     // values at the top of the layer
  std::array<double, 6> bottom_values{};  // values at its bottom
};

struct SoilInput {
  WallConfiguration wall;
  LegacySurcharge legacy;
  std::vector<SurchargeLoad> surcharges;
  std::vector<SoilLayerInput> layers;
};

}  // namespace kestra
