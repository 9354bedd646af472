#include "dialog_pictures.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <cmath>

namespace kestra {
namespace {

const QColor kSoil(222, 196, 150);
const QColor kWater(90, 150, 220);
const QColor kWall(70, 70, 70);
const QColor kLoad(190, 30, 30);
const QColor kDimension(20, 60, 140);

// Drawn on an image so that the pictures need no screen.
class Canvas {
 public:
  Canvas(int width, int height)
      : image_(width, height, QImage::Format_ARGB32_Premultiplied) {
    image_.fill(Qt::white);
    painter_.begin(&image_);
    painter_.setRenderHint(QPainter::Antialiasing);
    QFont font = painter_.font();
    font.setPixelSize(11);
    painter_.setFont(font);
  }
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  QPainter& p() { return painter_; }

  QPixmap Finish() {
    painter_.setPen(QPen(QColor(160, 160, 160), 1));
    painter_.setBrush(Qt::NoBrush);
    painter_.drawRect(image_.rect().adjusted(0, 0, -1, -1));
    painter_.end();
    return QPixmap::fromImage(image_);
  }

  void Arrow(QPointF from, QPointF to, const QColor& color, qreal head = 6) {
    painter_.setPen(QPen(color, 1.5));
    painter_.drawLine(from, to);
    const qreal angle = std::atan2(to.y() - from.y(), to.x() - from.x());
    const QPointF a = to - QPointF(head * std::cos(angle - 0.45),
                                   head * std::sin(angle - 0.45));
    const QPointF b = to - QPointF(head * std::cos(angle + 0.45),
                                   head * std::sin(angle + 0.45));
    painter_.setBrush(color);
    painter_.drawPolygon(QPolygonF({to, a, b}));
    painter_.setBrush(Qt::NoBrush);
  }

  // A dimension line between a and b with arrows at both ends and its text
  // beside the middle.
  void Dimension(QPointF a, QPointF b, const QString& text,
                 QPointF text_offset = {4, 4}) {
    const QPointF mid = (a + b) / 2;
    Arrow(mid, a, kDimension, 5);
    Arrow(mid, b, kDimension, 5);
    Text(mid + text_offset, text, kDimension);
  }

  void Text(QPointF at, const QString& text, const QColor& color = Qt::black) {
    painter_.setPen(color);
    painter_.drawText(at, text);
  }

  // The water-table mark: a small inverted triangle over a line.
  void WaterTable(qreal x0, qreal x1, qreal y) {
    painter_.setPen(QPen(kWater, 1.5, Qt::DashLine));
    painter_.drawLine(QPointF(x0, y), QPointF(x1, y));
    const qreal cx = (x0 + x1) / 2;
    painter_.setPen(QPen(kWater, 1));
    painter_.setBrush(kWater);
    painter_.drawPolygon(
        QPolygonF({QPointF(cx - 5, y - 8), QPointF(cx + 5, y - 8), QPointF(cx, y)}));
    painter_.setBrush(Qt::NoBrush);
  }

  void Soil(const QPolygonF& outline) {
    painter_.setPen(QPen(QColor(150, 120, 80), 1));
    painter_.setBrush(QBrush(kSoil));
    painter_.drawPolygon(outline);
    painter_.setBrush(QBrush(QColor(150, 120, 80), Qt::BDiagPattern));
    painter_.drawPolygon(outline);
    painter_.setBrush(Qt::NoBrush);
  }

  void Wall(qreal x, qreal top, qreal tip, qreal thickness = 6) {
    painter_.setPen(QPen(kWall, 1));
    painter_.setBrush(kWall);
    painter_.drawRect(QRectF(x - thickness / 2, top, thickness, tip - top));
    painter_.setBrush(Qt::NoBrush);
  }

  void Spring(QPointF from, QPointF to, int turns, const QColor& color) {
    const QPointF d = to - from;
    const qreal length = std::hypot(d.x(), d.y());
    const QPointF u = d / length;
    const QPointF n(-u.y(), u.x());
    QPainterPath path(from);
    const qreal lead = length * 0.15;
    path.lineTo(from + u * lead);
    const qreal step = (length - 2 * lead) / (2 * turns);
    for (int k = 0; k < 2 * turns; ++k) {
      const qreal side = (k % 2 == 0) ? 6 : -6;
      path.lineTo(from + u * (lead + step * (k + 0.5)) + n * side);
    }
    path.lineTo(to - u * lead);
    path.lineTo(to);
    painter_.setPen(QPen(color, 1.5));
    painter_.drawPath(path);
  }

 private:
  QImage image_;
  QPainter painter_;
};

}  // namespace

QPixmap WallSectionPicture() {
  Canvas c(300, 250);
  const qreal wall = 150, top = 65, dredge = 140, tip = 235;
  const qreal water_back = 110, water_front = 175;
  // Backfill on the left rising away from the wall at slope Beta.
  c.Soil(QPolygonF({QPointF(10, top - 20), QPointF(wall, top), QPointF(wall, 245),
                    QPointF(10, 245)}));
  // Excavation side on the right, H below the top.
  c.Soil(QPolygonF({QPointF(wall, dredge), QPointF(290, dredge),
                    QPointF(290, 245), QPointF(wall, 245)}));
  c.WaterTable(20, wall - 40, water_back);
  c.WaterTable(wall + 10, 280, water_front);
  c.Wall(wall, top - 5, tip);
  // Uniform surcharge on the backfill.
  for (qreal x = 20; x <= wall - 15; x += 18) {
    const qreal y = top - 20 + (x - 10) * 20 / (wall - 10);
    c.Arrow(QPointF(x, y - 22), QPointF(x, y - 2), kLoad, 5);
  }
  c.p().setPen(QPen(kLoad, 1.5));
  c.p().drawLine(QPointF(20, top - 42),
                 QPointF(wall - 15, top - 42 + 20 * (wall - 25) / (wall - 10)));
  c.Text(QPointF(30, 14), QStringLiteral("Uniform load"), kLoad);
  // Beta between the horizontal and the backfill surface.
  c.p().setPen(QPen(kDimension, 1, Qt::DotLine));
  c.p().drawLine(QPointF(wall, top), QPointF(40, top));
  c.Text(QPointF(60, top + 14), QStringLiteral("Beta"), kDimension);
  c.Dimension(QPointF(wall + 40, top), QPointF(wall + 40, dredge),
              QStringLiteral("H"), {6, 4});
  c.p().setPen(QPen(kDimension, 1, Qt::DotLine));
  c.p().drawLine(QPointF(wall, top), QPointF(wall + 100, top));
  c.Dimension(QPointF(wall - 20, top), QPointF(wall - 20, water_back),
              QStringLiteral("DWb"), {-34, 4});
  c.Dimension(QPointF(wall + 90, top), QPointF(wall + 90, water_front),
              QStringLiteral("DWe"), {6, 4});
  c.Text(QPointF(20, 235), QStringLiteral("Backfill side"));
  c.Text(QPointF(wall + 20, 235), QStringLiteral("Excavation side"));
  return c.Finish();
}

QPixmap WallPlanPicture() {
  Canvas c(300, 120);
  c.Text(QPointF(10, 16), QStringLiteral("Plan view of the wall units"));
  // Backfill behind the row of units.
  c.Soil(QPolygonF({QPointF(10, 26), QPointF(290, 26), QPointF(290, 50),
                    QPointF(10, 50)}));
  const qreal y = 62, r = 12;
  c.p().setPen(QPen(kWall, 1));
  c.p().setBrush(QColor(150, 150, 150));
  for (qreal x = 40; x <= 280; x += 70) {
    c.p().drawEllipse(QPointF(x, y), r, r);
  }
  c.p().setBrush(Qt::NoBrush);
  c.Dimension(QPointF(110, y + 28), QPointF(180, y + 28), QStringLiteral("Wa"),
              {-8, 14});
  c.p().setPen(QPen(kDimension, 1, Qt::DotLine));
  c.p().drawLine(QPointF(110, y), QPointF(110, y + 32));
  c.p().drawLine(QPointF(180, y), QPointF(180, y + 32));
  c.p().drawLine(QPointF(250 - r, y), QPointF(250 - r, y + 26));
  c.p().drawLine(QPointF(250 + r, y), QPointF(250 + r, y + 26));
  c.Text(QPointF(250 - 8, y + 42), QStringLiteral("Wp"), kDimension);
  c.Arrow(QPointF(250 - r - 14, y + 22), QPointF(250 - r, y + 22), kDimension, 5);
  c.Arrow(QPointF(250 + r + 14, y + 22), QPointF(250 + r, y + 22), kDimension, 5);
  return c.Finish();
}

QPixmap SurchargePicture() {
  Canvas c(320, 200);
  const qreal wall = 270, ground = 70;
  c.Soil(QPolygonF({QPointF(10, ground), QPointF(wall, ground),
                    QPointF(wall, 190), QPointF(10, 190)}));
  c.Soil(QPolygonF({QPointF(wall, 140), QPointF(310, 140), QPointF(310, 190),
                    QPointF(wall, 190)}));
  c.Wall(wall, ground - 5, 195);
  // Point or line load: one arrow.
  c.Arrow(QPointF(200, 25), QPointF(200, ground - 2), kLoad);
  c.Text(QPointF(178, 20), QStringLiteral("Point / line"), kLoad);
  // Strip load: distributed over its width.
  c.p().setPen(QPen(kLoad, 1.5));
  c.p().drawLine(QPointF(40, 40), QPointF(120, 40));
  for (qreal x = 40; x <= 120; x += 16) {
    c.Arrow(QPointF(x, 40), QPointF(x, ground - 2), kLoad, 5);
  }
  c.Text(QPointF(55, 34), QStringLiteral("Strip load"), kLoad);
  c.Dimension(QPointF(200, ground + 18), QPointF(wall, ground + 18),
              QStringLiteral("Distance X"), {-28, 14});
  c.Dimension(QPointF(40, ground + 18), QPointF(120, ground + 18),
              QStringLiteral("Width W"), {-20, 14});
  // A strip load's distance runs to the middle of its width.
  c.p().setPen(QPen(kDimension, 1, Qt::DotLine));
  c.p().drawLine(QPointF(80, ground), QPointF(80, ground + 64));
  c.Dimension(QPointF(80, ground + 60), QPointF(wall, ground + 60),
              QStringLiteral("Distance X"), {-28, 14});
  c.Text(QPointF(16, 185), QStringLiteral("Backfill"));
  return c.Finish();
}

QPixmap TiebackPicture() {
  Canvas c(320, 200);
  const qreal wall = 270, ground = 30;
  c.Soil(QPolygonF({QPointF(10, ground), QPointF(wall, ground),
                    QPointF(wall, 190), QPointF(10, 190)}));
  c.Soil(QPolygonF({QPointF(wall, 150), QPointF(310, 150), QPointF(310, 190),
                    QPointF(wall, 190)}));
  c.Wall(wall, ground - 5, 195);
  // Anchor from its head on the wall down into the backfill.
  const QPointF head(wall - 3, 70);
  const QPointF bond_start(140, 125);
  const QPointF end(50, 163);
  c.p().setPen(QPen(kWall, 2));
  c.p().drawLine(head, end);
  QPen grout(QColor(120, 120, 120), 12, Qt::SolidLine, Qt::RoundCap);
  c.p().setPen(grout);
  c.p().drawLine(bond_start, end);
  c.p().setPen(QPen(kWall, 1));
  c.p().setBrush(kWall);
  c.p().drawRect(QRectF(wall + 3, 62, 8, 16));
  c.p().setBrush(Qt::NoBrush);
  c.Text(QPointF(170, 85), QStringLiteral("Free length"));
  c.Text(QPointF(60, 135), QStringLiteral("Bond length"));
  // Depth of the head and the inclination.
  c.Dimension(QPointF(wall + 25, ground), QPointF(wall + 25, 70),
              QStringLiteral("Depth"), {-16, -26});
  c.p().setPen(QPen(kDimension, 1, Qt::DotLine));
  c.p().drawLine(head, QPointF(200, 70));
  c.Text(QPointF(212, 68), QStringLiteral("Angle"), kDimension);
  c.Text(QPointF(12, 185), QStringLiteral("Backfill"));
  return c.Finish();
}

QPixmap SpringPicture() {
  Canvas c(260, 200);
  const qreal wall = 120;
  c.Wall(wall, 15, 190);
  // Lateral spring to a fixed support.
  const QPointF node(wall + 3, 70);
  c.Spring(node, QPointF(220, 70), 4, kLoad);
  c.p().setPen(QPen(kWall, 2));
  c.p().drawLine(QPointF(220, 55), QPointF(220, 85));
  for (qreal y = 57; y <= 85; y += 7) {
    c.p().drawLine(QPointF(220, y), QPointF(228, y - 6));
  }
  c.Text(QPointF(140, 55), QStringLiteral("Lateral spring"), kLoad);
  // Rotational restraint: a spiral at another node.
  const QPointF rnode(wall, 140);
  QPainterPath spiral;
  for (int k = 0; k <= 60; ++k) {
    const qreal a = k * 0.2;
    const qreal radius = 4 + k * 0.35;
    const QPointF pt = rnode + QPointF(radius * std::cos(a), radius * std::sin(a));
    if (k == 0) {
      spiral.moveTo(pt);
    } else {
      spiral.lineTo(pt);
    }
  }
  c.p().setPen(QPen(kLoad, 1.5));
  c.p().drawPath(spiral);
  c.Text(QPointF(150, 145), QStringLiteral("Rotational restraint"), kLoad);
  c.p().setBrush(kDimension);
  c.p().setPen(Qt::NoPen);
  c.p().drawEllipse(node - QPointF(3, 0), 3.5, 3.5);
  c.p().drawEllipse(rnode, 3.5, 3.5);
  c.p().setBrush(Qt::NoBrush);
  c.Text(QPointF(20, 74), QStringLiteral("Node"), kDimension);
  c.Text(QPointF(20, 144), QStringLiteral("Node"), kDimension);
  return c.Finish();
}

QPixmap ConcentratedLoadPicture() {
  Canvas c(260, 200);
  const qreal wall = 150;
  c.Wall(wall, 35, 190);
  // Lateral load at a node.
  c.Arrow(QPointF(60, 60), QPointF(wall - 4, 60), kLoad);
  c.Text(QPointF(60, 52), QStringLiteral("Lateral load P"), kLoad);
  // Moment at a node: a curved arrow around it.
  const QPointF node(wall, 130);
  QPainterPath arc;
  arc.arcMoveTo(QRectF(node - QPointF(28, 28), QSizeF(56, 56)), 200);
  arc.arcTo(QRectF(node - QPointF(28, 28), QSizeF(56, 56)), 200, 250);
  c.p().setPen(QPen(kLoad, 1.5));
  c.p().drawPath(arc);
  const QPointF end = arc.currentPosition();
  c.Arrow(end + QPointF(-6, -6), end, kLoad);
  c.Text(QPointF(wall + 34, 135), QStringLiteral("Moment M"), kLoad);
  // Axial load at the top.
  c.Arrow(QPointF(wall, 6), QPointF(wall, 33), kLoad);
  c.Text(QPointF(wall + 8, 20), QStringLiteral("Axial load"), kLoad);
  return c.Finish();
}

}  // namespace kestra
