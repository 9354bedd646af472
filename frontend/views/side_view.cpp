#include "side_view.h"

#include <QEvent>
#include <QFontMetricsF>
#include <QHBoxLayout>
#include <QLabel>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QPageLayout>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>
#include <type_traits>

#include "info_box_widget.h"
#include "program_data.h"

namespace kestra {

using side_view::Device;
using side_view::Drawing;

namespace {

// Draws the primitives with `ink`, text in the painter's font.
void Draw(QPainter& painter, const Drawing& drawing, const QColor& ink) {
  const QFontMetricsF metrics(painter.font(), painter.device());
  for (const side_view::Primitive& item : drawing.items) {
    QPen pen(ink, item.pen);
    pen.setCapStyle(Qt::FlatCap);
    painter.setPen(pen);
    std::visit(
        [&](const auto& shape) {
          using T = std::decay_t<decltype(shape)>;
          if constexpr (std::is_same_v<T, side_view::Line>) {
            painter.drawLine(QPointF(shape.from.x, shape.from.y),
                             QPointF(shape.to.x, shape.to.y));
          } else if constexpr (std::is_same_v<T, side_view::FilledPolygon>) {
            QPolygonF polygon;
            for (const side_view::DevicePoint& p : shape.corners) polygon << QPointF(p.x, p.y);
            painter.setBrush(ink);
            painter.drawPolygon(polygon);
            painter.setBrush(Qt::NoBrush);
          } else if constexpr (std::is_same_v<T, side_view::Ellipse>) {
            painter.save();
            painter.setRenderHint(QPainter::Antialiasing, true);
            painter.drawEllipse(QPointF(shape.centre.x, shape.centre.y), shape.rx, shape.ry);
            painter.restore();
          } else {
            const qreal baseline =
                shape.at.y + metrics.ascent() + shape.line * metrics.lineSpacing();
            painter.drawText(QPointF(shape.at.x, baseline), QString::fromStdString(shape.text));
          }
        },
        item.shape);
  }
}

}  // namespace

// The client area the drawing is mapped onto.
class TDlgSideView::TCanvas : public QWidget {
 public:
  explicit TCanvas(TDlgSideView& owner) : owner_(owner) {
    setObjectName(QStringLiteral("Canvas"));
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(200, 150);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    owner_.PaintCanvas(painter);
  }
  void resizeEvent(QResizeEvent* event) override {
    QWidget::resizeEvent(event);
    owner_.FitView();
  }
  void mouseMoveEvent(QMouseEvent* event) override {
    owner_.CanvasMouseMove(qRound(event->position().y()));
    QWidget::mouseMoveEvent(event);
  }

 private:
  TDlgSideView& owner_;
};

TDlgSideView::TDlgSideView(std::function<const TProgramData&()> data, QWidget* parent)
    : QWidget(parent),
      data_(std::move(data)),
      view_(geometry_.data),
      label_(std::make_unique<QLabel>(QStringLiteral("Wall Profile"))),
      button_(std::make_unique<QPushButton>(QStringLiteral("Print"))),
      canvas_(std::make_unique<TCanvas>(*this)) {
  setObjectName(QStringLiteral("DlgSideView"));
  setWindowTitle(QStringLiteral("Side View"));
  label_->setObjectName(QStringLiteral("Label1"));
  button_->setObjectName(QStringLiteral("Button1"));

  auto* top = new QHBoxLayout;
  top->addWidget(label_.get());
  top->addStretch(1);
  top->addWidget(button_.get());
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->addLayout(top);
  layout->addWidget(canvas_.get(), 1);
  resize(640, 520);

  connect(button_.get(), &QPushButton::clicked, this, &TDlgSideView::Button1Click);

  ChoosePrinter = [this](QPrinter& printer) {
    QPrintDialog dialog(&printer, this);
    dialog.setWindowTitle(QStringLiteral("Print"));
    return dialog.exec() == QDialog::Accepted;
  };
}

TDlgSideView::~TDlgSideView() = default;

QWidget* TDlgSideView::Canvas() const { return canvas_.get(); }

void TDlgSideView::FormActivate() {
  const TProgramData& data = data_();
  geometry_ = side_view::BuildGeometry(data, data.Tables());
  FitView();
}

void TDlgSideView::FitView() {
  view_ = side_view::FitView(geometry_.data, canvas_->width(), canvas_->height());
  canvas_->update();
}

void TDlgSideView::PaintCanvas(QPainter& painter) {
  painter.fillRect(canvas_->rect(), Qt::white);
  const TProgramData& data = data_();
  const Drawing drawing =
      side_view::BuildDrawing(data, data.Tables(), geometry_, view_,
                              Device::Screen(canvas_->width(), canvas_->height()));
  Draw(painter, drawing, Qt::black);
}

void TDlgSideView::CanvasMouseMove(int y) {
  const auto caption = side_view::DepthReadout(
      geometry_, view_, Device::Screen(canvas_->width(), canvas_->height()), y);
  if (caption) setWindowTitle(QString::fromStdString(*caption));
}

void TDlgSideView::Button1Click() {
  QPrinter printer(QPrinter::HighResolution);
  printer.setPageOrientation(QPageLayout::Landscape);
  printer.setDocName(QStringLiteral("Soil-Pile Profile"));
  if (!ChoosePrinter || !ChoosePrinter(printer)) return;
  PrintTo(printer);
}

void TDlgSideView::PrintTo(QPrinter& printer) {
  printer.setPageOrientation(QPageLayout::Landscape);
  printer.setDocName(QStringLiteral("Soil-Pile Profile"));
  QPainter painter;
  if (!painter.begin(&printer)) {
    ShowInformation(this, "The page could not be printed: the printer did not start.");
    return;
  }
  const Device page = Device::Page(printer.width(), printer.height(), printer.resolution());
  painter.fillRect(QRect(0, 0, printer.width(), printer.height()), Qt::white);
  painter.setFont(QFont(label_->font(), &printer));
  // The page gets a view of its own proportions, so the printed wall keeps
  // its shape whatever the window's.
  const side_view::WorldRect view = side_view::FitView(geometry_.data, page);
  const TProgramData& data = data_();
  Draw(painter, side_view::BuildDrawing(data, data.Tables(), geometry_, view, page),
       Qt::black);
  painter.end();
}

void TDlgSideView::HookSubWindow() {
  auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget());
  if (sub == sub_window_) return;
  if (sub_window_) disconnect(sub_window_, nullptr, this, nullptr);
  sub_window_ = sub;
  if (!sub) return;
  connect(sub, &QMdiSubWindow::windowStateChanged, this,
          [this](Qt::WindowStates old_state, Qt::WindowStates new_state) {
            if (new_state.testFlag(Qt::WindowActive) && !old_state.testFlag(Qt::WindowActive)) {
              FormActivate();
            }
          });
}

bool TDlgSideView::event(QEvent* event) {
  // Put into a frame: the frame's activation is the window's.
  if (event->type() == QEvent::ParentChange) HookSubWindow();
  if (event->type() == QEvent::WindowActivate && !sub_window_) FormActivate();
  return QWidget::event(event);
}

}  // namespace kestra
