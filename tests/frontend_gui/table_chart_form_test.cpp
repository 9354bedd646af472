#include "table_chart_form.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

#include "float_column.h"
#include "input_tables.h"
#include "int_column.h"
#include "line_chart_widget.h"
#include "widget_test_support.h"

namespace kestra {
namespace {

using testing::ProcessEvents;
using testing::RecordedMessages;

class TableChartForm : public ::testing::Test {
 protected:
  void SetUp() override {
    tables.Reset();
    ASSERT_TRUE(dir.isValid());
  }

  // The curve of the first p-y curve set and the points of the first
  // moment-EI section.
  TGridTable& Curve() { return *tables.PYCurves2.SubTable(1, 0); }
  TGridTable& MomentEI() { return *tables.MEICurves2.SubTable(2, 0); }

  TTableChartForm& Open(TGridTable& table) {
    auto* form = dynamic_cast<TTableChartForm*>(windows.Show(table));
    EXPECT_NE(form, nullptr);
    form->SetFileChooser([this](QWidget*, const QString&, const QString& f) {
      filters = f;
      return chosen;
    });
    form->SetFileOpener([this](const QString& path) {
      opened = path;
      return opener_works;
    });
    ProcessEvents();
    return *form;
  }

  QString Write(const QString& name, const QByteArray& content) {
    const QString path = dir.filePath(name);
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(content);
    return path;
  }

  // Names a file and reads it, as the user does.
  void ReadFile(TTableChartForm& form, const QByteArray& content) {
    form.FileNameEdit()->setText(Write("curve.txt", content));
    ASSERT_TRUE(form.BtnRead()->isEnabled());
    form.BtnRead()->click();
    ProcessEvents();
  }

  static std::vector<std::pair<std::string, std::string>> Rows(
      const TGridTable& table) {
    std::vector<std::pair<std::string, std::string>> rows;
    for (int r = 0; r < table.RowCount(); ++r) {
      rows.emplace_back(table.CellText(0, r), table.CellText(1, r));
    }
    return rows;
  }

  RecordedMessages recorded;
  InputTables tables;
  TTableWindows windows;
  QTemporaryDir dir;
  QString chosen;
  QString filters;
  QString opened;
  bool opener_works = true;
};

TEST_F(TableChartForm, ChartAndFileControlsFollowTheTable) {
  struct Case {
    const char* name;
    TGridTable* table;
    bool chart;
    const char* bottom_title;
    const char* left_title;
  };
  const Case cases[] = {
      {"p-y curve", &Curve(), true, "Lateral Deflection, y (*)",
       "Soil Resistance, p"},
      {"moment-EI points", &MomentEI(), true, "Bending moment",
       "Flexural rigidity"},
      {"p-y curve sets", &tables.PYCurves2, false, "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    c.table->SetRowCount(9);
    TTableChartForm& form = Open(*c.table);
    EXPECT_EQ(form.Chart1()->isVisible(), c.chart);
    for (QWidget* w : {static_cast<QWidget*>(form.FileNameLabel()),
                       static_cast<QWidget*>(form.FileNameEdit()),
                       static_cast<QWidget*>(form.BtnBrowse()),
                       static_cast<QWidget*>(form.BtnEdit()),
                       static_cast<QWidget*>(form.BtnRead()),
                       static_cast<QWidget*>(form.BtnClip())}) {
      EXPECT_EQ(w->isVisible(), c.chart) << w->objectName().toStdString();
    }
    EXPECT_EQ(form.RowsShown(), c.chart ? 5 : 9);
    if (!c.chart) continue;
    EXPECT_EQ(form.Chart1()->BottomTitle(), c.bottom_title);
    EXPECT_EQ(form.Chart1()->LeftTitle(), c.left_title);
    EXPECT_EQ(form.FileNameLabel()->text(), "File Name:");
    EXPECT_EQ(form.BtnClip()->text(), "Paste values from  Clipboard (text)");
    // Chart, grid, row buttons, path line, file buttons, clipboard button.
    const QRect grid = form.Grid()->geometry();
    EXPECT_LT(form.Chart1()->geometry().bottom(), grid.top());
    EXPECT_LT(grid.bottom(), form.BtnAdd()->geometry().top());
    EXPECT_LT(form.BtnAdd()->geometry().bottom(),
              form.FileNameEdit()->geometry().top());
    EXPECT_LT(form.FileNameEdit()->geometry().bottom(),
              form.BtnRead()->geometry().top());
    EXPECT_EQ(form.BtnBrowse()->geometry().top(),
              form.BtnRead()->geometry().top());
    EXPECT_LT(form.BtnBrowse()->geometry().right(),
              form.BtnEdit()->geometry().left());
    EXPECT_LT(form.BtnEdit()->geometry().right(),
              form.BtnRead()->geometry().left());
    EXPECT_EQ(form.BtnClip()->geometry().right(),
              form.BtnRead()->geometry().right());
    EXPECT_LT(form.BtnRead()->geometry().bottom(),
              form.BtnClip()->geometry().top());
    EXPECT_LT(form.BtnClip()->geometry().bottom(),
              form.LblComments()->isVisible()
                  ? form.LblComments()->geometry().top()
                  : form.height());
    EXPECT_GE(form.width(), form.Chart1()->geometry().right());
    // Adding rows stops growing the window at five rows.
    form.BtnAddClick();
    EXPECT_EQ(form.RowsShown(), 5);
  }
  EXPECT_EQ(dynamic_cast<TTableChartForm*>(windows.Show(tables.BoundCond)),
            nullptr)
      << "plain tables keep the plain window";
}

TEST_F(TableChartForm, FileCommandsNeedAnExistingFile) {
  TTableChartForm& form = Open(Curve());
  EXPECT_FALSE(form.BtnEdit()->isEnabled());
  EXPECT_FALSE(form.BtnRead()->isEnabled());
  EXPECT_TRUE(form.BtnBrowse()->isEnabled());
  EXPECT_TRUE(form.BtnClip()->isEnabled());

  form.FileNameEdit()->setText(dir.filePath("none.txt"));
  EXPECT_FALSE(form.BtnRead()->isEnabled());
  form.FileNameEdit()->setText(dir.path());
  EXPECT_FALSE(form.BtnRead()->isEnabled()) << "a folder is not a file";

  chosen = Write("points.dat", "0 0\n");
  form.BtnBrowse()->click();
  EXPECT_EQ(form.FileNameEdit()->text(), chosen);
  EXPECT_TRUE(form.BtnEdit()->isEnabled());
  EXPECT_TRUE(form.BtnRead()->isEnabled());
  EXPECT_EQ(filters, "Text Files (*.txt);;Data Files (*.dat);;All Files (*)");

  // Cancelling the dialog keeps the path.
  chosen.clear();
  form.BtnBrowse()->click();
  EXPECT_EQ(form.FileNameEdit()->text(), dir.filePath("points.dat"));
}

TEST_F(TableChartForm, ViewEditOpensTheFileOrSaysItCannot) {
  TTableChartForm& form = Open(Curve());
  const QString path = Write("curve.txt", "0 0\n");
  form.FileNameEdit()->setText(path);
  form.BtnEdit()->click();
  EXPECT_EQ(opened, path);
  EXPECT_TRUE(recorded.messages.empty());

  opener_works = false;
  form.BtnEdit()->click();
  EXPECT_EQ(recorded.messages,
            std::vector<std::string>{
                "An error occurred in running the Word Processor"});
}

TEST_F(TableChartForm, ReadingAFileReplacesTheRows) {
  struct Case {
    const char* name;
    int rows_before;
    QByteArray content;
    std::vector<std::pair<std::string, std::string>> want;
  };
  const Case cases[] = {
      {"title line skipped, rows appended", 2,
       "y (in)   p (lbs/in)\n0 0\n0.5 100\n1 150\n",
       {{"0", "0"}, {"0.5", "100"}, {"1", "150"}}},
      {"surplus rows deleted", 5, "1 10\r\n2 20\r\n3 30\r\n",
       {{"1", "10"}, {"2", "20"}, {"3", "30"}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TGridTable& curve = Curve();
    curve.SetRowCount(c.rows_before);
    curve.ResetChanged();
    TTableChartForm& form = Open(curve);
    ReadFile(form, c.content);
    EXPECT_TRUE(recorded.messages.empty());
    EXPECT_EQ(Rows(curve), c.want);
    EXPECT_TRUE(curve.Changed());
    // The grid, the window and the chart show the rows read.
    EXPECT_EQ(form.Grid()->rowCount(), 3);
    EXPECT_EQ(form.Grid()->item(2, 1)->text(),
              QString::fromStdString(c.want[2].second));
    EXPECT_EQ(form.RowsShown(), 3);
    EXPECT_EQ(form.Chart1()->Curve().points.size(), 3u);
    form.close();
    ProcessEvents();
  }
}

TEST_F(TableChartForm, ReadingStopsAtMaxRows) {
  TGridTable& curve = Curve();
  ASSERT_EQ(curve.MaxRows(), 17);
  TTableChartForm& form = Open(curve);
  QByteArray content;
  for (int i = 1; i <= 20; ++i) content += QByteArray::number(i) + " 5\n";
  ReadFile(form, content);
  EXPECT_EQ(curve.RowCount(), 17);
  EXPECT_EQ(curve.CellText(0, 16), "17");
  EXPECT_FALSE(form.BtnAdd()->isEnabled());
}

TEST_F(TableChartForm, UnreadableOrEmptyFileChangesNothing) {
  TGridTable& curve = Curve();
  curve.SetRowCount(3);
  curve.SetCellText(1, 2, "42");
  const auto before = Rows(curve);
  TTableChartForm& form = Open(curve);

  ReadFile(form, "y p\nno numbers here\n1 2 3\n");
  ASSERT_EQ(recorded.messages.size(), 1u);
  EXPECT_EQ(recorded.messages[0],
            "No values were read: no line holds exactly 2 numbers.");

  // The file goes after the button was enabled.
  const QString path = form.FileNameEdit()->text();
  QFile::remove(path);
  form.BtnRead()->click();
  ASSERT_EQ(recorded.messages.size(), 2u);
  EXPECT_EQ(recorded.messages[1], "The file \"" + path.toStdString() +
                                      "\" cannot be opened. The table is "
                                      "unchanged.");
  EXPECT_FALSE(form.BtnRead()->isEnabled());
  EXPECT_EQ(Rows(curve), before);
}

TEST_F(TableChartForm, PastingFromTheClipboard) {
  struct Case {
    const char* name;
    QString text;
  };
  const Case cases[] = {
      {"CR", "y p\r0 0\r0.5 100\r1 150"},
      {"CR LF", "y p\r\n0 0\r\n0.5 100\r\n1 150\r\n"},
      {"LF", "y p\n0 0\n0.5 100\n1 150\n"},
      {"tabs from a spreadsheet", "0\t0\n0.5\t100\n1\t150"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TGridTable& curve = Curve();
    curve.SetRowCount(2);
    TTableChartForm& form = Open(curve);
    QGuiApplication::clipboard()->setText(c.text);
    form.BtnClip()->click();
    ProcessEvents();
    EXPECT_TRUE(recorded.messages.empty());
    EXPECT_EQ(Rows(curve),
              (std::vector<std::pair<std::string, std::string>>{
                  {"0", "0"}, {"0.5", "100"}, {"1", "150"}}));
    form.close();
    ProcessEvents();
  }
}

TEST_F(TableChartForm, NoTextOnTheClipboard) {
  TGridTable& curve = Curve();
  const auto before = Rows(curve);
  TTableChartForm& form = Open(curve);
  auto* image_only = new QMimeData;
  image_only->setImageData(QImage(4, 4, QImage::Format_RGB32));
  QGuiApplication::clipboard()->setMimeData(image_only);
  form.BtnClip()->click();
  QGuiApplication::clipboard()->clear();
  form.BtnClip()->click();
  EXPECT_EQ(recorded.messages,
            std::vector<std::string>(2, "There is no text on the Clipboard"));
  EXPECT_EQ(Rows(curve), before);
}

// A value a column rejects leaves the whole table as it was, not the rows
// before the bad line read and the rest not.
TEST_F(TableChartForm, RejectedValueLeavesTheTableAsItWas) {
  TableRegistry registry;
  TGridTableChart table(registry);
  table.SetCaption("Points");
  table.SetMaxRows(10);
  table.AddColumn(std::make_unique<TIntColumn>(
      std::vector<std::string>{"Node"}, 0, 0, 10));
  table.AddColumn(std::make_unique<TFloatColumn>(
      std::vector<std::string>{"Load"}, "F", 0));
  ChartParameters chart;
  chart.show_chart = true;
  table.SetChart(chart);
  table.SetGetDataFromFile(true);
  table.SetRowCount(1);
  table.SetCellText(1, 0, "7");

  TTableChartForm& form = Open(table);
  QGuiApplication::clipboard()->setText("1 5\n2 6\n20 7\n3 8\n");
  form.BtnClip()->click();
  ASSERT_EQ(recorded.messages.size(), 1u);
  EXPECT_EQ(recorded.messages[0],
            "Entry must be between 0 and 10.\rNo values were read.");
  EXPECT_EQ(table.RowCount(), 1);
  EXPECT_EQ(table.CellText(0, 0), "0");
  EXPECT_EQ(table.CellText(1, 0), "7");
  EXPECT_EQ(form.Grid()->rowCount(), 1);
  form.close();
  ProcessEvents();
}

TEST_F(TableChartForm, PendingRejectedEntryStopsTheRead) {
  TGridTable& curve = Curve();
  const auto before = Rows(curve);
  TTableChartForm& form = Open(curve);
  ASSERT_TRUE(form.MoveTo(0, 0));
  QTableWidget* grid = form.Grid();
  grid->edit(grid->currentIndex());
  auto editors = grid->viewport()->findChildren<QLineEdit*>();
  ASSERT_FALSE(editors.empty());
  for (QLineEdit* editor : editors) {
    if (editor->isVisible()) editor->setText("2x");
  }
  QGuiApplication::clipboard()->setText("1 1\n2 2\n3 3\n");
  form.BtnClip()->click();
  ASSERT_EQ(recorded.messages.size(), 1u);
  EXPECT_EQ(recorded.messages[0], "2x is not a valid number.");
  EXPECT_EQ(Rows(curve), before);
}

TEST_F(TableChartForm, ChartFollowsTheStoredCells) {
  TGridTable& curve = Curve();
  TTableChartForm& form = Open(curve);
  ASSERT_TRUE(form.MoveTo(1, 1));
  QTableWidget* grid = form.Grid();
  grid->edit(grid->currentIndex());
  QLineEdit* editor = nullptr;
  for (QLineEdit* e : grid->viewport()->findChildren<QLineEdit*>()) {
    if (e->isVisible()) editor = e;
  }
  ASSERT_NE(editor, nullptr);
  const int redraws = form.Chart1()->Redraws();
  QTest::keyClick(editor, Qt::Key_7);
  EXPECT_GT(form.Chart1()->Redraws(), redraws) << "redrawn on a digit key";
  // Typed but not committed: the chart still shows the stored value.
  EXPECT_EQ(form.Chart1()->Curve().points[1].second, 0);
  QTest::keyClick(editor, Qt::Key_Return);
  EXPECT_EQ(curve.CellText(1, 1), "7");
  EXPECT_EQ(form.Chart1()->Curve().points[1].second, 7);
}

TEST_F(TableChartForm, EqualEIDrawsInsideAFixedAxis) {
  TGridTable& section = MomentEI();
  section.SetRowCount(3);
  for (int r = 0; r < 3; ++r) {
    section.SetCellText(0, r, std::to_string(100 * r));
    section.SetCellText(1, r, "2e9");
  }
  TTableChartForm& form = Open(section);
  const ChartCurve& curve = form.Chart1()->Curve();
  ASSERT_EQ(curve.points.size(), 3u);
  EXPECT_DOUBLE_EQ(static_cast<double>(curve.points[1].second), 2.002e9);
  EXPECT_DOUBLE_EQ(static_cast<double>(curve.points[2].second), 2e9);
  EXPECT_DOUBLE_EQ(static_cast<double>(form.Chart1()->Scale().left.Min), 1.8e9);
  EXPECT_DOUBLE_EQ(static_cast<double>(form.Chart1()->Scale().left.Max), 2.2e9);
  // The stored values stay as typed.
  EXPECT_EQ(section.CellText(1, 1), "2E9");
  // It draws without trouble.
  EXPECT_FALSE(form.grab().isNull());

  // One different value and the axis scales itself again.
  section.SetCellText(1, 2, "3e9");
  EXPECT_FALSE(form.Chart1()->Curve().fixed_left.has_value());
  EXPECT_EQ(form.Chart1()->Curve().points[1].second, 2e9L);
}

}  // namespace
}  // namespace kestra
