// The axes of a chart table's line chart without any drawing: the curve as
// drawn (with the nudge that keeps a flat curve visible), the axis ranges
// and the numbers written along them. Always "." for decimals and "," for
// thousands, whatever the user's locale.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "number_text.h"
#include "plot_geometry.h"

namespace kestra {

using ChartPointList = std::vector<std::pair<Extended, Extended>>;

enum class AxisNumberStyle {
  kGrouped,     // "#,##0.###"
  kScientific,  // "#.0##E-0"
};

// Scientific when either end exceeds 100000 in magnitude, or both are below
// 0.001 without both being 0: grouped numbers would be too long or all 0.
AxisNumberStyle ChooseAxisNumberStyle(AxisRange range);

// Thousands grouped with ",", at most three decimals, no trailing zeros:
// 1234.5 -> "1,234.5", 0.0004 -> "0".
std::string FormatGrouped(Extended value);
// One digit, one to three decimals, an exponent without "+" or leading
// zeros: 123456 -> "1.235E5", 0.0005 -> "5.0E-4".
std::string FormatScientific(Extended value);
std::string FormatAxisNumber(Extended value, AxisNumberStyle style);

// The curve as drawn. When there are at least two points and every Y is
// the same, the second point is raised by 0.1% and the left axis is fixed
// to 0.9..1.1 times that Y, so the line shows inside the chart rather than
// on its edge. A flat line at Y = 0 keeps the automatic axis: 0.9..1.1
// times 0 is no range at all.
struct ChartCurve {
  ChartPointList points;
  std::optional<AxisRange> fixed_left;
};
ChartCurve ChartCurveOf(ChartPointList points);

struct ChartScale {
  AxisRange bottom;
  AxisRange left;
};

// The bottom axis from the X values, the left one from the Y values or the
// fixed range, each rounded outward to round ends. Non-finite values are
// left out.
ChartScale ScaleChart(const ChartCurve& curve);

}  // namespace kestra
