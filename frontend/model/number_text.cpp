#include "number_text.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>

namespace kestra {
namespace {

struct Scientific {
  bool negative = false;
  std::string digits;  // significant digits, no trailing zeros, never empty
  int exponent = 0;    // of the first digit
};

// Splits to_chars' scientific output "-d.ddde+xx" into its parts.
Scientific Decompose(const char* first, const char* last) {
  Scientific s;
  const char* p = first;
  if (p != last && *p == '-') {
    s.negative = true;
    ++p;
  }
  for (; p != last && *p != 'e'; ++p) {
    if (*p != '.') s.digits.push_back(*p);
  }
  if (p != last) {
    ++p;  // 'e'
    bool negative_exponent = false;
    if (p != last && (*p == '+' || *p == '-')) negative_exponent = *p++ == '-';
    int e = 0;
    std::from_chars(p, last, e);
    s.exponent = negative_exponent ? -e : e;
  }
  while (s.digits.size() > 1 && s.digits.back() == '0') s.digits.pop_back();
  return s;
}

std::string Compose(const Scientific& s, int digits, char exponent_letter) {
  std::string out = s.negative ? "-" : "";
  const int n = static_cast<int>(s.digits.size());
  const bool scientific = s.exponent >= digits || s.exponent < -5;
  if (scientific) {
    out += s.digits[0];
    if (n > 1) {
      out += '.';
      out.append(s.digits, 1);
    }
    out += exponent_letter;
    out += std::to_string(s.exponent);
  } else if (s.exponent < 0) {
    out += "0.";
    out.append(static_cast<size_t>(-s.exponent - 1), '0');
    out += s.digits;
  } else if (n <= s.exponent + 1) {
    out += s.digits;
    out.append(static_cast<size_t>(s.exponent + 1 - n), '0');
  } else {
    out.append(s.digits, 0, static_cast<size_t>(s.exponent + 1));
    out += '.';
    out.append(s.digits, static_cast<size_t>(s.exponent + 1));
  }
  return out;
}

std::string NonFinite(Extended value) {
  if (std::isnan(value)) return "NAN";
  return value < 0 ? "-INF" : "INF";
}

std::string FormatWith(Extended value, int digits, char exponent_letter) {
  if (!std::isfinite(value)) return NonFinite(value);
  if (value == 0) return "0";
  std::array<char, 64> buffer{};
  auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(),
                              value, std::chars_format::scientific, digits - 1);
  return Compose(Decompose(buffer.data(), result.ptr), digits, exponent_letter);
}

bool ReadsBackAs(const std::string& text, Extended value) {
  DecimalResult r = ParseDecimal(text);
  return r.status == DecimalStatus::kOk && r.value == value;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::string FormatGeneral(Extended value, int digits) {
  if (digits < 1) digits = 1;
  return FormatWith(value, digits, 'E');
}

std::string FormatEntry(Extended value) {
  // 64 mantissa bits need at most 21 significant digits.
  for (int digits = 18; digits < 21; ++digits) {
    std::string text = FormatWith(value, digits, 'E');
    if (!std::isfinite(value) || ReadsBackAs(text, value)) return text;
  }
  return FormatWith(value, 21, 'E');
}

std::string FormatExact(Extended value) {
  if (!std::isfinite(value)) return NonFinite(value);
  if (value == 0) return std::signbit(value) ? "-0" : "0";
  std::array<char, 64> buffer{};
  auto shortest = std::to_chars(buffer.data(), buffer.data() + buffer.size(),
                                value, std::chars_format::scientific);
  Scientific s = Decompose(buffer.data(), shortest.ptr);
  return Compose(s, 18, 'e');
}

DecimalResult ParseDecimal(std::string_view text) {
  DecimalResult out;
  size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  const size_t int_begin = i;
  while (i < text.size() && IsDigit(text[i])) ++i;
  const std::string_view int_part = text.substr(int_begin, i - int_begin);
  std::string_view frac_part;
  if (i < text.size() && text[i] == '.') {
    const size_t frac_begin = ++i;
    while (i < text.size() && IsDigit(text[i])) ++i;
    frac_part = text.substr(frac_begin, i - frac_begin);
  }
  if (int_part.empty() && frac_part.empty()) return out;
  long exponent = 0;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    ++i;
    bool negative_exponent = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
      negative_exponent = text[i] == '-';
      ++i;
    }
    const size_t exp_begin = i;
    while (i < text.size() && IsDigit(text[i])) {
      if (exponent < 100000) exponent = exponent * 10 + (text[i] - '0');
      ++i;
    }
    if (i == exp_begin) return out;
    if (negative_exponent) exponent = -exponent;
  }
  if (i != text.size()) return out;

  // from_chars takes no "+" and no "E"; hand it a normalised copy.
  std::string normal;
  if (negative) normal += '-';
  normal += int_part.empty() ? std::string_view("0") : int_part;
  if (!frac_part.empty()) {
    normal += '.';
    normal += frac_part;
  }
  normal += 'e';
  normal += std::to_string(exponent);
  Extended value = 0;
  auto r = std::from_chars(normal.data(), normal.data() + normal.size(), value);
  if (r.ec == std::errc::result_out_of_range) {
    // Decide between overflow and underflow from the decimal magnitude.
    long magnitude = 0;
    const size_t lead = int_part.find_first_not_of('0');
    if (lead != std::string_view::npos) {
      magnitude = exponent + static_cast<long>(int_part.size() - lead) - 1;
    } else {
      const size_t frac_lead = frac_part.find_first_not_of('0');
      magnitude = frac_lead == std::string_view::npos
                      ? -1
                      : exponent - static_cast<long>(frac_lead) - 1;
    }
    if (magnitude > 0) {
      out.status = DecimalStatus::kOverflow;
      return out;
    }
    out.status = DecimalStatus::kOk;
    out.value = negative ? -0.0L : 0.0L;
    return out;
  }
  if (r.ec != std::errc() || r.ptr != normal.data() + normal.size()) {
    return out;
  }
  out.status = DecimalStatus::kOk;
  out.value = value;
  return out;
}

}  // namespace kestra
