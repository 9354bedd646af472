#include "tiebacks.h"

#include <cmath>

namespace kestra {

bool MakeTieback(const TiebackInput& in, int IUNIT, double HINC, double WA,
                 Tieback& t) {
  if (!(in.spacing > 0.0) || !(in.unbonded_length > 0.0)) return false;
  const bool english = IUNIT == 1;
  const double feet = english ? 12.0 : 1.0;
  t.input = in;
  t.station = NearestStation(feet * in.depth, HINC);
  t.theta = in.angle * 3.1416 / 180;  // the constant the results were made with
  const double c = std::cos(t.theta);
  // One tieback every `spacing` serves WA/spacing of a tieback per analysis.
  t.S = in.area * in.modulus * c / ((feet * in.spacing / WA) * (feet * in.unbonded_length));
  t.Q = -in.prestress * c * WA / (feet * in.spacing);
  return true;
}

std::vector<TiebackForce> ComputeTiebackForces(const std::vector<Tieback>& ties,
                                               const StationArray& Y, int IUNIT,
                                               double WA) {
  const double feet = IUNIT == 1 ? 12.0 : 1.0;
  std::vector<TiebackForce> forces;
  for (const Tieback& t : ties) {
    TiebackForce f;
    f.station = t.station;
    f.depth = feet * t.input.depth;
    f.horizontal = t.Q - Y[StationIndex(t.station)] * t.S;
    f.axial = f.horizontal / std::cos(t.theta);
    f.per_tieback = f.axial * feet * t.input.spacing / WA;
    forces.push_back(f);
  }
  return forces;
}

}  // namespace kestra
