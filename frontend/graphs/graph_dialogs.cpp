#include "graph_dialogs.h"

#include <QApplication>
#include <QButtonGroup>
#include <QFontDatabase>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPalette>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <cmath>
#include <cstddef>
#include <new>

#include "assign_error.h"
#include "data_edit_widget.h"
#include "graph_option_lists.h"
#include "info_box_widget.h"
#include "plot_layout.h"

namespace kestra {
namespace {

QString ToQt(const std::string& s) { return QString::fromStdString(s); }

QPushButton* MakeButton(QWidget* parent, const char* name, const QString& text) {
  auto* b = new QPushButton(text, parent);
  b->setObjectName(QString::fromLatin1(name));
  // Enter belongs to the field being edited, not to a default button.
  b->setAutoDefault(false);
  return b;
}

// The largest picture the save dialog will allocate: about 1 GB in 32-bit
// pixels. Larger sizes fail as an allocation failure would.
constexpr double kMaxBitmapPixels = 256.0 * 1024 * 1024;

}  // namespace

// --- Graph title ----------------------------------------------------------

TfrmGraphCaption::TfrmGraphCaption(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmGraphCaption"));
  setWindowTitle(QStringLiteral("Graph Caption"));
  edtCaption = new QLineEdit(this);
  edtCaption->setObjectName(QStringLiteral("edtCaption"));
  edtCaption->setMinimumWidth(280);
  gbLocation = new QGroupBox(QStringLiteral("Caption Location"), this);
  rbTop = new QRadioButton(QStringLiteral("&Top"), gbLocation);
  rbTop->setObjectName(QStringLiteral("rbTop"));
  rbBottom = new QRadioButton(QStringLiteral("&Bottom"), gbLocation);
  rbBottom->setObjectName(QStringLiteral("rbBottom"));
  auto* location = new QHBoxLayout(gbLocation);
  location->addWidget(rbTop);
  location->addWidget(rbBottom);
  btnOK = new QPushButton(QStringLiteral("&OK"), this);
  btnOK->setObjectName(QStringLiteral("btnOK"));
  btnOK->setDefault(true);
  connect(btnOK, &QPushButton::clicked, this, &QDialog::accept);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(edtCaption);
  layout->addWidget(gbLocation);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(btnOK);
  buttons->addStretch(1);
  layout->addLayout(buttons);
}

void TfrmGraphCaption::Load(const TGraphPlot& plot) {
  edtCaption->setText(ToQt(plot.Title));
  (plot.TitleOnTop ? rbTop : rbBottom)->setChecked(true);
}

void TfrmGraphCaption::Store(TGraphPlot& plot) const {
  plot.Title = edtCaption->text().toStdString();
  plot.TitleOnTop = rbTop->isChecked();
}

void EditGraphTitle(QWidget* parent, TGraphPlot& plot) {
  TfrmGraphCaption dialog(parent);
  dialog.Load(plot);
  dialog.exec();
  // The dialog has no Cancel: however it closes, what it shows is taken.
  dialog.Store(plot);
}

// --- Legend ---------------------------------------------------------------

TfrmLineNames::TfrmLineNames(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmLineNames"));
  setWindowTitle(QStringLiteral("Legend"));
  Label1 = new QLabel(QStringLiteral("Select line to modify:"), this);
  Label1->setObjectName(QStringLiteral("Label1"));
  lbLines = new QListWidget(this);
  lbLines->setObjectName(QStringLiteral("lbLines"));
  Label2 = new QLabel(QStringLiteral("Type new legend below:"), this);
  Label2->setObjectName(QStringLiteral("Label2"));
  edLine = new QLineEdit(this);
  edLine->setObjectName(QStringLiteral("edLine"));
  btnOK = MakeButton(this, "btnOK", QStringLiteral("&OK"));
  btnCancel = MakeButton(this, "btnCancel", QStringLiteral("&Cancel"));

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(10, 5, 10, 5);
  layout->setSpacing(5);
  layout->addWidget(Label1);
  layout->addWidget(lbLines, 1);
  layout->addWidget(Label2);
  layout->addWidget(edLine);
  auto* buttons = new QHBoxLayout;
  buttons->addSpacing(10);
  buttons->addWidget(btnOK);
  buttons->addStretch(1);
  buttons->addWidget(btnCancel);
  buttons->addSpacing(10);
  layout->addLayout(buttons);
  setMinimumSize(195, 167);

  connect(lbLines, &QListWidget::currentRowChanged, this,
          [this] { ShowSelected(); });
  connect(lbLines, &QListWidget::itemDoubleClicked, this,
          [this] { ShowSelected(); });
  connect(edLine, &QLineEdit::editingFinished, this,
          [this] { CommitEdit(); });
  connect(btnOK, &QPushButton::clicked, this, [this] { OkClick(); });
  connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TfrmLineNames::SetNames(const std::vector<std::string>& names,
                             const std::vector<int>& colours) {
  colours_ = colours;
  lbLines->clear();
  for (const std::string& name : names) lbLines->addItem(ToQt(name));
  if (lbLines->count() > 0) lbLines->setCurrentRow(0);
  ShowSelected();
}

std::vector<std::string> TfrmLineNames::Names() const {
  std::vector<std::string> names;
  for (int i = 0; i < lbLines->count(); ++i) {
    names.push_back(lbLines->item(i)->text().toStdString());
  }
  return names;
}

void TfrmLineNames::ShowSelected() {
  const int row = lbLines->currentRow();
  const QListWidgetItem* item = lbLines->item(row);
  edLine->setText(item ? item->text() : QString());
  edLine->setEnabled(item != nullptr);
  int colour = row;
  if (row >= 0 && static_cast<std::size_t>(row) < colours_.size()) {
    colour = colours_[static_cast<std::size_t>(row)];
  }
  QPalette palette = QApplication::palette(edLine);
  if (colour >= 0) {
    const Rgb c = PaletteColour(colour);
    palette.setColor(QPalette::Text, QColor(c.R, c.G, c.B));
  }
  edLine->setPalette(palette);
}

void TfrmLineNames::CommitEdit() {
  // The message box takes the focus from the edit, which would commit again.
  if (committing_) return;
  QListWidgetItem* item = lbLines->currentItem();
  if (!item) return;
  if (edLine->text().isEmpty()) {
    committing_ = true;
    ShowInformation(this, "The line must have a name!");
    committing_ = false;
    edLine->setText(item->text());
    return;
  }
  item->setText(edLine->text());
}

void TfrmLineNames::OkClick() {
  CommitEdit();
  accept();
}

bool EditLegend(QWidget* parent, TGraphPlot& plot) {
  TfrmLineNames dialog(parent);
  // The colours match the curves as the graph draws them.
  dialog.SetNames(CurveNames(plot), CurveColourIndices(plot));
  if (dialog.exec() != QDialog::Accepted) return false;
  ApplyCurveNames(plot, dialog.Names());
  return true;
}

// --- Active curves --------------------------------------------------------

TfrmActiveLines::TfrmActiveLines(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmActiveLines"));
  setWindowTitle(QStringLiteral("Active Curves"));
  Label1 = new QLabel(QStringLiteral("Select Curve to Active/Desactive"), this);
  Label1->setObjectName(QStringLiteral("Label1"));
  Label2 = new QLabel(QStringLiteral("Curve"), this);
  Label2->setObjectName(QStringLiteral("Label2"));
  Label3 = new QLabel(QStringLiteral("Active :"), this);
  Label3->setObjectName(QStringLiteral("Label3"));
  lbLines = new QListWidget(this);
  lbLines->setObjectName(QStringLiteral("lbLines"));
  lbLines->setSelectionMode(QAbstractItemView::ExtendedSelection);
  // The state strings line up only in a fixed-width font.
  const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  lbLines->setFont(fixed);
  ActivateDesactivateButton = MakeButton(
      this, "ActivateDesactivateButton",
      QStringLiteral("Activate/Deactivate Selected"));
  ActivateButton = MakeButton(this, "ActivateButton", QStringLiteral("Activate All"));
  DesactivateButton =
      MakeButton(this, "DesactivateButton", QStringLiteral("Deactivate All"));
  btnOK = MakeButton(this, "btnOK", QStringLiteral("&OK"));
  btnCancel = MakeButton(this, "btnCancel", QStringLiteral("&Cancel"));

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(10, 5, 10, 5);
  layout->setSpacing(5);
  layout->addWidget(Label1);
  // Column heads over the list: the state, then the curve's name.
  auto* heads = new QHBoxLayout;
  heads->setSpacing(0);
  heads->addWidget(Label3);
  heads->addSpacing(QFontMetrics(fixed).horizontalAdvance(QStringLiteral("   ")));
  heads->addWidget(Label2, 1);
  layout->addLayout(heads);
  layout->addWidget(lbLines, 1);
  layout->addWidget(ActivateDesactivateButton);
  auto* all = new QHBoxLayout;
  all->addWidget(ActivateButton);
  all->addWidget(DesactivateButton);
  layout->addLayout(all);
  auto* buttons = new QHBoxLayout;
  buttons->addSpacing(10);
  buttons->addWidget(btnOK);
  buttons->addStretch(1);
  buttons->addWidget(btnCancel);
  buttons->addSpacing(10);
  layout->addLayout(buttons);
  setMinimumSize(190, 234);

  connect(lbLines, &QListWidget::itemDoubleClicked, this,
          [this](QListWidgetItem* item) {
            // The double-clicked line is the one flipped, whatever else was
            // selected before.
            const int row = lbLines->row(item);
            if (row < 0) return;
            states_[static_cast<std::size_t>(row)] =
                FlippedState(states_[static_cast<std::size_t>(row)]);
            RewriteLine(row);
          });
  connect(ActivateDesactivateButton, &QPushButton::clicked, this,
          [this] { FlipSelected(); });
  connect(ActivateButton, &QPushButton::clicked, this, [this] { SetAll(true); });
  connect(DesactivateButton, &QPushButton::clicked, this, [this] { SetAll(false); });
  connect(btnOK, &QPushButton::clicked, this, &QDialog::accept);
  connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TfrmActiveLines::SetCurves(const std::vector<std::string>& names,
                                const std::vector<std::string>& states) {
  names_ = names;
  states_ = states;
  states_.resize(names_.size(), kCurveActive);
  lbLines->clear();
  for (std::size_t i = 0; i < names_.size(); ++i) {
    lbLines->addItem(ToQt(ActiveCurveLine(states_[i], names_[i])));
  }
  if (lbLines->count() > 0) lbLines->setCurrentRow(0);
}

void TfrmActiveLines::RewriteLine(int row) {
  const auto i = static_cast<std::size_t>(row);
  lbLines->item(row)->setText(ToQt(ActiveCurveLine(states_[i], names_[i])));
}

void TfrmActiveLines::FlipSelected() {
  for (int row = 0; row < lbLines->count(); ++row) {
    if (!lbLines->item(row)->isSelected()) continue;
    states_[static_cast<std::size_t>(row)] =
        FlippedState(states_[static_cast<std::size_t>(row)]);
    RewriteLine(row);
  }
}

void TfrmActiveLines::SetAll(bool active) {
  for (int row = 0; row < lbLines->count(); ++row) {
    states_[static_cast<std::size_t>(row)] = active ? kCurveActive : kCurveInactive;
    RewriteLine(row);
  }
}

bool EditActiveCurves(QWidget* parent, TGraphPlot& plot) {
  TfrmActiveLines dialog(parent);
  dialog.SetCurves(CurveNames(plot), CurveStates(plot));
  if (dialog.exec() != QDialog::Accepted) return false;
  ApplyCurveStates(plot, dialog.States());
  return true;
}

// --- Save attributes ------------------------------------------------------

QImage ToSaveColours(const QImage& image, SaveColours colours) {
  switch (colours) {
    case SaveColours::kBlackWhite:
      return image.convertToFormat(QImage::Format_Mono, Qt::ThresholdDither);
    case SaveColours::k16: {
      // The sixteen standard colours: the graph's palette is made of them.
      static constexpr QRgb kStandard[16] = {
          0xff000000, 0xff800000, 0xff008000, 0xff808000, 0xff000080, 0xff800080,
          0xff008080, 0xff808080, 0xffc0c0c0, 0xffff0000, 0xff00ff00, 0xffffff00,
          0xff0000ff, 0xffff00ff, 0xff00ffff, 0xffffffff};
      const QList<QRgb> table(std::begin(kStandard), std::end(kStandard));
      return image.convertToFormat(QImage::Format_Indexed8, table,
                                   Qt::ThresholdDither);
    }
    case SaveColours::k256:
      return image.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither);
    case SaveColours::kHigh16:
      return image.convertToFormat(QImage::Format_RGB16);
    case SaveColours::kTrue24:
      return image.convertToFormat(QImage::Format_RGB888);
  }
  return image;
}

TdlgFormat::TdlgFormat(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("dlgFormat"));
  setWindowTitle(QStringLiteral("Save Attributes"));
  auto* fields = new QFormLayout;
  auto make_field = [this, fields](const char* name, const char* caption,
                                   double value, double minimum) {
    auto* label = new QLabel(this);
    auto* edit = new TDataEdit(this);
    edit->setObjectName(QString::fromLatin1(name));
    edit->SetCaption(caption);
    edit->SetEditLabel(label);
    edit->SetMinVal(minimum);
    edit->SetNumber(value);
    fields->addRow(label, edit);
    return edit;
  };
  deHeight = make_field("deHeight", "&Height (in)", 4, 2);
  deWidth = make_field("deWidth", "&Width (in)", 6, 2);
  dePPI = make_field("dePPI", "&Pixels per inch", 72, 10);
  dePPI->SetIntegerOnly(true);

  gbColors = new QGroupBox(QStringLiteral("Colors"), this);
  colours_ = new QButtonGroup(this);
  auto* colour_column = new QVBoxLayout(gbColors);
  const char* const kColourTexts[] = {"Black and White", "16 Colors", "256 Colors",
                                      "High Color (16 bit)", "True Color (24 bit)"};
  int id = 0;
  for (const char* text : kColourTexts) {
    auto* rb = new QRadioButton(QString::fromLatin1(text), gbColors);
    colours_->addButton(rb, id++);
    colour_column->addWidget(rb);
  }
  colours_->button(static_cast<int>(SaveColours::k16))->setChecked(true);

  btnOK = new QPushButton(QStringLiteral("OK"), this);
  btnOK->setObjectName(QStringLiteral("btnOK"));
  btnCancel = new QPushButton(QStringLiteral("Cancel"), this);
  btnCancel->setObjectName(QStringLiteral("btnCancel"));
  btnOK->setDefault(true);
  connect(btnOK, &QPushButton::clicked, this, [this] { OkClick(); });
  connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  auto* top = new QHBoxLayout;
  top->addLayout(fields);
  top->addWidget(gbColors);
  layout->addLayout(top);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(btnOK);
  buttons->addWidget(btnCancel);
  layout->addLayout(buttons);
}

SaveColours TdlgFormat::Colours() const {
  return static_cast<SaveColours>(colours_->checkedId());
}

void TdlgFormat::OkClick() {
  for (TDataEdit* field : {deHeight, deWidth, dePPI}) {
    if (!field->CheckEntry()) {
      field->setFocus(Qt::OtherFocusReason);
      return;
    }
  }
  double height = 0, width = 0, ppi = 0;
  try {
    height = static_cast<double>(deHeight->Number());
    width = static_cast<double>(deWidth->Number());
    ppi = static_cast<double>(dePPI->Number());
  } catch (const EAssignError& e) {
    ShowInformation(this, e.what());
    return;
  }
  const double rows = std::round(ppi * height);
  const double columns = std::round(ppi * width);
  bitmap_ = QImage();
  if (std::isfinite(rows) && std::isfinite(columns) &&
      rows * columns <= kMaxBitmapPixels) {
    try {
      bitmap_ = QImage(static_cast<int>(columns), static_cast<int>(rows),
                       QImage::Format_RGB32);
    } catch (const std::bad_alloc&) {
      bitmap_ = QImage();
    }
  }
  if (bitmap_.isNull()) {
    done(kAbort);
    return;
  }
  bitmap_.fill(Qt::white);
  accept();
}

SaveAttributesResult ChooseSaveAttributes(QWidget* parent, QImage& bitmap,
                                          SaveColours* colours) {
  TdlgFormat dialog(parent);
  const int result = dialog.exec();
  if (result == TdlgFormat::kAbort) return SaveAttributesResult::kNoMemory;
  if (result != QDialog::Accepted) return SaveAttributesResult::kCancel;
  bitmap = dialog.Bitmap();
  if (colours) *colours = dialog.Colours();
  return SaveAttributesResult::kOk;
}

SaveAttributesResult ChooseSaveAttributes(QWidget* parent, QImage& bitmap) {
  return ChooseSaveAttributes(parent, bitmap, nullptr);
}

}  // namespace kestra
