#include "help_pictures.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <array>
#include <cmath>
#include <utility>
#include <vector>

namespace kestra {
namespace {

constexpr QColor kInk{0, 0, 0};
constexpr QColor kSoil{205, 170, 110};
constexpr QColor kPressure{150, 190, 235};

void Arrow(QPainter& p, QPointF from, QPointF to) {
  p.drawLine(from, to);
  const QPointF d = to - from;
  const qreal len = std::hypot(d.x(), d.y());
  if (len <= 0) return;
  const QPointF u = d / len;
  const QPointF n(-u.y(), u.x());
  p.drawLine(to, to - u * 6 + n * 3);
  p.drawLine(to, to - u * 6 - n * 3);
}

// A dimension line with arrows at both ends and a label at its middle.
void Dimension(QPainter& p, QPointF a, QPointF b, const QString& label,
               QPointF label_offset) {
  const QPointF mid = (a + b) / 2;
  Arrow(p, mid, a);
  Arrow(p, mid, b);
  p.drawText(QRectF(mid + label_offset - QPointF(40, 8), QSizeF(80, 16)),
             Qt::AlignCenter, label);
}

// One braced wall with two levels of struts and its apparent pressure
// diagram. `cut_bottom` makes the diagram fall to zero over the last 0.2H.
void BracedWall(QPainter& p, QPointF origin, const QString& title,
                bool cut_bottom) {
  const qreal top = origin.y() + 40;
  const qreal h = 200;
  const qreal bottom = top + h;
  const qreal wall = origin.x() + 70;
  const qreal width = 300;

  p.setPen(QPen(kInk, 1));
  p.drawText(QRectF(origin.x(), origin.y() + 4, width, 20), Qt::AlignCenter,
             title);

  // Retained soil behind the wall, excavation level in front.
  p.fillRect(QRectF(origin.x() + 10, top, wall - origin.x() - 10, h + 30),
             kSoil);
  p.fillRect(QRectF(wall, bottom, 110, 30), kSoil);
  p.drawLine(QPointF(origin.x() + 10, top), QPointF(wall, top));
  p.drawLine(QPointF(wall, bottom), QPointF(wall + 110, bottom));

  p.setPen(QPen(kInk, 4));
  p.drawLine(QPointF(wall, top - 5), QPointF(wall, bottom + 25));
  p.setPen(QPen(kInk, 2));
  for (qreal level : {top + 0.25 * h, top + 0.65 * h}) {
    p.drawLine(QPointF(wall, level), QPointF(wall + 100, level));
    p.drawLine(QPointF(wall + 100, level - 6), QPointF(wall + 100, level + 6));
  }

  // The wall height H to the excavation level.
  p.setPen(QPen(kInk, 1));
  Dimension(p, QPointF(origin.x() + 25, top), QPointF(origin.x() + 25, bottom),
            QStringLiteral("H"), QPointF(12, 0));

  // Apparent earth-pressure diagram of maximum ordinate 0.8(Ka)(gamma)(H).
  const qreal axis = wall + 130;
  const qreal ordinate = 70;
  QPolygonF diagram;
  diagram << QPointF(axis, top) << QPointF(axis + ordinate, top + 0.2 * h);
  if (cut_bottom) {
    diagram << QPointF(axis + ordinate, top + 0.8 * h);
  } else {
    diagram << QPointF(axis + ordinate, bottom);
  }
  diagram << QPointF(axis, bottom);
  p.setBrush(kPressure);
  p.drawPolygon(diagram);
  p.setBrush(Qt::NoBrush);

  const qreal dim = axis + ordinate + 12;
  std::vector<std::pair<qreal, QString>> parts;
  if (cut_bottom) {
    parts = {{0.2, QStringLiteral("0.2H")},
             {0.6, QStringLiteral("0.6H")},
             {0.2, QStringLiteral("0.2H")}};
  } else {
    parts = {{0.2, QStringLiteral("0.2H")}, {0.8, QStringLiteral("0.8H")}};
  }
  qreal y = top;
  for (const auto& [share, label] : parts) {
    const qreal next = y + share * h;
    Dimension(p, QPointF(dim, y), QPointF(dim, next), label, QPointF(24, 0));
    p.drawLine(QPointF(dim - 4, next), QPointF(dim + 4, next));
    y = next;
  }
  p.drawText(QRectF(axis - 30, bottom + 6, 150, 16), Qt::AlignCenter,
             QString::fromUtf8("0.8(Ka)(\u03b3)(H)"));
  Arrow(p, QPointF(axis + ordinate / 2, bottom + 8),
        QPointF(axis + ordinate - 2, top + 0.5 * h));
}

QPixmap ApparentEarthPressure() {
  QPixmap pixmap(700, 290);
  pixmap.fill(Qt::white);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  BracedWall(p, QPointF(10, 0), QStringLiteral("Dense Sand"), true);
  BracedWall(p, QPointF(350, 0), QStringLiteral("Loose Sand"), false);
  return pixmap;
}

// Plan view of a wall with tiebacks at spacing Wt.
QPixmap TiebackSpringPlan() {
  QPixmap pixmap(560, 300);
  pixmap.fill(Qt::white);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(kInk, 1));
  p.drawText(QRectF(0, 4, 560, 18), Qt::AlignCenter,
             QStringLiteral("Plan View"));

  const qreal wall = 170;
  p.fillRect(QRectF(20, 30, 520, wall - 30), kSoil);
  p.drawText(QRectF(20, 34, 120, 16), Qt::AlignLeft,
             QStringLiteral("Backfill"));
  p.drawText(QRectF(20, wall + 8, 120, 16), Qt::AlignLeft,
             QStringLiteral("Excavation"));
  p.setPen(QPen(kInk, 5));
  p.drawLine(QPointF(20, wall), QPointF(540, wall));

  // Tiebacks reaching into the backfill, each with its grouted anchor.
  const std::array<qreal, 3> xs{130, 280, 430};
  for (qreal x : xs) {
    p.setPen(QPen(kInk, 2));
    p.drawLine(QPointF(x, wall), QPointF(x, 70));
    p.setBrush(QColor(120, 120, 120));
    p.drawRoundedRect(QRectF(x - 6, 40, 12, 36), 5, 5);
    p.setBrush(Qt::NoBrush);
  }
  p.setPen(QPen(kInk, 1));
  p.drawText(QRectF(xs[2] + 10, 90, 110, 32), Qt::AlignLeft,
             QStringLiteral("single tieback\nkt = AE/L"));

  // Spacing along the wall, and the widths Wa and Wp.
  Dimension(p, QPointF(xs[0], 135), QPointF(xs[1], 135),
            QStringLiteral("Wt"), QPointF(0, -10));
  p.setPen(QPen(kInk, 1, Qt::DashLine));
  for (qreal x : {xs[1] - 45.0, xs[1] + 45.0}) {
    p.drawLine(QPointF(x, wall - 20), QPointF(x, wall + 60));
  }
  p.setPen(QPen(kInk, 1));
  Dimension(p, QPointF(xs[1] - 45, wall - 14), QPointF(xs[1] + 45, wall - 14),
            QStringLiteral("Wa"), QPointF(0, -10));
  Dimension(p, QPointF(xs[1] - 45, wall + 40), QPointF(xs[1] + 45, wall + 40),
            QStringLiteral("Wp"), QPointF(0, 10));

  p.drawText(QRectF(20, 240, 520, 50), Qt::AlignLeft | Qt::TextWordWrap,
             QStringLiteral("When Wt > Wa, the spring stiffness to enter is\n"
                            "k = kt \u00d7 Wa / Wt"));
  return pixmap;
}

QPixmap Placeholder(const std::string& name) {
  QPixmap pixmap(240, 80);
  pixmap.fill(QColor(245, 245, 245));
  QPainter p(&pixmap);
  p.setPen(QPen(QColor(140, 140, 140), 1, Qt::DashLine));
  p.drawRect(pixmap.rect().adjusted(0, 0, -1, -1));
  p.setPen(kInk);
  p.drawText(pixmap.rect(), Qt::AlignCenter,
             QStringLiteral("Help picture\n") + QString::fromStdString(name));
  return pixmap;
}

}  // namespace

QPixmap HelpPictureImage(const std::string& name) {
  if (name.empty()) return QPixmap();
  if (name == "ApparentEarthPressure") return ApparentEarthPressure();
  if (name == "TiebackSpringPlan") return TiebackSpringPlan();
  return Placeholder(name);
}

}  // namespace kestra
