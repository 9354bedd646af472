#include "csd_dialog.h"
#include "data_edit_widget.h"
#include "input_dialog.h"
#include "main_form.h"
#include "prop_dialog.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSettings>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "dynlib.h"
#include "main_rules.h"
#include "names_file.h"
#include "question_box.h"
#include "run_checks.h"
#include "settings.h"
#include "widget_test_support.h"

namespace kestra {
namespace {

using testing::ProcessEvents;
using testing::RecordedMessages;

const QString kExamples = QStringLiteral(KESTRA_EXAMPLES);

bool Contains(const std::vector<std::string>& messages, const std::string& part) {
  for (const std::string& m : messages) {
    if (m.find(part) != std::string::npos) return true;
  }
  return false;
}

// Each test has its own settings store, working folder and window; no
// dialog ever opens.
class MainForm : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    previous_dir = testing::UseScratchFolder(dir);
  }
  void TearDown() override {
    form.reset();
    ProcessEvents();
    QDir::setCurrent(previous_dir);
  }

  TMainForm& Form() {
    if (!form) {
      form = std::make_unique<TMainForm>();
      form->ChooseSaveName = [this](const QString&, const QString& title) {
        save_titles.append(title);
        return save_answer;
      };
      form->ChooseOpenName = [] { return std::pair<QString, int>(); };
    }
    return *form;
  }

  // A copy of an example in the test folder.
  QString Example(const QString& name, const QString& as = QString()) {
    const QString target = dir.filePath(as.isEmpty() ? name : as);
    QDir().mkpath(QFileInfo(target).path());
    QFile::remove(target);
    EXPECT_TRUE(QFile::copy(kExamples + QLatin1Char('/') + name, target));
    QFile(target).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    return target;
  }

  bool Enabled(const char* name) {
    return Form().Action(QString::fromLatin1(name))->isEnabled();
  }
  bool Visible(const char* name) {
    return Form().Action(QString::fromLatin1(name))->isVisible();
  }
  void Open(const char* menu) {
    Form().UpdateMenu(Form().Menu(QString::fromLatin1(menu)));
  }

  QTemporaryDir dir;
  QString previous_dir;
  std::unique_ptr<TMainForm> form;
  QString save_answer;
  QStringList save_titles;
  RecordedMessages recorded;
};

TEST_F(MainForm, MenusCarryTheirNamesCaptionsAndShortcuts) {
  TMainForm& f = Form();
  QStringList titles;
  for (QAction* a : f.menuBar()->actions()) titles.append(a->text());
  EXPECT_EQ(titles, QStringList({"&File", "Da&ta", "&Options", "&Stage Construction",
                                 "&Computation", "&Graphics", "&Window",
                                 "Show 3DView", "&Help"}));
  struct Item {
    const char* name;
    const char* caption;
    const char* shortcut;
  };
  const Item items[] = {
      {"FileNew", "&New", "Ctrl+N"},
      {"FileOpen", "&Open...", "Ctrl+O"},
      {"FileSave", "&Save", "Ctrl+S"},
      {"FileSaveAs", "Save &As...", ""},
      {"FileExit", "E&xit", "Ctrl+Q"},
      {"DataAxLoads", "&Soil Layer Data", ""},
      {"TiebackGroundAnchorData1", "Tieback (Ground Anchor) Data", ""},
      {"ApplyTiebackGroundAnchor1", "Apply Tieback (Ground  Anchor)", ""},
      {"OptionsPYMod", "Apply External p-y &Modification Factors ", ""},
      {"Gentrape", "Generate Trapezoidal-Distribution Pressure (Anchored Walls)", ""},
      {"OptionofTexeEditor1", "&Option of Text Editor...", ""},
      {"CopyPreviousStage", "Copy &Previous Stage", ""},
      {"CompKernel", "Edit &Processor-Run Notes", ""},
      {"DefMomShear", "&Deflection, Moment and Shear", ""},
      {"WindowArrange", "&Arrange Icons", ""},
  };
  for (const Item& item : items) {
    SCOPED_TRACE(item.name);
    QAction* action = f.Action(QString::fromLatin1(item.name));
    ASSERT_NE(action, nullptr);
    EXPECT_EQ(action->objectName(), QString::fromLatin1(item.name));
    EXPECT_EQ(action->text(), QString::fromLatin1(item.caption));
    EXPECT_EQ(action->shortcut().toString(), QString::fromLatin1(item.shortcut));
  }
  for (const char* name : {"SoilLayerDataMenu", "DataLoading", "OptionsUnits",
                           "OptionsKoutpt", "StageMenu", "ArrangeMenu"}) {
    EXPECT_NE(f.Menu(QString::fromLatin1(name)), nullptr) << name;
  }
  // The toolbar's hints in order, the 3D controls hidden.
  QStringList hints;
  for (QAction* a : f.findChild<QToolBar*>(QStringLiteral("ToolBar"))->actions()) {
    if (!a->isSeparator() && a->isVisible()) hints.append(a->toolTip());
  }
  EXPECT_EQ(hints, QStringList({"New Data File", "Open Data File", "Save Data File",
                                "Title", "Wall Properties", "Wall Configuration",
                                "Soil Layers", "Run Analysis",
                                "Stage Construction Option", "View Output File",
                                "View Soil Profile", "3D View", "View p-y Curves",
                                "Deflection Diagram", "Moment Diagram",
                                "Shear Diagram", "Net Reaction Diagram",
                                "DMV Diagrams", "Pressure Diagram"}));
}

TEST_F(MainForm, CaptionFollowsTheFileName) {
  const std::pair<const char*, const char*> cases[] = {
      {"NewWall.ks5d", "KESTRA 2015.5.16 - NewWall"},
      {"/w/wall.ks5d", "KESTRA 2015.5.16 - Wall"},
      {"/w/my.wall.KS5D", "KESTRA 2015.5.16 - My"},
      {"/w/old.ksd", "KESTRA 2015.5.16 - Old.ksd"},
      {"/w.x/pile.ks4d", "KESTRA 2015.5.16 - Pile.ks4d"},
  };
  for (const auto& [file, caption] : cases) {
    EXPECT_EQ(MainCaption(QString::fromLatin1(file)), QString::fromLatin1(caption));
  }
  EXPECT_EQ(Form().windowTitle(), QStringLiteral("KESTRA 2015.5.16 - NewWall"));
}

TEST_F(MainForm, OptionItemsEnableTheirDataItemsOnTheNextOpening) {
  Open("DataMenu");
  EXPECT_FALSE(Enabled("TiebackGroundAnchorData1"));
  Form().Action(QStringLiteral("ApplyTiebackGroundAnchor1"))->trigger();
  EXPECT_TRUE(Form().Project().Modified());
  Open("DataMenu");
  EXPECT_TRUE(Enabled("TiebackGroundAnchorData1"));
  Open("OptionsMenu");
  EXPECT_TRUE(Form().Action(QStringLiteral("ApplyTiebackGroundAnchor1"))->isChecked());

  // The user-pressure table only with the user-specified distribution.
  Open("DataMenu");
  EXPECT_FALSE(Enabled("DistributedActiveEarthPressureMenu"));
  Form().Action(QStringLiteral("Userinput"))->trigger();
  Open("DataMenu");
  EXPECT_TRUE(Enabled("DistributedActiveEarthPressureMenu"));

  Form().Action(QStringLiteral("SIUnits"))->trigger();
  EXPECT_EQ(Form().Data().Units, 2);
  Open("OptionsUnits");
  EXPECT_TRUE(Form().Action(QStringLiteral("SIUnits"))->isChecked());
}

TEST_F(MainForm, LongTermModeSwitchesSoilLayersAndStagedOption) {
  TMainForm& f = Form();
  EXPECT_TRUE(Enabled("btnSoilLayers"));
  f.Action(QStringLiteral("OptionsLong"))->trigger();
  EXPECT_FALSE(Enabled("btnSoilLayers"));
  EXPECT_FALSE(Enabled("btnStaged"));
  Open("DataMenu");
  EXPECT_FALSE(Visible("DataAxLoads"));
  EXPECT_TRUE(f.Menu(QStringLiteral("SoilLayerDataMenu"))->menuAction()->isVisible());
  EXPECT_TRUE(Visible("ShortTerm2"));
  EXPECT_TRUE(Visible("LongTerm2"));
  Open("OptionsMenu");
  EXPECT_FALSE(Enabled("OptionsStaged"));

  // The long-term soil layers open their own table.
  f.Action(QStringLiteral("LongTerm2"))->trigger();
  ProcessEvents();
  ASSERT_EQ(f.MdiArea()->subWindowList().size(), 1);
  EXPECT_NE(f.TableWindows().Find(f.Tables().LongSoil), nullptr);

  f.Action(QStringLiteral("OptionsLong"))->trigger();
  Open("DataMenu");
  EXPECT_TRUE(Visible("DataAxLoads"));
  EXPECT_FALSE(f.Menu(QStringLiteral("SoilLayerDataMenu"))->menuAction()->isVisible());
  EXPECT_TRUE(Enabled("btnSoilLayers"));
}

TEST_F(MainForm, ThreeStagesShowFiveStageButtonsOfWhichTwoAreDisabled) {
  Form().OpenFileName(Example(QStringLiteral("three-stage-excavation.ks5d")));
  ASSERT_EQ(Form().Data().StageCount, 3);
  EXPECT_EQ(Form().StatusText()->text(), QStringLiteral("Construction Stage Number: 1"));
  EXPECT_TRUE(Form().Menu(QStringLiteral("StageMenu"))->menuAction()->isVisible());
  for (const char* name : {"btnStage1", "btnStage2", "btnStage3"}) {
    EXPECT_TRUE(Visible(name) && Enabled(name)) << name;
  }
  for (const char* name : {"btnStage4", "btnStage5"}) {
    EXPECT_TRUE(Visible(name)) << name;
    EXPECT_FALSE(Enabled(name)) << name;
  }
  Open("StageMenu");
  EXPECT_TRUE(Enabled("Stage3Menu"));
  EXPECT_FALSE(Enabled("Stage4Menu"));
  EXPECT_FALSE(Enabled("CopyPreviousStage"));

  Form().Action(QStringLiteral("btnStage2"))->trigger();
  EXPECT_EQ(Form().Data().CurrentStage, 2);
  EXPECT_EQ(Form().StatusText()->text(), QStringLiteral("Construction Stage Number: 2"));
  Open("StageMenu");
  EXPECT_TRUE(Enabled("CopyPreviousStage"));

  Form().FileNewClick();
  EXPECT_EQ(Form().StatusText()->text(), QString());
  EXPECT_FALSE(Form().Menu(QStringLiteral("StageMenu"))->menuAction()->isVisible());
  EXPECT_FALSE(Visible("btnStage1"));
}

// The graphs are enabled by the plot data; a graph without curves stays off.
TEST_F(MainForm, GraphicsFollowThePlotData) {
  const QString input = Example(QStringLiteral("cantilever-sand.ks5d"));
  Form().OpenFileName(input);
  Open("GraphicsMenu");
  for (const char* name : {"Comppy", "CompDef", "DefMomShear", "CompCombine", "ExportExcel"}) {
    EXPECT_FALSE(Enabled(name)) << name;
  }
  EXPECT_FALSE(Enabled("btnDef"));

  // One block, no p-y curves, three result rows.
  QFile plot(dir.filePath(QStringLiteral("cantilever-sand.ks5p")));
  ASSERT_TRUE(plot.open(QIODevice::WriteOnly));
  plot.write("2\n0 1 1 0\n120 2 2 0\n1\n0\n1\n3 0\n"
             "0 0.5 0 0 0\n60 0.2 24000 1500 30\n120 0 0 0 0\n");
  plot.close();
  Form().OpenFileName(input);
  ASSERT_TRUE(Form().PlotDataLoaded());
  Open("GraphicsMenu");
  EXPECT_FALSE(Enabled("Comppy"));
  for (const char* name : {"CompDef", "CompMom", "CompShear", "CompSoil",
                           "DefMomShear", "CompLD", "CompCombine", "ExportExcel"}) {
    EXPECT_TRUE(Enabled(name)) << name;
  }
  EXPECT_FALSE(Enabled("btnPY"));
  EXPECT_TRUE(Enabled("btnDMS"));
  Open("ComputationMenu");
  EXPECT_TRUE(Enabled("CompInput"));
  EXPECT_TRUE(Enabled("CompLayers"));
  EXPECT_FALSE(Enabled("CompOutput"));

  // Without the file the loaded data no longer count.
  QFile::remove(plot.fileName());
  Open("GraphicsMenu");
  EXPECT_FALSE(Enabled("CompDef"));
}

TEST_F(MainForm, TableWindowsOpenInsideTheFrame) {
  TMainForm& f = Form();
  f.Action(QStringLiteral("DataAxLoads"))->trigger();
  TTableForm* layers = f.TableWindows().Find(f.Tables().NewSoil);
  ASSERT_NE(layers, nullptr);
  // A sub-table window opened from a row button joins the frame too.
  QPushButton* sand = layers->FlexButton(soil_columns::kParameters, 0);
  ASSERT_NE(sand, nullptr);
  sand->click();
  ProcessEvents();
  const auto children = f.MdiArea()->subWindowList();
  ASSERT_EQ(children.size(), 2);
  for (QMdiSubWindow* child : children) {
    EXPECT_FALSE(child->widget()->isWindow());
    EXPECT_EQ(child->windowTitle(), child->widget()->windowTitle());
  }
  EXPECT_EQ(f.MdiArea()->activeSubWindow(), children[1]);

  // The Window menu lists them, the active one ticked.
  Open("ArrangeMenu");
  QAction* first = f.findChild<QAction*>(QStringLiteral("WindowEntry1"));
  QAction* second = f.findChild<QAction*>(QStringLiteral("WindowEntry2"));
  ASSERT_TRUE(first && second);
  EXPECT_FALSE(first->isChecked());
  EXPECT_TRUE(second->isChecked());
  first->trigger();
  EXPECT_EQ(f.MdiArea()->activeSubWindow(), children[0]);

  // Closing a frame closes its table window.
  children[1]->close();
  ProcessEvents();
  EXPECT_EQ(f.MdiArea()->subWindowList().size(), 1);
}

// The Data menu's dialogs open inside the frame, once each; a unit switch
// reaches an open dialog.
TEST_F(MainForm, DialogsOpenInsideTheFrame) {
  Form().Action(QStringLiteral("DataTitle"))->trigger();
  Form().Action(QStringLiteral("DataProp"))->trigger();
  Form().Action(QStringLiteral("DataTitle"))->trigger();
  int dialogs = 0;
  for (QMdiSubWindow* sub : Form().MdiArea()->subWindowList())
    if (qobject_cast<TInputDialog*>(sub->widget())) ++dialogs;
  EXPECT_EQ(dialogs, 2);
  Form().Action(QStringLiteral("SIUnits"))->trigger();
  EXPECT_EQ(Form().Data().Units, 2);
}

// The dialog of a kind among the frame's windows.
template <typename Dialog>
Dialog* OpenDialog(TMainForm& form) {
  for (QMdiSubWindow* sub : form.MdiArea()->subWindowList())
    if (auto* dialog = qobject_cast<Dialog*>(sub->widget())) return dialog;
  return nullptr;
}

// Types into a field or a cell as the user does.
void TypeField(TDataEdit& field, const QString& text) {
  field.setFocus();
  field.selectAll();
  QTest::keyClicks(&field, text);
}

void TypeCell(TTableForm& form, int col, int row, const QString& text) {
  ASSERT_TRUE(form.MoveTo(col, row));
  QTableWidget* grid = form.Grid();
  grid->edit(grid->currentIndex());
  QLineEdit* editor = nullptr;
  for (auto* e : grid->viewport()->findChildren<QLineEdit*>())
    if (e->isVisible()) editor = e;
  ASSERT_NE(editor, nullptr);
  editor->setText(text);
  ASSERT_TRUE(form.CommitCell());
}

QString FileText(const QString& path) {
  QFile file(path);
  EXPECT_TRUE(file.open(QIODevice::ReadOnly));
  return QString::fromLatin1(file.readAll());
}

// A wall entered as a user does — menus, dialogs, table windows — is saved,
// read back and saved again to the same file, and it runs.
TEST_F(MainForm, WallEnteredThroughDialogsAndTablesSavesReopensAndRuns) {
  TMainForm& f = Form();
  f.show();
  f.Action(QStringLiteral("SIUnits"))->trigger();

  f.Action(QStringLiteral("DataProp"))->trigger();
  auto* prop = OpenDialog<TDlgProp>(f);
  ASSERT_NE(prop, nullptr);
  TypeField(*prop->deNI(), "40");
  TypeField(*prop->deXGS(), "0.25");
  TypeField(*prop->DeFH(), "4");
  TypeField(*prop->deXLN(), "0.5");

  f.Action(QStringLiteral("DataCSD"))->trigger();
  auto* csd = OpenDialog<TdlgCSD>(f);
  ASSERT_NE(csd, nullptr);
  TypeField(*csd->deWidth(), "1");
  TypeField(*csd->dePYW(), "1");
  TypeField(*csd->deHW(), "20");
  TypeField(*csd->DeHW2(), "20");

  InputTables& t = f.Data().Tables();
  TTableForm* stiffness = f.ShowTable(t.PileSect);
  ASSERT_NE(stiffness, nullptr);
  TypeCell(*stiffness, 1, 0, "40");
  TypeCell(*stiffness, 3, 0, "50000");
  TTableForm* soil = f.ShowTable(t.NewSoil);
  ASSERT_NE(soil, nullptr);
  TypeCell(*soil, 0, 0, "4");
  TypeCell(*soil, 1, 0, "12");
  TGridTable* sand = t.NewSoil.SubTable(2, 0);
  ASSERT_NE(sand, nullptr);
  TTableForm* parameters = f.ShowTable(*sand);
  ASSERT_NE(parameters, nullptr);
  for (int row : {0, 1}) {
    TypeCell(*parameters, 0, row, "18");
    TypeCell(*parameters, 1, row, "32");
    TypeCell(*parameters, 2, row, "25000");
  }

  const QString first = dir.filePath(QStringLiteral("wall.ks5d"));
  save_answer = first;
  f.Action(QStringLiteral("FileSave"))->trigger();
  ASSERT_TRUE(QFileInfo::exists(first));
  EXPECT_EQ(f.Data().IncrementCount, 40);
  EXPECT_EQ(f.Data().Units, 2);
  EXPECT_FALSE(f.Project().Modified()) << "saved; tables changed: " << f.Data().Tables().Modified();
  std::vector<std::string> asked;
  ScopedQuestionSink answers([&asked](QWidget*, const std::string& q) {
    asked.push_back(q);
    return Answer::kNo;
  });

  f.Action(QStringLiteral("FileNew"))->trigger();
  EXPECT_TRUE(asked.empty()) << asked.front();
  f.OpenFileName(first);
  const QString second = dir.filePath(QStringLiteral("again.ks5d"));
  save_answer = second;
  f.Action(QStringLiteral("FileSaveAs"))->trigger();
  EXPECT_EQ(FileText(second), FileText(first));

  f.Action(QStringLiteral("CompRun"))->trigger();
  const QString report = FileText(dir.filePath(QStringLiteral("again.ks5o")));
  std::string said;
  for (const std::string& m : recorded.messages) said += m + " | ";
  EXPECT_TRUE(report.contains(QStringLiteral("RESULTS -- ITERATION"))) << said;
  EXPECT_FALSE(report.contains(QStringLiteral("ERROR"))) << report.toStdString();
  Open("GraphicsMenu");
  EXPECT_TRUE(Enabled("CompDef")) << "results loaded into the graphs";
}

TEST(RecentFiles, MoveToTopAndDropTheEleventh) {
  TRecentFiles recent;
  for (int n = 1; n <= 10; ++n) recent.PutOnTop(QStringLiteral("/w/f%1.ks5d").arg(n));
  EXPECT_EQ(recent.Entries().constFirst(), QStringLiteral("/w/f10.ks5d"));
  recent.PutOnTop(QStringLiteral("/w/f9.ks5d"));
  EXPECT_EQ(recent.Entries().mid(0, 3),
            QStringList({"/w/f9.ks5d", "/w/f10.ks5d", "/w/f8.ks5d"}));
  recent.PutOnTop(QStringLiteral("/w/f9.ks5d"));
  EXPECT_EQ(recent.Entries()[1], QStringLiteral("/w/f10.ks5d"));
  recent.PutOnTop(QStringLiteral("/w/new.ks5d"));
  EXPECT_EQ(recent.Count(), 10);
  EXPECT_EQ(recent.Entries().constFirst(), QStringLiteral("/w/new.ks5d"));
  EXPECT_FALSE(recent.Entries().contains(QStringLiteral("/w/f1.ks5d")));

  EXPECT_EQ(TRecentFiles::MenuText(0, QStringLiteral("/work/Wall.ks5d"),
                                   QStringLiteral("/work")),
            QStringLiteral("1 Wall.ks5d"));
  EXPECT_EQ(TRecentFiles::MenuText(1, QStringLiteral("/other/Wall.ks5d"),
                                   QStringLiteral("/work")),
            QStringLiteral("2 /other/Wall.ks5d"));
  // A sibling folder that merely starts with the same letters is not inside.
  EXPECT_EQ(TRecentFiles::MenuText(2, QStringLiteral("/workshop/A&B.ks5d"),
                                   QStringLiteral("/work")),
            QStringLiteral("3 /workshop/A&&B.ks5d"));
}

TEST_F(MainForm, OpenedFilesAreRememberedAcrossSessions) {
  const QString a = Example(QStringLiteral("cantilever-sand.ks5d"));
  const QString b = Example(QStringLiteral("wall-on-springs.ks5d"), QStringLiteral("sub/b.ks5d"));
  Form().OpenFileName(a);
  EXPECT_TRUE(Contains(recorded.messages,
                       "Data file: Cantilever-sand.ks5d, has been read by KESTRA 2015"));
  Form().OpenFileName(b);
  Form().OpenFileName(a);
  EXPECT_EQ(Form().RecentFiles().Entries(), QStringList({a, b}));

  // The menu shows them relative to the current folder (now a's folder).
  Open("FileMenu");
  EXPECT_TRUE(Visible("RecentFile1"));
  EXPECT_TRUE(Visible("RecentFile2"));
  EXPECT_FALSE(Visible("RecentFile3"));
  EXPECT_EQ(Form().Action(QStringLiteral("RecentFile1"))->text(),
            QStringLiteral("1 cantilever-sand.ks5d"));
  EXPECT_EQ(Form().Action(QStringLiteral("RecentFile2"))->text(),
            QStringLiteral("2 sub/b.ks5d"));

  Form().Action(QStringLiteral("RecentFile2"))->trigger();
  EXPECT_EQ(Form().Data().FileName, b.toStdString());

  TAppSettings stored;
  stored.Read();
  EXPECT_EQ(stored.recent.Entries(), QStringList({b, a}));
}

TEST_F(MainForm, SavePromptAnswers) {
  const QString a = Example(QStringLiteral("cantilever-sand.ks5d"));
  const QString b = Example(QStringLiteral("wall-on-springs.ks5d"));
  Form().OpenFileName(a);
  const QByteArray before = [&] {
    QFile f(a);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
  }();
  Form().Action(QStringLiteral("OptionsSurcharge"))->trigger();

  {
    ScopedQuestionSink cancel([](QWidget*, const std::string&) { return Answer::kCancel; });
    Form().OpenDroppedFile(b);
    EXPECT_EQ(Form().Data().FileName, a.toStdString());
    EXPECT_TRUE(Form().Project().Modified());
  }
  {
    int asked = 0;
    ScopedQuestionSink no([&](QWidget*, const std::string& q) {
      EXPECT_EQ(q, "Do you want to save any changes?");
      ++asked;
      return Answer::kNo;
    });
    Form().OpenDroppedFile(b);
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(Form().Data().FileName, b.toStdString());
  }
  QFile f(a);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  EXPECT_EQ(f.readAll(), before);

  // Yes on a never-saved project whose name is refused keeps it open.
  Form().FileNewClick();
  Form().Action(QStringLiteral("OptionsSurcharge"))->trigger();
  ScopedQuestionSink yes([](QWidget*, const std::string&) { return Answer::kYes; });
  save_answer.clear();
  EXPECT_FALSE(Form().MaybeSave());
  EXPECT_EQ(save_titles.value(0), QStringLiteral("Save NewWall.ks5d As"));
  save_answer = dir.filePath(QStringLiteral("named.ks5d"));
  EXPECT_TRUE(Form().MaybeSave());
  EXPECT_TRUE(QFileInfo::exists(save_answer));
  EXPECT_EQ(Form().windowTitle(), QStringLiteral("KESTRA 2015.5.16 - Named"));
  EXPECT_EQ(Form().RecentFiles().Entries().value(0), save_answer);
}

TEST_F(MainForm, CommandLineFileWithoutExtensionMeansPreviousVersion) {
  Example(QStringLiteral("cantilever-sand.ks5d"), QStringLiteral("Wall.ks4d"));
  Form().Start({dir.filePath(QStringLiteral("Wall"))});
  EXPECT_EQ(Form().Data().FileName, dir.filePath(QStringLiteral("Wall.ks4d")).toStdString());
  EXPECT_EQ(Form().windowTitle(), QStringLiteral("KESTRA 2015.5.16 - Wall.ks4d"));
  // No message, no recent entry.
  EXPECT_FALSE(Contains(recorded.messages, "has been read"));
  EXPECT_EQ(Form().RecentFiles().Count(), 0);

  // Saving a file of an older format asks for a new name.
  save_answer = dir.filePath(QStringLiteral("Wall.ks5d"));
  EXPECT_TRUE(Form().FileSaveClick());
  EXPECT_EQ(save_titles.value(0), QStringLiteral("Save Wall.ks4d As"));
  EXPECT_EQ(Form().Data().FileName, save_answer.toStdString());

  form.reset();
  Form().Start({dir.filePath(QStringLiteral("Missing"))});
  EXPECT_EQ(Form().Data().FileName, std::string(kNewFileName));
}

TEST(RunChecks, FirstFailingCheckGivesItsMessage) {
  InputTables tables;
  TProgramData data(tables);
  data.IncrementCount = 80;
  data.IncrementLength = 6;
  TGridTable& stiffness = tables.PileSect;
  stiffness.SetRowCount(2);
  stiffness.SetCellInteger(1, 0, 40);
  stiffness.SetCellInteger(0, 1, 40);
  stiffness.SetCellInteger(1, 1, 90);
  EXPECT_EQ(ValidateInputMessage(data).value_or(""),
            "End Node, 90 in row 2 of Wall Stiffness definition\n"
            "is greater than number of nodes defined, 80.\n"
            "Please check on Wall Properties Windows and Wall Stiffness Table");
  stiffness.SetCellInteger(1, 1, 80);

  TGridTable& soil = tables.NewSoil;
  soil.SetRowCount(3);
  for (int row = 0; row < 3; ++row) {
    soil.SetCellInteger(soil_columns::kSoilType, row, 1);
    soil.SetCellFloat(soil_columns::kBottomDepth, row, 10.0L * (row + 1) + 10);
  }
  // 80 increments of 6 in: a wall of 40 ft, layers to 40 ft.
  EXPECT_FALSE(ValidateInputMessage(data).has_value());
  soil.SetCellFloat(soil_columns::kBottomDepth, 2, 39);
  EXPECT_EQ(ValidateInputMessage(data).value_or(""),
            "Depth of Bottom of Soil Layering: 39 ft\n"
            "should extend at least below Depth of Wall: 40 ft\n"
            "Please check Soil Layer Data and/or Wall Properties Windows");
  soil.SetCellFloat(soil_columns::kBottomDepth, 2, 40);

  data.BackfillSlope = 35;
  EXPECT_FALSE(ValidateInputMessage(data).has_value()) << "clay passes";
  soil.SetCellInteger(soil_columns::kSoilType, 2, 4);
  soil.SubTable(soil_columns::kParameters, 2)->SetCellFloat(1, 0, 30);
  EXPECT_EQ(ValidateInputMessage(data).value_or(""),
            "Slope of the Backfill: 35 deg.\nis greater than friction angle, 30 deg.,\n"
            "in layer 3\nPlease check on Wall Configuration and Soil Layers Windows");
  soil.SetCellInteger(soil_columns::kSoilType, 2, 5);
  soil.SubTable(soil_columns::kParameters, 2)->SetCellFloat(1, 0, 30);
  EXPECT_EQ(ValidateInputMessage(data).value_or(""),
            "Slope of the Backfill: 35\nis greater than friction angle, 30,\n"
            "in layer 3\nPlease check Soil Layers");
}

TEST(NamesFile, NamesTheFourFilesOfTheRun) {
  const std::string text = NamesFileText("/w/Wall.ks5d", "/opt/kestra");
  EXPECT_EQ(text,
            "2015.5.16\r\n/opt/kestra\r\n/w\r\n0\r\n/w/Wall.ks5d\r\n"
            "/w/Wall.ks5o\r\n/w/Wall.ks5p\r\n/w/Wall.ks5r\r\n");
}

TEST(DynamicLibrary, BindingFailuresAreOneFamily) {
  QTemporaryDir dir;
  const QString not_a_library = dir.filePath(QStringLiteral("text.so"));
  QFile file(not_a_library);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("not a library");
  file.close();

  TDynamicLibrary library;
  EXPECT_THROW(library.EntryPoint("_IKESTRA"), EDLLNotOpenError);
  library.SetFileName(dir.filePath(QStringLiteral("missing.so")));
  EXPECT_THROW(library.Load(), EFileNotFoundError);
  library.SetFileName(not_a_library);
  EXPECT_THROW(library.Load(), EInitError);
  EXPECT_FALSE(library.IsLoaded());
  try {
    library.Load();
  } catch (const EDLLError& e) {
    EXPECT_STREQ(e.what(), "Library failed to properly initialize");
  }

  library.SetFileName(QCoreApplication::applicationDirPath() +
                      QStringLiteral("/libKestra2015_DLL.so"));
  library.Load();
  EXPECT_TRUE(library.IsLoaded());
  EXPECT_NE(library.EntryPoint("_IKESTRA"), nullptr);
  EXPECT_EQ(library.EntryPoint("NoSuchEntry"), nullptr);
  library.Unload();
  EXPECT_FALSE(library.IsLoaded());
}

// The whole path: open, run through the real engine, read the graphs.
TEST_F(MainForm, RunAnalysisFillsTheGraphsAndWritesTheReport) {
  const QString input = Example(QStringLiteral("cantilever-sand.ks5d"),
                                QStringLiteral("with space/Wall.ks5d"));
  TMainForm& f = Form();
  f.OpenFileName(input);
  f.ShowTable(f.Tables().PileSect);
  ProcessEvents();
  ASSERT_EQ(f.MdiArea()->subWindowList().size(), 1);
  recorded.messages.clear();

  f.CompRunClick();
  ProcessEvents();
  EXPECT_EQ(recorded.messages,
            std::vector<std::string>({"Computations are completed. Please, check output "
                                      "file for results or error messages."}));
  EXPECT_TRUE(f.PlotDataLoaded());
  EXPECT_TRUE(QFileInfo(dir.filePath(QStringLiteral("with space/Wall.ks5o"))).size() > 0);
  EXPECT_TRUE(QFileInfo::exists(dir.filePath(QStringLiteral("with space/Wall.ks5r"))));
  ASSERT_GE(f.Graphs().pltDef.LineCount(CurveGroup::Lines), 1);
  EXPECT_GT(f.Graphs().pltDef.Line(CurveGroup::Lines, 0).Points.size(), 1u);
  EXPECT_GT(f.Graphs().pltMom.Line(CurveGroup::Lines, 0).Points.size(), 1u);
  EXPECT_FALSE(QFileInfo::exists(QCoreApplication::applicationDirPath() +
                                 QStringLiteral("/names.dat")));
  EXPECT_EQ(QDir::currentPath(), QFileInfo(input).absolutePath());
  EXPECT_TRUE(f.MdiArea()->subWindowList().isEmpty());

  Open("GraphicsMenu");
  for (const char* name : {"Comppy", "CompDef", "DefMomShear", "CompLD"}) {
    EXPECT_TRUE(Enabled(name)) << name;
  }
  EXPECT_TRUE(Enabled("btnViewOutput"));
  Open("ComputationMenu");
  EXPECT_TRUE(Enabled("CompOutput"));
  EXPECT_TRUE(Enabled("CompKernel"));
}

TEST_F(MainForm, RunStopsAtTheFirstFailingCheckOrACancelledName) {
  Form().CompRunClick();  // a new project whose name is refused
  EXPECT_TRUE(recorded.messages.empty());

  Form().OpenFileName(Example(QStringLiteral("cantilever-sand.ks5d")));
  Form().Tables().PileSect.SetCellInteger(1, 0, 500);
  recorded.messages.clear();
  Form().CompRunClick();
  ASSERT_EQ(recorded.messages.size(), 1u);
  EXPECT_EQ(recorded.messages[0].rfind("End Node, 500 in row 1", 0), 0u);
  EXPECT_FALSE(QFileInfo::exists(dir.filePath(QStringLiteral("cantilever-sand.ks5o"))));
}

// A script stands in for the editor and records its arguments.
TEST_F(MainForm, TextFilesReachTheEditorAsOneArgument) {
  const QString log = dir.filePath(QStringLiteral("editor.log"));
  const QString script = dir.filePath(QStringLiteral("editor.sh"));
  QFile file(script);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(QStringLiteral("#!/bin/sh\nprintf '%s|' \"$#\" \"$@\" > \"%1.tmp\" && mv \"%1.tmp\" \"%1\"\n")
                 .arg(log).toUtf8());
  file.close();
  file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

  const QString input = Example(QStringLiteral("cantilever-sand.ks5d"),
                                QStringLiteral("a folder/Wall.ks5d"));
  Form().OpenFileName(input);
  Form().SetTextEditor(script);
  Form().Action(QStringLiteral("CompInput"))->trigger();
  QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(log), 20000);
  QFile written(log);
  ASSERT_TRUE(written.open(QIODevice::ReadOnly));
  EXPECT_EQ(QString::fromUtf8(written.readAll()), QStringLiteral("1|") + input + QLatin1Char('|'));

  recorded.messages.clear();
  Form().SetTextEditor(dir.filePath(QStringLiteral("no such editor")));
  Form().ShowTextFile(input);
  EXPECT_EQ(recorded.messages,
            std::vector<std::string>({"An error occurred in running the Word Processor"}));
}

TEST_F(MainForm, EditorSettingDefaultsAndIsWrittenOnClose) {
  EXPECT_FALSE(Form().TextEditor().isEmpty());
  Form().Action(QStringLiteral("OptionofTexeEditor1"))->trigger();
  auto* field = Form().findChild<QLineEdit*>(QStringLiteral("EdtWord"));
  ASSERT_NE(field, nullptr);
  EXPECT_EQ(field->text(), Form().TextEditor());
  field->setText(QStringLiteral("/usr/bin/my editor"));
  EXPECT_EQ(Form().TextEditor(), QStringLiteral("/usr/bin/my editor"));
  EXPECT_TRUE(Form().close());

  TAppSettings stored;
  stored.Read();
  EXPECT_EQ(stored.text_editor, QStringLiteral("/usr/bin/my editor"));
}

}  // namespace
}  // namespace kestra
