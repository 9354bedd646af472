// Static p-y curves of the seven soil types: 17 (y, p) points per side of
// the wall at one curve depth.
#pragma once

#include <array>
#include <string>

#include "unit_labels.h"

namespace kestra {

inline constexpr int kCurvePoints = 17;

// What a model needs at one curve depth and side.
struct PyPointInput {
  bool excavation_side = true;
  double depth = 0.0;   // curve depth below the excavation level
  double x = 0.0;       // depth below this side's soil surface
  double xe = 0.0;      // depth for the ultimate resistance (layered soil)
  double layer_top = 0.0;  // layer top below this side's surface
  double b = 0.0;       // width WP
  double c = 0.0;       // strength (qu for rock)
  double ca = 0.0;      // average strength (stiff clays)
  double gamma = 0.0;   // average effective unit weight down to the depth
  double phi = 0.0;     // radians
  double e50 = 0.0;     // E50, or krm for weak rock
  double k = 0.0;       // subgrade modulus, or rock mass modulus
  double six = 0.0;     // RQD for weak rock
  double RWA = 1.0;     // spacing ratio WA/WP
  double SIGV_LP = 0.0; // backfill effective stress at the excavation level
  double BETA = 0.0;    // backfill slope, degrees
};

struct PyCurve {
  std::array<double, kCurvePoints> y{}, p{};
  double shift = 0.0;   // subtracted on the excavation side, added behind
  double pu = 0.0;      // ultimate resistance, for the layered-soil force
  bool multiplied = false;  // p already holds the p-multiplier (strong rock)
  // Report values some models print.
  double A = 0.0, B = 0.0, pst = 0.0, psd = 0.0, pc = 0.0, ps = 0.0, su = 0.0;
  double K0 = 0.0;      // soft clay: secant modulus below 1.0E-14
  std::string error;    // input the model cannot work with
};

PyCurve SoftClayCurve(const PyPointInput& in);
PyCurve StiffClayWithFreeWaterCurve(const PyPointInput& in);
PyCurve StiffClayWithoutFreeWaterCurve(const PyPointInput& in);
PyCurve SandCurve(const PyPointInput& in);
PyCurve SiltCurve(const PyPointInput& in);
PyCurve StrongRockCurve(const PyPointInput& in, double p_multiplier);
PyCurve WeakRockCurve(const PyPointInput& in);

// Factor tables of the sand criterion and the stiff-clay As, by x/b.
double SandFactorA(double x_over_b);
double SandFactorB(double x_over_b);
double StiffClayAs(double x_over_b);

// Ultimate resistance per length at depth x for the layered-soil force.
double SandUltimate(const PyPointInput& in, double x);

// Writes the model's table for one side: heading, values, the points as
// finished (y', p'), the multiplier line where the model has one.
void WritePyCurveTable(std::string& out, int type, const PyPointInput& in,
                       const PyCurve& curve,
                       const std::array<double, kCurvePoints>& y,
                       const std::array<double, kCurvePoints>& p,
                       double p_multiplier, double y_multiplier,
                       const UnitLabels& u);
// The curve's lines of the scratch file, in the model's layout.
void WritePyCurveFileLines(std::string& out, int type,
                           const std::array<double, kCurvePoints>& y,
                           const std::array<double, kCurvePoints>& p);

}  // namespace kestra
