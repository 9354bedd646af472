#include "input_line.h"

namespace kestra {

std::string FormatReal(Extended value) {
  return FormatGeneral(static_cast<double>(value), 8);
}

TInputLine& TInputLine::Int(int value, std::string_view separator) {
  text_ += std::to_string(value);
  text_ += separator;
  return *this;
}

TInputLine& TInputLine::Real(Extended value, std::string_view separator) {
  text_ += FormatReal(value);
  text_ += separator;
  return *this;
}

TInputLine& TInputLine::Text(std::string_view text) {
  text_ += text;
  return *this;
}

}  // namespace kestra
