// The per-user settings of the program: the text editor and the recent
// files, kept by QSettings under Halcor/KESTRA, group "2015.5.16".
#pragma once

#include <QString>

#include "main_rules.h"

namespace kestra {

struct TAppSettings {
  QString text_editor;  // "Word Processor"
  TRecentFiles recent;  // "File1" .. "File10"

  // A store that cannot be read clears both.
  void Read();
  // Failures are ignored: the settings are a convenience.
  void Write() const;
};

}  // namespace kestra
