#include "input_dialog.h"

#include <QCloseEvent>
#include <QEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTimer>

#include "assign_error.h"
#include "conloads_dialog.h"
#include "csd_dialog.h"
#include "data_edit_widget.h"
#include "inc_dialog.h"
#include "info_box_widget.h"
#include "program_data.h"
#include "project.h"
#include "prop_dialog.h"
#include "rebar_dialog.h"
#include "spring_dialog.h"
#include "title_dialog.h"
#include "units.h"

namespace kestra {

Extended ShownDepth(Extended stored, int units) {
  return units == kEnglishUnits ? stored / 12 : stored;
}
Extended StoredDepth(Extended shown, int units) {
  return units == kEnglishUnits ? shown * 12 : shown;
}
Extended ShownSurcharge(Extended stored, int units) {
  return units == kEnglishUnits ? stored * 144 : stored;
}
Extended StoredSurcharge(Extended shown, int units) {
  return units == kEnglishUnits ? shown / 144 : shown;
}

TInputDialog::TInputDialog(TDialogHost host, QWidget* parent)
    : QWidget(parent), host_(std::move(host)) {
  setAttribute(Qt::WA_DeleteOnClose);
}

TInputDialog::~TInputDialog() = default;

TProgramData& TInputDialog::Data() const { return host_.project->Data(); }

void TInputDialog::MarkModified() {
  if (!loading_) host_.project->SetModified(true);
}

void TInputDialog::MakeField(TFieldRow& row, QWidget* parent, const char* name,
                             const char* caption, const char* units) {
  row.label = std::make_unique<QLabel>(parent);
  row.edit = std::make_unique<TDataEdit>(parent);
  row.edit->setObjectName(QString::fromLatin1(name));
  row.edit->SetCaption(caption);
  row.edit->SetUnitsString(units);
  row.edit->SetEditLabel(row.label.get());
  row.label->setWordWrap(false);
}

void TInputDialog::Bind(TDataEdit& field, std::function<Extended()> get,
                        std::function<void(Extended)> set) {
  bindings_.push_back({&field, std::move(get), std::move(set), QString()});
  // Connected only now: setting the limits may have changed the text. A
  // text back at what was loaded or stored (a reformatted value) is no change.
  const size_t index = bindings_.size() - 1;
  connect(&field, &QLineEdit::textChanged, this, [this, index] {
    if (bindings_[index].field->text() != bindings_[index].loaded_text) MarkModified();
  });
}

void TInputDialog::FormActivate() {
  loading_ = true;
  const int units = Data().Units;
  for (Binding& b : bindings_) {
    b.field->SetUnits(units);
    b.field->SetNumber(b.get());
    b.loaded_text = b.field->text();
  }
  LoadValues();
  loading_ = false;
}

bool TInputDialog::FieldsValid() {
  // The focused field first: its message is the one the user expects.
  auto* focused = qobject_cast<TDataEdit*>(focusWidget());
  if (focused && !focused->CheckEntry()) return false;
  // A field left without its exit check (the window lost the focus while it
  // was being edited) is checked too; an untouched one holds a loaded value.
  for (Binding& b : bindings_) {
    if (b.field == focused || b.field->text() == b.loaded_text) continue;
    if (!b.field->CheckEntry()) {
      b.field->setFocus(Qt::OtherFocusReason);
      return false;
    }
  }
  return true;
}

void TInputDialog::StoreAll() {
  for (Binding& b : bindings_) {
    if (b.field->text() == b.loaded_text) continue;
    const Extended value = b.field->Number();
    if (value != b.get()) {
      b.set(value);
      host_.project->SetModified(true);
    }
    b.loaded_text = b.field->text();
  }
  StoreValues();
}

bool TInputDialog::FormDeactivate() {
  deactivation_pending_ = false;
  try {
    if (!FieldsValid()) {
      keep_fields_ = true;
      BringBack();
      return false;
    }
    StoreAll();
  } catch (const EAssignError& e) {
    ShowInformation(this, e.what());
    keep_fields_ = true;
    BringBack();
    return false;
  }
  return true;
}

void TInputDialog::BringBack() {
  if (!isVisible()) return;
  QTimer::singleShot(0, this, [this] {
    if (sub_window_ && sub_window_->mdiArea()) {
      sub_window_->mdiArea()->setActiveSubWindow(sub_window_);
    } else {
      activateWindow();
    }
  });
}

bool TInputDialog::IsActive() const {
  if (sub_window_) {
    return sub_window_->mdiArea() &&
           sub_window_->mdiArea()->activeSubWindow() == sub_window_;
  }
  return isActiveWindow();
}

void TInputDialog::ActivationChanged(bool active) {
  if (active) {
    // Coming back after a refusal, or before the deactivation ran: the
    // fields keep what the user is correcting.
    if (deactivation_pending_ || keep_fields_) {
      deactivation_pending_ = false;
      keep_fields_ = false;
      return;
    }
    FormActivate();
    return;
  }
  // Deferred: a field that refused its own exit takes the focus back first,
  // and that return is not a deactivation.
  deactivation_pending_ = true;
  QTimer::singleShot(0, this, &TInputDialog::DeferredDeactivate);
}

void TInputDialog::DeferredDeactivate() {
  if (!deactivation_pending_) return;
  deactivation_pending_ = false;
  if (IsActive()) return;
  FormDeactivate();
}

void TInputDialog::SubWindowStateChanged(Qt::WindowStates old_state,
                                         Qt::WindowStates new_state) {
  const bool was = old_state.testFlag(Qt::WindowActive);
  const bool is = new_state.testFlag(Qt::WindowActive);
  if (was != is) ActivationChanged(is);
}

void TInputDialog::HookSubWindow() {
  auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget());
  if (sub == sub_window_) return;
  if (sub_window_) disconnect(sub_window_, nullptr, this, nullptr);
  sub_window_ = sub;
  if (sub) {
    connect(sub, &QMdiSubWindow::windowStateChanged, this,
            &TInputDialog::SubWindowStateChanged);
  }
}

bool TInputDialog::event(QEvent* event) {
  // Put into a frame: its activation is the dialog's.
  if (event->type() == QEvent::ParentChange) HookSubWindow();
  return QWidget::event(event);
}

void TInputDialog::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  HookSubWindow();
}

void TInputDialog::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && isWindow()) {
    ActivationChanged(isActiveWindow());
  }
}

void TInputDialog::closeEvent(QCloseEvent* event) {
  deactivation_pending_ = false;
  try {
    if (!FieldsValid()) {
      event->ignore();
      return;
    }
    StoreAll();
  } catch (const EAssignError& e) {
    ShowInformation(this, e.what());
    event->ignore();
    return;
  }
  event->accept();
}

// ---------------------------------------------------------------------------

TInputDialogs::TInputDialogs(TDialogHost host,
                             std::function<void(QWidget*)> place)
    : host_(std::move(host)), place_(std::move(place)) {}

TInputDialogs::~TInputDialogs() = default;

std::unique_ptr<TInputDialog> TInputDialogs::Create(DialogKind kind) const {
  switch (kind) {
    case DialogKind::kTitle:
      return std::make_unique<TdlgTitle>(host_);
    case DialogKind::kProp:
      return std::make_unique<TDlgProp>(host_);
    case DialogKind::kCSD:
      return std::make_unique<TdlgCSD>(host_);
    case DialogKind::kRebar:
      return std::make_unique<TDlgRebar>(host_);
    case DialogKind::kTieback:
      return std::make_unique<TDlgTieback>(host_);
    case DialogKind::kSpring:
      return std::make_unique<TDlgSpring>(host_);
    case DialogKind::kConLoads:
      return std::make_unique<TDlgConLoads>(host_);
  }
  return nullptr;
}

TInputDialog* TInputDialogs::Find(DialogKind kind) const {
  return dialogs_[static_cast<size_t>(kind)].data();
}

TInputDialog* TInputDialogs::Show(DialogKind kind) {
  QPointer<TInputDialog>& slot = dialogs_[static_cast<size_t>(kind)];
  if (!slot) {
    std::unique_ptr<TInputDialog> dialog = Create(kind);
    dialog->FormActivate();
    slot = dialog.get();
    // From here the frame (or the window itself) owns the dialog; it is
    // deleted on closing.
    QWidget* widget = dialog.release();
    if (place_) {
      place_(widget);
    } else {
      widget->show();
    }
    return slot.data();
  }
  if (auto* sub = qobject_cast<QMdiSubWindow*>(slot->parentWidget())) {
    sub->showNormal();
    if (QMdiArea* area = sub->mdiArea()) area->setActiveSubWindow(sub);
  } else {
    slot->show();
    slot->raise();
    slot->activateWindow();
  }
  return slot.data();
}

void TInputDialogs::RedisplayUnits() {
  for (DialogKind kind : {DialogKind::kProp, DialogKind::kCSD,
                          DialogKind::kRebar}) {
    if (TInputDialog* dialog = Find(kind)) dialog->FormActivate();
  }
}

void TInputDialogs::ReloadAll() {
  for (const QPointer<TInputDialog>& dialog : dialogs_) {
    if (dialog) dialog->FormActivate();
  }
}

bool TInputDialogs::CommitAll() {
  for (const QPointer<TInputDialog>& dialog : dialogs_) {
    if (dialog && !dialog->FormDeactivate()) return false;
  }
  return true;
}

}  // namespace kestra
