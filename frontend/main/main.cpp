// kestra: the desktop program.
#include <QApplication>
#include <QStringList>

#include "main_form.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setOrganizationName(QStringLiteral("Halcor"));
  QApplication::setApplicationName(QStringLiteral("KESTRA"));
  QApplication::setApplicationVersion(QStringLiteral("2015.5.16"));

  kestra::TMainForm form;
  form.show();
  QStringList arguments = QApplication::arguments();
  arguments.removeFirst();
  form.Start(arguments);
  return QApplication::exec();
}
