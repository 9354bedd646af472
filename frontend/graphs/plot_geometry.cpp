#include "plot_geometry.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace kestra {
namespace {

// k x 10^e, dividing for negative e so that 25 x 10^-3 comes out as the
// nearest long double to 0.025 rather than 25 x (an inexact 0.001).
long double Scale(long double k, int e) {
  return e >= 0 ? k * std::pow(10.0L, e) : k / std::pow(10.0L, -e);
}

// Decimal exponent of a positive finite value, robust against log10 landing
// just below an exact power of ten.
int Exponent(long double v) {
  int e = static_cast<int>(std::floor(std::log10(v)));
  const long double mantissa = Scale(v, -e);
  if (mantissa >= 10.0L) ++e;
  if (mantissa < 1.0L) --e;
  return e;
}

// A count of units rounded away from zero; a quotient that is a whole number
// up to rounding noise stays that number.
long double AwayFromZero(long double v) {
  const long double whole = std::nearbyint(v);
  if (std::fabs(v - whole) <= 1e-9L * std::max(1.0L, std::fabs(v)))
    return whole;
  return v < 0 ? std::floor(v) : std::ceil(v);
}

// Far outside any device yet well inside int, so that a point far off the
// panel still converts to a defined pixel that clipping removes.
constexpr long double kFarPixels = 1e7L;

int Pixel(int origin, long double value, long double lo, long double hi,
          int extent, int sign) {
  const long double span = hi - lo;
  long double offset = 0.0L;
  if (span != 0.0L && std::isfinite(span))
    offset = (value - lo) / span * extent;
  // No position for NaN: the panel's origin, as for an empty range.
  if (std::isnan(offset)) offset = 0.0L;
  offset = std::clamp(offset, -kFarPixels, kFarPixels);
  return origin + sign * static_cast<int>(std::llround(offset));
}

long double Value(int offset, int extent, long double lo, long double hi) {
  if (extent == 0) return lo;
  return lo + static_cast<long double>(offset) / extent * (hi - lo);
}

void ReplaceAll(std::string& s, const std::string& from, const char* to) {
  const std::string with = to;
  for (size_t at = s.find(from); at != std::string::npos;
       at = s.find(from, at + with.size())) {
    s.replace(at, from.size(), with);
  }
}

void ReplaceKind(std::string& s, char letter, const char* const words[3]) {
  const std::string second = std::string(1, letter) + "1";
  const std::string third = std::string(1, letter) + "2";
  if (s.find(third) != std::string::npos)
    ReplaceAll(s, third, words[2]);
  else if (s.find(second) != std::string::npos)
    ReplaceAll(s, second, words[1]);
  else
    ReplaceAll(s, std::string(1, letter), words[0]);
}

}  // namespace

AxisRange RoundAxisRange(AxisRange r) {
  long double lo = std::min(r.Min, r.Max), hi = std::max(r.Min, r.Max);
  // Without finite ends there is nothing to show: the range of no data.
  if (!std::isfinite(lo) || !std::isfinite(hi)) lo = hi = 0.0L;
  if (hi == lo) {
    hi += 0.01L;
    lo -= 0.01L;
  }
  const long double span = hi - lo;
  int e = Exponent(span);
  if (Scale(span, -e) < 3.0L) --e;
  return {Scale(AwayFromZero(Scale(lo, -e)), e),
          Scale(AwayFromZero(Scale(hi, -e)), e)};
}

PanelRange GroupRange(const TGraphPlot& plot, CurveGroup group) {
  PanelRange r;
  for (int i = 0; i < plot.LineCount(group); ++i) {
    for (const TFloatPoint& p : plot.Line(group, i).Points) {
      if (std::isfinite(p.X)) {
        r.X.Min = std::min(r.X.Min, p.X);
        r.X.Max = std::max(r.X.Max, p.X);
      }
      if (std::isfinite(p.Y)) {
        r.Y.Min = std::min(r.Y.Min, p.Y);
        r.Y.Max = std::max(r.Y.Max, p.Y);
      }
    }
  }
  return {RoundAxisRange(r.X), RoundAxisRange(r.Y)};
}

int TickIntervals(int extent_px, int char_height, bool three_panels) {
  const int per = (three_panels ? 4 : 6) * char_height;
  if (per <= 0) return 0;
  return std::abs(extent_px) / per;
}

long double TickSet::Value(long long k) const {
  return static_cast<long double>(k) * Minor;
}

TickSet ComputeTicks(AxisRange r, int intervals) {
  TickSet t;
  const long double lo = std::min(r.Min, r.Max), hi = std::max(r.Min, r.Max);
  const long double span = hi - lo;
  if (intervals <= 0 || !(span > 0.0L) || !std::isfinite(span)) return t;
  const long double raw = span / intervals;
  const int e = Exponent(raw);
  const int m = static_cast<int>(Scale(raw, -e));
  const int factor = m < 2 ? 1 : m <= 4 ? 2 : m <= 8 ? 5 : 10;
  t.Step = Scale(factor, e);
  t.Minor = t.Step / 5.0L;
  const long double first = lo / t.Minor, last = hi / t.Minor;
  // Indices beyond this no longer fit, nor resolve single ticks.
  if (std::fabs(first) > 1e15L || std::fabs(last) > 1e15L) return TickSet{};
  // Rounded axis ends sit on ticks; noise in the quotient must not drop them.
  const long double tol = 1e-9L;
  t.First = static_cast<long long>(std::ceil(first - tol));
  t.Last = static_cast<long long>(std::floor(last + tol));
  return t;
}

int PanelMap::ScreenX(long double x) const {
  return Pixel(rect_.Left, x, range_.X.Min, range_.X.Max, rect_.Width(), 1);
}

int PanelMap::ScreenY(long double y) const {
  if (x_on_top_)
    return Pixel(rect_.Top, y, range_.Y.Min, range_.Y.Max, rect_.Height(), 1);
  return Pixel(rect_.Bottom, y, range_.Y.Min, range_.Y.Max, rect_.Height(), -1);
}

long double PanelMap::ValueX(int sx) const {
  return Value(sx - rect_.Left, rect_.Width(), range_.X.Min, range_.X.Max);
}

long double PanelMap::ValueY(int sy) const {
  const int offset = x_on_top_ ? sy - rect_.Top : rect_.Bottom - sy;
  return Value(offset, rect_.Height(), range_.Y.Min, range_.Y.Max);
}

std::array<PixelRect, 3> SplitThreePanels(PixelRect plot, int char_height,
                                          int dpi_x) {
  // A plot too narrow for the gaps gets empty panels, not inverted ones.
  const int w = std::max(0, (plot.Width() - 4 * char_height - dpi_x / 2) / 3);
  const int gap = 2 * char_height + dpi_x / 4;
  std::array<PixelRect, 3> p;
  p[0] = {plot.Left, plot.Top, plot.Left + w, plot.Bottom};
  p[1] = {p[0].Right + gap, plot.Top, p[0].Right + gap + w, plot.Bottom};
  const int left3 = p[1].Right + gap;
  p[2] = {left3, plot.Top, std::max(plot.Right, left3), plot.Bottom};
  return p;
}

int MarkerShape(int curve_index) { return ((curve_index % 10) + 10) % 10 + 1; }

std::vector<TFloatPoint> MarkerPolygon(int curve_index, long double x,
                                       long double y, long double rx,
                                       long double ry) {
  const int s = MarkerShape(curve_index);
  std::vector<long double> degrees;
  if (s == 1) {
    degrees = {180, 300, 60};
  } else if (s == 2) {
    degrees = {45, 135, 225, 315};
  } else {
    for (int j = 0; j < s; ++j) degrees.push_back(360.0L * j / s);
  }
  std::vector<TFloatPoint> points;
  for (long double d : degrees) {
    const long double theta = d * std::numbers::pi_v<long double> / 180.0L;
    points.push_back({x + std::sin(theta) * rx, y - std::cos(theta) * ry});
  }
  return points;
}

std::string UnitWords(const std::string& code, int units) {
  static const char* const kForce[2][3] = {{"lbs", "kips", "tons"},
                                           {"kN", "kN", "kN"}};
  static const char* const kLength[2][3] = {{"in", "in", "ft"},
                                            {"m", "mm", "m"}};
  if (units >= 3) return code;
  const int u = units <= 1 ? 0 : 1;
  std::string s = code;
  ReplaceKind(s, 'F', kForce[u]);
  ReplaceKind(s, 'L', kLength[u]);
  return s;
}

std::string AxisTitle(const std::string& caption, const std::string& code,
                      int units) {
  if (code.empty()) return caption;
  return caption + " (" + UnitWords(code, units) + ")";
}

}  // namespace kestra
