// The external text editor in which the input, the run notes and the
// report are shown, and the dialog that sets it.
#pragma once

#include <QString>
#include <QWidget>
#include <functional>

class QLineEdit;

namespace kestra {

// A graphical text editor found on the PATH, else "xdg-open": a terminal
// editor ($EDITOR) cannot be started without a terminal, and the desktop
// does not know the program's extensions as text.
QString DefaultTextEditor();

// Starts `editor` with `file` as one argument, without waiting. An editor
// setting that is no program but a command with options ("kate -n") is
// split into program and options. False when it cannot be started.
bool StartTextEditor(const QString& editor, const QString& file);

// "Control Options": the editor path in `EdtWord` with a "&Browse..."
// button. Every change of the field becomes the editor path at once.
class TDlgOptions : public QWidget {
  Q_OBJECT

 public:
  using Getter = std::function<QString()>;
  using Setter = std::function<void(const QString&)>;
  TDlgOptions(Getter get, Setter set, QWidget* parent = nullptr);

  // Loads the field from the current setting.
  void Activate();
  QLineEdit* EdtWord() const { return edit_; }

 private:
  void BrowseClick();

  Getter get_;
  Setter set_;
  QLineEdit* edit_;
};

}  // namespace kestra
