#include "export_dialog.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "main_form.h"
#include "plot_data.h"
#include "widget_test_support.h"
#include "zip_parts.h"

namespace kestra {
namespace {

using testing::ProcessEvents;
using testing::RecordedMessages;

struct EntryState {
  QString caption;
  bool enabled;
  bool checked;
  bool operator==(const EntryState&) const = default;
};

std::vector<EntryState> Entries(const TDlgExport& dialog) {
  std::vector<EntryState> entries;
  const QListWidget* list = dialog.CheckListBoxPlots();
  for (int i = 0; i < list->count(); ++i) {
    const QListWidgetItem* item = list->item(i);
    entries.push_back({item->text(), (item->flags() & Qt::ItemIsEnabled) != 0,
                       item->checkState() == Qt::Checked});
  }
  return entries;
}

void PrintTo(const EntryState& e, std::ostream* os) {
  *os << e.caption.toStdString() << (e.enabled ? " enabled" : " disabled")
      << (e.checked ? " checked" : " unchecked");
}

class ExportDialog : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    for (int i = 0; i < 3; ++i) {
      TLine& line = graphs[static_cast<size_t>(i)].Line(CurveGroup::Lines, 0);
      line.Points = {{0, 0}, {1.5L, 2}};
    }
    dialog.ChooseFileName = [this] {
      ++choices;
      return answer;
    };
    dialog.OpenFile = [this](const QString& path) {
      opened.append(path);
      return true;
    };
    dialog.FormActivate({{&graphs[0], true}, {&graphs[1], false}, {&graphs[2], true}});
  }

  std::vector<TGraphPlot> graphs = [] {
    std::vector<TGraphPlot> g = {{"p-y Curves", "Depth "},
                                 {"Deflection vs Depth", "Load #"},
                                 {"Shear vs Depth", "Load #"}};
    for (TGraphPlot& plot : g) plot.SetLineCount(CurveGroup::Lines, 1);
    return g;
  }();
  QTemporaryDir dir;
  TDlgExport dialog;
  QString answer;
  int choices = 0;
  QStringList opened;
  RecordedMessages recorded;
};

TEST_F(ExportDialog, TextsAndNames) {
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Export to Excel"));
  QStringList labels;
  for (const QLabel* label : dialog.findChildren<QLabel*>()) labels.append(label->text());
  EXPECT_EQ(labels, QStringList({"An Excel instance (if available) will open. ",
                                 "Please wait until all the data has been exported to Excel.",
                                 "Please note that you need to save the excel file afterwards."}));
  EXPECT_EQ(dialog.CheckListBoxPlots()->objectName(), QStringLiteral("CheckListBoxPlots"));
  const std::pair<QPushButton*, const char*> buttons[] = {
      {dialog.Button1(), "Select All"},
      {dialog.Button2(), "Unselect All"},
      {dialog.Button3(), "Generate Excel File"},
      {dialog.Button4(), "Close Window"}};
  for (const auto& [button, text] : buttons) EXPECT_EQ(button->text(), QString::fromLatin1(text));
}

// An entry is usable exactly when its graph's command is; the selection
// buttons leave the others alone, and Generate needs a checked entry.
TEST_F(ExportDialog, EnablingRules) {
  const EntryState py{"p-y Curves", true, true}, def_off{"Deflection vs Depth", false, false},
      shear{"Shear vs Depth", true, true};
  EXPECT_EQ(Entries(dialog), (std::vector<EntryState>{py, def_off, shear}));
  EXPECT_TRUE(dialog.Button3()->isEnabled());

  dialog.Button2()->click();
  EXPECT_EQ(Entries(dialog), (std::vector<EntryState>{{"p-y Curves", true, false}, def_off,
                                                      {"Shear vs Depth", true, false}}));
  EXPECT_FALSE(dialog.Button3()->isEnabled());

  // Ticking one entry by hand enables Generate again.
  dialog.CheckListBoxPlots()->item(2)->setCheckState(Qt::Checked);
  EXPECT_TRUE(dialog.Button3()->isEnabled());
  dialog.CheckListBoxPlots()->item(2)->setCheckState(Qt::Unchecked);
  EXPECT_FALSE(dialog.Button3()->isEnabled());

  dialog.Button1()->click();
  EXPECT_EQ(Entries(dialog), (std::vector<EntryState>{py, def_off, shear}));
  EXPECT_TRUE(dialog.Button3()->isEnabled());

  // Reopening refills the list from the commands.
  dialog.FormActivate({{&graphs[0], false}, {&graphs[1], false}});
  EXPECT_EQ(Entries(dialog), (std::vector<EntryState>{{"p-y Curves", false, false}, def_off}));
  EXPECT_FALSE(dialog.Button3()->isEnabled());
  dialog.Button1()->click();
  EXPECT_FALSE(dialog.Button3()->isEnabled());
}

TEST_F(ExportDialog, GenerateWritesAndOpensTheWorkbook) {
  // Cancelled: nothing written, opened or shown.
  dialog.Button3()->click();
  EXPECT_EQ(choices, 1);
  EXPECT_TRUE(opened.isEmpty());
  EXPECT_TRUE(recorded.messages.empty());

  dialog.CheckListBoxPlots()->item(0)->setCheckState(Qt::Unchecked);
  answer = dir.filePath(QStringLiteral("plots.xlsx"));
  dialog.Button3()->click();
  EXPECT_EQ(opened, QStringList{answer});
  EXPECT_EQ(recorded.messages, std::vector<std::string>{
                                   "Export to Excel Completed\n"
                                   "Please note that you need to save the excel file"});
  std::ifstream in(answer.toStdString(), std::ios::binary);
  std::vector<ZipPart> parts;
  std::string error;
  ASSERT_TRUE(ReadZipParts(std::string(std::istreambuf_iterator<char>(in), {}), &parts, &error))
      << error;
  // Only the checked, enabled graph: the shear graph as Page_1.
  std::string workbook, strings;
  for (const ZipPart& p : parts) {
    if (p.Name == "xl/workbook.xml") workbook = p.Data;
    if (p.Name == "xl/sharedStrings.xml") strings = p.Data;
  }
  EXPECT_NE(workbook.find("name=\"Plot_1\""), std::string::npos);
  EXPECT_EQ(workbook.find("name=\"Page_2\""), std::string::npos);
  EXPECT_NE(strings.find("Shear vs Depth"), std::string::npos);
  EXPECT_EQ(strings.find("p-y Curves"), std::string::npos);
}

TEST_F(ExportDialog, FailedWriteIsShownAndNotOpened) {
  answer = dir.filePath(QStringLiteral("missing/plots.xlsx"));
  dialog.Button3()->click();
  EXPECT_TRUE(opened.isEmpty());
  ASSERT_EQ(recorded.messages.size(), 1u);
  EXPECT_NE(recorded.messages[0].find("could not be written"), std::string::npos);
  EXPECT_NE(recorded.messages[0].find("missing"), std::string::npos);
}

// The menu command lists the seven graphs in export order with the Graphics
// menu's enabling, computed when the command runs.
TEST(ExportCommand, ListsTheGraphsOfTheMainWindow) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString previous = testing::UseScratchFolder(dir);
  RecordedMessages recorded;
  {
    TMainForm form;
    form.ChooseOpenName = [] { return std::pair<QString, int>(); };
    const QString input = dir.filePath(QStringLiteral("wall.ks5d"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(KESTRA_EXAMPLES "/cantilever-sand.ks5d"), input));
    QFile(input).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    // One block, no p-y curves, three result rows.
    QFile plot(dir.filePath(QStringLiteral("wall.ks5p")));
    ASSERT_TRUE(plot.open(QIODevice::WriteOnly));
    plot.write("2\n0 1 1 0\n120 2 2 0\n1\n0\n1\n3 0\n"
               "0 0.5 0 0 0\n60 0.2 24000 1500 30\n120 0 0 0 0\n");
    plot.close();
    form.OpenFileName(input);
    ASSERT_TRUE(form.PlotDataLoaded());
    form.UpdateMenu(form.Menu(QStringLiteral("GraphicsMenu")));

    const auto run = [&form] {
      auto seen = std::make_shared<std::vector<EntryState>>();
      QTimer::singleShot(0, [seen] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
          if (auto* d = qobject_cast<TDlgExport*>(w); d && d->isVisible()) {
            *seen = Entries(*d);
            d->Button4()->click();
          }
        }
      });
      form.Action(QStringLiteral("ExportExcel"))->trigger();
      ProcessEvents();
      return *seen;
    };
    EXPECT_EQ(run(), (std::vector<EntryState>{{"p-y Curves", false, false},
                                              {"Deflection vs Depth", true, true},
                                              {"Shear vs Depth", true, true},
                                              {"Moment vs Depth", true, true},
                                              {"Net Reaction vs Depth", true, true},
                                              {"Earth Pressure Distribution", true, true},
                                              {"Earth Pressure Combined", true, true}}));

    // Without the plot data file nothing is offered, though the menu was
    // last computed with it.
    QFile::remove(plot.fileName());
    const std::vector<EntryState> after = run();
    ASSERT_EQ(after.size(), 7u);
    for (const EntryState& e : after) EXPECT_FALSE(e.enabled) << e.caption.toStdString();
  }
  ProcessEvents();
  QDir::setCurrent(previous);
}

}  // namespace
}  // namespace kestra
