#include "chart_axis.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>

namespace kestra {
namespace {

constexpr long double kLargest = 100000.0L;
constexpr long double kSmallest = 0.001L;

std::string NonFinite(Extended value) {
  if (std::isnan(value)) return "NAN";
  return value < 0 ? "-INF" : "INF";
}

// A value as 18 significant decimal digits, d.ddd... x 10^exponent, so
// that it can be rounded half away from zero at any decimal place the way
// the user reads it: 0.0005 shows as 0.001, whatever its binary value.
struct Decimal {
  bool negative = false;
  std::string digits;
  int exponent = 0;
};

Decimal ToDecimal(Extended value) {
  std::array<char, 64> buffer{};
  const auto result =
      std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                    std::chars_format::scientific, 17);
  Decimal d;
  const char* p = buffer.data();
  if (*p == '-') {
    d.negative = true;
    ++p;
  }
  for (; p != result.ptr && *p != 'e'; ++p) {
    if (*p != '.') d.digits += *p;
  }
  if (p != result.ptr) d.exponent = std::atoi(p + 1);
  return d;
}

// Keeps the digits before decimal place `places` (10^-places), rounding
// half away from zero; a carry can add a leading digit.
void RoundAtPlace(Decimal& d, int places) {
  const int keep = d.exponent + 1 + places;
  if (keep >= static_cast<int>(d.digits.size())) return;
  if (keep < 0) {
    d.digits = "0";
    return;
  }
  const bool up = d.digits[static_cast<size_t>(keep)] >= '5';
  d.digits.resize(static_cast<size_t>(keep));
  if (up) {
    int i = keep - 1;
    for (; i >= 0 && d.digits[static_cast<size_t>(i)] == '9'; --i) {
      d.digits[static_cast<size_t>(i)] = '0';
    }
    if (i >= 0) {
      ++d.digits[static_cast<size_t>(i)];
    } else {
      d.digits.insert(d.digits.begin(), '1');
      ++d.exponent;
    }
  }
  if (d.digits.empty()) d.digits = "0";
}

bool IsZero(const Decimal& d) {
  return d.digits.find_first_not_of('0') == std::string::npos;
}

// Grows the range by one finite value.
void Include(std::optional<AxisRange>& range, Extended v) {
  if (!std::isfinite(v)) return;
  if (!range) {
    range = AxisRange{v, v};
    return;
  }
  range->Min = std::min(range->Min, v);
  range->Max = std::max(range->Max, v);
}

// Ends on whole steps of about a fifth of the span (1, 2 or 5 times a
// power of ten), so the data fill the chart; an equal pair is widened first.
AxisRange Rounded(std::optional<AxisRange> range) {
  AxisRange r = range.value_or(AxisRange{0, 0});
  if (r.Min == r.Max) {
    const long double half = r.Min == 0 ? 1.0L : std::fabs(r.Min) * 0.1L;
    r.Min -= half;
    r.Max += half;
  }
  const TickSet ticks = ComputeTicks(r, 5);
  if (ticks.Empty() || !(ticks.Step > 0)) return r;
  // Ends on a step up to rounding noise stay there.
  constexpr long double kNoise = 1e-9L;
  const long double lo = std::floor(r.Min / ticks.Step + kNoise) * ticks.Step;
  const long double hi = std::ceil(r.Max / ticks.Step - kNoise) * ticks.Step;
  if (!std::isfinite(lo) || !std::isfinite(hi)) return r;
  return {lo, hi};
}

}  // namespace

AxisNumberStyle ChooseAxisNumberStyle(AxisRange range) {
  const long double lo = std::fabs(range.Min), hi = std::fabs(range.Max);
  if (lo > kLargest || hi > kLargest) return AxisNumberStyle::kScientific;
  if (lo < kSmallest && hi < kSmallest && !(lo == 0 && hi == 0)) {
    return AxisNumberStyle::kScientific;
  }
  return AxisNumberStyle::kGrouped;
}

std::string FormatGrouped(Extended value) {
  if (!std::isfinite(value)) return NonFinite(value);
  Decimal d = ToDecimal(value);
  RoundAtPlace(d, 3);
  if (IsZero(d)) return "0";
  // Digit i stands for 10^(exponent - i).
  const auto digit = [&d](int power) {
    const int i = d.exponent - power;
    return i >= 0 && i < static_cast<int>(d.digits.size())
               ? d.digits[static_cast<size_t>(i)]
               : '0';
  };
  std::string out = d.negative ? "-" : "";
  for (int power = std::max(d.exponent, 0); power >= 0; --power) {
    out += digit(power);
    if (power > 0 && power % 3 == 0) out += ',';
  }
  std::string decimals;
  for (int power = -1; power >= -3; --power) decimals += digit(power);
  while (!decimals.empty() && decimals.back() == '0') decimals.pop_back();
  if (!decimals.empty()) out += '.' + decimals;
  return out;
}

std::string FormatScientific(Extended value) {
  if (!std::isfinite(value)) return NonFinite(value);
  Decimal d = ToDecimal(value);
  if (IsZero(d)) return "0.0E0";
  RoundAtPlace(d, 3 - d.exponent);
  std::string decimals = d.digits.substr(1, 3);
  while (decimals.size() > 1 && decimals.back() == '0') decimals.pop_back();
  if (decimals.empty()) decimals = "0";
  return (d.negative ? "-" : "") + d.digits.substr(0, 1) + '.' + decimals +
         'E' + std::to_string(d.exponent);
}

std::string FormatAxisNumber(Extended value, AxisNumberStyle style) {
  return style == AxisNumberStyle::kScientific ? FormatScientific(value)
                                               : FormatGrouped(value);
}

ChartCurve ChartCurveOf(ChartPointList points) {
  ChartCurve curve;
  curve.points = std::move(points);
  if (curve.points.size() < 2) return curve;
  const Extended y = curve.points.front().second;
  const bool flat = std::all_of(curve.points.begin(), curve.points.end(),
                                [y](const auto& p) { return p.second == y; });
  if (!flat || y == 0 || !std::isfinite(y)) return curve;
  curve.points[1].second = y * 1.001L;
  curve.fixed_left = AxisRange{std::min(0.9L * y, 1.1L * y),
                               std::max(0.9L * y, 1.1L * y)};
  return curve;
}

ChartScale ScaleChart(const ChartCurve& curve) {
  std::optional<AxisRange> x, y;
  for (const auto& [px, py] : curve.points) {
    Include(x, px);
    Include(y, py);
  }
  ChartScale scale;
  scale.bottom = Rounded(x);
  scale.left = curve.fixed_left ? *curve.fixed_left : Rounded(y);
  return scale;
}

}  // namespace kestra
