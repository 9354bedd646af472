// The arithmetic of the graph window without any drawing: axis ranges, tick
// steps, the mapping between values and pixels, the three-panel split, marker
// outlines and the unit words of axis titles.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "plot_data.h"

namespace kestra {

struct AxisRange {
  long double Min = 0.0L;
  long double Max = 0.0L;
};

struct PanelRange {
  AxisRange X, Y;
};

// Device pixels; Right and Bottom are the far edges, as the mapping uses them.
struct PixelRect {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
  int Width() const { return Right - Left; }
  int Height() const { return Bottom - Top; }
  bool operator==(const PixelRect&) const = default;
};

// Widens an equal pair by 0.01 each way, then rounds both ends outward to a
// unit of the span's power of ten (a tenth of it below a mantissa of 3).
AxisRange RoundAxisRange(AxisRange r);

// Range of every curve of the group, visible, active or not, always holding
// zero, then rounded. Non-finite coordinates are skipped.
PanelRange GroupRange(const TGraphPlot& plot, CurveGroup group);

// How many tick steps an axis of `extent_px` pixels holds for character
// height `char_height`; 0 means no ticks.
int TickIntervals(int extent_px, int char_height, bool three_panels);

// A tick step of 1, 2 or 5 times a power of ten. Minor ticks are at
// k x Minor for k in [First, Last]; every fifth (k divisible by 5) is major.
struct TickSet {
  long double Step = 0.0L;
  long double Minor = 0.0L;
  long long First = 0;
  long long Last = -1;
  bool Empty() const { return First > Last; }
  long double Value(long long k) const;
  static bool IsMajor(long long k) { return k % 5 == 0; }
};

// Ticks for a range divided into about `intervals` steps; empty when there
// are no intervals or the range is empty or not finite.
TickSet ComputeTicks(AxisRange r, int intervals);

// Maps values of one panel to its pixel rectangle and back. With x_on_top
// the vertical values grow downward, as depth does.
class PanelMap {
 public:
  PanelMap(PixelRect rect, PanelRange range, bool x_on_top)
      : rect_(rect), range_(range), x_on_top_(x_on_top) {}

  int ScreenX(long double x) const;
  int ScreenY(long double y) const;
  long double ValueX(int sx) const;
  long double ValueY(int sy) const;

 private:
  PixelRect rect_;
  PanelRange range_;
  bool x_on_top_;
};

// The three side-by-side panels of the plot rectangle: equal widths with a
// gap of 2H + dpiX/4, the last panel ending at the plot's right edge.
std::array<PixelRect, 3> SplitThreePanels(PixelRect plot, int char_height,
                                          int dpi_x);

// 1..10: the marker shape of the curve with this 0-based index.
int MarkerShape(int curve_index);

// Outline vertices of the curve's marker centred on (x, y) in screen
// coordinates (y downward), radii rx and ry.
std::vector<TFloatPoint> MarkerPolygon(int curve_index, long double x,
                                       long double y, long double rx,
                                       long double ry);

// The unit words of a unit code ("F/L" -> "lbs/in" in English units).
std::string UnitWords(const std::string& code, int units);

// The title followed by " (" unit words ")" when the code is not empty.
std::string AxisTitle(const std::string& caption, const std::string& code,
                      int units);

}  // namespace kestra
