#include "table.h"

#include <gtest/gtest.h>

#include "assign_error.h"
#include "enum_column.h"
#include "float_column.h"
#include "int_column.h"
#include "string_column.h"
#include "table_chart.h"
#include "table_column.h"

namespace kestra {
namespace {

// A layer table in miniature: soil type (choice), depth, an integer and a
// flex column whose templates are "Clay" for type 1, "Sand" for type 2 and
// nothing for type 3.
class LayerTableTest : public ::testing::Test {
 protected:
  enum { kType, kDepth, kNode, kParameters };

  LayerTableTest() {
    Template(clay, 18, "Clay");
    Template(sand, 17, "Sand");
    layers.SetCaption("Soil Layers");
    layers.AddColumn(std::make_unique<TEnumColumn>(
        std::vector<std::string>{"Type"},
        std::vector<std::string>{"Clay", "Sand", "Other"}));
    layers.AddColumn(std::make_unique<TFloatColumn>(
        std::vector<std::string>{"Depth at Bottom", "of the Layer,"}, "L2"));
    layers.AddColumn(std::make_unique<TIntColumn>(
        std::vector<std::string>{"Node"}, 0, 0, 2147483600));
    layers.AddColumn(std::make_unique<TTableColumn>(
        std::vector<std::string>{"Edit Soil", "Parameters"},
        std::vector<std::optional<int>>{18, 17}));
    layers.SetRowCount(1);
  }

  static void Template(TGridTable& t, int id, const char* caption) {
    t.SetIdentifier(id);
    t.SetCaption(caption);
    t.SetMinRows(2);
    t.SetMaxRows(2);
    t.SetComments("help");
    t.AddColumn(std::make_unique<TFloatColumn>(
        std::vector<std::string>{"Total Unit", "Weight,"}, "F/L2^3"));
  }

  TableRegistry registry;
  TGridTable clay{registry};
  TGridTable sand{registry};
  TGridTable layers{registry};
};

TEST_F(LayerTableTest, NewRowsGetDefaultsAndFreshSubTables) {
  layers.SetRowCount(3);
  ASSERT_EQ(layers.RowCount(), 3);
  for (int row = 0; row < 3; ++row) {
    SCOPED_TRACE(row);
    EXPECT_EQ(layers.CellInteger(kType, row), 1);
    TGridTable* sub = layers.SubTable(kParameters, row);
    ASSERT_NE(sub, nullptr);
    EXPECT_EQ(sub->Caption(), "Clay");
    EXPECT_EQ(sub->Comments(), "help");
    EXPECT_EQ(sub->RowCount(), 2);
    EXPECT_EQ(sub->CellFloat(0, 1), 0);
    EXPECT_EQ(sub->LabelNumber(), row + 1);
    EXPECT_EQ(sub->Owner(), &layers);
  }
  EXPECT_NE(layers.SubTable(kParameters, 0), layers.SubTable(kParameters, 1));
  EXPECT_EQ(layers.CellText(kParameters, 2), "3: Clay");
  layers.SetRowCount(-5);
  EXPECT_EQ(layers.RowCount(), 0);
}

TEST_F(LayerTableTest, ANewChoiceRebuildsTheSubTable) {
  layers.SubTable(kParameters, 0)->SetCellFloat(0, 0, 110);
  int discarded = 0;
  layers.SubTable(kParameters, 0)->OnDiscarded = [&discarded] { ++discarded; };

  // Committing the same choice again keeps the layer's parameters.
  layers.SetCellText(kType, 0, "1");
  EXPECT_EQ(layers.SubTable(kParameters, 0)->CellFloat(0, 0), 110);
  EXPECT_EQ(discarded, 0);

  layers.SetCellText(kType, 0, "2");
  EXPECT_EQ(discarded, 1);
  EXPECT_EQ(layers.SubTable(kParameters, 0)->Caption(), "Sand");
  layers.Cell(kType, 0).SetInteger(1);
  EXPECT_EQ(layers.SubTable(kParameters, 0)->Caption(), "Clay");
  EXPECT_EQ(layers.SubTable(kParameters, 0)->CellFloat(0, 0), 0)
      << "a new table, not the old values";

  layers.SetCellText(kType, 0, "3");  // no template for this choice
  EXPECT_EQ(layers.SubTable(kParameters, 0), nullptr);
  EXPECT_EQ(layers.CellText(kParameters, 0), "1: ");
  layers.SetCellText(kType, 0, "9");  // choices are not range-checked
  EXPECT_EQ(layers.CellInteger(kType, 0), 9);
}

TEST_F(LayerTableTest, HandlesFollowTheirRow) {
  layers.SetRowCount(3);
  layers.SetCellFloat(kDepth, 2, 30);
  TData third = layers.Cell(kDepth, 2);
  TData first = layers.Cell(kDepth, 0);

  layers.InsertRowBlock(0);
  EXPECT_EQ(third.Row(), 3);
  EXPECT_EQ(third.GetFloat(), 30);
  layers.DeleteRowBlock(1);  // the row `first` named
  EXPECT_FALSE(first.Valid());
  EXPECT_EQ(first.GetFloat(), std::nullopt);
  EXPECT_FALSE(first.SetFloat(1));
  EXPECT_EQ(third.Row(), 2);
  third.SetText("3*12");
  EXPECT_EQ(layers.CellFloat(kDepth, 2), 36);
  EXPECT_EQ(TData().GetText(), "");
}

TEST_F(LayerTableTest, DeletingRenumbersSubTablesBelow) {
  layers.SetRowCount(3);
  TGridTable* former_third = layers.SubTable(kParameters, 2);
  int retitled = 0;
  former_third->OnTitleChanged = [&retitled] { ++retitled; };
  EXPECT_EQ(former_third->WindowTitle(), "Clay  3");
  layers.DeleteRowBlock(1);
  EXPECT_EQ(former_third->LabelNumber(), 2);
  EXPECT_EQ(former_third->WindowTitle(), "Clay  2");
  EXPECT_EQ(retitled, 1);
  EXPECT_EQ(layers.WindowTitle(), "Soil Layers ");
}

TEST_F(LayerTableTest, TypedValueAccess) {
  TData type = layers.Cell(kType, 0);
  TData depth = layers.Cell(kDepth, 0);
  TData parameters = layers.Cell(kParameters, 0);
  EXPECT_EQ(type.GetFloat(), std::nullopt);
  EXPECT_FALSE(depth.SetInteger(3));
  EXPECT_EQ(depth.GetTable(), nullptr);
  EXPECT_EQ(parameters.GetTable(), layers.SubTable(kParameters, 0));
  EXPECT_FALSE(depth.SetFloat(std::numeric_limits<Extended>::infinity()));
  try {
    parameters.SetText("1");
    FAIL() << "a flex cell took text";
  } catch (const EAssignError& e) {
    EXPECT_STREQ(e.what(), "Data of wrong type");
  }
}

struct SetTextCase {
  const char* name;
  int column;
  bool editor_open;
  const char* text;
  const char* error;   // nullptr: accepted
  const char* stored;  // text form afterwards
};

TEST_F(LayerTableTest, SetTextRules) {
  // clang-format off
  const SetTextCase cases[] = {
      {"float expression",      kDepth, true,  "150/144*12", nullptr, "12.5"},
      {"float blank",           kDepth, true,  "",        "Entry cannot be blank.",                "0"},
      {"float blanks",          kDepth, true,  "  ",      "   is not a valid number.",             "0"},
      {"float word",            kDepth, false, "abc",     "abc is not a valid number.",            "0"},
      {"float division by 0",   kDepth, true,  "1/0",     "1/0 is not a valid number.",            "0"},
      {"int whole",             kNode,  true,  "2*3",     nullptr,                                 "6"},
      {"int nearly whole",      kNode,  true,  "0.1*30",  nullptr,                                 "3"},
      {"int fraction",          kNode,  true,  "2.5",     "Entry must be an integer.",             "0"},
      {"int below range",       kNode,  true,  "-1",      "Entry must be between 0 and 2147483600.", "0"},
      {"int above range",       kNode,  true,  "2147483601", "Entry must be between 0 and 2147483600.", "0"},
      {"int from a reader",     kNode,  false, "-1",      nullptr,                                 "-1"},
      {"int reader rounds",     kNode,  false, "2.5",     nullptr,                                 "2"},
      {"int beyond 32 bits",    kNode,  false, "1e10",    "Entry must be between 0 and 2147483600.", "0"},
      {"int blank",             kNode,  true,  "",        "Entry cannot be blank.",                "0"},
      {"choice out of list",    kType,  true,  "2+1",     nullptr,                                 "3"},
      {"choice fraction",       kType,  true,  "1.5",     "Value must be an integer.",             "1"},
      {"choice beyond 32 bits", kType,  false, "3e9",     "Value must be an integer.",             "1"},
      {"choice word",           kType,  true,  "sand",    "sand is not a valid number.",           "1"},
  };
  // clang-format on
  for (const SetTextCase& c : cases) {
    SCOPED_TRACE(c.name);
    layers.SetRowCount(0);
    layers.SetRowCount(1);
    layers.SetEditorOpen(c.editor_open);
    if (c.error) {
      try {
        layers.SetCellText(c.column, 0, c.text);
        ADD_FAILURE() << "accepted";
      } catch (const EAssignError& e) {
        EXPECT_EQ(std::string(e.what()), c.error);
      }
    } else {
      EXPECT_NO_THROW(layers.SetCellText(c.column, 0, c.text));
    }
    EXPECT_EQ(layers.CellText(c.column, 0), c.stored);
  }
}

TEST_F(LayerTableTest, UnitSwitchConvertsCellsAndSubTables) {
  layers.SetCellFloat(kDepth, 0, 10);
  TGridTable* clay_layer = layers.SubTable(kParameters, 0);
  clay_layer->SetCellFloat(0, 0, 120);
  EXPECT_EQ(layers.HeaderText(kDepth, 0), "Depth at Bottom");
  EXPECT_EQ(layers.HeaderText(kDepth, 1), "of the Layer, (ft)  ");
  EXPECT_EQ(layers.HeaderText(kDepth, 2), "");

  layers.SetTableUnits(2);
  EXPECT_NEAR(static_cast<double>(*layers.CellFloat(kDepth, 0)),
              10 / 3.280839895, 1e-15);
  EXPECT_EQ(layers.CellText(kDepth, 0), "3.048");
  const Extended weight_factor =
      3.280839895L * 3.280839895L * 3.280839895L / 224.8089237L;
  EXPECT_NEAR(
      static_cast<double>(*clay_layer->CellFloat(0, 0) / (120 * weight_factor)),
      1.0, 1e-15);
  EXPECT_EQ(clay_layer->TableUnits(), 2);
  EXPECT_EQ(layers.HeaderText(kDepth, 1), "of the Layer, (m)  ");

  const Extended si = *layers.CellFloat(kDepth, 0);
  layers.SetTableUnits(3);
  EXPECT_EQ(layers.CellFloat(kDepth, 0), si);
  EXPECT_EQ(layers.HeaderText(kDepth, 1), "of the Layer, (L)  ");
  // New layers take the table's system.
  layers.SetRowCount(2);
  EXPECT_EQ(layers.SubTable(kParameters, 1)->TableUnits(), 3);
}

TEST_F(LayerTableTest, ChangedFlagsIncludeSubTables) {
  EXPECT_FALSE(layers.Changed());
  layers.SubTable(kParameters, 0)->SetChanged();
  EXPECT_TRUE(layers.Changed());
  layers.ResetChanged();
  EXPECT_FALSE(layers.Changed());
  EXPECT_FALSE(layers.SubTable(kParameters, 0)->Changed());
}

TEST_F(LayerTableTest, NotificationsAndHolding) {
  int tables = 0;
  std::vector<std::pair<int, int>> cells;
  layers.OnTableChanged = [&tables] { ++tables; };
  layers.OnCellChanged = [&cells](int c, int r) { cells.emplace_back(c, r); };
  layers.SetCellText(kDepth, 0, "5");
  EXPECT_EQ(cells, (std::vector<std::pair<int, int>>{{kDepth, 0}}));
  layers.AddRowBlock();
  EXPECT_EQ(tables, 1);

  layers.HoldNotifications();
  layers.AddRowBlock();
  layers.SetCellFloat(kDepth, 2, 1);
  layers.SetTableUnits(2);
  EXPECT_EQ(tables, 1);
  layers.ResumeNotifications();
  EXPECT_EQ(tables, 2);
  EXPECT_EQ(cells.size(), 1u);
}

TEST_F(LayerTableTest, GroupedColumnsSetWholeBlocks) {
  layers.SetRowGroup(2);
  layers.SetRowCount(4);
  layers.Column(kDepth).SetGrouped(true);
  layers.SetCellFloat(kDepth, 3, 7);
  EXPECT_EQ(layers.CellFloat(kDepth, 2), 7);
  EXPECT_EQ(layers.CellFloat(kDepth, 1), 0);
  layers.InsertRowBlock(3);  // a block before the block of row 3
  EXPECT_EQ(layers.RowCount(), 6);
  EXPECT_EQ(layers.CellFloat(kDepth, 4), 7);
  layers.DeleteRowBlock(5);
  EXPECT_EQ(layers.RowCount(), 4);
}

TEST(TableRegistry, IdentifiersSwapAndLookupsFindTheFirst) {
  TableRegistry registry;
  TGridTable a{registry};
  TGridTable b{registry};
  EXPECT_LT(a.Identifier(), 0);  // provisional identifiers never collide
  EXPECT_NE(a.Identifier(), b.Identifier());
  const int a_provisional = a.Identifier();
  b.SetIdentifier(5);
  a.SetIdentifier(5);  // b takes a's previous identifier
  EXPECT_EQ(a.Identifier(), 5);
  EXPECT_EQ(b.Identifier(), a_provisional);
  EXPECT_EQ(registry.Find(5), &a);
  {
    TGridTable c{registry};
    c.SetIdentifier(9);
    EXPECT_EQ(registry.Find(9), &c);
  }
  EXPECT_EQ(registry.Find(9), nullptr);
}

TEST(TGridTable, MinRowsMustBePositive) {
  TableRegistry registry;
  TGridTable t{registry};
  try {
    t.SetMinRows(0);
    FAIL() << "accepted";
  } catch (const EAssignError& e) {
    EXPECT_STREQ(e.what(), "Value must be greater than 0");
  }
  t.BeginDefinition();
  t.SetMinRows(0);
  t.EndDefinition();
  EXPECT_EQ(t.MinRows(), 1);
}

TEST(TGridTable, TemplateListFollowsTheChoices) {
  TableRegistry registry;
  TGridTable t{registry};
  auto& flex = t.AddColumn(std::make_unique<TTableColumn>(
      std::vector<std::string>{}, std::vector<std::optional<int>>{1, 2, 3}));
  EXPECT_EQ(flex.Templates().size(), 1u);  // no choice column: one entry
  TGridTable u{registry};
  u.AddColumn(std::make_unique<TEnumColumn>(
      std::vector<std::string>{}, std::vector<std::string>{"a", "b", "c"}));
  auto& padded = u.AddColumn(std::make_unique<TTableColumn>(
      std::vector<std::string>{}, std::vector<std::optional<int>>{4}));
  EXPECT_EQ(padded.Templates(),
            (std::vector<std::optional<int>>{4, std::nullopt, std::nullopt}));
}

TEST(TGridTable, TextColumnAndHeaderRows) {
  TableRegistry registry;
  TGridTable t{registry};
  t.AddColumn(std::make_unique<TStringColumn>(std::vector<std::string>{"Name"},
                                              "none", 1.5L));
  auto& hidden = t.AddColumn(std::make_unique<TFloatColumn>(
      std::vector<std::string>{"a", "b", "c"}, ""));
  t.SetRowCount(1);
  EXPECT_EQ(t.CellText(0, 0), "none");
  t.SetCellText(0, 0, "1/0 is text here");
  EXPECT_EQ(t.CellText(0, 0), "1/0 is text here");
  EXPECT_EQ(t.HeaderRows(), 3);
  hidden.SetVisible(false);
  EXPECT_EQ(t.HeaderRows(), 1);
}

TEST(TGridTableChart, CopiesAreChartTablesWithTheirPoints) {
  TableRegistry registry;
  TGridTableChart curve{registry};
  curve.SetIdentifier(38);
  curve.SetMinRows(2);
  curve.SetGetDataFromFile(true);
  curve.SetChart({true, false, 0, 1, 0, 0});
  curve.AddColumn(
      std::make_unique<TFloatColumn>(std::vector<std::string>{"y"}, "L"));
  curve.AddColumn(
      std::make_unique<TFloatColumn>(std::vector<std::string>{"p"}, "F/L"));
  TGridTableChart sets{registry};
  sets.AddColumn(std::make_unique<TIntColumn>(
      std::vector<std::string>{"Node # "}, 0, -2147483647 - 1, 2147483647));
  sets.AddColumn(
      std::make_unique<TTableColumn>(std::vector<std::string>{"Curve Sets"},
                                     std::vector<std::optional<int>>{38}));
  sets.SetRowCount(1);

  auto* copy = dynamic_cast<TGridTableChart*>(sets.SubTable(1, 0));
  ASSERT_NE(copy, nullptr);
  EXPECT_TRUE(copy->GetDataFromFile());
  EXPECT_TRUE(copy->Chart().show_chart);
  copy->SetCellFloat(0, 1, 0.5L);
  copy->SetCellFloat(1, 1, 100);
  EXPECT_EQ(copy->ChartPoints(),
            (std::vector<std::pair<Extended, Extended>>{{0, 0}, {0.5L, 100}}));
}

}  // namespace
}  // namespace kestra
