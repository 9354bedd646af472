#include "table_form.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPersistentModelIndex>
#include <QPushButton>
#include <QScrollBar>
#include <QStyleOptionHeader>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QTimer>
#include <algorithm>
#include <functional>
#include <optional>

#include "assign_error.h"
#include "enum_column.h"
#include "help_pictures.h"
#include "info_box_widget.h"
#include "table_chart.h"
#include "table_chart_form.h"

namespace kestra {
namespace {

constexpr int kMostRowsShown = 10;

QString ToQt(const std::string& text) { return QString::fromStdString(text); }

// Help texts separate their lines with a carriage return.
QString Lines(const std::string& text) {
  QString lines = ToQt(text);
  lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  lines.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return lines;
}

// Refuses to move the cursor when the form says so; every move (mouse,
// keys, code) passes here.
class GuardedSelection : public QItemSelectionModel {
 public:
  GuardedSelection(QAbstractItemModel* model, QObject* parent,
                   std::function<bool(const QModelIndex&)> may_move)
      : QItemSelectionModel(model, parent), may_move_(std::move(may_move)) {}

  void setCurrentIndex(const QModelIndex& index,
                       QItemSelectionModel::SelectionFlags command) override {
    if (index != currentIndex() && !may_move_(index)) return;
    QItemSelectionModel::setCurrentIndex(index, command);
  }

 private:
  std::function<bool(const QModelIndex&)> may_move_;
};

}  // namespace

namespace table_form_detail {

// The cell editor: remembers the open editor so that a commit reads the
// text being typed, and turns Enter into the grid's Enter navigation.
class CellDelegate : public QStyledItemDelegate {
 public:
  CellDelegate(QObject* parent, std::function<void()> on_enter,
               std::function<void(const QKeyEvent&)> on_key)
      : QStyledItemDelegate(parent),
        on_enter_(std::move(on_enter)),
        on_key_(std::move(on_key)) {}

  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const override {
    QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
    editor_ = qobject_cast<QLineEdit*>(editor);
    editor_index_ = index;
    return editor;
  }

  void destroyEditor(QWidget* editor,
                     const QModelIndex& index) const override {
    if (editor == editor_) editor_ = nullptr;
    QStyledItemDelegate::destroyEditor(editor, index);
  }

  // The editor open on `index`, if any.
  QLineEdit* EditorOn(const QModelIndex& index) const {
    if (editor_ && editor_index_.isValid() && editor_index_ == index) {
      return editor_;
    }
    return nullptr;
  }

 protected:
  bool eventFilter(QObject* object, QEvent* event) override {
    if (event->type() == QEvent::KeyPress ||
        event->type() == QEvent::KeyRelease) {
      on_key_(*static_cast<QKeyEvent*>(event));
    }
    if (event->type() == QEvent::KeyPress) {
      const int key = static_cast<QKeyEvent*>(event)->key();
      if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        on_enter_();
        return true;
      }
    }
    return QStyledItemDelegate::eventFilter(object, event);
  }

 private:
  std::function<void()> on_enter_;
  std::function<void(const QKeyEvent&)> on_key_;
  mutable QPointer<QLineEdit> editor_;
  mutable QPersistentModelIndex editor_index_;
};

class CellGrid : public QTableWidget {
 public:
  explicit CellGrid(TTableForm& form) : QTableWidget(&form), form_(form) {}

  void UpdateNow() { updateGeometries(); }

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
      form_.GridEnter();
      event->accept();
    } else {
      QTableWidget::keyPressEvent(event);
    }
    form_.GridKey(*event);
  }

  void keyReleaseEvent(QKeyEvent* event) override {
    QTableWidget::keyReleaseEvent(event);
    form_.GridKey(*event);
  }

  // A click on another cell commits first; a refused commit swallows the
  // click, so neither the cursor nor the selection moves.
  void mousePressEvent(QMouseEvent* event) override {
    const QModelIndex index = indexAt(event->position().toPoint());
    if (index.isValid() && index != currentIndex() &&
        !form_.MayLeaveCell(index.row(), index.column())) {
      event->accept();
      return;
    }
    QTableWidget::mousePressEvent(event);
  }

  // Flex cells are stepped over: their buttons are used instead.
  QModelIndex moveCursor(CursorAction action,
                         Qt::KeyboardModifiers modifiers) override {
    const QModelIndex current = currentIndex();
    const QModelIndex next = QTableWidget::moveCursor(action, modifiers);
    if (!next.isValid() || form_.Selectable(next.column())) return next;
    const int step = next.column() >= current.column() ? 1 : -1;
    for (int c = next.column() + step; c >= 0 && c < columnCount();
         c += step) {
      if (form_.Selectable(c)) return model()->index(next.row(), c);
    }
    return current;
  }

 private:
  TTableForm& form_;
};

}  // namespace table_form_detail

using table_form_detail::CellDelegate;
using table_form_detail::CellGrid;

TTableForm::TTableForm(TGridTable& table, TTableWindows& windows,
                       QWidget* parent)
    : TTableForm(table, windows, parent, kMostRowsShown) {}

TTableForm::TTableForm(TGridTable& table, TTableWindows& windows,
                       QWidget* parent, int most_rows_shown)
    : QWidget(parent, Qt::Window),
      table_(&table),
      windows_(windows),
      most_rows_shown_(std::max(most_rows_shown, 1)),
      grid_(std::make_unique<CellGrid>(*this)),
      btn_add_(std::make_unique<QPushButton>(QStringLiteral("&Add Row"), this)),
      btn_ins_(
          std::make_unique<QPushButton>(QStringLiteral("&Insert Row"), this)),
      btn_del_(
          std::make_unique<QPushButton>(QStringLiteral("&Delete Row"), this)),
      lbl_comments_(std::make_unique<QLabel>(this)),
      img_help_(std::make_unique<QLabel>(this)) {
  setAttribute(Qt::WA_DeleteOnClose);
  setObjectName(QStringLiteral("TTableForm"));
  grid_->setObjectName(QStringLiteral("Grid"));
  btn_add_->setObjectName(QStringLiteral("BtnAdd"));
  btn_ins_->setObjectName(QStringLiteral("BtnIns"));
  btn_del_->setObjectName(QStringLiteral("BtnDel"));
  lbl_comments_->setObjectName(QStringLiteral("lblComments"));
  img_help_->setObjectName(QStringLiteral("imgHelp"));

  margin_ = std::max(1, logicalDpiX() / 20);

  delegate_ = new CellDelegate(
      grid_.get(), [this] { GridEnter(); },
      [this](const QKeyEvent& event) { GridKey(event); });
  grid_->setItemDelegate(delegate_);
  QItemSelectionModel* plain = grid_->selectionModel();
  grid_->setSelectionModel(new GuardedSelection(
      grid_->model(), grid_.get(), [this](const QModelIndex& index) {
        return MayLeaveCell(index.row(), index.column());
      }));
  delete plain;
  grid_->setSelectionMode(QAbstractItemView::ContiguousSelection);
  grid_->setEditTriggers(QAbstractItemView::AllEditTriggers);
  grid_->setHorizontalScrollMode(QAbstractItemView::ScrollPerItem);
  grid_->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
  grid_->setWordWrap(false);

  QHeaderView* top = grid_->horizontalHeader();
  top->setDefaultAlignment(Qt::AlignLeft | Qt::AlignTop);
  top->setSectionResizeMode(QHeaderView::Fixed);
  top->setSectionsClickable(false);
  top->setHighlightSections(false);
  QHeaderView* side = grid_->verticalHeader();
  side->setSectionResizeMode(QHeaderView::Fixed);
  side->setSectionsClickable(false);
  side->setHighlightSections(false);
  side->setDefaultAlignment(Qt::AlignCenter);
  row_height_ = std::max(grid_->fontMetrics().height() + 10,
                         side->minimumSectionSize());
  side->setDefaultSectionSize(row_height_);

  // The top-left cell shows the table's TopLeft text.
  grid_->setCornerButtonEnabled(false);
  if (auto* corner = grid_->findChild<QAbstractButton*>(
          QString(), Qt::FindDirectChildrenOnly)) {
    corner->installEventFilter(this);
  }

  // Clicking a row button must not take the focus from the grid: the
  // button commits the cell itself, and shows a rejection once.
  for (QPushButton* button : {btn_add_.get(), btn_ins_.get(), btn_del_.get()}) {
    button->setFocusPolicy(Qt::NoFocus);
    button->setAutoDefault(false);
  }
  connect(btn_add_.get(), &QPushButton::clicked, this,
          &TTableForm::BtnAddClick);
  connect(btn_ins_.get(), &QPushButton::clicked, this,
          &TTableForm::BtnInsClick);
  connect(btn_del_.get(), &QPushButton::clicked, this,
          &TTableForm::BtnDelClick);
  connect(qApp, &QApplication::focusChanged, this, &TTableForm::FocusChanged);

  Attach();
}

TTableForm::~TTableForm() { Detach(); }

QTableWidget* TTableForm::Grid() const { return grid_.get(); }

void TTableForm::Attach() {
  TGridTable& table = *table_;
  if (table.RowCount() < table.MinRows()) table.SetRowCount(table.MinRows());
  table.SetEditorOpen(true);
  RefreshTitle();

  const int width = grid_->verticalHeader()->fontMetrics().horizontalAdvance(
      ToQt(table.TopLeft() + "  "));
  grid_->verticalHeader()->setFixedWidth(std::max(
      {width, logicalDpiX() / 3,
       grid_->verticalHeader()->fontMetrics().horizontalAdvance(
           QStringLiteral("0000"))}));

  lbl_comments_->setText(Lines(table.Comments()));
  lbl_comments_->setVisible(!table.Comments().empty());
  lbl_comments_->adjustSize();
  const QPixmap picture = HelpPictureImage(table.HelpPicture());
  img_help_->setPixmap(picture);
  img_help_->setVisible(!picture.isNull());
  img_help_->resize(picture.isNull() ? QSize(0, 0) : picture.size());

  int visible = 0;
  for (int c = 0; c < table.ColumnCount(); ++c) {
    if (table.Column(c).Visible()) ++visible;
  }
  view_.cols_shown = visible;
  view_.rows_shown = std::min(table.RowCount(), most_rows_shown_);

  table.OnTableChanged = [this] { Refresh(); };
  table.OnCellChanged = [this](int col, int row) { RewriteCell(col, row); };
  table.OnTitleChanged = [this] { RefreshTitle(); };
  table.OnDiscarded = [this] {
    discarding_ = true;
    Release();
  };
  Refresh();

  refreshing_ = true;
  for (int c = 0; c < grid_->columnCount(); ++c) {
    if (Selectable(c) && grid_->rowCount() > 0) {
      grid_->setCurrentCell(0, c);
      break;
    }
  }
  refreshing_ = false;
  grid_->setFocus();
}

// The discarding table is mid-destruction: its OnDiscarded is running and
// must not be replaced from inside itself.
void TTableForm::Detach() {
  if (!table_) return;
  TGridTable* table = table_;
  table_ = nullptr;
  table->OnTableChanged = nullptr;
  table->OnCellChanged = nullptr;
  table->OnTitleChanged = nullptr;
  if (!discarding_) table->OnDiscarded = nullptr;
  table->SetEditorOpen(false);
  windows_.Forget(*this);
}

void TTableForm::Release() {
  if (released_) return;
  released_ = true;
  Detach();
  hide();
  deleteLater();
}

void TTableForm::RefreshTitle() {
  if (table_) setWindowTitle(ToQt(table_->WindowTitle()));
}

int TTableForm::GridColumn(int col) const {
  auto it = std::find(visible_cols_.begin(), visible_cols_.end(), col);
  return it == visible_cols_.end() ? -1
                                   : static_cast<int>(it - visible_cols_.begin());
}

int TTableForm::TableColumn(int grid_col) const {
  if (grid_col < 0 || grid_col >= static_cast<int>(visible_cols_.size())) {
    return -1;
  }
  return visible_cols_[static_cast<size_t>(grid_col)];
}

bool TTableForm::Selectable(int grid_col) const {
  const int col = TableColumn(grid_col);
  return table_ && col >= 0 && table_->Column(col).Kind() != ColumnKind::kFlex;
}

QPushButton* TTableForm::FlexButton(int col, int row) const {
  const int grid_col = GridColumn(col);
  if (grid_col < 0 || row < 0 || row >= grid_->rowCount()) return nullptr;
  return qobject_cast<QPushButton*>(
      grid_->indexWidget(grid_->model()->index(row, grid_col)));
}

void TTableForm::Refresh() {
  if (!table_) return;
  TGridTable& table = *table_;
  refreshing_ = true;

  visible_cols_.clear();
  for (int c = 0; c < table.ColumnCount(); ++c) {
    if (table.Column(c).Visible()) visible_cols_.push_back(c);
  }
  const int columns = static_cast<int>(visible_cols_.size());
  const int rows = table.RowCount();
  header_rows_ = table.HeaderRows();
  view_.cols_shown = std::min(view_.cols_shown, columns);
  view_.rows_shown = std::min(view_.rows_shown, rows);

  grid_->setColumnCount(columns);
  grid_->setRowCount(rows);

  // Stacked header lines; every column gets the same number of lines so
  // that line k of each stands in header row k.
  const QFontMetrics header_metrics = grid_->horizontalHeader()->fontMetrics();
  const int header_margin =
      2 * grid_->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr,
                                      grid_.get()) + 2;
  widths_.assign(static_cast<size_t>(columns), 0);
  for (int g = 0; g < columns; ++g) {
    const int col = visible_cols_[static_cast<size_t>(g)];
    QStringList lines;
    int width = 0;
    for (int k = 0; k < header_rows_; ++k) {
      const QString line = ToQt(table.HeaderText(col, k));
      lines << line;
      width = std::max({width, header_metrics.horizontalAdvance(line + "  "),
                        header_metrics.horizontalAdvance(line) + header_margin});
    }
    const TColumn& column = table.Column(col);
    if (column.Kind() == ColumnKind::kFlex) {
      width = std::max(width, 2 * logicalDpiX());
    }
    width = std::max(width, grid_->fontMetrics().horizontalAdvance(
                                QStringLiteral("-0.00000000")) +
                                header_margin);
    auto* header = new QTableWidgetItem(lines.join(QLatin1Char('\n')));
    if (column.Kind() == ColumnKind::kChoice) {
      // The cells show the choice's number; the header tells what it means.
      const auto& choices = static_cast<const TEnumColumn&>(column).Choices();
      QStringList tip;
      for (size_t i = 0; i < choices.size(); ++i) {
        tip << QStringLiteral("%1: %2").arg(i + 1).arg(ToQt(choices[i]));
      }
      header->setToolTip(tip.join(QLatin1Char('\n')));
    }
    grid_->setHorizontalHeaderItem(g, header);
    widths_[static_cast<size_t>(g)] = width;
    grid_->setColumnWidth(g, width);
  }

  const int group = std::max(table.RowGroup(), 1);
  for (int row = 0; row < rows; ++row) {
    grid_->setVerticalHeaderItem(
        row, new QTableWidgetItem(QString::number(row / group + 1)));
    for (int g = 0; g < columns; ++g) {
      const int col = visible_cols_[static_cast<size_t>(g)];
      QTableWidgetItem* item = grid_->item(row, g);
      if (!item) {
        item = new QTableWidgetItem;
        grid_->setItem(row, g, item);
      }
      if (table.Column(col).Kind() == ColumnKind::kFlex) {
        item->setFlags(Qt::ItemIsEnabled);
        item->setText(QString());
      } else {
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable |
                       Qt::ItemIsEditable);
        item->setText(ToQt(table.CellText(col, row)));
      }
    }
    RefreshFlexButtons(row);
  }

  RowButtonsState();
  refreshing_ = false;
  LayoutWindow();
  TableRedrawn();
}

void TTableForm::RefreshFlexButtons(int row) {
  if (!table_ || row < 0 || row >= grid_->rowCount()) return;
  for (int g = 0; g < static_cast<int>(visible_cols_.size()); ++g) {
    const int col = visible_cols_[static_cast<size_t>(g)];
    if (table_->Column(col).Kind() != ColumnKind::kFlex) continue;
    QPushButton* button = FlexButton(col, row);
    if (!button) {
      button = new QPushButton;
      button->setFocusPolicy(Qt::NoFocus);
      button->setAutoDefault(false);
      // The row is looked up on click: rows move on insert and delete.
      connect(button, &QPushButton::clicked, this, [this, button, col] {
        const int grid_col = GridColumn(col);
        for (int r = 0; r < grid_->rowCount(); ++r) {
          if (grid_->indexWidget(grid_->model()->index(r, grid_col)) ==
              button) {
            FlexButtonClick(col, r);
            return;
          }
        }
      });
      grid_->setIndexWidget(grid_->model()->index(row, g), button);
    }
    button->setText(ToQt(table_->CellText(col, row)));
    button->setEnabled(table_->SubTable(col, row) != nullptr);
  }
}

void TTableForm::FlexButtonClick(int col, int row) {
  if (!table_ || !Commit(true)) return;
  if (TGridTable* sub = table_->SubTable(col, row)) windows_.Show(*sub);
}

void TTableForm::RewriteCells() {
  if (!table_) return;
  for (int row = 0; row < grid_->rowCount(); ++row) {
    for (int g = 0; g < static_cast<int>(visible_cols_.size()); ++g) {
      RewriteCell(visible_cols_[static_cast<size_t>(g)], row);
    }
  }
}

void TTableForm::RewriteCell(int col, int row) {
  if (!table_) return;
  TableRedrawn();
  RefreshFlexButtons(row);
  const int g = GridColumn(col);
  if (g < 0 || row < 0 || row >= grid_->rowCount()) return;
  if (table_->Column(col).Kind() == ColumnKind::kFlex) return;
  const QString text = ToQt(table_->CellText(col, row));
  if (QTableWidgetItem* item = grid_->item(row, g)) item->setText(text);
  if (QLineEdit* editor = delegate_->EditorOn(grid_->model()->index(row, g))) {
    editor->setText(text);
  }
}

void TTableForm::RowButtonsState() {
  const TGridTable& table = *table_;
  const bool shown = table.MinRows() != table.MaxRows();
  // MaxRows 0 means no limit.
  const bool room = table.MaxRows() <= 0 || table.RowCount() < table.MaxRows();
  for (QPushButton* button : {btn_add_.get(), btn_ins_.get(), btn_del_.get()}) {
    button->setVisible(shown);
  }
  btn_add_->setEnabled(room);
  btn_ins_->setEnabled(room);
  btn_del_->setEnabled(table.RowCount() > table.MinRows());
}

bool TTableForm::Commit(bool report) {
  if (!table_) return true;
  const QModelIndex current = grid_->currentIndex();
  const int col = TableColumn(current.column());
  const int row = current.row();
  if (!current.isValid() || col < 0 || row >= table_->RowCount()) return true;
  // Even an unchanged cell counts as an edit for the save prompt.
  table_->SetChanged();
  if (table_->Column(col).Kind() == ColumnKind::kFlex) return true;

  QString typed;
  if (QLineEdit* editor = delegate_->EditorOn(current)) {
    typed = editor->text();
  } else if (QTableWidgetItem* item = grid_->item(row, current.column())) {
    typed = item->text();
  }
  const std::string text = typed.toStdString();
  // Re-reading the shown text form (8 digits) would round the stored value.
  if (text != table_->CellText(col, row)) {
    try {
      table_->SetCellText(col, row, text);
    } catch (const EAssignError& error) {
      if (report) Report(error.what());
      return false;
    }
  }
  RewriteCells();
  return true;
}

bool TTableForm::CommitCell() { return Commit(true); }

bool TTableForm::MayLeaveCell(int /*grid_row*/, int grid_col) {
  if (refreshing_ || !table_) return true;
  if (!Selectable(grid_col)) return false;
  if (Commit(true)) return true;
  // The rejected text stays in an open editor for correcting.
  const QModelIndex current = grid_->currentIndex();
  if (!delegate_->EditorOn(current) && grid_->isVisible()) {
    grid_->edit(current);
  }
  return false;
}

bool TTableForm::MoveTo(int col, int row) {
  const int g = GridColumn(col);
  if (!table_ || g < 0 || row < 0 || row >= grid_->rowCount()) return false;
  const QModelIndex target = grid_->model()->index(row, g);
  if (target == grid_->currentIndex()) return Commit(true);
  grid_->setCurrentIndex(target);
  return grid_->currentIndex() == target;
}

// Down the column; from its last row to the top of the next column; from
// the last cell back to the first.
void TTableForm::GridEnter() {
  if (!table_ || grid_->rowCount() == 0) return;
  const QModelIndex current = grid_->currentIndex();
  const int columns = grid_->columnCount();
  int row = current.isValid() ? current.row() : -1;
  int g = current.isValid() ? current.column() : 0;
  if (row + 1 < grid_->rowCount() && current.isValid()) {
    ++row;
  } else {
    row = 0;
    int next = -1;
    for (int c = g + 1; c < columns && next < 0; ++c) {
      if (Selectable(c)) next = c;
    }
    for (int c = 0; c < columns && next < 0; ++c) {
      if (Selectable(c)) next = c;
    }
    if (next < 0) return;
    g = next;
  }
  MoveTo(TableColumn(g), row);
}

void TTableForm::Report(const std::string& message) {
  reporting_ = true;
  ShowInformation(this, message);
  reporting_ = false;
}

void TTableForm::FocusChanged(QWidget* old, QWidget* now) {
  if (!table_ || reporting_ || refreshing_) return;
  const auto in_grid = [this](QWidget* w) {
    return w && (w == grid_.get() || grid_->isAncestorOf(w));
  };
  // Leaving for another window is deactivation, handled there.
  if (!in_grid(old) || in_grid(now) || !now || now->window() != this) return;
  if (!Commit(true)) {
    QTimer::singleShot(0, grid_.get(), [this] { grid_->setFocus(); });
  }
}

void TTableForm::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() != QEvent::ActivationChange || isActiveWindow()) return;
  if (!table_ || released_ || reporting_) return;
  if (!Commit(true)) {
    show();
    raise();
    activateWindow();
  }
}

void TTableForm::closeEvent(QCloseEvent* event) {
  if (table_ && !released_ && !Commit(true)) {
    event->ignore();
    return;
  }
  Detach();
  event->accept();
}

bool TTableForm::eventFilter(QObject* watched, QEvent* event) {
  auto* corner = qobject_cast<QAbstractButton*>(watched);
  if (corner && event->type() == QEvent::Paint) {
    QPainter painter(corner);
    QStyleOptionHeader option;
    option.initFrom(corner);
    // The corner button is disabled (no select-all); its text is not.
    option.palette = grid_->palette();
    option.state |= QStyle::State_Enabled;
    option.rect = corner->rect();
    option.position = QStyleOptionHeader::OnlyOneSection;
    option.textAlignment = Qt::AlignLeft | Qt::AlignTop;
    if (table_) option.text = ToQt(table_->TopLeft());
    corner->style()->drawControl(QStyle::CE_Header, &option, &painter,
                                 corner);
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

GridMetrics TTableForm::Measure() const {
  GridMetrics m;
  const int frame = 2 * grid_->frameWidth();
  m.fixed_width = frame + grid_->verticalHeader()->width();
  m.fixed_height = frame + grid_->horizontalHeader()->sizeHint().height();
  m.column_widths = widths_;
  m.row_height = row_height_;
  m.row_count = grid_->rowCount();
  m.vscroll_width = grid_->verticalScrollBar()->sizeHint().width();
  m.hscroll_height = grid_->horizontalScrollBar()->sizeHint().height();
  m.chrome_width = 2 * margin_;

  int below = margin_;
  int min_width = 0;
  if (!btn_add_->isHidden()) {
    below += btn_add_->sizeHint().height() + margin_;
    min_width = margin_ + btn_add_->sizeHint().width() + margin_ +
                btn_ins_->sizeHint().width() + margin_ +
                btn_del_->sizeHint().width();
  }
  if (!lbl_comments_->isHidden()) {
    below += lbl_comments_->height() + margin_;
    min_width = std::max(min_width, margin_ + lbl_comments_->width());
  }
  if (!img_help_->isHidden()) {
    below += img_help_->height() + margin_;
    min_width = std::max(min_width, margin_ + img_help_->width());
  }
  const ExtraSpace extras = Extras();
  m.chrome_height = margin_ + extras.above + below + extras.below;
  m.min_width = std::max(min_width, extras.right) + margin_;
  return m;
}

GridView TTableForm::ViewInGrid() const {
  GridView v = view_;
  v.first_col = grid_->horizontalScrollBar()->value();
  v.first_row = grid_->verticalScrollBar()->value();
  return v;
}

void TTableForm::LayoutWindow() {
  if (!table_) return;
  const GridMetrics m = Measure();
  GridView v = ViewInGrid();
  v.first_col = std::clamp(v.first_col, 0,
                           std::max(ColumnCount(m) - v.cols_shown, 0));
  v.first_row = std::clamp(v.first_row, 0,
                           std::max(m.row_count - v.rows_shown, 0));
  grid_->setVerticalScrollBarPolicy(NeedsVerticalScrollBar(m, v)
                                        ? Qt::ScrollBarAlwaysOn
                                        : Qt::ScrollBarAlwaysOff);
  grid_->setHorizontalScrollBarPolicy(NeedsHorizontalScrollBar(m, v)
                                          ? Qt::ScrollBarAlwaysOn
                                          : Qt::ScrollBarAlwaysOff);
  const PixelSize grid = GridSize(m, v);
  const int grid_top = margin_ + Extras().above;
  grid_->setGeometry(margin_, grid_top, grid.width, grid.height);

  int y = grid_top + grid.height + margin_;
  int x = margin_;
  for (QPushButton* button : {btn_add_.get(), btn_ins_.get(), btn_del_.get()}) {
    button->resize(button->sizeHint());
    button->move(x, y);
    x += button->width() + margin_;
  }
  if (!btn_add_->isHidden()) y += btn_add_->height() + margin_;
  y = LayoutExtras(y);
  lbl_comments_->move(margin_, y);
  if (!lbl_comments_->isHidden()) y += lbl_comments_->height() + margin_;
  img_help_->move(margin_, y);

  const PixelSize window = WindowSize(m, v);
  applied_size_ = QSize(window.width, window.height);
  resize(applied_size_);
  grid_->UpdateNow();
  grid_->horizontalScrollBar()->setValue(v.first_col);
  grid_->verticalScrollBar()->setValue(v.first_row);
}

void TTableForm::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (!table_ || refreshing_ || !isVisible() || size() == applied_size_) {
    return;
  }
  if (!snap_pending_) {
    snap_pending_ = true;
    QTimer::singleShot(0, this, &TTableForm::SnapToSize);
  }
}

// The user dragged an edge or a corner: show whole rows and columns.
void TTableForm::SnapToSize() {
  snap_pending_ = false;
  if (!table_ || size() == applied_size_) return;
  const QRect dragged = geometry();
  const QRect before = applied_geometry_.isValid() ? applied_geometry_
                                                   : QRect(pos(), applied_size_);
  const DraggedEdges edges{dragged.width() != applied_size_.width(),
                           dragged.height() != applied_size_.height()};
  GridView current = ViewInGrid();
  view_ = SnapView(Measure(), current, {dragged.width(), dragged.height()},
                   edges);
  LayoutWindow();
  // The dragged edges move; the opposite ones stay.
  QRect snapped(dragged.topLeft(), applied_size_);
  if (dragged.left() != before.left() && dragged.right() == before.right()) {
    snapped.moveRight(dragged.right());
  }
  if (dragged.top() != before.top() && dragged.bottom() == before.bottom()) {
    snapped.moveBottom(dragged.bottom());
  }
  setGeometry(snapped);
  applied_geometry_ = geometry();
}

void TTableForm::ScrollToLastRow() {
  const int last = grid_->rowCount() - 1;
  const int first = grid_->verticalScrollBar()->value();
  if (last >= first + view_.rows_shown) {
    grid_->UpdateNow();
    grid_->verticalScrollBar()->setValue(last + 1 - view_.rows_shown);
  }
}

void TTableForm::BtnAddClick() {
  if (!table_ || !Commit(true)) return;
  TGridTable& table = *table_;
  if (table.MaxRows() > 0 && table.RowCount() >= table.MaxRows()) return;
  table.HoldNotifications();
  if (view_.rows_shown >= table.RowCount() &&
      view_.rows_shown < most_rows_shown_) {
    view_.rows_shown =
        std::min(view_.rows_shown + table.RowGroup(), most_rows_shown_);
  }
  table.AddRowBlock();
  table.SetChanged();
  table.ResumeNotifications();
  ScrollToLastRow();
}

void TTableForm::ShowAddedRows(int rows_before) {
  if (!table_ || view_.rows_shown < rows_before) return;
  view_.rows_shown = std::min(table_->RowCount(), most_rows_shown_);
  LayoutWindow();
}

void TTableForm::BtnInsClick() {
  if (!table_ || !Commit(true)) return;
  TGridTable& table = *table_;
  if (table.MaxRows() > 0 && table.RowCount() >= table.MaxRows()) return;
  const int row = std::max(grid_->currentRow(), 0);
  table.HoldNotifications();
  table.SetChanged();
  if (view_.rows_shown >= table.RowCount() &&
      view_.rows_shown < most_rows_shown_) {
    view_.rows_shown =
        std::min(view_.rows_shown + table.RowGroup(), most_rows_shown_);
  }
  table.InsertRowBlock(row);
  table.ResumeNotifications();
}

void TTableForm::BtnDelClick() {
  if (!table_ || !Commit(true)) return;
  TGridTable& table = *table_;
  const int row = grid_->currentRow();
  if (row < 0 || table.RowCount() <= table.MinRows()) return;
  table.HoldNotifications();
  table.SetChanged();
  table.DeleteRowBlock(row);
  table.ResumeNotifications();
}

TTableWindows::~TTableWindows() { CloseAll(); }

TTableForm* TTableWindows::Show(TGridTable& table) {
  if (!table.HasVisibleColumn()) return nullptr;
  TTableForm* form = Find(table);
  if (!form) {
    if (auto* chart = dynamic_cast<TGridTableChart*>(&table)) {
      form = new TTableChartForm(*chart, *this, frame_);
    } else {
      form = new TTableForm(table, *this, frame_);
    }
    forms_[&table] = form;
  }
  form->showNormal();
  form->raise();
  form->activateWindow();
  return form;
}

TTableForm* TTableWindows::Find(const TGridTable& table) const {
  auto it = forms_.find(&table);
  return it == forms_.end() ? nullptr : it->second.data();
}

void TTableWindows::Close(const TGridTable& table) {
  if (TTableForm* form = Find(table)) form->Release();
}

// The windows go now: they refer to this object.
void TTableWindows::CloseAll() {
  auto forms = std::move(forms_);
  forms_.clear();
  for (auto& [table, form] : forms) delete form.data();
}

void TTableWindows::Forget(const TTableForm& form) {
  for (auto it = forms_.begin(); it != forms_.end();) {
    if (it->second.data() == &form || it->second.isNull()) {
      it = forms_.erase(it);
    } else {
      ++it;
    }
  }
}

}  // namespace kestra
