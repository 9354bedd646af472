// One line of the input data file as the writer builds it: tokens with the
// separator each position calls for, numbers always with ".".
#pragma once

#include <string>
#include <string_view>

#include "number_text.h"

namespace kestra {

// General format with at most 8 significant digits after rounding to
// double: fixed notation for 0 and for magnitudes from 0.00001 whose
// integer part has at most 8 digits, otherwise d.dddE-x.
std::string FormatReal(Extended value);

class TInputLine {
 public:
  // Each token is followed by `separator` ("" for the last of a line).
  TInputLine& Int(int value, std::string_view separator = "");
  TInputLine& Real(Extended value, std::string_view separator = "");
  // Text as it stands: the title, or the "0.0  " placeholder.
  TInputLine& Text(std::string_view text);
  const std::string& str() const { return text_; }

 private:
  std::string text_;
};

inline constexpr char kTab[] = "\t";
inline constexpr char kSpace[] = " ";
// Positions of a soil-layer parameter line that carry no value.
inline constexpr char kPlaceholder[] = "0.0  ";

}  // namespace kestra
