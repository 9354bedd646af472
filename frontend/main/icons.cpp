#include "icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPolygonF>
#include <cmath>
#include <functional>
#include <map>

namespace kestra {
namespace {

constexpr int kSize = 32;
const QColor kInk(0x2b, 0x3a, 0x55);
const QColor kPaper(0xff, 0xff, 0xff);
const QColor kSoil(0xc8, 0x9b, 0x5a);
const QColor kSoilDark(0x8d, 0x65, 0x34);
const QColor kWall(0x5b, 0x6b, 0x82);
const QColor kAccent(0x1f, 0x77, 0xd0);
const QColor kGo(0x2e, 0x9d, 0x4a);
const QColor kWater(0x6c, 0xb4, 0xee);

using Painter = std::function<void(QPainter&)>;

QPen Pen(const QColor& color, qreal width = 2.0) {
  QPen pen(color, width);
  pen.setCapStyle(Qt::RoundCap);
  pen.setJoinStyle(Qt::RoundJoin);
  return pen;
}

void Page(QPainter& p) {
  QPolygonF page({{7, 3}, {20, 3}, {26, 9}, {26, 29}, {7, 29}});
  p.setPen(Pen(kInk, 1.5));
  p.setBrush(kPaper);
  p.drawPolygon(page);
  p.drawPolyline(QPolygonF({{20, 3}, {20, 9}, {26, 9}}));
}

void Lines(QPainter& p, int from, int to) {
  p.setPen(Pen(kInk.lighter(160), 1.5));
  for (int y = from; y <= to; y += 4) p.drawLine(10, y, 23, y);
}

void Axes(QPainter& p) {
  p.setPen(Pen(kInk, 1.5));
  p.drawLine(6, 4, 6, 28);
  p.drawLine(4, 6, 28, 6);
}

// A depth graph: axis on top, depth downwards, a curve drawn by `x(t)`.
void DepthCurve(QPainter& p, const std::function<qreal(qreal)>& x,
                const QColor& color) {
  Axes(p);
  QPainterPath path;
  for (int i = 0; i <= 20; ++i) {
    const qreal t = i / 20.0;
    const QPointF point(17 + 9 * x(t), 7 + 21 * t);
    if (i == 0) {
      path.moveTo(point);
    } else {
      path.lineTo(point);
    }
  }
  p.setPen(Pen(color, 2.2));
  p.setBrush(Qt::NoBrush);
  p.drawPath(path);
}

void Magnifier(QPainter& p, QPointF centre, qreal r) {
  p.setPen(Pen(kInk, 2.2));
  p.setBrush(QColor(255, 255, 255, 200));
  p.drawEllipse(centre, r, r);
  p.drawLine(centre + QPointF(r * 0.7, r * 0.7), centre + QPointF(r * 1.7, r * 1.7));
}

void Ground(QPainter& p) {
  p.setPen(Qt::NoPen);
  p.setBrush(kSoil);
  p.drawRect(QRectF(3, 12, 12, 18));
  p.drawRect(QRectF(17, 20, 12, 10));
  p.setBrush(kWall);
  p.drawRect(QRectF(15, 4, 2.5, 26));
}

void Digit(QPainter& p, int n) {
  p.setPen(Pen(kInk, 1.5));
  p.setBrush(n % 2 ? kSoil.lighter(120) : kSoil);
  p.drawRoundedRect(QRectF(4, 4, 24, 24), 5, 5);
  QFont font = p.font();
  font.setPixelSize(18);
  font.setBold(true);
  p.setFont(font);
  p.setPen(kInk);
  p.drawText(QRectF(4, 4, 24, 24), Qt::AlignCenter, QString::number(n));
}

const std::map<QString, Painter>& Painters() {
  static const std::map<QString, Painter> painters = {
      {QStringLiteral("new"),
       [](QPainter& p) {
         Page(p);
         p.setPen(Pen(kGo, 2.5));
         p.drawLine(16, 14, 16, 24);
         p.drawLine(11, 19, 21, 19);
       }},
      {QStringLiteral("open"),
       [](QPainter& p) {
         p.setPen(Pen(kInk, 1.5));
         p.setBrush(QColor(0xf2, 0xc9, 0x4c));
         p.drawPolygon(QPolygonF({{3, 8}, {11, 8}, {14, 11}, {27, 11}, {27, 27}, {3, 27}}));
         p.setBrush(QColor(0xf7, 0xdc, 0x85));
         p.drawPolygon(QPolygonF({{3, 27}, {8, 15}, {30, 15}, {27, 27}}));
       }},
      {QStringLiteral("save"),
       [](QPainter& p) {
         p.setPen(Pen(kInk, 1.5));
         p.setBrush(kAccent);
         p.drawRoundedRect(QRectF(4, 4, 24, 24), 3, 3);
         p.setBrush(kPaper);
         p.drawRect(QRectF(9, 4, 14, 9));
         p.setBrush(kInk.lighter(150));
         p.drawRect(QRectF(9, 18, 14, 10));
       }},
      {QStringLiteral("title"),
       [](QPainter& p) {
         Page(p);
         QFont font = p.font();
         font.setPixelSize(16);
         font.setBold(true);
         p.setFont(font);
         p.setPen(kAccent);
         p.drawText(QRectF(7, 9, 19, 18), Qt::AlignCenter, QStringLiteral("T"));
       }},
      {QStringLiteral("properties"),
       [](QPainter& p) {
         // A sheet-pile profile seen from above, and its stiffness.
         p.setPen(Pen(kWall, 3));
         p.drawPolyline(QPolygonF({{3, 10}, {9, 10}, {13, 22}, {19, 22}, {23, 10}, {29, 10}}));
         QFont font = p.font();
         font.setPixelSize(10);
         font.setBold(true);
         p.setFont(font);
         p.setPen(kInk);
         p.drawText(QRectF(2, 22, 28, 10), Qt::AlignCenter, QStringLiteral("EI"));
       }},
      {QStringLiteral("configuration"),
       [](QPainter& p) {
         Ground(p);
         p.setPen(Pen(kWater, 2));
         p.drawLine(4, 17, 13, 17);
         p.setPen(Pen(kInk, 1.5));
         p.drawLine(20, 6, 20, 17);
         p.drawLine(18, 8, 20, 6);
         p.drawLine(22, 8, 20, 6);
       }},
      {QStringLiteral("soil"),
       [](QPainter& p) {
         const QColor colours[] = {kSoil.lighter(125), kSoil, kSoilDark.lighter(120), kSoilDark};
         for (int i = 0; i < 4; ++i) {
           p.setPen(Qt::NoPen);
           p.setBrush(colours[i]);
           p.drawRect(QRectF(3, 4 + 6 * i, 26, 6));
         }
         p.setPen(Pen(kInk, 1.2));
         p.setBrush(Qt::NoBrush);
         p.drawRect(QRectF(3, 4, 26, 24));
       }},
      {QStringLiteral("run"),
       [](QPainter& p) {
         p.setPen(Pen(kGo.darker(130), 1.5));
         p.setBrush(kGo);
         p.drawPolygon(QPolygonF({{9, 5}, {27, 16}, {9, 27}}));
       }},
      {QStringLiteral("stages"),
       [](QPainter& p) {
         p.setPen(Pen(kInk, 1.2));
         p.setBrush(kSoil);
         p.drawPolygon(QPolygonF({{3, 28}, {3, 8}, {11, 8}, {11, 14}, {19, 14}, {19, 20}, {29, 20}, {29, 28}}));
         p.setPen(Pen(kAccent, 2));
         p.drawLine(7, 4, 7, 8);
         p.drawLine(15, 10, 15, 14);
         p.drawLine(24, 16, 24, 20);
       }},
      {QStringLiteral("output"),
       [](QPainter& p) {
         Page(p);
         Lines(p, 12, 24);
         Magnifier(p, {19, 19}, 5);
       }},
      {QStringLiteral("profile"),
       [](QPainter& p) {
         Ground(p);
         p.setPen(Pen(kSoilDark, 1));
         p.drawLine(3, 20, 15, 20);
         p.drawLine(17, 25, 29, 25);
       }},
      {QStringLiteral("view3d"),
       [](QPainter& p) {
         p.setPen(Pen(kInk, 1.5));
         p.setBrush(kAccent.lighter(150));
         p.drawPolygon(QPolygonF({{5, 11}, {16, 5}, {27, 11}, {16, 17}}));
         p.setBrush(kAccent);
         p.drawPolygon(QPolygonF({{5, 11}, {16, 17}, {16, 29}, {5, 23}}));
         p.setBrush(kAccent.darker(130));
         p.drawPolygon(QPolygonF({{16, 17}, {27, 11}, {27, 23}, {16, 29}}));
       }},
      {QStringLiteral("py"),
       [](QPainter& p) {
         p.setPen(Pen(kInk, 1.5));
         p.drawLine(4, 28, 28, 28);
         p.drawLine(4, 28, 4, 4);
         QPainterPath path;
         path.moveTo(4, 28);
         path.cubicTo(8, 10, 14, 8, 28, 8);
         p.setPen(Pen(kAccent, 2.2));
         p.drawPath(path);
       }},
      {QStringLiteral("deflection"),
       [](QPainter& p) {
         DepthCurve(p, [](qreal t) { return 0.9 * (1 - t) * (1 - t) - 0.1; }, kAccent);
       }},
      {QStringLiteral("moment"),
       [](QPainter& p) {
         DepthCurve(p, [](qreal t) { return -0.9 * std::sin(M_PI * t); }, kGo);
       }},
      {QStringLiteral("shear"),
       [](QPainter& p) {
         DepthCurve(p, [](qreal t) { return 0.8 * std::cos(M_PI * t) - 0.1; }, QColor(0xd0, 0x5a, 0x1f));
       }},
      {QStringLiteral("reaction"),
       [](QPainter& p) {
         DepthCurve(p, [](qreal t) { return t < 0.4 ? 0.0 : 0.9 * std::sin(2 * M_PI * (t - 0.4) / 0.6); }, kSoilDark);
       }},
      {QStringLiteral("dms"),
       [](QPainter& p) {
         const QColor colours[] = {kAccent, kGo, QColor(0xd0, 0x5a, 0x1f)};
         for (int k = 0; k < 3; ++k) {
           const qreal x0 = 3 + 9.5 * k;
           p.setPen(Pen(kInk, 1));
           p.drawLine(QPointF(x0 + 4, 4), QPointF(x0 + 4, 28));
           QPainterPath path;
           path.moveTo(x0 + 4, 4);
           path.quadTo(x0 + (k == 1 ? 0 : 8), 16, x0 + 4, 28);
           p.setPen(Pen(colours[k], 2));
           p.drawPath(path);
         }
       }},
      {QStringLiteral("pressure"),
       [](QPainter& p) {
         p.setPen(Pen(kWall, 3));
         p.drawLine(6, 4, 6, 28);
         p.setPen(Pen(kInk, 1.5));
         p.setBrush(kSoil.lighter(120));
         p.drawPolygon(QPolygonF({{7, 4}, {27, 28}, {7, 28}}));
       }},
      {QStringLiteral("pan"),
       [](QPainter& p) {
         p.setPen(Pen(kInk, 2));
         p.drawLine(16, 4, 16, 28);
         p.drawLine(4, 16, 28, 16);
         for (const QPolygonF& head : {QPolygonF({{12, 8}, {16, 4}, {20, 8}}),
                                       QPolygonF({{12, 24}, {16, 28}, {20, 24}}),
                                       QPolygonF({{8, 12}, {4, 16}, {8, 20}}),
                                       QPolygonF({{24, 12}, {28, 16}, {24, 20}})}) {
           p.drawPolyline(head);
         }
       }},
      {QStringLiteral("zoomwindow"),
       [](QPainter& p) {
         QPen dash = Pen(kInk, 1.5);
         dash.setStyle(Qt::DashLine);
         p.setPen(dash);
         p.setBrush(Qt::NoBrush);
         p.drawRect(QRectF(4, 4, 18, 14));
         Magnifier(p, {19, 17}, 5);
       }},
      {QStringLiteral("zooming"),
       [](QPainter& p) { Magnifier(p, {13, 13}, 8); }},
      {QStringLiteral("rotate"),
       [](QPainter& p) {
         p.setPen(Pen(kAccent, 2.5));
         p.setBrush(Qt::NoBrush);
         p.drawArc(QRectF(6, 6, 20, 20), 60 * 16, 280 * 16);
         p.drawPolyline(QPolygonF({{20, 4}, {21.5, 8}, {17, 9}}));
       }},
      {QStringLiteral("zoomin"),
       [](QPainter& p) {
         Magnifier(p, {13, 13}, 8);
         p.drawLine(9, 13, 17, 13);
         p.drawLine(13, 9, 13, 17);
       }},
      {QStringLiteral("zoomout"),
       [](QPainter& p) {
         Magnifier(p, {13, 13}, 8);
         p.drawLine(9, 13, 17, 13);
       }},
      {QStringLiteral("restart"),
       [](QPainter& p) {
         p.setPen(Pen(kInk, 1.5));
         p.setBrush(kAccent.lighter(150));
         p.drawPolygon(QPolygonF({{4, 16}, {16, 5}, {28, 16}, {25, 16}, {25, 28}, {7, 28}, {7, 16}}));
       }},
      {QStringLiteral("deformed"),
       [](QPainter& p) {
         p.setPen(Pen(kWall.lighter(150), 2));
         p.drawLine(10, 4, 10, 28);
         QPainterPath path;
         path.moveTo(22, 4);
         path.quadTo(12, 18, 10, 28);
         p.setPen(Pen(kAccent, 2.5));
         p.drawPath(path);
       }},
  };
  return painters;
}

}  // namespace

QIcon ToolIcon(const QString& name) {
  QPixmap pixmap(kSize, kSize);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  if (name.startsWith(QStringLiteral("stage")) && name.size() == 6 &&
      name.back().isDigit()) {
    Digit(painter, name.back().digitValue());
  } else {
    const auto& painters = Painters();
    const auto it = painters.find(name);
    if (it != painters.end()) it->second(painter);
  }
  painter.end();
  return QIcon(pixmap);
}

}  // namespace kestra
