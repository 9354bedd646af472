// Shared helpers of the widget tests: messages are recorded instead of
// shown in a modal box.
#pragma once

#include <QApplication>
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

}  // namespace kestra::testing
