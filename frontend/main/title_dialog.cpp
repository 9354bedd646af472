#include "title_dialog.h"

#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "program_data.h"
#include "project.h"

namespace kestra {
namespace {

QString OneLine(QString text) {
  text.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
  text.replace(QLatin1Char('\r'), QLatin1Char(' '));
  text.replace(QLatin1Char('\n'), QLatin1Char(' '));
  return text;
}

}  // namespace

TdlgTitle::TdlgTitle(TDialogHost host, QWidget* parent)
    : TInputDialog(std::move(host), parent),
      label_(std::make_unique<QLabel>(
          QStringLiteral("Enter text line for project description:"), this)),
      title_memo_(std::make_unique<QLineEdit>(this)) {
  setObjectName(QStringLiteral("dlgTitle"));
  setWindowTitle(QStringLiteral("Project Title"));
  title_memo_->setObjectName(QStringLiteral("TitleMemo"));
  title_memo_->setMaxLength(kMaxLength);
  title_memo_->setMinimumWidth(title_memo_->fontMetrics().horizontalAdvance(
                                   QString(kMaxLength, QLatin1Char('M'))) /
                               2);
  label_->setBuddy(title_memo_.get());
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(label_.get());
  layout->addWidget(title_memo_.get());
  layout->addStretch();
}

TdlgTitle::~TdlgTitle() = default;

void TdlgTitle::LoadValues() {
  loaded_ = OneLine(QString::fromStdString(Data().Title)).left(kMaxLength);
  title_memo_->setText(loaded_);
}

void TdlgTitle::StoreValues() {
  const QString text = OneLine(title_memo_->text());
  if (text == loaded_) return;
  const std::string title = text.toStdString();
  if (title != Data().Title) {
    Data().Title = title;
    Project().SetModified(true);
  }
  loaded_ = text;
}

}  // namespace kestra
