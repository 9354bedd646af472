// The data-entry tables of the program, under their component names, with
// their columns, captions, limits, defaults and help texts. The main window
// owns one InputTables; the project model, the file writer and readers, the
// dialogs and the stage management reach the tables through it.
#pragma once

#include <vector>

#include "table.h"
#include "table_chart.h"
#include "table_registry.h"

namespace kestra {

// Column positions other modules rely on.
namespace surcharge_columns {
inline constexpr int kLoadType = 0;  // 1 point, 2 line, 3 strip load
inline constexpr int kMagnitude = 1;
inline constexpr int kDistance = 2;
inline constexpr int kWidth = 3;
}  // namespace surcharge_columns

namespace soil_columns {
inline constexpr int kSoilType = 0;
inline constexpr int kBottomDepth = 1;
inline constexpr int kParameters = 2;
}  // namespace soil_columns

class InputTables {
  // Declared first: every table registers itself on construction.
  TableRegistry data_registry_;
  TableRegistry chart_registry_;

 public:
  InputTables();
  InputTables(const InputTables&) = delete;
  InputTables& operator=(const InputTables&) = delete;

  // Top-level data-entry tables.
  TGridTable PileSect{data_registry_};
  TGridTable SoilLayer{data_registry_};
  TGridTable BoundCond{data_registry_};
  TGridTable SoilStrength{data_registry_};
  TGridTable TiebackTable1{data_registry_};
  TGridTable PYMod{data_registry_};
  TGridTable DistLoad{data_registry_};
  TGridTable LongDist{data_registry_};
  TGridTable SurchargeTable{data_registry_};
  TGridTable NewSoil{data_registry_};
  TGridTable LongSoil{data_registry_};
  // Templates of the soil parameter sub-tables.
  TGridTable TblClay1{data_registry_};
  TGridTable TblSand1{data_registry_};
  TGridTable TblSilt1{data_registry_};
  TGridTable TblRock1{data_registry_};
  TGridTable TblRock2{data_registry_};
  // Chart tables: two top-level, two templates.
  TGridTableChart PYCurves2{chart_registry_};
  TGridTableChart MEICurves2{chart_registry_};
  TGridTableChart PYCurve2{chart_registry_};
  TGridTableChart Rows2{chart_registry_};

  TableRegistry& DataRegistry() { return data_registry_; }
  TableRegistry& ChartRegistry() { return chart_registry_; }

  // The tables a project edits, data-entry and chart, without templates.
  std::vector<TGridTable*> TopLevelTables();
  // Every table, templates included (they follow the unit system too).
  std::vector<TGridTable*> AllTables();

  // A new project: every top-level table first to no rows, then to its
  // minimum, so every cell holds its column's default.
  void Reset();
  bool Modified();
  void ResetChanged();
};

}  // namespace kestra
