#include "beam_solver.h"

#include <cmath>

namespace kestra {
namespace {

// A pivot this small against its row means the wall can move freely (no
// support, no stiffness): the recursion would only amplify round-off.
constexpr double kSingularPivot = 1e-11;

}  // namespace

SolveResult BeamSolver::Solve(const StationModel& m, const StationArray& QW,
                              const StationArray& SW, double YALLOW,
                              double YCLOSE, StationArray& Y) {
  SolveResult result;
  const double h = m.HINC, h2 = h * h, h3 = h2 * h;
  const int first = StationIndex(-1), last = StationIndex(m.NINC + 1);
  A_[first - 2] = A_[first - 1] = 0.0;
  B_[first - 2] = B_[first - 1] = 0.0;
  C_[first - 2] = C_[first - 1] = 0.0;

  int n = 0;  // next specified value
  double dens = 0.0, as = 0.0, bs = 0.0, cs = 0.0;
  const auto& EI = m.EI;
  const auto& P = m.P;
  const auto& R = m.R;
  const auto& T = m.T;
  for (int i = first; i <= last; ++i) {
    const double above = h * P[i - 1] + R[i - 1];
    const double below = h * P[i + 1] + R[i + 1];
    const double a = EI[i - 1] - h / 4 * above;
    const double b = -2 * (EI[i - 1] + EI[i]);
    const double c = EI[i - 1] + 4 * EI[i] + EI[i + 1] + h3 * SW[i] +
                     h / 4 * (below + above);
    const double d = -2 * (EI[i] + EI[i + 1]);
    const double e = EI[i + 1] - h / 4 * below;
    const double f = h3 * QW[i] - h2 / 2 * (T[i - 1] - T[i + 1]);

    const double E = a * B_[i - 2] + b;
    const double D = a * A_[i - 2] + E * B_[i - 1] + c;
    const double scale = std::fabs(a) + std::fabs(b) + std::fabs(c) +
                         std::fabs(d) + std::fabs(e);
    // Restrained stations replace their equation, so only ordinary ones tell.
    if (m.KCASE[i] == kOrdinary && scale > 0.0 &&
        std::fabs(D) <= kSingularPivot * scale)
      result.singular = true;
    const double DEN = D == 0.0 ? 0.0 : -1.0 / D;
    A_[i] = e * DEN;
    B_[i] = (E * A_[i - 1] + d) * DEN;
    C_[i] = (a * C_[i - 2] + E * C_[i - 1] - f) * DEN;

    const int nn = n < kMaxSpecified ? n : kMaxSpecified - 1;
    switch (m.KCASE[i]) {
      case kDeflectionSpecified:
        A_[i] = 0.0;
        B_[i] = 0.0;
        C_[i] = m.specified_deflection[nn];
        ++n;
        break;
      case kBeforeSpecifiedSlope:
        dens = DEN;
        as = A_[i];
        bs = B_[i];
        cs = C_[i];
        // Y(i) = Y(i+2) - 2h*slope: the central slope at i+1 is the given one.
        A_[i] = 1.0;
        B_[i] = 0.0;
        C_[i] = -2 * h * m.specified_slope[nn];
        break;
      case kDeflectionAndSlope:
        A_[i] = 0.0;
        B_[i] = 0.0;
        C_[i] = m.specified_deflection[nn];
        break;
      case kAfterSpecifiedSlope: {
        // Bring back the equation of the station two above, which the
        // slope condition displaced.
        const double ratio = dens == 0.0 ? 0.0 : DEN / dens;
        const double F = 1.0 / (1.0 - (bs * B_[i - 1] + as - 1.0) * ratio);
        A_[i] = F * A_[i];
        B_[i] = (bs * A_[i - 1] * ratio + B_[i]) * F;
        C_[i] = ((bs * C_[i - 1] + 2 * h * m.specified_slope[nn] + cs) * ratio +
                 C_[i]) * F;
        ++n;
        break;
      }
      default:
        break;
    }
  }

  const int tip = StationIndex(m.NINC), top = StationIndex(0);
  Y[last + 1] = 0.0;
  Y[last + 2] = 0.0;
  Y[last] = C_[last];
  for (int i = tip; i >= top; --i) {
    const double old = Y[i];
    Y[i] = A_[i] * Y[i + 2] + B_[i] * Y[i + 1] + C_[i];
    if (YALLOW - std::fabs(Y[i]) < 0) ++result.exceed_count;
    if (std::fabs(Y[i] - old) - YCLOSE > 0) ++result.open_count;
  }
  Y[first] = A_[first] * Y[first + 2] + B_[first] * Y[first + 1] + C_[first];

  for (int i = first; i <= last; ++i)
    if (!std::isfinite(Y[i])) result.singular = true;
  return result;
}

}  // namespace kestra
