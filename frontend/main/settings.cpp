#include "settings.h"

#include <QSettings>
#include <QStringList>

namespace kestra {
namespace {

const QString kGroup = QStringLiteral("2015.5.16");
const QString kEditorKey = QStringLiteral("Word Processor");

QString FileKey(int n) { return QStringLiteral("File") + QString::number(n); }

}  // namespace

void TAppSettings::Read() {
  QSettings settings(QStringLiteral("Halcor"), QStringLiteral("KESTRA"));
  if (settings.status() != QSettings::NoError) {
    text_editor.clear();
    recent.Clear();
    return;
  }
  settings.beginGroup(kGroup);
  const QString editor = settings.value(kEditorKey).toString();
  if (!editor.isEmpty()) text_editor = editor;
  QStringList values;
  for (int n = 1; n <= TRecentFiles::kSize; ++n) {
    values.append(settings.value(FileKey(n)).toString());
  }
  recent.Assign(values);
}

void TAppSettings::Write() const {
  QSettings settings(QStringLiteral("Halcor"), QStringLiteral("KESTRA"));
  settings.beginGroup(kGroup);
  settings.setValue(kEditorKey, text_editor);
  for (int n = 1; n <= TRecentFiles::kSize; ++n) {
    settings.setValue(FileKey(n), recent.Slot(n - 1));
  }
  settings.endGroup();
  settings.sync();
}

}  // namespace kestra
