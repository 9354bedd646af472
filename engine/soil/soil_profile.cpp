#include "soil_profile.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace kestra {

double WaterUnitWeight(int IUNIT) { return IUNIT == 2 ? 9.81 : 0.036; }

namespace {

Sublayer FromInput(const SoilInput& soil, size_t k) {
  Sublayer s;
  if (k >= soil.layers.size()) return s;  // end of the list: THICK = -1
  const SoilLayerInput& in = soil.layers[k];
  const double top = k == 0 ? 0.0 : soil.layers[k - 1].bottom;
  s.type = in.type;
  s.THICK = in.bottom - top;
  s.GAMMA = in.top[0];
  s.C = in.top[1];
  s.PHI = in.top[2];
  s.KOPT = in.type >= 6 ? 0.0 : in.top[5];  // rock takes no user coefficient
  s.DRAINED = in.type >= 4;
  s.MODA = soil.wall.MODFAC;
  return s;
}

}  // namespace

SoilProfile SubdivideLayers(const SoilInput& soil, int IUNIT) {
  SoilProfile p;
  p.GAMW = WaterUnitWeight(IUNIT);
  const double H = soil.wall.H, ZWB = soil.wall.ZWB;
  constexpr double TOL = kProfileTolerance;

  // Distinct depths among H and ZWB, ascending.
  double z[3] = {H, ZWB, H};
  if (z[0] > z[1]) std::swap(z[0], z[1]);
  if (z[0] > z[2]) std::swap(z[0], z[2]);
  if (z[1] > z[2]) std::swap(z[1], z[2]);
  // Both comparisons look at the sorted values before any is moved up.
  const bool first_same = std::fabs(z[0] - z[1]) < TOL;
  const bool second_same = std::fabs(z[1] - z[2]) < TOL;
  const int count = 3 - first_same - second_same;
  if (first_same) z[1] = z[2];
  int j = std::fabs(z[0]) < TOL ? 1 : 0;  // 0-based here

  auto& L = p.layer;
  int i = 1;
  size_t k = 0;
  L[1].ZTOP = 0.0;
  for (;;) {
    const double ztop = L[i].ZTOP;
    L[i] = FromInput(soil, k);
    L[i].ZTOP = ztop;
    if (L[i].THICK <= 0.0) {
      p.NL = i - 1;
      break;
    }
    const double bottom = L[i].ZTOP + L[i].THICK;
    while (j < count) {
      if (std::fabs(bottom - z[j]) < TOL) {
        z[j] = bottom;  // the boundary is the critical depth
        ++j;
      } else if (z[j] > bottom) {
        break;  // lies deeper: the next layer
      } else if (z[j] <= L[i].ZTOP) {
        ++j;  // above the surface: nothing to cut
      } else {
        // The critical depth lies inside: split the layer there.
        if (i + 1 > kMaxSublayers + 1) {
          p.too_many_layers = true;
          p.NL = kMaxSublayers + 1;
          return p;
        }
        L[i].THICK = z[j] - L[i].ZTOP;
        L[i + 1] = L[i];
        L[i + 1].THICK = bottom - z[j];
        L[i + 1].ZTOP = z[j];
        ++i;
        ++j;
      }
    }
    if (i + 1 > kMaxSublayers + 1) {
      p.too_many_layers = true;
      p.NL = kMaxSublayers + 1;
      return p;
    }
    ++i;
    L[i].ZTOP = bottom;
    ++k;
  }

  for (int n = 1; n <= p.NL; ++n) {
    if (std::fabs(L[n].ZTOP - H) <= TOL) p.LP = n;
    if (std::fabs(L[n].ZTOP - ZWB) <= TOL) p.LW = n;
  }
  return p;
}

void ComputeOverburden(SoilProfile& p, const SoilInput& soil) {
  auto& L = p.layer;
  const double ZWB = soil.wall.ZWB;
  for (int i = 1; i <= p.NL; ++i)
    L[i].WET = std::fabs(L[i].ZTOP - ZWB) < kProfileTolerance || ZWB < L[i].ZTOP;
  L[1].SIGV = soil.legacy.QPRE;
  for (int i = 2; i <= p.NL; ++i)
    L[i].SIGV = L[i - 1].SIGV + L[i - 1].THICK * L[i - 1].GAMMA;
  for (int i = 1; i <= p.NL; ++i)
    if (L[i].WET) L[i].SIGV -= (L[i].ZTOP - ZWB) * p.GAMW;
  if (p.NL >= 1) L[p.NL + 1].ZTOP = L[p.NL].ZTOP + L[p.NL].THICK;
  if (p.LP >= 1) p.SIGV_excavation = L[p.LP].SIGV;
}

void RestoreTotalStressForClays(SoilProfile& p, const SoilInput& soil) {
  for (int i = 1; i <= p.NL; ++i) {
    Sublayer& s = p.layer[i];
    if (s.KOPT > 1.0e-7 && !s.DRAINED && s.WET)
      s.SIGV += (s.ZTOP - soil.wall.ZWB) * p.GAMW;
  }
}

}  // namespace kestra
