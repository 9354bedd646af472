#include "inc_dialog.h"

#include "dialog_pictures.h"
#include "input_tables.h"
#include "project.h"

namespace kestra {

TDlgTieback::TDlgTieback(TDialogHost host, QWidget* parent)
    : TTablePictureDialog(std::move(host), parent, TiebackPicture(),
                          QStringLiteral("&Enter Tieback data"),
                          QStringLiteral("btnTieback"),
                          [](TProject& p) -> TGridTable& {
                            return p.Tables().TiebackTable1;
                          }) {
  setObjectName(QStringLiteral("DlgTieback"));
  setWindowTitle(QStringLiteral("Tieback (Ground Anchor)"));
}

TDlgTieback::~TDlgTieback() = default;

}  // namespace kestra
