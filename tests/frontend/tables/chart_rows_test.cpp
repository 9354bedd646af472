#include "chart_rows.h"

#include <gtest/gtest.h>

#include "input_tables.h"

namespace kestra {
namespace {

TEST(SplitLineNumbers, StopsAtTheFirstWordAndAfterFifteen) {
  struct Case {
    const char* line;
    std::vector<Extended> want;
  };
  // clang-format off
  const Case cases[] = {
      {"0.5 100",              {0.5L, 100}},
      {"\t 1,\t-2.5e1",        {1, -25}},
      {"1, 2\r",               {1, 2}},
      {"y (in)  p (lbs/in)",   {}},
      {"1 2 abc 3",            {1, 2}},
      {"1,,2",                 {1}},
      {"",                     {}},
      {"1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17",
                               {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}},
  };
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string("\"") + c.line + "\"");
    EXPECT_EQ(SplitLineNumbers(c.line), c.want);
  }
}

TEST(SplitTextLines, AnyLineBreakAndTheLastLine) {
  EXPECT_EQ(SplitTextLines("a\r\nb\rc\nd"),
            (std::vector<std::string>{"a", "b", "c", "d"}));
  EXPECT_EQ(SplitTextLines("a\r\n\r\n"), (std::vector<std::string>{"a", ""}));
  EXPECT_TRUE(SplitTextLines("").empty());
}

class ChartRowsTest : public ::testing::Test {
 protected:
  void SetUp() override { tables.Reset(); }
  TGridTable& Curve() { return *tables.PYCurves2.SubTable(1, 0); }
  InputTables tables;
};

TEST_F(ChartRowsTest, TitleLineIsSkippedAndRowsAreAppended) {
  TGridTable& curve = Curve();
  ASSERT_EQ(curve.RowCount(), 2);
  EXPECT_EQ(ReadChartRows(curve, {"y p", "0 0", "0.5 100", "1 150"}), 3);
  ASSERT_EQ(curve.RowCount(), 3);
  EXPECT_EQ(curve.CellText(0, 1), "0.5");
  EXPECT_EQ(curve.CellText(1, 2), "150");
}

TEST_F(ChartRowsTest, SurplusRowsAreDeletedDownToMinRows) {
  TGridTable& curve = Curve();
  curve.SetRowCount(5);
  EXPECT_EQ(ReadChartRows(curve, {"1 1", "2 2", "3 3"}), 3);
  EXPECT_EQ(curve.RowCount(), 3);
  EXPECT_EQ(ReadChartRows(curve, {"9 9"}), 1);
  EXPECT_EQ(curve.RowCount(), 2);  // MinRows of a p-y curve
  EXPECT_EQ(curve.CellText(0, 0), "9");
}

TEST_F(ChartRowsTest, StopsAtMaxRowsAndKeepsTheTableWithoutValidLines) {
  TGridTable& curve = Curve();
  std::vector<std::string> lines;
  for (int i = 0; i < 30; ++i) lines.push_back(std::to_string(i) + " 1");
  EXPECT_EQ(ReadChartRows(curve, lines), 17);
  EXPECT_EQ(curve.RowCount(), 17);
  EXPECT_EQ(ReadChartRows(curve, {"one two", "1 2 3"}), 0);
  EXPECT_EQ(curve.RowCount(), 17);
}

}  // namespace
}  // namespace kestra
