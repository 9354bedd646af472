#include "program_data.h"

#include "input_tables.h"
#include "set_units.h"
#include "units.h"

namespace kestra {

TProgramData::TProgramData(InputTables& tables) : tables_(&tables) {
  SetUnits(kEnglishUnits);
  tables_->Reset();
}

bool& TProgramData::Switch(ApplySwitch which) {
  switch (which) {
    case ApplySwitch::kConcentratedLoads:
      return ApplyConcentratedLoads;
    case ApplySwitch::kTiebacks:
      return ApplyTiebacks;
    case ApplySwitch::kRestraints:
      return ApplyRestraints;
    case ApplySwitch::kExternalPY:
      return ApplyExternalPY;
    case ApplySwitch::kSprings:
      return ApplySprings;
    case ApplySwitch::kPYModifiers:
      return ApplyPYModifiers;
    case ApplySwitch::kSurcharge:
      return ApplySurcharge;
    case ApplySwitch::kEICurves:
      break;
  }
  return ApplyEICurves;
}

TGridTable& TProgramData::SwitchTable(ApplySwitch which) const {
  InputTables& t = *tables_;
  switch (which) {
    case ApplySwitch::kConcentratedLoads:
      return t.BoundCond;
    case ApplySwitch::kTiebacks:
      return t.TiebackTable1;
    case ApplySwitch::kRestraints:
      return t.SoilLayer;
    case ApplySwitch::kExternalPY:
      return t.PYCurves2;
    case ApplySwitch::kSprings:
      return t.SoilStrength;
    case ApplySwitch::kPYModifiers:
      return t.PYMod;
    case ApplySwitch::kSurcharge:
      return t.SurchargeTable;
    case ApplySwitch::kEICurves:
      break;
  }
  return t.MEICurves2;
}

bool TProgramData::Toggle(ApplySwitch which) {
  bool& flag = Switch(which);
  flag = !flag;
  return flag;
}

void TProgramData::ChoosePressureDistribution(int distribution) {
  PressureDistribution = distribution;
  UserPressure = PressureDistribution == 1;
}

void TProgramData::OptionsMenuOpened() {
  UserPressure = PressureDistribution == 1;
}

void TProgramData::EarthPressureMenuOpened() {
  if (PressureDistribution == 0) PressureDistribution = 1;
  UserPressure = PressureDistribution == 1;
}

void TProgramData::ToggleGeneratePYCurves() {
  if (GeneratePYCurves > 1) GeneratePYCurves = 1;
  if (GeneratePYCurves < 0) GeneratePYCurves = 0;
  GeneratePYCurves = 1 - GeneratePYCurves;
}

void TProgramData::SetUnits(int units) {
  UnitSwitchHooks hooks;
  hooks.convert_scalars = [this](const ProjectUnitFactors& f) {
    const Extended length = f.For(ScalarKind::kLength);
    for (Extended* v : {&IncrementLength, &MaxDeflection, &ClosureTolerance,
                        &FreeHeight, &WidthActive, &WidthPY,
                        &WaterDepthBackfill, &WaterDepthExcavation,
                        &LegacySurcharge[0], &LegacySurcharge[4]}) {
      *v *= length;
    }
    LegacySurcharge[1] *= f.For(ScalarKind::kForce);
    LegacySurcharge[2] *= f.For(ScalarKind::kForcePerLength);
    LegacySurcharge[3] *= f.For(ScalarKind::kForcePerArea);
    UniformSurcharge *= f.For(ScalarKind::kForcePerArea);
  };
  hooks.store_units = [this](int u) { Units = u; };
  hooks.tables = tables_->AllTables();
  hooks.surcharge_table = &tables_->SurchargeTable;
  kestra::SetUnits(Units, units, hooks);
}

}  // namespace kestra
