// The 3D view's scene without any drawing: what the window shows as lists of
// coloured triangles and lines in world coordinates, built from the project
// and, after an analysis, the deflections.
//
// World axes: x across the wall (backfill side negative, excavation side
// positive), y along the wall face, z upward with the wall top at z = 0
// (z = -depth). Units are feet for English projects (the project's inches
// divided by 12) and metres otherwise.
#pragma once

#include <vector>

#include "input_tables.h"
#include "plot_data.h"
#include "program_data.h"

namespace kestra::view3d {

struct Vec3 {
  double x = 0.0, y = 0.0, z = 0.0;
};

// Red, green, blue and opacity, 0..1.
struct Rgba {
  float r = 0.0f, g = 0.0f, b = 0.0f, a = 1.0f;
};

enum class PrimitiveKind { kTriangles, kLines };

// Triangles: every three vertices one face; lines: every two one segment.
// Normals, when given, are one per vertex.
struct Primitive {
  PrimitiveKind kind = PrimitiveKind::kTriangles;
  Rgba colour;
  std::vector<Vec3> vertices;
  std::vector<Vec3> normals;
};

// Drawn in order.
struct DisplayList {
  std::vector<Primitive> items;
};

// What the "Show 3DView" menu and the deformed-shape dialog switch.
struct SceneOptions {
  bool axes = true;
  bool water_level = true;
  bool soil_layers = true;
  bool wall = true;  // the retaining wall, undeformed
  bool additional_surcharge = true;
  bool uniform_load = true;
  bool lateral_springs = true;
  bool tiebacks = true;
  bool concentrated_loads = true;
  bool boundary_conditions = true;
  bool deformed_shape = false;
  bool undeformed_model = false;
  long double factor = 1.0L;  // deformation factor
};

// The box the scene occupies, in world units.
struct SceneExtents {
  double across = 0.0;    // x extent, 2d
  double along = 0.0;     // y extent, 2 x (5 W)
  double top = 0.0;       // highest z
  double bottom = 0.0;    // lowest z
  double largest = 0.0;   // largest absolute extent
  Vec3 centre;            // the initial view centres on it
};

// One soil layer: its type code (1..7) and the depth of its bottom.
struct SceneLayer {
  int type = 1;
  double bottom = 0.0;
};

// One additional surcharge: 1 point, 2 line, 3 strip load; its distance
// from the wall and, for a strip, its width; the magnitude as entered.
struct SceneSurcharge {
  int type = 1;
  double distance = 0.0;
  double width = 0.0;
  double magnitude = 0.0;
};

// A concentrated load at one node, in the project's force units.
struct SceneLoad {
  int node = 0;
  double lateral = 0.0;
  double moment = 0.0;
  double axial = 0.0;
};

struct SceneSpring {
  int node = 0;
  double lateral = 0.0;
  double rotational = 0.0;
};

// A restraint on deflection, on slope, or (a row repeated) both.
struct SceneRestraint {
  bool slope = false;
  int node = 0;
};

struct SceneTieback {
  double depth = 0.0;
  double angle = 0.0;   // degrees below the horizontal
  double length = 0.0;  // unbonded length
  double spacing = 0.0;  // between anchors along the wall
};

// What the scene takes from the project, in world units.
struct SceneInput {
  bool has_project = false;
  int units = 1;
  double length = 0.0;     // L = n x dL
  double increment = 0.0;  // dL
  int increments = 0;      // n
  double width = 0.0;      // W, panel width
  double pile_width = 0.0; // Wp
  double thickness = 0.0;  // t
  double free_height = 0.0;
  double water_backfill = 0.0;
  double water_excavation = 0.0;
  double backfill_slope = 0.0;  // degrees
  double uniform_surcharge = 0.0;

  // The layer table is in use: p-y curves or earth pressure are generated
  // from it.
  bool soil_data = true;
  std::vector<SceneLayer> layers;
  bool apply_surcharge = false;
  std::vector<SceneSurcharge> surcharges;
  bool apply_loads = false;
  std::vector<SceneLoad> loads;
  bool apply_springs = false;
  std::vector<SceneSpring> springs;
  bool apply_restraints = false;
  std::vector<SceneRestraint> restraints;
  bool apply_tiebacks = false;
  std::vector<SceneTieback> tiebacks;

  // Deflection of node j (0 at the top), empty before a run.
  std::vector<double> deflections;
};

// The three display lists: 1 loading (empty), 5 soil layers and water,
// 2 wall and loads.
struct Scene {
  DisplayList loading;
  DisplayList soil;
  DisplayList wall;
};

// The scene's quantities from the project's options and tables, and the
// deflections of curve 0 of the deflection graph (empty before a run).
SceneInput ReadSceneInput(const TProgramData& data, const InputTables& tables,
                          const TGraphPlot& deflection);
// All zero when the project has no wall (no length or no increments).
SceneExtents GetMaxDims(const SceneInput& input);
Scene BuildScene(const SceneInput& input, const SceneOptions& options);

// The deformation factor one step up or down through 1..9 of its decade.
long double StepFactor(long double factor, bool up);

// Helpers the window and the tests share.

// Colour of soil layer k (0-based from the top), opaque; faces draw it at
// half opacity.
Rgba SoilLayerColour(int k);

// The y of the centres of the wall's 20 panels, ascending.
std::vector<double> PanelCentres(double width);

// The deflected wall in the x-z plane: per node its axis point and the
// points of its backfill (back) and excavation (front) faces, the faces
// t/2 from the axis and the joints mitred. Empty without deflections.
struct WallSection {
  Vec3 axis, back, front;
};
std::vector<WallSection> DeformedProfile(const SceneInput& input,
                                         long double factor);

// The most increments drawn: more than the program accepts, so a corrupt
// count cannot build a scene that fills memory.
inline constexpr int kMaxDrawnIncrements = 1000;

}  // namespace kestra::view3d
