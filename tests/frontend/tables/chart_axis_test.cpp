#include "chart_axis.h"

#include <gtest/gtest.h>

#include <clocale>
#include <limits>

namespace kestra {
namespace {

constexpr long double kInf = std::numeric_limits<long double>::infinity();

TEST(ChartAxis, StyleByTheAxisEnds) {
  struct Case {
    const char* name;
    long double min, max;
    AxisNumberStyle want;
  };
  using enum AxisNumberStyle;
  // clang-format off
  const Case cases[] = {
      {"ordinary",              0,       150,      kGrouped},
      {"exactly 100000",  -100000,    100000,      kGrouped},
      {"top above 100000",      0,    100001,      kScientific},
      {"bottom below -100000", -2e5L,      0,      kScientific},
      {"both zero",             0,         0,      kGrouped},
      {"both tiny",          -5e-4L,    5e-4L,     kScientific},
      {"tiny and zero",         0,      9e-4L,     kScientific},
      {"exactly 0.001",         0,      0.001L,    kGrouped},
      {"one end not tiny",   1e-4L,     0.002L,    kGrouped},
  };
  // clang-format on
  for (const Case& c : cases) {
    EXPECT_EQ(ChooseAxisNumberStyle({c.min, c.max}), c.want) << c.name;
  }
}

TEST(ChartAxis, NumberTexts) {
  struct Case {
    long double value;
    const char* grouped;
    const char* scientific;
  };
  // clang-format off
  const Case cases[] = {
      {0,              "0",             "0.0E0"},
      {150,            "150",           "1.5E2"},
      {1234.5L,        "1,234.5",       "1.235E3"},
      {-1234567.25L,   "-1,234,567.25", "-1.235E6"},
      {123456,         "123,456",       "1.235E5"},
      {100000,         "100,000",       "1.0E5"},
      {0.0005L,        "0.001",         "5.0E-4"},
      {0.0004L,        "0",             "4.0E-4"},
      {-0.0004L,       "0",             "-4.0E-4"},
      {0.12345L,       "0.123",         "1.235E-1"},
      {999.9996L,      "1,000",         "1.0E3"},
      {99999.99L,      "99,999.99",     "1.0E5"},
      {1e-12L,         "0",             "1.0E-12"},
      {kInf,           "INF",           "INF"},
  };
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(c.grouped);
    EXPECT_EQ(FormatGrouped(c.value), c.grouped);
    EXPECT_EQ(FormatScientific(c.value), c.scientific);
  }
  EXPECT_EQ(FormatAxisNumber(2e6L, AxisNumberStyle::kScientific), "2.0E6");
  EXPECT_EQ(FormatAxisNumber(2e6L, AxisNumberStyle::kGrouped), "2,000,000");
}

// The window program runs with the user's locale, which may use a comma
// for decimals; the axis numbers must not follow it.
TEST(ChartAxis, NumbersIgnoreTheLocale) {
  const std::string before = std::setlocale(LC_NUMERIC, nullptr);
  if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8")) {
    GTEST_SKIP() << "no German locale installed";
  }
  const std::string grouped = FormatGrouped(1234.5L);
  const std::string scientific = FormatScientific(0.0005L);
  std::setlocale(LC_NUMERIC, before.c_str());
  EXPECT_EQ(grouped, "1,234.5");
  EXPECT_EQ(scientific, "5.0E-4");
}

TEST(ChartAxis, FlatCurveIsNudgedAndItsLeftAxisFixed) {
  struct Case {
    const char* name;
    ChartPointList points;
    bool fixed;
    long double second_y, lo, hi;
  };
  // clang-format off
  const Case cases[] = {
      {"equal EI",       {{0, 2e9L}, {100, 2e9L}, {200, 2e9L}},
                         true,  2.002e9L, 1.8e9L, 2.2e9L},
      {"equal negative", {{0, -10}, {1, -10}},
                         true,  -10.01L, -11,    -9},
      {"not all equal",  {{0, 5}, {1, 5}, {2, 6}},
                         false, 5,       0,      0},
      {"one row",        {{0, 5}},
                         false, 0,       0,      0},
      {"flat at zero",   {{0, 0}, {1, 0}},
                         false, 0,       0,      0},
  };
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const ChartCurve curve = ChartCurveOf(c.points);
    ASSERT_EQ(curve.points.size(), c.points.size());
    EXPECT_EQ(curve.fixed_left.has_value(), c.fixed);
    if (curve.points.size() > 1) {
      EXPECT_DOUBLE_EQ(static_cast<double>(curve.points[1].second),
                       static_cast<double>(c.second_y));
    }
    if (c.fixed) {
      EXPECT_DOUBLE_EQ(static_cast<double>(curve.fixed_left->Min),
                       static_cast<double>(c.lo));
      EXPECT_DOUBLE_EQ(static_cast<double>(curve.fixed_left->Max),
                       static_cast<double>(c.hi));
      const ChartScale scale = ScaleChart(curve);
      EXPECT_EQ(scale.left.Min, curve.fixed_left->Min);
      EXPECT_EQ(scale.left.Max, curve.fixed_left->Max);
    }
  }
}

TEST(ChartAxis, AxesScaleToThePointsWithRoundEnds) {
  // A p-y curve: the axes cover the points, not zero by force.
  ChartScale scale = ScaleChart(ChartCurveOf(
      {{-1, 150}, {-0.5L, 100}, {0, 0}, {0.5L, -100}, {1, -150}}));
  EXPECT_EQ(scale.bottom.Min, -1);
  EXPECT_EQ(scale.bottom.Max, 1);
  EXPECT_EQ(scale.left.Min, -150);
  EXPECT_EQ(scale.left.Max, 150);

  scale = ScaleChart(ChartCurveOf({{2, 12.3L}, {7, 47.9L}}));
  EXPECT_EQ(scale.bottom.Min, 2);
  EXPECT_EQ(scale.bottom.Max, 7);
  EXPECT_EQ(scale.left.Min, 10);
  EXPECT_EQ(scale.left.Max, 50);

  // No points and points too far apart to round still give usable ends.
  scale = ScaleChart(ChartCurveOf({}));
  EXPECT_LT(scale.bottom.Min, scale.bottom.Max);
  const long double huge = std::numeric_limits<long double>::max();
  scale = ScaleChart(ChartCurveOf({{-huge, 0}, {huge, 1}}));
  EXPECT_EQ(scale.bottom.Min, -huge);
  EXPECT_EQ(scale.bottom.Max, huge);
}

}  // namespace
}  // namespace kestra
