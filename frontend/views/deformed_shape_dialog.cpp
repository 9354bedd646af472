// The deformed-shape dialog of the 3D view.
#include "deformed_shape_dialog.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <cmath>

#include "info_box_widget.h"
#include "number_text.h"

namespace {

// Up and down buttons without a number between them.
class ArrowsOnly : public QSpinBox {
 public:
  using QSpinBox::QSpinBox;

 protected:
  QString textFromValue(int) const override { return {}; }
};

}  // namespace

namespace kestra {

namespace {
// The general format of the factor: 15 significant digits, so that steps
// such as 0.6 show as typed.
std::string FactorText(long double factor) { return FormatGeneral(factor, 15); }
}  // namespace

TDlgDeformedShape::TDlgDeformedShape(view3d::SceneOptions& options,
                                     std::function<void()> redraw,
                                     QWidget* parent)
    : QWidget(parent), options_(options), redraw_(std::move(redraw)) {
  setWindowFlag(Qt::Window);
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle("Deformed Shape");

  label1_ = new QLabel("Deformed Shape Factor", this);
  label1_->setObjectName("Label1");
  edit_def_factor_ = new QLineEdit(this);
  edit_def_factor_->setObjectName("EditDefFactor");
  label1_->setBuddy(edit_def_factor_);
  // Only the arrows count: the position always returns to 0.
  up_down_def_factor_ = new ArrowsOnly(this);
  up_down_def_factor_->setObjectName("UpDownDefFactor");
  up_down_def_factor_->setRange(-100, 100);
  up_down_def_factor_->setValue(0);
  up_down_def_factor_->setFixedWidth(up_down_def_factor_->sizeHint().height());
  if (auto* text = up_down_def_factor_->findChild<QLineEdit*>()) {
    text->setReadOnly(true);
  }
  check_deformed_ = new QCheckBox("Show Deformed Shape", this);
  check_deformed_->setObjectName("CheckBoxDeformedShape");
  check_undeformed_ = new QCheckBox("Show Undeformed Model", this);
  check_undeformed_->setObjectName("CheckBoxUndeformedModel");
  button1_ = new QPushButton("Close", this);
  button1_->setObjectName("Button1");

  auto* grid = new QGridLayout(this);
  grid->addWidget(label1_, 0, 0, 1, 2);
  grid->addWidget(edit_def_factor_, 1, 0);
  grid->addWidget(up_down_def_factor_, 1, 1);
  grid->addWidget(check_deformed_, 2, 0, 1, 2);
  grid->addWidget(check_undeformed_, 3, 0, 1, 2);
  grid->addWidget(button1_, 4, 0, 1, 2, Qt::AlignHCenter);

  connect(check_deformed_, &QCheckBox::toggled, this,
          &TDlgDeformedShape::CheckBoxDeformedShapeClick);
  connect(check_undeformed_, &QCheckBox::toggled, this,
          &TDlgDeformedShape::CheckBoxUndeformedModelClick);
  connect(edit_def_factor_, &QLineEdit::editingFinished, this,
          &TDlgDeformedShape::EditDefFactorChange);
  connect(up_down_def_factor_, &QSpinBox::valueChanged, this,
          &TDlgDeformedShape::UpDownDefFactorClick);
  connect(button1_, &QPushButton::clicked, this, &QWidget::close);

  FormActivate();
}

TDlgDeformedShape::~TDlgDeformedShape() = default;

void TDlgDeformedShape::FormActivate() {
  const QSignalBlocker b1(check_deformed_), b2(check_undeformed_),
      b3(up_down_def_factor_);
  ShowFactor();
  check_deformed_->setChecked(options_.deformed_shape);
  check_undeformed_->setChecked(options_.undeformed_model);
  up_down_def_factor_->setValue(0);
  UpdateEnabled();
}

void TDlgDeformedShape::ShowFactor() {
  edit_def_factor_->setText(QString::fromStdString(FactorText(options_.factor)));
}

void TDlgDeformedShape::UpdateEnabled() {
  const bool on = check_deformed_->isChecked();
  check_undeformed_->setEnabled(on);
  edit_def_factor_->setEnabled(on);
  up_down_def_factor_->setEnabled(on);
}

void TDlgDeformedShape::CheckBoxDeformedShapeClick(bool checked) {
  options_.deformed_shape = checked;
  UpdateEnabled();
  if (redraw_) redraw_();
}

void TDlgDeformedShape::CheckBoxUndeformedModelClick(bool checked) {
  options_.undeformed_model = checked;
  if (redraw_) redraw_();
}

void TDlgDeformedShape::EditDefFactorChange() {
  const std::string text = edit_def_factor_->text().trimmed().toStdString();
  if (text.empty()) return;
  const DecimalResult r = ParseDecimal(text);
  if (r.status != DecimalStatus::kOk || !std::isfinite(r.value)) {
    // The factor stays; the field shows it again.
    ShowInformation(this, "'" + text + "' is not a valid floating point value");
    ShowFactor();
    return;
  }
  if (r.value == options_.factor) return;
  options_.factor = r.value;
  if (redraw_) redraw_();
}

void TDlgDeformedShape::UpDownDefFactorClick(int position) {
  if (position == 0) return;
  options_.factor = view3d::StepFactor(options_.factor, position > 0);
  ShowFactor();
  {
    const QSignalBlocker block(up_down_def_factor_);
    up_down_def_factor_->setValue(0);
  }
  if (redraw_) redraw_();
}

void TDlgDeformedShape::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
    FormActivate();
  }
}

void TDlgDeformedShape::closeEvent(QCloseEvent* event) {
  QWidget::closeEvent(event);
  if (!event->isAccepted() || closed_) return;
  closed_ = true;
  if (Closed) Closed();
}

QLineEdit* TDlgDeformedShape::EditDefFactor() const { return edit_def_factor_; }
QSpinBox* TDlgDeformedShape::UpDownDefFactor() const {
  return up_down_def_factor_;
}
QCheckBox* TDlgDeformedShape::CheckBoxDeformedShape() const {
  return check_deformed_;
}
QCheckBox* TDlgDeformedShape::CheckBoxUndeformedModel() const {
  return check_undeformed_;
}
QPushButton* TDlgDeformedShape::CloseButton() const { return button1_; }

}  // namespace kestra
