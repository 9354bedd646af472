// TTableForm: the window in which one data-entry table is edited. A grid
// with stacked column headers (the last line of a float column carries its
// unit) and a row-number column, the row buttons, the table's help text and
// picture, and one button per row for each flex column. Typed text reaches
// the table only through the column's entry rules; a rejected entry keeps
// the cursor, the focus and the window open until it is corrected.
//
// TTableWindows keeps at most one window per table and opens the windows
// of sub-tables from flex-cell buttons.
#pragma once

#include <QPointer>
#include <QWidget>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "table.h"
#include "table_form_sizing.h"

class QKeyEvent;
class QLabel;
class QPushButton;
class QTableWidget;

namespace kestra {

class TTableWindows;

namespace table_form_detail {
class CellDelegate;
class CellGrid;
}  // namespace table_form_detail

class TTableForm : public QWidget {
  Q_OBJECT

 public:
  // Windows are opened through TTableWindows::Show.
  TTableForm(TGridTable& table, TTableWindows& windows, QWidget* parent);
  ~TTableForm() override;
  TTableForm(const TTableForm&) = delete;
  TTableForm& operator=(const TTableForm&) = delete;

  // Null once the table has been discarded.
  TGridTable* Table() const { return table_; }

  // Gives the current cell's text to its column; a rejection is shown in an
  // information box and the cell keeps its text. True when accepted.
  bool CommitCell();

  // Closes without committing: the table was rebuilt or discarded, or its
  // option was switched off. The window is deleted later.
  void Release();

  int ColsShown() const { return view_.cols_shown; }
  int RowsShown() const { return view_.rows_shown; }
  int HeaderRows() const { return header_rows_; }
  int Margin() const { return margin_; }

  // Controls, for the chart additions and the tests.
  QTableWidget* Grid() const;
  QPushButton* BtnAdd() const { return btn_add_.get(); }
  QPushButton* BtnIns() const { return btn_ins_.get(); }
  QPushButton* BtnDel() const { return btn_del_.get(); }
  QLabel* LblComments() const { return lbl_comments_.get(); }
  QLabel* ImgHelp() const { return img_help_.get(); }
  // The button of a flex cell (table column and row), if it exists.
  QPushButton* FlexButton(int col, int row) const;
  // The grid column that shows table column `col`, or -1.
  int GridColumn(int col) const;
  // The table column shown in grid column `grid_col`, or -1.
  int TableColumn(int grid_col) const;
  // Moves the cursor (committing the current cell first); false when the
  // commit failed or the cell cannot be selected.
  bool MoveTo(int col, int row);

  void BtnAddClick();
  void BtnInsClick();
  void BtnDelClick();

 protected:
  // For windows that add controls: `most_rows_shown` limits RowsShown, at
  // opening and when rows are added. The window refreshes while it is being
  // constructed, before the hooks below are overridden, so a derived window
  // calls Refresh once its own controls exist.
  TTableForm(TGridTable& table, TTableWindows& windows, QWidget* parent,
             int most_rows_shown);

  // Room taken by added controls: `above` the grid, `below` the row
  // buttons, and the right edge they need.
  struct ExtraSpace {
    int above = 0;
    int below = 0;
    int right = 0;
  };
  virtual ExtraSpace Extras() const { return {}; }
  // Places the added controls from `top` (below the row buttons); returns
  // where the comments go.
  virtual int LayoutExtras(int top) { return top; }
  // The grid has shown the table anew: a refresh or a cell rewritten.
  virtual void TableRedrawn() {}
  // A key pressed or released in the grid or its cell editor.
  virtual void GridKey(const QKeyEvent& /*event*/) {}

  void Refresh();
  void Report(const std::string& message);
  // Rows were added by other means than the row buttons: as there, a window
  // that showed all `rows_before` rows grows to show the new ones.
  void ShowAddedRows(int rows_before);

  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  friend class table_form_detail::CellGrid;

  bool Commit(bool report);
  bool MayLeaveCell(int grid_row, int grid_col);
  bool Selectable(int grid_col) const;
  void GridEnter();
  void FocusChanged(QWidget* old, QWidget* now);
  void Attach();
  void Detach();
  void RewriteCells();
  void RewriteCell(int col, int row);
  void RefreshFlexButtons(int row);
  void FlexButtonClick(int col, int row);
  void RefreshTitle();
  void RowButtonsState();
  GridMetrics Measure() const;
  void LayoutWindow();
  void SnapToSize();
  void ApplyScroll();
  void ScrollToLastRow();
  GridView ViewInGrid() const;

  TGridTable* table_;
  TTableWindows& windows_;
  int most_rows_shown_;
  std::unique_ptr<table_form_detail::CellGrid> grid_;
  table_form_detail::CellDelegate* delegate_ = nullptr;  // owned by grid_
  std::unique_ptr<QPushButton> btn_add_;
  std::unique_ptr<QPushButton> btn_ins_;
  std::unique_ptr<QPushButton> btn_del_;
  std::unique_ptr<QLabel> lbl_comments_;
  std::unique_ptr<QLabel> img_help_;

  std::vector<int> visible_cols_;  // grid data column -> table column
  std::vector<int> widths_;        // of the visible columns
  int header_rows_ = 0;
  int margin_ = 4;
  int row_height_ = 0;
  GridView view_;
  bool refreshing_ = false;
  bool reporting_ = false;
  bool released_ = false;
  bool discarding_ = false;
  bool snap_pending_ = false;
  QSize applied_size_;
  QRect applied_geometry_;
};

class TTableWindows {
 public:
  // Windows are top-level windows parented to `frame` (the main window).
  explicit TTableWindows(QWidget* frame = nullptr) : frame_(frame) {}
  ~TTableWindows();
  TTableWindows(const TTableWindows&) = delete;
  TTableWindows& operator=(const TTableWindows&) = delete;

  // Creates the table's window if it has none and shows it in front; a
  // table without a visible column shows nothing (nullptr).
  TTableForm* Show(TGridTable& table);
  TTableForm* Find(const TGridTable& table) const;
  // Closes the table's window without committing (its option was switched
  // off); the table and its data remain.
  void Close(const TGridTable& table);
  void CloseAll();

 private:
  friend class TTableForm;
  void Forget(const TTableForm& form);

  QWidget* frame_;
  std::map<const TGridTable*, QPointer<TTableForm>> forms_;
};

}  // namespace kestra
