#include "float_column.h"

#include <cmath>

#include "units.h"

namespace kestra {

std::string TFloatColumn::HeaderLine(size_t line, int units) const {
  std::string text = TColumn::HeaderLine(line, units);
  if (!dimension_.empty() && !Header().empty() && line + 1 == Header().size()) {
    text += " (" + TableUnitLabel(dimension_, units) + ")  ";
  }
  return text;
}

std::unique_ptr<TColumn> TFloatColumn::CloneDefinition() const {
  return std::unique_ptr<TColumn>(new TFloatColumn(*this));
}

std::string TFloatColumn::Text(int row) const {
  return FormatGeneral(Value(row), 8);
}

void TFloatColumn::SetText(int row, std::string_view text, bool) {
  Store(row, EvaluateCellText(text));
}

bool TFloatColumn::SetFloat(int row, Extended value) {
  // Cells only ever hold numbers that can be written to a file.
  if (!std::isfinite(value)) return false;
  Store(row, value);
  return true;
}

void TFloatColumn::ConvertUnits(int old_units, int new_units) {
  const Extended factor = ConversionFactor(dimension_, old_units, new_units);
  if (factor == 1) return;
  for (Extended& v : Values()) v *= factor;
}

}  // namespace kestra
