// The display lists of the 3D scene: soil and water, the wall (undeformed
// or deflected) and the loads, supports and anchors acting on it.
#include <algorithm>
#include <cmath>
#include <numbers>

#include "scene3d.h"
#include "scene3d_shapes.h"

namespace kestra::view3d {
namespace {

constexpr Rgba kPile{0.25f, 0.25f, 0.25f, 1.0f};
constexpr Rgba kLagging{0.75f, 0.75f, 0.75f, 1.0f};
constexpr Rgba kWallOutline{0.9f, 0.9f, 0.0f, 1.0f};
constexpr Rgba kUndeformedOutline{0.75f, 0.75f, 0.0f, 1.0f};
constexpr Rgba kOrange{1.0f, 0.5f, 0.0f, 1.0f};
constexpr Rgba kSpring{0.5f, 0.5f, 0.5f, 1.0f};
constexpr Rgba kTeal{0.5f, 0.75f, 0.75f, 1.0f};
constexpr Rgba kGreen{0.0f, 1.0f, 0.0f, 1.0f};
constexpr Rgba kBlue{0.0f, 0.0f, 1.0f, 1.0f};
constexpr Rgba kLoad{1.0f, 0.0f, 0.0f, 1.0f};
constexpr Rgba kRestraint{0.0f, 0.0f, 0.0f, 1.0f};
constexpr Rgba kAxisX{0.6f, 0.0f, 0.0f, 1.0f};
constexpr Rgba kAxisY{0.0f, 0.5f, 0.0f, 1.0f};
constexpr Rgba kAxisZ{0.0f, 0.0f, 0.6f, 1.0f};

double Radians(double degrees) { return degrees * std::numbers::pi / 180; }

// Sizes and positions every item shares.
class Builder {
 public:
  Builder(const SceneInput& in, const SceneOptions& opt)
      : in_(in), opt_(opt), ext_(GetMaxDims(in)) {
    d_ = ext_.across / 2;
    half_along_ = ext_.along / 2;
    half_t_ = in.thickness / 2;
    symbol_ = std::max(in.width, in.length / 40);
    if (opt.deformed_shape) profile_ = DeformedProfile(in, opt.factor);
    const double beta = in.backfill_slope;
    slope_ = beta > 0 && beta < 90 ? std::tan(Radians(beta)) : 0.0;
  }

  Scene Build() {
    Scene scene;
    if (opt_.soil_layers && in_.soil_data) SoilLayers(scene.soil);
    if (opt_.water_level) Water(scene.soil);
    Wall(scene.wall);
    if (opt_.lateral_springs && in_.apply_springs) Springs(scene.wall);
    if (opt_.concentrated_loads && in_.apply_loads) Loads(scene.wall);
    if (opt_.boundary_conditions && in_.apply_restraints) Restraints(scene.wall);
    if (opt_.tiebacks && in_.apply_tiebacks) Tiebacks(scene.wall);
    if (opt_.uniform_load && in_.uniform_surcharge > 0) UniformLoad(scene.wall);
    if (opt_.additional_surcharge && in_.apply_surcharge) Surcharges(scene.wall);
    if (opt_.axes) Axes(scene.wall);
    return scene;
  }

 private:
  // Height of the backfill surface at x (<= 0); flat on the excavation side.
  double Surface(double x) const {
    return x < -half_t_ ? (-x - half_t_) * slope_ : 0.0;
  }

  // Where the wall's axis is at a depth: moved with the deflected wall.
  double AxisX(double depth) const {
    if (profile_.empty() || !(in_.increment > 0)) return 0.0;
    const double s = std::clamp(depth / in_.increment, 0.0,
                                static_cast<double>(profile_.size() - 1));
    const size_t j = static_cast<size_t>(std::floor(s));
    const size_t k = std::min(j + 1, profile_.size() - 1);
    const double w = s - static_cast<double>(j);
    return profile_[j].axis.x * (1 - w) + profile_[k].axis.x * w;
  }
  double NodeDepth(int node) const { return node * in_.increment; }

  void SoilLayers(DisplayList& list) const {
    double top = 0.0;
    for (size_t k = 0; k < in_.layers.size(); ++k) {
      const double bottom = in_.layers[k].bottom;
      const Rgba colour = SoilLayerColour(static_cast<int>(k));
      const Rgba face = WithAlpha(colour, 0.5f);
      if (!(bottom > top)) continue;  // no thickness: nothing to show
      Corners back = AxisBox({-d_, -half_along_, -bottom},
                             {-half_t_, half_along_, -top});
      if (top == 0.0) {
        for (size_t c = 4; c < 8; ++c) back[c].z = Surface(back[c].x);
      }
      AddBox(list, back, face, colour);
      const double excavation_top = std::max(top, in_.free_height);
      if (bottom > excavation_top) {
        AddBox(list,
               AxisBox({half_t_, -half_along_, -bottom},
                       {d_, half_along_, -excavation_top}),
               face, colour);
      }
      top = bottom;
    }
  }

  void Water(DisplayList& list) const {
    const double depth = -ext_.bottom;
    auto plane = [&](double water, double x0, double x1) {
      if (!(water >= 0 && water <= depth)) return;
      const double z = -water;
      AddQuad(list,
              {Vec3{x0, -half_along_, z}, Vec3{x1, -half_along_, z},
               Vec3{x1, half_along_, z}, Vec3{x0, half_along_, z}},
              WithAlpha(kBlue, 0.75f), kBlue);
    };
    plane(in_.water_backfill, -d_, -half_t_);
    plane(in_.water_excavation, half_t_, d_);
  }

  void Wall(DisplayList& list) const {
    if (!profile_.empty()) {
      DeformedWall(list);
      if (opt_.undeformed_model) UndeformedWall(list, true);
    } else if (opt_.wall) {
      UndeformedWall(list, false);
    }
  }

  // Each panel a pile of width Wp between two lagging strips.
  void UndeformedWall(DisplayList& list, bool outline_only) const {
    const double w = in_.width, wp = in_.pile_width, L = in_.length;
    for (double y : PanelCentres(w)) {
      auto box = [&](double y0, double y1, Rgba face) {
        const Corners c = AxisBox({-half_t_, y0, -L}, {half_t_, y1, 0.0});
        if (outline_only) {
          AddBoxEdges(list, c, kUndeformedOutline);
        } else {
          AddBox(list, c, face, kWallOutline);
        }
      };
      box(y - wp / 2, y + wp / 2, kPile);
      if (w > wp) {
        box(y - w / 2, y - wp / 2, kLagging);
        box(y + wp / 2, y + w / 2, kLagging);
      }
    }
  }

  void DeformedWall(DisplayList& list) const {
    const double wp = in_.pile_width;
    for (double y : PanelCentres(in_.width)) {
      const double y0 = y - wp / 2, y1 = y + wp / 2;
      for (size_t i = 1; i < profile_.size(); ++i) {
        const WallSection& a = profile_[i - 1];
        const WallSection& b = profile_[i];
        auto at = [](Vec3 p, double yy) { return Vec3{p.x, yy, p.z}; };
        const Corners c = {at(a.back, y0), at(a.front, y0), at(a.front, y1),
                           at(a.back, y1), at(b.back, y0),  at(b.front, y0),
                           at(b.front, y1), at(b.back, y1)};
        AddBox(list, c, kLagging, kWallOutline);
      }
    }
  }

  void Springs(DisplayList& list) const {
    const double h = std::min(in_.increment / 4, in_.width / 4);
    for (const SceneSpring& s : in_.springs) {
      const double z = -NodeDepth(s.node);
      const double x0 = AxisX(-z) + half_t_;
      AddBox(list,
             AxisBox({x0, -h, z - h}, {x0 + in_.increment / 2, h, z + h}),
             kSpring, kOrange);
    }
  }

  // Longer arrows for larger loads, never shorter than half the longest.
  double ArrowLength(double value, double largest) const {
    const double share = largest > 0 ? std::abs(value) / largest : 1.0;
    return 2 * symbol_ * (0.5 + 0.5 * share);
  }

  void Loads(DisplayList& list) const {
    double lateral = 0, axial = 0;
    for (const SceneLoad& l : in_.loads) {
      lateral = std::max(lateral, std::abs(l.lateral));
      axial = std::max(axial, std::abs(l.axial));
    }
    const double head = symbol_ / 3;
    for (const SceneLoad& l : in_.loads) {
      const double z = -NodeDepth(l.node);
      const double x = AxisX(-z);
      if (l.lateral != 0) {
        // Pushes toward the excavation (+x) when positive.
        const double len = ArrowLength(l.lateral, lateral);
        const double face = l.lateral > 0 ? x - half_t_ : x + half_t_;
        const double sign = l.lateral > 0 ? 1.0 : -1.0;
        AddArrow(list, {face - sign * len, 0, z}, {face, 0, z}, head, kLoad);
      }
      if (l.axial != 0) {
        // Drawn negated: a positive axial load presses down on the wall.
        const double len = ArrowLength(l.axial, axial);
        if (l.axial > 0) {
          AddArrow(list, {x, 0, z + len}, {x, 0, z}, head, kLoad);
        } else {
          AddArrow(list, {x, 0, z}, {x, 0, z + len}, head, kLoad);
        }
      }
      if (l.moment != 0) Moment(list, x, z, l.moment > 0);
    }
  }

  // Three quarters of a circle in the x-z plane with an arrowhead;
  // anticlockwise seen from +y when positive.
  void Moment(DisplayList& list, double x, double z, bool positive) const {
    const double r = 0.6 * symbol_;
    std::vector<Vec3> arc;
    constexpr int kSteps = 24;
    Vec3 previous;
    for (int i = 0; i <= kSteps; ++i) {
      const double t = Radians(45 + 270.0 * i / kSteps) * (positive ? 1 : -1);
      const Vec3 p{x + r * std::cos(t), 0, z + r * std::sin(t)};
      if (i > 0) {
        arc.push_back(previous);
        arc.push_back(p);
      }
      previous = p;
    }
    AddLines(list, arc, kLoad);
    const Vec3 end = arc.back();
    const Vec3 before = arc[arc.size() - 4];
    AddArrow(list, before, end + (end - before) * 0.5, r / 2, kLoad);
  }

  void Restraints(DisplayList& list) const {
    const double s = 2.0 / 3.0 * in_.width;
    for (const SceneRestraint& r : in_.restraints) {
      const double z = -NodeDepth(r.node);
      const double x = AxisX(-z);
      if (!r.slope) {
        // A roller support pressing on the excavation face.
        const double x0 = x + half_t_, x1 = x0 + s, x2 = x1 + s / 6;
        AddLines(list,
                 {{x0, 0, z}, {x1, 0, z + s / 2}, {x1, 0, z + s / 2},
                  {x1, 0, z - s / 2}, {x1, 0, z - s / 2}, {x0, 0, z},
                  {x2, 0, z + s / 2}, {x2, 0, z - s / 2}},
                 kRestraint);
      } else {
        // A hatched clamp on the backfill face.
        const double x0 = x - half_t_ - s, x1 = x - half_t_;
        const double z0 = z - s / 2, z1 = z + s / 2;
        AddLines(list,
                 {{x0, 0, z0}, {x1, 0, z0}, {x1, 0, z0}, {x1, 0, z1},
                  {x1, 0, z1}, {x0, 0, z1}, {x0, 0, z1}, {x0, 0, z0},
                  {x0, 0, z0}, {x1, 0, z1}, {x0, 0, z1}, {x1, 0, z0}},
                 kRestraint);
      }
    }
  }

  // A box of `length` from `start` along `dir` (in the x-z plane), `half`
  // across in both other directions.
  static Corners Bar(Vec3 start, Vec3 dir, double length, double half) {
    const Vec3 across{-dir.z, 0, dir.x};
    const Vec3 y{0, 1, 0};
    const Vec3 end = start + dir * length;
    auto ring = [&](Vec3 c) {
      return std::array<Vec3, 4>{c - across * half - y * half,
                                 c + across * half - y * half,
                                 c + across * half + y * half,
                                 c - across * half + y * half};
    };
    const auto a = ring(start), b = ring(end);
    return {a[0], a[1], a[2], a[3], b[0], b[1], b[2], b[3]};
  }

  std::vector<double> AnchorPositions(double spacing) const {
    const double reach = 10 * in_.width;
    if (!(spacing > 0)) return PanelCentres(in_.width);
    std::vector<double> y;
    for (int k = 0; k < 10 && spacing * (k + 0.5) <= reach; ++k) {
      y.push_back(-spacing * (k + 0.5));
      y.push_back(spacing * (k + 0.5));
    }
    return y;
  }

  void Tiebacks(DisplayList& list) const {
    const double bar = std::max(in_.pile_width / 16, symbol_ / 40);
    for (const SceneTieback& t : in_.tiebacks) {
      const double a = Radians(t.angle);
      const Vec3 dir{-std::cos(a), 0, -std::sin(a)};
      const double free = t.length > 0 ? t.length : 3 * symbol_;
      const double anchor = std::max(free / 3, symbol_);
      const double x = AxisX(t.depth) - half_t_;
      for (double y : AnchorPositions(t.spacing)) {
        const Vec3 head{x, y, -t.depth};
        AddBox(list, Bar(head, dir, free, bar), kTeal, kOrange);
        AddBox(list, Bar(head + dir * free, dir, anchor, 3 * bar), kTeal,
               kOrange);
      }
    }
  }

  // Downward arrows standing on the backfill surface between x0 and x1
  // (x1 nearer the wall), with a translucent band over their tails.
  void ArrowField(DisplayList& list, double x0, double x1, int columns,
                  bool band, Rgba colour, bool down) const {
    const double len = 2 * symbol_;
    const int rows = 3;
    for (int i = 0; i < columns; ++i) {
      const double x =
          columns == 1 ? x0 : x0 + (x1 - x0) * i / (columns - 1.0);
      for (int j = 0; j < rows; ++j) {
        const double y = -half_along_ + 2 * half_along_ * (j + 0.5) / rows;
        const Vec3 ground{x, y, Surface(x)};
        const Vec3 above = ground + Vec3{0, 0, len};
        AddArrow(list, down ? above : ground, down ? ground : above,
                 symbol_ / 3, colour);
      }
    }
    if (band && x0 != x1) {
      AddQuadFace(list,
                  {Vec3{x0, -half_along_, Surface(x0) + len},
                   Vec3{x1, -half_along_, Surface(x1) + len},
                   Vec3{x1, half_along_, Surface(x1) + len},
                   Vec3{x0, half_along_, Surface(x0) + len}},
                  WithAlpha(colour, 0.25f));
    }
  }

  void UniformLoad(DisplayList& list) const {
    ArrowField(list, -d_, -half_t_ - symbol_ / 2, 6, true, kGreen, true);
  }

  void Surcharges(DisplayList& list) const {
    for (const SceneSurcharge& s : in_.surcharges) {
      const bool down = s.magnitude > 0;
      const double x = -s.distance;
      if (s.type == 1) {
        const Vec3 ground{x, 0, Surface(x)};
        const Vec3 above = ground + Vec3{0, 0, 2 * symbol_};
        AddArrow(list, down ? above : ground, down ? ground : above,
                 symbol_ / 3, kBlue);
      } else if (s.type == 2) {
        ArrowField(list, x, x, 1, false, kBlue, down);
        const double z = Surface(x) + 2 * symbol_;
        AddLines(list, {{x, -half_along_, z}, {x, half_along_, z}}, kBlue);
      } else {
        const double half = std::max(s.width, 0.0) / 2;
        ArrowField(list, x - half, x + half, 4, true, kBlue, down);
      }
    }
  }

  void Axes(DisplayList& list) const {
    const double len = std::max(3 * symbol_, in_.length / 4);
    const double head = len / 8;
    AddArrow(list, {0, 0, 0}, {len, 0, 0}, head, kAxisX);
    AddArrow(list, {0, 0, 0}, {0, len, 0}, head, kAxisY);
    AddArrow(list, {0, 0, 0}, {0, 0, len}, head, kAxisZ);
  }

  const SceneInput& in_;
  const SceneOptions& opt_;
  SceneExtents ext_;
  std::vector<WallSection> profile_;
  double d_ = 0, half_along_ = 0, half_t_ = 0, symbol_ = 0, slope_ = 0;
};

}  // namespace

Scene BuildScene(const SceneInput& input, const SceneOptions& options) {
  const bool usable = input.has_project && input.width > 0 &&
                      input.pile_width > 0 && input.thickness > 0 &&
                      std::isfinite(input.length) && std::isfinite(input.width) &&
                      std::isfinite(input.pile_width);
  if (!usable) return {};
  return Builder(input, options).Build();
}

}  // namespace kestra::view3d
