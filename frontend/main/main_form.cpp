#include "main_form.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLayout>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QStatusBar>
#include <QStyle>
#include <QTemporaryDir>
#include <QToolBar>
#include <QUrl>
#include <cstdint>
#include <exception>
#include <fstream>
#include <iterator>

#include "busy_cursor.h"
#include "dynlib.h"
#include "icons.h"
#include "info_box_widget.h"
#include "names_file.h"
#include "plot_form.h"
#include "question_box.h"
#include "run_checks.h"
#include "stage_dialog.h"
#include "stage_files.h"
#include "text_editor.h"

namespace kestra {
namespace {

constexpr int kMaxWindowEntries = 50;
constexpr int32_t kConsistencyCode = 16;
constexpr char kEngineLibrary[] = "libKestra2015_DLL.so";

std::string Std(const QString& text) { return text.toStdString(); }
QString QStr(const std::string& text) { return QString::fromStdString(text); }

// The name without its folder, first letter upper case.
QString ShownName(const QString& path) {
  QString name = QFileInfo(path).fileName();
  if (!name.isEmpty()) name[0] = name[0].toUpper();
  return name;
}

// The engine takes the current directory; the GUI has one thread, so the
// directory is changed for the call and restored afterwards.
class ScopedCurrentDir {
 public:
  explicit ScopedCurrentDir(const QString& dir) : previous_(QDir::currentPath()) {
    QDir::setCurrent(dir);
  }
  ~ScopedCurrentDir() { QDir::setCurrent(previous_); }
  ScopedCurrentDir(const ScopedCurrentDir&) = delete;
  ScopedCurrentDir& operator=(const ScopedCurrentDir&) = delete;

 private:
  QString previous_;
};

struct ApplyItem {
  const char* name;
  const char* caption;
  ApplySwitch which;
};

constexpr ApplyItem kApplyItems[] = {
    {"OptionsConcentrate", "Apply &Concentrated Loads",
     ApplySwitch::kConcentratedLoads},
    {"ApplyTiebackGroundAnchor1", "Apply Tieback (Ground  Anchor)",
     ApplySwitch::kTiebacks},
    {"OptionsTipRes", "Apply &Restraints on Deflection or Slope",
     ApplySwitch::kRestraints},
    {"OptionsPYCurves", "Apply User Specified p-y Curves (&External)",
     ApplySwitch::kExternalPY},
    {"OptionsLateralSpring", "Apply &Lateral Springs and Rotation Restraints",
     ApplySwitch::kSprings},
    {"OptionsPYMod", "Apply External p-y &Modification Factors ",
     ApplySwitch::kPYModifiers},
    {"OptionsSurcharge", "Apply Additional Surcharge Loads",
     ApplySwitch::kSurcharge},
    {"OptionsEICurves", "Apply Nonlinear Moment vs EI Curves",
     ApplySwitch::kEICurves},
};

}  // namespace

TMainForm::TMainForm(QWidget* parent)
    : QMainWindow(parent),
      project_(std::make_unique<TProject>(tables_)),
      table_windows_(this) {
  setObjectName(QStringLiteral("MainForm"));
  mdi_ = new QMdiArea(this);
  mdi_->setObjectName(QStringLiteral("ClientArea"));
  mdi_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  mdi_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setCentralWidget(mdi_);
  setAcceptDrops(true);
  setWindowIcon(ToolIcon(QStringLiteral("profile")));

  createActions();
  createMenus();
  createToolBars();
  createStatusBar();
  readSettings();
  WireDialogs();
  WireGraphWindows();
  WireExport();
  WireSideView();
  WireView3D();

  ChooseOpenName = [this]() -> std::pair<QString, int> {
    QFileDialog dialog(this, QStringLiteral("Open"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    const QStringList filters{
        QStringLiteral("Kestra 2015 (*.ks5d)"),
        QStringLiteral("Kestra 2013 (*.ks4d)"),
        QStringLiteral("Kestra 3.0 (*.ksd)"),
        QStringLiteral("Kestra 2.0 (*.ksd)"),
        QStringLiteral("All Files (*)")};
    dialog.setNameFilters(filters);
    dialog.setDefaultSuffix(QStringLiteral("ks5d"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
      return {};
    }
    return {dialog.selectedFiles().constFirst(),
            static_cast<int>(filters.indexOf(dialog.selectedNameFilter())) + 1};
  };
  ChooseSaveName = [this](const QString& preset, const QString& title) {
    QFileDialog dialog(this, title);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters({QStringLiteral("Kestra 2015 (*.ks5d)"),
                           QStringLiteral("All Files (*)")});
    dialog.setDefaultSuffix(QStringLiteral("ks5d"));
    dialog.selectFile(preset);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
      return QString();
    }
    return dialog.selectedFiles().constFirst();
  };

  UpdateCaption();
  AfterProjectChange();
  resize(1000, 700);
}

TMainForm::~TMainForm() {
  // The table windows refer to the tables: they go first.
  table_windows_.CloseAll();
}

// ---------------------------------------------------------------------------
// Construction

QAction* TMainForm::NewAction(const QString& name, const QString& caption,
                              const QKeySequence& shortcut) {
  auto* action = new QAction(caption, this);
  action->setObjectName(name);
  if (!shortcut.isEmpty()) action->setShortcut(shortcut);
  actions_[name] = action;
  return action;
}

QAction* TMainForm::NewButton(const QString& name, const QString& hint,
                              const QString& icon) {
  QAction* action = NewAction(name, hint);
  action->setToolTip(hint);
  action->setStatusTip(hint);
  action->setIcon(ToolIcon(icon));
  return action;
}

QMenu* TMainForm::NewMenu(const QString& name, const QString& caption,
                          QWidget* parent) {
  auto* menu = new QMenu(caption, parent);
  menu->setObjectName(name);
  menus_[name] = menu;
  return menu;
}

void TMainForm::Connect(QAction* action, std::function<void()> command) {
  connect(action, &QAction::triggered, this,
          [this, command = std::move(command)] { Guard(command); });
}

// Input/output failures end the command and are shown; nothing may escape
// into the event loop.
void TMainForm::Guard(const std::function<void()>& command) {
  try {
    command();
  } catch (const std::exception& e) {
    ShowInformation(this, e.what());
  }
  UpdateToolbar();
}

void TMainForm::SetCommandHandler(const QString& name,
                                  std::function<void()> handler) {
  handlers_[name] = std::move(handler);
}

void TMainForm::Handled(const QString& name,
                        const std::function<void()>& fallback) {
  const auto it = handlers_.find(name);
  if (it != handlers_.end() && it->second) {
    it->second();
  } else if (fallback) {
    fallback();
  }
}

void TMainForm::createActions() {
  // File.
  Connect(NewAction(QStringLiteral("FileNew"), QStringLiteral("&New"),
                    QKeySequence(QStringLiteral("Ctrl+N"))),
          [this] { FileNewClick(); });
  Connect(NewAction(QStringLiteral("FileOpen"), QStringLiteral("&Open..."),
                    QKeySequence(QStringLiteral("Ctrl+O"))),
          [this] { FileOpenClick(); });
  Connect(NewAction(QStringLiteral("FileSave"), QStringLiteral("&Save"),
                    QKeySequence(QStringLiteral("Ctrl+S"))),
          [this] { FileSaveClick(); });
  Connect(NewAction(QStringLiteral("FileSaveAs"), QStringLiteral("Save &As...")),
          [this] { FileSaveAsClick(); });
  Connect(NewAction(QStringLiteral("FileExit"), QStringLiteral("E&xit"),
                    QKeySequence(QStringLiteral("Ctrl+Q"))),
          [this] { close(); });
  for (int n = 0; n < TRecentFiles::kSize; ++n) {
    QAction* entry = NewAction(QStringLiteral("RecentFile") + QString::number(n + 1),
                               QString());
    entry->setVisible(false);
    Connect(entry, [this, n] {
      if (n >= settings_.recent.Count()) return;
      const QString path = settings_.recent.Entries()[n];
      if (MaybeSave()) OpenFileName(path);
    });
    recent_actions_.append(entry);
  }

  // Data: the tables open where no dialog of their own exists yet.
  InputTables& t = tables_;
  const auto table = [this](TGridTable& grid) {
    return [this, &grid] { ShowTable(grid); };
  };
  const auto data_item = [&](const char* name, const char* caption,
                             std::function<void()> fallback) {
    const QString key = QString::fromLatin1(name);
    Connect(NewAction(key, QString::fromLatin1(caption)),
            [this, key, fallback = std::move(fallback)] { Handled(key, fallback); });
  };
  data_item("DataTitle", "&Title", {});
  data_item("DataProp", "Wall &Properties", table(t.PileSect));
  data_item("DataCSD", "&Wall Configuration", {});
  data_item("DataAxLoads", "&Soil Layer Data", [this] {
    if (!Data().LongTermAnalysis) ShowTable(tables_.NewSoil);
  });
  data_item("ShortTerm2", "Short-Term", [this] {
    if (Data().LongTermAnalysis) ShowTable(tables_.NewSoil);
  });
  data_item("LongTerm2", "Long-Term", [this] {
    if (Data().LongTermAnalysis) ShowTable(tables_.LongSoil);
  });
  data_item("DistributedActiveEarthPressureMenu",
            "&Distributed Active Earth Pressure", table(t.DistLoad));
  data_item("ShortTerm1", "Short-Term", table(t.DistLoad));
  data_item("LongTerm1", "Long-Term", table(t.LongDist));
  data_item("DataRebar", "&Additional Surcharge Loads", table(t.SurchargeTable));
  data_item("DataBoundCond", "&Concentrated Loads on the Wall",
            table(t.BoundCond));
  data_item("TiebackGroundAnchorData1", "Tieback (Ground Anchor) Data",
            table(t.TiebackTable1));
  data_item("DataSoilLayer", "&Boundary Condition on Deflection or Slope",
            table(t.SoilLayer));
  data_item("DataPYMod", "Modification &Factors for p-y Curves", table(t.PYMod));
  data_item("DataPYCurves", "Sets of &External p-y Curves", table(t.PYCurves2));
  data_item("DataSoilSpring", "&Lateral Springs and Rotational Restraints",
            table(t.SoilStrength));
  data_item("DataEICurves", "Sets of Nonlinear Moment vs EI Curves",
            table(t.MEICurves2));

  // Options.
  auto* units = new QActionGroup(this);
  int code = 1;
  for (const auto& [name, caption] :
       {std::pair{"EnglishUnits", "&English Units (lbs, in)"},
        {"SIUnits", "&SI Units (kN, m)"}, {"FLUnits", "&Other Units (F, L)"}}) {
    QAction* item = NewAction(QString::fromLatin1(name), QString::fromLatin1(caption));
    item->setCheckable(true);
    units->addAction(item);
    Connect(item, [this, code] {
      Data().SetUnits(code);
      project_->SetModified(true);
      if (dialogs_) dialogs_->RedisplayUnits();
    });
    ++code;
  }
  auto* pressure = new QActionGroup(this);
  code = 1;
  for (const auto& [name, caption] :
       {std::pair{"Userinput", "Earth-Pressure Specified by User"},
        {"Gentriangular", "Generate Triangular-Distribution Earth-Pressure"},
        {"Gentrape",
         "Generate Trapezoidal-Distribution Pressure (Anchored Walls)"}}) {
    QAction* item = NewAction(QString::fromLatin1(name), QString::fromLatin1(caption));
    item->setCheckable(true);
    pressure->addAction(item);
    Connect(item, [this, code] {
      Data().ChoosePressureDistribution(code);
      project_->SetModified(true);
    });
    ++code;
  }
  QAction* py = NewAction(QStringLiteral("OptionsKPYOP"),
                          QStringLiteral("Generate &p-y Curves"));
  py->setCheckable(true);
  Connect(py, [this] {
    Data().ToggleGeneratePYCurves();
    project_->SetModified(true);
  });
  for (const ApplyItem& item : kApplyItems) {
    QAction* action = NewAction(QString::fromLatin1(item.name),
                                QString::fromLatin1(item.caption));
    action->setCheckable(true);
    Connect(action, [this, which = item.which] { ToggleApply(which); });
  }
  QAction* long_term = NewAction(QStringLiteral("OptionsLong"),
      QStringLiteral("Conduct Short-Term and Long-Term &Analyses"));
  long_term->setCheckable(true);
  Connect(long_term, [this] {
    Data().ToggleLongTermAnalysis();
    project_->SetModified(true);
    SetLongTermMode();
  });
  QAction* staged = NewAction(QStringLiteral("OptionsStaged"),
      QStringLiteral("Conduct &Staged-Construction Analysis..."));
  staged->setCheckable(true);
  Connect(staged, [this] {
    Handled(QStringLiteral("OptionsStaged"));
    UpdateStageState();
  });
  Connect(NewAction(QStringLiteral("OptionofTexeEditor1"),
                    QStringLiteral("&Option of Text Editor...")),
          [this] { ShowOptionsDialog(); });

  // Stage construction.
  for (int stage = 1; stage <= kMaxStages; ++stage) {
    QAction* item = NewAction(
        QStringLiteral("Stage%1Menu").arg(stage),
        QStringLiteral("Stage &%1").arg(stage));
    item->setCheckable(true);
    Connect(item, [this, stage] { SwitchToStage(stage); });
  }
  Connect(NewAction(QStringLiteral("SaveCurrentStage"),
                    QStringLiteral("Update &Current Stage")),
          [this] {
            if (CommitActiveChild()) project_->UpdateCurrentStage();
          });
  Connect(NewAction(QStringLiteral("CopyPreviousStage"),
                    QStringLiteral("Copy &Previous Stage")),
          [this] {
            const std::string message = project_->CopyPreviousStage();
            if (!message.empty()) ShowInformation(this, message);
          });

  // Computation.
  Connect(NewAction(QStringLiteral("CompRun"), QStringLiteral("&Run Analysis")),
          [this] { CompRunClick(); });
  Connect(NewAction(QStringLiteral("CompInput"), QStringLiteral("Edit I&nput Text")),
          [this] { ShowTextFile(QStr(Data().FileName)); });
  Connect(NewAction(QStringLiteral("CompKernel"),
                    QStringLiteral("Edit &Processor-Run Notes")),
          [this] { ShowTextFile(CurrentFile(".ks5r")); });
  Connect(NewAction(QStringLiteral("CompOutput"), QStringLiteral("Edit &Output Text")),
          [this] { ShowTextFile(CurrentFile(".ks5o")); });
  const auto elsewhere = [this](const char* name, const char* caption) {
    const QString key = QString::fromLatin1(name);
    Connect(NewAction(key, QString::fromLatin1(caption)),
            [this, key] { Handled(key); });
  };
  elsewhere("CompLayers", "&View Wall Geometry");
  elsewhere("View3D", "3D View");

  // Graphics: the graph windows are installed as handlers.
  elsewhere("Comppy", "p-&y Curves");
  elsewhere("CompDef", "&Deflection vs Depth");
  elsewhere("CompMom", "&Moment vs Depth");
  elsewhere("CompShear", "&Shear vs Depth");
  elsewhere("CompSoil", "Net &Reaction vs Depth");
  elsewhere("DefMomShear", "&Deflection, Moment and Shear");
  elsewhere("CompLD", "Earth &Pressure Distribution");
  elsewhere("CompCombine", "Earth Pressure Combined");
  elsewhere("ExportExcel", "Export Plots To Excel");

  // Window.
  Connect(NewAction(QStringLiteral("WindowCascade"), QStringLiteral("&Cascade")),
          [this] { mdi_->cascadeSubWindows(); });
  Connect(NewAction(QStringLiteral("WindowArrange"), QStringLiteral("&Arrange Icons")),
          [this] { ArrangeIcons(); });

  // Help.
  Connect(NewAction(QStringLiteral("HelpContents"), QStringLiteral("&Contents")),
          [this] {
            Handled(QStringLiteral("HelpContents"), [this] {
              // The guide is copied beside the program when it is built.
              const QString guide = QCoreApplication::applicationDirPath() +
                                    QStringLiteral("/docs/user-guide.html");
              if (!QFileInfo::exists(guide) ||
                  !QDesktopServices::openUrl(QUrl::fromLocalFile(guide)))
                ShowInformation(this, Std(QStringLiteral("Cannot open the user guide \"") +
                                          guide + QStringLiteral("\".")));
            });
          });
  elsewhere("UserssManual1", "&User's Manual");
  elsewhere("Tec1", "&Technical Manual");
  Connect(NewAction(QStringLiteral("HelpAbout"), QStringLiteral("&About...")),
          [this] {
            Handled(QStringLiteral("HelpAbout"), [this] {
              ShowInformation(this,
                              "KESTRA 2015.5.16\rAnalysis of flexible "
                              "earth-retaining walls\rHalcor. Licensed for use "
                              "under the licence agreement supplied with the "
                              "program.");
            });
          });
  elsewhere("CheckforUpdates1", "Check for &Updates");
}

void TMainForm::createMenus() {
  QMenuBar* bar = menuBar();
  const auto add = [this](QMenu* menu, const char* name) {
    menu->addAction(Action(QString::fromLatin1(name)));
  };

  QMenu* file = NewMenu(QStringLiteral("FileMenu"), QStringLiteral("&File"), bar);
  for (const char* name : {"FileNew", "FileOpen", "FileSave", "FileSaveAs"}) {
    add(file, name);
  }
  file->addSeparator();
  file->addActions(recent_actions_);
  recent_separator_ = file->addSeparator();
  add(file, "FileExit");

  QMenu* data = NewMenu(QStringLiteral("DataMenu"), QStringLiteral("Da&ta"), bar);
  add(data, "DataTitle");
  data->addSeparator();
  add(data, "DataProp");
  add(data, "DataCSD");
  add(data, "DataAxLoads");
  QMenu* soil = NewMenu(QStringLiteral("SoilLayerDataMenu"),
                        QStringLiteral("&Soil Layer Data"), data);
  add(soil, "ShortTerm2");
  add(soil, "LongTerm2");
  data->addMenu(soil);
  data->addSeparator();
  add(data, "DistributedActiveEarthPressureMenu");
  QMenu* loading = NewMenu(QStringLiteral("DataLoading"),
                           QStringLiteral("&Distributed Active Earth Pressure"), data);
  add(loading, "ShortTerm1");
  add(loading, "LongTerm1");
  data->addMenu(loading);
  add(data, "DataRebar");
  add(data, "DataBoundCond");
  add(data, "TiebackGroundAnchorData1");
  data->addSeparator();
  add(data, "DataSoilLayer");
  add(data, "DataPYMod");
  data->addSeparator();
  add(data, "DataPYCurves");
  add(data, "DataSoilSpring");
  add(data, "DataEICurves");

  QMenu* options = NewMenu(QStringLiteral("OptionsMenu"), QStringLiteral("&Options"), bar);
  QMenu* units = NewMenu(QStringLiteral("OptionsUnits"), QStringLiteral("&Units"), options);
  for (const char* name : {"EnglishUnits", "SIUnits", "FLUnits"}) add(units, name);
  options->addMenu(units);
  options->addSeparator();
  QMenu* pressure = NewMenu(QStringLiteral("OptionsKoutpt"),
                            QStringLiteral("Earth-Pressure Options"), options);
  for (const char* name : {"Userinput", "Gentriangular", "Gentrape"}) {
    add(pressure, name);
  }
  options->addMenu(pressure);
  add(options, "OptionsKPYOP");
  options->addSeparator();
  for (const ApplyItem& item : kApplyItems) add(options, item.name);
  options->addSeparator();
  add(options, "OptionsLong");
  add(options, "OptionsStaged");
  options->addSeparator();
  add(options, "OptionofTexeEditor1");

  QMenu* stage = NewMenu(QStringLiteral("StageMenu"),
                         QStringLiteral("&Stage Construction"), bar);
  for (int n = 1; n <= kMaxStages; ++n) {
    stage->addAction(Action(QStringLiteral("Stage%1Menu").arg(n)));
  }
  stage->addSeparator();
  add(stage, "SaveCurrentStage");
  add(stage, "CopyPreviousStage");

  QMenu* comp = NewMenu(QStringLiteral("ComputationMenu"),
                        QStringLiteral("&Computation"), bar);
  add(comp, "CompRun");
  comp->addSeparator();
  for (const char* name : {"CompInput", "CompKernel", "CompOutput"}) add(comp, name);
  comp->addSeparator();
  add(comp, "CompLayers");
  add(comp, "View3D");

  QMenu* graphics = NewMenu(QStringLiteral("GraphicsMenu"), QStringLiteral("&Graphics"), bar);
  add(graphics, "Comppy");
  graphics->addSeparator();
  for (const char* name :
       {"CompDef", "CompMom", "CompShear", "CompSoil", "DefMomShear"}) {
    add(graphics, name);
  }
  graphics->addSeparator();
  add(graphics, "CompLD");
  add(graphics, "CompCombine");
  graphics->addSeparator();
  add(graphics, "ExportExcel");

  QMenu* window = NewMenu(QStringLiteral("ArrangeMenu"), QStringLiteral("&Window"), bar);
  add(window, "WindowCascade");
  add(window, "WindowArrange");
  window_separator_ = window->addSeparator();

  // The 3D view's controls appear once that view exists.
  QMenu* view3d = NewMenu(QStringLiteral("Show3DView"), QStringLiteral("Show 3DView"), bar);

  QMenu* help = NewMenu(QStringLiteral("HelpMenu"), QStringLiteral("&Help"), bar);
  for (const char* name :
       {"HelpContents", "UserssManual1", "Tec1", "HelpAbout", "CheckforUpdates1"}) {
    add(help, name);
  }

  for (QMenu* menu : {file, data, options, stage, comp, graphics, window, view3d, help}) {
    bar->addMenu(menu);
  }
  view3d->menuAction()->setVisible(false);
  for (QMenu* menu : {file, data, options, units, pressure, stage, comp,
                      graphics, window}) {
    connect(menu, &QMenu::aboutToShow, this, [this, menu] { UpdateMenu(menu); });
  }
}

void TMainForm::createToolBars() {
  toolbar_ = addToolBar(QStringLiteral("Tools"));
  toolbar_->setObjectName(QStringLiteral("ToolBar"));
  toolbar_->setMovable(false);
  toolbar_->setIconSize(QSize(24, 24));
  const auto button = [this](const char* name, const char* hint, const char* icon,
                             std::function<void()> command) {
    QAction* action = NewButton(QString::fromLatin1(name), QString::fromLatin1(hint),
                                QString::fromLatin1(icon));
    Connect(action, std::move(command));
    toolbar_->addAction(action);
    return action;
  };
  const auto trigger = [this](const char* name) {
    return [this, key = QString::fromLatin1(name)] { Action(key)->trigger(); };
  };
  const auto elsewhere = [this](const char* name) {
    return [this, key = QString::fromLatin1(name)] { Handled(key); };
  };

  button("btnNew", "New Data File", "new", [this] { FileNewClick(); });
  button("btnOpen", "Open Data File", "open", [this] { FileOpenClick(); });
  button("btnSave", "Save Data File", "save", [this] { FileSaveClick(); });
  toolbar_->addSeparator();
  button("btnTitle", "Title", "title", trigger("DataTitle"));
  button("btnProp", "Wall Properties", "properties", trigger("DataProp"));
  button("btnCSD", "Wall Configuration", "configuration", trigger("DataCSD"));
  button("btnSoilLayers", "Soil Layers", "soil", trigger("DataAxLoads"));
  toolbar_->addSeparator();
  button("btnRun", "Run Analysis", "run", [this] { CompRunClick(); });
  button("btnStaged", "Stage Construction Option", "stages", [this] {
    Handled(QStringLiteral("btnStaged"));
    UpdateStageState();
  });
  button("btnViewOutput", "View Output File", "output",
         [this] { ShowTextFile(CurrentFile(".ks5o")); });
  toolbar_->addSeparator();
  button("btnSoilProfile", "View Soil Profile", "profile", elsewhere("CompLayers"));
  button("btn3D", "3D View", "view3d", elsewhere("View3D"));
  toolbar_->addSeparator();
  button("btnPY", "View p-y Curves", "py", elsewhere("Comppy"));
  button("btnDef", "Deflection Diagram", "deflection", elsewhere("CompDef"));
  button("btnMom", "Moment Diagram", "moment", elsewhere("CompMom"));
  button("btnShear", "Shear Diagram", "shear", elsewhere("CompShear"));
  button("btnSoil", "Net Reaction Diagram", "reaction", elsewhere("CompSoil"));
  button("btnDMS", "DMV Diagrams", "dms", elsewhere("DefMomShear"));
  button("btnLD", "Pressure Diagram", "pressure", elsewhere("CompLD"));
  toolbar_->addSeparator();
  stage_buttons_ = new QActionGroup(this);
  stage_buttons_->setExclusive(true);
  for (int n = 1; n <= kMaxStages; ++n) {
    const QString digit = QString::number(n);
    QAction* stage = NewButton(QStringLiteral("btnStage") + digit,
                               QStringLiteral("Stage Const. ") + digit,
                               QStringLiteral("stage") + digit);
    stage->setCheckable(true);
    stage_buttons_->addAction(stage);
    Connect(stage, [this, n] { SwitchToStage(n); });
    toolbar_->addAction(stage);
  }
  QAction* view3d_separator = toolbar_->addSeparator();
  view3d_buttons_.append(view3d_separator);
  for (const auto& [name, hint, icon] :
       {std::tuple{"btnPan", "Panning", "pan"},
        {"btnZoomWindow", "Zoom Window", "zoomwindow"},
        {"btnZooming", "Zooming", "zooming"},
        {"btnRotating", "Rotating", "rotate"},
        {"btnZoomIn", "Zoom In", "zoomin"},
        {"btnZoomOut", "Zoom Out", "zoomout"},
        {"btnRestartView", "Restart View", "restart"},
        {"btnDeformed", "Deformed Shape", "deformed"}}) {
    view3d_buttons_.append(button(name, hint, icon, elsewhere(name)));
  }
  for (QAction* action : view3d_buttons_) action->setVisible(false);
}

void TMainForm::createStatusBar() {
  status_text_ = new QLabel(this);
  status_text_->setObjectName(QStringLiteral("StatusText"));
  statusBar()->addWidget(status_text_, 1);
}

void TMainForm::readSettings() {
  settings_.Read();
  if (settings_.text_editor.isEmpty()) settings_.text_editor = DefaultTextEditor();
}

void TMainForm::writeSettings() { settings_.Write(); }

QAction* TMainForm::Action(const QString& name) const {
  const auto it = actions_.find(name);
  return it == actions_.end() ? nullptr : it->second;
}

QMenu* TMainForm::Menu(const QString& name) const {
  const auto it = menus_.find(name);
  return it == menus_.end() ? nullptr : it->second;
}

// ---------------------------------------------------------------------------
// Start-up, closing and dropped files

void TMainForm::Start(const QStringList& arguments) {
  if (!arguments.isEmpty() && !arguments.constFirst().isEmpty()) {
    const QFileInfo file(CommandLineFile(arguments.constFirst()));
    if (file.isFile()) {
      const QString path = file.absoluteFilePath();
      QDir::setCurrent(file.absolutePath());
      Guard([&] {
        const std::string message =
            project_->Open(Std(path), KindFromExtension(Std(path)));
        if (!message.empty()) ShowInformation(this, message);
        LoadPlotData(false);
      });
    } else {
      project_->New();
    }
  }
  UpdateCaption();
  AfterProjectChange();
}

void TMainForm::closeEvent(QCloseEvent* event) {
  if (!CommitActiveChild() || !MaybeSave()) {
    event->ignore();
    return;
  }
  writeSettings();
  CloseAllChildren();
  event->accept();
}

void TMainForm::dragEnterEvent(QDragEnterEvent* event) {
  const QMimeData* mime = event->mimeData();
  if (mime->hasUrls() && !mime->urls().isEmpty() &&
      mime->urls().constFirst().isLocalFile()) {
    event->acceptProposedAction();
  }
}

void TMainForm::dropEvent(QDropEvent* event) {
  const QList<QUrl> urls = event->mimeData()->urls();
  if (urls.isEmpty() || !urls.constFirst().isLocalFile()) return;
  event->acceptProposedAction();
  const QString path = urls.constFirst().toLocalFile();
  Guard([&] { OpenDroppedFile(path); });
}

void TMainForm::OpenDroppedFile(const QString& path) {
  if (!MaybeSave()) return;
  QDir::setCurrent(QFileInfo(path).absolutePath());
  OpenFileName(path);
}

// ---------------------------------------------------------------------------
// File commands

bool TMainForm::MaybeSave() {
  if (!project_->Modified()) return true;
  switch (AskQuestion(this, "Do you want to save any changes?")) {
    case Answer::kCancel:
      return false;
    case Answer::kNo:
      return true;
    case Answer::kYes:
      break;
  }
  // A save that failed or was cancelled keeps the project open.
  return FileSaveClick() && Data().FileName != kNewFileName;
}

void TMainForm::FileNewClick() {
  if (!MaybeSave()) return;
  project_->New();
  plot_data_loaded_ = false;
  // The graphs still hold the former project's results.
  plot_windows_->CloseAll();
  UpdateCaption();
  AfterProjectChange();
}

void TMainForm::FileOpenClick() {
  if (!MaybeSave()) return;
  const auto [path, filter] = ChooseOpenName();
  if (path.isEmpty()) return;
  // "All Files" says nothing about the format: the extension decides.
  std::optional<InputFileKind> kind;
  if (filter >= 1 && filter < static_cast<int>(InputFileKind::kAllFiles)) {
    kind = static_cast<InputFileKind>(filter);
  }
  OpenFileName(path, kind);
}

void TMainForm::OpenFileName(const QString& path,
                             std::optional<InputFileKind> kind) {
  const QFileInfo file(path);
  const QString absolute = file.absoluteFilePath();
  // A file that cannot be read must not cost the open project.
  if (!file.isFile() || !file.isReadable()) {
    ShowInformation(this, Std(QStringLiteral("Cannot open file \"") + absolute +
                              QStringLiteral("\".")));
    return;
  }
  QDir::setCurrent(file.absolutePath());
  const InputFileKind read_kind = kind.value_or(KindFromExtension(Std(absolute)));
  std::string message;
  try {
    message = project_->Open(Std(absolute), read_kind);
  } catch (...) {
    project_->New();
    UpdateCaption();
    AfterProjectChange();
    throw;
  }
  if (!message.empty()) ShowInformation(this, message);
  UpdateCaption();
  plot_windows_->CloseAll();
  LoadPlotData(false);
  AddRecentFile(absolute);
  ShowInformation(this, Std(QStringLiteral("Data file: ") + ShownName(absolute) +
                            QStringLiteral(", has been read by KESTRA 2015")));
  AfterProjectChange();
}

bool TMainForm::FileSaveClick() {
  if (!CommitActiveChild()) return false;
  if (project_->NeedsName()) return FileSaveAsClick();
  try {
    project_->Save();
  } catch (const std::exception& e) {
    ShowInformation(this, e.what());
    return false;
  }
  return true;
}

bool TMainForm::FileSaveAsClick() {
  if (!CommitActiveChild()) return false;
  const QFileInfo current(QStr(Data().FileName));
  QString preset = current.absoluteFilePath();
  if (current.suffix().compare(QStringLiteral("ks5d"), Qt::CaseInsensitive) != 0) {
    preset = current.absolutePath() + QLatin1Char('/') +
             current.completeBaseName() + QStringLiteral(".ks5d");
  }
  const QString title = QStringLiteral("Save ") + current.fileName() +
                        QStringLiteral(" As");
  QString chosen = ChooseSaveName(preset, title);
  if (chosen.isEmpty()) return false;
  chosen = QFileInfo(chosen).absoluteFilePath();
  try {
    project_->SaveAs(Std(chosen));
  } catch (const std::exception& e) {
    ShowInformation(this, e.what());
    UpdateCaption();
    return false;
  }
  UpdateCaption();
  AddRecentFile(chosen);
  CloseAllChildren();
  UpdateToolbar();
  return true;
}

void TMainForm::AddRecentFile(const QString& path) {
  settings_.recent.PutOnTop(path);
  writeSettings();
}

// ---------------------------------------------------------------------------
// Running an analysis

void TMainForm::CompRunClick() {
  if (!FileSaveClick()) return;
  TProgramData& data = Data();
  if (data.FileName == kNewFileName) return;
  if (const auto message = ValidateInputMessage(data)) {
    ShowInformation(this, *message);
    return;
  }
  if (library_) {
    ShowInformation(this, "Attempt to reinitialize DLL");
    return;
  }
  // A private working folder: the names file and the engine's scratch
  // files stay out of the program's folder and away from other runs.
  QTemporaryDir work(QDir::tempPath() + QStringLiteral("/kestra-run-XXXXXX"));
  const QString program_folder = QCoreApplication::applicationDirPath();
  if (!work.isValid() ||
      !WriteNamesFile(Std(work.path()), data.FileName, Std(program_folder))) {
    ShowInformation(this, "The names file for the analysis could not be written.");
    return;
  }

  using Entry = int32_t (*)(int32_t);
  Entry entry = nullptr;
  library_ = std::make_unique<TDynamicLibrary>();
  try {
    library_->SetFileName(program_folder + QLatin1Char('/') +
                          QLatin1String(kEngineLibrary));
    library_->Load();
    entry = reinterpret_cast<Entry>(library_->EntryPoint("_IKESTRA"));
    if (!entry) throw EDLLError("_IKESTRA is not exported");
  } catch (const EDLLError&) {
    library_.reset();
    ShowInformation(this, "Attempt to initialize DLL failed");
    return;
  }

  int32_t result = 0;
  {
    ScopedCurrentDir in_work(work.path());
    BusyCursor busy;
    result = entry(kConsistencyCode);
  }
  if (result == 1) {
    ShowInformation(this,
                    "Computations can not be performed. Executable files are "
                    "not consistent.\rYou may need to reinstall the program."
                    "\rPlease contact Halcor technical support.");
  } else {
    ShowInformation(this,
                    "Computations are completed. Please, check output file "
                    "for results or error messages.");
    LoadPlotData(true);
    Handled(QStringLiteral("View3DRefresh"));
  }
  UpdateToolbar();
  CloseAllChildren();
  library_.reset();
  // The names file goes with the working folder.
}

void TMainForm::LoadPlotData(bool show_errors) {
  const QString path = CurrentFile(".ks5p");
  if (!QFileInfo(path).isFile()) {
    if (!show_errors) plot_data_loaded_ = false;
    return;
  }
  std::ifstream in(Std(path), std::ios::binary);
  if (!in) {
    plot_data_loaded_ = false;
    if (show_errors) {
      ShowInformation(this, "An error occured in running the main program.");
    }
    return;
  }
  const std::string contents((std::istreambuf_iterator<char>(in)),
                             std::istreambuf_iterator<char>());
  const TProgramData& data = Data();
  PlotProject project;
  project.Units = data.Units;
  project.LongTermAnalysis = data.LongTermAnalysis;
  const TGridTable& soil = tables_.NewSoil;
  for (int row = 0; row < soil.RowCount(); ++row) {
    project.layers.emplace_back(
        soil.CellInteger(soil_columns::kSoilType, row).value_or(0),
        static_cast<double>(
            soil.CellFloat(soil_columns::kBottomDepth, row).value_or(0)));
  }
  project.wall_length =
      static_cast<double>(data.IncrementCount * data.IncrementLength);
  project.free_height = static_cast<double>(data.FreeHeight);
  std::string error;
  plot_data_loaded_ = LoadPlotFile(graphs_, contents, project, &error);
  if (!plot_data_loaded_ && show_errors) {
    ShowInformation(this, "An error occured in running the main program.");
  }
  plot_windows_->GraphsChanged();
}

// ---------------------------------------------------------------------------
// Text files

void TMainForm::ShowTextFile(const QString& path) {
  if (!StartTextEditor(settings_.text_editor, path)) {
    ShowInformation(this, "An error occurred in running the Word Processor");
  }
}

void TMainForm::ShowOptionsDialog() {
  if (!options_dialog_) {
    options_dialog_ = new TDlgOptions(
        [this] { return settings_.text_editor; },
        [this](const QString& editor) { settings_.text_editor = editor; });
    QMdiSubWindow* sub = mdi_->addSubWindow(options_dialog_);
    sub->setWindowIcon(windowIcon());
    sub->adjustSize();
  }
  options_dialog_->Activate();
  if (auto* sub = qobject_cast<QMdiSubWindow*>(options_dialog_->parentWidget())) {
    sub->showNormal();
    mdi_->setActiveSubWindow(sub);
  }
}

// ---------------------------------------------------------------------------
// Command enabling

QString TMainForm::CurrentFile(const char* extension) const {
  return QStr(WithExtension(project_->Data().FileName, extension));
}

bool TMainForm::PlotAvailable() const {
  return plot_data_loaded_ && QFileInfo(CurrentFile(".ks5p")).isFile();
}

bool TMainForm::GraphEnabled(const TGraphPlot& graph) const {
  if (!PlotAvailable()) return false;
  for (int k = 0; k < graph.LineCount(CurveGroup::Lines); ++k) {
    if (graph.Line(CurveGroup::Lines, k).Points.size() > 1) return true;
  }
  return false;
}

void TMainForm::UpdateMenu(QMenu* menu) {
  // The active child gives up its entry first, so the model is current.
  CommitActiveChild();
  const QString name = menu->objectName();
  if (name == QLatin1String("FileMenu")) FileMenuShow();
  if (name == QLatin1String("DataMenu")) DataMenuShow();
  if (name == QLatin1String("OptionsMenu")) OptionsMenuShow();
  if (name == QLatin1String("OptionsUnits")) {
    const int units = Data().Units;
    Action(QStringLiteral("EnglishUnits"))->setChecked(units == 1);
    Action(QStringLiteral("SIUnits"))->setChecked(units == 2);
    Action(QStringLiteral("FLUnits"))->setChecked(units == 3);
  }
  if (name == QLatin1String("OptionsKoutpt")) {
    Data().EarthPressureMenuOpened();
    const int choice = Data().PressureDistribution;
    Action(QStringLiteral("Userinput"))->setChecked(choice == 1);
    Action(QStringLiteral("Gentriangular"))->setChecked(choice == 2);
    Action(QStringLiteral("Gentrape"))->setChecked(choice == 3);
  }
  if (name == QLatin1String("StageMenu")) StageMenuShow();
  if (name == QLatin1String("ComputationMenu")) ComputationMenuShow();
  if (name == QLatin1String("GraphicsMenu")) GraphicsMenuShow();
  if (name == QLatin1String("ArrangeMenu")) WindowMenuShow();
}

void TMainForm::FileMenuShow() {
  const int count = settings_.recent.Count();
  const QString here = QDir::currentPath();
  for (int n = 0; n < recent_actions_.size(); ++n) {
    QAction* entry = recent_actions_[n];
    entry->setVisible(n < count);
    if (n < count) {
      entry->setText(TRecentFiles::MenuText(n, settings_.recent.Entries()[n], here));
    }
  }
  recent_separator_->setVisible(count > 0);
}

void TMainForm::DataMenuShow() {
  const TProgramData& d = Data();
  const auto enable = [this](const char* name, bool on) {
    Action(QString::fromLatin1(name))->setEnabled(on);
  };
  enable("DataProp", true);
  enable("DataSoilLayer", d.ApplyRestraints);
  enable("DataBoundCond", d.ApplyConcentratedLoads);
  enable("DataSoilSpring", d.ApplySprings);
  enable("TiebackGroundAnchorData1", d.ApplyTiebacks);
  enable("DataPYCurves", d.ApplyExternalPY);
  enable("DataEICurves", d.ApplyEICurves);
  enable("DataPYMod", d.ApplyPYModifiers);
  enable("DataRebar", d.ApplySurcharge);
  const bool soil = d.KeepGeneratedPressure != 0 || d.GeneratePYCurves == 1;
  enable("DataAxLoads", soil);
  enable("DataCSD", soil);
  const bool user_pressure = d.PressureDistribution == 1;
  enable("DistributedActiveEarthPressureMenu", user_pressure);
  Menu(QStringLiteral("DataLoading"))->menuAction()->setEnabled(user_pressure);
  const bool both = d.LongTermAnalysis && d.StageCount == 1;
  for (const char* name : {"ShortTerm1", "LongTerm1", "ShortTerm2", "LongTerm2"}) {
    Action(QString::fromLatin1(name))->setVisible(both);
  }
  SetLongTermMode();
}

void TMainForm::OptionsMenuShow() {
  TProgramData& d = Data();
  d.OptionsMenuOpened();
  for (const ApplyItem& item : kApplyItems) {
    Action(QString::fromLatin1(item.name))->setChecked(d.Switch(item.which));
  }
  QAction* long_term = Action(QStringLiteral("OptionsLong"));
  long_term->setEnabled(d.StageCount == 1);
  long_term->setChecked(d.LongTermAnalysis);
  QAction* staged = Action(QStringLiteral("OptionsStaged"));
  staged->setEnabled(!d.LongTermAnalysis);
  staged->setChecked(d.StageCount > 1);
  Action(QStringLiteral("OptionsKPYOP"))->setChecked(d.GeneratePYCurves == 1);
}

void TMainForm::StageMenuShow() {
  const TProgramData& d = Data();
  for (int n = 1; n <= kMaxStages; ++n) {
    QAction* item = Action(QStringLiteral("Stage%1Menu").arg(n));
    item->setEnabled(n == 1 ? d.StageCount > 1 : n <= d.StageCount);
    item->setChecked(n == d.CurrentStage);
  }
  Action(QStringLiteral("SaveCurrentStage"))->setEnabled(d.StageCount > 1);
  Action(QStringLiteral("CopyPreviousStage"))
      ->setEnabled(d.StageCount > 1 && d.CurrentStage > 1);
}

void TMainForm::ComputationMenuShow() {
  const auto exists = [](const QString& path) { return QFileInfo(path).isFile(); };
  Action(QStringLiteral("CompInput"))->setEnabled(exists(QStr(Data().FileName)));
  Action(QStringLiteral("CompKernel"))->setEnabled(exists(CurrentFile(".ks5r")));
  Action(QStringLiteral("CompOutput"))->setEnabled(exists(CurrentFile(".ks5o")));
  Action(QStringLiteral("CompLayers"))->setEnabled(PlotAvailable());
}

void TMainForm::GraphicsMenuShow() {
  const bool available = PlotAvailable();
  const auto set = [this](const char* name, bool on) {
    Action(QString::fromLatin1(name))->setEnabled(on);
  };
  set("Comppy", GraphEnabled(graphs_.pltPY));
  const bool def = GraphEnabled(graphs_.pltDef);
  const bool mom = GraphEnabled(graphs_.pltMom);
  const bool shear = GraphEnabled(graphs_.pltShear);
  set("CompDef", def);
  set("CompMom", mom);
  set("CompShear", shear);
  set("CompSoil", GraphEnabled(graphs_.pltSoil));
  set("DefMomShear", def && mom && shear);
  set("CompLD", GraphEnabled(graphs_.pltLD));
  set("CompCombine", available);
  set("ExportExcel", available);
}

void TMainForm::WindowMenuShow() {
  QMenu* menu = Menu(QStringLiteral("ArrangeMenu"));
  for (QAction* entry : window_entries_) {
    menu->removeAction(entry);
    entry->deleteLater();
  }
  window_entries_.clear();
  const QList<QMdiSubWindow*> children = mdi_->subWindowList();
  window_separator_->setVisible(!children.isEmpty());
  QMdiSubWindow* active = mdi_->activeSubWindow();
  for (QMdiSubWindow* child : children) {
    if (window_entries_.size() >= kMaxWindowEntries) break;
    QString caption = child->windowTitle();
    caption.replace(QLatin1Char('&'), QStringLiteral("&&"));
    auto* entry = new QAction(caption, menu);
    entry->setObjectName(QStringLiteral("WindowEntry%1").arg(window_entries_.size() + 1));
    entry->setCheckable(true);
    entry->setChecked(child == active);
    QPointer<QMdiSubWindow> target(child);
    connect(entry, &QAction::triggered, this, [this, target] {
      if (!target) return;
      if (target->isMinimized()) target->showNormal();
      mdi_->setActiveSubWindow(target);
    });
    menu->addAction(entry);
    window_entries_.append(entry);
  }
}

void TMainForm::SetLongTermMode() {
  const bool long_term = Data().LongTermAnalysis;
  Menu(QStringLiteral("SoilLayerDataMenu"))->menuAction()->setVisible(long_term);
  Menu(QStringLiteral("DataLoading"))->menuAction()->setVisible(long_term);
  Action(QStringLiteral("DataAxLoads"))->setVisible(!long_term);
  Action(QStringLiteral("DistributedActiveEarthPressureMenu"))->setVisible(!long_term);
  Action(QStringLiteral("OptionsStaged"))->setEnabled(!long_term);
  Action(QStringLiteral("btnStaged"))->setEnabled(!long_term);
  UpdateToolbar();
}

void TMainForm::UpdateToolbar() {
  if (!toolbar_) return;
  const auto set = [this](const char* name, bool on) {
    Action(QString::fromLatin1(name))->setEnabled(on);
  };
  const bool def = GraphEnabled(graphs_.pltDef);
  const bool mom = GraphEnabled(graphs_.pltMom);
  const bool shear = GraphEnabled(graphs_.pltShear);
  set("btnPY", GraphEnabled(graphs_.pltPY));
  set("btnDef", def);
  set("btnMom", mom);
  set("btnShear", shear);
  set("btnSoil", GraphEnabled(graphs_.pltSoil));
  set("btnDMS", def && mom && shear);
  set("btnLD", GraphEnabled(graphs_.pltLD));
  set("btnViewOutput", QFileInfo(CurrentFile(".ks5o")).isFile());
  const TProgramData& d = Data();
  set("btnSoilLayers", !d.LongTermAnalysis &&
                           (d.KeepGeneratedPressure != 0 || d.GeneratePYCurves == 1));
  set("btnStaged", !d.LongTermAnalysis);
  set("btnDeformed", def);
}

void TMainForm::UpdateStageState() {
  const TProgramData& d = Data();
  const bool staged = d.StageCount > 1;
  status_text_->setText(staged ? QStringLiteral("Construction Stage Number: ") +
                                     QString::number(d.CurrentStage)
                               : QString());
  Menu(QStringLiteral("StageMenu"))->menuAction()->setVisible(staged);
  for (int n = 1; n <= kMaxStages; ++n) {
    QAction* button = Action(QStringLiteral("btnStage%1").arg(n));
    button->setVisible(staged);
    button->setEnabled(n <= 2 ? staged : d.StageCount >= n);
    button->setChecked(n == d.CurrentStage);
  }
}

void TMainForm::UpdateCaption() {
  setWindowTitle(MainCaption(QStr(Data().FileName)));
}

void TMainForm::AfterProjectChange() {
  if (dialogs_) dialogs_->ReloadAll();
  // An open 3D view draws the new project.
  Handled(QStringLiteral("View3DRefresh"));
  SetLongTermMode();
  UpdateStageState();
  UpdateToolbar();
}

// ---------------------------------------------------------------------------
// Model commands

void TMainForm::ToggleApply(ApplySwitch which) {
  TProgramData& d = Data();
  if (!d.Toggle(which)) table_windows_.Close(d.SwitchTable(which));
  project_->SetModified(true);
}

void TMainForm::SwitchToStage(int stage) {
  if (!CommitActiveChild()) {
    UpdateStageState();
    return;
  }
  const TProgramData& d = Data();
  if (stage >= 1 && stage <= d.StageCount) project_->SwitchToStage(stage);
  UpdateStageState();
}

// ---------------------------------------------------------------------------
// Child windows

bool TMainForm::CommitActiveChild() {
  QMdiSubWindow* sub = mdi_->activeSubWindow();
  if (!sub) return !dialogs_ || dialogs_->CommitAll();
  if (auto* form = qobject_cast<TTableForm*>(sub->widget())) {
    if (!form->CommitCell()) return false;
  }
  // Every open dialog stores its fields (or keeps the focus on a rejected
  // one), so a save holds them all and closing them later changes nothing.
  return !dialogs_ || dialogs_->CommitAll();
}

void TMainForm::WireDialogs() {
  TDialogHost host;
  host.project = project_.get();
  host.show_table = [this](TGridTable& table) { ShowTable(table); };
  host.close_table = [this](const TGridTable& table) { table_windows_.Close(table); };
  dialogs_ = std::make_unique<TInputDialogs>(host, [this](QWidget* dialog) {
    QMdiSubWindow* sub = mdi_->addSubWindow(dialog);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->setWindowIcon(windowIcon());
    dialog->show();
    mdi_->setActiveSubWindow(sub);
  });
  for (const auto& [name, kind] :
       {std::pair{"DataTitle", DialogKind::kTitle}, {"DataProp", DialogKind::kProp},
        {"DataCSD", DialogKind::kCSD}, {"DataRebar", DialogKind::kRebar},
        {"TiebackGroundAnchorData1", DialogKind::kTieback},
        {"DataSoilSpring", DialogKind::kSpring},
        {"DataBoundCond", DialogKind::kConLoads}}) {
    SetCommandHandler(QString::fromLatin1(name), [this, kind = kind] {
      if (CommitActiveChild()) dialogs_->Show(kind);
    });
  }
  // The menu shows the staged-construction dialog modal, the tool button not.
  SetCommandHandler(QStringLiteral("OptionsStaged"), [this] {
    if (!CommitActiveChild()) return;
    TDlgStaged dialog(*project_, this);
    dialog.StagesChanged = [this] { UpdateStageState(); };
    dialog.FormActivate();
    dialog.exec();
  });
  SetCommandHandler(QStringLiteral("btnStaged"), [this] {
    if (!CommitActiveChild()) return;
    auto* dialog = new TDlgStaged(*project_, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->StagesChanged = [this] { UpdateStageState(); };
    dialog->FormActivate();
    dialog->show();
  });
}

void TMainForm::CloseAllChildren() {
  table_windows_.CloseAll();
  for (QMdiSubWindow* sub : mdi_->subWindowList()) {
    // Emptied by the table windows' closing; the rest close normally.
    if (!sub->widget()) {
      sub->deleteLater();
    } else {
      sub->close();
    }
  }
}

TTableForm* TMainForm::ShowTable(TGridTable& table) {
  TTableForm* form = table_windows_.Show(table);
  if (!form) return nullptr;
  QMdiSubWindow* sub = Adopt(form);
  form->show();
  if (sub->isMinimized()) sub->showNormal();
  mdi_->setActiveSubWindow(sub);
  return form;
}

QMdiSubWindow* TMainForm::Adopt(TTableForm* form) {
  if (auto* sub = qobject_cast<QMdiSubWindow*>(form->parentWidget())) return sub;
  // The window has sized itself to whole rows and columns; the frame
  // takes that size rather than the layout's minimum.
  const QSize sized = form->size();
  QMdiSubWindow* sub = mdi_->addSubWindow(form);
  sub->setAttribute(Qt::WA_DeleteOnClose);
  sub->setWindowIcon(windowIcon());
  // A window released by its table leaves an empty frame behind.
  QPointer<QMdiSubWindow> frame(sub);
  connect(form, &QObject::destroyed, this, [frame] {
    if (frame) frame->deleteLater();
  });
  // New windows cascade from the top left rather than fill the row.
  const int step = 2 * style()->pixelMetric(QStyle::PM_TitleBarHeight);
  const int placed = static_cast<int>(mdi_->subWindowList().size()) - 1;
  sub->move((placed % 8) * step, (placed % 8) * step);
  sub->show();
  form->resize(sized);
  FitSubWindow(sub);
  form->installEventFilter(this);
  return sub;
}

// Sub-table windows are opened by their owner's window, not by a command:
// they are taken into the frame once constructed.
void TMainForm::childEvent(QChildEvent* event) {
  QMainWindow::childEvent(event);
  if (event->type() != QEvent::ChildAdded || !event->child()->isWidgetType()) return;
  QPointer<QObject> child(event->child());
  QMetaObject::invokeMethod(
      this,
      [this, child] {
        if (auto* form = qobject_cast<TTableForm*>(child.data())) {
          QMdiSubWindow* sub = Adopt(form);
          mdi_->setActiveSubWindow(sub);
        }
      },
      Qt::QueuedConnection);
}

// The table window sizes itself to whole rows and columns; its frame
// follows.
void TMainForm::FitSubWindow(QMdiSubWindow* sub) {
  QWidget* inner = sub ? sub->widget() : nullptr;
  if (!inner || fitting_ || sub->isMaximized() || sub->isMinimized()) return;
  fitting_ = true;
  const QSize inner_size = inner->size();
  const QMargins frame = sub->contentsMargins();
  QMargins layout;
  if (sub->layout()) layout = sub->layout()->contentsMargins();
  const QSize wanted =
      inner_size + QSize(frame.left() + frame.right() + layout.left() + layout.right(),
                         frame.top() + frame.bottom() + layout.top() + layout.bottom());
  if (sub->size() != wanted) sub->resize(wanted);
  // The layout may have moved the window while the frame was resized.
  inner->resize(inner_size);
  fitting_ = false;
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Resize) {
    if (auto* form = qobject_cast<TTableForm*>(watched)) {
      FitSubWindow(qobject_cast<QMdiSubWindow*>(form->parentWidget()));
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

void TMainForm::ArrangeIcons() {
  int x = 0;
  const int bottom = mdi_->viewport()->height();
  for (QMdiSubWindow* sub : mdi_->subWindowList()) {
    if (!sub->isMinimized()) continue;
    sub->move(x, bottom - sub->height());
    x += sub->width();
  }
}

}  // namespace kestra
