#include "table.h"

#include <algorithm>

#include "assign_error.h"
#include "enum_column.h"
#include "table_column.h"
#include "units.h"

namespace kestra {

TGridTable::TGridTable(TableRegistry& registry, TGridTable* owner)
    : registry_(registry), owner_(owner) {
  registry_.Register(this);
  if (owner_) units_ = owner_->units_;
}

TGridTable::~TGridTable() {
  if (OnDiscarded) OnDiscarded();
  // Sub-tables go first: they report their own discarding.
  columns_.clear();
  registry_.Unregister(this);
}

void TGridTable::SetMinRows(int rows) {
  if (rows <= 0) {
    if (!loading_definition_) {
      throw EAssignError("Value must be greater than 0");
    }
    rows = 1;
  }
  min_rows_ = rows;
}

void TGridTable::AppendColumn(std::unique_ptr<TColumn> column) {
  column->InsertDefaults(0, RowCount());
  columns_.push_back(std::move(column));
  FitTemplateLists();
  if (columns_.back()->Kind() == ColumnKind::kFlex) {
    for (int row = 0; row < RowCount(); ++row) BuildSubTables(row);
  }
  NotifyTable();
}

void TGridTable::FitTemplateLists() {
  size_t entries = 1;
  if (!columns_.empty() && columns_[0]->Kind() == ColumnKind::kChoice) {
    entries = static_cast<const TEnumColumn&>(*columns_[0]).Choices().size();
  }
  for (auto& column : columns_) {
    if (column->Kind() == ColumnKind::kFlex) {
      static_cast<TTableColumn&>(*column).FitTemplates(entries);
    }
  }
}

std::string TGridTable::HeaderText(int col, int line) const {
  if (col < 0 || col >= ColumnCount() || line < 0) return std::string();
  return columns_[Index(col)]->HeaderLine(static_cast<size_t>(line), units_);
}

int TGridTable::HeaderRows() const {
  size_t rows = 0;
  for (const auto& column : columns_) {
    if (column->Visible()) rows = std::max(rows, column->Header().size());
  }
  return static_cast<int>(rows);
}

bool TGridTable::HasVisibleColumn() const {
  return std::any_of(columns_.begin(), columns_.end(),
                     [](const auto& c) { return c->Visible(); });
}

void TGridTable::SetRowCount(int rows) {
  rows = std::max(rows, 0);
  if (rows < RowCount()) {
    EraseRows(rows, RowCount() - rows);
  } else if (rows > RowCount()) {
    InsertRows(RowCount(), rows - RowCount());
  }
}

void TGridTable::AddRowBlock() { InsertRows(RowCount(), row_group_); }

void TGridTable::InsertRowBlock(int row) {
  const int start = std::clamp(row / row_group_ * row_group_, 0, RowCount());
  InsertRows(start, row_group_);
}

void TGridTable::DeleteRowBlock(int row) {
  if (row < 0 || row >= RowCount()) return;
  const int start = row / row_group_ * row_group_;
  EraseRows(start, std::min(row_group_, RowCount() - start));
}

void TGridTable::InsertRows(int at, int count) {
  if (count <= 0) return;
  for (int i = 0; i < count; ++i) {
    row_ids_.insert(row_ids_.begin() + at + i, next_row_id_++);
  }
  for (auto& column : columns_) column->InsertDefaults(at, count);
  for (int row = at; row < at + count; ++row) BuildSubTables(row);
  RenumberSubTables(at + count);
  NotifyTable();
}

void TGridTable::EraseRows(int at, int count) {
  if (count <= 0) return;
  row_ids_.erase(row_ids_.begin() + at, row_ids_.begin() + at + count);
  for (auto& column : columns_) column->Erase(at, count);
  RenumberSubTables(at);
  NotifyTable();
}

std::optional<int> TGridTable::FirstChoice(int row) const {
  if (columns_.empty() || columns_[0]->Kind() != ColumnKind::kChoice) {
    return std::nullopt;
  }
  return columns_[0]->Integer(row);
}

// The row's choice in the first column picks the template; without a
// choice column the first template is used.
void TGridTable::BuildSubTables(int row) {
  const int choice = FirstChoice(row).value_or(1);
  for (auto& column : columns_) {
    if (column->Kind() != ColumnKind::kFlex) continue;
    auto& flex = static_cast<TTableColumn&>(*column);
    std::unique_ptr<TGridTable> table;
    if (std::optional<int> id = flex.TemplateFor(choice)) {
      if (const TGridTable* source = registry_.Find(*id)) {
        table = source->CreateCopy(*this, row + 1);
      }
    }
    flex.SetSubTable(row, std::move(table));
  }
}

void TGridTable::RenumberSubTables(int from) {
  for (auto& column : columns_) {
    if (column->Kind() != ColumnKind::kFlex) continue;
    for (int row = from; row < RowCount(); ++row) {
      if (TGridTable* table = column->SubTable(row)) {
        table->SetLabelNumber(row + 1);
      }
    }
  }
}

void TGridTable::SetLabelNumber(int label) {
  if (label == label_number_) return;
  label_number_ = label;
  NotifyTitle();
}

void TGridTable::NotifyTitle() {
  if (OnTitleChanged) OnTitleChanged();
  for (auto& column : columns_) {
    if (column->Kind() != ColumnKind::kFlex) continue;
    for (int row = 0; row < RowCount(); ++row) {
      if (TGridTable* table = column->SubTable(row)) table->NotifyTitle();
    }
  }
}

bool TGridTable::InRange(int col, int row) const {
  return col >= 0 && col < ColumnCount() && row >= 0 && row < RowCount();
}

int TGridTable::RowOf(std::uint64_t id) const {
  auto it = std::find(row_ids_.begin(), row_ids_.end(), id);
  return it == row_ids_.end() ? -1 : static_cast<int>(it - row_ids_.begin());
}

std::uint64_t TGridTable::RowId(int row) const {
  return row_ids_[static_cast<size_t>(row)];
}

TData TGridTable::Cell(int col, int row) {
  if (!InRange(col, row)) return TData();
  return TData(this, col, RowId(row));
}

std::string TGridTable::CellText(int col, int row) const {
  if (!InRange(col, row)) return std::string();
  return columns_[Index(col)]->Text(row);
}

void TGridTable::SetCellText(int col, int row, std::string_view text) {
  if (!InRange(col, row)) return;
  const std::optional<int> previous = FirstChoice(row);
  columns_[Index(col)]->SetText(row, text, editor_open_);
  CellStored(col, row, previous);
}

std::optional<Extended> TGridTable::CellFloat(int col, int row) const {
  if (!InRange(col, row)) return std::nullopt;
  return columns_[Index(col)]->Float(row);
}

std::optional<int> TGridTable::CellInteger(int col, int row) const {
  if (!InRange(col, row)) return std::nullopt;
  return columns_[Index(col)]->Integer(row);
}

TGridTable* TGridTable::SubTable(int col, int row) const {
  if (!InRange(col, row)) return nullptr;
  return columns_[Index(col)]->SubTable(row);
}

bool TGridTable::SetCellFloat(int col, int row, Extended value) {
  if (!InRange(col, row)) return false;
  const std::optional<int> previous = FirstChoice(row);
  if (!columns_[Index(col)]->SetFloat(row, value)) return false;
  CellStored(col, row, previous);
  return true;
}

bool TGridTable::SetCellInteger(int col, int row, int value) {
  if (!InRange(col, row)) return false;
  const std::optional<int> previous = FirstChoice(row);
  if (!columns_[Index(col)]->SetInteger(row, value)) return false;
  CellStored(col, row, previous);
  return true;
}

// A new soil type means a new parameter table. Only an actual change of the
// choice rebuilds: committing an unchanged cell must not throw away the
// layer's parameters.
void TGridTable::CellStored(int col, int row,
                            std::optional<int> previous_choice) {
  TColumn& column = *columns_[Index(col)];
  int first = row;
  int last = row;
  if (column.Grouped()) {
    first = row / row_group_ * row_group_;
    last = std::min(first + row_group_, RowCount()) - 1;
    for (int r = first; r <= last; ++r) {
      if (r != row) column.CopyValue(row, r);
    }
  }
  if (col == 0 && column.Kind() == ColumnKind::kChoice &&
      FirstChoice(row) != previous_choice) {
    for (int r = first; r <= last; ++r) BuildSubTables(r);
  }
  for (int r = first; r <= last; ++r) NotifyCell(col, r);
}

void TGridTable::SetTableUnits(int units) {
  units = ClampUnitSystem(units);
  if (units == units_) return;
  for (auto& column : columns_) column->ConvertUnits(units_, units);
  units_ = units;
  NotifyTable();
}

std::string TGridTable::WindowTitle() const {
  std::string numbers;
  for (const TGridTable* t = this; t; t = t->owner_) {
    if (t->label_number_ != 0) {
      numbers.insert(0, " " + std::to_string(t->label_number_));
    }
  }
  return caption_ + " " + numbers;
}

bool TGridTable::Changed() const {
  if (changed_) return true;
  for (const auto& column : columns_) {
    if (column->Kind() != ColumnKind::kFlex) continue;
    for (int row = 0; row < RowCount(); ++row) {
      const TGridTable* table = column->SubTable(row);
      if (table && table->Changed()) return true;
    }
  }
  return false;
}

void TGridTable::ResetChanged() {
  changed_ = false;
  for (auto& column : columns_) {
    if (column->Kind() != ColumnKind::kFlex) continue;
    for (int row = 0; row < RowCount(); ++row) {
      if (TGridTable* table = column->SubTable(row)) table->ResetChanged();
    }
  }
}

void TGridTable::HoldNotifications() { ++hold_; }

void TGridTable::ResumeNotifications() {
  if (hold_ == 0 || --hold_ > 0) return;
  if (held_change_) {
    held_change_ = false;
    if (OnTableChanged) OnTableChanged();
  }
}

void TGridTable::NotifyTable() {
  if (hold_ > 0) {
    held_change_ = true;
  } else if (OnTableChanged) {
    OnTableChanged();
  }
}

void TGridTable::NotifyCell(int col, int row) {
  if (hold_ > 0) {
    held_change_ = true;
  } else if (OnCellChanged) {
    OnCellChanged(col, row);
  }
}

std::unique_ptr<TGridTable> TGridTable::CreateCopy(TGridTable& owner,
                                                   int label_number) const {
  std::unique_ptr<TGridTable> copy = NewOfSameKind(owner);
  CopyDefinitionTo(*copy);
  copy->label_number_ = label_number;
  copy->SetRowCount(copy->min_rows_);
  return copy;
}

std::unique_ptr<TGridTable> TGridTable::NewOfSameKind(TGridTable& owner) const {
  return std::make_unique<TGridTable>(owner.registry_, &owner);
}

void TGridTable::CopyDefinitionTo(TGridTable& copy) const {
  copy.caption_ = caption_;
  copy.comments_ = comments_;
  copy.top_left_ = top_left_;
  copy.help_picture_ = help_picture_;
  copy.min_rows_ = min_rows_;
  copy.max_rows_ = max_rows_;
  copy.row_group_ = row_group_;
  for (const auto& column : columns_) {
    copy.AppendColumn(column->CloneDefinition());
  }
}

}  // namespace kestra
