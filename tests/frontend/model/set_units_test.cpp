#include "set_units.h"

#include <gtest/gtest.h>

#include "input_tables.h"

namespace kestra {
namespace {

TEST(ProjectFactors, FiveSignificantFigures) {
  // English to SI and back leaves a free height of 120 in slightly above
  // 120: the scalars use rounded factors.
  const ProjectUnitFactors to_si = ProjectFactors(1, 2);
  const ProjectUnitFactors to_english = ProjectFactors(2, 1);
  Extended free_height = 120;
  free_height *= to_si.For(ScalarKind::kLength);
  free_height *= to_english.For(ScalarKind::kLength);
  EXPECT_GT(free_height, 120);
  EXPECT_NEAR(static_cast<double>(free_height), 120.0000648, 1e-9);

  EXPECT_EQ(to_si.For(ScalarKind::kForcePerArea),
            0.004448222468060651L / (0.0254L * 0.0254L));
  EXPECT_FALSE(ProjectFactors(1, 3).converts);
  EXPECT_FALSE(ProjectFactors(3, 2).converts);
  EXPECT_FALSE(ProjectFactors(2, 2).converts);
  EXPECT_EQ(ProjectFactors(3, 2).For(ScalarKind::kForcePerArea), 1);
  EXPECT_TRUE(ProjectFactors(0, 2).converts);  // 0 is taken as English
}

class SetUnitsTest : public ::testing::Test {
 protected:
  void SetUp() override { tables.Reset(); }

  UnitSwitchHooks Hooks() {
    UnitSwitchHooks hooks;
    hooks.convert_scalars = [this](const ProjectUnitFactors& f) {
      uniform_surcharge *= f.For(ScalarKind::kForcePerArea);
    };
    hooks.store_units = [this](int units) { stored_units = units; };
    hooks.tables = tables.AllTables();
    hooks.redisplay_dialogs = [this] { ++redisplays; };
    hooks.surcharge_table = &tables.SurchargeTable;
    return hooks;
  }

  InputTables tables;
  Extended uniform_surcharge = 1;
  int stored_units = 0;
  int redisplays = 0;
};

TEST_F(SetUnitsTest, ConvertsScalarsTablesAndSurchargeRowsByType) {
  TGridTable& s = tables.SurchargeTable;
  s.SetRowCount(4);
  const int types[] = {1, 2, 3, 9};
  for (int row = 0; row < 4; ++row) {
    s.SetCellInteger(surcharge_columns::kLoadType, row, types[row]);
    s.SetCellFloat(surcharge_columns::kMagnitude, row, 100);
    s.SetCellFloat(surcharge_columns::kDistance, row, 10);
  }
  tables.TiebackTable1.SetCellFloat(0, 0, 10);  // depth, ft

  EXPECT_EQ(SetUnits(1, 2, Hooks()), 2);
  EXPECT_EQ(stored_units, 2);
  EXPECT_EQ(redisplays, 1);
  const Extended force = 0.004448222468060651L;
  const Extended length = 0.0254L;
  EXPECT_EQ(*s.CellFloat(1, 0), 100 * force);
  EXPECT_EQ(*s.CellFloat(1, 1), 100 * (force / length));
  EXPECT_EQ(*s.CellFloat(1, 2), 100 * (force / (length * length)));
  EXPECT_EQ(*s.CellFloat(1, 3), 100);  // unknown load type: left alone
  EXPECT_EQ(s.CellText(surcharge_columns::kDistance, 0), "254");
  EXPECT_EQ(tables.TiebackTable1.CellText(0, 0), "3.048");
  EXPECT_EQ(uniform_surcharge, force / (length * length));
  for (TGridTable* t : tables.AllTables()) EXPECT_EQ(t->TableUnits(), 2);
}

TEST_F(SetUnitsTest, SystemThreeChangesLabelsOnly) {
  tables.PileSect.SetCellFloat(3, 0, 5e6L);
  SetUnits(1, 2, Hooks());
  const Extended si = *tables.PileSect.CellFloat(3, 0);
  uniform_surcharge = 7;
  EXPECT_EQ(SetUnits(2, 3, Hooks()), 3);
  EXPECT_EQ(*tables.PileSect.CellFloat(3, 0), si);
  EXPECT_EQ(tables.PileSect.HeaderText(3, 0),
            "Flexural Stiffness (EI) (F-L^2)  ");
  EXPECT_EQ(SetUnits(3, 2, Hooks()), 2);
  EXPECT_EQ(*tables.PileSect.CellFloat(3, 0), si);
  EXPECT_EQ(uniform_surcharge, 7);
}

TEST_F(SetUnitsTest, ClampsTheRequestedSystem) {
  EXPECT_EQ(SetUnits(1, 0, Hooks()), 1);
  EXPECT_EQ(SetUnits(1, 42, Hooks()), 3);
  EXPECT_EQ(stored_units, 3);
}

}  // namespace
}  // namespace kestra
