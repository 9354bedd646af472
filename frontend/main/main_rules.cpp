#include "main_rules.h"

#include <QDir>
#include <QFileInfo>

namespace kestra {

QString MainCaption(const QString& file_name) {
  QString name = QFileInfo(file_name).fileName();
  if (name.endsWith(QStringLiteral(".ks5d"), Qt::CaseInsensitive)) {
    name.truncate(name.indexOf(QLatin1Char('.')));
  }
  if (!name.isEmpty()) name[0] = name[0].toUpper();
  return QStringLiteral("KESTRA 2015.5.16 - ") + name;
}

void TRecentFiles::PutOnTop(const QString& path) {
  const qsizetype at = entries_.indexOf(path);
  if (at == 0) return;
  if (at > 0) entries_.removeAt(at);
  entries_.prepend(path);
  while (entries_.size() > kSize) entries_.removeLast();
}

void TRecentFiles::Assign(const QStringList& values) {
  entries_.clear();
  for (const QString& path : values) {
    if (!path.isEmpty() && Count() < kSize) entries_.append(path);
  }
}

QString TRecentFiles::MenuText(int n, const QString& path,
                               const QString& current_dir) {
  QString shown = path;
  const QString prefix = QDir::cleanPath(current_dir) + QLatin1Char('/');
  if (shown.startsWith(prefix)) shown.remove(0, prefix.size());
  // A literal "&" in a path must not become a mnemonic.
  shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
  return QString::number(n + 1) + QLatin1Char(' ') + shown;
}

QString CommandLineFile(const QString& argument) {
  if (QFileInfo(argument).fileName().contains(QLatin1Char('.'))) {
    return argument;
  }
  return argument + QStringLiteral(".ks4d");
}

}  // namespace kestra
