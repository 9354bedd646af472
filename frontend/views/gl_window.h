// TglWindow: the OpenGL window of the 3D view. It compiles the scene's
// display lists, draws them through the view's camera and hands its mouse
// events to the window that owns it. Where the display offers no OpenGL it
// says so in place of the picture.
#pragma once

#include <QImage>
#include <QSize>
#include <QWidget>
#include <array>
#include <functional>

#include "scene3d.h"
#include "view3d_camera.h"

class QMouseEvent;
class QResizeEvent;
class QOpenGLFunctions_1_1;

namespace kestra {

class TglSurface;

class TglWindow : public QWidget {
  Q_OBJECT

 public:
  explicit TglWindow(QWidget* parent = nullptr);
  ~TglWindow() override;
  TglWindow(const TglWindow&) = delete;
  TglWindow& operator=(const TglWindow&) = delete;

  // What to draw; compiled into display lists at the next frame.
  void SetScene(view3d::Scene scene);
  // The camera: `view` belongs to the owner and outlives this window.
  void SetCamera(const view3d::ViewState* view, const view3d::SceneExtents& extents);

  // The picture the window shows, drawn off-screen and scaled to `size`
  // (24-bit colour). Null when there is no rendering context.
  QImage RenderImage(QSize size);
  // A rendering context exists (the window has been shown once).
  bool HasContext() const { return gl_ != nullptr; }
  // The display offers OpenGL: a surface exists.
  bool HasSurface() const { return surface_ != nullptr; }
  // Schedules a new frame.
  void Redraw();

  std::function<void(QMouseEvent*)> OnMouseDown;
  std::function<void(QMouseEvent*)> OnMouseMove;
  std::function<void(QMouseEvent*)> OnMouseUp;
  // The client area changed size.
  std::function<void()> OnResize;

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  friend class TglSurface;
  // The functions of the new context; the lists are compiled at the first
  // frame.
  void glSetupRC();
  void ReleaseRC();
  void glRender();
  void CompileLists();
  void DeleteLists();
  void CompileList(const view3d::DisplayList& list, bool translucent);
  // One frame over a projection of the given half sizes (logical pixels).
  void DrawFigure(double half_width, double half_height);

  TglSurface* surface_ = nullptr;
  QOpenGLFunctions_1_1* gl_ = nullptr;
  view3d::Scene scene_;
  bool lists_stale_ = true;
  // Per scene list (loading, soil, wall) one opaque and one translucent
  // display list; 0 until compiled.
  unsigned first_list_ = 0;
  static constexpr int kListCount = 6;
  const view3d::ViewState* view_ = nullptr;
  view3d::SceneExtents extents_;
};

}  // namespace kestra
