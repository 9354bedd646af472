// Float column: extended values in the table's unit system, labelled and
// converted through the column's dimension string.
#pragma once

#include "column.h"

namespace kestra {

class TFloatColumn : public TValueColumn<Extended> {
 public:
  TFloatColumn(std::vector<std::string> header, std::string dimension,
               Extended default_value = 0)
      : TValueColumn(std::move(header), default_value),
        dimension_(std::move(dimension)) {}

  ColumnKind Kind() const override { return ColumnKind::kFloat; }
  const std::string& Dimension() const { return dimension_; }
  // Kept from the definition stream; no table of this system sets it.
  bool TopDepth() const { return top_depth_; }
  void SetTopDepth(bool top_depth) { top_depth_ = top_depth; }

  // The last header line carries the unit: "%s (%s)  ".
  std::string HeaderLine(size_t line, int units) const override;
  std::unique_ptr<TColumn> CloneDefinition() const override;
  // General format with 8 significant digits.
  std::string Text(int row) const override;
  void SetText(int row, std::string_view text, bool editor_open) override;
  std::optional<Extended> Float(int row) const override { return Value(row); }
  bool SetFloat(int row, Extended value) override;
  void ConvertUnits(int old_units, int new_units) override;

 private:
  TFloatColumn(const TFloatColumn&) = default;

  std::string dimension_;
  bool top_depth_ = false;
};

}  // namespace kestra
