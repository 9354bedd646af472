// The 3D view's scene as display lists.
#include "scene3d.h"

namespace kestra::view3d {

SceneInput ReadSceneInput(const TProgramData&, const InputTables&,
                          const TGraphPlot&) {
  return {};
}

SceneExtents GetMaxDims(const SceneInput&) { return {}; }

Scene BuildScene(const SceneInput&, const SceneOptions&) { return {}; }

long double StepFactor(long double factor, bool) {
  return factor <= 0 ? 1.0L : factor;
}

}  // namespace kestra::view3d
