// The graph window's layout and interaction arithmetic without any drawing:
// where the plot, its panels and the soil-layer strip go on a window, a page
// or a bitmap; the legend's place and size; rubber-band zoom and zoom-out;
// the fill regions of the layer strip; which curves take part; and the texts
// of tick labels and of the caption read-out, written the same whatever the
// locale.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "plot_data.h"
#include "plot_geometry.h"

namespace kestra {

struct PixelPoint {
  int X = 0, Y = 0;
  bool operator==(const PixelPoint&) const = default;
};

// What the layout is for: the window (and, with a half-inch layer strip, a
// saved bitmap) or a printed page.
enum class LayoutMode { kWindow, kPrint, kBitmap };

struct LayoutInput {
  PixelRect output;  // client area, page less margins, or bitmap
  int dpi_x = 96, dpi_y = 96;
  int char_height = 16;  // H: the window font scaled by SizeFont/10
  bool x_on_top = true;
  bool has_title = false;  // a graph title that is not empty
  bool title_on_top = false;
  bool show_layers = false;
  bool show_three = false;
  LayoutMode mode = LayoutMode::kWindow;
};

struct PlotLayout {
  PixelRect plot;
  int panel_count = 1;  // 1, or 3 side by side
  std::array<PixelRect, 3> panels{};
  bool has_strip = false;
  PixelRect strip;
};

PlotLayout LayOutPlot(const LayoutInput& in);

// Whether an output rectangle is big enough to draw more than its white
// background: at least one inch each way.
bool RoomToDraw(const PixelRect& output, int dpi_x, int dpi_y);

// The panel (0-based) that a horizontal position belongs to: the one that
// holds it, or in a gap the nearer one.
int PanelAt(const PlotLayout& layout, int x);

PixelPoint ClampToRect(PixelPoint p, const PixelRect& r);

// ---------------------------------------------------------------------------
// Curves in the window

// The palette of 17 as (red, green, blue); k counts active curves.
struct Rgb {
  int R = 0, G = 0, B = 0;
  bool operator==(const Rgb&) const = default;
};
Rgb PaletteColour(int k);

// Curves 1..20 of Lines active, any further ones inactive (the window's
// opening rule).
void ActivateFirstCurves(TGraphPlot& plot, int limit = 20);

// Indices of the active curves of Lines, in order.
std::vector<int> ActiveCurves(const TGraphPlot& plot);

// How many points of a curve the polyline goes through: in three-panel mode
// a panel with more than one curve leaves the last point out.
size_t DrawnPointCount(size_t points, int curves_in_panel, bool three_panels);

// Markers at point 0 and every `markers`-th point; none for 0.
bool IsMarkerPoint(size_t index, int markers);

// A legend entry: the curve name, with " *" while the curve is visible.
std::string LegendEntryText(const std::string& name, bool visible);

// Curve pen width in device pixels.
int CurvePenWidth(int dpi_x, int width_line);

// ---------------------------------------------------------------------------
// Legend

// Entries x item height + 3 pixels.
int LegendHeight(int entries, int item_height);

// The width grown, never shrunk, until text of `widest_text` pixels after
// the 4-pixel indent fits with `spare` pixels to spare.
int GrowLegendWidth(int width, int widest_text, int spare);

// Moved left or up while it sticks out of the client area, never to negative
// coordinates.
PixelPoint ClampLegend(PixelPoint pos, int width, int height, int client_width,
                       int client_height);

// At the plot's lower right corner, then kept inside the client area.
PixelPoint LegendAtPlotCorner(const PixelRect& plot, int width, int height,
                              int client_width, int client_height);

// The legend box drawn into a page or bitmap.
struct PrintedLegend {
  PixelRect box;
  int marker_x = 0;                // marker centres
  int text_x = 0;                  // left of the names
  std::vector<int> line_top;       // top of each entry's text
  std::vector<int> line_middle;    // marker centre of each entry
};

// At the screen legend's place scaled from the window to the output;
// `widest_text` is the widest visible name, `text_height` the legend font's
// height, both in output pixels.
PrintedLegend PrintedLegendBox(const PixelRect& output, int window_width,
                               int window_height, PixelPoint legend_pos,
                               int widest_text, int text_height, int entries,
                               int dpi_x, int dpi_y);

// ---------------------------------------------------------------------------
// Zoom

// A band narrower than full/20 becomes full/20 centred on it, shifted back
// inside the full range; ends ordered.
AxisRange ZoomBandAxis(AxisRange band, AxisRange full);

// The range a rubber band from `anchor` to `corner` selects, clipped to the
// plot; none when it has no width or height.
std::optional<PanelRange> RubberBandZoom(const PanelMap& map,
                                         const PixelRect& plot,
                                         PixelPoint anchor, PixelPoint corner,
                                         const PanelRange& full);

// Zoom out about `value`: half-width min(current width, full width / 2),
// the value kept that far inside the full range.
AxisRange ZoomOutAxis(AxisRange current, AxisRange full, long double value);
PanelRange ZoomOut(const PanelRange& current, const PanelRange& full,
                   long double x, long double y);

// ---------------------------------------------------------------------------
// Ticks

struct TickMark {
  int Pixel = 0;
  long long K = 0;
  long double Value = 0.0L;
  bool Major = false;
};

// Every how many major ticks a label is drawn so that no two labels touch:
// the smallest s for which the labels of the major ticks with K/5 divisible
// by s (zero always among them) keep `gap` pixels apart. `widths` holds the
// label width of each mark (ignored for minor ones).
int LabelStride(const std::vector<TickMark>& marks, const std::vector<int>& widths,
                int gap);
bool LabelledAtStride(const TickMark& mark, int stride);

// The ticks of one axis of a panel whose positions fall inside the panel.
std::vector<TickMark> TickMarksX(const PanelMap& map, const PixelRect& panel,
                                 const TickSet& ticks);
std::vector<TickMark> TickMarksY(const PanelMap& map, const PixelRect& panel,
                                 const TickSet& ticks);

// ---------------------------------------------------------------------------
// Soil-layer strip

// Pattern codes of the layer entries.
enum : int { kClayCode = 1, kSandCode = 7, kSiltCode = 8, kStrongRockCode = 9,
             kWeakRockCode = 10 };

struct StripRegion {
  PixelRect rect;
  int code = 0;        // fill by pattern code; other codes: outline only
  bool wall = false;   // the solid gray wall bar
  std::string name;    // centred on the region when not empty
};

// The regions of the strip in drawing order (the wall last). Rectangles are
// limited to the plot bottom, not to the strip top: the painter clips.
std::vector<StripRegion> LayerStripRegions(const TGraphPlot& plot,
                                           const PixelRect& strip,
                                           const PanelMap& map);

// ---------------------------------------------------------------------------
// Texts

// Tick labels: general format with 4 significant digits, "." always.
std::string TickLabel(long double value);

// The window caption while the mouse is over the plot: " X: " and " Y: "
// with 5 significant digits.
std::string CaptionReadout(const std::string& caption, long double x,
                           long double y);

}  // namespace kestra
