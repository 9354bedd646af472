// TData: a handle on one cell. It names its row by identity, not by
// position, so it keeps pointing at the same row when other rows are
// inserted or deleted; once its own row is deleted it reads as nothing.
// A handle must not outlive its table.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "number_text.h"

namespace kestra {

class TGridTable;

class TData {
 public:
  TData() = default;

  bool Valid() const { return Row() >= 0; }
  // Current 0-based row, or -1 when the row is gone.
  int Row() const;
  int Column() const { return column_; }

  // Typed access; nothing (or false) for a value of a kind the column does
  // not hold, or when the row is gone.
  std::optional<Extended> GetFloat() const;
  std::optional<int> GetInteger() const;
  std::string GetText() const;
  TGridTable* GetTable() const;
  bool SetFloat(Extended value);
  bool SetInteger(int value);
  // By the column's entry rules; throws EAssignError.
  void SetText(std::string_view text);

 private:
  friend class TGridTable;
  TData(TGridTable* table, int column, std::uint64_t row_id)
      : table_(table), column_(column), row_id_(row_id) {}

  TGridTable* table_ = nullptr;
  int column_ = 0;
  std::uint64_t row_id_ = 0;
};

}  // namespace kestra
