#include "column.h"

#include "assign_error.h"
#include "evaluator.h"

namespace kestra {

std::string TColumn::HeaderLine(size_t line, int) const {
  return line < header_.size() ? header_[line] : std::string();
}

Extended TColumn::EvaluateCellText(std::string_view text) {
  EntryEvaluation e = TryEvaluateEntry(text);
  if (!e.ok()) {
    throw EAssignError(text.empty()
                           ? std::string("Entry cannot be blank.")
                           : std::string(text) + " is not a valid number.",
                       e.fault);
  }
  return e.value;
}

}  // namespace kestra
