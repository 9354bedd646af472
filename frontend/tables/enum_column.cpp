#include "enum_column.h"

#include <cmath>

#include "assign_error.h"

namespace kestra {

std::unique_ptr<TColumn> TEnumColumn::CloneDefinition() const {
  return std::unique_ptr<TColumn>(new TEnumColumn(*this));
}

std::string TEnumColumn::Text(int row) const {
  return std::to_string(Value(row));
}

void TEnumColumn::SetText(int row, std::string_view text, bool) {
  const Extended v = EvaluateCellText(text);
  if (v != std::trunc(v) || v < -2147483648.0L || v > 2147483647.0L) {
    throw EAssignError("Value must be an integer.");
  }
  Store(row, static_cast<int>(v));
}

bool TEnumColumn::SetInteger(int row, int value) {
  Store(row, value);
  return true;
}

}  // namespace kestra
