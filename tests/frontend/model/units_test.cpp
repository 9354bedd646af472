#include "units.h"

#include <gtest/gtest.h>

#include <cmath>

namespace kestra {
namespace {

constexpr Extended kForce = 224.8089237L;
constexpr Extended kLength = 39.37007874L;
constexpr Extended kSmallLength = 0.03937007874L;
constexpr Extended kDepth = 3.280839895L;

struct FactorCase {
  const char* dimension;
  Extended want;
};

TEST(DimensionFactor, ReadsForceAndLengthParts) {
  // clang-format off
  const FactorCase cases[] = {
      {"F",          kForce},
      {"F0",         kForce},
      {"F1",         0.2248089237L},
      {"F2",         0.1124044745L},
      {"F4",         5.7101483L},
      {"F5",         1},
      {"F6",         68.364249L},
      {"L",          kLength},
      {"L1^2",       kSmallLength * kSmallLength},
      {"L2",         kDepth},
      {"L3",         1},
      {"F-L^2",      kForce * kLength * kLength},
      {"F0^2-L",     kForce * kForce * kLength},
      {"F^2",        kForce * kForce},
      {"F/L2^3",     kForce / (kDepth * kDepth * kDepth)},
      {"F/L2^2",     kForce / (kDepth * kDepth)},
      {"F/L",        kForce / kLength},
      {"F/L2",       kForce / kDepth},
      {"F/L^3",      kForce / (kLength * kLength * kLength)},
      {"F-L/RAD.",   kForce * kLength},
      {"F1-L2/L1^2", 0.2248089237L * kDepth / (kSmallLength * kSmallLength)},
      {"SEE NOTES",  1},
      {"DEG.",       1},
      {"RAD.",       1},
      {"deg.",       1},
      {"",           1},
      {"/",          1},
  };
  // clang-format on
  for (const FactorCase& c : cases) {
    SCOPED_TRACE(std::string("\"") + c.dimension + "\"");
    EXPECT_NEAR(static_cast<double>(DimensionFactor(c.dimension) / c.want), 1.0,
                1e-15);
  }
}

TEST(ConversionFactor, OnlyEnglishAndSIConvertNumbers) {
  EXPECT_EQ(ConversionFactor("L2", 1, 2), 1 / kDepth);
  EXPECT_EQ(ConversionFactor("L2", 2, 1), kDepth);
  for (auto [from, to] :
       {std::pair{1, 3}, {3, 1}, {2, 3}, {3, 2}, {1, 1}, {2, 2}}) {
    EXPECT_EQ(ConversionFactor("F/L2^3", from, to), 1) << from << "->" << to;
  }
  // One inch squared shows as 645.16 mm^2; ten feet as 3.048 m.
  EXPECT_EQ(FormatGeneral(ConversionFactor("L1^2", 1, 2), 8), "645.16");
  EXPECT_EQ(FormatGeneral(10 * ConversionFactor("L2", 1, 2), 8), "3.048");
}

struct LabelCase {
  const char* dimension;
  int units;
  const char* table;
  const char* field;
};

TEST(UnitLabels, TableAndFieldForms) {
  // clang-format off
  const LabelCase cases[] = {
      {"F-L^2",     1, "lbs-in^2",        "lbs-in^2"},
      {"F-L^2",     2, "kN-m^2",          "kN-m^2"},
      {"F/L2^3",    1, "lbs/ft^3",        "lbs/ft^3"},
      {"F/L2^3",    2, "kN/m^3",          "kN/m^3"},
      {"F/L2^2",    3, "F/L^2",           "F/L2^2"},
      {"F/L^3",     1, "lbs/in^3",        "lbs/in^3"},
      {"F/L2",      2, "kN/m",            "kN/m"},
      {"L1^2",      1, "in^2",            "in^2"},
      {"L1^2",      2, "mm^2",            "mm^2"},
      {"L2",        1, "ft",              "ft"},
      {"F-L/RAD.",  1, "lbs-in/RAD.",     "lbs-in/RAD."},
      {"F1",        1, "kips",            "kips"},
      {"F4",        3, "M",               "F4"},
      {"F5",        2, "sec",             "sec"},
      {"L2/L",      1, "ft/in",           "ft/L"},     // fields replace one kind
      {"F2/F",      1, "tons/lbs",        "tons/F"},
      {"SEE NOTES", 1, "SEE NOTES",       "SEE NOTES"},
      {"SEE NOTES", 2, "SEE NOTES",       "SEE NOTES"},
      {"DEG.",      2, "DEG.",            "DEG."},
      {"L",         0, "in",              "in"},       // clamped to English
      {"L",         7, "L",               "L"},        // clamped to system 3
  };
  // clang-format on
  for (const LabelCase& c : cases) {
    SCOPED_TRACE(std::string(c.dimension) + " in system " +
                 std::to_string(c.units));
    EXPECT_EQ(TableUnitLabel(c.dimension, c.units), c.table);
    EXPECT_EQ(FieldUnitLabel(c.dimension, c.units), c.field);
  }
}

TEST(UnitCategories, TenCategoriesOneTable) {
  ASSERT_EQ(UnitCategories().size(), 10u);
  ASSERT_NE(FindUnitCategory("F6"), nullptr);
  EXPECT_EQ(FindUnitCategory("F6")->name[0], "slug");
  EXPECT_EQ(FindUnitCategory("F3"), nullptr);
  EXPECT_EQ(ClampUnitSystem(-4), 1);
  EXPECT_EQ(ClampUnitSystem(9), 3);
}

}  // namespace
}  // namespace kestra
