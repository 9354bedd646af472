#include "results.h"

#include <cmath>

namespace kestra {

void ExtrapolateFictitious(int NINC, StationArray& Y) {
  Y[StationIndex(-2)] = 2 * Y[StationIndex(-1)] - Y[StationIndex(0)];
  Y[StationIndex(NINC + 2)] =
      2 * Y[StationIndex(NINC + 1)] - Y[StationIndex(NINC)];
}

bool ComputeResults(const StationModel& m, const StationArray& Y,
                    const std::vector<TorqueEntry>& torques,
                    std::vector<StationResult>& rows) {
  const double h = m.HINC, h2 = h * h;
  StationArray M{};
  for (int s = -1; s <= m.NINC + 2; ++s) {
    const int i = StationIndex(s);
    M[i] = m.EI[i] * (Y[i - 1] - 2 * Y[i] + Y[i + 1]) / h2;
  }
  rows.assign(m.NINC + 2, StationResult{});
  bool finite = true;
  for (int s = 0; s <= m.NINC + 1; ++s) {
    const int i = StationIndex(s);
    StationResult& r = rows[s];
    r.x = h * s;
    r.deflection = Y[i];
    r.slope = (Y[i + 1] - Y[i - 1]) / (2 * h);
    r.moment = M[i];
    r.shear = (M[i + 1] - M[i - 1]) / (2 * h);
    r.reaction = (M[i - 1] - 2 * M[i] + M[i + 1]) / h;
    r.ei = m.EI[i];
    for (const TorqueEntry& t : torques) {
      if (s == t.station) {
        r.shear -= t.tau;
      } else if (s - 1 == t.station) {
        r.shear -= t.tau / 2;
        r.reaction += t.tau;
      } else if (s + 1 == t.station) {
        r.shear -= t.tau / 2;
        r.reaction -= t.tau;
      }
    }
    for (double v : {r.deflection, r.slope, r.moment, r.shear, r.reaction})
      if (!std::isfinite(v)) finite = false;
  }
  return finite;
}

}  // namespace kestra
