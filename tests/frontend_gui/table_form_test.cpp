#include "table_form.h"

#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include "float_column.h"
#include "input_tables.h"
#include "units.h"
#include "widget_test_support.h"

namespace kestra {
namespace {

using testing::ProcessEvents;
using testing::RecordedMessages;

class TableForm : public ::testing::Test {
 protected:
  void SetUp() override { tables.Reset(); }

  TTableForm& Open(TGridTable& table) {
    TTableForm* form = windows.Show(table);
    EXPECT_NE(form, nullptr);
    ProcessEvents();
    return *form;
  }

  // The open cell editor; closed ones linger hidden until deleted.
  static QLineEdit* Editor(const TTableForm& form) {
    for (auto* editor : form.Grid()->viewport()->findChildren<QLineEdit*>()) {
      if (editor->isVisible()) return editor;
    }
    return nullptr;
  }

  // Types `text` into the cell's editor, as the user does.
  static QLineEdit* Type(TTableForm& form, int col, int row,
                         const QString& text) {
    EXPECT_TRUE(form.MoveTo(col, row));
    QTableWidget* grid = form.Grid();
    if (!Editor(form)) grid->edit(grid->currentIndex());
    QLineEdit* editor = Editor(form);
    EXPECT_NE(editor, nullptr);
    if (editor) editor->setText(text);
    return editor;
  }

  static std::pair<int, int> Cursor(const TTableForm& form) {
    const QModelIndex index = form.Grid()->currentIndex();
    return {form.TableColumn(index.column()), index.row()};
  }

  RecordedMessages recorded;
  InputTables tables;
  TTableWindows windows;
};

TEST_F(TableForm, OpensWithTitleStackedHeadersRowNumbersAndHelp) {
  TTableForm& form = Open(tables.BoundCond);
  EXPECT_EQ(form.windowTitle(), "Concentrated Loads on Wall ");
  EXPECT_EQ(form.HeaderRows(), 2);
  QTableWidget* grid = form.Grid();
  ASSERT_EQ(grid->columnCount(), 6);
  // Every column has the same number of lines; a float column's last line
  // carries its unit.
  EXPECT_EQ(grid->horizontalHeaderItem(0)->text(), "Constant or Interpolate?\n");
  EXPECT_EQ(grid->horizontalHeaderItem(1)->text(), "From Node No.\n(Start)");
  EXPECT_EQ(grid->horizontalHeaderItem(3)->text(),
            "Lateral Load (lbs)  \n");
  EXPECT_FALSE(grid->horizontalHeaderItem(0)->toolTip().isEmpty());
  EXPECT_EQ(grid->verticalHeaderItem(0)->text(), "1");
  EXPECT_TRUE(form.LblComments()->isVisible());
  EXPECT_EQ(form.LblComments()->text(),
            QString::fromStdString(tables.BoundCond.Comments())
                .replace('\r', '\n'));
  EXPECT_FALSE(form.ImgHelp()->isVisible());
  EXPECT_TRUE(tables.BoundCond.EditorOpen());
  EXPECT_EQ(windows.Show(tables.BoundCond), &form) << "one window per table";

  TTableForm& dist = Open(tables.DistLoad);
  EXPECT_TRUE(dist.ImgHelp()->isVisible());
  EXPECT_FALSE(dist.ImgHelp()->pixmap().isNull());
  EXPECT_FALSE(dist.LblComments()->isVisible());
  // The help picture is never cut off by a narrow grid.
  EXPECT_GE(dist.width(), dist.ImgHelp()->geometry().right());
}

TEST_F(TableForm, OpeningRaisesTheRowCountToTheMinimum) {
  tables.PYMod.SetRowCount(0);
  Open(tables.PYMod);
  EXPECT_EQ(tables.PYMod.RowCount(), 2);
}

TEST_F(TableForm, RowButtonsFollowTheRowLimits) {
  struct Case {
    const char* name;
    TGridTable* table;
    int rows;
    bool shown, add, del;
  };
  const Case cases[] = {
      {"at the maximum", &tables.BoundCond, 20, true, false, true},
      {"at the minimum", &tables.BoundCond, 1, true, true, false},
      {"no upper limit", &tables.LongDist, 150, true, true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    c.table->SetRowCount(c.rows);
    TTableForm& form = Open(*c.table);
    EXPECT_EQ(form.BtnAdd()->isVisible(), c.shown);
    EXPECT_EQ(form.BtnAdd()->isEnabled(), c.add);
    EXPECT_EQ(form.BtnIns()->isEnabled(), c.add);
    EXPECT_EQ(form.BtnDel()->isEnabled(), c.del);
    EXPECT_EQ(form.BtnAdd()->text(), "&Add Row");
    EXPECT_EQ(form.BtnIns()->text(), "&Insert Row");
    EXPECT_EQ(form.BtnDel()->text(), "&Delete Row");
  }
  // A soil parameter table has a fixed number of rows: no row buttons.
  TGridTable* clay = tables.NewSoil.SubTable(soil_columns::kParameters, 0);
  ASSERT_NE(clay, nullptr);
  TTableForm& form = Open(*clay);
  EXPECT_FALSE(form.BtnAdd()->isVisible());
  EXPECT_FALSE(form.BtnDel()->isVisible());
}

TEST_F(TableForm, LongTableShowsTenRowsAndAddScrollsToTheNewRow) {
  tables.DistLoad.SetRowCount(25);
  TTableForm& form = Open(tables.DistLoad);
  QTableWidget* grid = form.Grid();
  EXPECT_EQ(form.RowsShown(), 10);
  EXPECT_TRUE(grid->verticalScrollBar()->isVisible());
  EXPECT_EQ(grid->viewport()->height(), 10 * grid->rowHeight(0));

  tables.DistLoad.ResetChanged();
  form.BtnAddClick();
  EXPECT_EQ(tables.DistLoad.RowCount(), 26);
  EXPECT_TRUE(tables.DistLoad.Changed());
  EXPECT_EQ(form.RowsShown(), 10);
  EXPECT_EQ(grid->verticalScrollBar()->value(), 16);
  EXPECT_EQ(grid->verticalHeaderItem(25)->text(), "26");
}

TEST_F(TableForm, AddGrowsTheWindowUntilTenRows) {
  TTableForm& form = Open(tables.BoundCond);
  const int height = form.height();
  form.BtnAddClick();
  EXPECT_EQ(form.RowsShown(), 2);
  EXPECT_EQ(form.height(), height + form.Grid()->rowHeight(0));
}

TEST_F(TableForm, EnterCommitsShowsTheValueAndMovesDown) {
  tables.PileSect.SetRowCount(3);
  TTableForm& form = Open(tables.PileSect);
  QLineEdit* editor = Type(form, 3, 0, "2*3");
  ASSERT_NE(editor, nullptr);
  QTest::keyClick(editor, Qt::Key_Return);
  EXPECT_EQ(Cursor(form), std::make_pair(3, 1));
  EXPECT_EQ(form.Grid()->item(0, 3)->text(), "6");
  EXPECT_EQ(tables.PileSect.CellFloat(3, 0), 6);
  EXPECT_TRUE(recorded.messages.empty());
}

TEST_F(TableForm, EnterRunsDownThenToTheNextColumnThenBackToTheStart) {
  tables.PileSect.SetRowCount(3);
  TTableForm& form = Open(tables.PileSect);
  const struct {
    int col, row, next_col, next_row;
  } steps[] = {{0, 0, 0, 1}, {0, 2, 1, 0}, {3, 2, 0, 0}};
  for (const auto& s : steps) {
    ASSERT_TRUE(form.MoveTo(s.col, s.row));
    QTest::keyClick(form.Grid(), Qt::Key_Return);
    EXPECT_EQ(Cursor(form), std::make_pair(s.next_col, s.next_row));
  }
}

TEST_F(TableForm, RejectedEntryKeepsCursorTextAndWindowUntilCorrected) {
  tables.PileSect.SetRowCount(2);
  TTableForm& form = Open(tables.PileSect);
  QPointer<TTableForm> alive(&form);
  Type(form, 3, 0, "2x");

  // A click on another cell is refused with the column's message.
  QTableWidget* grid = form.Grid();
  const QRect other = grid->visualRect(grid->model()->index(1, 0));
  QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, other.center());
  ASSERT_EQ(recorded.messages.size(), 1u);
  EXPECT_EQ(recorded.messages[0], "2x is not a valid number.");
  EXPECT_EQ(Cursor(form), std::make_pair(3, 0));
  QLineEdit* editor = Editor(form);
  ASSERT_NE(editor, nullptr);
  EXPECT_EQ(editor->text(), "2x");
  EXPECT_EQ(tables.PileSect.CellFloat(3, 0), 0);

  // The row buttons and closing are refused too, each with one message.
  form.BtnAddClick();
  EXPECT_EQ(tables.PileSect.RowCount(), 2);
  EXPECT_FALSE(form.close());
  ProcessEvents();
  EXPECT_TRUE(alive);
  EXPECT_EQ(recorded.messages.size(), 3u);

  editor = Editor(form);
  ASSERT_NE(editor, nullptr);
  EXPECT_EQ(editor->text(), "2x");
  editor->setText("4");
  EXPECT_TRUE(form.close());
  ProcessEvents();
  EXPECT_FALSE(alive);
  EXPECT_EQ(windows.Find(tables.PileSect), nullptr);
  EXPECT_FALSE(tables.PileSect.EditorOpen());
  EXPECT_EQ(tables.PileSect.CellFloat(3, 0), 4);
}

TEST_F(TableForm, IntegerAndRangeRulesApplyToTypedCells) {
  TTableForm& form = Open(tables.PileSect);
  const struct {
    int col;
    const char* typed;
    const char* message;
  } cases[] = {
      {0, "2.5", "Entry must be an integer."},
      {0, "-1", "Entry must be between 0 and 2147483600."},
      {3, "", "Entry cannot be blank."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed);
    recorded.messages.clear();
    Type(form, c.col, 0, c.typed);
    EXPECT_FALSE(form.CommitCell());
    ASSERT_EQ(recorded.messages.size(), 1u);
    EXPECT_EQ(recorded.messages[0], c.message);
    Editor(form)->setText("1");
    EXPECT_TRUE(form.CommitCell());
  }
}

TEST_F(TableForm, MovingTheCursorMarksChangedButKeepsStoredPrecision) {
  tables.PileSect.SetRowCount(2);
  const Extended precise = 1.23456789012345L;
  tables.PileSect.SetCellFloat(3, 0, precise);
  TTableForm& form = Open(tables.PileSect);
  ASSERT_TRUE(form.MoveTo(3, 0));
  tables.ResetChanged();
  ASSERT_TRUE(form.MoveTo(3, 1));
  EXPECT_TRUE(tables.PileSect.Changed());
  EXPECT_EQ(tables.PileSect.CellFloat(3, 0), precise);
}

TEST_F(TableForm, FlexButtonsOpenSubTablesThatFollowTheirRow) {
  tables.NewSoil.SetRowCount(3);
  TTableForm& form = Open(tables.NewSoil);
  const int flex = soil_columns::kParameters;
  QPushButton* third = form.FlexButton(flex, 2);
  ASSERT_NE(third, nullptr);
  EXPECT_EQ(third->text(), "3: Clay");
  third->click();
  TGridTable* clay3 = tables.NewSoil.SubTable(flex, 2);
  QPointer<TTableForm> sub(windows.Find(*clay3));
  ASSERT_TRUE(sub);
  EXPECT_EQ(sub->windowTitle(), "Clay  3");

  // Deleting row 2 renumbers the sub-table of the former row 3.
  ASSERT_TRUE(form.MoveTo(soil_columns::kSoilType, 1));
  form.BtnDelClick();
  ASSERT_TRUE(sub);
  EXPECT_EQ(sub->windowTitle(), "Clay  2");
  EXPECT_EQ(form.FlexButton(flex, 1)->text(), "2: Clay");

  // A new soil type replaces the sub-table: its window closes.
  QLineEdit* editor = Type(form, soil_columns::kSoilType, 1, "4");
  QTest::keyClick(editor, Qt::Key_Return);
  ProcessEvents();
  EXPECT_FALSE(sub);
  EXPECT_EQ(form.FlexButton(flex, 1)->text(), "2: Sand");
  EXPECT_TRUE(recorded.messages.empty());
}

TEST_F(TableForm, FlexCellsCannotTakeTheCursor) {
  tables.MEICurves2.SetRowCount(1);
  TTableForm& form = Open(tables.MEICurves2);
  EXPECT_FALSE(form.MoveTo(2, 0));
  ASSERT_TRUE(form.MoveTo(1, 0));
  QTest::keyClick(form.Grid(), Qt::Key_Right);
  EXPECT_EQ(Cursor(form), std::make_pair(1, 0));
}

TEST_F(TableForm, DiscardedTableClosesItsWindow) {
  TableRegistry registry;
  auto table = std::make_unique<TGridTable>(registry);
  table->SetCaption("Scratch");
  table->AddColumn(std::make_unique<TFloatColumn>(
      std::vector<std::string>{"Depth"}, "L2"));
  QPointer<TTableForm> form(windows.Show(*table));
  ASSERT_TRUE(form);
  table.reset();
  ProcessEvents();
  EXPECT_FALSE(form);
}

TEST_F(TableForm, ClosedByTheProgramWithoutCommitting) {
  TTableForm& opened = Open(tables.PileSect);
  QPointer<TTableForm> form(&opened);
  Type(opened, 3, 0, "not a number");
  windows.Close(tables.PileSect);
  ProcessEvents();
  EXPECT_FALSE(form);
  EXPECT_TRUE(recorded.messages.empty());
  EXPECT_FALSE(tables.PileSect.EditorOpen());
}

TEST_F(TableForm, UnitChangeRewritesHeadersAndValues) {
  tables.DistLoad.SetCellFloat(0, 0, 10);
  TTableForm& form = Open(tables.DistLoad);
  tables.DistLoad.SetTableUnits(kSIUnits);
  EXPECT_EQ(form.Grid()->horizontalHeaderItem(0)->text(),
            QString::fromStdString(tables.DistLoad.HeaderText(0, 0)));
  EXPECT_TRUE(form.Grid()->horizontalHeaderItem(0)->text().contains("(m)"));
  EXPECT_EQ(form.Grid()->item(0, 0)->text(),
            QString::fromStdString(tables.DistLoad.CellText(0, 0)));
}

TEST_F(TableForm, ResizingSnapsToWholeRows) {
  tables.BoundCond.SetRowCount(10);
  TTableForm& form = Open(tables.BoundCond);
  const int row = form.Grid()->rowHeight(0);
  form.resize(form.width(), form.height() - 3 * row - 5);
  ProcessEvents();
  EXPECT_EQ(form.RowsShown(), 6);
  EXPECT_EQ(form.Grid()->viewport()->height(), 6 * row);
  EXPECT_TRUE(form.Grid()->verticalScrollBar()->isVisible());
}

// Writes the windows as pictures when KESTRA_GRAB_DIR names a folder, for a
// look at the result; otherwise checks only that they render.
TEST_F(TableForm, RendersToAPicture) {
  tables.NewSoil.SetRowCount(3);
  for (TGridTable* table : {&tables.NewSoil, &tables.DistLoad,
                            &tables.SoilStrength, &tables.PileSect}) {
    TTableForm& form = Open(*table);
    const QPixmap picture = form.grab();
    EXPECT_EQ(picture.size(), form.size());
    if (const char* dir = std::getenv("KESTRA_GRAB_DIR")) {
      picture.save(QString("%1/%2.png")
                       .arg(dir, QString::fromStdString(table->Caption())
                                     .replace(' ', '_')));
    }
  }
}

}  // namespace
}  // namespace kestra
