#include "int_column.h"

#include <cmath>

#include "assign_error.h"

namespace kestra {

std::unique_ptr<TColumn> TIntColumn::CloneDefinition() const {
  return std::unique_ptr<TColumn>(new TIntColumn(*this));
}

std::string TIntColumn::Text(int row) const {
  return std::to_string(Value(row));
}

std::string TIntColumn::RangeMessage() const {
  return "Entry must be between " + std::to_string(min_) + " and " +
         std::to_string(max_) + ".";
}

void TIntColumn::SetText(int row, std::string_view text, bool editor_open) {
  const Extended v = EvaluateCellText(text);
  // Whole numbers to within what an expression like 0.1*30 leaves over.
  const Extended rounded = std::nearbyint(v);
  if (editor_open) {
    if (std::fabs(v - rounded) > 1e-10L) {
      throw EAssignError("Entry must be an integer.");
    }
    if (rounded < min_ || rounded > max_) throw EAssignError(RangeMessage());
  }
  // A value beyond 32 bits cannot be stored, window or not.
  if (rounded < -2147483648.0L || rounded > 2147483647.0L) {
    throw EAssignError(RangeMessage());
  }
  Store(row, static_cast<int>(rounded));
}

bool TIntColumn::SetInteger(int row, int value) {
  Store(row, value);
  return true;
}

}  // namespace kestra
