#include "scene3d.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

#include "input_tables.h"
#include "plot_data.h"
#include "program_data.h"

namespace kestra::view3d {
namespace {

constexpr Rgba kPile{0.25f, 0.25f, 0.25f, 1.0f};
constexpr Rgba kLagging{0.75f, 0.75f, 0.75f, 1.0f};
constexpr Rgba kUndeformedOutline{0.75f, 0.75f, 0.0f, 1.0f};
constexpr Rgba kSpring{0.5f, 0.5f, 0.5f, 1.0f};
constexpr Rgba kTeal{0.5f, 0.75f, 0.75f, 1.0f};
constexpr Rgba kLoad{1.0f, 0.0f, 0.0f, 1.0f};
constexpr Rgba kRestraint{0.0f, 0.0f, 0.0f, 1.0f};
constexpr Rgba kGreen{0.0f, 1.0f, 0.0f, 1.0f};
constexpr Rgba kBlue{0.0f, 0.0f, 1.0f, 1.0f};
constexpr Rgba kWater{0.0f, 0.0f, 1.0f, 0.75f};
constexpr Rgba kAxisX{0.6f, 0.0f, 0.0f, 1.0f};

bool Same(Rgba a, Rgba b) {
  return a.r == b.r && a.g == b.g && a.b == b.b && a.a == b.a;
}

std::vector<const Primitive*> Find(const DisplayList& list, Rgba colour,
                                   PrimitiveKind kind) {
  std::vector<const Primitive*> out;
  for (const Primitive& p : list.items) {
    if (p.kind == kind && Same(p.colour, colour)) out.push_back(&p);
  }
  return out;
}

struct Bounds {
  Vec3 low{1e300, 1e300, 1e300}, high{-1e300, -1e300, -1e300};
};

Bounds BoundsOf(const Primitive& p) {
  Bounds b;
  for (const Vec3& v : p.vertices) {
    b.low = {std::min(b.low.x, v.x), std::min(b.low.y, v.y), std::min(b.low.z, v.z)};
    b.high = {std::max(b.high.x, v.x), std::max(b.high.y, v.y), std::max(b.high.z, v.z)};
  }
  return b;
}

bool AllFinite(const Scene& s) {
  for (const DisplayList* list : {&s.loading, &s.soil, &s.wall}) {
    for (const Primitive& p : list->items) {
      for (const Vec3& v : p.vertices) {
        if (!std::isfinite(v.x) || !std::isfinite(v.y) || !std::isfinite(v.z)) return false;
      }
      if (!p.normals.empty() && p.normals.size() != p.vertices.size()) return false;
    }
  }
  return true;
}

size_t ItemCount(const Scene& s) {
  return s.loading.items.size() + s.soil.items.size() + s.wall.items.size();
}

// A 20 ft wall of 40 increments, W 2 ft, Wp 1 ft, with something of every
// kind switched on.
SceneInput Wall() {
  SceneInput in;
  in.has_project = true;
  in.increments = 40;
  in.increment = 0.5;
  in.length = 20;
  in.width = 2;
  in.pile_width = 1;
  in.thickness = 0.25;
  in.free_height = 8;
  in.water_backfill = 5;
  in.water_excavation = 10;
  in.uniform_surcharge = 1;
  in.layers = {{1, 6}, {4, 15}, {6, 30}};
  in.apply_surcharge = true;
  in.surcharges = {{1, 5, 0, 10}, {2, 8, 0, 5}, {3, 12, 4, 2}};
  in.apply_loads = true;
  in.loads = {{0, 10, 5, 20}};
  in.apply_springs = true;
  in.springs = {{30, 100, 0}};
  in.apply_restraints = true;
  in.restraints = {{false, 40}, {true, 40}};
  in.apply_tiebacks = true;
  in.tiebacks = {{4, 15, 10, 4}};
  for (int j = 0; j <= 40; ++j) in.deflections.push_back(0.01 * (40 - j));
  return in;
}

TEST(Scene3DInput, EnglishInchesBecomeFeet) {
  InputTables tables;
  TProgramData d(tables);
  d.IncrementCount = 40;
  d.IncrementLength = 6;  // in
  d.WidthActive = 24;
  d.WidthPY = 12;
  d.FreeHeight = 120;
  d.WaterDepthBackfill = 60;
  d.ApplySurcharge = true;
  tables.SurchargeTable.SetCellInteger(surcharge_columns::kLoadType, 0, 3);
  tables.SurchargeTable.SetCellFloat(surcharge_columns::kMagnitude, 0, 2);
  tables.SurchargeTable.SetCellFloat(surcharge_columns::kDistance, 0, 120);
  tables.SurchargeTable.SetCellFloat(surcharge_columns::kWidth, 0, 48);
  tables.NewSoil.SetCellFloat(soil_columns::kBottomDepth, 0, 25);  // ft
  TGraphPlot def("Deflection vs Depth", "Load #");
  def.SetLineCount(CurveGroup::Lines, 1);
  def.SetPointCount(CurveGroup::Lines, 41);
  def.Line(CurveGroup::Lines, 0).Points[0].X = 1.2L;  // in

  const SceneInput in = ReadSceneInput(d, tables, def);
  EXPECT_TRUE(in.has_project);
  EXPECT_DOUBLE_EQ(in.length, 20);
  EXPECT_DOUBLE_EQ(in.increment, 0.5);
  EXPECT_DOUBLE_EQ(in.width, 2);
  EXPECT_DOUBLE_EQ(in.pile_width, 1);
  EXPECT_DOUBLE_EQ(in.thickness, 0.25);
  EXPECT_DOUBLE_EQ(in.free_height, 10);
  EXPECT_DOUBLE_EQ(in.water_backfill, 5);
  ASSERT_EQ(in.surcharges.size(), 1u);
  EXPECT_DOUBLE_EQ(in.surcharges[0].distance, 10);
  EXPECT_DOUBLE_EQ(in.surcharges[0].width, 4);
  ASSERT_EQ(in.layers.size(), 1u);
  EXPECT_DOUBLE_EQ(in.layers[0].bottom, 25);
  ASSERT_EQ(in.deflections.size(), 41u);
  EXPECT_DOUBLE_EQ(in.deflections[0], 0.1);
}

// The layers are drawn whenever the analysis uses them: for the p-y curves
// or for the earth pressure alone (an anchored wall with generated pressure
// and no soil springs below the excavation).
TEST(Scene3DInput, SoilShownWhenTheLayerTableIsInUse) {
  struct Row {
    int generate_py, keep_pressure;
    bool soil;
  };
  // clang-format off
  const Row rows[] = {{1, 0, true}, {0, 1, true}, {1, 1, true}, {0, 0, false}};
  // clang-format on
  for (const Row& r : rows) {
    InputTables tables;
    TProgramData d(tables);
    d.GeneratePYCurves = r.generate_py;
    d.KeepGeneratedPressure = r.keep_pressure;
    const TGraphPlot def("Deflection vs Depth", "Load #");
    EXPECT_EQ(ReadSceneInput(d, tables, def).soil_data, r.soil)
        << r.generate_py << " " << r.keep_pressure;
  }
}

TEST(Scene3DInput, SiSurchargeInMillimetresAndUnitsSwitchedAfterTheRun) {
  InputTables tables;
  TProgramData d(tables);
  d.SetUnits(2);
  d.IncrementCount = 10;
  d.IncrementLength = 0.5;  // m
  d.ApplySurcharge = true;
  tables.SurchargeTable.SetCellInteger(surcharge_columns::kLoadType, 0, 1);
  tables.SurchargeTable.SetCellFloat(surcharge_columns::kMagnitude, 0, 5);
  tables.SurchargeTable.SetCellFloat(surcharge_columns::kDistance, 0, 2500);
  // The run was made in English: the graph still holds inches.
  TGraphPlot def("Deflection vs Depth", "Load #");
  def.SetLineCount(CurveGroup::Lines, 1);
  def.SetPointCount(CurveGroup::Lines, 11);
  def.Line(CurveGroup::Lines, 0).Points[0].X = 1;
  const SceneInput in = ReadSceneInput(d, tables, def);
  ASSERT_EQ(in.surcharges.size(), 1u);
  EXPECT_DOUBLE_EQ(in.surcharges[0].distance, 2.5);
  EXPECT_NEAR(in.deflections[0], 0.0254, 1e-12);
}

TEST(Scene3DInput, NodeRowsSpreadAsTheAnalysisDoes) {
  InputTables tables;
  TProgramData d(tables);
  d.IncrementCount = 10;
  d.IncrementLength = 12;
  d.ApplyConcentratedLoads = true;
  TGridTable& b = tables.BoundCond;
  b.SetRowCount(3);
  // Constant over nodes 2..4, a single node 6, and a row past the tip.
  b.SetCellInteger(0, 0, 1); b.SetCellInteger(1, 0, 2); b.SetCellInteger(2, 0, 4);
  b.SetCellFloat(3, 0, 10);
  b.SetCellInteger(0, 1, 1); b.SetCellInteger(1, 1, 6); b.SetCellInteger(2, 1, 6);
  b.SetCellFloat(5, 1, 7);
  b.SetCellInteger(0, 2, 1); b.SetCellInteger(1, 2, 50); b.SetCellInteger(2, 2, 50);
  b.SetCellFloat(3, 2, 1);
  const SceneInput in = ReadSceneInput(d, tables, TGraphPlot("", ""));
  ASSERT_EQ(in.loads.size(), 4u);
  EXPECT_EQ(in.loads[0].node, 2);
  EXPECT_DOUBLE_EQ(in.loads[0].lateral, 5);  // range ends carry half
  EXPECT_DOUBLE_EQ(in.loads[1].lateral, 10);
  EXPECT_DOUBLE_EQ(in.loads[2].lateral, 5);
  EXPECT_EQ(in.loads[3].node, 6);
  EXPECT_DOUBLE_EQ(in.loads[3].axial, 7);
}

TEST(Scene3DInput, NewProjectHasNoWall) {
  InputTables tables;
  TProgramData d(tables);
  const SceneInput in = ReadSceneInput(d, tables, TGraphPlot("", ""));
  EXPECT_FALSE(in.has_project);
  const SceneExtents e = GetMaxDims(in);
  EXPECT_EQ(e.across, 0);
  EXPECT_EQ(e.largest, 0);
  EXPECT_EQ(ItemCount(BuildScene(in, SceneOptions{})), 0u);
}

TEST(Scene3DExtents, AcrossAlongDepthAndCentre) {
  SceneInput in = Wall();
  in.layers = {{1, 10}};
  in.apply_surcharge = false;
  SceneExtents e = GetMaxDims(in);
  EXPECT_DOUBLE_EQ(e.across, 2 * 2.5 * 5 * 2);
  EXPECT_DOUBLE_EQ(e.along, 20);
  EXPECT_DOUBLE_EQ(e.top, 0);
  EXPECT_DOUBLE_EQ(e.bottom, -20);
  EXPECT_DOUBLE_EQ(e.largest, 25 * 2);
  EXPECT_DOUBLE_EQ(e.centre.z, -10);

  // A strip counts to its far half; only applied surcharges count.
  in.surcharges = {{3, 40, 20, 1}, {1, 30, 0, 1}};
  EXPECT_DOUBLE_EQ(GetMaxDims(in).across, 50);
  in.apply_surcharge = true;
  EXPECT_DOUBLE_EQ(GetMaxDims(in).across, 2 * 0.9 * 50);

  // Soil deeper than the wall extends the scene below the tip.
  in.layers = {{1, 10}, {4, 32}};
  e = GetMaxDims(in);
  EXPECT_DOUBLE_EQ(e.bottom, -32);
  EXPECT_DOUBLE_EQ(e.centre.z, -16);
}

TEST(Scene3DWall, TwentyPanelsAtTheirCentres) {
  SceneInput in = Wall();
  SceneOptions opt;
  const Scene s = BuildScene(in, opt);
  const auto piles = Find(s.wall, kPile, PrimitiveKind::kTriangles);
  ASSERT_EQ(piles.size(), 20u);
  const auto lagging = Find(s.wall, kLagging, PrimitiveKind::kTriangles);
  EXPECT_EQ(lagging.size(), 40u);
  std::vector<double> centres;
  for (const Primitive* p : piles) {
    const Bounds b = BoundsOf(*p);
    EXPECT_DOUBLE_EQ(b.high.y - b.low.y, 1);
    EXPECT_DOUBLE_EQ(b.high.x - b.low.x, 0.25);
    EXPECT_DOUBLE_EQ(b.low.z, -20);
    EXPECT_DOUBLE_EQ(b.high.z, 0);
    centres.push_back((b.low.y + b.high.y) / 2);
  }
  std::sort(centres.begin(), centres.end());
  EXPECT_EQ(centres, PanelCentres(2));
  EXPECT_DOUBLE_EQ(centres.front(), -19);
  EXPECT_DOUBLE_EQ(centres[10], 1);
}

TEST(Scene3DWall, WithoutWidthsPanelsAreATenthOfTheLengthWide) {
  InputTables tables;
  TProgramData d(tables);
  d.IncrementCount = 50;
  d.IncrementLength = 12;  // 50 ft
  const SceneInput in = ReadSceneInput(d, tables, TGraphPlot("", ""));
  EXPECT_DOUBLE_EQ(in.width, 5);
  EXPECT_DOUBLE_EQ(in.thickness, 0.5);
  const Scene s = BuildScene(in, SceneOptions{});
  const auto piles = Find(s.wall, kPile, PrimitiveKind::kTriangles);
  ASSERT_EQ(piles.size(), 20u);
  const Bounds b = BoundsOf(*piles[0]);
  EXPECT_DOUBLE_EQ(b.high.y - b.low.y, 5);
  EXPECT_DOUBLE_EQ(b.high.x - b.low.x, 0.5);
  // Pile as wide as the panel: no lagging.
  EXPECT_TRUE(Find(s.wall, kLagging, PrimitiveKind::kTriangles).empty());
}

TEST(Scene3DSoil, LayerBoxesColoursAndExcavationLevel) {
  SceneInput in = Wall();
  in.layers.clear();
  for (int k = 0; k < 12; ++k) in.layers.push_back({1, 2.0 * (k + 1)});
  in.free_height = 5;
  SceneOptions opt;
  opt.water_level = false;
  const Scene s = BuildScene(in, opt);
  std::vector<const Primitive*> faces;
  for (const Primitive& p : s.soil.items) {
    if (p.kind == PrimitiveKind::kTriangles) faces.push_back(&p);
  }
  // Backfill boxes for all 12; excavation boxes from layer 2 (bottom 6 > 5).
  ASSERT_EQ(faces.size(), 12u + 10u);
  EXPECT_TRUE(Same(SoilLayerColour(10), SoilLayerColour(0)));
  EXPECT_TRUE(Same(SoilLayerColour(13), SoilLayerColour(3)));
  EXPECT_FALSE(Same(SoilLayerColour(1), SoilLayerColour(0)));
  size_t i = 0;
  for (int k = 0; k < 12; ++k) {
    Rgba expected = SoilLayerColour(k);
    expected.a = 0.5f;
    ASSERT_TRUE(Same(faces[i]->colour, expected)) << "layer " << k;
    const Bounds back = BoundsOf(*faces[i++]);
    EXPECT_LT(back.high.x, 0);
    EXPECT_DOUBLE_EQ(back.low.z, -2.0 * (k + 1));
    if (k >= 2) {
      const Bounds front = BoundsOf(*faces[i++]);
      EXPECT_GT(front.low.x, 0);
      EXPECT_DOUBLE_EQ(front.high.z, k == 2 ? -5.0 : -2.0 * k);
    }
  }
  // Outlines are opaque.
  for (const Primitive& p : s.soil.items) {
    if (p.kind == PrimitiveKind::kLines) {
      EXPECT_EQ(p.colour.a, 1.0f);
    }
  }

  in.soil_data = false;
  EXPECT_TRUE(BuildScene(in, opt).soil.items.empty());
}

TEST(Scene3DSoil, SlopedBackfillRisesAwayFromTheWall) {
  SceneInput in = Wall();
  in.backfill_slope = 45;
  SceneOptions opt;
  opt.water_level = false;
  const Scene s = BuildScene(in, opt);
  const Bounds top = BoundsOf(s.soil.items.front());
  const double d = GetMaxDims(in).across / 2;
  EXPECT_NEAR(top.high.z, d - 0.125, 1e-9);
  EXPECT_GT(GetMaxDims(in).top, 0);
}

// Distance of p from the line through a and b in the x-z plane.
double DistanceToLine(Vec3 p, Vec3 a, Vec3 b) {
  const double dx = b.x - a.x, dz = b.z - a.z;
  return std::abs((p.x - a.x) * dz - (p.z - a.z) * dx) / std::hypot(dx, dz);
}

TEST(Scene3DDeformed, StraightDeflectionKeepsSegmentsParallel) {
  SceneInput in = Wall();
  const auto profile = DeformedProfile(in, 10);
  ASSERT_EQ(profile.size(), 41u);
  const Vec3 top = profile.front().axis, tip = profile.back().axis;
  EXPECT_DOUBLE_EQ(top.x, 4);
  EXPECT_DOUBLE_EQ(tip.z, -20);
  for (const WallSection& w : profile) {
    EXPECT_NEAR(DistanceToLine(w.back, top, tip), 0.125, 1e-12);
    EXPECT_NEAR(DistanceToLine(w.front, top, tip), 0.125, 1e-12);
    EXPECT_LT(w.back.x, w.front.x);
  }
}

TEST(Scene3DDeformed, MitredJointsMeetBothSegments) {
  SceneInput in = Wall();
  // Straight down to node 20, then a kink.
  for (int j = 0; j <= 40; ++j) in.deflections[static_cast<size_t>(j)] = j <= 20 ? 0 : 0.2 * (j - 20);
  const auto p = DeformedProfile(in, 1);
  ASSERT_EQ(p.size(), 41u);
  const WallSection& joint = p[20];
  for (Vec3 face : {joint.back, joint.front}) {
    EXPECT_NEAR(DistanceToLine(face, p[19].axis, p[20].axis), 0.125, 1e-12);
    EXPECT_NEAR(DistanceToLine(face, p[20].axis, p[21].axis), 0.125, 1e-12);
  }

  // Each brick's lower end is the next brick's upper end.
  SceneOptions opt;
  opt.deformed_shape = true;
  opt.factor = 1;
  const Scene s = BuildScene(in, opt);
  const auto bricks = Find(s.wall, kLagging, PrimitiveKind::kTriangles);
  ASSERT_EQ(bricks.size(), 20u * 40u);
  EXPECT_TRUE(Find(s.wall, kPile, PrimitiveKind::kTriangles).empty());
  const Bounds upper = BoundsOf(*bricks[19]), lower = BoundsOf(*bricks[20]);
  EXPECT_DOUBLE_EQ(upper.low.z, std::min(joint.back.z, joint.front.z));
  EXPECT_DOUBLE_EQ(lower.high.z, std::max(joint.back.z, joint.front.z));
}

TEST(Scene3DDeformed, UndeformedOutlinesOnlyWithBothOptions) {
  SceneInput in = Wall();
  SceneOptions opt;
  opt.deformed_shape = true;
  EXPECT_TRUE(Find(BuildScene(in, opt).wall, kUndeformedOutline,
                   PrimitiveKind::kLines).empty());
  opt.undeformed_model = true;
  EXPECT_EQ(Find(BuildScene(in, opt).wall, kUndeformedOutline,
                 PrimitiveKind::kLines).size(), 60u);
  // Before a run there is nothing to deflect: the plain wall.
  in.deflections.clear();
  EXPECT_EQ(Find(BuildScene(in, opt).wall, kPile, PrimitiveKind::kTriangles).size(), 20u);
}

TEST(Scene3DOptions, EachItemFollowsItsOptionAndItsInputSwitch) {
  struct Case {
    const char* name;
    bool SceneOptions::*option;
    bool SceneInput::*input;  // null: no input switch
    Rgba colour;
    PrimitiveKind kind;
    bool soil_list;
  };
  // clang-format off
  const Case cases[] = {
    {"wall",        &SceneOptions::wall,                 nullptr,                     kPile,      PrimitiveKind::kTriangles, false},
    {"springs",     &SceneOptions::lateral_springs,      &SceneInput::apply_springs,  kSpring,    PrimitiveKind::kTriangles, false},
    {"loads",       &SceneOptions::concentrated_loads,   &SceneInput::apply_loads,    kLoad,      PrimitiveKind::kTriangles, false},
    {"restraints",  &SceneOptions::boundary_conditions,  &SceneInput::apply_restraints, kRestraint, PrimitiveKind::kLines,   false},
    {"tiebacks",    &SceneOptions::tiebacks,             &SceneInput::apply_tiebacks, kTeal,      PrimitiveKind::kTriangles, false},
    {"uniform",     &SceneOptions::uniform_load,         nullptr,                     kGreen,     PrimitiveKind::kTriangles, false},
    {"surcharges",  &SceneOptions::additional_surcharge, &SceneInput::apply_surcharge, kBlue,     PrimitiveKind::kTriangles, false},
    {"water",       &SceneOptions::water_level,          nullptr,                     kWater,     PrimitiveKind::kTriangles, true},
    {"axes",        &SceneOptions::axes,                 nullptr,                     kAxisX,     PrimitiveKind::kLines,     false},
  };
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SceneInput in = Wall();
    SceneOptions opt;
    auto count = [&] {
      const Scene s = BuildScene(in, opt);
      return Find(c.soil_list ? s.soil : s.wall, c.colour, c.kind).size();
    };
    EXPECT_GT(count(), 0u);
    opt.*c.option = false;
    EXPECT_EQ(count(), 0u);
    if (c.input) {
      opt.*c.option = true;
      in.*c.input = false;
      EXPECT_EQ(count(), 0u);
    }
  }
  SceneInput in = Wall();
  in.uniform_surcharge = 0;
  EXPECT_TRUE(Find(BuildScene(in, SceneOptions{}).wall, kGreen,
                   PrimitiveKind::kTriangles).empty());
}

TEST(Scene3DRobustness, BadDataDrawsNothingOrStaysFinite) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  std::vector<SceneInput> inputs;
  inputs.push_back(SceneInput{});
  SceneInput w = Wall(); w.width = 0; inputs.push_back(w);
  w = Wall(); w.width = nan; inputs.push_back(w);
  w = Wall(); w.thickness = -1; inputs.push_back(w);
  w = Wall(); w.deflections.assign(41, 1e300); inputs.push_back(w);
  w = Wall(); w.deflections.resize(3); w.deflections[1] = nan; inputs.push_back(w);
  w = Wall(); w.layers = {{1, -5}, {9, nan}, {1, 3}, {1, 3}}; inputs.push_back(w);
  w = Wall(); w.backfill_slope = 90; w.surcharges = {{3, -4, -2, 1}}; inputs.push_back(w);
  w = Wall(); w.tiebacks = {{nan, nan, -1, -3}}; w.increment = 0; inputs.push_back(w);
  SceneOptions opt;
  opt.deformed_shape = true;
  opt.undeformed_model = true;
  opt.factor = 1e10L;
  for (size_t i = 0; i < inputs.size(); ++i) {
    SCOPED_TRACE(i);
    const Scene s = BuildScene(inputs[i], opt);
    EXPECT_TRUE(AllFinite(s));
  }
  EXPECT_EQ(ItemCount(BuildScene(inputs[1], opt)), 0u);
}

TEST(Scene3DFactor, StepsThroughEachDecade) {
  struct Case {
    long double factor;
    bool up;
    long double expected;
  };
  // clang-format off
  const Case cases[] = {
    {9, true, 10},    {10, false, 9},   {1, false, 0.9L}, {0.5L, true, 0.6L},
    {1, true, 2},     {20, false, 10},  {100, true, 200}, {0.9L, false, 0.8L},
    {0.3L, true, 0.4L}, {0.1L, false, 0.09L}, {0.01L, true, 0.02L},
    {2.5L, true, 3},  {0, true, 1},     {-4, false, 1},
  };
  // clang-format on
  for (const Case& c : cases) {
    EXPECT_NEAR(static_cast<double>(StepFactor(c.factor, c.up)),
                static_cast<double>(c.expected),
                1e-12 * static_cast<double>(c.expected))
        << static_cast<double>(c.factor) << (c.up ? " up" : " down");
  }
  EXPECT_EQ(StepFactor(std::numeric_limits<long double>::quiet_NaN(), true), 1);
}

}  // namespace
}  // namespace kestra::view3d
