#include "active_pressure.h"

#include <algorithm>
#include <cmath>

#include "surcharge.h"

namespace kestra {
namespace {

// The last surcharge entry, as the per-layer table uses it, evaluated at the
// depths of ten slices of the layer.
double SurchargeForce(const SoilInput& soil, const Sublayer& s) {
  if (soil.surcharges.empty()) return 0.0;
  const SurchargeLoad& load = soil.surcharges.back();
  if (!(load.magnitude > 1.0e-4)) return 0.0;
  const double t = s.THICK / 10;
  double force = 0.0;
  for (int k = 1; k <= 10; ++k)
    force += t * SurchargePressure(load, soil.wall.H, s.ZTOP + k * t,
                                   SurchargeConstants::LayerTable());
  return force;
}

double EffectiveUnitWeight(const Sublayer& s, double GAMW) {
  return s.WET && s.DRAINED ? s.GAMMA - GAMW : s.GAMMA;
}

}  // namespace

PressureError ComputeActivePressure(
    const SoilProfile& p, const std::vector<EarthPressureCoefficients>& k,
    const SoilInput& soil, int IUNIT, int IEPOPT, double wall_length,
    const SupportInfo& sup, ActivePressure& out) {
  const auto& L = p.layer;
  const double H = soil.wall.H, ZWB = soil.wall.ZWB, ZWE = soil.wall.ZWE;
  const double GAMW = p.GAMW;
  const bool si = IUNIT == 2;
  out = ActivePressure{};
  out.forces.assign(p.NL + 1, LayerForces{});

  // Resultants of the sublayers above the excavation.
  for (int i = 1; i < p.LP; ++i) {
    const Sublayer& s = L[i];
    LayerForces& f = out.forces[i];
    const double KA = k[i].KA, SQKA = k[i].SQKA;
    f.PA1 = s.SIGV * KA * s.THICK * s.MODA + SurchargeForce(soil, s);
    f.PA2 = 0.5 * EffectiveUnitWeight(s, GAMW) * s.THICK * s.THICK * KA * s.MODA;
    f.PA3 = -(2 * s.C * SQKA * s.THICK * s.MODA);
    f.Z1 = s.ZTOP + s.THICK / 2;
    f.Z2 = s.ZTOP + 2 * s.THICK / 3;
    if (f.PA1 + f.PA3 < 0) {
      // Tension crack: only the part below the crack pushes.
      f.PA1 = f.PA2 = f.PA3 = 0.0;
      const double a = 2 * s.C * SQKA - s.SIGV * KA;
      const double b = L[i + 1].SIGV * KA - 2 * s.C * SQKA;
      f.ZC = b + a != 0.0 ? b * s.THICK / (b + a) : 0.0;
      f.PA4 = b <= 0 ? 0.0 : s.MODA * f.ZC * b / 2;
      f.Z3 = L[i + 1].ZTOP - f.ZC / 3;
    }
  }

  // Water forces when the backfill water table lies above the excavation.
  int IWATER = soil.wall.IWATER;
  if (p.LW < p.LP) {
    out.water_section = true;
    IWATER = 1;
    for (int i = std::max(p.LW, 1); i < p.LP; ++i) {
      const Sublayer& s = L[i];
      if (!s.DRAINED || s.ZTOP < ZWB) continue;
      out.forces[i].PW1 = -(s.ZTOP - ZWB) * GAMW * s.THICK;
      out.forces[i].PW2 = -0.5 * GAMW * s.THICK * s.THICK;
      out.forces[i].water_row = true;
    }
  }

  double net = 0.0;
  for (int i = 1; i < p.LP; ++i) {
    const LayerForces& f = out.forces[i];
    net += f.PA1 + f.PA2 + f.PA3 + f.PA4 - f.PW1 - f.PW2;
  }
  out.net_negative = net < 1.0e-5;

  // Points about every inch (English) or every 0.05 m (SI).
  auto points_in = [si](double thick) {
    const double n = std::round(si ? 20 * thick : thick);
    return n > 0 ? n : 0.0;
  };
  double total = 1.0;
  for (int i = 1; i <= p.NL; ++i) total += points_in(L[i].THICK);
  // One more for the point a trapezoid writes twice.
  if (total + 1 > kMaxPressurePoints) return PressureError::TooManyPoints;

  std::vector<PressurePoint>& pts = out.points;
  {
    PressurePoint first;
    first.total = k[1].KA * L[1].SIGV * L[1].MODA;
    first.soil = 0.0;
    first.surcharge = L[1].SIGV > 0 ? first.total : 0.0;
    pts.push_back(first);
  }
  double e = 0.0, previous = 0.0;
  int last_above = 1;  // running number of the last point above H
  const double SIGV1 = L[1].SIGV;
  for (int i = 1; i <= p.NL; ++i) {
    const Sublayer& s = L[i];
    const double KA = k[i].KA, SQKA = k[i].SQKA, M = s.MODA;
    const double w = s.WET && s.DRAINED && IWATER == 1 ? GAMW : 0.0;
    const double cohesion = 2 * s.C * SQKA * M;
    double g, p0;
    if (i < p.LP) {
      g = w + EffectiveUnitWeight(s, GAMW) * KA * M;
      p0 = s.SIGV * KA * M - cohesion + (s.ZTOP - ZWB) * w * M;
    } else {
      // Below the excavation the soil part stays at its value there.
      g = 0.0;
      p0 = L[p.LP].SIGV * KA * M - cohesion + (s.ZTOP - ZWB) * w * M;
    }
    double pq = SIGV1 * KA * M - cohesion;
    if (SIGV1 < 1.0e-6 || pq < 0) pq = 0.0;
    const int n = static_cast<int>(points_in(s.THICK));
    for (int kpt = 1; kpt <= n; ++kpt) {
      const double z = kpt * s.THICK / n, d = s.ZTOP + z;
      PressurePoint pt;
      pt.depth = d;
      pt.total = pt.soil = g * z + p0;
      const double q = SurchargePressureAtDepth(soil.surcharges, H, wall_length, d);
      pt.surcharge = q * M;
      pt.total += q * M;
      if (d > ZWE && d < H) e = (d - ZWE) * GAMW;
      if (d > H) e = d > ZWE ? (ZWB - ZWE) * GAMW : 0.0;
      if (s.WET) {
        pt.total -= e * M;
        pt.soil -= e * M;
      }
      // Floors keep the pressures positive and growing where soil vanishes.
      const double m = static_cast<double>(pts.size() + 1);
      if (pt.total < 1.0e-5) pt.total = m * 1.0e-12;
      if (pt.soil < 1.0e-5) pt.soil = m * 1.0e-12;
      pt.surcharge += pq;
      pt.soil -= pq;
      if (i < p.LP) {
        out.PTOT += (previous + pt.total) / 2 / (si ? 20.0 : 1.0);
        last_above = static_cast<int>(pts.size() + 1);
      }
      previous = pt.total;
      pts.push_back(pt);
    }
  }

  if (IEPOPT == 3) {
    if (sup.NSUP < 1 || !(H > 0)) return PressureError::NoSupportForTrapezoid;
    const double d1 = 2 * sup.Z1SUP / 3;
    double d2 = H / 3, d3 = 2 * (H - sup.Z1SUP) / 3;
    double pmax = 1.3 * out.PTOT * 3 / (2 * H);
    if (sup.NSUP > 1) {
      d3 = 2 * (H - sup.ZNSUP) / 3;
      d2 = H - d1 - d3;
      const double arm = H - (d3 + d1) / 3;
      if (!(arm > 0)) return PressureError::NoSupportForTrapezoid;
      pmax = 1.3 * out.PTOT / arm;
    }
    // Points 2 to the last above H take the trapezoid; the point at the
    // excavation level then follows once more with its own value.
    std::vector<PressurePoint> trapezoid(pts.begin(), pts.begin() + last_above);
    for (int m = 2; m <= last_above; ++m) {
      PressurePoint& pt = trapezoid[m - 1];
      const double d = pt.depth;
      if (d < d1)
        pt.total = pmax * d / d1;
      else if (d <= d1 + d2)
        pt.total = pmax;
      else
        pt.total = d3 > 0 ? pmax - (d - d1 - d2) * pmax / d3 : 0.0;
    }
    trapezoid.insert(trapezoid.end(), pts.begin() + (last_above - 1), pts.end());
    pts = std::move(trapezoid);
  }
  return PressureError::None;
}

}  // namespace kestra
