// Nonlinear bending stiffness: EI follows the moment-EI curves at the
// curvature of the current deflections.
#pragma once

#include <vector>

#include "problem_input.h"
#include "station_model.h"

namespace kestra {

// For every station of every curve's range: the point of the curve at which
// the moment equals EI times the curvature |Y(s-1) - 2Y(s) + Y(s+1)|/h^2.
void UpdateEI(const std::vector<MomentEiCurve>& curves, const StationArray& Y,
              double HINC, int NINC, StationArray& EI);

}  // namespace kestra
