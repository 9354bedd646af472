// TGridTableChart: a data-entry table whose editing window also draws a
// line chart of two of its columns and can read its rows from a text file
// or the clipboard. The cell model is the plain table's.
#pragma once

#include <utility>
#include <vector>

#include "table.h"

namespace kestra {

// Stored after the columns in a chart table's definition.
struct ChartParameters {
  bool show_chart = false;
  bool second_mode = false;  // kept; no table uses it
  int x_column = 0;          // 0-based data columns
  int y_column = 1;
  int reserved1 = 0;
  int reserved2 = 0;
};

class TGridTableChart : public TGridTable {
 public:
  explicit TGridTableChart(TableRegistry& registry, TGridTable* owner = nullptr)
      : TGridTable(registry, owner) {}

  const ChartParameters& Chart() const { return chart_; }
  void SetChart(const ChartParameters& chart) { chart_ = chart; }
  // Shows the file commands in the editing window.
  bool GetDataFromFile() const { return get_data_from_file_; }
  void SetGetDataFromFile(bool on) { get_data_from_file_ = on; }

  // The (x, y) points of the chart, from the stored cells in row order.
  std::vector<std::pair<Extended, Extended>> ChartPoints() const;

 protected:
  std::unique_ptr<TGridTable> NewOfSameKind(TGridTable& owner) const override;
  void CopyDefinitionTo(TGridTable& copy) const override;

 private:
  ChartParameters chart_;
  bool get_data_from_file_ = false;
};

}  // namespace kestra
