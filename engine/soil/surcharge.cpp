#include "surcharge.h"

#include <cmath>

namespace kestra {

double SurchargePressure(const SurchargeLoad& s, double H, double z,
                         const SurchargeConstants& k) {
  const double m = s.x / H, n = z / H;
  const double m2 = m * m, n2 = n * n;
  switch (s.type) {
    case 2:  // line load, force per length along the wall
      if (m <= 0.4) return s.magnitude * 0.203 * n / (H * std::pow(0.16 + n2, 2));
      return s.magnitude * k.line * m2 * n / (H * std::pow(m2 + n2, 2));
    case 3: {  // strip load, a pressure over the width
      const double a = std::atan((s.x + s.width / 2) / z);
      const double b = std::atan((s.x - s.width / 2) / z);
      const double beta = a - b;
      return k.strip * s.magnitude * (beta - std::sin(beta) * std::cos(a + b));
    }
    default:  // point load; unknown types count as point loads
      if (m <= 0.4)
        return s.magnitude * 0.28 * n2 / (H * H * std::pow(0.16 + n2, 3));
      return s.magnitude * 1.77 * m2 * n2 / (H * H * std::pow(m2 + n2, 3));
  }
}

double SurchargePressureAtDepth(std::span<const SurchargeLoad> loads, double H,
                                double wall_length, double d) {
  constexpr int kSteps = 200;
  const double dz = wall_length / kSteps;
  if (loads.empty() || !(dz > 0.0)) return 0.0;
  // Deepest grid step k*dz strictly above d (k = 0: none, pressure 0).
  const double ratio = d / dz;
  int k = ratio < kSteps + 1.0 ? static_cast<int>(std::ceil(ratio)) - 1 : kSteps;
  while (k < kSteps && (k + 1) * dz < d) ++k;
  while (k > 0 && k * dz >= d) --k;
  if (k <= 0) return 0.0;
  const double z = k * dz;
  double sum = 0.0;
  for (const SurchargeLoad& s : loads)
    sum += SurchargePressure(s, H, z, SurchargeConstants::Profile());
  return sum;
}

}  // namespace kestra
