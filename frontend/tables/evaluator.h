// EvaluateEntry: every number typed in a table cell or a dialog field may be
// an arithmetic expression ("2*12", "sqrt(2)/2", "150/144").
//
// Rules, in order: blanks and tabs are dropped; parenthesised groups are
// reduced innermost first and replaced by their value; a minus is unary at
// the start, after an operator, after "e"/"E", after another minus or after a
// function name, else a subtraction; then four left-to-right passes: "^";
// "*" "/" "%" "&"; "+" "-" "|"; "=". Operands are numbers, "pi", "e",
// functions applied to the rest of the operand ("sqrt4"), factorials ("4!")
// and hexadecimal integers ("$ff").
#pragma once

#include <string_view>

#include "assign_error.h"
#include "number_text.h"

namespace kestra {

struct EntryEvaluation {
  EntryFault fault = EntryFault::kNone;
  Extended value = 0;

  bool ok() const { return fault == EntryFault::kNone; }
};

// Never throws; results are always finite when ok().
EntryEvaluation TryEvaluateEntry(std::string_view text);

// The value of `text`, or EAssignError carrying the fault and its message.
Extended EvaluateEntry(std::string_view text);

}  // namespace kestra
