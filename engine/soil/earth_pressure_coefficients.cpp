#include "earth_pressure_coefficients.h"

#include <cmath>

namespace kestra {

EarthPressureCoefficients RankineCoefficients(double PHI, double BETA,
                                              double ZTOP, double H) {
  // Degrees to radians with the constant the results were always made with.
  constexpr double kDegree = 57.2958;
  EarthPressureCoefficients c;
  c.SQKA = std::tan((45.0 - PHI / 2) / kDegree);
  c.KA = c.SQKA * c.SQKA;
  const double beta = std::fabs(BETA);
  if (beta > 0.0) {
    if (beta < PHI) {
      const double b = beta / kDegree, f = PHI / kDegree;
      const double cb = std::cos(b), cf = std::cos(f);
      const double root = std::sqrt(cb * cb - cf * cf);
      c.KA = cb * (cb - root) / (cb + root);
      c.SQKA = std::sqrt(c.KA);
    } else if (ZTOP < H) {
      c.slope_warning = true;
    }
  }
  c.SQKP = std::tan((45.0 + PHI / 2) / kDegree);
  c.KP = c.SQKP * c.SQKP;
  return c;
}

}  // namespace kestra
