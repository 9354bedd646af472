#include "prop_dialog.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include "data_edit_widget.h"
#include "input_tables.h"
#include "program_data.h"
#include "project.h"

namespace kestra {

TDlgProp::TDlgProp(TDialogHost host, QWidget* parent)
    : TInputDialog(std::move(host), parent) {
  setObjectName(QStringLiteral("DlgProp"));
  setWindowTitle(QStringLiteral("Wall Properties"));
  auto* grid = new QGridLayout(this);
  int row = 0;
  const auto add = [&](TFieldRow& field) {
    grid->addWidget(field.label.get(), row, 0);
    grid->addWidget(field.edit.get(), row, 1);
    ++row;
  };

  MakeField(ni_, this, "deNI", "&Increments (nodes)", "");
  ni_.edit->SetIntegerOnly(true);
  ni_.edit->SetMinVal(1);
  ni_.edit->SetMaxVal(300);
  add(ni_);

  stiffness_label_ =
      std::make_unique<QLabel>(QStringLiteral("Wall Stiffness (EI)"), this);
  btn_sect_ = std::make_unique<QPushButton>(
      QStringLiteral("Enter Section Data"), this);
  btn_sect_->setObjectName(QStringLiteral("btnSect"));
  connect(btn_sect_.get(), &QPushButton::clicked, this, &TDlgProp::btnSectClick);
  grid->addWidget(stiffness_label_.get(), row, 0);
  grid->addWidget(btn_sect_.get(), row, 1);
  ++row;

  MakeField(xgs_, this, "deXGS", "Increment Length", "L");
  add(xgs_);
  MakeField(fh_, this, "DeFH", "Free Height of Wall", "L2");
  add(fh_);
  MakeField(xln_, this, "deXLN",
            "Maximum Allowable Deflection for computation iteration", "L");
  add(xln_);
  xln_hint_ = std::make_unique<QLabel>(
      QStringLiteral("(Approx.10% of the wall height)  "), this);
  grid->addWidget(xln_hint_.get(), row++, 0);
  MakeField(slope_, this, "deSlope", "Deflection Closure Tolerance", "L");
  add(slope_);
  grid->setRowStretch(row, 1);

  Bind(*ni_.edit, [this] { return Extended(Data().IncrementCount); },
       [this](Extended v) { Data().IncrementCount = static_cast<int>(v); });
  Bind(*xgs_.edit, [this] { return Data().IncrementLength; },
       [this](Extended v) { Data().IncrementLength = v; });
  Bind(*fh_.edit, [this] { return ShownDepth(Data().FreeHeight, Data().Units); },
       [this](Extended v) { Data().FreeHeight = StoredDepth(v, Data().Units); });
  Bind(*xln_.edit, [this] { return Data().MaxDeflection; },
       [this](Extended v) { Data().MaxDeflection = v; });
  Bind(*slope_.edit, [this] { return Data().ClosureTolerance; },
       [this](Extended v) { Data().ClosureTolerance = v; });
}

TDlgProp::~TDlgProp() = default;

void TDlgProp::btnSectClick() {
  if (Host().show_table) Host().show_table(Project().Tables().PileSect);
}

}  // namespace kestra
