#include "program_data.h"

#include <gtest/gtest.h>

#include "input_tables.h"

namespace kestra {
namespace {

TEST(ProgramData, NewProjectDefaults) {
  InputTables tables;
  tables.PileSect.SetRowCount(4);
  TProgramData d(tables);
  EXPECT_EQ(d.Units, 1);
  EXPECT_EQ(d.PressureDistribution, 2);
  EXPECT_EQ(d.GeneratePYCurves, 1);
  EXPECT_EQ(d.StageCount, 1);
  EXPECT_EQ(d.MaxDeflection, 100);
  EXPECT_EQ(d.ClosureTolerance, 0.00001L);
  EXPECT_EQ(d.ActivePressureFactor, 1);
  EXPECT_EQ(d.IncrementCount, 0);
  EXPECT_EQ(d.FileName, "NewWall.ks5d");
  for (ApplySwitch s : {ApplySwitch::kConcentratedLoads, ApplySwitch::kTiebacks,
                        ApplySwitch::kEICurves, ApplySwitch::kSurcharge}) {
    EXPECT_FALSE(d.Switch(s));
  }
  EXPECT_EQ(tables.PileSect.RowCount(), 1);
  EXPECT_EQ(tables.PileSect.CellText(1, 0), "1");
}

TEST(ProgramData, MenuOperations) {
  InputTables tables;
  TProgramData d(tables);
  EXPECT_TRUE(d.Toggle(ApplySwitch::kSprings));
  EXPECT_EQ(&d.SwitchTable(ApplySwitch::kSprings), &tables.SoilStrength);
  EXPECT_FALSE(d.Toggle(ApplySwitch::kSprings));

  d.ChoosePressureDistribution(1);
  EXPECT_TRUE(d.UserPressure);
  d.PressureDistribution = 0;
  d.EarthPressureMenuOpened();
  EXPECT_EQ(d.PressureDistribution, 1);
  d.ChoosePressureDistribution(3);
  d.OptionsMenuOpened();
  EXPECT_FALSE(d.UserPressure);

  // clang-format off
  const int rows[][2] = {{1, 0}, {0, 1}, {5, 0}, {-3, 1}};
  // clang-format on
  for (const auto& r : rows) {
    d.GeneratePYCurves = r[0];
    d.ToggleGeneratePYCurves();
    EXPECT_EQ(d.GeneratePYCurves, r[1]) << "from " << r[0];
  }

  d.FreeHeight = 120;
  d.UniformSurcharge = 1;
  tables.NewSoil.SetCellFloat(1, 0, 10);
  d.SetUnits(2);
  EXPECT_EQ(d.Units, 2);
  EXPECT_EQ(d.FreeHeight, 120 * 0.0254L);
  EXPECT_EQ(tables.NewSoil.CellText(1, 0), "3.048");
  EXPECT_EQ(tables.TblClay1.TableUnits(), 2);
}

}  // namespace
}  // namespace kestra
