// Rankine earth-pressure coefficients of one sublayer.
#pragma once

namespace kestra {

struct EarthPressureCoefficients {
  double KA = 0.0;    // active, after the slope correction
  double SQKA = 0.0;  // square root of the active coefficient
  double KP = 0.0;    // passive (level ground)
  double SQKP = 0.0;
  bool slope_warning = false;  // slope not flatter than PHI above H
};

// PHI and BETA in degrees. The user coefficient is applied by the caller
// after the table row is written.
EarthPressureCoefficients RankineCoefficients(double PHI, double BETA,
                                              double ZTOP, double H);

}  // namespace kestra
