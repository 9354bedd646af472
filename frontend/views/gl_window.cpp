#include "gl_window.h"

#include <QLabel>
#include <QMouseEvent>
#include <QOpenGLContext>
#include <QOpenGLFramebufferObject>
#include <QOpenGLFramebufferObjectFormat>
#include <QOpenGLFunctions_1_1>
#include <QOpenGLVersionFunctionsFactory>
#include <QOpenGLWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <utility>

namespace kestra {
namespace {

using view3d::Vec3;

// Faces at the opacity of the scene's translucent parts go in the second
// pass.
bool Translucent(const view3d::Primitive& p) { return p.colour.a < 0.999f; }

Vec3 Cross(const Vec3& a, const Vec3& b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

double Dot(const Vec3& a, const Vec3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

Vec3 Minus(const Vec3& a, const Vec3& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }

}  // namespace

// The OpenGL widget itself: it only passes its events on. Mouse events it
// leaves to its parent, the TglWindow.
class TglSurface : public QOpenGLWidget {
 public:
  explicit TglSurface(TglWindow* owner) : QOpenGLWidget(owner), owner_(owner) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
  }

 protected:
  void initializeGL() override { owner_->glSetupRC(); }
  void paintGL() override { owner_->glRender(); }

 private:
  TglWindow* owner_;
};

namespace {

// A window that holds an OpenGL widget on a display without OpenGL brings
// the program down when it is drawn; such a display gets a notice instead.
bool OpenGLAvailable() {
  QOpenGLContext probe;
  return probe.create();
}

}  // namespace

TglWindow::TglWindow(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("GL"));
  setMinimumSize(120, 90);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  if (OpenGLAvailable()) {
    surface_ = new TglSurface(this);
    layout->addWidget(surface_);
  } else {
    auto* notice = new QLabel(QStringLiteral("OpenGL is not available on this display."),
                              this);
    notice->setAlignment(Qt::AlignCenter);
    notice->setAttribute(Qt::WA_TransparentForMouseEvents);
    layout->addWidget(notice);
  }
}

TglWindow::~TglWindow() {
  if (gl_ && surface_ && surface_->context()) {
    // The context goes after this object: it must not call back into it.
    disconnect(surface_->context(), nullptr, this, nullptr);
    surface_->makeCurrent();
    DeleteLists();
    surface_->doneCurrent();
  }
}

void TglWindow::SetScene(view3d::Scene scene) {
  scene_ = std::move(scene);
  lists_stale_ = true;
  Redraw();
}

void TglWindow::SetCamera(const view3d::ViewState* view,
                          const view3d::SceneExtents& extents) {
  view_ = view;
  extents_ = extents;
  Redraw();
}

void TglWindow::Redraw() {
  if (surface_) surface_->update();
}

void TglWindow::glSetupRC() {
  // The fixed-function calls need a compatibility context; without one the
  // window stays white rather than failing.
  QOpenGLContext* context = surface_->context();
  gl_ = QOpenGLVersionFunctionsFactory::get<QOpenGLFunctions_1_1>(context);
  first_list_ = 0;
  lists_stale_ = true;
  if (!gl_) return;
  // A context can be replaced (the window moved to another top level).
  connect(context, &QOpenGLContext::aboutToBeDestroyed, this, [this] { ReleaseRC(); });
}

void TglWindow::ReleaseRC() {
  surface_->makeCurrent();
  DeleteLists();
  surface_->doneCurrent();
  gl_ = nullptr;
}

void TglWindow::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (OnResize) OnResize();
}

void TglWindow::glRender() {
  if (!gl_) return;
  DrawFigure(width() / 2.0, height() / 2.0);
}

QImage TglWindow::RenderImage(QSize size) {
  if (!gl_ || !surface_ || !surface_->context() || size.isEmpty()) return {};
  surface_->makeCurrent();
  QOpenGLFramebufferObjectFormat format;
  format.setAttachment(QOpenGLFramebufferObject::Depth);
  QOpenGLFramebufferObject target(size, format);
  if (!target.isValid() || !target.bind()) {
    surface_->doneCurrent();
    return {};
  }
  gl_->glViewport(0, 0, size.width(), size.height());
  // What the window shows, scaled to fill the image.
  const double k = std::min(size.width() / static_cast<double>(std::max(width(), 1)),
                            size.height() / static_cast<double>(std::max(height(), 1)));
  DrawFigure(size.width() / (2.0 * k), size.height() / (2.0 * k));
  const QImage image = target.toImage();
  target.release();
  surface_->doneCurrent();
  return image.convertToFormat(QImage::Format_RGB888);
}

void TglWindow::DeleteLists() {
  if (gl_ && first_list_ != 0) gl_->glDeleteLists(first_list_, kListCount);
  first_list_ = 0;
  lists_stale_ = true;
}

void TglWindow::CompileLists() {
  DeleteLists();
  first_list_ = gl_->glGenLists(kListCount);
  if (first_list_ == 0) return;
  const view3d::DisplayList* lists[] = {&scene_.loading, &scene_.soil, &scene_.wall};
  for (int k = 0; k < 3; ++k) {
    for (const bool translucent : {false, true}) {
      gl_->glNewList(first_list_ + 2 * k + (translucent ? 1 : 0), GL_COMPILE);
      CompileList(*lists[k], translucent);
      gl_->glEndList();
    }
  }
  lists_stale_ = false;
}

void TglWindow::CompileList(const view3d::DisplayList& list, bool translucent) {
  for (const view3d::Primitive& p : list.items) {
    if (Translucent(p) != translucent) continue;
    const auto& v = p.vertices;
    gl_->glColor4f(p.colour.r, p.colour.g, p.colour.b, p.colour.a);
    if (p.kind == view3d::PrimitiveKind::kLines) {
      gl_->glDisable(GL_LIGHTING);
      gl_->glBegin(GL_LINES);
      for (std::size_t i = 0; i + 1 < v.size(); i += 2) {
        gl_->glVertex3d(v[i].x, v[i].y, v[i].z);
        gl_->glVertex3d(v[i + 1].x, v[i + 1].y, v[i + 1].z);
      }
      gl_->glEnd();
      gl_->glEnable(GL_LIGHTING);
      continue;
    }
    const bool has_normals = p.normals.size() == v.size();
    gl_->glBegin(GL_TRIANGLES);
    for (std::size_t i = 0; i + 2 < v.size(); i += 3) {
      // The face's normal follows its winding, so two-sided lighting lights
      // whichever side faces the viewer; given normals are turned to agree.
      Vec3 face = Cross(Minus(v[i + 1], v[i]), Minus(v[i + 2], v[i]));
      if (Dot(face, face) == 0.0) face = {0, 0, 1};
      for (std::size_t j = i; j < i + 3; ++j) {
        Vec3 n = has_normals ? p.normals[j] : face;
        if (Dot(n, face) < 0.0) n = {-n.x, -n.y, -n.z};
        gl_->glNormal3d(n.x, n.y, n.z);
        gl_->glVertex3d(v[j].x, v[j].y, v[j].z);
      }
    }
    gl_->glEnd();
  }
}

void TglWindow::DrawFigure(double half_width, double half_height) {
  QOpenGLFunctions_1_1& f = *gl_;
  f.glClearColor(1.0f, 1.0f, 1.0f, 1.0f);
  f.glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  if (!view_) return;
  if (lists_stale_) CompileLists();
  if (first_list_ == 0) return;

  const view3d::Ortho ortho = view3d::OrthoFor(static_cast<int>(2 * half_width),
                                               static_cast<int>(2 * half_height),
                                               extents_);
  f.glMatrixMode(GL_PROJECTION);
  f.glLoadIdentity();
  f.glOrtho(-half_width, half_width, -half_height, half_height, -ortho.depth,
            ortho.depth);
  f.glMatrixMode(GL_MODELVIEW);
  f.glLoadIdentity();

  // A light from the viewer's upper left, fixed to the eye so the scene
  // keeps its shading as it turns; ambient keeps the far sides readable.
  const GLfloat position[] = {-0.4f, 0.6f, 1.0f, 0.0f};
  const GLfloat ambient[] = {0.45f, 0.45f, 0.45f, 1.0f};
  const GLfloat diffuse[] = {0.6f, 0.6f, 0.6f, 1.0f};
  f.glLightfv(GL_LIGHT0, GL_POSITION, position);
  f.glLightfv(GL_LIGHT0, GL_AMBIENT, ambient);
  f.glLightfv(GL_LIGHT0, GL_DIFFUSE, diffuse);
  f.glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, GL_TRUE);
  f.glEnable(GL_LIGHT0);
  f.glEnable(GL_LIGHTING);
  f.glColorMaterial(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE);
  f.glEnable(GL_COLOR_MATERIAL);
  // The model-view matrix scales, so normals need scaling back.
  f.glEnable(GL_NORMALIZE);
  f.glShadeModel(GL_SMOOTH);
  f.glEnable(GL_DEPTH_TEST);
  f.glDepthFunc(GL_LESS);
  f.glDisable(GL_CULL_FACE);
  // Faces stand back a little so their outlines show on them.
  f.glEnable(GL_POLYGON_OFFSET_FILL);
  f.glPolygonOffset(1.0f, 1.0f);
  f.glLineWidth(1.0f);

  const std::array<double, 16> model_view = view3d::ModelViewMatrix(*view_);
  f.glLoadMatrixd(model_view.data());

  f.glDisable(GL_BLEND);
  f.glDepthMask(GL_TRUE);
  for (int k = 0; k < 3; ++k) f.glCallList(first_list_ + 2 * k);

  // Translucent faces blend over what is behind them and hide nothing;
  // the picture stays opaque.
  f.glEnable(GL_BLEND);
  f.glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  f.glDepthMask(GL_FALSE);
  f.glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_FALSE);
  for (int k = 0; k < 3; ++k) f.glCallList(first_list_ + 2 * k + 1);
  f.glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
  f.glDepthMask(GL_TRUE);
  f.glDisable(GL_BLEND);
  f.glDisable(GL_POLYGON_OFFSET_FILL);
  f.glDisable(GL_LIGHTING);
}

void TglWindow::mousePressEvent(QMouseEvent* event) {
  if (OnMouseDown) OnMouseDown(event);
}

void TglWindow::mouseMoveEvent(QMouseEvent* event) {
  if (OnMouseMove) OnMouseMove(event);
}

void TglWindow::mouseReleaseEvent(QMouseEvent* event) {
  if (OnMouseUp) OnMouseUp(event);
}

}  // namespace kestra
