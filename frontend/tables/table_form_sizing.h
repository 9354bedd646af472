// Sizing of a table editing window to whole rows and columns: the window
// size of a given view of the grid, and the snapping of a size dragged by
// the user to the best of four candidate views. Plain arithmetic, so it is
// tested without a window system.
#pragma once

#include <vector>

namespace kestra {

// Pixel sizes of one window, measured by the window.
struct GridMetrics {
  int fixed_width = 0;   // frame and row-number column
  int fixed_height = 0;  // frame and header rows
  std::vector<int> column_widths;  // of the visible data columns
  int row_height = 0;
  int row_count = 0;
  int vscroll_width = 0;
  int hscroll_height = 0;
  int chrome_width = 0;   // window width beside the grid (the margins)
  int chrome_height = 0;  // window height above and below the grid
  int min_width = 0;      // the row of buttons, the help text and picture
};

// The part of the grid shown: first column and row in view and how many.
struct GridView {
  int first_col = 0;
  int first_row = 0;
  int cols_shown = 0;
  int rows_shown = 0;

  bool operator==(const GridView&) const = default;
};

struct PixelSize {
  int width = 0;
  int height = 0;

  bool operator==(const PixelSize&) const = default;
};

int ColumnCount(const GridMetrics& m);
bool NeedsVerticalScrollBar(const GridMetrics& m, const GridView& v);
bool NeedsHorizontalScrollBar(const GridMetrics& m, const GridView& v);
PixelSize GridSize(const GridMetrics& m, const GridView& v);
PixelSize WindowSize(const GridMetrics& m, const GridView& v);

// Which edges the user drags: left or right (width), top or bottom
// (height), or a corner (both).
struct DraggedEdges {
  bool width = true;
  bool height = true;
};

// The view whose window best fits `dragged`: the candidate that overflows
// it least, ties going to all rows and columns, then all columns, then all
// rows, then both scroll bars.
GridView SnapView(const GridMetrics& m, const GridView& current,
                  PixelSize dragged, DraggedEdges edges);

}  // namespace kestra
