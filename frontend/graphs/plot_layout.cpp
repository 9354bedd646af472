#include "plot_layout.h"

#include <algorithm>
#include <cstdlib>
#include <cmath>
#include <utility>

#include "number_text.h"

namespace kestra {
namespace {

AxisRange Ordered(AxisRange r) {
  if (r.Min > r.Max) std::swap(r.Min, r.Max);
  return r;
}

// Scaled by a fraction without overflowing int on large devices.
int Scaled(int length, int numerator, int denominator) {
  if (denominator == 0) return 0;
  return static_cast<int>(static_cast<long long>(length) * numerator /
                          denominator);
}

}  // namespace

PlotLayout LayOutPlot(const LayoutInput& in) {
  const int h = in.char_height;
  const int dx = in.dpi_x, dy = in.dpi_y;
  const PixelRect& out = in.output;
  const bool print = in.mode == LayoutMode::kPrint;

  PixelRect plot;
  plot.Left = out.Left + 2 * h + dx / 8 + h / 8;
  // On paper the plot reaches the right margin ...
  plot.Right = print ? out.Right : out.Right - dx / 4 - h / 2;
  // ... and, on the side away from the X axis, the page margin.
  if (in.x_on_top) {
    plot.Top = out.Top + 2 * h + dy / 8 + h / 8;
    plot.Bottom = print ? out.Bottom : out.Bottom - dy / 4 - h / 2;
  } else {
    plot.Top = print ? out.Top : out.Top + h / 2 + dy / 4;
    plot.Bottom = out.Bottom - 2 * h - dy / 8 - h / 8;
  }
  if (in.has_title) {
    if (in.title_on_top) {
      plot.Top += print ? dy / 4 : h / 8 + h;
    } else {
      plot.Bottom -= print ? dy / 2 : h;
    }
  }

  PlotLayout layout;
  if (in.show_layers) {
    // A saved bitmap gives the strip half an inch, the window and the page
    // one inch.
    const int cut = in.mode == LayoutMode::kBitmap ? dx / 2 : dx;
    const int old_right = plot.Right;
    plot.Right -= cut;
    layout.strip = {plot.Right + dx / 5, plot.Top, old_right, plot.Bottom};
    layout.has_strip = layout.strip.Width() > 0 && layout.strip.Height() > 0;
  }
  layout.plot = plot;
  if (in.show_three) {
    layout.panel_count = 3;
    layout.panels = SplitThreePanels(plot, h, dx);
  } else {
    layout.panel_count = 1;
    layout.panels = {plot, plot, plot};
  }
  return layout;
}

bool RoomToDraw(const PixelRect& output, int dpi_x, int dpi_y) {
  return output.Width() >= dpi_x && output.Height() >= dpi_y;
}

int PanelAt(const PlotLayout& layout, int x) {
  const int n = std::clamp(layout.panel_count, 1, 3);
  for (int i = 0; i < n; ++i) {
    if (x <= layout.panels[i].Right) {
      if (i == 0 || x >= layout.panels[i].Left) return i;
      // In the gap before panel i: the nearer neighbour.
      const int to_left = x - layout.panels[i - 1].Right;
      const int to_right = layout.panels[i].Left - x;
      return to_left <= to_right ? i - 1 : i;
    }
  }
  return n - 1;
}

PixelPoint ClampToRect(PixelPoint p, const PixelRect& r) {
  const int left = std::min(r.Left, r.Right), right = std::max(r.Left, r.Right);
  const int top = std::min(r.Top, r.Bottom), bottom = std::max(r.Top, r.Bottom);
  return {std::clamp(p.X, left, right), std::clamp(p.Y, top, bottom)};
}

// ---------------------------------------------------------------------------

Rgb PaletteColour(int k) {
  static constexpr Rgb kPalette[17] = {
      {0, 0, 0},       {0, 0, 255},     {255, 0, 0},     {0, 128, 0},
      {128, 0, 128},   {128, 0, 0},     {0, 0, 128},     {255, 0, 255},
      {128, 128, 0},   {0, 128, 128},   {128, 128, 128}, {0, 255, 0},
      {128, 128, 128}, {192, 192, 192}, {192, 192, 192}, {255, 255, 0},
      {0, 255, 255}};
  return kPalette[((k % 17) + 17) % 17];
}

void ActivateFirstCurves(TGraphPlot& plot, int limit) {
  for (int k = 0; k < plot.LineCount(CurveGroup::Lines); ++k)
    plot.Line(CurveGroup::Lines, k).Active = k < limit;
}

std::vector<int> ActiveCurves(const TGraphPlot& plot) {
  std::vector<int> active;
  for (int k = 0; k < plot.LineCount(CurveGroup::Lines); ++k) {
    if (plot.Line(CurveGroup::Lines, k).Active) active.push_back(k);
  }
  return active;
}

size_t DrawnPointCount(size_t points, int curves_in_panel, bool three_panels) {
  if (three_panels && curves_in_panel > 1 && points > 0) return points - 1;
  return points;
}

bool IsMarkerPoint(size_t index, int markers) {
  return markers > 0 && index % static_cast<size_t>(markers) == 0;
}

std::string LegendEntryText(const std::string& name, bool visible) {
  return visible ? name + " *" : name;
}

int CurvePenWidth(int dpi_x, int width_line) {
  // Rounded half to even, as the original's Round does.
  const int base = static_cast<int>(std::nearbyint(dpi_x / 300.0));
  return (base + 1) * std::max(width_line, 1);
}

// ---------------------------------------------------------------------------

int LegendHeight(int entries, int item_height) {
  return std::max(entries, 0) * item_height + 3;
}

int GrowLegendWidth(int width, int widest_text, int spare) {
  return std::max(width, 4 + widest_text + spare);
}

PixelPoint ClampLegend(PixelPoint pos, int width, int height, int client_width,
                       int client_height) {
  if (pos.X + width > client_width) pos.X = client_width - width;
  if (pos.Y + height > client_height) pos.Y = client_height - height;
  pos.X = std::max(pos.X, 0);
  pos.Y = std::max(pos.Y, 0);
  return pos;
}

PixelPoint LegendAtPlotCorner(const PixelRect& plot, int width, int height,
                              int client_width, int client_height) {
  return ClampLegend({plot.Right - width, plot.Bottom - height}, width, height,
                     client_width, client_height);
}

PrintedLegend PrintedLegendBox(const PixelRect& output, int window_width,
                               int window_height, PixelPoint legend_pos,
                               int widest_text, int text_height, int entries,
                               int dpi_x, int dpi_y) {
  PrintedLegend legend;
  const int left =
      output.Left + (window_width > 0
                         ? Scaled(output.Width(), legend_pos.X, window_width)
                         : 0);
  const int top =
      output.Top + (window_height > 0
                        ? Scaled(output.Height(), legend_pos.Y, window_height)
                        : 0);
  const int gap = dpi_y / 32;
  const int n = std::max(entries, 0);
  legend.box = {left, top, left + widest_text + dpi_x * 3 / 16,
                top + n * (text_height + gap) + gap};
  legend.marker_x = left + dpi_x / 16;
  legend.text_x = legend.marker_x + dpi_x / 16;
  for (int k = 0; k < n; ++k) {
    const int line = top + gap + k * (text_height + gap);
    legend.line_top.push_back(line);
    legend.line_middle.push_back(line + text_height / 2);
  }
  return legend;
}

// ---------------------------------------------------------------------------

AxisRange ZoomBandAxis(AxisRange band, AxisRange full) {
  band = Ordered(band);
  full = Ordered(full);
  const long double full_width = full.Max - full.Min;
  if (full_width > 20.0L * (band.Max - band.Min)) {
    const long double width = full_width / 20.0L;
    const long double centre = (band.Min + band.Max) / 2.0L;
    band.Min = centre - width / 2.0L;
    band.Max = band.Min + width;
    if (band.Min < full.Min) {
      band.Min = full.Min;
      band.Max = full.Min + width;
    }
    if (band.Max > full.Max) {
      band.Max = full.Max;
      band.Min = full.Max - width;
    }
  }
  return band;
}

std::optional<PanelRange> RubberBandZoom(const PanelMap& map,
                                         const PixelRect& plot,
                                         PixelPoint anchor, PixelPoint corner,
                                         const PanelRange& full) {
  if (anchor.X == corner.X || anchor.Y == corner.Y) return std::nullopt;
  const PixelPoint a = ClampToRect(anchor, plot);
  const PixelPoint c = ClampToRect(corner, plot);
  if (a.X == c.X || a.Y == c.Y) return std::nullopt;
  PanelRange band;
  band.X = Ordered({map.ValueX(a.X), map.ValueX(c.X)});
  band.Y = Ordered({map.ValueY(a.Y), map.ValueY(c.Y)});
  return PanelRange{ZoomBandAxis(band.X, full.X), ZoomBandAxis(band.Y, full.Y)};
}

AxisRange ZoomOutAxis(AxisRange current, AxisRange full, long double value) {
  current = Ordered(current);
  full = Ordered(full);
  const long double half =
      std::min(current.Max - current.Min, (full.Max - full.Min) / 2.0L);
  if (!std::isfinite(value)) value = (current.Min + current.Max) / 2.0L;
  value = std::clamp(value, full.Min + half, full.Max - half);
  return {value - half, value + half};
}

PanelRange ZoomOut(const PanelRange& current, const PanelRange& full,
                   long double x, long double y) {
  return {ZoomOutAxis(current.X, full.X, x), ZoomOutAxis(current.Y, full.Y, y)};
}

// ---------------------------------------------------------------------------

namespace {

// The ticks whose pixel, by `to_pixel`, lies within [low, high].
template <typename ToPixel>
std::vector<TickMark> TickMarksWithin(const TickSet& ticks, int low, int high,
                                      ToPixel to_pixel) {
  std::vector<TickMark> marks;
  for (long long k = ticks.First; k <= ticks.Last; ++k) {
    const long double v = ticks.Value(k);
    const int px = to_pixel(v);
    if (px >= low && px <= high) marks.push_back({px, k, v, TickSet::IsMajor(k)});
  }
  return marks;
}

}  // namespace

std::vector<TickMark> TickMarksX(const PanelMap& map, const PixelRect& panel,
                                 const TickSet& ticks) {
  return TickMarksWithin(ticks, panel.Left, panel.Right,
                         [&](long double v) { return map.ScreenX(v); });
}

std::vector<TickMark> TickMarksY(const PanelMap& map, const PixelRect& panel,
                                 const TickSet& ticks) {
  return TickMarksWithin(ticks, panel.Top, panel.Bottom,
                         [&](long double v) { return map.ScreenY(v); });
}

// ---------------------------------------------------------------------------

std::vector<StripRegion> LayerStripRegions(const TGraphPlot& plot,
                                           const PixelRect& strip,
                                           const PanelMap& map) {
  std::vector<StripRegion> regions;
  const int count = plot.LineCount(CurveGroup::LayerLines);
  const int layers = std::clamp(plot.WallLineCount, 0, count);
  const auto depth = [&](int i) -> long double {
    const TLine& line = plot.Line(CurveGroup::LayerLines, i);
    return line.Points.empty() ? 0.0L : line.Points.front().Y;
  };
  const auto code = [&](int i) -> int {
    const TLine& line = plot.Line(CurveGroup::LayerLines, i);
    if (line.Points.empty() || !std::isfinite(line.Points.front().X)) return 0;
    return static_cast<int>(std::lround(line.Points.front().X));
  };
  // Top and bottom pixels of a depth interval, limited to the plot bottom.
  const auto add = [&](int left, int right, long double from, long double to,
                       int fill, bool wall, std::string name) {
    int top = map.ScreenY(from), bottom = map.ScreenY(to);
    if (top > bottom) std::swap(top, bottom);
    bottom = std::min(bottom, strip.Bottom);
    if (top >= bottom || left >= right) return;
    regions.push_back({{left, top, right, bottom}, fill, wall, std::move(name)});
  };

  if (!plot.ShowWall) {
    long double previous = 0.0L;
    for (int i = 0; i < layers; ++i) {
      add(strip.Left, strip.Right, previous, depth(i), code(i), false,
          plot.Line(CurveGroup::LayerLines, i).Name);
      previous = depth(i);
    }
    return regions;
  }

  const int w = strip.Width();
  const int wall_left = strip.Left + w * 2 / 5;
  const int wall_right = strip.Left + w * 3 / 5;
  // Without an excavation entry every layer lies below the excavation.
  const long double excavation = count > layers + 1 ? depth(layers + 1) : 0.0L;
  long double previous = 0.0L;
  for (int i = 0; i < layers; ++i) {
    const long double top = previous, bottom = depth(i);
    previous = bottom;
    if (bottom <= excavation) {
      add(strip.Left, wall_left, top, bottom, code(i), false, {});
    } else if (top >= excavation) {
      add(strip.Left, strip.Right, top, bottom, code(i), false, {});
    } else {
      add(strip.Left, wall_left, top, bottom, code(i), false, {});
      add(wall_right, strip.Right, excavation, bottom, code(i), false, {});
    }
  }
  if (count > layers) {
    const int bottom = std::min(map.ScreenY(depth(layers)), strip.Bottom);
    if (bottom > strip.Top)
      regions.push_back({{wall_left, strip.Top, wall_right, bottom}, 0, true, {}});
  }
  return regions;
}

// ---------------------------------------------------------------------------

std::string TickLabel(long double value) { return FormatGeneral(value, 4); }

std::string CaptionReadout(const std::string& caption, long double x,
                           long double y) {
  return caption + " X: " + FormatGeneral(x, 5) + " Y: " + FormatGeneral(y, 5);
}

bool LabelledAtStride(const TickMark& mark, int stride) {
  if (!mark.Major || stride < 1) return false;
  return (mark.K / 5) % stride == 0;
}

int LabelStride(const std::vector<TickMark>& marks, const std::vector<int>& widths,
                int gap) {
  const int majors = static_cast<int>(std::count_if(
      marks.begin(), marks.end(), [](const TickMark& m) { return m.Major; }));
  for (int stride = 1; stride < majors; ++stride) {
    bool clear = true;
    int last = -1;
    for (int i = 0; i < static_cast<int>(marks.size()) && clear; ++i) {
      if (!LabelledAtStride(marks[i], stride)) continue;
      if (last >= 0) {
        const long long apart = std::llabs(static_cast<long long>(marks[i].Pixel) -
                                           marks[last].Pixel);
        clear = 2 * apart >= static_cast<long long>(widths[i]) + widths[last] + 2LL * gap;
      }
      last = i;
    }
    if (clear) return stride;
  }
  return std::max(majors, 1);
}

}  // namespace kestra
