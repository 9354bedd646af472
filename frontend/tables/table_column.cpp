#include "table_column.h"

#include "assign_error.h"
#include "table.h"

namespace kestra {

TTableColumn::TTableColumn(std::vector<std::string> header,
                           std::vector<std::optional<int>> templates)
    : TColumn(std::move(header)), templates_(std::move(templates)) {}

TTableColumn::TTableColumn(const TTableColumn& other)
    : TColumn(other), templates_(other.templates_) {}

TTableColumn::~TTableColumn() = default;

std::optional<int> TTableColumn::TemplateFor(int choice) const {
  if (choice < 1 || static_cast<size_t>(choice) > templates_.size()) {
    return std::nullopt;
  }
  return templates_[static_cast<size_t>(choice) - 1];
}

std::unique_ptr<TColumn> TTableColumn::CloneDefinition() const {
  return std::unique_ptr<TColumn>(new TTableColumn(*this));
}

void TTableColumn::InsertDefaults(int at, int count) {
  // The owning table creates the sub-tables once every column has its row.
  for (int i = 0; i < count; ++i) {
    cells_.insert(cells_.begin() + at, nullptr);
  }
}

void TTableColumn::Erase(int at, int count) {
  cells_.erase(cells_.begin() + at, cells_.begin() + at + count);
}

std::string TTableColumn::Text(int row) const {
  const TGridTable* table = SubTable(row);
  return std::to_string(row + 1) + ": " +
         (table ? table->Caption() : std::string());
}

void TTableColumn::SetText(int, std::string_view, bool) {
  throw EAssignError("Data of wrong type");
}

TGridTable* TTableColumn::SubTable(int row) const {
  return cells_[static_cast<size_t>(row)].get();
}

void TTableColumn::ConvertUnits(int, int new_units) {
  for (auto& table : cells_) {
    if (table) table->SetTableUnits(new_units);
  }
}

void TTableColumn::SetSubTable(int row, std::unique_ptr<TGridTable> table) {
  cells_[static_cast<size_t>(row)] = std::move(table);
}

}  // namespace kestra
