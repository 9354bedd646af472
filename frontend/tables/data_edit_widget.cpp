#include "data_edit_widget.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QTimer>

#include "info_box_widget.h"

namespace kestra {

TDataEdit::TDataEdit(QWidget* parent) : QLineEdit(parent) {
  ShowModelText();
  model_.OnLabelChanged = [this] { RefreshLabel(); };
  model_.OnExit = [this] { Q_EMIT Exited(); };
  connect(this, &QLineEdit::textChanged, this, &TDataEdit::TextEdited);
}

TDataEdit::~TDataEdit() {
  model_.OnLabelChanged = nullptr;
  model_.OnExit = nullptr;
}

void TDataEdit::TextEdited(const QString& text) {
  model_.SetText(text.toStdString());
}

void TDataEdit::ShowModelText() {
  const QString text = QString::fromStdString(model_.Text());
  if (text != this->text()) setText(text);
}

void TDataEdit::SetNumber(Extended value) {
  model_.SetNumber(value);
  ShowModelText();
}

void TDataEdit::SetMinVal(Extended value) {
  model_.SetMinVal(value);
  ShowModelText();
}

void TDataEdit::SetMaxVal(Extended value) {
  model_.SetMaxVal(value);
  ShowModelText();
}

void TDataEdit::SetIntegerOnly(bool integer_only) {
  model_.SetIntegerOnly(integer_only);
  ShowModelText();
}

void TDataEdit::SetEditLabel(QLabel* label) {
  label_ = label;
  if (label_) label_->setBuddy(this);
  RefreshLabel();
}

void TDataEdit::RefreshLabel() {
  if (!label_) return;
  label_->setEnabled(isEnabled());
  label_->setText(QString::fromStdString(model_.LabelText()));
}

bool TDataEdit::CheckEntry() {
  // The message box takes the focus from the field; that exit must not run
  // a second check.
  if (checking_) return model_.EntryValid();
  checking_ = true;
  const EntryCheck check = model_.CheckEntry();
  ShowModelText();
  if (!check.valid()) {
    ShowInformation(this, check.message);
    if (isVisible()) {
      // Deferred: the focus change that ran this check is still under way.
      QTimer::singleShot(0, this, &TDataEdit::TakeFocusBack);
    }
  }
  checking_ = false;
  return check.valid();
}

void TDataEdit::TakeFocusBack() {
  if (!isVisible() || !isEnabled()) return;
  if (QWidget* form = window()) form->activateWindow();
  setFocus(Qt::OtherFocusReason);
}

void TDataEdit::keyPressEvent(QKeyEvent* event) {
  const int key = event->key();
  if (key == Qt::Key_Return || key == Qt::Key_Enter) {
    CheckEntry();
    selectAll();
    event->accept();  // not passed on to the dialog's default button
    return;
  }
  const QString typed = event->text();
  if (typed.size() == 1 && typed.at(0).unicode() < 128 &&
      TDataEditModel::ExtendsValue(static_cast<char>(typed.at(0).unicode())) &&
      !text().isEmpty() && selectedText() == text()) {
    deselect();
    end(false);
  }
  QLineEdit::keyPressEvent(event);
}

void TDataEdit::focusOutEvent(QFocusEvent* event) {
  QLineEdit::focusOutEvent(event);
  // Leaving for another window or a menu is not leaving the field.
  const Qt::FocusReason reason = event->reason();
  if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason) {
    return;
  }
  CheckEntry();
}

void TDataEdit::changeEvent(QEvent* event) {
  QLineEdit::changeEvent(event);
  if (event->type() == QEvent::EnabledChange) model_.SetEnabled(isEnabled());
}

}  // namespace kestra
