// "Tieback (Ground Anchor)": a picture of a tieback and the button that
// opens the tieback table. It stores nothing itself.
#pragma once

#include "rebar_dialog.h"

namespace kestra {

class TDlgTieback : public TTablePictureDialog {
  Q_OBJECT

 public:
  explicit TDlgTieback(TDialogHost host, QWidget* parent = nullptr);
  ~TDlgTieback() override;
};

}  // namespace kestra
