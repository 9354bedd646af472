#include "export_dialog.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFile>
#include <QFileDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>
#include <string>

#include "busy_cursor.h"
#include "excel_export.h"
#include "info_box_widget.h"
#include "plot_data.h"

namespace kestra {

TDlgExport::TDlgExport(QWidget* parent)
    : QDialog(parent),
      label1_(std::make_unique<QLabel>(
          QStringLiteral("An Excel instance (if available) will open. "), this)),
      label2_(std::make_unique<QLabel>(
          QStringLiteral("Please wait until all the data has been exported to Excel."),
          this)),
      label3_(std::make_unique<QLabel>(
          QStringLiteral("Please note that you need to save the excel file afterwards."),
          this)),
      group_(std::make_unique<QGroupBox>(QStringLiteral("Available Plots"), this)),
      list_(std::make_unique<QListWidget>(group_.get())),
      select_all_(std::make_unique<QPushButton>(QStringLiteral("Select All"), group_.get())),
      unselect_all_(
          std::make_unique<QPushButton>(QStringLiteral("Unselect All"), group_.get())),
      generate_(std::make_unique<QPushButton>(QStringLiteral("Generate Excel File"), this)),
      close_(std::make_unique<QPushButton>(QStringLiteral("Close Window"), this)) {
  setObjectName(QStringLiteral("DlgExport"));
  setWindowTitle(QStringLiteral("Export to Excel"));
  label1_->setObjectName(QStringLiteral("Label1"));
  label2_->setObjectName(QStringLiteral("Label2"));
  label3_->setObjectName(QStringLiteral("Label3"));
  group_->setObjectName(QStringLiteral("GroupBox1"));
  list_->setObjectName(QStringLiteral("CheckListBoxPlots"));
  select_all_->setObjectName(QStringLiteral("Button1"));
  unselect_all_->setObjectName(QStringLiteral("Button2"));
  generate_->setObjectName(QStringLiteral("Button3"));
  close_->setObjectName(QStringLiteral("Button4"));
  generate_->setDefault(true);

  auto* group_layout = new QHBoxLayout(group_.get());
  group_layout->addWidget(list_.get(), 1);
  auto* group_buttons = new QVBoxLayout;
  group_buttons->addWidget(select_all_.get());
  group_buttons->addWidget(unselect_all_.get());
  group_buttons->addStretch();
  group_layout->addLayout(group_buttons);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(generate_.get());
  buttons->addWidget(close_.get());

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(label1_.get());
  layout->addWidget(label2_.get());
  layout->addWidget(label3_.get());
  layout->addWidget(group_.get(), 1);
  layout->addLayout(buttons);

  connect(list_.get(), &QListWidget::itemChanged, this, [this] { UpdateGenerate(); });
  connect(select_all_.get(), &QPushButton::clicked, this, &TDlgExport::Button1Click);
  connect(unselect_all_.get(), &QPushButton::clicked, this, &TDlgExport::Button2Click);
  connect(generate_.get(), &QPushButton::clicked, this, &TDlgExport::Button3Click);
  connect(close_.get(), &QPushButton::clicked, this, &QDialog::reject);

  ChooseFileName = [this] {
    QFileDialog dialog(this, QStringLiteral("Export to Excel"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilter(QStringLiteral("Excel Workbook (*.xlsx)"));
    dialog.setDefaultSuffix(QStringLiteral("xlsx"));
    return dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()
               ? dialog.selectedFiles().constFirst()
               : QString();
  };
  OpenFile = [](const QString& path) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
  };
  UpdateGenerate();
}

TDlgExport::~TDlgExport() = default;

void TDlgExport::FormActivate(std::vector<TExportPlot> plots) {
  plots_ = std::move(plots);
  const QSignalBlocker quiet(list_.get());
  list_->clear();
  for (const TExportPlot& plot : plots_) {
    auto* item = new QListWidgetItem(
        plot.Graph ? QString::fromStdString(plot.Graph->Caption) : QString(), list_.get());
    const bool usable = plot.Enabled && plot.Graph;
    item->setFlags(usable ? Qt::ItemIsEnabled | Qt::ItemIsUserCheckable
                          : Qt::ItemIsUserCheckable);
    item->setCheckState(usable ? Qt::Checked : Qt::Unchecked);
  }
  UpdateGenerate();
}

void TDlgExport::Button1Click() { SetAllChecked(true); }

void TDlgExport::Button2Click() { SetAllChecked(false); }

// Disabled entries keep their state: their graphs have nothing to export.
void TDlgExport::SetAllChecked(bool checked) {
  {
    const QSignalBlocker quiet(list_.get());
    for (int i = 0; i < list_->count(); ++i) {
      QListWidgetItem* item = list_->item(i);
      if (item->flags() & Qt::ItemIsEnabled) {
        item->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
      }
    }
  }
  UpdateGenerate();
}

void TDlgExport::UpdateGenerate() { generate_->setEnabled(!CheckedGraphs().empty()); }

std::vector<const TGraphPlot*> TDlgExport::CheckedGraphs() const {
  std::vector<const TGraphPlot*> graphs;
  for (int i = 0; i < list_->count() && i < static_cast<int>(plots_.size()); ++i) {
    const QListWidgetItem* item = list_->item(i);
    if ((item->flags() & Qt::ItemIsEnabled) && item->checkState() == Qt::Checked) {
      graphs.push_back(plots_[static_cast<size_t>(i)].Graph);
    }
  }
  return graphs;
}

void TDlgExport::Button3Click() {
  const std::vector<const TGraphPlot*> graphs = CheckedGraphs();
  if (graphs.empty() || !ChooseFileName) return;
  const QString path = ChooseFileName();
  if (path.isEmpty()) return;
  std::string error;
  bool written = false;
  {
    const BusyCursor busy;
    written = ExportGraphsToExcel(graphs, QFile::encodeName(path).toStdString(), &error);
  }
  if (!written) {
    ShowInformation(this, "The Excel file could not be written.\n" + error);
    return;
  }
  if (OpenFile) OpenFile(path);
  ShowInformation(this,
                  "Export to Excel Completed\nPlease note that you need to save the excel file");
}

}  // namespace kestra
