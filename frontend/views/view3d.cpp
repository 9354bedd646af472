#include "view3d.h"

#include <QAction>
#include <QCloseEvent>
#include <QLineEdit>
#include <QMarginsF>
#include <QMouseEvent>
#include <QPageLayout>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QRubberBand>
#include <QToolBar>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <utility>

#include "deformed_shape_dialog.h"
#include "gl_window.h"
#include "info_box_widget.h"
#include "number_text.h"
#include "picture_file.h"

namespace kestra {
namespace {

// The printed picture is drawn at most this many pixels across, whatever
// the printer's resolution, and scaled to the page.
constexpr int kLargestPrintedImage = 3000;

bool SameExtents(const view3d::SceneExtents& a, const view3d::SceneExtents& b) {
  return a.across == b.across && a.along == b.along && a.top == b.top &&
         a.bottom == b.bottom && a.largest == b.largest &&
         a.centre.x == b.centre.x && a.centre.y == b.centre.y &&
         a.centre.z == b.centre.z;
}

std::string Std(const QString& text) { return text.toStdString(); }

}  // namespace

TDlgBlock::TDlgBlock(SceneSource source, std::shared_ptr<view3d::ViewState> view,
                     QWidget* parent)
    : QWidget(parent),
      source_(std::move(source)),
      view_(view ? std::move(view) : std::make_shared<view3d::ViewState>()),
      printer_(std::make_unique<QPrinter>(QPrinter::HighResolution)) {
  setObjectName(QStringLiteral("DlgBlock"));
  setWindowTitle(QStringLiteral("3-D View"));
  printer_->setPageMargins(QMarginsF(1.0, 1.0, 1.0, 1.0), QPageLayout::Inch);

  gl_ = new TglWindow(this);
  gl_->OnMouseDown = [this](QMouseEvent* e) { GLMouseDown(e); };
  gl_->OnMouseMove = [this](QMouseEvent* e) { GLMouseMove(e); };
  gl_->OnMouseUp = [this](QMouseEvent* e) { GLMouseUp(e); };
  gl_->OnResize = [this] { SetOrtho(); };
  gl_->setContextMenuPolicy(Qt::ActionsContextMenu);
  band_ = new QRubberBand(QRubberBand::Rectangle, gl_);

  tools_ = new QToolBar(this);
  tools_->setObjectName(QStringLiteral("ViewTools"));
  tools_->setToolButtonStyle(Qt::ToolButtonTextOnly);
  AddCommand(QStringLiteral("SaveBitmap"), QStringLiteral("Save Picture..."),
             [this] { SaveBitmapButtonClick(); });
  AddCommand(QStringLiteral("Print"), QStringLiteral("Print..."),
             [this] { PrintButtonClick(); });
  AddCommand(QStringLiteral("PageSetup"), QStringLiteral("Page Setup..."),
             [this] { PageSetupButtonClick(); });
  tools_->addSeparator();
  auto* separator = new QAction(this);
  separator->setSeparator(true);
  gl_->addAction(separator);
  AddCommand(QStringLiteral("SideView"), QStringLiteral("Side"), [this] { SetView(1); });
  AddCommand(QStringLiteral("FaceView"), QStringLiteral("Wall Face"),
             [this] { SetView(2); });
  AddCommand(QStringLiteral("PlanView"), QStringLiteral("Plan"), [this] { SetView(3); });
  AddCommand(QStringLiteral("ObliqueView"), QStringLiteral("Oblique"),
             [this] { SetView(4); });
  AddCommand(QStringLiteral("ReverseView"), QStringLiteral("Reverse"),
             [this] { ReverseView(); });

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(tools_);
  layout->addWidget(gl_, 1);

  ChooseBitmapName = [this] {
    return ChoosePictureName(this, QStringLiteral("Save Picture"));
  };
  ChoosePrinter = [this](QPrinter& printer) {
    QPrintDialog dialog(&printer, this);
    return dialog.exec() == QDialog::Accepted;
  };
  ChoosePageSetup = [this](QPrinter& printer) {
    QPageSetupDialog dialog(&printer, this);
    return dialog.exec() == QDialog::Accepted;
  };

  resize(720, 540);
  // The scene is read and measured once, when the window first appears.
  GetMaxDims();
  RedrawComplete();
}

TDlgBlock::~TDlgBlock() {
  // The children outlive this object's members (and, when the main window
  // goes, the project): none of them may call back from here on.
  destroying_ = true;
  gl_->OnMouseDown = nullptr;
  gl_->OnMouseMove = nullptr;
  gl_->OnMouseUp = nullptr;
  gl_->OnResize = nullptr;
  if (deformed_) {
    deformed_->Closed = nullptr;
    delete deformed_.data();
  }
}

QAction* TDlgBlock::AddCommand(const QString& name, const QString& caption,
                               std::function<void()> command) {
  auto* action = new QAction(caption, this);
  action->setObjectName(name);
  connect(action, &QAction::triggered, this, [this, command = std::move(command)] {
    try {
      command();
    } catch (const std::exception& e) {
      ShowInformation(this, e.what());
    }
  });
  tools_->addAction(action);
  gl_->addAction(action);
  return action;
}

QAction* TDlgBlock::CommandAction(const QString& name) const {
  return findChild<QAction*>(name, Qt::FindDirectChildrenOnly);
}

void TDlgBlock::SetMouseMode(int mode) {
  if (mode >= kPan && mode <= kZoomWindow) mouse_mode_ = mode;
}

// ---------------------------------------------------------------------------
// Scene

void TDlgBlock::GetMaxDims() {
  input_ = source_ ? source_() : view3d::SceneInput{};
  // Without a project the extents stay as they were.
  if (!input_.has_project) return;
  extents_ = view3d::GetMaxDims(input_);
  if (!view_->centred || !SameExtents(view_->centred_for, extents_)) {
    view3d::CentreOn(*view_, extents_);
  }
  gl_->SetCamera(view_.get(), extents_);
  SetOrtho();
}

void TDlgBlock::ProjectChanged() {
  GetMaxDims();
  RedrawComplete();
}

void TDlgBlock::SetOrtho() {
  view_->fit = view3d::OrthoFor(gl_->width(), gl_->height(), extents_).fit;
  gl_->SetCamera(view_.get(), extents_);
}

void TDlgBlock::RedrawFigure() { gl_->Redraw(); }

void TDlgBlock::RedrawComplete() {
  input_ = source_ ? source_() : view3d::SceneInput{};
  gl_->SetScene(input_.has_project ? view3d::BuildScene(input_, options_)
                                   : view3d::Scene{});
}

// ---------------------------------------------------------------------------
// Views

void TDlgBlock::SetView(int which) {
  view3d::SetView(*view_, which);
  RedrawFigure();
}

void TDlgBlock::ReverseView() {
  view3d::ReverseView(*view_);
  RedrawFigure();
}

void TDlgBlock::Zooming(double factor) {
  if (!(factor > 0.0) || !std::isfinite(factor)) return;
  view_->zoom *= factor;
  RedrawFigure();
}

void TDlgBlock::RestartViewButtonClick() {
  view3d::Restart(*view_, extents_);
  RedrawFigure();
}

// ---------------------------------------------------------------------------
// Mouse

void TDlgBlock::GLMouseDown(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  press_ = last_ = event->position().toPoint();
  zoom_at_press_ = view_->zoom;
  translation_at_press_ = view_->translation;
  dragging_ = true;
  if (mouse_mode_ == kZoomWindow) {
    zoom_window_ = true;
    band_->setGeometry(QRect(press_, QSize()));
    band_->show();
  }
}

void TDlgBlock::GLMouseMove(QMouseEvent* event) {
  if (!dragging_ || !(event->buttons() & Qt::LeftButton)) return;
  // The left button alone, or with Shift or Ctrl.
  const Qt::KeyboardModifiers mods = event->modifiers();
  if (mods & ~(Qt::ShiftModifier | Qt::ControlModifier | Qt::KeypadModifier)) return;
  const bool shift = mods & Qt::ShiftModifier;
  const QPoint pos = event->position().toPoint();
  const int w = gl_->width();
  const int h = gl_->height();
  switch (mouse_mode_) {
    case kPan:
      view_->translation = translation_at_press_;
      view3d::Pan(*view_, pos.x() - press_.x(), pos.y() - press_.y(), shift);
      break;
    case kZoom:
      view3d::ZoomDrag(*view_, zoom_at_press_, pos.y() - press_.y(), h);
      break;
    case kRotate: {
      double dx = pos.x() - last_.x();
      double dy = pos.y() - last_.y();
      // Shift keeps the direction the whole drag mostly goes in.
      if (shift) {
        const QPoint total = pos - press_;
        if (std::abs(total.x()) >= std::abs(total.y())) {
          dy = 0.0;
        } else {
          dx = 0.0;
        }
      }
      view3d::Rotate(*view_, dx, dy, w, h, false);
      break;
    }
    case kZoomWindow:
      band_->setGeometry(QRect(press_, pos).normalized());
      break;
    default:
      break;
  }
  last_ = pos;
  RedrawFigure();
}

void TDlgBlock::GLMouseUp(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !dragging_) return;
  dragging_ = false;
  if (zoom_window_) {
    zoom_window_ = false;
    band_->hide();
    const QPoint pos = event->position().toPoint();
    view3d::ZoomWindow(*view_, press_.x(), press_.y(), pos.x(), pos.y(),
                       gl_->width(), gl_->height());
  }
  RedrawFigure();
}

// ---------------------------------------------------------------------------
// Saving and printing

void TDlgBlock::SaveBitmapButtonClick() {
  const QString name = ChooseBitmapName ? ChooseBitmapName() : QString();
  if (name.isEmpty()) return;
  const QImage image = gl_->RenderImage(gl_->size());
  if (image.isNull()) {
    ShowInformation(this, "The 3D view could not be drawn.");
    return;
  }
  if (!SavePicture(image, name)) {
    ShowInformation(this, Std(QStringLiteral("The picture could not be saved to \"") +
                              name + QStringLiteral("\".")));
  }
}

void TDlgBlock::PrintButtonClick() {
  if (!ChoosePrinter || !ChoosePrinter(*printer_)) return;
  QPainter painter;
  if (!painter.begin(printer_.get())) {
    ShowInformation(this, "The 3D view could not be printed.");
    return;
  }
  // The window's picture, as large as the page inside its margins allows.
  const QRect page = painter.viewport();
  QSize size = gl_->size().scaled(page.size(), Qt::KeepAspectRatio);
  const QSize drawn = size.boundedTo(QSize(kLargestPrintedImage, kLargestPrintedImage));
  const QImage image = gl_->RenderImage(size.scaled(drawn, Qt::KeepAspectRatio));
  if (image.isNull()) {
    painter.end();
    ShowInformation(this, "The 3D view could not be drawn.");
    return;
  }
  painter.drawImage(QRect(page.topLeft(), size), image);
  painter.end();
}

void TDlgBlock::PageSetupButtonClick() {
  if (ChoosePageSetup) ChoosePageSetup(*printer_);
}

// ---------------------------------------------------------------------------
// Deformed shape and options

void TDlgBlock::DeformedShapeWindow() {
  if (!deformed_) {
    deformed_ = new TDlgDeformedShape(
        options_,
        [this] {
          if (!destroying_) RedrawComplete();
        },
        this);
    deformed_->Closed = [this] { deformed_ = nullptr; };
  }
  deformed_->FormActivate();
  deformed_->show();
  deformed_->raise();
  deformed_->activateWindow();
}

TDlgDeformedShape* TDlgBlock::DeformedShapeDialog() const { return deformed_; }

bool TDlgBlock::PendingEditIsInvalid() const {
  if (!deformed_ || !deformed_->EditDefFactor()) return false;
  const std::string text = Std(deformed_->EditDefFactor()->text().trimmed());
  if (text.empty()) return false;
  const DecimalResult r = ParseDecimal(text);
  return r.status != DecimalStatus::kOk || !std::isfinite(r.value);
}

void TDlgBlock::closeEvent(QCloseEvent* event) {
  if (PendingEditIsInvalid()) {
    event->ignore();
    // The dialog reports the entry and shows the factor again.
    QLineEdit* edit = deformed_->EditDefFactor();
    deformed_->show();
    deformed_->activateWindow();
    edit->setFocus();
    emit edit->editingFinished();
    return;
  }
  if (deformed_) {
    deformed_->Closed = nullptr;
    deformed_->close();
    deformed_ = nullptr;
  }
  event->accept();
  if (Closed) Closed();
}

void TDlgBlock::Toggle(bool view3d::SceneOptions::*option) {
  options_.*option = !(options_.*option);
  RedrawComplete();
}

void TDlgBlock::ShowWaterLevelOption() { Toggle(&view3d::SceneOptions::water_level); }
void TDlgBlock::ShowSoilLayersOption() { Toggle(&view3d::SceneOptions::soil_layers); }
void TDlgBlock::ShowAditionalSurchargeOption() {
  Toggle(&view3d::SceneOptions::additional_surcharge);
}
void TDlgBlock::ShowUniformLoadOption() { Toggle(&view3d::SceneOptions::uniform_load); }
void TDlgBlock::ShowLateralSpringsOption() {
  Toggle(&view3d::SceneOptions::lateral_springs);
}
void TDlgBlock::ShowTieBacksOption() { Toggle(&view3d::SceneOptions::tiebacks); }
void TDlgBlock::ShowConcentratedLoadsOption() {
  Toggle(&view3d::SceneOptions::concentrated_loads);
}
void TDlgBlock::ShowBoundaryConditionsOption() {
  Toggle(&view3d::SceneOptions::boundary_conditions);
}
void TDlgBlock::ShowRetainingWallOption() { Toggle(&view3d::SceneOptions::wall); }

}  // namespace kestra
