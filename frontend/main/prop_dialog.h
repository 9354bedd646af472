// "Wall Properties": increments, increment length, free height and the
// iteration's deflection limits; the wall stiffness table opens from here.
#pragma once

#include <memory>

#include "input_dialog.h"

class QLabel;
class QPushButton;

namespace kestra {

class TDlgProp : public TInputDialog {
  Q_OBJECT

 public:
  explicit TDlgProp(TDialogHost host, QWidget* parent = nullptr);
  ~TDlgProp() override;

  TDataEdit* deNI() const { return ni_.edit.get(); }
  TDataEdit* deXGS() const { return xgs_.edit.get(); }
  TDataEdit* DeFH() const { return fh_.edit.get(); }
  TDataEdit* deXLN() const { return xln_.edit.get(); }
  TDataEdit* deSlope() const { return slope_.edit.get(); }
  QPushButton* btnSect() const { return btn_sect_.get(); }

  void btnSectClick();

 private:
  TFieldRow ni_;
  std::unique_ptr<QLabel> stiffness_label_;
  std::unique_ptr<QPushButton> btn_sect_;
  TFieldRow xgs_;
  TFieldRow fh_;
  TFieldRow xln_;
  std::unique_ptr<QLabel> xln_hint_;
  TFieldRow slope_;
};

}  // namespace kestra
