#include "soil_line_layout.h"

namespace kestra {
namespace {

constexpr SoilPosition kSkip{};
constexpr SoilPosition Weight(int c) { return {SoilValue::kUnitWeight, c}; }
constexpr SoilPosition Cohesion(int c) { return {SoilValue::kCohesion, c}; }
constexpr SoilPosition Shown(int c) { return {SoilValue::kAsShown, c}; }
constexpr SoilPosition K0(int c) {
  return {SoilValue::kEarthPressureCoefficient, c};
}

// Columns as in the parameter tables: clay uw, c, E50, k, K0; sand uw, phi,
// k, K0; silt uw, phi, c, E50, k, K0; strong rock uw, qu; weak rock uw, qu,
// krm, Em, RQD.
constexpr SoilLine kClay{Weight(0), Cohesion(1), kSkip, Shown(2), Shown(3), K0(4)};
constexpr SoilLine kSand{Weight(0), kSkip, Shown(1), kSkip, Shown(2), K0(3)};
constexpr SoilLine kSilt{Weight(0), Cohesion(2), Shown(1), Shown(3), Shown(4), K0(5)};
constexpr SoilLine kStrongRock{Weight(0), Shown(1), kSkip, kSkip, kSkip, kSkip};
constexpr SoilLine kWeakRock{Weight(0), Shown(1), kSkip, Shown(2), Shown(3), Shown(4)};
constexpr SoilLine kUnknown{};

}  // namespace

const SoilLine& SoilLineLayout(int soil_type) {
  switch (soil_type) {
    case 1:
    case 2:
    case 3:
      return kClay;
    case 4:
      return kSand;
    case 5:
      return kSilt;
    case 6:
      return kStrongRock;
    case 7:
      return kWeakRock;
    default:
      return kUnknown;
  }
}

int SoilFileDivisor(SoilValue value, int units) {
  if (units != 1) return 1;
  if (value == SoilValue::kUnitWeight) return 1728;
  if (value == SoilValue::kCohesion) return 144;
  return 1;
}

}  // namespace kestra
