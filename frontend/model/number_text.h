// Numbers as the front end shows, types and evaluates them. Always "." as
// the decimal separator, whatever the user's locale: the same text must mean
// the same number on every machine and in every file.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kestra {

// The front end computes in 80-bit extended precision.
using Extended = long double;

// General format with `digits` significant digits: fixed notation unless
// the exponent reaches `digits` or the magnitude is below 0.00001, then
// d.dddE-x (no "+" and no leading zeros in the exponent, so the text can be
// put back into an expression). Trailing zeros are dropped.
std::string FormatGeneral(Extended value, int digits);

// The 18-digit general format of typed values. Where 18 digits do not read
// back to the same value, more digits are used, so that a value written
// into a field and read again compares equal to itself.
std::string FormatEntry(Extended value);

// Shortest text that reads back to exactly `value`, in the same notation
// rules (lower-case "e", no "+"). Used for intermediate results.
std::string FormatExact(Extended value);

// What ParseDecimal found.
enum class DecimalStatus { kOk, kInvalid, kOverflow };

struct DecimalResult {
  DecimalStatus status = DecimalStatus::kInvalid;
  Extended value = 0;
};

// Reads a whole text as a decimal number: optional sign, digits with "." as
// the separator, optional exponent "e"/"E" with optional sign. A magnitude
// too small to represent reads as zero.
DecimalResult ParseDecimal(std::string_view text);

}  // namespace kestra
