// Text column: free text with a default and a display width in inches.
#pragma once

#include "column.h"

namespace kestra {

class TStringColumn : public TValueColumn<std::string> {
 public:
  TStringColumn(std::vector<std::string> header, std::string default_text,
                Extended width_inches)
      : TValueColumn(std::move(header), std::move(default_text)),
        width_(width_inches) {}

  ColumnKind Kind() const override { return ColumnKind::kText; }
  Extended WidthInches() const { return width_; }

  std::unique_ptr<TColumn> CloneDefinition() const override {
    return std::unique_ptr<TColumn>(new TStringColumn(*this));
  }
  std::string Text(int row) const override { return Value(row); }
  void SetText(int row, std::string_view text, bool) override {
    Store(row, std::string(text));
  }

 private:
  TStringColumn(const TStringColumn&) = default;

  Extended width_;
};

}  // namespace kestra
