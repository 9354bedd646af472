// Shared helpers of the widget tests: messages are recorded instead of
// shown in a modal box.
#pragma once

#include <QApplication>
#include <QDir>
#include <QSettings>
#include <QString>
#include <QTemporaryDir>
#include <QCoreApplication>
#include <QEvent>
#include <string>
#include <vector>

#include "info_box_widget.h"

namespace kestra::testing {

class RecordedMessages {
 public:
  RecordedMessages()
      : sink_([this](QWidget*, const std::string& m) { messages.push_back(m); }) {}

  std::vector<std::string> messages;

 private:
  ScopedInformationSink sink_;
};

// Runs posted events, deferred deletions included.
inline void ProcessEvents() {
  QCoreApplication::processEvents();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  QCoreApplication::processEvents();
}

// Gives a test its own settings store and working folder inside `dir`;
// returns the working folder to restore afterwards.
inline QString UseScratchFolder(const QTemporaryDir& dir) {
  const QString previous = QDir::currentPath();
  const QString settings = dir.filePath(QStringLiteral("settings"));
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings);
  QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings);
  QDir::setCurrent(dir.path());
  return previous;
}

}  // namespace kestra::testing
