#include "line_chart_widget.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

namespace kestra {
namespace {

QString Number(long double value, AxisNumberStyle style) {
  return QString::fromStdString(FormatAxisNumber(value, style));
}

// Major ticks only: every fifth minor step of the tick set.
std::vector<long double> MajorTicks(AxisRange range, int intervals) {
  std::vector<long double> values;
  const TickSet ticks = ComputeTicks(range, std::max(intervals, 1));
  for (long long k = ticks.First; k <= ticks.Last; ++k) {
    if (TickSet::IsMajor(k)) values.push_back(ticks.Value(k));
  }
  return values;
}

}  // namespace

LineChartWidget::LineChartWidget(QWidget* parent) : QWidget(parent) {
  setAutoFillBackground(true);
  QPalette colours = palette();
  colours.setColor(QPalette::Window, Qt::white);
  setPalette(colours);
  scale_ = ScaleChart(curve_);
}

void LineChartWidget::SetCurve(ChartCurve curve, QString bottom_title,
                               QString left_title) {
  curve_ = std::move(curve);
  scale_ = ScaleChart(curve_);
  bottom_title_ = std::move(bottom_title);
  left_title_ = std::move(left_title);
  ++redraws_;
  update();
}

void LineChartWidget::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  const QFontMetrics metrics(font());
  const int h = metrics.height();
  const AxisNumberStyle x_style = ChooseAxisNumberStyle(scale_.bottom);
  const AxisNumberStyle y_style = ChooseAxisNumberStyle(scale_.left);

  // The left margin holds the widest number the left axis may show.
  const std::vector<long double> y_ticks =
      MajorTicks(scale_.left, std::max(1, (height() - 4 * h) / (2 * h)));
  int y_label_width = 0;
  for (long double v : y_ticks) {
    y_label_width =
        std::max(y_label_width, metrics.horizontalAdvance(Number(v, y_style)));
  }
  const int widest_x = std::max(
      metrics.horizontalAdvance(Number(scale_.bottom.Min, x_style)),
      metrics.horizontalAdvance(Number(scale_.bottom.Max, x_style)));
  const QRect plot(h + y_label_width + h, h,
                   std::max(1, width() - (2 * h + y_label_width) -
                                   std::max(h, widest_x / 2 + 2)),
                   std::max(1, height() - 4 * h));
  const PixelRect rect{plot.left(), plot.top(), plot.left() + plot.width(),
                       plot.top() + plot.height()};
  const PanelMap map(rect, {scale_.bottom, scale_.left}, false);

  // Grid lines and numbers.
  const std::vector<long double> x_ticks =
      MajorTicks(scale_.bottom, plot.width() / std::max(widest_x + 2 * h, 1));
  painter.setPen(QPen(QColor(210, 210, 210), 0, Qt::DotLine));
  for (long double v : x_ticks) {
    const int x = map.ScreenX(v);
    painter.drawLine(x, rect.Top, x, rect.Bottom);
  }
  for (long double v : y_ticks) {
    const int y = map.ScreenY(v);
    painter.drawLine(rect.Left, y, rect.Right, y);
  }
  painter.setPen(palette().color(QPalette::WindowText));
  for (long double v : x_ticks) {
    const int x = map.ScreenX(v);
    painter.drawLine(x, rect.Bottom, x, rect.Bottom + h / 3);
    const QString text = Number(v, x_style);
    const int w = metrics.horizontalAdvance(text);
    painter.drawText(QRect(x - w / 2 - 1, rect.Bottom + h / 3, w + 2, h),
                     Qt::AlignCenter, text);
  }
  for (long double v : y_ticks) {
    const int y = map.ScreenY(v);
    painter.drawLine(rect.Left - h / 3, y, rect.Left, y);
    painter.drawText(QRect(h, y - h / 2, y_label_width, h),
                     Qt::AlignRight | Qt::AlignVCenter, Number(v, y_style));
  }
  painter.drawRect(plot.adjusted(0, 0, -1, -1));

  // Axis titles; the left one reads upward.
  painter.drawText(QRect(rect.Left, rect.Bottom + h + h / 3, rect.Width(), h),
                   Qt::AlignHCenter | Qt::AlignTop, bottom_title_);
  painter.save();
  painter.translate(0, rect.Top + rect.Height() / 2);
  painter.rotate(-90);
  painter.drawText(QRect(-rect.Height() / 2, 0, rect.Height(), h),
                   Qt::AlignHCenter | Qt::AlignTop, left_title_);
  painter.restore();

  // The curve, with a small mark at each point so that a single point or
  // a point on a straight stretch still shows.
  painter.setClipRect(plot);
  QPainterPath line;
  bool started = false;
  for (const auto& [x, y] : curve_.points) {
    if (!std::isfinite(x) || !std::isfinite(y)) {
      started = false;
      continue;
    }
    const QPointF p(map.ScreenX(x), map.ScreenY(y));
    if (started) {
      line.lineTo(p);
    } else {
      line.moveTo(p);
      started = true;
    }
  }
  const QColor curve_colour(200, 0, 0);
  painter.setPen(QPen(curve_colour, 2));
  painter.drawPath(line);
  painter.setBrush(curve_colour);
  painter.setPen(Qt::NoPen);
  for (const auto& [x, y] : curve_.points) {
    if (std::isfinite(x) && std::isfinite(y)) {
      painter.drawEllipse(QPointF(map.ScreenX(x), map.ScreenY(y)), 2.5, 2.5);
    }
  }
}

}  // namespace kestra
