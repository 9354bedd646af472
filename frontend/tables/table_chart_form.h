// TTableChartForm: the editing window of a chart table. The table window
// with, when the table shows a chart, a line chart of its X and Y columns
// above the grid, and, when the table reads its data from files, the
// commands that fill the rows from a text file or from the clipboard.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "table_chart.h"
#include "table_form.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace kestra {

class LineChartWidget;

class TTableChartForm : public TTableForm {
  Q_OBJECT

 public:
  // Windows are opened through TTableWindows::Show.
  TTableChartForm(TGridTableChart& table, TTableWindows& windows,
                  QWidget* parent);
  ~TTableChartForm() override;

  // The open dialog: a chosen path, or empty when cancelled.
  using FileChooser = std::function<QString(QWidget* parent,
                                            const QString& start,
                                            const QString& filters)>;
  // Opens a file in the desktop's application for text; false on failure.
  using FileOpener = std::function<bool(const QString& path)>;
  // Replace the dialog and the desktop, so that tests never block.
  void SetFileChooser(FileChooser chooser) { choose_file_ = std::move(chooser); }
  void SetFileOpener(FileOpener opener) { open_file_ = std::move(opener); }
  static const QString& FileFilters();

  LineChartWidget* Chart1() const { return chart_.get(); }
  QLabel* FileNameLabel() const { return file_name_label_.get(); }
  QLineEdit* FileNameEdit() const { return file_name_edit_.get(); }
  QPushButton* BtnBrowse() const { return btn_browse_.get(); }
  QPushButton* BtnEdit() const { return btn_edit_.get(); }
  QPushButton* BtnRead() const { return btn_read_.get(); }
  QPushButton* BtnClip() const { return btn_clip_.get(); }

  void BtnBrowseClick();
  void BtnEditClick();
  void BtnReadClick();
  void BtnClipClick();
  // Draws the chart anew from the stored cells.
  void RedrawChart();

 protected:
  ExtraSpace Extras() const override;
  int LayoutExtras(int top) override;
  void TableRedrawn() override;
  void GridKey(const QKeyEvent& event) override;

 private:
  TGridTableChart* ChartTable() const;
  bool ShowsChart() const;
  bool ReadsFiles() const;
  void FileNameChanged();
  void FillRows(const std::vector<std::string>& lines);

  std::unique_ptr<LineChartWidget> chart_;
  std::unique_ptr<QLabel> file_name_label_;
  std::unique_ptr<QLineEdit> file_name_edit_;
  std::unique_ptr<QPushButton> btn_browse_;
  std::unique_ptr<QPushButton> btn_edit_;
  std::unique_ptr<QPushButton> btn_read_;
  std::unique_ptr<QPushButton> btn_clip_;
  FileChooser choose_file_;
  FileOpener open_file_;
  // The table's kind, kept for layout after the table has gone.
  bool shows_chart_;
  bool reads_files_;
};

}  // namespace kestra
