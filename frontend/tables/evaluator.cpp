#include "evaluator.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <optional>
#include <string>
#include <vector>

namespace kestra {

bool IsArithmeticFault(EntryFault fault) {
  return fault == EntryFault::kDivisionByZero ||
         fault == EntryFault::kInvalidOperation ||
         fault == EntryFault::kOverflow;
}

std::string EntryFaultMessage(EntryFault fault) {
  const char* reason = "";
  switch (fault) {
    case EntryFault::kNone:
      return "";
    case EntryFault::kBlank:
      reason = "entry cannot be blank";
      break;
    case EntryFault::kParentheses:
      reason = "() (parentheses) do not match";
      break;
    case EntryFault::kInvalidExpression:
      reason = "invalid expression";
      break;
    case EntryFault::kInvalidCharacters:
      reason = "invalid character(s) in expression";
      break;
    case EntryFault::kInvalidHex:
      reason = "invalid use of $ (hex function)";
      break;
    case EntryFault::kFactorial:
      reason = "! (factoral) applicable to integers only";
      break;
    case EntryFault::kDivisionByZero:
      return "Division by zero";
    case EntryFault::kInvalidOperation:
      return "Invalid floating point operation";
    case EntryFault::kOverflow:
      return "Floating point overflow";
  }
  return std::string("Entry could not be evaluated:\r") + reason;
}

namespace {

// Stands for a subtraction once minus signs are classified; cannot be typed.
constexpr char kSubtract = '\x01';

enum class Function {
  kArcTanh,
  kArcTan,
  kCotan,
  kTanh,
  kTan,
  kArcCosh,
  kArcCos,
  kCosh,
  kCosec,
  kCos,
  kSec,
  kArcSinh,
  kArcSin,
  kSinh,
  kSin,
  kCsc,
  kAbs,
  kFrac,
  kInt,
  kLn,
  kRound,
  kCeil,
  kFloor,
  kLog,
  kSqrt,
};

struct FunctionName {
  std::string_view name;
  Function function;
};

// A longer name before any shorter name that begins it.
constexpr std::array<FunctionName, 25> kFunctions = {{
    {"arctanh", Function::kArcTanh}, {"arctan", Function::kArcTan},
    {"cotan", Function::kCotan},     {"tanh", Function::kTanh},
    {"tan", Function::kTan},         {"arccosh", Function::kArcCosh},
    {"arccos", Function::kArcCos},   {"cosh", Function::kCosh},
    {"cosec", Function::kCosec},     {"cos", Function::kCos},
    {"sec", Function::kSec},         {"arcsinh", Function::kArcSinh},
    {"arcsin", Function::kArcSin},   {"sinh", Function::kSinh},
    {"sin", Function::kSin},         {"csc", Function::kCsc},
    {"abs", Function::kAbs},         {"frac", Function::kFrac},
    {"int", Function::kInt},         {"ln", Function::kLn},
    {"round", Function::kRound},     {"ceil", Function::kCeil},
    {"floor", Function::kFloor},     {"log", Function::kLog},
    {"sqrt", Function::kSqrt},
}};

bool IsOperator(char c) {
  return c == '^' || c == '*' || c == '/' || c == '%' || c == '&' || c == '+' ||
         c == '|' || c == '=' || c == kSubtract;
}

bool IsLetter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

char Lower(char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; }

std::string LowerCase(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = Lower(c);
  return out;
}

const FunctionName* FunctionAtStart(std::string_view text) {
  for (const FunctionName& f : kFunctions) {
    if (text.substr(0, f.name.size()) == f.name) return &f;
  }
  return nullptr;
}

// True when the letters just before `end` end in a function name, as a
// negative argument leaves them: "2*sin(-0.5)" becomes "2*sin-0.5".
bool FunctionNameEndsAt(std::string_view text, size_t end) {
  size_t begin = end;
  while (begin > 0 && IsLetter(text[begin - 1])) --begin;
  if (begin == end) return false;
  const std::string letters = LowerCase(text.substr(begin, end - begin));
  for (const FunctionName& f : kFunctions) {
    if (letters.size() >= f.name.size() &&
        letters.compare(letters.size() - f.name.size(), f.name.size(),
                        f.name) == 0) {
      return true;
    }
  }
  return false;
}

// A half goes to the even neighbour, independent of the rounding mode.
Extended RoundHalfEven(Extended x) {
  Extended r = std::round(x);
  if (std::fabs(x - std::trunc(x)) == 0.5L && std::fmod(r, 2.0L) != 0) {
    r -= std::copysign(1.0L, x);
  }
  return r;
}

class Evaluator {
 public:
  std::optional<Extended> Entry(std::string_view entry);

  EntryFault fault() const { return fault_; }

 private:
  std::optional<Extended> Fail(EntryFault fault) {
    if (fault_ == EntryFault::kNone) fault_ = fault;
    return std::nullopt;
  }
  std::optional<Extended> Checked(Extended value) {
    if (std::isnan(value)) return Fail(EntryFault::kInvalidOperation);
    if (std::isinf(value)) return Fail(EntryFault::kOverflow);
    return value;
  }
  std::optional<Extended> Reciprocal(Extended denominator) {
    if (denominator == 0) return Fail(EntryFault::kDivisionByZero);
    return Checked(1 / denominator);
  }

  std::optional<Extended> Flat(std::string text);
  std::optional<Extended> Binary(char op, const std::string& left,
                                 const std::string& right);
  std::optional<Extended> Operand(std::string operand);
  std::optional<Extended> Apply(Function f, Extended x);
  std::optional<Extended> Factorial(Extended n);
  std::optional<Extended> Hex(std::string_view digits);

  EntryFault fault_ = EntryFault::kNone;
};

std::optional<Extended> Evaluator::Entry(std::string_view entry) {
  if (entry.empty()) return Fail(EntryFault::kBlank);
  std::string text;
  for (char c : entry) {
    if (c != ' ' && c != '\t') text += c;
  }
  for (size_t close = text.find(')'); close != std::string::npos;
       close = text.find(')')) {
    const size_t open = text.rfind('(', close);
    if (open == std::string::npos) return Fail(EntryFault::kParentheses);
    std::string inner = text.substr(open + 1, close - open - 1);
    if (inner.empty()) return Fail(EntryFault::kBlank);
    std::optional<Extended> value = Flat(std::move(inner));
    if (!value) return std::nullopt;
    text.replace(open, close - open + 1, FormatExact(*value));
  }
  return Flat(std::move(text));
}

std::optional<Extended> Evaluator::Flat(std::string text) {
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '-' || i == 0) continue;
    const char before = text[i - 1];
    const bool unary = std::string_view("%&*+/=^|Ee-").find(before) !=
                           std::string_view::npos ||
                       before == kSubtract || FunctionNameEndsAt(text, i);
    if (!unary) text[i] = kSubtract;
  }

  std::vector<std::string> operands;
  std::vector<char> operators;
  std::string current;
  for (char c : text) {
    if (IsOperator(c)) {
      operands.push_back(std::move(current));
      current.clear();
      operators.push_back(c);
    } else {
      current += c;
    }
  }
  if (!current.empty()) operands.push_back(std::move(current));
  if (operands.size() != operators.size() + 1) {
    return Fail(EntryFault::kInvalidExpression);
  }

  static constexpr std::string_view kPasses[] = {
      "^", "*/%&", std::string_view("+\x01|", 3), "="};
  for (std::string_view pass : kPasses) {
    size_t i = 0;
    while (i < operators.size()) {
      if (pass.find(operators[i]) == std::string_view::npos) {
        ++i;
        continue;
      }
      std::optional<Extended> result =
          Binary(operators[i], operands[i], operands[i + 1]);
      if (!result) return std::nullopt;
      operands[i] = FormatExact(*result);
      operands.erase(operands.begin() + static_cast<std::ptrdiff_t>(i) + 1);
      operators.erase(operators.begin() + static_cast<std::ptrdiff_t>(i));
    }
  }
  return Operand(operands.front());
}

std::optional<Extended> Evaluator::Binary(char op, const std::string& left,
                                          const std::string& right) {
  std::optional<Extended> a = Operand(left);
  if (!a) return std::nullopt;
  if (op == '|' && *a != 0) return 1.0L;
  std::optional<Extended> b = Operand(right);
  if (!b) return std::nullopt;
  switch (op) {
    case '^':
      if (*a == 0 && *b < 0) return Fail(EntryFault::kDivisionByZero);
      return Checked(std::pow(*a, *b));
    case '*':
      return Checked(*a * *b);
    case '/':
      if (*b == 0) return Fail(EntryFault::kDivisionByZero);
      return Checked(*a / *b);
    case '%': {
      // Both sides truncated to 64-bit integers; the remainder takes the
      // sign of the left side.
      constexpr Extended kLimit = 9223372036854775807.0L;
      const Extended ta = std::trunc(*a);
      const Extended tb = std::trunc(*b);
      if (std::fabs(ta) >= kLimit || std::fabs(tb) >= kLimit) {
        return Fail(EntryFault::kInvalidOperation);
      }
      const auto ia = static_cast<std::int64_t>(ta);
      const auto ib = static_cast<std::int64_t>(tb);
      if (ib == 0) return Fail(EntryFault::kDivisionByZero);
      if (ib == -1) return 0.0L;  // also keeps INT64_MIN % -1 defined
      return static_cast<Extended>(ia % ib);
    }
    case '&':
      return (*a != 0 && *b != 0) ? 1.0L : 0.0L;
    case '+':
      return Checked(*a + *b);
    case kSubtract:
      return Checked(*a - *b);
    case '|':
      return *b != 0 ? 1.0L : 0.0L;
    case '=':
      return *a == *b ? 1.0L : 0.0L;
    default:
      return Fail(EntryFault::kInvalidExpression);
  }
}

std::optional<Extended> Evaluator::Operand(std::string operand) {
  // Functions and factorials wrap the rest of the operand; they are
  // collected first and applied innermost first, so deep nesting does not
  // recurse.
  struct Pending {
    bool factorial;
    Function function;
    bool negate;
  };
  std::vector<Pending> pending;
  std::optional<Extended> value;
  for (;;) {
    std::string cleaned;
    for (size_t i = 0; i < operand.size(); ++i) {
      if (operand[i] == '-' && i + 1 < operand.size() &&
          operand[i + 1] == '-') {
        ++i;
        continue;
      }
      cleaned += Lower(operand[i]);
    }
    operand = std::move(cleaned);
    if (operand == "pi" || operand == "-pi") {
      value = operand[0] == '-' ? -std::numbers::pi_v<Extended>
                                : std::numbers::pi_v<Extended>;
      break;
    }
    if (operand == "e" || operand == "-e") {
      value = operand[0] == '-' ? -std::numbers::e_v<Extended>
                                : std::numbers::e_v<Extended>;
      break;
    }
    // A minus before a function name negates the function's value.
    const bool negate = !operand.empty() && operand[0] == '-' &&
                        FunctionAtStart(std::string_view(operand).substr(1));
    if (const FunctionName* f =
            FunctionAtStart(std::string_view(operand).substr(negate ? 1 : 0))) {
      pending.push_back({false, f->function, negate});
      operand.erase(0, f->name.size() + (negate ? 1 : 0));
      continue;
    }
    if (!operand.empty() && operand.back() == '!') {
      pending.push_back({true, Function::kAbs, false});
      operand.pop_back();
      continue;
    }
    if (!operand.empty() && operand[0] == '$') {
      value = Hex(std::string_view(operand).substr(1));
      break;
    }
    DecimalResult number = ParseDecimal(operand);
    if (number.status == DecimalStatus::kOverflow) {
      return Fail(EntryFault::kOverflow);
    }
    if (number.status != DecimalStatus::kOk) {
      return Fail(EntryFault::kInvalidCharacters);
    }
    value = number.value;
    break;
  }
  for (auto it = pending.rbegin(); value && it != pending.rend(); ++it) {
    if (it->factorial) {
      value = Factorial(*value);
    } else {
      value = Apply(it->function, *value);
      if (value && it->negate) *value = -*value;
    }
  }
  return value;
}

std::optional<Extended> Evaluator::Apply(Function f, Extended x) {
  switch (f) {
    case Function::kSin:
      return Checked(std::sin(x));
    case Function::kCos:
      return Checked(std::cos(x));
    case Function::kTan:
      return Checked(std::tan(x));
    case Function::kSec:
      return Reciprocal(std::cos(x));
    case Function::kCsc:
    case Function::kCosec:
      return Reciprocal(std::sin(x));
    case Function::kCotan:
      return Reciprocal(std::tan(x));
    case Function::kArcSin:
      return Checked(std::asin(x));
    case Function::kArcCos:
      return Checked(std::acos(x));
    case Function::kArcTan:
      return Checked(std::atan(x));
    case Function::kSinh:
      return Checked(std::sinh(x));
    case Function::kCosh:
      return Checked(std::cosh(x));
    case Function::kTanh:
      return Checked(std::tanh(x));
    case Function::kArcSinh:
      return Checked(std::asinh(x));
    case Function::kArcCosh:
      return Checked(std::acosh(x));
    case Function::kArcTanh:
      if (std::fabs(x) >= 1) return Fail(EntryFault::kInvalidOperation);
      return Checked(std::atanh(x));
    case Function::kAbs:
      return std::fabs(x);
    case Function::kFrac:
      return x - std::trunc(x);
    case Function::kInt:
      return std::trunc(x);
    case Function::kRound:
      return RoundHalfEven(x);
    case Function::kCeil:
      return std::ceil(x);
    case Function::kFloor:
      return std::floor(x);
    case Function::kLn:
      if (x <= 0) return Fail(EntryFault::kInvalidOperation);
      return Checked(std::log(x));
    case Function::kLog:
      if (x <= 0) return Fail(EntryFault::kInvalidOperation);
      return Checked(std::log10(x));
    case Function::kSqrt:
      if (x < 0) return Fail(EntryFault::kInvalidOperation);
      return Checked(std::sqrt(x));
  }
  return Fail(EntryFault::kInvalidCharacters);
}

// n! with the sign of n: (-3)! is -6. Overflows after about 1754!, which
// also bounds the loop for huge n.
std::optional<Extended> Evaluator::Factorial(Extended n) {
  if (n != std::trunc(n)) return Fail(EntryFault::kFactorial);
  const Extended count = std::fabs(n);
  Extended product = 1;
  for (Extended k = 2; k <= count; k += 1) {
    product *= k;
    if (std::isinf(product)) return Fail(EntryFault::kOverflow);
  }
  return n < 0 ? -product : product;
}

// "$" followed by hexadecimal digits giving a value in the 32-bit signed
// range.
std::optional<Extended> Evaluator::Hex(std::string_view digits) {
  std::uint64_t value = 0;
  auto r =
      std::from_chars(digits.data(), digits.data() + digits.size(), value, 16);
  if (digits.empty() || r.ec != std::errc() ||
      r.ptr != digits.data() + digits.size() || value > 0x7FFFFFFFu) {
    return Fail(EntryFault::kInvalidHex);
  }
  return static_cast<Extended>(value);
}

}  // namespace

EntryEvaluation TryEvaluateEntry(std::string_view text) {
  Evaluator evaluator;
  std::optional<Extended> value = evaluator.Entry(text);
  EntryEvaluation result;
  if (value) {
    result.value = *value;
  } else {
    result.fault = evaluator.fault() == EntryFault::kNone
                       ? EntryFault::kInvalidExpression
                       : evaluator.fault();
  }
  return result;
}

Extended EvaluateEntry(std::string_view text) {
  EntryEvaluation result = TryEvaluateEntry(text);
  if (!result.ok()) {
    throw EAssignError(EntryFaultMessage(result.fault), result.fault);
  }
  return result.value;
}

}  // namespace kestra
