// Flex column: each cell owns a whole sub-table (a soil layer's parameters,
// the points of one curve), created from a template table chosen by the
// row's value in the first column.
#pragma once

#include "column.h"

namespace kestra {

class TTableColumn : public TColumn {
 public:
  // One template identifier per choice of the table's first column (one in
  // all when it has no choice column); an empty entry gives no sub-table.
  TTableColumn(std::vector<std::string> header,
               std::vector<std::optional<int>> templates);
  ~TTableColumn() override;

  ColumnKind Kind() const override { return ColumnKind::kFlex; }
  const std::vector<std::optional<int>>& Templates() const {
    return templates_;
  }
  // Pads with empty entries or cuts to `count`.
  void FitTemplates(size_t count) { templates_.resize(count); }
  // The identifier for a 1-based choice, if there is one.
  std::optional<int> TemplateFor(int choice) const;

  std::unique_ptr<TColumn> CloneDefinition() const override;
  int Size() const override { return static_cast<int>(cells_.size()); }
  void InsertDefaults(int at, int count) override;
  void Erase(int at, int count) override;
  void CopyValue(int, int) override {}  // sub-tables are never shared
  // "%d: %s", the 1-based row number and the sub-table's caption.
  std::string Text(int row) const override;
  // A flex cell takes no text: "Data of wrong type".
  void SetText(int row, std::string_view text, bool editor_open) override;
  TGridTable* SubTable(int row) const override;
  void ConvertUnits(int old_units, int new_units) override;

  // Replaces the sub-table of `row`; the old one and its data are dropped.
  void SetSubTable(int row, std::unique_ptr<TGridTable> table);

 private:
  TTableColumn(const TTableColumn& other);

  std::vector<std::optional<int>> templates_;
  std::vector<std::unique_ptr<TGridTable>> cells_;
};

}  // namespace kestra
