// Rules of the main window that need no window: the caption, the recent
// file list and how its entries are shown, the command-line file name.
#pragma once

#include <QString>
#include <QStringList>

namespace kestra {

// "KESTRA 2015.5.16 - " and the file name without its folder, first letter
// upper case; a ".ks5d" name loses everything from its first ".".
QString MainCaption(const QString& file_name);

// The ten most recent files, most recent first.
class TRecentFiles {
 public:
  static constexpr int kSize = 10;

  // Moves or inserts `path` at the top; the eleventh entry drops out.
  void PutOnTop(const QString& path);
  // Slots 1..10 as stored; empty values are skipped.
  void Assign(const QStringList& values);
  void Clear() { entries_.clear(); }
  int Count() const { return static_cast<int>(entries_.size()); }
  const QStringList& Entries() const { return entries_; }
  // Slot n (0-based) or an empty string, for writing all ten values.
  QString Slot(int n) const { return n < Count() ? entries_[n] : QString(); }

  // The menu text of entry n (0-based): its number, a space and the path,
  // shown relative to `current_dir` when it lies inside it.
  static QString MenuText(int n, const QString& path,
                          const QString& current_dir);

 private:
  QStringList entries_;
};

// The file a command-line argument names: a name without "." gets ".ks4d".
QString CommandLineFile(const QString& argument);

}  // namespace kestra
