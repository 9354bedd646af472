#include "data.h"

#include "table.h"

namespace kestra {

int TData::Row() const { return table_ ? table_->RowOf(row_id_) : -1; }

std::optional<Extended> TData::GetFloat() const {
  const int row = Row();
  return row < 0 ? std::nullopt : table_->CellFloat(column_, row);
}

std::optional<int> TData::GetInteger() const {
  const int row = Row();
  return row < 0 ? std::nullopt : table_->CellInteger(column_, row);
}

std::string TData::GetText() const {
  const int row = Row();
  return row < 0 ? std::string() : table_->CellText(column_, row);
}

TGridTable* TData::GetTable() const {
  const int row = Row();
  return row < 0 ? nullptr : table_->SubTable(column_, row);
}

bool TData::SetFloat(Extended value) {
  const int row = Row();
  return row >= 0 && table_->SetCellFloat(column_, row, value);
}

bool TData::SetInteger(int value) {
  const int row = Row();
  return row >= 0 && table_->SetCellInteger(column_, row, value);
}

void TData::SetText(std::string_view text) {
  const int row = Row();
  if (row >= 0) table_->SetCellText(column_, row, text);
}

}  // namespace kestra
