// The 3D scene's quantities from the project, its extents, the deflected
// wall's outline and the deformation factor's steps.
#include "scene3d.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <numbers>

#include "scene3d_shapes.h"

namespace kestra::view3d {
namespace {

constexpr double kFootPerMetre = 1.0 / 0.3048;

double Finite(long double value) {
  const double v = static_cast<double>(value);
  return std::isfinite(v) ? v : 0.0;
}

double Float(const TGridTable& t, int col, int row) {
  return Finite(t.CellFloat(col, row).value_or(0));
}

int Integer(const TGridTable& t, int col, int row) {
  return t.CellInteger(col, row).value_or(0);
}

// Length in the engine's unit (inches for English) to world units.
double EngineLengthFactor(int units) { return units == 1 ? 1.0 / 12.0 : 1.0; }

// Surcharge distances and widths are small lengths: inches or millimetres.
double SmallLengthFactor(int units) {
  return units == 1 ? 1.0 / 12.0 : units == 2 ? 1.0 / 1000.0 : 1.0;
}

// Deflections as the graph holds them (inches, metres or L) to the
// project's world unit, in case the units were switched after the run.
double DeflectionFactor(int graph_units, int project_units) {
  if (graph_units == 3 || project_units == 3) return 1.0;
  const double to_world = graph_units == 1 ? 1.0 / 12.0 : 1.0;
  if (graph_units == project_units) return to_world;
  return graph_units == 1 ? to_world / kFootPerMetre : kFootPerMetre;
}

// Node rows with a constant-or-interpolate code, distributed over the nodes
// as the analysis does: a constant row over its nodes, an interpolating row
// linearly to the end node of the next row, the end nodes of a range taking
// half values so that ranges meeting at a node add up. Nodes outside the
// wall are dropped.
struct NodeRow {
  int code = 1;  // 1 constant, 2 interpolate
  int from = 0, to = 0;
  std::array<double, 3> values{};
};

std::map<int, std::array<double, 3>> Distribute(const std::vector<NodeRow>& rows,
                                                int nodes) {
  std::map<int, std::array<double, 3>> out;
  auto spread = [&](int a, int b, const std::array<double, 3>& u,
                    const std::array<double, 3>& w) {
    if (b < a) return;  // the analysis rejects such rows
    if (a == b) {
      if (a < 0 || a > nodes) return;
      for (size_t k = 0; k < 3; ++k) out[a][k] += u[k];
      return;
    }
    const int first = std::max(a, 0), last = std::min(b, nodes);
    for (int j = first; j <= last; ++j) {
      const double s = (static_cast<double>(j) - a) / (static_cast<double>(b) - a);
      const double weight = j == a || j == b ? 0.5 : 1.0;
      for (size_t k = 0; k < 3; ++k) {
        out[j][k] += weight * (u[k] + (w[k] - u[k]) * s);
      }
    }
  };
  int previous_kont = 0, start = 0;
  std::array<double, 3> start_values{};
  for (const NodeRow& r : rows) {
    const int kont = r.code == 2 ? 1 : 0;
    switch (2 * previous_kont + kont + 1) {
      case 1:
        spread(r.from, r.to, r.values, r.values);
        break;
      case 2:
        start = r.from;
        start_values = r.values;
        break;
      case 3:
        spread(start, r.to, start_values, r.values);
        break;
      default:
        spread(start, r.to, start_values, r.values);
        start = r.to;
        start_values = r.values;
        break;
    }
    previous_kont = kont;
  }
  return out;
}

bool AnyNonZero(const std::array<double, 3>& v) {
  return v[0] != 0 || v[1] != 0 || v[2] != 0;
}

bool RowIsEmpty(const TGridTable& t, int row) {
  for (int col = 0; col < t.ColumnCount(); ++col) {
    if (Float(t, col, row) != 0) return false;
  }
  return true;
}

}  // namespace

SceneInput ReadSceneInput(const TProgramData& data, const InputTables& tables,
                          const TGraphPlot& deflection) {
  SceneInput in;
  in.units = data.Units < 1 || data.Units > 3 ? 1 : data.Units;
  const double f = EngineLengthFactor(in.units);
  in.increments = std::max(data.IncrementCount, 0);
  in.increment = std::max(Finite(data.IncrementLength) * f, 0.0);
  in.length = in.increments * in.increment;
  in.has_project = in.length > 0 && std::isfinite(in.length);

  const double active = Finite(data.WidthActive) * f;
  const double py = Finite(data.WidthPY) * f;
  in.width = active > 0 ? active : in.length / 10;
  in.pile_width = py > 0 ? py : in.length / 10;
  in.thickness = in.pile_width != in.width ? in.pile_width / 4 : in.width / 10;

  in.free_height = Finite(data.FreeHeight) * f;
  in.water_backfill = Finite(data.WaterDepthBackfill) * f;
  in.water_excavation = Finite(data.WaterDepthExcavation) * f;
  in.backfill_slope = Finite(data.BackfillSlope);
  in.uniform_surcharge = Finite(data.UniformSurcharge);

  // Depths of the tables' "L2" columns are already feet or metres.
  in.soil_data = data.GeneratePYCurves != 0 || data.KeepGeneratedPressure != 0;
  const TGridTable& soil = tables.NewSoil;
  for (int r = 0; r < soil.RowCount(); ++r) {
    in.layers.push_back({Integer(soil, soil_columns::kSoilType, r),
                         Float(soil, soil_columns::kBottomDepth, r)});
  }

  in.apply_surcharge = data.ApplySurcharge;
  const TGridTable& sur = tables.SurchargeTable;
  const double small = SmallLengthFactor(in.units);
  for (int r = 0; r < sur.RowCount(); ++r) {
    SceneSurcharge s;
    s.type = Integer(sur, surcharge_columns::kLoadType, r);
    s.magnitude = Float(sur, surcharge_columns::kMagnitude, r);
    s.distance = Float(sur, surcharge_columns::kDistance, r) * small;
    s.width = Float(sur, surcharge_columns::kWidth, r) * small;
    if (s.type < 1 || s.type > 3 || s.magnitude == 0) continue;
    in.surcharges.push_back(s);
  }

  const int nodes = std::min(in.increments, kMaxDrawnIncrements);
  in.apply_loads = data.ApplyConcentratedLoads;
  {
    const TGridTable& b = tables.BoundCond;
    std::vector<NodeRow> rows;
    for (int r = 0; r < b.RowCount(); ++r) {
      rows.push_back({Integer(b, 0, r), Integer(b, 1, r), Integer(b, 2, r),
                      {Float(b, 3, r), Float(b, 4, r), Float(b, 5, r)}});
    }
    for (const auto& [node, v] : Distribute(rows, nodes)) {
      if (AnyNonZero(v)) in.loads.push_back({node, v[0], v[1], v[2]});
    }
  }

  in.apply_springs = data.ApplySprings;
  {
    const TGridTable& s = tables.SoilStrength;
    std::vector<NodeRow> rows;
    for (int r = 0; r < s.RowCount(); ++r) {
      rows.push_back({Integer(s, 0, r), Integer(s, 1, r), Integer(s, 2, r),
                      {Float(s, 3, r), Float(s, 4, r), 0.0}});
    }
    for (const auto& [node, v] : Distribute(rows, nodes)) {
      if (AnyNonZero(v)) in.springs.push_back({node, v[0], v[1]});
    }
  }

  in.apply_restraints = data.ApplyRestraints;
  const TGridTable& res = tables.SoilLayer;
  for (int r = 0; r < res.RowCount(); ++r) {
    const int node = Integer(res, 1, r);
    if (node < 0 || node > nodes) continue;
    in.restraints.push_back({Integer(res, 0, r) == 2, node});
  }

  in.apply_tiebacks = data.ApplyTiebacks;
  const TGridTable& tb = tables.TiebackTable1;
  for (int r = 0; r < tb.RowCount(); ++r) {
    if (RowIsEmpty(tb, r)) continue;  // the blank row of a new table
    in.tiebacks.push_back(
        {Float(tb, 0, r), Float(tb, 4, r), Float(tb, 3, r), Float(tb, 5, r)});
  }

  if (deflection.LineCount(CurveGroup::Lines) > 0) {
    const TLine& curve = deflection.Line(CurveGroup::Lines, 0);
    const double k = DeflectionFactor(deflection.Units(), in.units);
    const size_t count =
        std::min(curve.Points.size(), static_cast<size_t>(nodes) + 1);
    for (size_t j = 0; j < count; ++j) {
      in.deflections.push_back(Finite(curve.Points[j].X) * k);
    }
  }
  return in;
}

SceneExtents GetMaxDims(const SceneInput& in) {
  SceneExtents e;
  if (!in.has_project) return e;
  double d = 2.5 * (5 * in.width);
  if (in.apply_surcharge) {
    for (const SceneSurcharge& s : in.surcharges) {
      const double reach = s.type == 3 ? s.distance + s.width / 2 : s.distance;
      d = std::max(d, 0.9 * reach);
    }
  }
  double depth = in.length;
  for (const SceneLayer& layer : in.layers) depth = std::max(depth, layer.bottom);
  e.across = 2 * d;
  e.along = 2 * (5 * in.width);
  e.bottom = -depth;
  // A sloped backfill rises above the wall top across the scene.
  const double beta = in.backfill_slope;
  e.top = beta > 0 && beta < 90 ? d * std::tan(beta * std::numbers::pi / 180) : 0.0;
  e.largest = std::max({e.across, e.along, e.top - e.bottom});
  e.centre = {0.0, 0.0, (e.top + e.bottom) / 2};
  return e;
}

long double StepFactor(long double factor, bool up) {
  if (!(factor > 0) || !std::isfinite(factor)) return 1.0L;
  const bool scaled = factor > 0.1L && factor < 1.0L;
  const long double f = scaled ? factor * 10 : factor;
  long double g = std::pow(10.0L, std::floor(std::log10(f)));
  // Powers of ten may come out a hair off; keep f / g within 1..10.
  if (f / g >= 10.0L * (1 - 1e-15L)) g *= 10;
  if (f / g < 1.0L * (1 - 1e-15L)) g /= 10;
  const long double m = std::floor(f / g * (1 + 1e-15L));
  const long double mantissa = up ? m + 1 : m == 1 ? 0.9L : m - 1;
  long double result = g * mantissa;
  if (scaled) result /= 10;
  return std::isfinite(result) && result > 0 ? result : factor;
}

Rgba SoilLayerColour(int k) {
  static constexpr std::array<Rgba, 10> kColours = {{
      {0.8f, 0.55f, 0.0f, 1.0f},
      {0.55f, 0.4f, 0.2f, 1.0f},
      {0.4f, 0.4f, 0.2f, 1.0f},
      {0.4f, 0.4f, 0.55f, 1.0f},
      {0.0f, 0.5f, 0.5f, 1.0f},
      {0.2f, 0.2f, 0.55f, 1.0f},
      {0.8f, 0.0f, 0.8f, 1.0f},
      {0.4f, 0.4f, 0.55f, 1.0f},
      {0.15f, 0.15f, 0.45f, 1.0f},
      {0.65f, 0.4f, 0.2f, 1.0f},
  }};
  const int i = ((k % 10) + 10) % 10;
  return kColours[static_cast<size_t>(i)];
}

std::vector<double> PanelCentres(double width) {
  std::vector<double> y;
  for (int i = 9; i >= 0; --i) y.push_back(-width * (i + 0.5));
  for (int i = 0; i <= 9; ++i) y.push_back(width * (i + 0.5));
  return y;
}

std::vector<WallSection> DeformedProfile(const SceneInput& in,
                                         long double factor) {
  const int n = std::min({in.increments, kMaxDrawnIncrements,
                          static_cast<int>(in.deflections.size()) - 1});
  if (n < 1 || !(in.increment > 0) || !(in.thickness > 0)) return {};
  std::vector<Vec3> axis;
  for (int j = 0; j <= n; ++j) {
    double x = static_cast<double>(in.deflections[static_cast<size_t>(j)] * factor);
    if (!std::isfinite(x)) x = 0;
    axis.push_back({x, 0.0, -j * in.increment});
  }
  // Normal of each segment, toward the excavation side.
  std::vector<Vec3> normal;
  for (int i = 1; i <= n; ++i) {
    const Vec3 d = Normalised(axis[static_cast<size_t>(i)] - axis[static_cast<size_t>(i - 1)]);
    normal.push_back(Length(d) > 0 ? Vec3{-d.z, 0.0, d.x} : Vec3{1, 0, 0});
  }
  const double half = in.thickness / 2;
  std::vector<WallSection> out;
  for (int j = 0; j <= n; ++j) {
    const Vec3 above = normal[static_cast<size_t>(std::max(j - 1, 0))];
    const Vec3 below = normal[static_cast<size_t>(std::min(j, n - 1))];
    // The mitre bisects the two segments; its faces stay t/2 from both.
    Vec3 m = Normalised(above + below);
    if (Length(m) == 0) m = above;
    const double c = std::max(Dot(m, above), 0.1);
    const Vec3 offset = m * (half / c);
    const Vec3 p = axis[static_cast<size_t>(j)];
    out.push_back({p, p - offset, p + offset});
  }
  return out;
}

}  // namespace kestra::view3d
