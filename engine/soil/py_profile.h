// The soil below the excavation level as the p-y curves see it: layers with
// depths measured below the excavation, the distributions of effective unit
// weight and strength, and the lookups the soil models share.
#pragma once

#include <string>
#include <vector>

#include "problem_input.h"

namespace kestra {

struct PyLayer {
  int type = 1;
  double top = 0.0, bottom = 0.0;  // below the excavation level
  double gamma = 0.0;              // total unit weight (top value)
  // Top and bottom values of the strength, friction angle (degrees),
  // E50 (krm for weak rock) and sixth column (RQD for weak rock).
  double c[2] = {0, 0}, phi[2] = {0, 0}, e50[2] = {0, 0}, six[2] = {0, 0};
  double k = 0.0;  // subgrade modulus (rock mass modulus for weak rock)
};

struct DepthValue {
  double depth = 0.0;  // below the excavation level
  double value = 0.0;
};

// Where a lookup fell beyond the soil data.
enum class PyLookupError { None, BeyondStrength, BeyondUnitWeight, BeyondPhi };

class PyProfile {
 public:
  // Builds the layers below H down to two increments below the tip.
  PyProfile(const ProblemInput& p, double GAMW);

  const std::vector<PyLayer>& layers() const { return layers_; }
  const std::vector<DepthValue>& unit_weight() const { return gamma_; }
  // Two points per layer each (depth, value) for the report.
  const std::vector<DepthValue>& strength() const { return c_; }
  const std::vector<DepthValue>& phi() const { return phi_; }  // radians
  const std::vector<DepthValue>& e50() const { return e50_; }
  const std::vector<DepthValue>& sixth() const { return six_; }

  double Strength(double x, PyLookupError& e) const;
  double FrictionAngle(double x, PyLookupError& e) const;  // radians
  double E50(double x, PyLookupError& e) const;
  double Sixth(double x, PyLookupError& e) const;
  // Depth-weighted mean of the effective unit weight from 0 to x.
  double AverageUnitWeight(double x, PyLookupError& e) const;

 private:
  std::vector<PyLayer> layers_;
  std::vector<DepthValue> gamma_, c_, phi_, e50_, six_;
};

// Five curve depths of a layer: near its top, at the quarter points and
// near its bottom; d0 is 0.1 in or 0.01 m.
std::vector<double> CurveDepths(const PyLayer& layer, int IUNIT);

struct Multipliers {
  double p = 1.0, y = 1.0;
};

// Multipliers at depth z below the top of the wall: from the user's table,
// or for closely spaced wall elements from the spacing ratio RWA.
Multipliers MultipliersAt(const std::vector<PyModifier>& table, double RWA,
                          double z, double H);

}  // namespace kestra
