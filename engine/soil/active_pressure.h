// Active earth and water pressure on the wall: resultant forces per sublayer
// above the excavation, and the pressure profile point by point down the
// backfill, with the trapezoidal (apparent) diagram for anchored walls.
#pragma once

#include <vector>

#include "earth_pressure_coefficients.h"
#include "soil_input.h"
#include "soil_profile.h"

namespace kestra {

// Resultant forces of one sublayer per unit wall width and their depths.
struct LayerForces {
  double PA1 = 0.0, PA2 = 0.0, PA3 = 0.0, PA4 = 0.0;
  double Z1 = -1000.0, Z2 = -1000.0, Z3 = -1.0e-5, ZC = 0.0;
  double PW1 = 0.0, PW2 = 0.0;  // water forces, held negative
  bool water_row = false;       // a drained sublayer below the water table
};

// One point of the profile: depth, total pressure, soil-and-water part,
// surcharge part (per unit wall width).
struct PressurePoint {
  double depth = 0.0, total = 0.0, soil = 0.0, surcharge = 0.0;
};

struct SupportInfo {
  int NSUP = 0;        // spring and tieback records together
  double Z1SUP = 0.0;  // depth of the first single-station support
  double ZNSUP = 0.0;  // depth of the last one
};

struct ActivePressure {
  std::vector<LayerForces> forces;  // index = sublayer, 1 to NL
  bool water_section = false;       // the water table lies above H
  bool net_negative = false;
  std::vector<PressurePoint> points;  // as written to the scratch file
  double PTOT = 0.0;
};

enum class PressureError { None, NoSupportForTrapezoid, TooManyPoints };

inline constexpr int kMaxPressurePoints = 2000;

// Coefficients are indexed by sublayer with KA and SQKA as used (a user
// coefficient already in place). IWATER may be forced to 1 when the water
// table lies above the excavation level.
PressureError ComputeActivePressure(const SoilProfile& profile,
                                    const std::vector<EarthPressureCoefficients>& k,
                                    const SoilInput& soil, int IUNIT, int IEPOPT,
                                    double wall_length, const SupportInfo& supports,
                                    ActivePressure& out);

}  // namespace kestra
