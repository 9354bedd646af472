#include "page_setup_dialog.h"

#include <QGuiApplication>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSetupDialog>
#include <QPrinter>
#include <QScreen>
#include <QWidget>
#include <algorithm>
#include <cmath>
#include <string>

#include "info_box_widget.h"

namespace kestra {
namespace {

constexpr double kThousandths = 1000.0;

int ToThousandths(double inches) {
  return static_cast<int>(std::lround(inches * kThousandths));
}

void ShowError(QWidget* parent, const char* routine, const std::string& reason) {
  ShowInformation(parent, std::string("Error in ") + routine + "\r" + reason);
}

}  // namespace

int TPageSetupDialog::PaperLength() const { return paper_length_; }
int TPageSetupDialog::PaperWidth() const { return paper_width_; }

void TPageSetupDialog::ApplyTo(QPrinter& printer) const {
  // A margin never goes below its minimum nor below zero.
  const auto inches = [](int margin, int minimum) {
    return std::max({margin, minimum, 0}) / kThousandths;
  };
  QPageLayout layout = printer.pageLayout();
  layout.setUnits(QPageLayout::Inch);
  const QMarginsF minimum(
      std::max(MinMarginLeft, 0) / kThousandths, std::max(MinMarginTop, 0) / kThousandths,
      std::max(MinMarginRight, 0) / kThousandths,
      std::max(MinMarginBottom, 0) / kThousandths);
  const QMarginsF margins(inches(MarginLeft, MinMarginLeft), inches(MarginTop, MinMarginTop),
                          inches(MarginRight, MinMarginRight),
                          inches(MarginBottom, MinMarginBottom));
  // The printer's own unprintable border wins over smaller margins.
  layout.setMode(QPageLayout::StandardMode);
  const QMarginsF device = layout.minimumMargins();
  layout.setMinimumMargins(QMarginsF(
      std::max(device.left(), minimum.left()), std::max(device.top(), minimum.top()),
      std::max(device.right(), minimum.right()),
      std::max(device.bottom(), minimum.bottom())));
  const QMarginsF floor = layout.minimumMargins();
  layout.setMargins(QMarginsF(
      std::max(margins.left(), floor.left()), std::max(margins.top(), floor.top()),
      std::max(margins.right(), floor.right()),
      std::max(margins.bottom(), floor.bottom())));
  printer.setPageLayout(layout);
}

bool TPageSetupDialog::Execute(QWidget* parent, QPrinter& printer) {
  static constexpr const char* kRoutine = "TPageSetupDialog.Execute";
  if (!printer.isValid()) {
    ShowError(parent, kRoutine, "Printer not Assigned");
    return false;
  }
  ApplyTo(printer);
  if (printer.pageLayout().pageSize().isValid() == false) {
    ShowError(parent, kRoutine,
              "Error getting Printer\r" + printer.printerName().toStdString() +
                  ": no paper size");
    return false;
  }

  QPageSetupDialog dialog(&printer, parent);
  // Centred across the screen, a third of the free height down.
  dialog.adjustSize();
  const QScreen* screen =
      parent ? parent->screen() : QGuiApplication::primaryScreen();
  if (screen) {
    const QRect area = screen->availableGeometry();
    const QSize size = dialog.frameGeometry().size();
    dialog.move(area.left() + (area.width() - size.width()) / 2,
                area.top() + std::max(0, (area.height() - size.height()) / 3));
  }
  if (dialog.exec() != QDialog::Accepted) return false;

  const QPageLayout layout = printer.pageLayout();
  const QMarginsF margins = layout.margins(QPageLayout::Inch);
  MarginLeft = ToThousandths(margins.left());
  MarginTop = ToThousandths(margins.top());
  MarginRight = ToThousandths(margins.right());
  MarginBottom = ToThousandths(margins.bottom());
  const QRectF paper = layout.fullRect(QPageLayout::Inch);
  paper_width_ = ToThousandths(paper.width());
  paper_length_ = ToThousandths(paper.height());
  return true;
}

}  // namespace kestra
