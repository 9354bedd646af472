// TGridTable: every tabular input of the front end. A list of typed columns
// and a row count; converts its numbers when the unit system changes, keeps
// flex sub-tables in step with the first (choice) column, and tells its
// editing window about changes through plain callbacks.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "column.h"
#include "data.h"
#include "number_text.h"
#include "table_registry.h"

namespace kestra {

class TTableColumn;

class TGridTable {
 public:
  // A table without an owner starts in English units; a sub-table takes its
  // owner's unit system and registry.
  explicit TGridTable(TableRegistry& registry, TGridTable* owner = nullptr);
  virtual ~TGridTable();
  TGridTable(const TGridTable&) = delete;
  TGridTable& operator=(const TGridTable&) = delete;

  // Design-time properties.
  int Identifier() const { return registry_.IdentifierOf(this); }
  void SetIdentifier(int identifier) {
    registry_.SetIdentifier(this, identifier);
  }
  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string caption) { caption_ = std::move(caption); }
  // Help text; lines are separated by a carriage return.
  const std::string& Comments() const { return comments_; }
  void SetComments(std::string comments) { comments_ = std::move(comments); }
  const std::string& TopLeft() const { return top_left_; }
  void SetTopLeft(std::string text) { top_left_ = std::move(text); }
  // Name of the help picture; the window layer supplies the image.
  const std::string& HelpPicture() const { return help_picture_; }
  void SetHelpPicture(std::string name) { help_picture_ = std::move(name); }
  int MinRows() const { return min_rows_; }
  // Throws EAssignError("Value must be greater than 0") for 0 or less,
  // except while a definition is loading, where it becomes 1.
  void SetMinRows(int rows);
  // 0 means no limit.
  int MaxRows() const { return max_rows_; }
  void SetMaxRows(int rows) { max_rows_ = rows; }
  int RowGroup() const { return row_group_; }
  void SetRowGroup(int rows) { row_group_ = rows < 1 ? 1 : rows; }
  void BeginDefinition() { loading_definition_ = true; }
  void EndDefinition() { loading_definition_ = false; }

  // Columns. Adding a column fits every flex column's template list to the
  // first column's choices.
  template <typename C>
  C& AddColumn(std::unique_ptr<C> column) {
    C& added = *column;
    AppendColumn(std::move(column));
    return added;
  }
  int ColumnCount() const { return static_cast<int>(columns_.size()); }
  const TColumn& Column(int col) const { return *columns_[Index(col)]; }
  TColumn& Column(int col) { return *columns_[Index(col)]; }
  // Header line `line` of column `col` in the table's unit system.
  std::string HeaderText(int col, int line) const;
  // The largest number of header lines among the visible columns.
  int HeaderRows() const;
  bool HasVisibleColumn() const;

  // Rows.
  int RowCount() const { return static_cast<int>(row_ids_.size()); }
  // Below 0 is taken as 0; rows go from the end or are appended with
  // defaults (and fresh sub-tables).
  void SetRowCount(int rows);
  // Block operations of the editing window, in blocks of RowGroup rows.
  void AddRowBlock();
  void InsertRowBlock(int row);
  void DeleteRowBlock(int row);

  // Cells. Out-of-range cells read as nothing and ignore writes.
  TData Cell(int col, int row);
  std::string CellText(int col, int row) const;
  // Evaluates and stores text by the column's rules; throws EAssignError.
  void SetCellText(int col, int row, std::string_view text);
  std::optional<Extended> CellFloat(int col, int row) const;
  std::optional<int> CellInteger(int col, int row) const;
  TGridTable* SubTable(int col, int row) const;
  bool SetCellFloat(int col, int row, Extended value);
  bool SetCellInteger(int col, int row, int value);

  // Unit system 1..3. A change converts every float cell, here and in all
  // sub-tables.
  int TableUnits() const { return units_; }
  void SetTableUnits(int units);

  // 0 for a top-level table, else the owning row's 1-based number.
  int LabelNumber() const { return label_number_; }
  TGridTable* Owner() const { return owner_; }
  // Caption, a space, then " n" for each non-zero label number from the
  // outermost owner inwards.
  std::string WindowTitle() const;

  // Changed flags: a table counts as changed when it or any sub-table is.
  bool Changed() const;
  void SetChanged() { changed_ = true; }
  void ResetChanged();

  // Integer checks of typed cells apply while the editing window exists.
  bool EditorOpen() const { return editor_open_; }
  void SetEditorOpen(bool open) { editor_open_ = open; }

  // Notifications, for the editing window. While held, they are collected
  // and one OnTableChanged is sent on resuming.
  std::function<void()> OnTableChanged;
  std::function<void(int col, int row)> OnCellChanged;
  std::function<void()> OnTitleChanged;
  // Sent by the destructor, so an open window can close.
  std::function<void()> OnDiscarded;
  void HoldNotifications();
  void ResumeNotifications();

  // A sub-table for a flex cell: same kind, properties and column
  // definitions as this template, MinRows rows of defaults.
  std::unique_ptr<TGridTable> CreateCopy(TGridTable& owner,
                                         int label_number) const;

  TableRegistry& Registry() const { return registry_; }

 protected:
  virtual std::unique_ptr<TGridTable> NewOfSameKind(TGridTable& owner) const;
  virtual void CopyDefinitionTo(TGridTable& copy) const;

 private:
  friend class TData;

  size_t Index(int col) const { return static_cast<size_t>(col); }
  bool InRange(int col, int row) const;
  int RowOf(std::uint64_t id) const;
  std::uint64_t RowId(int row) const;
  void AppendColumn(std::unique_ptr<TColumn> column);
  void FitTemplateLists();
  std::optional<int> FirstChoice(int row) const;
  void InsertRows(int at, int count);
  void EraseRows(int at, int count);
  void BuildSubTables(int row);
  void RenumberSubTables(int from);
  void SetLabelNumber(int label);
  void CellStored(int col, int row, std::optional<int> previous_choice);
  void NotifyTable();
  void NotifyCell(int col, int row);
  void NotifyTitle();

  TableRegistry& registry_;
  TGridTable* owner_;
  std::string caption_;
  std::string comments_;
  std::string top_left_;
  std::string help_picture_;
  int min_rows_ = 1;
  int max_rows_ = 0;
  int row_group_ = 1;
  bool loading_definition_ = false;

  std::vector<std::unique_ptr<TColumn>> columns_;
  std::vector<std::uint64_t> row_ids_;
  std::uint64_t next_row_id_ = 1;
  int units_ = 1;
  int label_number_ = 0;
  bool changed_ = false;
  bool editor_open_ = false;
  int hold_ = 0;
  bool held_change_ = false;
};

}  // namespace kestra
