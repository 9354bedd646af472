// "Concentrated Loads": a picture, the switch that applies the loads and
// the button that opens their table.
#pragma once

#include "spring_dialog.h"

namespace kestra {

class TDlgConLoads : public TApplyTableDialog {
  Q_OBJECT

 public:
  explicit TDlgConLoads(TDialogHost host, QWidget* parent = nullptr);
  ~TDlgConLoads() override;

  QCheckBox* ChkConLoads() const { return CheckBox(); }
  QPushButton* btnConLoads() const { return Button(); }
};

}  // namespace kestra
