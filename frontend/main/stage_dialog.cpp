#include "stage_dialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>
#include <cmath>

#include "data_edit_widget.h"
#include "info_box_widget.h"
#include "program_data.h"
#include "project.h"
#include "stage_files.h"
#include "word_reader.h"

namespace kestra {
namespace {

constexpr char kExplanation[] =
    "In a staged-construction analysis the same wall is analysed at two to "
    "five successive stages of construction, one after the other.\n\n"
    "Each stage is entered in the usual windows; choose the stage to edit "
    "from the Stage Construction menu or the stage buttons. A new stage "
    "starts as a copy of the stage before it. Every stage is kept in its "
    "own stage file beside the input data file (extension .st1 to .st5), "
    "and the input data file is put together from them when the project is "
    "saved.\n\n"
    "Reducing the number of stages deletes the files of the stages "
    "removed; clearing the box below deletes all stage files.";

}  // namespace

TDlgStaged::TDlgStaged(TProject& project, QWidget* parent)
    : QDialog(parent),
      project_(project),
      explanation_(std::make_unique<QPlainTextEdit>(this)),
      stage_analysis_(std::make_unique<QCheckBox>(
          QStringLiteral("Conduct &Staged-Construction Analysis"), this)),
      stage_label_(std::make_unique<QLabel>(this)),
      stage_(std::make_unique<TDataEdit>(this)),
      up_(std::make_unique<QToolButton>(this)),
      down_(std::make_unique<QToolButton>(this)),
      ok_(std::make_unique<QPushButton>(QStringLiteral("OK"), this)),
      cancel_(std::make_unique<QPushButton>(QStringLiteral("Cancel"), this)) {
  setObjectName(QStringLiteral("DlgStaged"));
  setWindowTitle(QStringLiteral("Staged Construction Options"));
  explanation_->setObjectName(QStringLiteral("memExplanation"));
  explanation_->setReadOnly(true);
  explanation_->setPlainText(QString::fromLatin1(kExplanation));
  explanation_->setFocusPolicy(Qt::NoFocus);
  stage_analysis_->setObjectName(QStringLiteral("StageAnalysis"));
  stage_->setObjectName(QStringLiteral("deStage"));
  stage_->SetCaption("Enter the total number of stages (Max. = 5, Min =2)");
  stage_->SetIntegerOnly(true);
  stage_->SetMinVal(1);
  stage_->SetMaxVal(kMaxStages);
  stage_->SetEditLabel(stage_label_.get());
  stage_->setMaximumWidth(stage_->fontMetrics().horizontalAdvance(
                              QStringLiteral("00000")) + 16);
  up_->setObjectName(QStringLiteral("udStageUp"));
  up_->setArrowType(Qt::UpArrow);
  down_->setObjectName(QStringLiteral("udStageDown"));
  down_->setArrowType(Qt::DownArrow);
  for (QToolButton* arrow : {up_.get(), down_.get()}) {
    arrow->setFocusPolicy(Qt::NoFocus);
    arrow->setFixedSize(16, 11);
  }
  ok_->setObjectName(QStringLiteral("btnOK"));
  ok_->setDefault(true);
  cancel_->setObjectName(QStringLiteral("btnCancel"));

  connect(stage_analysis_.get(), &QCheckBox::clicked, this,
          &TDlgStaged::StageAnalysisClick);
  connect(up_.get(), &QToolButton::clicked, this, &TDlgStaged::UpClick);
  connect(down_.get(), &QToolButton::clicked, this, &TDlgStaged::DownClick);
  connect(ok_.get(), &QPushButton::clicked, this, &TDlgStaged::OKClick);
  connect(cancel_.get(), &QPushButton::clicked, this, &QDialog::reject);

  auto* arrows = new QVBoxLayout;
  arrows->setSpacing(0);
  arrows->addWidget(up_.get());
  arrows->addWidget(down_.get());
  auto* count = new QHBoxLayout;
  count->addWidget(stage_label_.get());
  count->addWidget(stage_.get());
  count->addLayout(arrows);
  count->addStretch();
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok_.get());
  buttons->addWidget(cancel_.get());
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(explanation_.get());
  layout->addWidget(stage_analysis_.get());
  layout->addLayout(count);
  layout->addLayout(buttons);
  resize(440, 340);
}

TDlgStaged::~TDlgStaged() = default;

void TDlgStaged::showEvent(QShowEvent* event) {
  FormActivate();
  QDialog::showEvent(event);
}

void TDlgStaged::FormActivate() {
  const int count = project_.Data().StageCount;
  stage_->SetNumber(count);
  const bool staged = count > 1;
  stage_analysis_->setChecked(staged);
  EnableCount(staged);
}

void TDlgStaged::EnableCount(bool on) {
  stage_->setEnabled(on);
  up_->setEnabled(on);
  down_->setEnabled(on);
}

void TDlgStaged::StageAnalysisClick() {
  if (stage_analysis_->isChecked()) {
    // An unreadable entry counts as 1: a staged project has at least two.
    bool one = true;
    if (stage_->CheckEntry()) one = stage_->Number() <= 1;
    if (one) stage_->SetNumber(kMinStaged);
    EnableCount(true);
  } else {
    stage_->SetNumber(1);
    EnableCount(false);
  }
}

void TDlgStaged::UpClick() {
  if (!stage_->CheckEntry()) return;
  const Extended value = stage_->Number();
  if (value < kMaxStages) stage_->SetNumber(value + 1);
}

void TDlgStaged::DownClick() {
  if (!stage_->CheckEntry()) return;
  const Extended value = stage_->Number();
  if (value > kMinStaged) stage_->SetNumber(value - 1);
}

void TDlgStaged::OKClick() {
  if (!stage_->CheckEntry()) return;
  const int count = static_cast<int>(std::lround(stage_->Number()));
  std::string message;
  try {
    message = project_.SetStageCount(count);
  } catch (const EInOutError& e) {
    // The command ends; what was done so far stays, as the window shows.
    message = e.what();
  }
  if (StagesChanged) StagesChanged();
  if (!message.empty()) ShowInformation(this, message);
  accept();
}

}  // namespace kestra
