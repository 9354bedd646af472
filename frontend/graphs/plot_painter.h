// Draws a result graph: titles, ticks and grid, curves with markers, the
// legend box of a page or bitmap, the soil-layer strip and the panel frames.
// One routine for the window, the printer and a saved bitmap; only the
// output rectangle, the device resolution and the mode differ.
#pragma once

#include <QFont>
#include <array>
#include <vector>

#include "plot_data.h"
#include "plot_geometry.h"
#include "plot_layout.h"

class QPainter;

namespace kestra {

class TLayerPatterns;

// Where the graph goes.
struct PlotTarget {
  PixelRect output;
  int dpi_x = 96, dpi_y = 96;
  LayoutMode mode = LayoutMode::kWindow;  // kPrint: printing; kBitmap: saving
};

// What the window contributes: its zoom, its legend and the patterns.
struct PlotView {
  const TGraphPlot* plot = nullptr;
  std::array<PanelRange, 3> range{};  // current range of each panel
  std::vector<int> legend_curves;     // curves of the legend, in order
  bool legend_shown = false;          // the screen legend is visible
  PixelPoint legend_pos;              // its place in the window
  int window_width = 0, window_height = 0;
  const TLayerPatterns* patterns = nullptr;
};

// The window font ("Times New Roman", 14 pixels at 96 dpi) for a device of
// `dpi_y`, scaled by `size_font` tenths; bold for titles.
QFont PlotFont(int dpi_y, int size_font, bool bold);

// The legend's font: `points` at the device's resolution.
QFont LegendFont(int dpi_y, double points);

// H: the height of the window font scaled by SizeFont.
int CharHeight(int dpi_y, int size_font);

// The layout of the graph on a target.
PlotLayout PlotLayoutFor(const TGraphPlot& plot, const PlotTarget& target);

void PaintPlot(QPainter& painter, const PlotTarget& target,
               const PlotView& view);

}  // namespace kestra
