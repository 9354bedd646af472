// TMainForm: the program's one top-level window. A multiple-document frame
// for the table windows, graphs, views and dialogs; the menus, toolbar and
// status bar; the file commands, the analysis run and the text viewers. It
// owns the data-entry tables, the project and the result graphs.
//
// Every menu recomputes its items from the project when it opens; the
// toolbar follows after every command.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <utility>

#include "input_dialog.h"
#include "input_file_kind.h"
#include "input_tables.h"
#include "plot_data.h"
#include "project.h"
#include "settings.h"
#include "table_form.h"

class QAction;
class QActionGroup;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QToolBar;

namespace kestra {

class TDlgBlock;
class TDlgOptions;
class TDynamicLibrary;
class TPlotWindows;

class TMainForm : public QMainWindow {
  Q_OBJECT

 public:
  explicit TMainForm(QWidget* parent = nullptr);
  ~TMainForm() override;
  TMainForm(const TMainForm&) = delete;
  TMainForm& operator=(const TMainForm&) = delete;

  // After the window is shown: opens the file named by the first argument
  // (without the program name), or keeps the new project.
  void Start(const QStringList& arguments);

  TProject& Project() { return *project_; }
  TProgramData& Data() { return project_->Data(); }
  InputTables& Tables() { return tables_; }
  ResultGraphs& Graphs() { return graphs_; }
  // The graphs' windows, one per graph while it is open.
  TPlotWindows& PlotWindows() { return *plot_windows_; }
  TTableWindows& TableWindows() { return table_windows_; }
  QMdiArea* MdiArea() const { return mdi_; }
  QLabel* StatusText() const { return status_text_; }
  bool PlotDataLoaded() const { return plot_data_loaded_; }
  // The 3D view while it is open.
  TDlgBlock* View3DWindow() const;

  const QString& TextEditor() const { return settings_.text_editor; }
  void SetTextEditor(const QString& editor) { settings_.text_editor = editor; }
  const TRecentFiles& RecentFiles() const { return settings_.recent; }

  // Menu items and toolbar buttons under their component names.
  QAction* Action(const QString& name) const;
  QMenu* Menu(const QString& name) const;

  // File commands. The save commands return true when the project was
  // written.
  void FileNewClick();
  void FileOpenClick();
  bool FileSaveClick();
  bool FileSaveAsClick();
  // Opens `path` without a dialog; the kind comes from the extension unless
  // the open dialog's filter gave one.
  void OpenFileName(const QString& path,
                    std::optional<InputFileKind> kind = std::nullopt);
  // A file dropped on the window.
  void OpenDroppedFile(const QString& path);
  // The save prompt: true when the command may go on.
  bool MaybeSave();

  void CompRunClick();
  // "Edit Input Text", "Edit Processor-Run Notes", "Edit Output Text".
  void ShowTextFile(const QString& path);

  // Recomputes one menu as opening it does, and the toolbar.
  void UpdateMenu(QMenu* menu);
  void UpdateToolbar();

  // Opens a table's editing window inside the frame.
  TTableForm* ShowTable(TGridTable& table);

  // The file dialogs, replaceable so that tests never block. The open
  // chooser gives the path and the filter position (1-based); an empty
  // path means cancelled.
  std::function<std::pair<QString, int>()> ChooseOpenName;
  std::function<QString(const QString& preset, const QString& title)>
      ChooseSaveName;
  // Commands whose windows live elsewhere (input dialogs, staged
  // construction, graphs, views, help) run the handler installed under the
  // component name; without one they do nothing.
  void SetCommandHandler(const QString& name, std::function<void()> handler);

 protected:
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void childEvent(QChildEvent* event) override;

 private:
  void createActions();
  void createMenus();
  void createToolBars();
  void createStatusBar();
  void readSettings();
  void writeSettings();

  QAction* NewAction(const QString& name, const QString& caption,
                     const QKeySequence& shortcut = {});
  QAction* NewButton(const QString& name, const QString& hint,
                     const QString& icon);
  QMenu* NewMenu(const QString& name, const QString& caption,
                 QWidget* parent);
  void Connect(QAction* action, std::function<void()> command);
  void Handled(const QString& name, const std::function<void()>& fallback = {});
  void Guard(const std::function<void()>& command);

  void FileMenuShow();
  void DataMenuShow();
  void OptionsMenuShow();
  void StageMenuShow();
  void ComputationMenuShow();
  void GraphicsMenuShow();
  void WindowMenuShow();

  // The Data menu's short-term or short-/long-term form.
  void SetLongTermMode();
  void UpdateStageState();
  void UpdateCaption();
  void AfterProjectChange();
  // Plot data of the current file into the graphs, when the file exists.
  void LoadPlotData(bool show_errors);
  bool PlotAvailable() const;
  bool GraphEnabled(const TGraphPlot& graph) const;
  QString CurrentFile(const char* extension) const;

  bool CommitActiveChild();
  void CloseAllChildren();
  void ShowOptionsDialog();
  void SwitchToStage(int stage);
  void ToggleApply(ApplySwitch which);
  void ArrangeIcons();
  void FitSubWindow(QMdiSubWindow* sub);
  QMdiSubWindow* Adopt(TTableForm* form);
  void AddRecentFile(const QString& path);

  InputTables tables_;
  std::unique_ptr<TProject> project_;
  // The input dialogs, created on first use inside the frame.
  std::unique_ptr<TInputDialogs> dialogs_;
  void WireDialogs();
  ResultGraphs graphs_;
  // After the graphs: their windows go first.
  std::unique_ptr<TPlotWindows> plot_windows_;
  // The result and view windows install their commands here, each from a
  // file of its own.
  void WireGraphWindows();
  void WireExport();
  void WireSideView();
  void WireView3D();
  TTableWindows table_windows_;
  TAppSettings settings_;
  std::unique_ptr<TDynamicLibrary> library_;
  bool plot_data_loaded_ = false;
  bool fitting_ = false;

  QMdiArea* mdi_ = nullptr;
  QLabel* status_text_ = nullptr;
  QToolBar* toolbar_ = nullptr;
  std::map<QString, QAction*> actions_;
  std::map<QString, QMenu*> menus_;
  std::map<QString, std::function<void()>> handlers_;
  QList<QAction*> recent_actions_;
  QAction* recent_separator_ = nullptr;
  QAction* window_separator_ = nullptr;
  QList<QAction*> window_entries_;
  QActionGroup* stage_buttons_ = nullptr;
  QList<QAction*> view3d_buttons_;
  QPointer<TDlgBlock> view3d_;
  void ShowView3DControls(bool visible);
  QPointer<TDlgOptions> options_dialog_;
};

}  // namespace kestra
