// "Wall Configuration": free height, the widths for active pressure and
// for p-y resistance, the water tables, the active-pressure factor, the
// backfill slope and the uniform surcharge.
#pragma once

#include <memory>
#include <vector>

#include "input_dialog.h"

class QGroupBox;
class QLabel;

namespace kestra {

class TdlgCSD : public TInputDialog {
  Q_OBJECT

 public:
  explicit TdlgCSD(TDialogHost host, QWidget* parent = nullptr);
  ~TdlgCSD() override;

  TDataEdit* deHL() const { return hl_.edit.get(); }
  TDataEdit* deWidth() const { return width_.edit.get(); }
  TDataEdit* deHW() const { return hw_.edit.get(); }
  TDataEdit* dePYW() const { return pyw_.edit.get(); }
  TDataEdit* DeHW2() const { return hw2_.edit.get(); }
  TDataEdit* deGw() const { return gw_.edit.get(); }
  TDataEdit* beta() const { return beta_.edit.get(); }
  TDataEdit* deSP() const { return sp_.edit.get(); }

 private:
  // Containers before their contents: the contents go first.
  std::unique_ptr<QGroupBox> group_;
  std::unique_ptr<QLabel> section_picture_;
  std::unique_ptr<QLabel> plan_picture_;
  std::vector<std::unique_ptr<QLabel>> notes_;
  TFieldRow hl_, width_, hw_, pyw_, hw2_, gw_, beta_, sp_;
};

}  // namespace kestra
