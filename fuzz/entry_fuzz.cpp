// Feeds arbitrary bytes to numeric entry as a user could type them: the
// evaluator, a float cell and a dialog field. Whatever the text, nothing may
// crash, hang or store a value that is not finite.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "data_edit.h"
#include "evaluator.h"
#include "input_tables.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 4096) return 0;  // entries are typed by hand
  const std::string_view text(reinterpret_cast<const char*>(data), size);

  const kestra::EntryEvaluation e = kestra::TryEvaluateEntry(text);
  if (e.ok() && !std::isfinite(e.value)) std::abort();

  static kestra::InputTables tables;
  kestra::TGridTable& pile = tables.PileSect;
  if (pile.RowCount() == 0) pile.SetRowCount(1);
  try {
    pile.SetCellText(3, 0, text);
  } catch (const kestra::EAssignError&) {
  }
  if (!std::isfinite(*pile.CellFloat(3, 0))) std::abort();

  kestra::TDataEditModel field;
  field.SetIntegerOnly(size % 2 == 0);
  field.SetMinVal(-1000);
  field.SetText(std::string(text));
  // An accepted value, or a value set to the limit it crossed, must pass
  // the next check: the user can always leave the field.
  const kestra::EntryProblem first = field.CheckEntry().problem;
  if ((first == kestra::EntryProblem::kNone ||
       first == kestra::EntryProblem::kBelowMinimum ||
       first == kestra::EntryProblem::kAboveMaximum) &&
      !field.CheckEntry().valid()) {
    std::abort();
  }
  return 0;
}
