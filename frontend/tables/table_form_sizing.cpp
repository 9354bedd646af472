#include "table_form_sizing.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace kestra {

int ColumnCount(const GridMetrics& m) {
  return static_cast<int>(m.column_widths.size());
}

bool NeedsVerticalScrollBar(const GridMetrics& m, const GridView& v) {
  return v.rows_shown < m.row_count;
}

bool NeedsHorizontalScrollBar(const GridMetrics& m, const GridView& v) {
  return v.cols_shown < ColumnCount(m);
}

PixelSize GridSize(const GridMetrics& m, const GridView& v) {
  int width = m.fixed_width;
  const int last = std::min(v.first_col + v.cols_shown, ColumnCount(m));
  for (int c = std::max(v.first_col, 0); c < last; ++c) {
    width += m.column_widths[static_cast<size_t>(c)];
  }
  if (NeedsVerticalScrollBar(m, v)) width += m.vscroll_width;
  int height = m.fixed_height + m.row_height * v.rows_shown;
  if (NeedsHorizontalScrollBar(m, v)) height += m.hscroll_height;
  return {width, height};
}

PixelSize WindowSize(const GridMetrics& m, const GridView& v) {
  const PixelSize grid = GridSize(m, v);
  return {std::max(grid.width + m.chrome_width, m.min_width),
          grid.height + m.chrome_height};
}

namespace {

// Columns from the first in view to the right, then to the left, while the
// window is narrower than its minimum or the next column still fits.
void TakeColumns(const GridMetrics& m, GridView& v, int dragged_width) {
  const int count = ColumnCount(m);
  int first = std::clamp(v.first_col, 0, std::max(count - 1, 0));
  int shown = 0;
  auto width_with = [&](int extra) {
    GridView trial = v;
    trial.first_col = first;
    trial.cols_shown = shown;
    return GridSize(m, trial).width + m.chrome_width + extra;
  };
  while (shown < count) {
    const bool right = first + shown < count;
    const int next = right ? first + shown : first - 1;
    const int w = m.column_widths[static_cast<size_t>(next)];
    const bool narrow = width_with(0) < m.min_width;
    if (shown > 0 && !narrow && width_with(w) > dragged_width) break;
    if (!right) --first;
    ++shown;
  }
  v.first_col = first;
  v.cols_shown = shown;
}

// One row, then as many more as fit in the dragged height.
void TakeRows(const GridMetrics& m, GridView& v, int dragged_height,
              bool horizontal_bar) {
  const int room = dragged_height - m.chrome_height - m.fixed_height -
                   (horizontal_bar ? m.hscroll_height : 0);
  int rows = m.row_height > 0 ? room / m.row_height : 1;
  rows = std::clamp(rows, 1, std::max(m.row_count, 1));
  v.rows_shown = std::min(rows, m.row_count);
  v.first_row = std::clamp(v.first_row, 0, m.row_count - v.rows_shown);
}

std::int64_t Overflow(PixelSize window, PixelSize dragged) {
  const std::int64_t w = window.width, h = window.height;
  const std::int64_t dw = dragged.width, dh = dragged.height;
  const bool too_wide = w > dw;
  const bool too_high = h > dh;
  if (!too_wide && !too_high) return 0;
  if (too_wide && !too_high) return (w - dw) * dh;
  if (!too_wide) return dw * (h - dh);
  return w * h - dw * dh;
}

}  // namespace

GridView SnapView(const GridMetrics& m, const GridView& current,
                  PixelSize dragged, DraggedEdges edges) {
  const int cols = ColumnCount(m);
  GridView all{0, 0, cols, m.row_count};

  // Candidates 1 and 3 share their columns' rule, 2 and 3 their rows'.
  // Rows are taken first: the columns that fit depend on the vertical bar.
  GridView some_cols = all;  // all rows, horizontal scroll bar
  GridView some_rows = all;  // all columns, vertical scroll bar
  GridView both = all;       // both scroll bars
  some_rows.first_row = both.first_row = current.first_row;
  if (edges.height) {
    TakeRows(m, some_rows, dragged.height, false);
    TakeRows(m, both, dragged.height, true);
  } else {
    some_rows.rows_shown = both.rows_shown =
        std::min(current.rows_shown, m.row_count);
    some_rows.first_row = both.first_row = std::clamp(
        current.first_row, 0, m.row_count - some_rows.rows_shown);
  }
  some_cols.first_col = both.first_col = current.first_col;
  if (edges.width) {
    TakeColumns(m, some_cols, dragged.width);
    TakeColumns(m, both, dragged.width);
  } else {
    some_cols.cols_shown = both.cols_shown = std::min(current.cols_shown, cols);
    some_cols.first_col = both.first_col =
        std::clamp(current.first_col, 0, cols - some_cols.cols_shown);
  }

  // In the order that wins ties.
  const std::array<GridView, 4> candidates{all, some_rows, some_cols, both};
  GridView best = all;
  std::int64_t best_score = -1;
  for (const GridView& candidate : candidates) {
    const std::int64_t score = Overflow(WindowSize(m, candidate), dragged);
    if (best_score < 0 || score < best_score) {
      best = candidate;
      best_score = score;
    }
  }
  return best;
}

}  // namespace kestra
