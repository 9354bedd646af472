// The one error class of data entry: a rejected number, a rejected cell
// text or a misused table property. The field or window that shows the
// message catches it; the value it concerns is never stored.
#pragma once

#include <stdexcept>
#include <string>

namespace kestra {

// Why the evaluator rejected an entry. The last three are failures of the
// arithmetic itself rather than of the text.
enum class EntryFault {
  kNone,
  kBlank,
  kParentheses,
  kInvalidExpression,
  kInvalidCharacters,
  kInvalidHex,
  kFactorial,
  kDivisionByZero,
  kInvalidOperation,
  kOverflow,
};

bool IsArithmeticFault(EntryFault fault);

// The message shown for a fault: "Entry could not be evaluated:", a carriage
// return and the reason, or for arithmetic faults the failure's own text.
std::string EntryFaultMessage(EntryFault fault);

class EAssignError : public std::runtime_error {
 public:
  explicit EAssignError(const std::string& message,
                        EntryFault fault = EntryFault::kNone)
      : std::runtime_error(message), fault_(fault) {}

  // kNone for rejections by a column or a property rather than the
  // evaluator.
  EntryFault fault() const { return fault_; }

 private:
  EntryFault fault_;
};

}  // namespace kestra
