#include "table_chart.h"

namespace kestra {

std::vector<std::pair<Extended, Extended>> TGridTableChart::ChartPoints()
    const {
  std::vector<std::pair<Extended, Extended>> points;
  for (int row = 0; row < RowCount(); ++row) {
    std::optional<Extended> x = CellFloat(chart_.x_column, row);
    std::optional<Extended> y = CellFloat(chart_.y_column, row);
    if (x && y) points.emplace_back(*x, *y);
  }
  return points;
}

std::unique_ptr<TGridTable> TGridTableChart::NewOfSameKind(
    TGridTable& owner) const {
  return std::make_unique<TGridTableChart>(owner.Registry(), &owner);
}

void TGridTableChart::CopyDefinitionTo(TGridTable& copy) const {
  TGridTable::CopyDefinitionTo(copy);
  if (auto* chart = dynamic_cast<TGridTableChart*>(&copy)) {
    chart->chart_ = chart_;
    chart->get_data_from_file_ = get_data_from_file_;
  }
}

}  // namespace kestra
