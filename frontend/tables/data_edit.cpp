#include "data_edit.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "evaluator.h"
#include "units.h"

namespace kestra {
namespace {

constexpr Extended kIntMin = -2147483648.0L;
constexpr Extended kIntMax = 2147483647.0L;

}  // namespace

TDataEditModel::TDataEditModel()
    : min_(-std::numeric_limits<Extended>::max()),
      max_(std::numeric_limits<Extended>::max()) {}

Extended TDataEditModel::Number() const { return EvaluateEntry(text_); }

std::optional<Extended> TDataEditModel::TryNumber() const {
  EntryEvaluation e = TryEvaluateEntry(text_);
  if (!e.ok()) return std::nullopt;
  return e.value;
}

void TDataEditModel::SetNumber(Extended value) {
  if (std::isnan(value)) return;  // nothing sensible to show
  if (!loading_ || !std::isfinite(value)) {
    value = std::clamp(value, min_, max_);
  }
  text_ = FormatEntry(value);
}

void TDataEditModel::SetMinVal(Extended value) {
  if (std::isnan(value)) return;
  if (loading_) {
    min_ = value;
    return;
  }
  value = std::min(value, max_);
  if (integer_only_) value = std::clamp(value, kIntMin, kIntMax);
  min_ = value;
  std::optional<Extended> current = TryNumber();
  if (current && *current < min_) SetNumber(min_);
}

void TDataEditModel::SetMaxVal(Extended value) {
  if (std::isnan(value)) return;
  if (loading_) {
    max_ = value;
    return;
  }
  value = std::max(value, min_);
  if (integer_only_) value = std::clamp(value, kIntMin, kIntMax);
  max_ = value;
  std::optional<Extended> current = TryNumber();
  if (current && *current > max_) SetNumber(max_);
}

void TDataEditModel::SetIntegerOnly(bool integer_only) {
  integer_only_ = integer_only;
  if (integer_only && !loading_) {
    SetMaxVal(max_);
    SetMinVal(min_);
  }
}

void TDataEditModel::SetUnits(int units) {
  units_ = ClampUnitSystem(units);
  RefreshLabel();
}

void TDataEditModel::SetCaption(std::string caption) {
  caption_ = std::move(caption);
  RefreshLabel();
}

void TDataEditModel::SetUnitsString(std::string units_string) {
  units_string_ = std::move(units_string);
  RefreshLabel();
}

void TDataEditModel::SetEnabled(bool enabled) {
  enabled_ = enabled;
  RefreshLabel();
}

std::string TDataEditModel::LabelText() const {
  if (units_string_.empty()) return caption_;
  return caption_ + " (" + FieldUnitLabel(units_string_, units_) + ")";
}

EntryCheck TDataEditModel::CheckEntry() {
  entry_valid_ = false;
  if (OnExit) OnExit();
  EntryCheck check;
  EntryEvaluation e = TryEvaluateEntry(text_);
  if (!e.ok()) {
    if (IsArithmeticFault(e.fault)) {
      check.problem = EntryProblem::kArithmetic;
      check.message = EntryFaultMessage(e.fault);
    } else {
      check.problem = EntryProblem::kNotANumber;
      check.message = integer_only_ ? "Entry must be a valid integer."
                                    : EntryFaultMessage(e.fault);
    }
    return check;
  }
  const Extended value = e.value;
  if (integer_only_ && value != std::trunc(value)) {
    check.problem = EntryProblem::kNotInteger;
    check.message = "Entry must be an integer.";
    return check;
  }
  if (value < min_) {
    SetNumber(min_);
    check.problem = EntryProblem::kBelowMinimum;
    check.message =
        "Entry must be greater than or equal to " + FormatEntry(min_);
    return check;
  }
  if (!(value <= max_)) {
    SetNumber(max_);
    check.problem = EntryProblem::kAboveMaximum;
    check.message = "Entry must be less than or equal to " + FormatEntry(max_);
    return check;
  }
  text_ = FormatEntry(value);
  entry_valid_ = true;
  return check;
}

bool TDataEditModel::ExtendsValue(char key) {
  return std::string_view("+-/*^=%!").find(key) != std::string_view::npos;
}

void TDataEditModel::RefreshLabel() {
  if (OnLabelChanged) OnLabelChanged();
}

}  // namespace kestra
