// Choice column: a 1-based index into a list of choice texts. A typed index
// is not range-checked, so a reader can keep codes the list does not name.
#pragma once

#include "column.h"

namespace kestra {

class TEnumColumn : public TValueColumn<int> {
 public:
  TEnumColumn(std::vector<std::string> header, std::vector<std::string> choices)
      : TValueColumn(std::move(header), 1), choices_(std::move(choices)) {}

  ColumnKind Kind() const override { return ColumnKind::kChoice; }
  const std::vector<std::string>& Choices() const { return choices_; }

  std::unique_ptr<TColumn> CloneDefinition() const override;
  std::string Text(int row) const override;
  void SetText(int row, std::string_view text, bool editor_open) override;
  std::optional<int> Integer(int row) const override { return Value(row); }
  bool SetInteger(int row, int value) override;

 private:
  TEnumColumn(const TEnumColumn&) = default;

  std::vector<std::string> choices_;
};

}  // namespace kestra
