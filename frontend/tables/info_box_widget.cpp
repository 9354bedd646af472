#include "info_box_widget.h"

#include <QMessageBox>
#include <QString>
#include <utility>

namespace kestra {
namespace {

void ShowMessageBox(QWidget* parent, const std::string& message) {
  QString text = QString::fromStdString(message);
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  QMessageBox::information(parent, QStringLiteral("Information"), text,
                           QMessageBox::Ok);
}

InformationSink& CurrentSink() {
  static InformationSink sink = ShowMessageBox;
  return sink;
}

}  // namespace

void ShowInformation(QWidget* parent, const std::string& message) {
  // A copy: the sink may replace itself while it runs.
  InformationSink sink = CurrentSink();
  if (sink) sink(parent, message);
}

ScopedInformationSink::ScopedInformationSink(InformationSink sink)
    : previous_(std::exchange(CurrentSink(), std::move(sink))) {}

ScopedInformationSink::~ScopedInformationSink() {
  CurrentSink() = std::move(previous_);
}

}  // namespace kestra
