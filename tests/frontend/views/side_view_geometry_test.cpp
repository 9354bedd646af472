#include "side_view_geometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "input_tables.h"
#include "program_data.h"

namespace kestra::side_view {
namespace {

constexpr double kPi = 3.14159265358979323846;

double D(Extended v) { return static_cast<double>(v); }

// A 30 ft English wall (60 increments of 6 in) with 10 ft of free height:
// the wall top lies at y = 36 in, the excavation at 156 in. Two layers,
// sand to 5 ft and soft clay to 30 ft.
struct EnglishWall {
  InputTables tables;
  TProgramData data{tables};

  EnglishWall() {
    data.IncrementCount = 60;
    data.IncrementLength = 6;
    data.FreeHeight = 120;
    data.PressureOption = 2;
    tables.NewSoil.SetRowCount(2);
    Layer(0, 4, 5, {115, 32});
    Layer(1, 1, 30, {110, 500});
  }

  void Layer(int row, int type, Extended bottom_ft, std::vector<Extended> bottom_values) {
    tables.NewSoil.SetCellInteger(soil_columns::kSoilType, row, type);
    tables.NewSoil.SetCellFloat(soil_columns::kBottomDepth, row, bottom_ft);
    TGridTable* params = tables.NewSoil.SubTable(soil_columns::kParameters, row);
    for (size_t c = 0; c < bottom_values.size(); ++c) {
      params->SetCellFloat(static_cast<int>(c), 1, bottom_values[c]);
    }
  }

  Drawing Draw(const Device& device) const {
    const SideGeometry g = BuildGeometry(data, tables);
    return BuildDrawing(data, tables, g, FitView(g.data, device), device);
  }
  ViewMap Map(const Device& device) const {
    const SideGeometry g = BuildGeometry(data, tables);
    return ViewMap(FitView(g.data, device), device);
  }
};

std::vector<Line> Lines(const Drawing& d, double pen) {
  std::vector<Line> out;
  for (const Primitive& p : d.items) {
    if (const auto* l = std::get_if<Line>(&p.shape); l && p.pen == pen) out.push_back(*l);
  }
  return out;
}

// Horizontal lines at device height y, as (left, right) pairs.
std::vector<std::pair<double, double>> HorizontalAt(const Drawing& d, double y) {
  std::vector<std::pair<double, double>> out;
  for (const Primitive& p : d.items) {
    const auto* l = std::get_if<Line>(&p.shape);
    if (l && l->from.y == y && l->to.y == y) {
      out.emplace_back(std::min(l->from.x, l->to.x), std::max(l->from.x, l->to.x));
    }
  }
  return out;
}

std::vector<std::string> Texts(const Drawing& d) {
  std::vector<std::string> out;
  for (const Primitive& p : d.items) {
    if (const auto* t = std::get_if<Text>(&p.shape)) out.push_back(t->text);
  }
  return out;
}

bool HasLine(const std::vector<Line>& lines, DevicePoint a, DevicePoint b) {
  for (const Line& l : lines) {
    if (std::abs(l.from.x - a.x) < 1e-9 && std::abs(l.from.y - a.y) < 1e-9 &&
        std::abs(l.to.x - b.x) < 1e-9 && std::abs(l.to.y - b.y) < 1e-9) {
      return true;
    }
  }
  return false;
}

TEST(SideViewGeometry, WallOutlineAndDataRectangle) {
  EnglishWall w;
  const SideGeometry g = BuildGeometry(w.data, w.tables);
  ASSERT_EQ(g.outlines.size(), 1u);
  // Half thickness a = 120 / 40; top 0.1 L = 36, tip 1.1 L = 396.
  const WallOutline& o = g.outlines[0];
  EXPECT_EQ(D(o[0].x), -3);
  EXPECT_EQ(D(o[0].y), 36);
  EXPECT_EQ(D(o[2].x), 3);
  EXPECT_EQ(D(o[2].y), 396);
  EXPECT_DOUBLE_EQ(D(g.top), 36);
  // The rectangle starts at zero, so ymin stays 0; every bound times 1.05.
  EXPECT_DOUBLE_EQ(D(g.data.xmin), -3.15);
  EXPECT_DOUBLE_EQ(D(g.data.xmax), 3.15);
  EXPECT_EQ(D(g.data.ymin), 0);
  EXPECT_DOUBLE_EQ(D(g.data.ymax), 415.8);
}

TEST(SideViewGeometry, WithoutWallRowsOrLengthNothingDegeneratesWrongly) {
  EnglishWall no_rows;
  no_rows.tables.PileSect.SetRowCount(0);
  const SideGeometry g = BuildGeometry(no_rows.data, no_rows.tables);
  EXPECT_TRUE(g.outlines.empty());
  EXPECT_EQ(D(g.data.xmin), -10);
  EXPECT_EQ(D(g.data.xmax), 10);
  EXPECT_EQ(D(g.data.ymax), 10);
  EXPECT_FALSE(no_rows.Draw(Device::Screen(800, 600)).items.empty());

  // No increments: the wall has no height, the rectangle none either.
  EnglishWall no_length;
  no_length.data.IncrementCount = 0;
  const SideGeometry flat = BuildGeometry(no_length.data, no_length.tables);
  EXPECT_TRUE(flat.data.Degenerate());
  const Device screen = Device::Screen(800, 600);
  EXPECT_TRUE(no_length.Draw(screen).items.empty());
  EXPECT_FALSE(DepthReadout(flat, flat.data, screen, 100).has_value());
  // Fitting leaves it alone.
  const WorldRect fitted = FitView(flat.data, 800, 600);
  EXPECT_EQ(D(fitted.xmax), D(flat.data.xmax));

  // No free height still gives the wall a thickness, so it is drawn.
  EnglishWall cantilever_pile;
  cantilever_pile.data.FreeHeight = 0;
  const SideGeometry pile = BuildGeometry(cantilever_pile.data, cantilever_pile.tables);
  EXPECT_FALSE(pile.data.Degenerate());
  EXPECT_GT(D(pile.data.xmax), 0);
}

TEST(SideViewGeometry, FitWidensOneAxisAboutZero) {
  struct Row {
    const char* name;
    WorldRect data;
    double width, height;
    WorldRect want;
  };
  // clang-format off
  const Row rows[] = {
      {"wide window widens x only", {-1, 1, 0, 10}, 1000, 100, {-50, 50,  0,  10}},
      {"tall window widens y only", {-1, 1, 0, 10},   10, 200, {-1,   1,  0,  40}},
      {"same proportions",          {-1, 1, 0, 10},   20, 100, {-1,   1,  0,  10}},
      {"negative y scales about 0", {-1, 1, -2, 2},   10, 100, {-1,   1, -10, 10}},
      {"zero-height client",        {-1, 1, 0, 10},  100,   0, {-1,   1,  0,  10}},
      {"degenerate data",           {-1, 1, 5, 5},   100, 100, {-1,   1,  5,   5}},
  };
  // clang-format on
  for (const Row& r : rows) {
    const WorldRect v = FitView(r.data, r.width, r.height);
    EXPECT_DOUBLE_EQ(D(v.xmin), D(r.want.xmin)) << r.name;
    EXPECT_DOUBLE_EQ(D(v.xmax), D(r.want.xmax)) << r.name;
    EXPECT_DOUBLE_EQ(D(v.ymin), D(r.want.ymin)) << r.name;
    EXPECT_DOUBLE_EQ(D(v.ymax), D(r.want.ymax)) << r.name;
  }
}

TEST(SideViewGeometry, VeryWideWindowKeepsTheWallCentredAndUpright) {
  EnglishWall w;
  const SideGeometry g = BuildGeometry(w.data, w.tables);
  const Device screen = Device::Screen(3000, 300);
  const WorldRect view = FitView(g.data, screen);
  EXPECT_EQ(D(view.ymin), D(g.data.ymin));
  EXPECT_EQ(D(view.ymax), D(g.data.ymax));
  EXPECT_DOUBLE_EQ(D(view.xmin), -D(view.xmax));
  // One scale on both axes.
  EXPECT_NEAR(D((view.xmax - view.xmin) / 3000), D((view.ymax - view.ymin) / 300), 1e-12);
  const ViewMap map(view, screen);
  EXPECT_EQ(map.X(0), 1500);
}

TEST(SideViewGeometry, ScreenAndPageMappings) {
  const WorldRect view{-100, 100, 0, 50};
  const ViewMap screen(view, Device::Screen(801, 400));
  EXPECT_EQ(screen.X(0), 401);  // 400.5 rounds up
  EXPECT_EQ(screen.Y(25), 200);
  EXPECT_EQ(screen.Across(0.5), 400.5);
  EXPECT_DOUBLE_EQ(D(screen.WorldX(400.5)), 0);
  EXPECT_DOUBLE_EQ(D(screen.WorldY(80)), 10);

  // The page: the world in the middle 80 % of the height, fractions of the
  // width between 0.1 and 0.9 of the page.
  const ViewMap page(view, Device::Page(1000, 800, 600));
  EXPECT_EQ(page.X(-100), 0);
  EXPECT_EQ(page.X(100), 1000);
  EXPECT_DOUBLE_EQ(page.Y(0), 80);
  EXPECT_DOUBLE_EQ(page.Y(50), 720);
  EXPECT_DOUBLE_EQ(page.Across(0), 100);
  EXPECT_DOUBLE_EQ(page.Across(1), 900);
  EXPECT_DOUBLE_EQ(page.Span(), 800);
  EXPECT_DOUBLE_EQ(D(page.WorldY(page.Y(12.5))), 12.5);

  // Values far outside the view stay finite device numbers.
  EXPECT_TRUE(std::isfinite(screen.X(1e300L)));
}

TEST(SideViewGeometry, DepthCaptions) {
  struct Row {
    Extended depth;
    const char* want;
  };
  // clang-format off
  const Row rows[] = {
      {0,        "  Depth: 0.0"},
      {12.34L,   "  Depth: 12.3"},
      {12.36L,   "  Depth: 12.4"},
      {-0.04L,   "  Depth: 0.0"},
      {-6.27L,   "  Depth: -6.3"},
      {1234.56L, "  Depth: 1234.6"},
      {2.5e6L,   "  Depth: 2.5E6"},
  };
  // clang-format on
  for (const Row& r : rows) EXPECT_EQ(DepthCaption(r.depth), r.want) << D(r.depth);
}

TEST(SideViewGeometry, ReadOutMeasuresFromTheWallTop) {
  EnglishWall w;
  const SideGeometry g = BuildGeometry(w.data, w.tables);
  const Device screen = Device::Screen(800, 600);
  const WorldRect view = FitView(g.data, screen);
  // y from 0 to 415.8 over 600 pixels: pixel 300 is y = 207.9, depth 171.9.
  EXPECT_EQ(DepthReadout(g, view, screen, 300), "  Depth: 171.9");
  EXPECT_EQ(DepthReadout(g, view, screen, 0), "  Depth: -36.0");
}

TEST(SideViewGeometry, LayerBoundariesAndTexts) {
  struct Row {
    const char* name;
    int units;
    Extended bottom;       // table value of the first layer
    Extended world_depth;  // where it is drawn below the wall top
    double right;          // boundary's right end as a fraction
  };
  // clang-format off
  const Row rows[] = {
      {"English feet to inches",         1, 10, 120, 1.0},   // at the excavation
      {"above excavation: backfill only", 1,  5,  60, 0.5},
      {"below excavation: full width",    1, 15, 180, 1.0},
      {"SI depths as they are",           2, 150, 150, 1.0},
      {"SI above excavation",             2, 60,  60, 0.5},
  };
  // clang-format on
  for (const Row& r : rows) {
    EnglishWall w;
    w.data.Units = r.units;
    w.tables.NewSoil.SetCellFloat(soil_columns::kBottomDepth, 0, r.bottom);
    const Device screen = Device::Screen(800, 600);
    const Drawing d = w.Draw(screen);
    const ViewMap map = w.Map(screen);
    const auto at = HorizontalAt(d, map.Y(36 + r.world_depth));
    ASSERT_FALSE(at.empty()) << r.name;
    EXPECT_EQ(at.front().first, 0) << r.name;
    EXPECT_EQ(at.front().second, r.right * 800) << r.name;
  }

  EnglishWall w;
  EXPECT_EQ(Texts(w.Draw(Device::Screen(800, 600))),
            (std::vector<std::string>{"Sand", "\u00f8= 32; gamma= 115", "Soft clay",
                                      "c= 500; gamma= 110"}));
  // Without soil data in use there are no layers.
  w.data.PressureOption = 1;
  w.data.PyCurveOption = 0;
  EXPECT_TRUE(Texts(w.Draw(Device::Screen(800, 600))).empty());
  w.data.PyCurveOption = 2;
  EXPECT_EQ(Texts(w.Draw(Device::Screen(800, 600))).size(), 4u);
  // Trapezoidal pressure (anchored walls) uses the soil data too.
  w.data.PyCurveOption = 0;
  w.data.PressureOption = 3;
  EXPECT_EQ(Texts(w.Draw(Device::Screen(800, 600))).size(), 4u);
}

TEST(SideViewGeometry, SoilTextsOfEveryType) {
  InputTables tables;
  tables.NewSoil.SetRowCount(1);
  struct Row {
    int type;
    std::vector<Extended> values;  // bottom row of the parameter table
    const char* name;
    const char* line;
  };
  // clang-format off
  const Row rows[] = {
      {1, {18, 25.5},          "Soft clay",                 "c= 25.5; gamma= 18"},
      {2, {18, 40},            "Stiff clay w/free water",   "c= 40; gamma= 18"},
      {3, {18, 40},            "Stiff clay w/o free water", "c= 40; gamma= 18"},
      {4, {19, 34},            "Sand",                      "\u00f8= 34; gamma= 19"},
      {5, {17.5L, 28, 0.1L},   "Silt",                      "\u00f8= 28; c= 0.1; gamma= 17.5"},
      {6, {23, 50000},         "Rock",                      "compressive strength= 50000; gamma= 23"},
      {7, {21, 1.5e-7L},       "Weak Rock",                 "compressive strength= 1.5E-7; gamma= 21"},
      {4, {119.999999232L, 30.25L}, "Sand",                 "\u00f8= 30.25; gamma= 120"},
  };
  // clang-format on
  for (const Row& r : rows) {
    tables.NewSoil.SetCellInteger(soil_columns::kSoilType, 0, r.type);
    TGridTable* params = tables.NewSoil.SubTable(soil_columns::kParameters, 0);
    for (size_t c = 0; c < r.values.size(); ++c) {
      params->SetCellFloat(static_cast<int>(c), 1, r.values[c]);
    }
    EXPECT_EQ(SoilTypeName(r.type), r.name);
    EXPECT_EQ(SoilParameterLine(r.type, params), r.line) << r.name;
  }
  EXPECT_EQ(SoilTypeName(0), "");
  EXPECT_EQ(SoilParameterLine(8, tables.NewSoil.SubTable(soil_columns::kParameters, 0)), "");
  EXPECT_EQ(SoilParameterLine(1, nullptr), "");
}

TEST(SideViewGeometry, LevelBackfillIsHatchedASlopedOneDrawnRising) {
  const Device screen = Device::Screen(800, 600);
  EnglishWall level;
  const double y0 = level.Map(screen).Y(36);
  const std::vector<Line> thin = Lines(level.Draw(screen), 1);
  for (int k = 1; k <= 5; ++k) {
    EXPECT_TRUE(HasLine(thin, {20.0 * k + 100, y0}, {20.0 * k + 115, y0 + 5})) << k;
  }

  EnglishWall sloped;
  sloped.data.BackfillSlope = 30;
  const std::vector<Line> lines = Lines(sloped.Draw(screen), 1);
  EXPECT_FALSE(HasLine(lines, {120, y0}, {135, y0 + 5}));
  const double rise = 200 * std::tan(30 * kPi / 180);
  bool slope = false;
  for (const Line& l : lines) {
    slope |= l.from.x == 400 && l.from.y == y0 && l.to.x == 200 &&
             std::abs(l.to.y - (y0 - rise)) < 1e-6;
  }
  EXPECT_TRUE(slope);
}

TEST(SideViewGeometry, SpringsOnlyAboveTheExcavation) {
  EnglishWall w;
  w.data.ApplySprings = true;
  w.tables.SoilStrength.SetRowCount(3);
  w.tables.SoilStrength.SetCellInteger(1, 0, 10);  // 60 in: in the open
  w.tables.SoilStrength.SetCellInteger(1, 1, 30);  // 180 in: below
  w.tables.SoilStrength.SetCellInteger(1, 2, 20);  // 120 in: at the excavation
  const Device screen = Device::Screen(800, 600);
  const std::vector<Line> springs = Lines(w.Draw(screen), 5);
  ASSERT_EQ(springs.size(), 1u);
  const double y = w.Map(screen).Y(36 + 60);
  EXPECT_TRUE(HasLine(springs, {400, y}, {480, y}));

  w.data.ApplySprings = false;
  EXPECT_TRUE(Lines(w.Draw(screen), 5).empty());
}

TEST(SideViewGeometry, RestraintAndExternalPYSymbolsAtTheirNodes) {
  EnglishWall w;
  w.data.ApplyRestraints = true;
  w.data.ApplyExternalPY = true;
  w.tables.SoilLayer.SetCellInteger(1, 0, 60);  // the tip
  w.tables.PYCurves2.SetCellInteger(0, 0, 40);
  w.tables.PYCurves2.SetCellInteger(0, 1, 61);  // past the tip: skipped
  const Device screen = Device::Screen(1000, 600);
  const ViewMap map = w.Map(screen);
  const std::vector<Line> symbols = Lines(w.Draw(screen), 2);
  const double tip = map.Y(396);
  EXPECT_TRUE(HasLine(symbols, {500, tip}, {520, tip}));
  EXPECT_TRUE(HasLine(symbols, {500, tip}, {520, tip - 10}));
  EXPECT_TRUE(HasLine(symbols, {500, tip}, {520, tip + 10}));
  const double py = map.Y(36 + 240);
  EXPECT_TRUE(HasLine(symbols, {500, py}, {450, py}));
  EXPECT_TRUE(HasLine(symbols, {430, py}, {380, py}));
  EXPECT_TRUE(HasLine(symbols, {380, py}, {400, py - 10}));
  EXPECT_EQ(symbols.size(), 3u + 4u);
}

TEST(SideViewGeometry, DrawingOrderAndTopView) {
  EnglishWall w;
  w.data.WidthActive = 24;
  w.data.WidthPY = 12;
  const Drawing d = w.Draw(Device::Screen(800, 600));
  // Layers first, then the wall over them, the ground lines, the plan.
  size_t wall = 0, first_text = d.items.size(), circles = 0;
  for (size_t i = 0; i < d.items.size(); ++i) {
    if (std::holds_alternative<FilledPolygon>(d.items[i].shape)) wall = i;
    if (std::holds_alternative<Text>(d.items[i].shape)) first_text = std::min(first_text, i);
    if (const auto* e = std::get_if<Ellipse>(&d.items[i].shape)) {
      ++circles;
      EXPECT_GT(i, wall);
      EXPECT_EQ(d.items[i].pen, 2);
      EXPECT_DOUBLE_EQ(e->rx, e->ry);  // one scale on both axes
    }
  }
  EXPECT_LT(first_text, wall);
  EXPECT_EQ(circles, 5u);
  const std::vector<std::string> texts = Texts(d);
  EXPECT_EQ(texts[texts.size() - 2], "top view");
  EXPECT_EQ(texts.back(), "side view");

  w.data.WidthPY = 0;
  for (const Primitive& p : w.Draw(Device::Screen(800, 600)).items) {
    EXPECT_FALSE(std::holds_alternative<Ellipse>(p.shape));
  }
}

TEST(SideViewGeometry, PrintedPageUsesItsPensAndMargins) {
  EnglishWall w;
  w.data.ApplySprings = true;
  w.tables.SoilStrength.SetCellInteger(1, 0, 10);
  const Device page = Device::Page(6600, 5100, 600);
  const Drawing d = w.Draw(page);
  ASSERT_FALSE(d.items.empty());
  for (const Primitive& p : d.items) {
    EXPECT_TRUE(p.pen == 12 || p.pen == 35) << p.pen;
    if (const auto* l = std::get_if<Line>(&p.shape)) {
      EXPECT_GE(l->from.x, 660);
      EXPECT_LE(l->to.x, 5940);
    }
    if (const auto* t = std::get_if<Text>(&p.shape)) {
      EXPECT_EQ(t->at.x, 660);
    }
  }
  // The wall, at the page's centre.
  const auto wall_top = HorizontalAt(d, w.Map(page).Y(36));
  ASSERT_FALSE(wall_top.empty());
  EXPECT_EQ(wall_top.front(), std::make_pair(660.0, 3300.0));
  // Hatch strokes keep their length in inches: 15 screen pixels at 600 dpi.
  const double y0 = w.Map(page).Y(36);
  EXPECT_TRUE(HasLine(Lines(d, 12), {660 + 6.25 * 120, y0}, {660 + 6.25 * 135, y0 + 6.25 * 5}));
}

}  // namespace
}  // namespace kestra::side_view
