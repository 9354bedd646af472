// Lateral pressure on the wall from point, line and strip loads standing on
// the backfill (elastic solutions for a rigid wall, NAVFAC DM-7.2).
#pragma once

#include <span>

#include "soil_input.h"

namespace kestra {

// Constants of the two sets in use: the profile evaluates with 2/3.1416 and
// 4.0/3.1416, the per-layer force table with the rounded 0.6366 and 1.273.
struct SurchargeConstants {
  double strip;  // 2/pi
  double line;   // 4/pi
  static SurchargeConstants Profile() { return {2.0 / 3.1416, 4.0 / 3.1416}; }
  static SurchargeConstants LayerTable() { return {0.6366, 1.273}; }
};

// Pressure of one load at depth z > 0 below the top of the wall; H is the
// excavation depth, used as the wall height in the ratios m = X/H, n = z/H.
double SurchargePressure(const SurchargeLoad& load, double H, double z,
                         const SurchargeConstants& k);

// Pressure of all loads at a profile depth d: each load is evaluated on a
// grid of 200 steps over the wall length, at the deepest step strictly
// above d.
double SurchargePressureAtDepth(std::span<const SurchargeLoad> loads, double H,
                                double wall_length, double d);

}  // namespace kestra
