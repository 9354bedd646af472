#include "plot_data.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace kestra {
namespace {

constexpr CurveGroup kMain = CurveGroup::Lines;

std::string Golden(const std::string& name) {
  std::ifstream in(std::string(KESTRA_ENGINE_DATA) + "/" + name, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(PlotData, OneBlockFromTheEngine) {
  ResultGraphs g;
  PlotProject project;
  project.Units = 1;
  project.layers = {{4, 40.0}};
  project.wall_length = 360;
  project.free_height = 120;
  std::string error;
  ASSERT_TRUE(LoadPlotFile(g, Golden("cantilever-sand.ks5p"), project, &error)) << error;
  ASSERT_EQ(g.pltDef.LineCount(kMain), 1);
  EXPECT_EQ(g.pltDef.PointCount(kMain), 62);
  EXPECT_EQ(g.pltDef.CurveLabel(g.pltDef.Line(kMain, 0)), "Load #1");
  EXPECT_EQ(g.pltDMS.CurveLabel(g.pltDMS.Line(kMain, 0)), "Curve #1");
  // Depth in feet: station 60 of 6 in is 30 ft.
  EXPECT_NEAR(static_cast<double>(g.pltDef.Line(kMain, 0).Points[60].Y), 30.0, 1e-9);
  EXPECT_EQ(g.pltPY.LineCount(kMain), 5);
  EXPECT_EQ(g.pltPY.PointCount(kMain), 33);
  EXPECT_EQ(g.pltPY.CurveLabel(g.pltPY.Line(kMain, 0)), "Depth 120.1");
  EXPECT_EQ(g.pltLD.LineCount(kMain), 1);
  EXPECT_EQ(g.PltCombine.Line(kMain, 1).Name, "from Soils ");
  EXPECT_EQ(g.pltDef.YCaption, "Depth (ft)");
  EXPECT_EQ(g.pltMom.XCaption, "Bending Moment (in-kips)");
  EXPECT_EQ(g.pltDMS.XCaption2, "Bending Moment (in-kips)");
  EXPECT_TRUE(g.pltDMS.ShowThree);
  // The overlay: one layer, then the wall tip and the excavation level.
  ASSERT_EQ(g.pltDMS.LineCount(CurveGroup::LayerLines), 3);
  EXPECT_EQ(g.pltDMS.Line(CurveGroup::LayerLines, 0).Name, " SAND ");
  EXPECT_EQ(g.pltDMS.Line(CurveGroup::LayerLines, 0).Points[0].X, 7);
  EXPECT_EQ(g.pltDMS.Line(CurveGroup::LayerLines, 1).Points[0].Y, 30);
  EXPECT_EQ(g.pltDMS.Line(CurveGroup::LayerLines, 2).Points[0].Y, 10);
  EXPECT_EQ(g.pltDMS.WallLineCount, 1);
  for (TGraphPlot* p : g.All()) EXPECT_EQ(p->Units(), 1);
}

TEST(PlotData, StagesAndLongTermNames) {
  ResultGraphs g;
  PlotProject project;
  project.Units = 2;
  ASSERT_TRUE(LoadPlotFile(g, Golden("three-stage-excavation.ks5p"), project, nullptr));
  ASSERT_EQ(g.pltDef.LineCount(kMain), 3);
  EXPECT_EQ(g.pltDef.Line(kMain, 0).Name, "Stage: 1");
  EXPECT_EQ(g.pltMom.Line(kMain, 2).Name, "Stage: 3");
  EXPECT_EQ(g.pltLD.LineCount(kMain), 3);
  EXPECT_EQ(g.pltDef.YCaption, "Depth (m)");
  project.LongTermAnalysis = true;
  ResultGraphs lt;
  ASSERT_TRUE(LoadPlotFile(lt, Golden("short-long-term.ks5p"), project, nullptr));
  EXPECT_EQ(lt.pltDef.Line(kMain, 0).Name, "Short-Term");
  EXPECT_EQ(lt.pltSoil.Line(kMain, 1).Name, "Long-Term");
}

TEST(PlotData, EnglishRowsAndShortCurves) {
  // Two blocks; the second has fewer result rows; p-y curves of 2 and 3
  // points.
  const std::string file =
      "0\n1 2\n5.0 2 0.1 1.0 0.2 2.0\n7.5 3 0.1 1.0 0.2 2.0 0.3 3.0\n"
      "2 3 1\n0 1 0 0 0\n120 0.5 24000 1500 30\n240 0.2 0 0 0\n"
      "0\n1 0\n2 2 1\n0 2 0 0 0\n120 1.5 48000 3000 60\n";
  ResultGraphs g;
  PlotProject project;
  std::string error;
  ASSERT_TRUE(LoadPlotFile(g, file, project, &error)) << error;
  const auto& p = g.pltDef.Line(kMain, 0).Points;
  EXPECT_EQ(p.size(), 3u);
  EXPECT_EQ(p[1].Y, 10);
  EXPECT_EQ(p[1].X, 0.5L);
  EXPECT_EQ(g.pltMom.Line(kMain, 0).Points[1].X, 24);
  EXPECT_EQ(g.pltShear.Line(kMain, 0).Points[1].X, 1.5L);
  EXPECT_EQ(g.pltSoil.Line(kMain, 0).Points[1].X, 30);
  const auto& q = g.pltDef.Line(kMain, 1).Points;
  ASSERT_EQ(q.size(), 3u) << "the shorter stage is filled to the longest";
  EXPECT_EQ(q[2].X, q[1].X) << "and repeats its last point";
  EXPECT_EQ(g.pltPY.LineCount(kMain), 0) << "the last block's curves: none";
  EXPECT_EQ(g.pltDef.Line(kMain, 0).Name, "Stage: 1");
}

TEST(PlotData, PyCurvesOfDifferentLengthsRepeatTheirLastPoint) {
  const std::string file =
      "0\n1 2\n5 5 1 1 2 2 3 3 4 4 5 5\n10 8 1 1 2 2 3 3 4 4 5 5 6 6 7 7 8 8\n"
      "1 1 1\n0 0 0 0 0\n";
  ResultGraphs g;
  ASSERT_TRUE(LoadPlotFile(g, file, {}, nullptr));
  EXPECT_EQ(g.pltPY.PointCount(kMain), 8);
  const auto& first = g.pltPY.Line(kMain, 0).Points;
  ASSERT_EQ(first.size(), 8u);
  for (int j = 5; j < 8; ++j) EXPECT_EQ(first[j].X, 5) << j;
}

// Found by fuzzing: a block count of 6E+08 made the reader allocate curves
// for it before it found out the file could not hold them.
TEST(PlotData, HugeCountsAreRefusedBeforeAnythingIsSized) {
  const std::string file =
      "\t0 0 00\t5Inf 0\n 1 0\n60E+07    0.1000E+07    0.0000E+00\n"
      "    0.1320E+03    0.2461E+01    0.1320E+07    0.1000E+05    0.6166E-07\n";
  ResultGraphs g;
  std::string error;
  EXPECT_FALSE(LoadPlotFile(g, " 0\n 1 0\n60E+07  0.1000E+07  0.0000E+00\n"
                               "    0.1320E+03    0.2461E+01    0.1320E+07    0.1000E+05\n",
                            {}, &error));
  EXPECT_EQ(error, "This file either invalid or incomplete.");
  EXPECT_FALSE(LoadPlotFile(g, file, {}, &error));
}

TEST(PlotData, BadFilesFailWithTheReadersMessage) {
  struct Row {
    const char* name;
    const char* file;
    const char* message;
  };
  // clang-format off
  const Row rows[] = {
      {"ends inside a row",  "0\n1 0\n1 3 1\n0 0 0 0 0\n12 0.1 5",  "This file either invalid or incomplete."},
      {"word for a number",  "0\n1 0\n1 1 1\n0 0 x 0 0\n",          "Error on Line 4 Item 3\rA floating point number was expected but not found."},
      {"real for a count",   "0\n1 0.5\n",                          "Error on Line 2 Item 2\rAn integer was expected but not found."},
      {"count past the end", "2000000000\n",                        "This file either invalid or incomplete."},
      {"empty",              "",                                    "This file either invalid or incomplete."},
      {"blocks past the end", "0\n1 0\n60E+07 1 1\n0 0 0 0 0\n",      "This file either invalid or incomplete."},
  };
  // clang-format on
  for (const Row& r : rows) {
    ResultGraphs g;
    std::string error;
    EXPECT_FALSE(LoadPlotFile(g, r.file, {}, &error)) << r.name;
    EXPECT_EQ(error, r.message) << r.name;
  }
}

}  // namespace
}  // namespace kestra
