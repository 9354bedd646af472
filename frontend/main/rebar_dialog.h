// "Additional Surcharge": a picture of the surcharge loads and the button
// that opens their table. It stores nothing itself.
#pragma once

#include <QPixmap>
#include <QString>
#include <functional>
#include <memory>

#include "input_dialog.h"

class QLabel;
class QPushButton;

namespace kestra {

// A picture and one button that opens a table; shared with the tieback
// dialog.
class TTablePictureDialog : public TInputDialog {
  Q_OBJECT

 public:
  TTablePictureDialog(TDialogHost host, QWidget* parent,
                      const QPixmap& picture, const QString& button_caption,
                      const QString& button_name,
                      std::function<TGridTable&(TProject&)> table);
  ~TTablePictureDialog() override;

  QPushButton* Button() const { return button_.get(); }
  QLabel* Picture() const { return picture_.get(); }
  void ButtonClick();

 private:
  std::unique_ptr<QLabel> picture_;
  std::unique_ptr<QPushButton> button_;
  std::function<TGridTable&(TProject&)> table_;
};

class TDlgRebar : public TTablePictureDialog {
  Q_OBJECT

 public:
  explicit TDlgRebar(TDialogHost host, QWidget* parent = nullptr);
  ~TDlgRebar() override;
};

}  // namespace kestra
