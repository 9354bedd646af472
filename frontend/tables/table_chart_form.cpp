#include "table_chart_form.h"

#include <QClipboard>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QUrl>
#include <algorithm>
#include <filesystem>

#include "assign_error.h"
#include "chart_axis.h"
#include "chart_file.h"
#include "chart_rows.h"
#include "line_chart_widget.h"

namespace kestra {
namespace {

// The chart leaves room for half as many rows as the plain window.
constexpr int kMostRowsWithChart = 5;
constexpr int kMostRowsWithoutChart = 10;

QString FirstHeaderLine(const TGridTable& table, int col) {
  if (col < 0 || col >= table.ColumnCount()) return QString();
  const std::vector<std::string>& header = table.Column(col).Header();
  return header.empty() ? QString() : QString::fromStdString(header.front());
}

std::filesystem::path PathOf(const QString& name) {
  return std::filesystem::path(name.toStdU16String());
}

QString ChooseWithDialog(QWidget* parent, const QString& start,
                         const QString& filters) {
  return QFileDialog::getOpenFileName(parent, QStringLiteral("Open"), start,
                                      filters);
}

bool OpenWithDesktop(const QString& path) {
  return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

bool ArrowOrDigit(int key) {
  return (key >= Qt::Key_0 && key <= Qt::Key_9) || key == Qt::Key_Left ||
         key == Qt::Key_Right || key == Qt::Key_Up || key == Qt::Key_Down;
}

}  // namespace

TTableChartForm::TTableChartForm(TGridTableChart& table,
                                 TTableWindows& windows, QWidget* parent)
    : TTableForm(table, windows, parent,
                 table.Chart().show_chart ? kMostRowsWithChart
                                          : kMostRowsWithoutChart),
      chart_(std::make_unique<LineChartWidget>(this)),
      file_name_label_(
          std::make_unique<QLabel>(QStringLiteral("File Name:"), this)),
      file_name_edit_(std::make_unique<QLineEdit>(this)),
      btn_browse_(std::make_unique<QPushButton>(QStringLiteral("Browse"), this)),
      btn_edit_(
          std::make_unique<QPushButton>(QStringLiteral("View/Edit File"), this)),
      btn_read_(std::make_unique<QPushButton>(
          QStringLiteral("Read values from File"), this)),
      btn_clip_(std::make_unique<QPushButton>(
          QStringLiteral("Paste values from  Clipboard (text)"), this)),
      choose_file_(ChooseWithDialog),
      open_file_(OpenWithDesktop),
      shows_chart_(table.Chart().show_chart),
      reads_files_(table.GetDataFromFile()) {
  setObjectName(QStringLiteral("TTableChartForm"));
  chart_->setObjectName(QStringLiteral("Chart1"));
  file_name_label_->setObjectName(QStringLiteral("FileNameLabel"));
  file_name_edit_->setObjectName(QStringLiteral("FileNameEdit"));
  btn_browse_->setObjectName(QStringLiteral("BtnBrowse"));
  btn_edit_->setObjectName(QStringLiteral("BtnEdit"));
  btn_read_->setObjectName(QStringLiteral("BtnRead"));
  btn_clip_->setObjectName(QStringLiteral("BtnClip"));

  chart_->resize(logicalDpiX() * 24 / 5, logicalDpiY() * 13 / 5);
  chart_->setVisible(shows_chart_);
  for (QWidget* control :
       {static_cast<QWidget*>(file_name_label_.get()),
        static_cast<QWidget*>(file_name_edit_.get()),
        static_cast<QWidget*>(btn_browse_.get()),
        static_cast<QWidget*>(btn_edit_.get()),
        static_cast<QWidget*>(btn_read_.get()),
        static_cast<QWidget*>(btn_clip_.get())}) {
    control->setVisible(reads_files_);
  }
  // As with the row buttons: the grid keeps the focus, and each command
  // commits the cell itself, showing a rejection once.
  for (QPushButton* button :
       {btn_browse_.get(), btn_edit_.get(), btn_read_.get(), btn_clip_.get()}) {
    button->setFocusPolicy(Qt::NoFocus);
    button->setAutoDefault(false);
  }
  connect(btn_browse_.get(), &QPushButton::clicked, this,
          &TTableChartForm::BtnBrowseClick);
  connect(btn_edit_.get(), &QPushButton::clicked, this,
          &TTableChartForm::BtnEditClick);
  connect(btn_read_.get(), &QPushButton::clicked, this,
          &TTableChartForm::BtnReadClick);
  connect(btn_clip_.get(), &QPushButton::clicked, this,
          &TTableChartForm::BtnClipClick);
  connect(file_name_edit_.get(), &QLineEdit::textChanged, this,
          &TTableChartForm::FileNameChanged);

  // The base window laid itself out before these controls existed.
  Refresh();
}

TTableChartForm::~TTableChartForm() = default;

const QString& TTableChartForm::FileFilters() {
  static const QString filters = QStringLiteral(
      "Text Files (*.txt);;Data Files (*.dat);;All Files (*)");
  return filters;
}

TGridTableChart* TTableChartForm::ChartTable() const {
  return dynamic_cast<TGridTableChart*>(Table());
}

TTableForm::ExtraSpace TTableChartForm::Extras() const {
  ExtraSpace extras;
  const int m = Margin();
  if (shows_chart_) {
    extras.above = chart_->height() + m;
    extras.right = m + chart_->width();
  }
  if (reads_files_) {
    const int line = std::max(file_name_edit_->sizeHint().height(),
                              file_name_label_->sizeHint().height());
    const int button = btn_browse_->sizeHint().height();
    extras.below = line + m + button + m + button + m;
    const int buttons = m + btn_browse_->sizeHint().width() + m +
                        btn_edit_->sizeHint().width() + m +
                        btn_read_->sizeHint().width();
    const int path = m + file_name_label_->sizeHint().width() + m +
                     2 * logicalDpiX();
    extras.right = std::max(
        {extras.right, buttons, path, m + btn_clip_->sizeHint().width()});
  }
  return extras;
}

int TTableChartForm::LayoutExtras(int top) {
  const int m = Margin();
  chart_->move(m, m);
  if (!reads_files_) return top;

  int x = m;
  for (QPushButton* button : {btn_browse_.get(), btn_edit_.get(),
                              btn_read_.get()}) {
    button->resize(button->sizeHint());
    x += button->width() + m;
  }
  const int read_right = std::max(
      x - m, m + file_name_label_->sizeHint().width() + m + 2 * logicalDpiX());

  // The path line, its field reaching to the right edge of the buttons.
  const int line = std::max(file_name_edit_->sizeHint().height(),
                            file_name_label_->sizeHint().height());
  file_name_label_->resize(file_name_label_->sizeHint());
  file_name_label_->move(
      m, top + (line - file_name_label_->height()) / 2);
  const int edit_left = m + file_name_label_->width() + m;
  file_name_edit_->setGeometry(edit_left, top, read_right - edit_left, line);
  int y = top + line + m;

  x = m;
  for (QPushButton* button : {btn_browse_.get(), btn_edit_.get(),
                              btn_read_.get()}) {
    button->move(x, y);
    x += button->width() + m;
  }
  y += btn_browse_->height() + m;
  btn_clip_->resize(btn_clip_->sizeHint());
  btn_clip_->move(std::max(m, btn_read_->geometry().right() + 1 -
                                  btn_clip_->width()),
                  y);
  y += btn_clip_->height() + m;
  FileNameChanged();
  return y;
}

// "View/Edit File" and "Read values from File" need a file to work on.
void TTableChartForm::FileNameChanged() {
  const bool exists = QFileInfo(file_name_edit_->text()).isFile();
  btn_edit_->setEnabled(exists);
  btn_read_->setEnabled(exists);
}

void TTableChartForm::TableRedrawn() { RedrawChart(); }

void TTableChartForm::GridKey(const QKeyEvent& event) {
  if (event.type() == QEvent::KeyPress || ArrowOrDigit(event.key())) {
    RedrawChart();
  }
}

void TTableChartForm::RedrawChart() {
  const TGridTableChart* table = ChartTable();
  if (!table || !shows_chart_) return;
  const ChartParameters& chart = table->Chart();
  chart_->SetCurve(ChartCurveOf(table->ChartPoints()),
                   FirstHeaderLine(*table, chart.x_column),
                   FirstHeaderLine(*table, chart.y_column));
}

void TTableChartForm::BtnBrowseClick() {
  const QString start = QFileInfo(file_name_edit_->text()).path();
  const QString chosen = choose_file_(this, start, FileFilters());
  if (!chosen.isEmpty()) file_name_edit_->setText(chosen);
  FileNameChanged();
}

void TTableChartForm::BtnEditClick() {
  if (!open_file_(file_name_edit_->text())) {
    Report("An error occurred in running the Word Processor");
  }
}

void TTableChartForm::BtnReadClick() {
  TGridTable* table = Table();
  if (!table || !CommitCell()) return;
  const QString name = file_name_edit_->text();
  const ChartFileLines file = ReadChartFileLines(
      PathOf(name), table->ColumnCount(), table->MaxRows());
  if (file.status != ChartFileStatus::kOk) {
    const char* what = file.status == ChartFileStatus::kCannotOpen
                           ? "cannot be opened"
                           : "could not be read to its end";
    Report("The file \"" + name.toStdString() + "\" " + what +
           ". The table is unchanged.");
    FileNameChanged();
    return;
  }
  FillRows(file.lines);
}

void TTableChartForm::BtnClipClick() {
  if (!Table() || !CommitCell()) return;
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  const QString text = data && data->hasText() ? data->text() : QString();
  if (text.isEmpty()) {
    Report("There is no text on the Clipboard");
    return;
  }
  FillRows(SplitTextLines(text.toStdString()));
}

// A value a column rejects must not leave some rows read and others not:
// the lines are first read into a scratch copy of the table, and the table
// itself is filled only when every value was accepted there.
void TTableChartForm::FillRows(const std::vector<std::string>& lines) {
  TGridTable* table = Table();
  if (!table) return;
  int filled = 0;
  try {
    std::unique_ptr<TGridTable> scratch = table->CreateCopy(*table, 0);
    scratch->SetEditorOpen(table->EditorOpen());
    scratch->SetRowCount(table->RowCount());
    filled = ReadChartRows(*scratch, lines);
  } catch (const EAssignError& error) {
    Report(std::string(error.what()) + "\rNo values were read.");
    return;
  }
  if (filled == 0) {
    Report("No values were read: no line holds exactly " +
           std::to_string(table->ColumnCount()) + " numbers.");
    return;
  }

  const int rows_before = table->RowCount();
  table->HoldNotifications();
  try {
    ReadChartRows(*table, lines);
  } catch (const EAssignError& error) {
    // Accepted by the copy, so not expected; shown rather than lost.
    Report(error.what());
  }
  table->SetChanged();
  table->ResumeNotifications();
  ShowAddedRows(rows_before);
}

}  // namespace kestra
