#include "plot_layout.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace kestra {
namespace {

double D(long double v) { return static_cast<double>(v); }

std::string Str(const PixelRect& r) {
  return "{" + std::to_string(r.Left) + ", " + std::to_string(r.Top) + ", " +
         std::to_string(r.Right) + ", " + std::to_string(r.Bottom) + "}";
}

TEST(PlotLayout, PlotAndStripRectangles) {
  // A 1000 x 800 client area at 96 dpi with H = 16: the window margins are
  // left 2H + 12 + 2 = 46, right 24 + 8 = 32, X axis side 46, far side 32.
  struct Row {
    const char* name;
    LayoutMode mode;
    bool on_top, title, title_top, layers;
    PixelRect output, plot, strip;
  };
  const PixelRect client{0, 0, 1000, 800};
  const PixelRect page{100, 50, 1100, 850};
  const LayoutMode W = LayoutMode::kWindow, P = LayoutMode::kPrint,
                   B = LayoutMode::kBitmap;
  // clang-format off
  const Row rows[] = {
      {"X on top",            W, true,  false, false, false, client, {46, 46, 968, 768}, {}},
      {"X at bottom",         W, false, false, false, false, client, {46, 32, 968, 754}, {}},
      {"title on top",        W, true,  true,  true,  false, client, {46, 64, 968, 768}, {}},
      {"title at bottom",     W, true,  true,  false, false, client, {46, 46, 968, 752}, {}},
      {"layer strip",         W, true,  false, false, true,  client, {46, 46, 872, 768}, {891, 46, 968, 768}},
      {"bitmap: half inch",   B, true,  false, false, true,  client, {46, 46, 920, 768}, {939, 46, 968, 768}},
      {"print to margins",    P, true,  false, false, false, page,   {146, 96, 1100, 850}, {}},
      {"print X at bottom",   P, false, false, false, false, page,   {146, 50, 1100, 804}, {}},
      {"print title top",     P, true,  true,  true,  false, page,   {146, 120, 1100, 850}, {}},
      {"print title bottom",  P, false, true,  false, false, page,   {146, 50, 1100, 756}, {}},
      {"print layer strip",   P, true,  false, false, true,  page,   {146, 96, 1004, 850}, {1023, 96, 1100, 850}},
  };
  // clang-format on
  for (const Row& r : rows) {
    LayoutInput in;
    in.output = r.output;
    in.char_height = 16;
    in.x_on_top = r.on_top;
    in.has_title = r.title;
    in.title_on_top = r.title_top;
    in.show_layers = r.layers;
    in.mode = r.mode;
    const PlotLayout got = LayOutPlot(in);
    EXPECT_EQ(got.plot, r.plot) << r.name << ": " << Str(got.plot);
    EXPECT_EQ(got.has_strip, r.layers) << r.name;
    if (r.layers) {
      EXPECT_EQ(got.strip, r.strip) << r.name << ": " << Str(got.strip);
    }
    EXPECT_EQ(got.panel_count, 1) << r.name;
    EXPECT_EQ(got.panels[0], got.plot) << r.name;
  }
}

TEST(PlotLayout, ThreePanelsShareThePlot) {
  LayoutInput in;
  in.output = {0, 0, 1200, 800};
  in.char_height = 16;
  in.show_three = true;
  in.show_layers = true;
  const PlotLayout got = LayOutPlot(in);
  ASSERT_EQ(got.panel_count, 3);
  EXPECT_EQ(got.panels, SplitThreePanels(got.plot, 16, 96));
  EXPECT_EQ(got.panels[2].Right, got.plot.Right);
  EXPECT_LT(got.plot.Right, got.strip.Left);
  // The mouse read-out takes the panel under it, or the nearer in a gap.
  const int gap_middle = (got.panels[0].Right + got.panels[1].Left) / 2;
  // clang-format off
  const struct { int x, panel; } rows[] = {
      {got.panels[0].Left,      0}, {got.panels[0].Right,     0},
      {gap_middle - 1,          0}, {gap_middle + 2,          1},
      {got.panels[1].Left,      1}, {got.panels[2].Left - 1,  2},
      {got.panels[2].Right + 50, 2}, {-10,                    0},
  };
  // clang-format on
  for (const auto& r : rows) EXPECT_EQ(PanelAt(got, r.x), r.panel) << r.x;
}

TEST(PlotLayout, TooSmallToDraw) {
  // clang-format off
  const struct { PixelRect out; int dpi_x, dpi_y; bool room; } rows[] = {
      {{0, 0, 96, 96},   96, 96,  true},
      {{0, 0, 95, 500},  96, 96,  false},
      {{0, 0, 500, 95},  96, 96,  false},
      {{0, 0, 500, 500}, 600, 96, false},
      {{0, 0, 0, 0},     96, 96,  false},
  };
  // clang-format on
  for (const auto& r : rows)
    EXPECT_EQ(RoomToDraw(r.out, r.dpi_x, r.dpi_y), r.room) << Str(r.out);
}

TEST(PlotLayout, CurvesTakingPart) {
  TGraphPlot plot("Moment vs Depth", "Load #");
  plot.SetLineCount(CurveGroup::Lines, 21);
  for (int k = 0; k < 21; ++k) plot.Line(CurveGroup::Lines, k).Active = false;
  ActivateFirstCurves(plot);
  const std::vector<int> active = ActiveCurves(plot);
  ASSERT_EQ(active.size(), 20u);
  EXPECT_EQ(active.front(), 0);
  EXPECT_EQ(active.back(), 19);
  EXPECT_FALSE(plot.Line(CurveGroup::Lines, 20).Active);

  plot.Line(CurveGroup::Lines, 3).Active = false;
  EXPECT_EQ(ActiveCurves(plot)[3], 4);

  EXPECT_EQ(PaletteColour(0), (Rgb{0, 0, 0}));
  EXPECT_EQ(PaletteColour(3), (Rgb{0, 128, 0}));
  EXPECT_EQ(PaletteColour(16), (Rgb{0, 255, 255}));
  EXPECT_EQ(PaletteColour(17), PaletteColour(0));
  EXPECT_EQ(PaletteColour(19), (Rgb{255, 0, 0}));
}

TEST(PlotLayout, PointsDrawnAndMarked) {
  // clang-format off
  const struct { size_t points; int curves; bool three; size_t drawn; } drawn[] = {
      {50, 2, true,  49},  // two stages: each curve without its last point
      {50, 1, true,  50},
      {50, 2, false, 50},
      { 0, 3, true,   0},
  };
  const struct { size_t index; int markers; bool marked; } marks[] = {
      {0, 1, true}, {7, 1, true}, {0, 5, true}, {10, 5, true}, {11, 5, false},
      {0, 0, false}, {3, 0, false}, {9, 10, false},
  };
  const struct { int dpi, width_line, pen; } pens[] = {
      {96, 1, 1}, {96, 4, 4}, {150, 1, 1}, {300, 1, 2}, {450, 1, 3},
      {600, 2, 6}, {1200, 1, 5},
  };
  // clang-format on
  for (const auto& r : drawn)
    EXPECT_EQ(DrawnPointCount(r.points, r.curves, r.three), r.drawn)
        << r.points << " points, " << r.curves << " curves";
  for (const auto& r : marks)
    EXPECT_EQ(IsMarkerPoint(r.index, r.markers), r.marked)
        << r.index << " every " << r.markers;
  for (const auto& r : pens)
    EXPECT_EQ(CurvePenWidth(r.dpi, r.width_line), r.pen) << r.dpi << " dpi";
  EXPECT_EQ(LegendEntryText("Stage: 1", true), "Stage: 1 *");
  EXPECT_EQ(LegendEntryText("Stage: 1", false), "Stage: 1");
}

TEST(PlotLayout, LegendPlacement) {
  struct Row {
    const char* name;
    PixelPoint pos;
    int w, h, client_w, client_h;
    PixelPoint want;
  };
  // clang-format off
  const Row rows[] = {
      {"inside stays",      {100, 100}, 80, 60, 500, 400, {100, 100}},
      {"sticks out right",  {450, 100}, 80, 60, 500, 400, {420, 100}},
      {"sticks out below",  {100, 380}, 80, 60, 500, 400, {100, 340}},
      {"both",              {490, 390}, 80, 60, 500, 400, {420, 340}},
      {"negative",          {-20, -5},  80, 60, 500, 400, {0, 0}},
      {"wider than client", {10, 10},  600, 60, 500, 400, {0, 10}},
  };
  // clang-format on
  for (const Row& r : rows)
    EXPECT_EQ(ClampLegend(r.pos, r.w, r.h, r.client_w, r.client_h), r.want) << r.name;

  EXPECT_EQ(LegendAtPlotCorner({46, 46, 968, 768}, 120, 50, 1000, 800),
            (PixelPoint{848, 718}));
  EXPECT_EQ(LegendAtPlotCorner({46, 46, 968, 768}, 1200, 50, 1000, 800),
            (PixelPoint{0, 718}));
  EXPECT_EQ(LegendHeight(20, 16), 323);
  EXPECT_EQ(LegendHeight(0, 16), 3);
  // Grows to the text, never shrinks.
  EXPECT_EQ(GrowLegendWidth(21, 100, 24), 128);
  EXPECT_EQ(GrowLegendWidth(200, 100, 24), 200);
}

TEST(PlotLayout, PrintedLegendBox) {
  // The screen legend at (250, 100) of a 500 x 400 window lands at the same
  // fraction of a 1000 x 800 output starting at (100, 100).
  const PrintedLegend got =
      PrintedLegendBox({100, 100, 1100, 900}, 500, 400, {250, 100}, 300, 40, 3, 200, 200);
  EXPECT_EQ(got.box, (PixelRect{600, 300, 937, 444})) << Str(got.box);
  EXPECT_EQ(got.marker_x, 612);
  EXPECT_EQ(got.text_x, 624);
  EXPECT_EQ(got.line_top, (std::vector<int>{306, 352, 398}));
  EXPECT_EQ(got.line_middle, (std::vector<int>{326, 372, 418}));

  const PrintedLegend empty = PrintedLegendBox({0, 0, 100, 100}, 0, 0, {5, 5}, 0, 10, 0, 96, 96);
  EXPECT_EQ(empty.box, (PixelRect{0, 0, 18, 3}));
  EXPECT_TRUE(empty.line_top.empty());
}

TEST(PlotLayout, RubberBandNarrowestAndShiftedInside) {
  struct Row {
    const char* name;
    long double lo, hi, want_lo, want_hi;
  };
  // Full range 0..100: nothing narrower than 5.
  // clang-format off
  const Row rows[] = {
      {"wide band kept",     10,   40,    10,    40},
      {"exactly 1/20 kept",  10,   15,    10,    15},
      {"widened about 41",   40,   42,  38.5L, 43.5L},
      {"shifted from 0",      1,    2,     0,     5},
      {"shifted from 100",   99, 99.5L,   95,   100},
      {"reversed band",      40,   10,    10,    40},
  };
  // clang-format on
  for (const Row& r : rows) {
    const AxisRange got = ZoomBandAxis({r.lo, r.hi}, {0, 100});
    EXPECT_NEAR(D(got.Min), D(r.want_lo), 1e-12) << r.name;
    EXPECT_NEAR(D(got.Max), D(r.want_hi), 1e-12) << r.name;
  }
}

TEST(PlotLayout, RubberBandFromPixels) {
  const PixelRect plot{0, 0, 100, 100};
  const PanelRange full{{0, 100}, {0, 100}};
  const PanelMap depth_down(plot, full, true);
  const PanelMap y_up(plot, full, false);
  struct Row {
    const char* name;
    const PanelMap* map;
    PixelPoint anchor, corner;
    bool zooms;
    long double x0, x1, y0, y1;
  };
  // clang-format off
  const Row rows[] = {
      {"band",             &depth_down, {10, 20}, {60, 80},  true, 10, 60, 20, 80},
      {"dragged backward", &depth_down, {60, 80}, {10, 20},  true, 10, 60, 20, 80},
      {"y grows upward",   &y_up,       {10, 20}, {60, 80},  true, 10, 60, 20, 80},
      {"clipped to plot",  &depth_down, {50, 50}, {150, -50}, true, 50, 100, 0, 50},
      {"narrow widened",   &depth_down, {10, 10}, {11, 12},  true, 8, 13, 8.5L, 13.5L},
      {"no width",         &depth_down, {10, 10}, {10, 50},  false, 0, 0, 0, 0},
      {"no height",        &depth_down, {10, 10}, {50, 10},  false, 0, 0, 0, 0},
      {"flat once clipped",&depth_down, {100, 10}, {150, 50}, false, 0, 0, 0, 0},
  };
  // clang-format on
  for (const Row& r : rows) {
    const std::optional<PanelRange> got =
        RubberBandZoom(*r.map, plot, r.anchor, r.corner, full);
    ASSERT_EQ(got.has_value(), r.zooms) << r.name;
    if (!got) continue;
    if (r.map == &y_up) {
      // Screen rows 20..80 are the values 80..20 when Y grows upward.
      EXPECT_NEAR(D(got->Y.Min), 20, 1e-12) << r.name;
      EXPECT_NEAR(D(got->Y.Max), 80, 1e-12) << r.name;
    } else {
      EXPECT_NEAR(D(got->Y.Min), D(r.y0), 1e-12) << r.name;
      EXPECT_NEAR(D(got->Y.Max), D(r.y1), 1e-12) << r.name;
    }
    EXPECT_NEAR(D(got->X.Min), D(r.x0), 1e-12) << r.name;
    EXPECT_NEAR(D(got->X.Max), D(r.x1), 1e-12) << r.name;
  }
}

TEST(PlotLayout, ZoomOutAboutTheClickedPoint) {
  struct Row {
    const char* name;
    long double lo, hi, value, want_lo, want_hi;
  };
  // Full range -50..150.
  // clang-format off
  const Row rows[] = {
      {"doubles about the click",  40,  60,   50,   30,   70},
      {"kept inside at the left",  40,  60,  -45,  -50,  -10},
      {"kept inside at the right", 40,  60,  149,  110,  150},
      {"never past the full",       0, 120,   10,  -50,  150},
      {"full stays full",         -50, 150,    0,  -50,  150},
  };
  // clang-format on
  for (const Row& r : rows) {
    const AxisRange got = ZoomOutAxis({r.lo, r.hi}, {-50, 150}, r.value);
    EXPECT_NEAR(D(got.Min), D(r.want_lo), 1e-12) << r.name;
    EXPECT_NEAR(D(got.Max), D(r.want_hi), 1e-12) << r.name;
  }
  const PanelRange both = ZoomOut({{40, 60}, {0, 10}}, {{-50, 150}, {0, 100}}, 50, 3);
  EXPECT_NEAR(D(both.X.Min), 30, 1e-12);
  EXPECT_NEAR(D(both.Y.Min), 0, 1e-12);
  EXPECT_NEAR(D(both.Y.Max), 20, 1e-12);
}

TEST(PlotLayout, TickMarksInsideThePanel) {
  const PixelRect panel{0, 0, 500, 400};
  const PanelMap map(panel, {{0, 250}, {0, 100}}, true);
  // Ticks computed for a wider range: those past the panel are dropped.
  const std::vector<TickMark> x = TickMarksX(map, panel, ComputeTicks({0, 300}, 6));
  ASSERT_EQ(x.size(), 26u);
  EXPECT_EQ(x.front().Pixel, 0);
  EXPECT_EQ(x.back().Pixel, 500);
  EXPECT_TRUE(x[5].Major);
  EXPECT_FALSE(x[6].Major);
  EXPECT_NEAR(D(x[5].Value), 50, 1e-12);

  const std::vector<TickMark> y = TickMarksY(map, panel, ComputeTicks({0, 100}, 4));
  ASSERT_FALSE(y.empty());
  EXPECT_EQ(y.front().Pixel, 0);  // depth 0 at the top
  EXPECT_EQ(y.back().Pixel, 400);
  EXPECT_TRUE(TickMarksY(map, panel, TickSet{}).empty());
}

TEST(PlotLayout, LabelStrideKeepsLabelsApart) {
  // Major ticks every 20 pixels from -40 to 160: K = -10, -5, 0, ... 40.
  std::vector<TickMark> marks;
  for (long long k = -10; k <= 40; k += 5) {
    marks.push_back({static_cast<int>(20 + 4 * k), k, 0.0L, true});
  }
  struct Row {
    int width, gap, stride;
  };
  // clang-format off
  const Row rows[] = {
      {10, 5, 1},   // 10 + 5 < 20: every major tick
      {18, 2, 1},   // exactly touching the gap is still clear
      {18, 3, 2},
      {50, 5, 3},   // 55 apart needed: 60 pixels every third
      {500, 5, 9},  // never clear: the first stride leaving zero alone
  };
  // clang-format on
  for (const Row& r : rows) {
    const std::vector<int> widths(marks.size(), r.width);
    const int stride = LabelStride(marks, widths, r.gap);
    EXPECT_EQ(stride, r.stride) << "width " << r.width << " gap " << r.gap;
    // Zero is labelled at every stride, negative ticks counted from it.
    EXPECT_TRUE(LabelledAtStride(marks[2], stride));
  }
  EXPECT_TRUE(LabelledAtStride(marks[0], 2));   // K = -10
  EXPECT_FALSE(LabelledAtStride(marks[1], 2));  // K = -5
  EXPECT_FALSE(LabelledAtStride({0, 3, 0.0L, false}, 1));  // minor ticks never
}

class LayerStrip : public ::testing::Test {
 protected:
  void SetUp() override {
    // Sand to 10, clay to 30, wall 25 long, excavation at 8; the plot shows
    // depths 0..20 over 200 pixels.
    plot.SetLineCount(CurveGroup::LayerLines, 4);
    Set(0, " SAND ", kSandCode, 10);
    Set(1, " CLAY ", kClayCode, 30);
    Set(2, "PILE", 0, 25);
    Set(3, "PILE", 0, 8);
    plot.WallLineCount = 2;
  }
  void Set(int i, const char* name, int code, long double depth) {
    TLine& line = plot.Line(CurveGroup::LayerLines, i);
    line.Name = name;
    line.Points = {{static_cast<long double>(code), depth}};
  }
  std::vector<StripRegion> Regions() const {
    return LayerStripRegions(plot, strip, PanelMap(strip, {{0, 1}, {0, 20}}, true));
  }
  TGraphPlot plot{"Deflection, Moment, Shear vs Depth", "Curve #"};
  const PixelRect strip{500, 0, 600, 200};
};

TEST_F(LayerStrip, LayersAcrossTheStripWithNames) {
  const std::vector<StripRegion> got = Regions();
  ASSERT_EQ(got.size(), 2u);
  EXPECT_EQ(got[0].rect, (PixelRect{500, 0, 600, 100}));
  EXPECT_EQ(got[0].code, kSandCode);
  EXPECT_EQ(got[0].name, " SAND ");
  // Limited to the plot bottom.
  EXPECT_EQ(got[1].rect, (PixelRect{500, 100, 600, 200}));
  EXPECT_EQ(got[1].code, kClayCode);
  EXPECT_EQ(got[1].name, " CLAY ");
}

TEST_F(LayerStrip, WallSplitsTheStrip) {
  struct Row {
    const char* name;
    long double excavation;
    std::vector<PixelRect> fills;
  };
  // Backfill 500..540, wall 540..560, excavation side 560..600.
  // clang-format off
  const Row rows[] = {
      {"excavation in layer 1",   8, {{500, 0, 540, 100}, {560, 80, 600, 100}, {500, 100, 600, 200}}},
      {"excavation in layer 2",  12, {{500, 0, 540, 100}, {500, 100, 540, 200}, {560, 120, 600, 200}}},
      {"excavation at the top",   0, {{500, 0, 600, 100}, {500, 100, 600, 200}}},
  };
  // clang-format on
  plot.ShowWall = true;
  for (const Row& r : rows) {
    Set(3, "PILE", 0, r.excavation);
    const std::vector<StripRegion> got = Regions();
    ASSERT_EQ(got.size(), r.fills.size() + 1) << r.name;
    for (size_t i = 0; i < r.fills.size(); ++i) {
      EXPECT_EQ(got[i].rect, r.fills[i]) << r.name << " region " << i << ": " << Str(got[i].rect);
      EXPECT_TRUE(got[i].name.empty()) << r.name;
      EXPECT_FALSE(got[i].wall) << r.name;
    }
    // The wall bar, 25 deep, limited to the plot bottom.
    EXPECT_TRUE(got.back().wall) << r.name;
    EXPECT_EQ(got.back().rect, (PixelRect{540, 0, 560, 200})) << r.name;
  }
}

TEST_F(LayerStrip, MissingEntriesDrawWhatThereIs) {
  plot.ShowWall = true;
  plot.SetLineCount(CurveGroup::LayerLines, 2);  // no wall entries
  const std::vector<StripRegion> got = Regions();
  ASSERT_EQ(got.size(), 2u);
  EXPECT_EQ(got[0].rect, (PixelRect{500, 0, 600, 100}));
  plot.WallLineCount = 7;  // more than there are entries
  EXPECT_EQ(Regions().size(), 2u);
  plot.SetLineCount(CurveGroup::LayerLines, 0);
  EXPECT_TRUE(Regions().empty());
}

TEST(PlotLayout, LabelAndReadoutTexts) {
  struct Row {
    long double value;
    const char* tick;
  };
  // clang-format off
  const Row rows[] = {
      {0,            "0"},
      {250,          "250"},
      {0.1L + 0.2L,  "0.3"},
      {-2.5L,        "-2.5"},
      {1000,         "1000"},
      {12346,        "1.235E4"},
      {0.00012346L,  "0.0001235"},
      {1e-6L,        "1E-6"},
      {-0.0004L,     "-0.0004"},
  };
  // clang-format on
  for (const Row& r : rows) EXPECT_EQ(TickLabel(r.value), r.tick) << D(r.value);
  EXPECT_EQ(CaptionReadout("Deflection vs Depth", 0.123456L, 12.5L),
            "Deflection vs Depth X: 0.12346 Y: 12.5");
  EXPECT_EQ(CaptionReadout("p-y Curves", -1234567, 0), "p-y Curves X: -1.2346E6 Y: 0");
}

}  // namespace
}  // namespace kestra
