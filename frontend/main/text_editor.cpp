#include "text_editor.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QVBoxLayout>
#include <utility>

namespace kestra {

QString DefaultTextEditor() {
  // The desktop's default application for the file's type: the outputs are
  // plain text, which xdg-open hands to the user's text editor.
  const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
  if (!opener.isEmpty()) return opener;
  // Without xdg-utils, the first graphical editor found.
  for (const char* name :
       {"gnome-text-editor", "gedit", "kate", "kwrite", "mousepad", "xed",
        "pluma", "featherpad", "leafpad"}) {
    const QString found =
        QStandardPaths::findExecutable(QString::fromLatin1(name));
    if (!found.isEmpty()) return found;
  }
  return QStringLiteral("xdg-open");
}

bool StartTextEditor(const QString& editor, const QString& file) {
  QString program = editor.trimmed();
  QStringList arguments;
  const bool is_program = QFileInfo(program).isExecutable() ||
                          !QStandardPaths::findExecutable(program).isEmpty();
  if (!is_program && program.contains(QLatin1Char(' '))) {
    arguments = QProcess::splitCommand(program);
    if (!arguments.isEmpty()) program = arguments.takeFirst();
  }
  if (program.isEmpty()) return false;
  arguments.append(file);
  return QProcess::startDetached(program, arguments);
}

TDlgOptions::TDlgOptions(Getter get, Setter set, QWidget* parent)
    : QWidget(parent), get_(std::move(get)), set_(std::move(set)) {
  setObjectName(QStringLiteral("TDlgOptions"));
  setWindowTitle(QStringLiteral("Control Options"));
  auto* label = new QLabel(QStringLiteral("&Text Editor:"), this);
  edit_ = new QLineEdit(this);
  edit_->setObjectName(QStringLiteral("EdtWord"));
  edit_->setMinimumWidth(320);
  label->setBuddy(edit_);
  auto* browse = new QPushButton(QStringLiteral("&Browse..."), this);
  browse->setObjectName(QStringLiteral("btnBrowse"));

  auto* row = new QHBoxLayout;
  row->addWidget(edit_, 1);
  row->addWidget(browse);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(label);
  layout->addLayout(row);
  layout->addStretch(1);

  connect(browse, &QPushButton::clicked, this, &TDlgOptions::BrowseClick);
  connect(edit_, &QLineEdit::textChanged, this,
          [this](const QString& text) { set_(text); });
  Activate();
}

void TDlgOptions::Activate() {
  const QSignalBlocker quiet(edit_);
  edit_->setText(get_());
}

void TDlgOptions::BrowseClick() {
  QFileDialog dialog(this, QStringLiteral("Text Editor"),
                     QFileInfo(edit_->text()).path(),
                     QStringLiteral("All Files (*)"));
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setOption(QFileDialog::ReadOnly, false);
  dialog.selectFile(edit_->text());
  if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
    edit_->setText(dialog.selectedFiles().constFirst());
  }
}

}  // namespace kestra
