// "Lateral & Rotational Springs": a picture, the switch that applies the
// springs and the button that opens their table.
#pragma once

#include <QPixmap>
#include <QString>
#include <memory>

#include "input_dialog.h"
#include "program_data.h"

class QCheckBox;
class QLabel;
class QPushButton;

namespace kestra {

// A picture, an Apply switch and the button of the switch's table; shared
// with the concentrated-loads dialog. The button is enabled while the box
// is ticked; clearing the box closes the table's window.
class TApplyTableDialog : public TInputDialog {
  Q_OBJECT

 public:
  struct Names {
    const char* check_name;
    const char* check_caption;
    const char* button_name;
    const char* button_caption;
  };

  TApplyTableDialog(TDialogHost host, QWidget* parent, const QPixmap& picture,
                    ApplySwitch which, const Names& names);
  ~TApplyTableDialog() override;

  QCheckBox* CheckBox() const { return check_.get(); }
  QPushButton* Button() const { return button_.get(); }
  QLabel* Picture() const { return picture_.get(); }

  void CheckClick();
  void ButtonClick();

 protected:
  void LoadValues() override;
  void StoreValues() override;

 private:
  std::unique_ptr<QLabel> picture_;
  std::unique_ptr<QCheckBox> check_;
  std::unique_ptr<QPushButton> button_;
  ApplySwitch which_;
};

class TDlgSpring : public TApplyTableDialog {
  Q_OBJECT

 public:
  explicit TDlgSpring(TDialogHost host, QWidget* parent = nullptr);
  ~TDlgSpring() override;

  QCheckBox* ChkSpring() const { return CheckBox(); }
  QPushButton* btnSpring() const { return Button(); }
};

}  // namespace kestra
