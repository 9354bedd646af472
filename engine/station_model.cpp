#include "station_model.h"

#include <cmath>

namespace kestra {

int NearestStation(double depth, double hinc) {
  const double s = std::round(depth / hinc);
  return std::fabs(s) < 1e6 ? static_cast<int>(s) : 1000000;
}

void StationModel::Reset(int ninc, double hinc) {
  NINC = ninc;
  HINC = hinc;
  for (StationArray* a : {&EI, &Q, &S, &T, &R, &P}) a->fill(0.0);
  KCASE.fill(kOrdinary);
  specified_deflection.fill(0.0);
  specified_slope.fill(0.0);
  specified_count = 0;
}

FillError AddSpecifiedPoint(StationModel& model, int case_code, int station,
                            double deflection, double slope, int& last_index) {
  if (station < -1 || StationIndex(station) < last_index)
    return FillError::StationsNotInOrder;
  // The slope cases touch the station below; keep that inside the arrays.
  if (station + 1 > model.NINC + 3) return FillError::StationOutsideWall;
  if (model.specified_count >= kMaxSpecified)
    return FillError::StationOutsideWall;  // the caller checks the count first
  last_index = StationIndex(station);
  const int i = StationIndex(station);
  if (case_code < 2) {
    model.KCASE[i] = kDeflectionSpecified;
  } else if (case_code == 2) {
    model.KCASE[i - 1] = kBeforeSpecifiedSlope;
    model.KCASE[i + 1] = kAfterSpecifiedSlope;
  } else {
    model.KCASE[i - 1] = kBeforeSpecifiedSlope;
    model.KCASE[i] = kDeflectionAndSlope;
    model.KCASE[i + 1] = kAfterSpecifiedSlope;
  }
  model.specified_deflection[model.specified_count] = deflection;
  model.specified_slope[model.specified_count] = slope;
  ++model.specified_count;
  return FillError::None;
}

namespace {

void AddAt(StationModel& m, int index, const StationValues& v, double f) {
  m.EI[index] += v.EI * f;
  m.Q[index] += v.Q * f;
  m.S[index] += v.S * f;
  m.T[index] += v.T * f;
  m.R[index] += v.R * f;
  m.P[index] += v.P * f;
}

StationValues Interpolate(const StationValues& u, const StationValues& w,
                          double t) {
  return {u.EI + (w.EI - u.EI) * t, u.Q + (w.Q - u.Q) * t,
          u.S + (w.S - u.S) * t,    u.T + (w.T - u.T) * t,
          u.R + (w.R - u.R) * t,    u.P + (w.P - u.P) * t};
}

// Adds values varying linearly from u at l0 to w at l2; the two end stations
// of a range get half values so that ranges meeting at a station add up.
FillError Distribute(StationModel& m, int l0, int l2, const StationValues& u,
                     const StationValues& w) {
  if (l2 < l0) return FillError::StationsNotInOrder;
  if (l0 < 0 || l2 >= StationIndex(m.NINC + 4))
    return FillError::StationOutsideWall;
  if (l2 == l0) {
    AddAt(m, l0, u, 1.0);
    return FillError::None;
  }
  const double span = l2 - l0;
  for (int j = l0; j <= l2; ++j) AddAt(m, j, Interpolate(u, w, (j - l0) / span), 1.0);
  AddAt(m, l0, u, -0.5);
  AddAt(m, l2, w, -0.5);
  return FillError::None;
}

}  // namespace

int RecordDistributor::Add(StationModel& model, int from, int to, int kont,
                           const StationValues& v, FillError& error) {
  error = FillError::None;
  const int k = 2 * kprev_ + kont + 1;
  const int l1 = StationIndex(from), l2 = StationIndex(to);
  switch (k) {
    case 1:
      error = Distribute(model, l1, l2, v, v);
      break;
    case 2:
      if (!model.HasStation(from)) error = FillError::StationOutsideWall;
      l0_ = l1;
      u_ = v;
      break;
    default:  // 3 ends a chain, 4 continues it
      error = Distribute(model, l0_, l2, u_, v);
      if (k == 4) {
        l0_ = l2;
        u_ = v;
      }
      break;
  }
  kprev_ = kont;
  return k;
}

bool HasDataBeyondTip(const StationModel& m) {
  const int i1 = StationIndex(m.NINC + 1), i2 = StationIndex(m.NINC + 2);
  // Any value counts, also when values of opposite sign would cancel.
  for (const StationArray* a : {&m.EI, &m.T, &m.R, &m.P})
    if ((*a)[i1] != 0.0 || (*a)[i2] != 0.0) return true;
  return m.Q[i1] != 0.0 || m.S[i1] != 0.0;
}

}  // namespace kestra
