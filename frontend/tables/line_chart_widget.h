// LineChartWidget: the line chart of a chart table's editing window. One
// curve through the points in row order, drawn with its axes, ticks and
// titles; no legend. The axis ranges and numbers come from chart_axis.h.
#pragma once

#include <QString>
#include <QWidget>

#include "chart_axis.h"

namespace kestra {

class LineChartWidget : public QWidget {
 public:
  explicit LineChartWidget(QWidget* parent = nullptr);

  // Replaces the curve and the axis titles and redraws.
  void SetCurve(ChartCurve curve, QString bottom_title, QString left_title);

  const ChartCurve& Curve() const { return curve_; }
  const ChartScale& Scale() const { return scale_; }
  const QString& BottomTitle() const { return bottom_title_; }
  const QString& LeftTitle() const { return left_title_; }
  // Times the chart has been asked to redraw, for the tests.
  int Redraws() const { return redraws_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  ChartCurve curve_;
  ChartScale scale_;
  QString bottom_title_;
  QString left_title_;
  int redraws_ = 0;
};

}  // namespace kestra
