#include "graph_option_lists.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kestra {
namespace {

constexpr CurveGroup kMain = CurveGroup::Lines;

// Three p-y curves named by depth, the second renamed by the user, the third
// switched off.
TGraphPlot ThreeCurves() {
  TGraphPlot g("p-y Curves", "Depth ");
  g.SetLineCount(kMain, 3);
  g.Line(kMain, 0).Value = 12.5L;
  g.Line(kMain, 1).Name = "top of rock";
  g.Line(kMain, 2).Value = 30;
  g.Line(kMain, 2).Active = false;
  return g;
}

TEST(GraphOptionLists, ListsFollowTheCurvesInOrder) {
  const TGraphPlot g = ThreeCurves();
  EXPECT_EQ(CurveNames(g),
            (std::vector<std::string>{"Depth 12.5", "top of rock", "Depth 30"}));
  EXPECT_EQ(CurveStates(g), (std::vector<std::string>{" yes : ", " yes : ", " no  : "}));
  EXPECT_EQ(CurveColourIndices(g), (std::vector<int>{0, 1, -1}));
  EXPECT_EQ(ActiveCurveLine(kCurveInactive, "Depth 30"), " no  :    Depth 30");
  EXPECT_EQ(ActiveCurveLine(kCurveActive, "Load #1"), " yes :    Load #1");

  const TGraphPlot empty("Deflection vs Depth", "Load #");
  EXPECT_TRUE(CurveNames(empty).empty());
  EXPECT_TRUE(CurveStates(empty).empty());
}

TEST(GraphOptionLists, FlippingTwiceRestores) {
  EXPECT_EQ(FlippedState(kCurveActive), kCurveInactive);
  EXPECT_EQ(FlippedState(kCurveInactive), kCurveActive);
  EXPECT_EQ(FlippedState(FlippedState(kCurveInactive)), kCurveInactive);
}

TEST(GraphOptionLists, StatesGoBackAsActiveFlags) {
  TGraphPlot g = ThreeCurves();
  ApplyCurveStates(g, {kCurveInactive, kCurveInactive, kCurveInactive});
  for (int k = 0; k < 3; ++k) EXPECT_FALSE(g.Line(kMain, k).Active) << k;

  ApplyCurveStates(g, {kCurveActive, kCurveInactive, kCurveActive});
  EXPECT_TRUE(g.Line(kMain, 0).Active);
  EXPECT_FALSE(g.Line(kMain, 1).Active);
  EXPECT_TRUE(g.Line(kMain, 2).Active);

  // A list shorter than the graph (the graph grew meanwhile) leaves the rest.
  ApplyCurveStates(g, {kCurveInactive});
  EXPECT_FALSE(g.Line(kMain, 0).Active);
  EXPECT_TRUE(g.Line(kMain, 2).Active);
}

TEST(GraphOptionLists, RenamedCurvesKeepTheirNamesDefaultsStayDefaults) {
  TGraphPlot g = ThreeCurves();
  ApplyCurveNames(g, {"Depth 12.5", "rock", "Depth 30 (pile tip)", "no such curve"});
  EXPECT_EQ(g.Line(kMain, 0).Name, "");
  EXPECT_EQ(g.Line(kMain, 1).Name, "rock");
  EXPECT_EQ(g.Line(kMain, 2).Name, "Depth 30 (pile tip)");

  // The next analysis puts the first curve at another depth: its untouched
  // default label follows.
  g.Line(kMain, 0).Value = 14;
  EXPECT_EQ(CurveNames(g)[0], "Depth 14");

  // An empty entry never blanks a legend text.
  ApplyCurveNames(g, {"", ""});
  EXPECT_EQ(g.Line(kMain, 1).Name, "rock");
}

}  // namespace
}  // namespace kestra
