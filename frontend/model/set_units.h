// The project-wide switch of unit system. The project scalars use rounded
// five-significant-figure factors while the tables use the category factors;
// both are kept so files convert as users have always seen them convert.
#pragma once

#include <functional>
#include <vector>

#include "number_text.h"

namespace kestra {

class TGridTable;

// How a project scalar converts.
enum class ScalarKind { kLength, kForce, kForcePerLength, kForcePerArea };

struct ProjectUnitFactors {
  bool converts = false;  // false: every factor is 1
  Extended length = 1;
  Extended force = 1;

  Extended For(ScalarKind kind) const;
};

// English -> SI: 0.0254 and 0.004448222468060651; SI -> English: 39.3701
// and 224.8089; any other change (system 3 involved, or none) converts
// nothing. Both systems are clamped to 1..3 first.
ProjectUnitFactors ProjectFactors(int old_units, int new_units);

// The surcharge magnitude carries no dimension string of its own: each row
// converts by its load type (1 point: force, 2 line: force/length, 3 strip:
// force/length^2). Rows of any other type are left alone.
void ConvertSurchargeMagnitudes(TGridTable& surcharge,
                                const ProjectUnitFactors& factors);

// What SetUnits reaches outside the tables; every hook may be empty.
struct UnitSwitchHooks {
  // Multiply the project scalars by factors.For(their kind).
  std::function<void(const ProjectUnitFactors&)> convert_scalars;
  // Store the new system in the project.
  std::function<void(int)> store_units;
  // Every data-entry and chart table of the main window.
  std::vector<TGridTable*> tables;
  // Re-display the open dialogs that show converted values.
  std::function<void()> redisplay_dialogs;
  TGridTable* surcharge_table = nullptr;
};

// Switches the project from `current` to `requested` (clamped to 1..3) and
// returns the new system.
int SetUnits(int current, int requested, const UnitSwitchHooks& hooks);

}  // namespace kestra
