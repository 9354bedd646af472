#include "conloads_dialog.h"

#include "dialog_pictures.h"

namespace kestra {

TDlgConLoads::TDlgConLoads(TDialogHost host, QWidget* parent)
    : TApplyTableDialog(std::move(host), parent, ConcentratedLoadPicture(),
                        ApplySwitch::kConcentratedLoads,
                        {"ChkConLoads", "Apply &Concentrated Loads",
                         "btnConLoads", "&Edit Concentrated Loads"}) {
  setObjectName(QStringLiteral("DlgConLoads"));
  setWindowTitle(QStringLiteral("Concentrated Loads"));
}

TDlgConLoads::~TDlgConLoads() = default;

}  // namespace kestra
