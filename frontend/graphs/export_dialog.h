// "Export to Excel": the user ticks result graphs and writes them to a
// workbook, which then opens in the spreadsheet program.
#pragma once

#include <QDialog>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

class QGroupBox;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace kestra {

class TGraphPlot;

// A graph the dialog offers, and whether its menu command is enabled.
struct TExportPlot {
  const TGraphPlot* Graph = nullptr;
  bool Enabled = false;
};

class TDlgExport : public QDialog {
  Q_OBJECT

 public:
  explicit TDlgExport(QWidget* parent = nullptr);
  ~TDlgExport() override;
  TDlgExport(const TDlgExport&) = delete;
  TDlgExport& operator=(const TDlgExport&) = delete;

  // Refills the list with the graphs' captions, in order; an entry is
  // enabled and checked exactly when its graph's command is enabled.
  void FormActivate(std::vector<TExportPlot> plots);

  // Where to write the workbook; an empty name means cancelled. Opens the
  // written file. Both replaceable so that tests never block.
  std::function<QString()> ChooseFileName;
  std::function<bool(const QString& path)> OpenFile;

  QListWidget* CheckListBoxPlots() const { return list_.get(); }
  QPushButton* Button1() const { return select_all_.get(); }
  QPushButton* Button2() const { return unselect_all_.get(); }
  QPushButton* Button3() const { return generate_.get(); }
  QPushButton* Button4() const { return close_.get(); }

  void Button1Click();  // "Select All"
  void Button2Click();  // "Unselect All"
  void Button3Click();  // "Generate Excel File"

 private:
  void SetAllChecked(bool checked);
  void UpdateGenerate();
  std::vector<const TGraphPlot*> CheckedGraphs() const;

  std::vector<TExportPlot> plots_;
  std::unique_ptr<QLabel> label1_, label2_, label3_;
  std::unique_ptr<QGroupBox> group_;
  std::unique_ptr<QListWidget> list_;
  std::unique_ptr<QPushButton> select_all_, unselect_all_, generate_, close_;
};

}  // namespace kestra
