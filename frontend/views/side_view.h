// TDlgSideView: the wall geometry side view. A child window of the main
// window's frame that draws the current input as a section through the
// wall, reads the mouse out as a depth in its caption and prints the same
// drawing. The drawing itself is built without Qt (side_view_geometry.h).
#pragma once

#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>

#include "side_view_geometry.h"

class QLabel;
class QPainter;
class QPrinter;
class QPushButton;

namespace kestra {

class TProgramData;

class TDlgSideView : public QWidget {
  Q_OBJECT

 public:
  // `data` gives the open project each time it is needed: File New and
  // File Open replace it.
  explicit TDlgSideView(std::function<const TProgramData&()> data,
                        QWidget* parent = nullptr);
  ~TDlgSideView() override;
  TDlgSideView(const TDlgSideView&) = delete;
  TDlgSideView& operator=(const TDlgSideView&) = delete;

  // Activation: the wall geometry from the project, then the fit.
  void FormActivate();
  // "Print": asks for the printer and prints one landscape page.
  void Button1Click();
  // Prints on a printer already chosen and set up.
  void PrintTo(QPrinter& printer);

  // Chooses the printer (a file printer gives a PDF); false when cancelled.
  // Replaceable so that tests never block on the print dialog.
  std::function<bool(QPrinter&)> ChoosePrinter;

  QLabel* Label1() const { return label_.get(); }
  QPushButton* Button1() const { return button_.get(); }
  // The drawing's client area.
  QWidget* Canvas() const;
  const side_view::SideGeometry& Geometry() const { return geometry_; }
  const side_view::WorldRect& View() const { return view_; }

 protected:
  bool event(QEvent* event) override;

 private:
  class TCanvas;

  void FitView();
  void PaintCanvas(QPainter& painter);
  void CanvasMouseMove(int y);
  void HookSubWindow();

  std::function<const TProgramData&()> data_;
  side_view::SideGeometry geometry_;
  side_view::WorldRect view_;
  std::unique_ptr<QLabel> label_;
  std::unique_ptr<QPushButton> button_;
  std::unique_ptr<TCanvas> canvas_;
  QPointer<QWidget> sub_window_;
};

}  // namespace kestra
