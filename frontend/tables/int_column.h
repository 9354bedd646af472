// Integer column with a default and a range. The range and whole-number
// checks apply to typed entries (an editing window is open); readers store
// any value that fits in 32 bits.
#pragma once

#include "column.h"

namespace kestra {

class TIntColumn : public TValueColumn<int> {
 public:
  TIntColumn(std::vector<std::string> header, int default_value, int minimum,
             int maximum)
      : TValueColumn(std::move(header), default_value),
        min_(minimum),
        max_(maximum) {}

  ColumnKind Kind() const override { return ColumnKind::kInteger; }
  int Min() const { return min_; }
  int Max() const { return max_; }

  std::unique_ptr<TColumn> CloneDefinition() const override;
  std::string Text(int row) const override;
  void SetText(int row, std::string_view text, bool editor_open) override;
  std::optional<int> Integer(int row) const override { return Value(row); }
  bool SetInteger(int row, int value) override;

 private:
  TIntColumn(const TIntColumn&) = default;
  std::string RangeMessage() const;

  int min_;
  int max_;
};

}  // namespace kestra
