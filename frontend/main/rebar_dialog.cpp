#include "rebar_dialog.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialog_pictures.h"
#include "input_tables.h"
#include "project.h"

namespace kestra {

TTablePictureDialog::TTablePictureDialog(
    TDialogHost host, QWidget* parent, const QPixmap& picture,
    const QString& button_caption, const QString& button_name,
    std::function<TGridTable&(TProject&)> table)
    : TInputDialog(std::move(host), parent),
      picture_(std::make_unique<QLabel>(this)),
      button_(std::make_unique<QPushButton>(button_caption, this)),
      table_(std::move(table)) {
  picture_->setObjectName(QStringLiteral("imgHelp"));
  picture_->setPixmap(picture);
  button_->setObjectName(button_name);
  connect(button_.get(), &QPushButton::clicked, this,
          &TTablePictureDialog::ButtonClick);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(picture_.get(), 0, Qt::AlignHCenter);
  layout->addWidget(button_.get(), 0, Qt::AlignHCenter);
}

TTablePictureDialog::~TTablePictureDialog() = default;

void TTablePictureDialog::ButtonClick() {
  if (Host().show_table) Host().show_table(table_(Project()));
}

TDlgRebar::TDlgRebar(TDialogHost host, QWidget* parent)
    : TTablePictureDialog(std::move(host), parent, SurchargePicture(),
                          QStringLiteral("&Edit Surcharge Loads"),
                          QStringLiteral("btnSurcharge"),
                          [](TProject& p) -> TGridTable& {
                            return p.Tables().SurchargeTable;
                          }) {
  setObjectName(QStringLiteral("DlgRebar"));
  setWindowTitle(QStringLiteral("Additional Surcharge"));
}

TDlgRebar::~TDlgRebar() = default;

}  // namespace kestra
