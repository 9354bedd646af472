// TProgramData: the one open project's scalars, switches and stage state.
// The tabular inputs live in the main window's InputTables; the project
// refers to them and decides from its switches which of them are written.
#pragma once

#include <array>
#include <string>

#include "number_text.h"

namespace kestra {

class InputTables;
class TGridTable;

// The Options menu's Apply items, each deciding whether its table takes
// part in the analysis (a clear switch empties its table at the next save).
enum class ApplySwitch {
  kConcentratedLoads,
  kTiebacks,
  kRestraints,
  kExternalPY,
  kSprings,
  kPYModifiers,
  kSurcharge,
  kEICurves,
};

inline constexpr char kNewFileName[] = "NewWall.ks5d";

class TProgramData {
 public:
  // A new project: every default, English units, every table of `tables`
  // back to its minimum rows of column defaults.
  explicit TProgramData(InputTables& tables);
  TProgramData(const TProgramData&) = delete;
  TProgramData& operator=(const TProgramData&) = delete;

  InputTables& Tables() const { return *tables_; }

  // Identity and files.
  std::string FileName = kNewFileName;
  std::string Title = "New Wall";
  std::string StageFileName;
  std::string SaveTarget, PreviousFileName;
  int Units = 1;

  // Wall and iteration scalars in the working unit (in, lbs for English).
  int IncrementCount = 0;
  Extended IncrementLength = 0;
  Extended MaxDeflection = 100.0L;
  Extended ClosureTolerance = 0.00001L;
  Extended FreeHeight = 0;
  Extended WidthActive = 0;
  Extended WidthPY = 0;
  Extended WaterDepthBackfill = 0;
  Extended WaterDepthExcavation = 0;
  Extended ActivePressureFactor = 1.0L;
  Extended BackfillSlope = 0;  // degrees
  Extended UniformSurcharge = 0;
  int WaterPressureCode = 1;
  // Single surcharge of older files: distance (L), point load (F), line
  // load (F/L), strip load (F/L^2), strip width (L).
  std::array<Extended, 5> LegacySurcharge{};

  // Earth-pressure and p-y options.
  int PressureDistribution = 2;  // 1 user, 2 triangular, 3 trapezoidal
  bool UserPressure = false;
  int GeneratePYCurves = 1;
  int KeepGeneratedPressure = 0;
  // The control values last written or read.
  int PressureOption = 0;
  int PyCurveOption = 0;
  int EICurveSetCount = 0;
  int TiebackCount = 0;

  bool ApplyConcentratedLoads = false;
  bool ApplyTiebacks = false;
  bool ApplyRestraints = false;
  bool ApplyExternalPY = false;
  bool ApplySprings = false;
  bool ApplyPYModifiers = false;
  bool ApplySurcharge = false;
  bool ApplyEICurves = false;

  // Analysis kind and stages.
  bool LongTermAnalysis = false;
  int StageCount = 1;
  int CurrentStage = 1;
  bool FormatHasExtras = true;
  bool FormatHasTiebacks = true;

  // The switch of an Apply item and the table it governs.
  bool& Switch(ApplySwitch which);
  TGridTable& SwitchTable(ApplySwitch which) const;
  // Toggles an Apply item; returns the new state. The caller closes the
  // table's editing window when it turns false.
  bool Toggle(ApplySwitch which);

  // Earth-pressure radio items (1 user, 2 triangular, 3 trapezoidal).
  // UserPressure follows at once, so a save right after the choice writes
  // the chosen option.
  void ChoosePressureDistribution(int distribution);
  // Opening the Options menu recomputes UserPressure; opening the
  // earth-pressure submenu first turns a distribution of 0 into 1.
  void OptionsMenuOpened();
  void EarthPressureMenuOpened();
  // "Generate p-y Curves": toggles between 0 and 1 after forcing any other
  // value into that range.
  void ToggleGeneratePYCurves();
  void ToggleLongTermAnalysis() { LongTermAnalysis = !LongTermAnalysis; }

  // Switches the unit system of the project and of every table.
  void SetUnits(int units);

 private:
  InputTables* tables_;
};

}  // namespace kestra
