// The information box (one OK button) in which entry problems are shown.
// The call goes through a replaceable function so that tests can record the
// messages instead of opening a modal dialog.
#pragma once

#include <functional>
#include <string>

class QWidget;

namespace kestra {

using InformationSink =
    std::function<void(QWidget* parent, const std::string& message)>;

// Shows `message` (carriage returns become line breaks) in an information
// box, or hands it to the installed sink.
void ShowInformation(QWidget* parent, const std::string& message);

// Installs `sink` for the lifetime of this object; the previous one returns
// afterwards.
class ScopedInformationSink {
 public:
  explicit ScopedInformationSink(InformationSink sink);
  ~ScopedInformationSink();
  ScopedInformationSink(const ScopedInformationSink&) = delete;
  ScopedInformationSink& operator=(const ScopedInformationSink&) = delete;

 private:
  InformationSink previous_;
};

}  // namespace kestra
