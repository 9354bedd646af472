// TPlotForm: the window of one result graph inside the main window's frame,
// with its "&Plot" menu, the movable legend, rubber-band zoom, printing and
// saving as a picture. TPlotWindows keeps at most one window per graph.
#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>
#include <array>
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "graph_dialogs.h"
#include "layer_patterns.h"
#include "page_setup_dialog.h"
#include "plot_data.h"
#include "plot_geometry.h"
#include "plot_layout.h"
#include "plot_painter.h"

class QAction;
class QActionGroup;
class QImage;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QMenuBar;
class QPrinter;

namespace kestra {

// The owner-drawn legend list: one entry per active curve in its palette
// colour, " *" while the curve is visible. It can be dragged inside its
// parent; a double-click toggles the entry's curve.
class TPlotLegend : public QWidget {
  Q_OBJECT

 public:
  struct Entry {
    int curve = 0;
    QString name;
  };

  TPlotLegend(const TGraphPlot& plot, QWidget* parent);

  void SetEntries(std::vector<Entry> entries);
  int Count() const { return static_cast<int>(entries_.size()); }
  int Curve(int row) const { return entries_[static_cast<size_t>(row)].curve; }
  QString Name(int row) const { return entries_[static_cast<size_t>(row)].name; }
  void SetName(int row, const QString& name);
  // The entry as drawn.
  QString Text(int row) const;
  std::vector<int> Curves() const;

  // The font in points; the item height follows at 1.5 times it.
  void SetFontPoints(double points);
  int ItemHeight() const { return item_height_; }

  // Entries x item height + 3.
  void FitHeight();
  // Widens until every entry fits with `spare` pixels to spare; with
  // `assume_visible` as if every curve were visible.
  void GrowWidth(int spare, bool assume_visible);

 signals:
  void EntryDoubleClicked(int row);
  void Moved();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  int RowAt(int y) const;

  const TGraphPlot& plot_;
  std::vector<Entry> entries_;
  int item_height_ = 16;
  bool dragging_ = false;
  QPoint grab_;
};

class TPlotForm : public QWidget {
  Q_OBJECT

 public:
  explicit TPlotForm(TGraphPlot& plot, QWidget* parent = nullptr);
  ~TPlotForm() override;
  TPlotForm(const TPlotForm&) = delete;
  TPlotForm& operator=(const TPlotForm&) = delete;

  TGraphPlot& Plot() { return plot_; }
  QWidget* Canvas() const { return canvas_; }
  TPlotLegend* Legend() const { return legend_; }
  QMenu* PlotMenu() const { return plot_menu_; }
  // Fixed menu items by name ("ShowLegend", "ShowSoilLayer",
  // "ShowWallGeometry", "ShowMarkers", "FontSize", "LineWidth", "GraphTitle",
  // "EditLegend", "ActiveCurves", "Print", "PageSetup", "SaveToDisk").
  QAction* Item(const QString& name) const;
  const std::vector<QAction*>& CurveItems() const { return curve_items_; }
  const PlotLayout& Layout() const { return layout_; }
  const PanelRange& Range(int panel) const { return range_[static_cast<size_t>(panel)]; }
  const PanelRange& FullRange(int panel) const { return full_[static_cast<size_t>(panel)]; }
  TPageSetupDialog& PageSetup() { return page_setup_; }

  // What opening the "&Plot" menu does to its items.
  void UpdatePlotMenu();

  // The menu commands.
  void PrintClick();
  void PageSetupClick();
  void SaveToDiskClick();
  // One page on `printer` as it is set up; false when it could not start.
  bool PrintTo(QPrinter& printer);
  // Draws the graph into a picture of `bitmap`'s size and saves it under
  // `path`: PNG for a name ending in ".png", else BMP.
  bool SaveBitmap(const QString& path, const QImage& bitmap,
                  SaveColours colours = SaveColours::kTrue24);

  // After the graphs were read again: legend and curve items follow the
  // curves; an unzoomed view follows the new full range.
  void GraphChanged();

  // The dialogs, replaceable so that tests never block.
  std::function<bool(QPrinter&)> ChoosePrinter;
  std::function<QString()> ChooseSaveFile;
  std::function<SaveAttributesResult(QImage&, SaveColours&)> ChooseBitmap;
  std::function<void(TGraphPlot&)> EditTitle;
  std::function<bool(TGraphPlot&)> EditNames;
  std::function<bool(TGraphPlot&)> EditActive;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void CreateMenu();
  QAction* AddItem(QMenu* menu, const char* name, const char* caption,
                   void (TPlotForm::*handler)());
  QMenu* AddTagMenu(const char* name, const char* caption,
                    const std::vector<std::pair<const char*, int>>& items,
                    QActionGroup* group, void (TPlotForm::*handler)(int));

  // Legend entries and curve items for the active curves, in order.
  void BuildCurveEntries();
  std::string EntryName(int curve) const;
  void FitLegend(int spare, bool assume_visible);
  void ComputeRanges();
  // Lays the window out again; the legend goes to the plot's lower right
  // corner, or only stays inside.
  void Relayout(bool place_legend);
  PlotTarget ScreenTarget() const;
  PlotView View() const;
  QPrinter& Printer();

  void Paint();
  void MouseMove(QMouseEvent* event);
  void MousePress(QMouseEvent* event);
  void MouseRelease(QMouseEvent* event);
  void ToggleCurve(int curve);

  void ShowLegendClick();
  void ShowSoilLayerClick();
  void ShowWallClick();
  void MarkersClick(int tag);
  void FontSizeClick(int tag);
  void LineWidthClick(int tag);
  void GraphTitleClick();
  void EditLegendClick();
  void ActiveCurvesClick();

  TGraphPlot& plot_;
  QMenuBar* menu_bar_ = nullptr;
  QMenu* plot_menu_ = nullptr;
  std::map<QString, QAction*> items_;
  QActionGroup* marker_group_ = nullptr;
  QAction* curve_separator_ = nullptr;
  std::vector<QAction*> curve_items_;
  QWidget* canvas_ = nullptr;
  TPlotLegend* legend_ = nullptr;
  TLayerPatterns patterns_;
  TPageSetupDialog page_setup_;
  std::unique_ptr<QPrinter> printer_;

  std::array<PanelRange, 3> full_{}, range_{};
  PlotLayout layout_;
  int seen_curves_ = 0;       // curves of Lines when last laid out
  bool place_legend_ = true;  // until the first paint
  bool banding_ = false;
  QPoint anchor_, corner_;
};

// One window per graph, created on first use inside the frame, shown
// maximised; closing a window frees it and its graph no longer has one.
class TPlotWindows {
 public:
  explicit TPlotWindows(QMdiArea* area);
  ~TPlotWindows();
  TPlotWindows(const TPlotWindows&) = delete;
  TPlotWindows& operator=(const TPlotWindows&) = delete;

  TPlotForm* ShowPlot(TGraphPlot& plot);
  // The open window of a graph, or none.
  TPlotForm* Window(const TGraphPlot& plot) const;
  // Every open window shows the graphs as they are now.
  void GraphsChanged();
  void CloseAll();

 private:
  QPointer<QMdiArea> area_;
  std::map<const TGraphPlot*, QPointer<TPlotForm>> windows_;
};

}  // namespace kestra
