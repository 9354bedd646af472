#include "moment_ei.h"

#include <algorithm>
#include <cmath>

namespace kestra {

void UpdateEI(const std::vector<MomentEiCurve>& curves, const StationArray& Y,
              double HINC, int NINC, StationArray& EI) {
  for (const MomentEiCurve& c : curves) {
    const size_t n = c.points.size();
    if (n < 2) continue;
    // The curvature needs the stations on both sides.
    const int from = std::max(c.from, -2), to = std::min(c.to, NINC + 2);
    for (int s = from; s <= to; ++s) {
      const int i = StationIndex(s);
      const double phi = std::fabs(Y[i - 1] - 2 * Y[i] + Y[i + 1]) / (HINC * HINC);
      size_t j = n - 1;  // 0-based: the first point whose moment is not yet reached
      for (size_t q = 1; q + 1 < n; ++q) {
        if (phi * c.points[q].y < c.points[q].x) {
          j = q;
          break;
        }
      }
      const size_t k = j - 1;
      const double Mk = c.points[k].x, Mj = c.points[j].x;
      const double Ek = c.points[k].y, Ej = c.points[j].y;
      const double den = (Ej - Ek) * phi - (Mj - Mk);
      const double t = den != 0.0 ? (Mk - phi * Ek) / den : 0.0;
      EI[i] = Ek + (Ej - Ek) * t;
    }
  }
}

}  // namespace kestra
