#include "set_units.h"

#include "input_tables.h"
#include "table.h"
#include "units.h"

namespace kestra {

Extended ProjectUnitFactors::For(ScalarKind kind) const {
  switch (kind) {
    case ScalarKind::kLength:
      return length;
    case ScalarKind::kForce:
      return force;
    case ScalarKind::kForcePerLength:
      return force / length;
    case ScalarKind::kForcePerArea:
      return force / (length * length);
  }
  return 1;
}

ProjectUnitFactors ProjectFactors(int old_units, int new_units) {
  old_units = ClampUnitSystem(old_units);
  new_units = ClampUnitSystem(new_units);
  ProjectUnitFactors f;
  if (old_units == kEnglishUnits && new_units == kSIUnits) {
    f = {true, 0.0254L, 0.004448222468060651L};
  } else if (old_units == kSIUnits && new_units == kEnglishUnits) {
    f = {true, 39.3701L, 224.8089L};
  }
  return f;
}

void ConvertSurchargeMagnitudes(TGridTable& surcharge,
                                const ProjectUnitFactors& factors) {
  if (!factors.converts) return;
  for (int row = 0; row < surcharge.RowCount(); ++row) {
    const std::optional<int> type =
        surcharge.CellInteger(surcharge_columns::kLoadType, row);
    const std::optional<Extended> magnitude =
        surcharge.CellFloat(surcharge_columns::kMagnitude, row);
    if (!type || !magnitude) continue;
    Extended factor = 1;
    switch (*type) {
      case 1:
        factor = factors.For(ScalarKind::kForce);
        break;
      case 2:
        factor = factors.For(ScalarKind::kForcePerLength);
        break;
      case 3:
        factor = factors.For(ScalarKind::kForcePerArea);
        break;
      default:
        continue;
    }
    surcharge.SetCellFloat(surcharge_columns::kMagnitude, row,
                           *magnitude * factor);
  }
}

int SetUnits(int current, int requested, const UnitSwitchHooks& hooks) {
  const int units = ClampUnitSystem(requested);
  const ProjectUnitFactors factors = ProjectFactors(current, units);
  if (factors.converts && hooks.convert_scalars) hooks.convert_scalars(factors);
  if (hooks.store_units) hooks.store_units(units);
  for (TGridTable* table : hooks.tables) {
    if (table) table->SetTableUnits(units);
  }
  if (hooks.redisplay_dialogs) hooks.redisplay_dialogs();
  if (hooks.surcharge_table) {
    ConvertSurchargeMagnitudes(*hooks.surcharge_table, factors);
  }
  return units;
}

}  // namespace kestra
