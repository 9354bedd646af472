#include "input_tables.h"

#include <gtest/gtest.h>

#include "enum_column.h"
#include "float_column.h"
#include "int_column.h"

namespace kestra {
namespace {

class InputTablesTest : public ::testing::Test {
 protected:
  void SetUp() override { tables.Reset(); }
  InputTables tables;
};

struct TableCase {
  TGridTable InputTables::*table;
  const char* name;
  int identifier;
  const char* caption;
  int min_rows;
  int max_rows;
  const char* top_left;
  int columns;
};

TEST_F(InputTablesTest, Catalogue) {
  using T = InputTables;
  // clang-format off
  const TableCase cases[] = {
      {&T::PileSect,       "PileSect",       15,  "Wall Stiffness",                       1, 10,  "Section", 4},
      {&T::SoilLayer,      "SoilLayer",      0,   "Specify Deflection and Slope on Wall", 1, 10,  "No",      4},
      {&T::BoundCond,      "BoundCond",      123, "Concentrated Loads on Wall",           1, 20,  "",        6},
      {&T::SoilStrength,   "SoilStrength",   4,   "Lateral Spring and Rotation Spring",   1, 20,  "Point",   5},
      {&T::TiebackTable1,  "TiebackTable1",  77,  "Tieback (ground anchor) Table",        1, 20,  "",        7},
      {&T::PYMod,          "PYMod",          16,  "p-y Modification Factors",             2, 30,  "",        3},
      {&T::DistLoad,       "DistLoad",       22,  "Distributed Loads",                    2, 100, "",        2},
      {&T::LongDist,       "LongDist",       104, "Distributed Load (Long-Term)",         1, 0,   "",        2},
      {&T::SurchargeTable, "SurchargeTable", 23,  "Surcharge Loads",                      1, 20,  "",        4},
      {&T::NewSoil,        "NewSoil",        19,  "Soil Layers",                          1, 10,  "",        3},
      {&T::LongSoil,       "LongSoil",       44,  "Soil Layers (Long-Term)",              1, 10,  "",        3},
      {&T::TblClay1,       "TblClay1",       18,  "Clay",                                 2, 2,   "",        5},
      {&T::TblSand1,       "TblSand1",       17,  "Sand",                                 2, 2,   "",        4},
      {&T::TblSilt1,       "TblSilt1",       29,  "Silt",                                 2, 2,   "",        6},
      {&T::TblRock1,       "TblRock1",       30,  "Strong Rock",                          2, 2,   "",        2},
      {&T::TblRock2,       "TblRock2",       31,  "Weak Rock",                            2, 2,   "",        5},
  };
  // clang-format on
  for (const TableCase& c : cases) {
    SCOPED_TRACE(c.name);
    const TGridTable& t = tables.*c.table;
    EXPECT_EQ(t.Identifier(), c.identifier);
    EXPECT_EQ(t.Caption(), c.caption);
    EXPECT_EQ(t.MinRows(), c.min_rows);
    EXPECT_EQ(t.MaxRows(), c.max_rows);
    EXPECT_EQ(t.TopLeft(), c.top_left);
    EXPECT_EQ(t.ColumnCount(), c.columns);
    EXPECT_EQ(t.RowGroup(), 1);
    EXPECT_EQ(tables.DataRegistry().Find(c.identifier), &t);
  }
}

TEST_F(InputTablesTest, ChartTablesHaveTheirOwnIdentifiers) {
  EXPECT_EQ(tables.ChartRegistry().Find(0), &tables.Rows2);
  EXPECT_EQ(tables.DataRegistry().Find(0), &tables.SoilLayer);
  EXPECT_EQ(tables.ChartRegistry().Find(37), &tables.PYCurves2);
  EXPECT_EQ(tables.ChartRegistry().Find(36), &tables.MEICurves2);
  EXPECT_EQ(tables.ChartRegistry().Find(38), &tables.PYCurve2);
  EXPECT_TRUE(tables.PYCurve2.Chart().show_chart);
  EXPECT_TRUE(tables.Rows2.GetDataFromFile());
  EXPECT_FALSE(tables.MEICurves2.Chart().show_chart);
  EXPECT_EQ(tables.PYCurve2.MaxRows(), 17);
  EXPECT_EQ(tables.Rows2.MaxRows(), 100);
}

TEST_F(InputTablesTest, NewProjectDefaults) {
  const TGridTable& pile = tables.PileSect;
  ASSERT_EQ(pile.RowCount(), 1);
  EXPECT_EQ(pile.CellText(0, 0), "0");
  EXPECT_EQ(pile.CellText(1, 0), "1");
  EXPECT_EQ(pile.CellText(2, 0), "1");
  EXPECT_EQ(pile.CellText(3, 0), "0");

  ASSERT_EQ(tables.PYMod.RowCount(), 2);
  EXPECT_EQ(tables.PYMod.CellFloat(1, 1), 1.0L);
  EXPECT_EQ(tables.PYMod.CellFloat(2, 1), 1.0L);

  const TGridTable* clay = tables.NewSoil.SubTable(2, 0);
  ASSERT_NE(clay, nullptr);
  EXPECT_EQ(tables.NewSoil.CellInteger(0, 0), 1);
  EXPECT_EQ(clay->Caption(), "Clay");
  EXPECT_EQ(clay->RowCount(), 2);
  for (int c = 0; c < clay->ColumnCount(); ++c) {
    EXPECT_EQ(clay->CellFloat(c, 0), 0);
    EXPECT_EQ(clay->CellFloat(c, 1), 0);
  }
  EXPECT_EQ(clay->WindowTitle(), "Clay  1");

  // External p-y curve sets: two sets of two points each.
  ASSERT_EQ(tables.PYCurves2.RowCount(), 2);
  const TGridTable* curve = tables.PYCurves2.SubTable(1, 1);
  ASSERT_NE(curve, nullptr);
  EXPECT_EQ(curve->Caption(), "External p-y Curve");
  EXPECT_EQ(curve->RowCount(), 2);
  EXPECT_EQ(tables.MEICurves2.SubTable(2, 0)->Caption(), "Moment and EI data");
  EXPECT_EQ(tables.MEICurves2.SubTable(2, 0)->RowCount(), 1);
  EXPECT_FALSE(tables.Modified());
}

TEST_F(InputTablesTest, SoilTypesSelectTheirParameterTables) {
  const char* captions[] = {"Clay", "Clay",        "Clay",     "Sand",
                            "Silt", "Strong Rock", "Weak Rock"};
  for (TGridTable* soil : {&tables.NewSoil, &tables.LongSoil}) {
    for (int type = 1; type <= 7; ++type) {
      SCOPED_TRACE(soil->Caption() + " type " + std::to_string(type));
      soil->SetCellText(soil_columns::kSoilType, 0, std::to_string(type));
      const TGridTable* sub = soil->SubTable(soil_columns::kParameters, 0);
      ASSERT_NE(sub, nullptr);
      EXPECT_EQ(sub->Caption(), captions[type - 1]);
      EXPECT_EQ(sub->RowCount(), 2);
    }
  }
}

struct HeaderCase {
  TGridTable InputTables::*table;
  int column;
  int line;
  const char* english;
  const char* si;
};

TEST_F(InputTablesTest, HeadersWithUnits) {
  using T = InputTables;
  // clang-format off
  const HeaderCase cases[] = {
      {&T::PileSect,       3, 0, "Flexural Stiffness (EI) (lbs-in^2)  ",   "Flexural Stiffness (EI) (kN-m^2)  "},
      {&T::TblClay1,       0, 1, "Weight, (lbs/ft^3)  ",                   "Weight, (kN/m^3)  "},
      {&T::TblClay1,       1, 1, "Strength, (lbs/ft^2)  ",                 "Strength, (kN/m^2)  "},
      {&T::TblClay1,       3, 0, "k(py) (lbs/in^3)  ",                     "k(py) (kN/m^3)  "},
      {&T::TblRock1,       1, 1, "Strength, (lbs/in^2)  ",                 "Strength, (kN/m^2)  "},
      {&T::DistLoad,       1, 0, "Lateral distributed line load,  (lbs/ft)  ", "Lateral distributed line load,  (kN/m)  "},
      {&T::LongDist,       1, 0, "Lateral distributed line load, (lbs/ft)  ",  "Lateral distributed line load, (kN/m)  "},
      {&T::TiebackTable1,  1, 1, "of steel rod, (in^2)  ",                 "of steel rod, (mm^2)  "},
      {&T::TiebackTable1,  4, 1, "horizontal, (DEG.)  ",                   "horizontal, (DEG.)  "},
      {&T::SoilStrength,   4, 1, "Stiff. (lbs-in/RAD.)  ",                 "Stiff. (kN-m/RAD.)  "},
      {&T::SurchargeTable, 1, 0, "Load Magnitude (SEE NOTES)  ",           "Load Magnitude (SEE NOTES)  "},
      {&T::SoilStrength,   1, 1, "     (Start)",                           "     (Start)"},
      {&T::NewSoil,        0, 0, "Soil ",                                  "Soil "},
      {&T::LongSoil,       0, 0, "Soil",                                   "Soil"},
      {&T::PYMod,          1, 0, "p-Multiplier",                           "p-Multiplier"},
  };
  // clang-format on
  for (const HeaderCase& c : cases) {
    const TGridTable& t = tables.*c.table;
    SCOPED_TRACE(t.Caption() + " column " + std::to_string(c.column));
    EXPECT_EQ(t.HeaderText(c.column, c.line), c.english);
  }
  for (TGridTable* t : tables.AllTables()) t->SetTableUnits(2);
  for (const HeaderCase& c : cases) {
    const TGridTable& t = tables.*c.table;
    SCOPED_TRACE(t.Caption() + " column " + std::to_string(c.column));
    EXPECT_EQ(t.HeaderText(c.column, c.line), c.si);
  }
}

TEST_F(InputTablesTest, ColumnDetails) {
  const auto& choices =
      static_cast<const TEnumColumn&>(tables.SoilStrength.Column(0)).Choices();
  EXPECT_EQ(choices.at(0), "Use Constant Values for all Nodes on this Line  ");
  EXPECT_EQ(static_cast<const TEnumColumn&>(tables.LongSoil.Column(0))
                .Choices()
                .at(1),
            "Stiff Clay with Free water");
  const auto& to_node =
      static_cast<const TIntColumn&>(tables.SoilStrength.Column(2));
  EXPECT_EQ(to_node.Min(), -2147483647 - 1);
  EXPECT_EQ(to_node.Max(), 2147483647);
  const auto& mei = static_cast<const TIntColumn&>(tables.MEICurves2.Column(1));
  EXPECT_EQ(mei.Max(), 1000);
  EXPECT_TRUE(tables.MEICurves2.Column(2).Header().empty());
  EXPECT_EQ(static_cast<const TFloatColumn&>(tables.SurchargeTable.Column(1))
                .Dimension(),
            "SEE NOTES");
}

TEST_F(InputTablesTest, HelpTexts) {
  EXPECT_EQ(tables.TblRock2.Comments(),
            "* krm is a strain constant that seve to establish the overall "
            "stiffness of the curves");
  EXPECT_EQ(tables.SurchargeTable.Comments().substr(0, 41),
            "The unit for point load is lbs or kN \rThe");
  // Sub-tables carry their template's help.
  EXPECT_EQ(tables.NewSoil.SubTable(2, 0)->Comments(),
            tables.TblClay1.Comments());
  const std::string& pile = tables.PileSect.Comments();
  EXPECT_EQ(pile.substr(0, pile.find('\r')),
            "The nodal number at the top of the wall is set to be 0.");
  EXPECT_NE(pile.find("all nodes of the wall.\rLinear interpolation"),
            std::string::npos);
  EXPECT_TRUE(tables.TiebackTable1.Comments().empty());
  EXPECT_FALSE(tables.DistLoad.HelpPicture().empty());
}

TEST_F(InputTablesTest, ModifiedReachesSubTables) {
  tables.NewSoil.SubTable(2, 0)->SetChanged();
  EXPECT_TRUE(tables.Modified());
  tables.ResetChanged();
  EXPECT_FALSE(tables.Modified());
}

}  // namespace
}  // namespace kestra
