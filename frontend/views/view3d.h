// TDlgBlock ("3-D View"): the wall, the soil, the water and the loads as a
// 3D scene that the user pans, zooms and turns with the mouse, saves as a
// picture or prints. What is shown comes from its display options, switched
// from the main window's "Show 3DView" menu.
#pragma once

#include <QPoint>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>

#include "scene3d.h"
#include "view3d_camera.h"

class QAction;
class QPrinter;
class QRubberBand;
class QToolBar;

namespace kestra {

class TDlgDeformedShape;
class TglWindow;

class TDlgBlock : public QWidget {
  Q_OBJECT

 public:
  // The project as the scene sees it, read afresh for every rebuild.
  using SceneSource = std::function<view3d::SceneInput()>;
  enum MouseMode { kPan = 1, kZoom = 2, kRotate = 3, kZoomWindow = 4 };

  // `view` outlives the window, so a reopened view looks as it was left.
  TDlgBlock(SceneSource source, std::shared_ptr<view3d::ViewState> view,
            QWidget* parent = nullptr);
  ~TDlgBlock() override;
  TDlgBlock(const TDlgBlock&) = delete;
  TDlgBlock& operator=(const TDlgBlock&) = delete;

  TglWindow* GL() const { return gl_; }
  const view3d::SceneOptions& Options() const { return options_; }
  const view3d::ViewState& View() const { return *view_; }
  const view3d::SceneExtents& Extents() const { return extents_; }
  int MouseMode() const { return mouse_mode_; }
  void SetMouseMode(int mode);

  // The wall as the scene draws it, in world units.
  double GetWallLength() const { return input_.length; }
  double GetWallWidth() const { return input_.width; }
  double GetWallPYWidth() const { return input_.pile_width; }
  double GetWallThickness() const { return input_.thickness; }
  double GetWallIncr() const { return input_.increment; }
  int GetWallNIncr() const { return input_.increments; }

  // Scene extents from the project; the first time also centres the view.
  void GetMaxDims();
  // After another project was opened or an analysis run: the scene is read
  // again and, when its size changed, centred again.
  void ProjectChanged();
  void SetOrtho();
  void RedrawFigure();
  // Rebuilds the display lists and redraws.
  void RedrawComplete();
  void SetView(int which);
  void ReverseView();
  void Zooming(double factor);
  void RestartViewButtonClick();
  void SaveBitmapButtonClick();
  void PrintButtonClick();
  void PageSetupButtonClick();
  // Shows the one deformed-shape dialog, creating it when needed.
  void DeformedShapeWindow();
  TDlgDeformedShape* DeformedShapeDialog() const;

  // Each flips its option and rebuilds the scene.
  void ShowWaterLevelOption();
  void ShowSoilLayersOption();
  void ShowAditionalSurchargeOption();
  void ShowUniformLoadOption();
  void ShowLateralSpringsOption();
  void ShowTieBacksOption();
  void ShowConcentratedLoadsOption();
  void ShowBoundaryConditionsOption();
  void ShowRetainingWallOption();

  // The file and printer dialogs, replaceable so that tests never block.
  // An empty name or false means cancelled.
  std::function<QString()> ChooseBitmapName;
  std::function<bool(QPrinter&)> ChoosePrinter;
  std::function<bool(QPrinter&)> ChoosePageSetup;
  QPrinter& Printer() { return *printer_; }

  // Called when the window has closed (not when it is refused).
  std::function<void()> Closed;

  // The window's own commands, also on the GL window's context menu.
  QAction* CommandAction(const QString& name) const;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void GLMouseDown(QMouseEvent* event);
  void GLMouseMove(QMouseEvent* event);
  void GLMouseUp(QMouseEvent* event);
  void Toggle(bool view3d::SceneOptions::*option);
  QAction* AddCommand(const QString& name, const QString& caption,
                      std::function<void()> command);
  bool PendingEditIsInvalid() const;

  SceneSource source_;
  std::shared_ptr<view3d::ViewState> view_;
  view3d::SceneInput input_;
  view3d::SceneExtents extents_;
  view3d::SceneOptions options_;
  int mouse_mode_ = kRotate;
  bool destroying_ = false;

  TglWindow* gl_ = nullptr;
  QToolBar* tools_ = nullptr;
  QRubberBand* band_ = nullptr;
  std::unique_ptr<QPrinter> printer_;
  QPointer<TDlgDeformedShape> deformed_;

  // The drag in progress.
  bool dragging_ = false;
  bool zoom_window_ = false;
  QPoint press_, last_;
  double zoom_at_press_ = 1.0;
  view3d::Vec3 translation_at_press_;
};

}  // namespace kestra
