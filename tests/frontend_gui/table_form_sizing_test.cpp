#include "table_form_sizing.h"

#include <gtest/gtest.h>

namespace kestra {
namespace {

// Five columns of 100 px, 30 rows of 20 px, 10 px scroll bars; the grid
// needs 50 + 500 by 40 + 20 per row, the window 20 more each way.
GridMetrics Metrics(int rows = 30) {
  GridMetrics m;
  m.fixed_width = 50;
  m.fixed_height = 40;
  m.column_widths = {100, 100, 100, 100, 100};
  m.row_height = 20;
  m.row_count = rows;
  m.vscroll_width = 10;
  m.hscroll_height = 10;
  m.chrome_width = 20;
  m.chrome_height = 20;
  m.min_width = 300;
  return m;
}

TEST(TableFormSizing, WindowSizeAddsScrollBarsForHiddenRowsAndColumns) {
  const GridMetrics m = Metrics();
  EXPECT_EQ(WindowSize(m, {0, 0, 5, 30}), (PixelSize{570, 660}));
  EXPECT_EQ(WindowSize(m, {0, 0, 5, 10}), (PixelSize{580, 260}));
  // Two columns are narrower than the row of buttons.
  EXPECT_EQ(WindowSize(m, {1, 0, 2, 30}), (PixelSize{300, 670}));
}

struct SnapCase {
  const char* name;
  GridView current;
  PixelSize dragged;
  DraggedEdges edges;
  GridView expected;
};

TEST(TableFormSizing, SnapsToTheCandidateThatOverflowsLeast) {
  const GridMetrics m = Metrics();
  const SnapCase cases[] = {
      {"room for everything", {0, 0, 5, 10}, {2000, 2000}, {}, {0, 0, 5, 30}},
      {"shorter: all columns, some rows", {0, 0, 5, 10}, {580, 400}, {},
       {0, 0, 5, 17}},
      {"narrower: all rows, some columns", {0, 0, 5, 30}, {400, 700}, {},
       {0, 0, 3, 30}},
      {"narrower and shorter: both bars", {0, 0, 5, 10}, {400, 300}, {},
       {0, 0, 3, 11}},
      {"columns taken left of the first in view", {4, 0, 1, 10},
       {400, 300}, {}, {2, 0, 3, 11}},
      {"bottom edge only keeps the columns", {1, 0, 2, 10}, {320, 300},
       {false, true}, {1, 0, 2, 11}},
      {"right edge only keeps the rows", {0, 5, 5, 10}, {400, 270},
       {true, false}, {0, 5, 3, 10}},
      {"first row moves up when too few remain", {0, 25, 5, 5}, {580, 400},
       {}, {0, 13, 5, 17}},
      {"never narrower than the buttons", {0, 0, 5, 30}, {50, 700}, {},
       {0, 0, 3, 30}},
  };
  for (const SnapCase& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(SnapView(m, c.current, c.dragged, c.edges), c.expected);
  }
}

}  // namespace
}  // namespace kestra
