#include "plot_painter.h"

#include <QBrush>
#include <QColor>
#include <QFontMetrics>
#include <QPainter>
#include <QPen>
#include <QPolygon>
#include <QPolygonF>
#include <QRect>
#include <QString>
#include <QTransform>
#include <algorithm>
#include <utility>
#include <vector>
#include <cmath>

#include "layer_patterns.h"

namespace kestra {
namespace {

QString Text(const std::string& s) { return QString::fromStdString(s); }

QColor Colour(int k) {
  const Rgb c = PaletteColour(k);
  return QColor(c.R, c.G, c.B);
}

// The pixels from (Left, Top) to (Right, Bottom), both edges included.
QRect Inclusive(const PixelRect& r) {
  return QRect(r.Left, r.Top, r.Width() + 1, r.Height() + 1);
}

constexpr int kWide = 100000;  // room for a label of any length

void DrawCentred(QPainter& p, int left, int top, int width, int height,
                 const QString& s) {
  p.drawText(QRect(left, top, width, height),
             Qt::AlignCenter | Qt::TextDontClip | Qt::TextSingleLine, s);
}

// Text turned a quarter counter-clockwise (reading upward), centred on
// (cx, cy), `height` across.
void DrawRotated(QPainter& p, int cx, int cy, int height, const QString& s) {
  p.save();
  p.translate(cx, cy);
  p.rotate(-90);
  p.drawText(QRect(-kWide / 2, -height / 2, kWide, height),
             Qt::AlignCenter | Qt::TextDontClip | Qt::TextSingleLine, s);
  p.restore();
}

QPen ThinPen(const QColor& colour = Qt::black) {
  QPen pen(colour, 1);
  pen.setCapStyle(Qt::FlatCap);
  return pen;
}

CurveGroup PanelGroup(int panel) {
  return panel == 0 ? CurveGroup::Lines
                    : panel == 1 ? CurveGroup::Lines2 : CurveGroup::Lines3;
}

void DrawMarker(QPainter& p, int curve_index, double x, double y,
                const PlotTarget& t) {
  QPolygonF polygon;
  for (const TFloatPoint& v :
       MarkerPolygon(curve_index, x, y, t.dpi_x / 32.0L, t.dpi_y / 32.0L))
    polygon << QPointF(static_cast<double>(v.X), static_cast<double>(v.Y));
  p.drawPolygon(polygon);
}

struct Titles {
  QString x, y;
};

Titles PanelTitles(const TGraphPlot& plot, int panel) {
  const int u = plot.Units();
  switch (panel) {
    case 1:
      return {Text(AxisTitle(plot.XCaption2, plot.XUnits2, u)),
              Text(AxisTitle(plot.YCaption2, plot.YUnits2, u))};
    case 2:
      return {Text(AxisTitle(plot.XCaption3, plot.XUnits3, u)),
              Text(AxisTitle(plot.YCaption3, plot.YUnits3, u))};
    default:
      return {Text(AxisTitle(plot.XCaption, plot.XUnits, u)),
              Text(AxisTitle(plot.YCaption, plot.YUnits, u))};
  }
}

void DrawTitles(QPainter& p, const TGraphPlot& plot, const PlotTarget& t,
                const PlotLayout& layout, int h) {
  const PixelRect& out = t.output;
  p.setFont(PlotFont(t.dpi_y, plot.SizeFont, true));
  p.setPen(Qt::black);
  const bool has_title = !plot.Title.empty();
  const bool title_top = has_title && plot.TitleOnTop;
  const bool title_bottom = has_title && !plot.TitleOnTop;
  if (has_title) {
    DrawCentred(p, out.Left, title_top ? out.Top : out.Bottom - h, out.Width(),
                h, Text(plot.Title));
  }
  if (layout.panel_count == 1) {
    const Titles titles = PanelTitles(plot, 0);
    if (plot.XOnTop) {
      const int top = out.Top + (title_top ? h / 8 + h : 0);
      DrawCentred(p, out.Left, top, out.Width(), h, titles.x);
    } else {
      const int bottom = out.Bottom - (title_bottom ? h / 8 + h : 0);
      DrawCentred(p, out.Left, bottom - h, out.Width(), h, titles.x);
    }
    DrawRotated(p, out.Left + h / 2, (out.Top + out.Bottom) / 2, h, titles.y);
    return;
  }
  for (int i = 0; i < layout.panel_count; ++i) {
    const PixelRect& panel = layout.panels[i];
    const Titles titles = PanelTitles(plot, i);
    if (plot.XOnTop) {
      const int top = out.Top + t.dpi_y / 16 + (title_top ? t.dpi_y / 4 : 0);
      DrawCentred(p, panel.Left, top, panel.Width(), h, titles.x);
    } else {
      const int bottom =
          out.Bottom - t.dpi_y / 16 - (title_bottom ? t.dpi_y / 4 : 0);
      DrawCentred(p, panel.Left, bottom - h, panel.Width(), h, titles.x);
    }
    // Where the first panel's title stands at the left edge.
    const int left = panel.Left - (2 * h + t.dpi_x / 8 + h / 8);
    DrawRotated(p, left + h / 2, (panel.Top + panel.Bottom) / 2, h, titles.y);
  }
}

void DrawTicks(QPainter& p, const TGraphPlot& plot, const PlotTarget& t,
               const PixelRect& panel, const PanelRange& range, bool three,
               int h) {
  const int nx = TickIntervals(panel.Width(), h, three);
  const int ny = TickIntervals(panel.Height(), h, three);
  if (nx == 0 || ny == 0) return;
  const PanelMap map(panel, range, plot.XOnTop);
  const std::vector<TickMark> xs = TickMarksX(map, panel, ComputeTicks(range.X, nx));
  const std::vector<TickMark> ys = TickMarksY(map, panel, ComputeTicks(range.Y, ny));
  const int mark_x = t.dpi_y / 16, mark_y = t.dpi_x / 16;

  QPen grid(Qt::black, 1, Qt::DotLine);
  p.setPen(grid);
  for (const TickMark& m : xs) {
    if (m.Major) p.drawLine(m.Pixel, panel.Top, m.Pixel, panel.Bottom);
  }
  for (const TickMark& m : ys) {
    if (m.Major) p.drawLine(panel.Left, m.Pixel, panel.Right, m.Pixel);
  }

  p.setPen(ThinPen());
  for (const TickMark& m : xs) {
    if (plot.XOnTop) {
      p.drawLine(m.Pixel, panel.Top, m.Pixel, panel.Top + mark_x);
    } else {
      p.drawLine(m.Pixel, panel.Bottom, m.Pixel, panel.Bottom - mark_x);
    }
  }
  for (const TickMark& m : ys) p.drawLine(panel.Left, m.Pixel, panel.Left + mark_y, m.Pixel);

  p.setFont(PlotFont(t.dpi_y, plot.SizeFont, false));
  // On a narrow panel the labels of neighbouring major ticks would run into
  // each other; then only every second (third …) major tick is labelled.
  const QFontMetrics metrics = p.fontMetrics();
  const auto labels = [&](const std::vector<TickMark>& marks) {
    std::vector<QString> texts;
    std::vector<int> widths;
    for (const TickMark& m : marks) {
      texts.push_back(m.Major ? Text(TickLabel(m.Value)) : QString());
      widths.push_back(metrics.horizontalAdvance(texts.back()));
    }
    return std::pair{texts, LabelStride(marks, widths, h / 2)};
  };
  const auto [x_texts, x_stride] = labels(xs);
  for (std::size_t i = 0; i < xs.size(); ++i) {
    if (!LabelledAtStride(xs[i], x_stride)) continue;
    const int top = plot.XOnTop ? panel.Top - t.dpi_y / 32 - h
                                : panel.Bottom + t.dpi_y / 16;
    DrawCentred(p, xs[i].Pixel - kWide / 2, top, kWide, h, x_texts[i]);
  }
  const auto [y_texts, y_stride] = labels(ys);
  for (std::size_t i = 0; i < ys.size(); ++i) {
    if (!LabelledAtStride(ys[i], y_stride)) continue;
    DrawRotated(p, panel.Left - t.dpi_x / 32 - h / 2, ys[i].Pixel, h, y_texts[i]);
  }
}

void DrawCurves(QPainter& p, const TGraphPlot& plot, const PlotTarget& t,
                const PlotView& view, const PlotLayout& layout) {
  const bool three = layout.panel_count == 3;
  const int width = CurvePenWidth(t.dpi_x, plot.WidthLine);
  const int marker_width = CurvePenWidth(t.dpi_x, 1);
  const int main_count = plot.LineCount(CurveGroup::Lines);
  for (int i = 0; i < layout.panel_count; ++i) {
    const CurveGroup group = PanelGroup(i);
    const PixelRect& panel = layout.panels[i];
    const PanelMap map(panel, view.range[static_cast<size_t>(i)], plot.XOnTop);
    const int curves = plot.LineCount(group);
    p.save();
    p.setClipRect(Inclusive(panel));
    for (size_t k = 0; k < view.legend_curves.size(); ++k) {
      const int c = view.legend_curves[k];
      if (c < 0 || c >= main_count || c >= curves) continue;
      const TLine& main = plot.Line(CurveGroup::Lines, c);
      if (!main.Active || !main.Visible) continue;
      const TLine& line = plot.Line(group, c);
      const size_t n = DrawnPointCount(line.Points.size(), curves, three);
      const QColor colour = Colour(static_cast<int>(k));
      QPen pen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
      p.setPen(pen);
      p.setBrush(Qt::NoBrush);
      QPolygon run;
      for (size_t j = 0; j < n; ++j) {
        const TFloatPoint& v = line.Points[j];
        if (!std::isfinite(v.X) || !std::isfinite(v.Y)) {
          if (run.size() > 1) p.drawPolyline(run);
          run.clear();
          continue;
        }
        run << QPoint(map.ScreenX(v.X), map.ScreenY(v.Y));
      }
      if (run.size() > 1) p.drawPolyline(run);
      if (run.size() == 1) p.drawPoint(run.front());
      if (plot.Markers > 0) {
        p.setPen(QPen(colour, marker_width));
        for (size_t j = 0; j < n; ++j) {
          const TFloatPoint& v = line.Points[j];
          if (!IsMarkerPoint(j, plot.Markers) || !std::isfinite(v.X) ||
              !std::isfinite(v.Y))
            continue;
          DrawMarker(p, static_cast<int>(k), map.ScreenX(v.X), map.ScreenY(v.Y), t);
        }
      }
    }
    p.restore();
  }
}

void DrawLegendBox(QPainter& p, const TGraphPlot& plot, const PlotTarget& t,
                   const PlotView& view) {
  const QFont font =
      LegendFont(t.dpi_y, plot.LegendFont * plot.SizeFont / 10.0);
  const QFontMetrics metrics(font);
  std::vector<std::pair<int, QString>> entries;  // legend position, name
  int widest = 0;
  for (size_t k = 0; k < view.legend_curves.size(); ++k) {
    const int c = view.legend_curves[k];
    if (c < 0 || c >= plot.LineCount(CurveGroup::Lines)) continue;
    const TLine& line = plot.Line(CurveGroup::Lines, c);
    if (!line.Visible) continue;
    std::string name = plot.CurveLabel(line);
    if (plot.onGetCaption) plot.onGetCaption(c, name);
    entries.emplace_back(static_cast<int>(k), Text(name));
    widest = std::max(widest, metrics.horizontalAdvance(entries.back().second));
  }
  const PrintedLegend box = PrintedLegendBox(
      t.output, view.window_width, view.window_height, view.legend_pos, widest,
      metrics.height(), static_cast<int>(entries.size()), t.dpi_x, t.dpi_y);
  p.setPen(QPen(Qt::black, CurvePenWidth(t.dpi_x, 1)));
  p.setBrush(Qt::white);
  p.drawRect(box.box.Left, box.box.Top, box.box.Width(), box.box.Height());
  p.setFont(font);
  for (size_t v = 0; v < entries.size(); ++v) {
    const QColor colour = Colour(entries[v].first);
    p.setPen(QPen(colour, CurvePenWidth(t.dpi_x, 1)));
    p.setBrush(Qt::NoBrush);
    DrawMarker(p, entries[v].first, box.marker_x, box.line_middle[v], t);
    p.setPen(colour);
    p.drawText(QRect(box.text_x, box.line_top[v], kWide, metrics.height()),
               Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
               entries[v].second);
  }
}

void DrawLayerStrip(QPainter& p, const TGraphPlot& plot, const PlotTarget& t,
                    const PlotView& view, const PlotLayout& layout) {
  const PixelRect& strip = layout.strip;
  const PanelMap map(strip, view.range[0], plot.XOnTop);
  const bool large = t.mode == LayoutMode::kPrint;
  p.save();
  p.setClipRect(Inclusive(strip));
  p.setBrushOrigin(strip.Left, strip.Top);
  const QFont name_font = PlotFont(t.dpi_y, 10, false);
  const QFontMetrics metrics(name_font);
  for (const StripRegion& r : LayerStripRegions(plot, strip, map)) {
    p.setPen(ThinPen());
    if (r.wall) {
      p.setBrush(QColor(128, 128, 128));
    } else if (const QImage* image =
                   view.patterns ? view.patterns->ForCode(r.code, large) : nullptr) {
      QBrush brush(*image);
      // The print pictures are drawn for about 300 dpi; finer printers
      // enlarge them rather than shrink the pattern to specks.
      const double scale = large ? std::max(1.0, t.dpi_x / 300.0) : 1.0;
      if (scale > 1.0) brush.setTransform(QTransform::fromScale(scale, scale));
      p.setBrush(brush);
    } else {
      p.setBrush(Qt::NoBrush);
    }
    p.drawRect(r.rect.Left, r.rect.Top, r.rect.Width(), r.rect.Height());
    if (!r.name.empty()) {
      const QString name = Text(r.name);
      QRect text = metrics.boundingRect(name);
      text.moveCenter(QPoint((r.rect.Left + r.rect.Right) / 2,
                             (r.rect.Top + r.rect.Bottom) / 2));
      p.fillRect(text, Qt::white);
      p.setFont(name_font);
      p.setPen(Qt::black);
      p.drawText(text, Qt::AlignCenter | Qt::TextDontClip, name);
    }
  }
  p.restore();
}

}  // namespace

QFont PlotFont(int dpi_y, int size_font, bool bold) {
  QFont font(QStringLiteral("Times New Roman"));
  font.setStyleHint(QFont::Serif);
  const double pixels = 14.0 * dpi_y / 96.0 * size_font / 10.0;
  font.setPixelSize(std::max(1, static_cast<int>(std::lround(pixels))));
  font.setWeight(bold ? QFont::Bold : QFont::Normal);
  return font;
}

QFont LegendFont(int dpi_y, double points) {
  QFont font(QStringLiteral("Times New Roman"));
  font.setStyleHint(QFont::Serif);
  font.setPixelSize(std::max(1, static_cast<int>(std::lround(points * dpi_y / 72.0))));
  return font;
}

int CharHeight(int dpi_y, int size_font) {
  return QFontMetrics(PlotFont(dpi_y, size_font, false)).height();
}

PlotLayout PlotLayoutFor(const TGraphPlot& plot, const PlotTarget& target) {
  LayoutInput in;
  in.output = target.output;
  in.dpi_x = target.dpi_x;
  in.dpi_y = target.dpi_y;
  in.char_height = CharHeight(target.dpi_y, plot.SizeFont);
  in.x_on_top = plot.XOnTop;
  in.has_title = !plot.Title.empty();
  in.title_on_top = plot.TitleOnTop;
  in.show_layers = plot.ShowLayers;
  in.show_three = plot.ShowThree;
  in.mode = target.mode;
  return LayOutPlot(in);
}

void PaintPlot(QPainter& p, const PlotTarget& t, const PlotView& view) {
  const PixelRect& out = t.output;
  p.fillRect(QRect(out.Left, out.Top, out.Width(), out.Height()), Qt::white);
  if (!view.plot || !RoomToDraw(out, t.dpi_x, t.dpi_y)) return;
  const TGraphPlot& plot = *view.plot;
  const PlotLayout layout = PlotLayoutFor(plot, t);
  const int h = CharHeight(t.dpi_y, plot.SizeFont);
  p.save();
  p.setRenderHint(QPainter::Antialiasing, false);
  p.setRenderHint(QPainter::TextAntialiasing, true);

  DrawTitles(p, plot, t, layout, h);
  for (int i = 0; i < layout.panel_count; ++i) {
    DrawTicks(p, plot, t, layout.panels[i], view.range[static_cast<size_t>(i)],
              layout.panel_count == 3, h);
  }
  DrawCurves(p, plot, t, view, layout);
  if (t.mode != LayoutMode::kWindow && view.legend_shown)
    DrawLegendBox(p, plot, t, view);
  if (plot.ShowLayers && layout.has_strip) DrawLayerStrip(p, plot, t, view, layout);

  p.setPen(ThinPen());
  p.setBrush(Qt::NoBrush);
  for (int i = 0; i < layout.panel_count; ++i) {
    const PixelRect& r = layout.panels[i];
    p.drawRect(r.Left, r.Top, r.Width(), r.Height());
  }
  p.restore();
}

}  // namespace kestra
