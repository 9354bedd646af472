// Tiebacks (ground anchors): a spring and a prestress load at one station,
// and the forces they carry after the solution.
#pragma once

#include <vector>

#include "problem_input.h"
#include "station_model.h"

namespace kestra {

struct Tieback {
  TiebackInput input;
  int station = 0;
  double theta = 0.0;  // inclination in radians
  double S = 0.0;      // spring per station
  double Q = 0.0;      // prestress load per station
};

// English input holds depth, unbonded length and spacing in feet while
// HINC and WA are in inches. Returns false for a spacing or unbonded length
// that is not positive.
bool MakeTieback(const TiebackInput& in, int IUNIT, double HINC, double WA,
                 Tieback& t);

struct TiebackForce {
  int station = 0;
  double depth = 0.0;       // in the model's length unit
  double horizontal = 0.0;  // per station
  double axial = 0.0;       // along the tieback, per station
  double per_tieback = 0.0;
};

std::vector<TiebackForce> ComputeTiebackForces(const std::vector<Tieback>& ties,
                                               const StationArray& Y, int IUNIT,
                                               double WA);

}  // namespace kestra
