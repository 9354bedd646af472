#include "spring_dialog.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialog_pictures.h"
#include "project.h"

namespace kestra {

TApplyTableDialog::TApplyTableDialog(TDialogHost host, QWidget* parent,
                                     const QPixmap& picture, ApplySwitch which,
                                     const Names& names)
    : TInputDialog(std::move(host), parent),
      picture_(std::make_unique<QLabel>(this)),
      check_(std::make_unique<QCheckBox>(
          QString::fromLatin1(names.check_caption), this)),
      button_(std::make_unique<QPushButton>(
          QString::fromLatin1(names.button_caption), this)),
      which_(which) {
  picture_->setObjectName(QStringLiteral("imgHelp"));
  picture_->setPixmap(picture);
  check_->setObjectName(QString::fromLatin1(names.check_name));
  button_->setObjectName(QString::fromLatin1(names.button_name));
  // A click, not a state change: loading the box is no user's change.
  connect(check_.get(), &QCheckBox::clicked, this,
          &TApplyTableDialog::CheckClick);
  connect(button_.get(), &QPushButton::clicked, this,
          &TApplyTableDialog::ButtonClick);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(picture_.get(), 0, Qt::AlignHCenter);
  layout->addWidget(check_.get());
  layout->addWidget(button_.get(), 0, Qt::AlignHCenter);
}

TApplyTableDialog::~TApplyTableDialog() = default;

void TApplyTableDialog::LoadValues() {
  const bool on = Data().Switch(which_);
  check_->setChecked(on);
  button_->setEnabled(on);
}

void TApplyTableDialog::StoreValues() {
  bool& on = Data().Switch(which_);
  if (on != check_->isChecked()) {
    on = check_->isChecked();
    Project().SetModified(true);
  }
}

void TApplyTableDialog::CheckClick() {
  const bool on = check_->isChecked();
  button_->setEnabled(on);
  if (!on && Host().close_table) Host().close_table(Data().SwitchTable(which_));
  MarkModified();
}

void TApplyTableDialog::ButtonClick() {
  if (Host().show_table) Host().show_table(Data().SwitchTable(which_));
}

TDlgSpring::TDlgSpring(TDialogHost host, QWidget* parent)
    : TApplyTableDialog(std::move(host), parent, SpringPicture(),
                        ApplySwitch::kSprings,
                        {"ChkSpring", "&Lateral and Rotational Springs",
                         "btnSpring", "&Edit Spring Stiffness"}) {
  setObjectName(QStringLiteral("DlgSpring"));
  setWindowTitle(QStringLiteral("Lateral & Rotational Springs"));
}

TDlgSpring::~TDlgSpring() = default;

}  // namespace kestra
