#include "py_profile.h"

#include <algorithm>
#include <cmath>

namespace kestra {
namespace {

constexpr double kTiny = 1.0e-20;

// Which value of two points sharing a depth (a layer boundary) to use.
enum class AtBoundary { Lower, Average };

double Interpolate(const std::vector<DepthValue>& pts, double x,
                   AtBoundary rule, bool& beyond) {
  beyond = false;
  if (pts.empty() || x > pts.back().depth + 1e-12) {
    beyond = true;
    return 0.0;
  }
  for (size_t i = 0; i + 1 < pts.size(); ++i) {
    const DepthValue& a = pts[i];
    const DepthValue& b = pts[i + 1];
    if (x < a.depth || x > b.depth) continue;
    if (b.depth == a.depth) continue;
    // At a point shared with the next layer the boundary rule applies.
    if (x == b.depth && i + 2 < pts.size() && pts[i + 2].depth == b.depth) {
      const double upper = b.value, lower = pts[i + 2].value;
      if (upper < kTiny) return lower;
      if (lower < kTiny) return upper;
      return rule == AtBoundary::Lower ? lower : (upper + lower) / 2;
    }
    if (x == a.depth && i > 0 && pts[i - 1].depth == a.depth) {
      const double upper = pts[i - 1].value, lower = a.value;
      if (upper < kTiny) return lower;
      if (lower < kTiny) return upper;
      return rule == AtBoundary::Lower ? lower : (upper + lower) / 2;
    }
    return a.value + (b.value - a.value) * (x - a.depth) / (b.depth - a.depth);
  }
  return pts.front().value;  // x above the first point or a single point
}

}  // namespace

PyProfile::PyProfile(const ProblemInput& p, double GAMW) {
  const double H = p.soil.wall.H;
  const double ZWB = p.soil.wall.ZWB;
  const double zmax = (p.wall.NINC + 2) * p.wall.HINC - H;
  double top_abs = 0.0;
  for (const SoilLayerInput& in : p.soil.layers) {
    const double bottom_abs = in.bottom;
    const double layer_top = top_abs;
    top_abs = bottom_abs;
    if (bottom_abs <= H) continue;  // wholly above the excavation
    PyLayer l;
    l.type = in.type;
    l.top = std::max(layer_top - H, 0.0);
    if (l.top >= zmax) break;
    l.bottom = bottom_abs - H;
    l.gamma = in.top[0];
    l.c[0] = in.top[1];
    l.c[1] = in.bottom_values[1];
    l.phi[0] = in.top[2];
    l.phi[1] = in.bottom_values[2];
    l.e50[0] = in.top[3];
    l.e50[1] = in.bottom_values[3];
    l.six[0] = in.top[5];
    l.six[1] = in.bottom_values[5];
    l.k = in.top[4];
    if (l.bottom > zmax) {
      // End two increments below the tip, with values interpolated there.
      const double t = l.bottom > l.top ? (zmax - l.top) / (l.bottom - l.top) : 0.0;
      for (double* v : {l.c, l.phi, l.e50, l.six}) v[1] = v[0] + (v[1] - v[0]) * t;
      l.bottom = zmax;
      layers_.push_back(l);
      break;
    }
    layers_.push_back(l);
  }

  for (const PyLayer& l : layers_) {
    auto weight = [&](double depth) {
      return depth + H > ZWB ? l.gamma - GAMW : l.gamma;
    };
    const double zw = ZWB - H;  // water table below the excavation
    if (zw > l.top && zw < l.bottom) {
      gamma_.push_back({l.top, weight(l.top)});
      gamma_.push_back({zw, l.gamma});
      gamma_.push_back({zw, l.gamma - GAMW});
      gamma_.push_back({l.bottom, l.gamma - GAMW});
    } else {
      gamma_.push_back({l.top, weight(l.top)});
      gamma_.push_back({l.bottom, weight(l.bottom)});
    }
    c_.push_back({l.top, l.c[0]});
    c_.push_back({l.bottom, l.c[1]});
    phi_.push_back({l.top, l.phi[0] * 3.1416 / 180});
    phi_.push_back({l.bottom, l.phi[1] * 3.1416 / 180});
    e50_.push_back({l.top, l.e50[0]});
    e50_.push_back({l.bottom, l.e50[1]});
    six_.push_back({l.top, l.six[0]});
    six_.push_back({l.bottom, l.six[1]});
  }
}

namespace {

double Lookup(const std::vector<DepthValue>& pts, double x, AtBoundary rule,
              PyLookupError beyond_error, PyLookupError& e) {
  bool beyond;
  const double v = Interpolate(pts, x, rule, beyond);
  if (beyond && e == PyLookupError::None) e = beyond_error;
  return v;
}

}  // namespace

double PyProfile::Strength(double x, PyLookupError& e) const {
  return Lookup(c_, x, AtBoundary::Lower, PyLookupError::BeyondStrength, e);
}

double PyProfile::FrictionAngle(double x, PyLookupError& e) const {
  return Lookup(phi_, x, AtBoundary::Average, PyLookupError::BeyondPhi, e);
}

double PyProfile::E50(double x, PyLookupError& e) const {
  return Lookup(e50_, x, AtBoundary::Average, PyLookupError::BeyondStrength, e);
}

double PyProfile::Sixth(double x, PyLookupError& e) const {
  return Lookup(six_, x, AtBoundary::Lower, PyLookupError::BeyondStrength, e);
}

double PyProfile::AverageUnitWeight(double x, PyLookupError& e) const {
  if (gamma_.empty() || x > gamma_.back().depth + 1e-12) {
    if (e == PyLookupError::None) e = PyLookupError::BeyondUnitWeight;
    return 0.0;
  }
  if (x <= gamma_.front().depth) return gamma_.front().value;
  double area = 0.0;
  for (size_t i = 0; i + 1 < gamma_.size(); ++i) {
    const DepthValue& a = gamma_[i];
    const DepthValue& b = gamma_[i + 1];
    if (b.depth <= a.depth || a.depth >= x) continue;
    const double end = std::min(b.depth, x);
    const double v_end = a.value + (b.value - a.value) * (end - a.depth) / (b.depth - a.depth);
    area += (a.value + v_end) / 2 * (end - a.depth);
  }
  const double span = x - gamma_.front().depth;
  return span > 0 ? area / span : gamma_.front().value;
}

std::vector<double> CurveDepths(const PyLayer& l, int IUNIT) {
  const double d0 = IUNIT == 2 ? 0.01 : 0.1;
  const double t = l.bottom - l.top;
  return {l.top + d0, l.top + 0.25 * t, l.top + 0.5 * t, l.top + 0.75 * t,
          l.bottom - d0};
}

Multipliers MultipliersAt(const std::vector<PyModifier>& table, double RWA,
                          double z, double H) {
  Multipliers m;
  if (table.empty()) {
    if (RWA >= 1.1 && RWA < 3.1 && z >= H) m.p = 0.5292 * std::pow(RWA, 0.5659);
    return m;
  }
  if (z < table.front().depth || z > table.back().depth) return m;
  // The last row at exactly this depth wins; otherwise interpolate.
  for (size_t i = table.size(); i-- > 0;)
    if (table[i].depth == z) return {table[i].p_multiplier, table[i].y_multiplier};
  for (size_t i = 0; i + 1 < table.size(); ++i) {
    const PyModifier& a = table[i];
    const PyModifier& b = table[i + 1];
    if (z > a.depth && z < b.depth) {
      const double t = (z - a.depth) / (b.depth - a.depth);
      return {a.p_multiplier + (b.p_multiplier - a.p_multiplier) * t,
              a.y_multiplier + (b.y_multiplier - a.y_multiplier) * t};
    }
  }
  return m;
}

}  // namespace kestra
