#include "plot_form.h"

#include <QAction>
#include <QActionGroup>
#include <QEvent>
#include <QFontMetrics>
#include <QImage>
#include <QKeySequence>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPageLayout>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QResizeEvent>
#include <QShortcut>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <exception>
#include <new>

#include "info_box_widget.h"
#include "picture_file.h"

namespace kestra {
namespace {

constexpr double kLegendPoints = 11;  // the legend list's own font
constexpr int kLegendStartWidth = 21;
const char* const kNoMemory = "There is not enough memory to complete this task.";

QString Q(const std::string& s) { return QString::fromStdString(s); }

// Menu texts show "&" only when doubled.
QString MenuText(const QString& s) {
  QString text = s;
  return text.replace(QLatin1Char('&'), QStringLiteral("&&"));
}

bool Contains(const PixelRect& r, const QPoint& p) {
  return p.x() >= r.Left && p.x() <= r.Right && p.y() >= r.Top &&
         p.y() <= r.Bottom;
}

bool SameRange(const PanelRange& a, const PanelRange& b) {
  return a.X.Min == b.X.Min && a.X.Max == b.X.Max && a.Y.Min == b.Y.Min &&
         a.Y.Max == b.Y.Max;
}

// Commands end here: what goes wrong is shown, nothing reaches the event
// loop.
template <typename F>
void Guarded(QWidget* parent, F&& command) {
  try {
    command();
  } catch (const std::bad_alloc&) {
    ShowInformation(parent, kNoMemory);
  } catch (const std::exception& e) {
    ShowInformation(parent, e.what());
  }
}

}  // namespace

// ---------------------------------------------------------------------------
// Legend

TPlotLegend::TPlotLegend(const TGraphPlot& plot, QWidget* parent)
    : QWidget(parent), plot_(plot) {
  setObjectName(QStringLiteral("Legend"));
  setAttribute(Qt::WA_OpaquePaintEvent);
  resize(kLegendStartWidth, LegendHeight(0, item_height_));
}

void TPlotLegend::SetEntries(std::vector<Entry> entries) {
  entries_ = std::move(entries);
  update();
}

void TPlotLegend::SetName(int row, const QString& name) {
  if (row < 0 || row >= Count()) return;
  entries_[static_cast<size_t>(row)].name = name;
  update();
}

QString TPlotLegend::Text(int row) const {
  const Entry& e = entries_[static_cast<size_t>(row)];
  const bool visible = e.curve >= 0 &&
                       e.curve < plot_.LineCount(CurveGroup::Lines) &&
                       plot_.Line(CurveGroup::Lines, e.curve).Visible;
  return Q(LegendEntryText(e.name.toStdString(), visible));
}

std::vector<int> TPlotLegend::Curves() const {
  std::vector<int> curves;
  for (const Entry& e : entries_) curves.push_back(e.curve);
  return curves;
}

void TPlotLegend::SetFontPoints(double points) {
  const QFont f = LegendFont(logicalDpiY(), points);
  setFont(f);
  const int scaled = static_cast<int>(std::lround(1.5 * points * logicalDpiY() / 96.0));
  item_height_ = std::max(scaled, QFontMetrics(f).height());
}

void TPlotLegend::FitHeight() {
  resize(width(), LegendHeight(Count(), item_height_));
}

void TPlotLegend::GrowWidth(int spare, bool assume_visible) {
  const QFontMetrics metrics(font());
  int widest = 0;
  for (int row = 0; row < Count(); ++row) {
    const QString text =
        assume_visible ? Name(row) + QStringLiteral(" *") : Text(row);
    widest = std::max(widest, metrics.horizontalAdvance(text));
  }
  const int wanted = GrowLegendWidth(width(), widest, spare);
  if (wanted == width()) return;
  resize(wanted, height());
  // Wider, it must still stay inside the window.
  if (parentWidget()) {
    const PixelPoint kept =
        ClampLegend({x(), y()}, width(), height(), parentWidget()->width(),
                    parentWidget()->height());
    move(kept.X, kept.Y);
  }
}

int TPlotLegend::RowAt(int y) const {
  if (item_height_ <= 0 || y < 1) return -1;
  const int row = (y - 1) / item_height_;
  return row < Count() ? row : -1;
}

void TPlotLegend::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), Qt::white);
  p.setPen(Qt::black);
  p.drawRect(0, 0, width() - 1, height() - 1);
  p.setFont(font());
  const QFontMetrics metrics(font());
  const int spare = logicalDpiX() / 8;
  bool too_narrow = false;
  for (int row = 0; row < Count(); ++row) {
    const Rgb c = PaletteColour(row);
    p.setPen(QColor(c.R, c.G, c.B));
    const QString text = Text(row);
    p.drawText(QRect(1 + 4, 1 + row * item_height_, width() - 6, item_height_),
               Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text);
    if (4 + metrics.horizontalAdvance(text) + spare > width()) too_narrow = true;
  }
  // An entry that does not fit widens the box, after this paint.
  if (too_narrow) {
    QMetaObject::invokeMethod(
        this, [this, spare] { GrowWidth(spare, false); }, Qt::QueuedConnection);
  }
}

void TPlotLegend::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  dragging_ = true;
  grab_ = event->position().toPoint();
}

void TPlotLegend::mouseMoveEvent(QMouseEvent* event) {
  if (!dragging_ || !parentWidget()) return;
  const QPoint to = mapToParent(event->position().toPoint()) - grab_;
  const PixelPoint kept = ClampLegend({to.x(), to.y()}, width(), height(),
                                      parentWidget()->width(),
                                      parentWidget()->height());
  move(kept.X, kept.Y);
  emit Moved();
}

void TPlotLegend::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) dragging_ = false;
}

void TPlotLegend::mouseDoubleClickEvent(QMouseEvent* event) {
  dragging_ = false;
  const int row = RowAt(event->position().toPoint().y());
  if (row >= 0) emit EntryDoubleClicked(row);
}

// ---------------------------------------------------------------------------
// The window

TPlotForm::TPlotForm(TGraphPlot& plot, QWidget* parent)
    : QWidget(parent), plot_(plot) {
  setObjectName(QStringLiteral("PlotForm"));
  setWindowTitle(Q(plot_.Caption));
  QPalette white = palette();
  white.setColor(QPalette::Window, Qt::white);
  setPalette(white);
  setAutoFillBackground(true);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  menu_bar_ = new QMenuBar(this);
  layout->setMenuBar(menu_bar_);
  canvas_ = new QWidget(this);
  canvas_->setObjectName(QStringLiteral("PlotCanvas"));
  canvas_->setAttribute(Qt::WA_OpaquePaintEvent);
  canvas_->setMouseTracking(true);
  // Keys reach the window's shortcut once the frame activates it.
  canvas_->setFocusPolicy(Qt::StrongFocus);
  setFocusProxy(canvas_);
  canvas_->setFont(PlotFont(canvas_->logicalDpiY(), 10, false));
  canvas_->installEventFilter(this);
  layout->addWidget(canvas_, 1);
  legend_ = new TPlotLegend(plot_, canvas_);
  connect(legend_, &TPlotLegend::EntryDoubleClicked, this,
          [this](int row) { ToggleCurve(legend_->Curve(row)); });

  CreateMenu();
  // Ctrl+Z opens the graph's menu.
  auto* shortcut = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z), this);
  shortcut->setContext(Qt::WidgetWithChildrenShortcut);
  connect(shortcut, &QShortcut::activated, this, [this] {
    menu_bar_->setActiveAction(plot_menu_->menuAction());
  });

  ChoosePrinter = [this](QPrinter& printer) {
    QPrintDialog dialog(&printer, this);
    return dialog.exec() == QDialog::Accepted;
  };
  ChooseSaveFile = [this] { return ChoosePictureName(this, QStringLiteral("Save As")); };
  ChooseBitmap = [this](QImage& bitmap, SaveColours& colours) {
    return ChooseSaveAttributes(this, bitmap, &colours);
  };
  EditTitle = [this](TGraphPlot& p) { EditGraphTitle(this, p); };
  EditNames = [this](TGraphPlot& p) { return EditLegend(this, p); };
  EditActive = [this](TGraphPlot& p) { return EditActiveCurves(this, p); };

  // Opening: the full ranges, at most 20 curves taking part, their legend
  // entries and menu items, the legend fitted to them.
  ComputeRanges();
  range_ = full_;
  seen_curves_ = plot_.LineCount(CurveGroup::Lines);
  ActivateFirstCurves(plot_);
  BuildCurveEntries();
  plot_.LegendFont = static_cast<int>(kLegendPoints);
  legend_->SetFontPoints(plot_.LegendFont * plot_.SizeFont / 10.0);
  FitLegend(canvas_->logicalDpiX() / 4, true);
  const bool has_curves = plot_.LineCount(CurveGroup::Lines) > 0;
  legend_->setVisible(has_curves && plot_.ShowLegend);
  // Offered whenever there is a legend to show, also when a former window
  // had hidden it.
  Item(QStringLiteral("ShowLegend"))->setVisible(has_curves);
  resize(640, 480);
  Relayout(true);
}

TPlotForm::~TPlotForm() = default;

QAction* TPlotForm::Item(const QString& name) const {
  const auto it = items_.find(name);
  return it == items_.end() ? nullptr : it->second;
}

QAction* TPlotForm::AddItem(QMenu* menu, const char* name, const char* caption,
                            void (TPlotForm::*handler)()) {
  QAction* action = menu->addAction(QString::fromLatin1(caption));
  action->setObjectName(QString::fromLatin1(name));
  items_[action->objectName()] = action;
  connect(action, &QAction::triggered, this,
          [this, handler] { Guarded(this, [&] { (this->*handler)(); }); });
  return action;
}

QMenu* TPlotForm::AddTagMenu(
    const char* name, const char* caption,
    const std::vector<std::pair<const char*, int>>& items, QActionGroup* group,
    void (TPlotForm::*handler)(int)) {
  QMenu* menu = plot_menu_->addMenu(QString::fromLatin1(caption));
  menu->setObjectName(QString::fromLatin1(name));
  menu->menuAction()->setObjectName(QString::fromLatin1(name));
  items_[menu->objectName()] = menu->menuAction();
  for (const auto& [text, tag] : items) {
    if (!text) {
      menu->addSeparator();
      continue;
    }
    QAction* action = menu->addAction(QString::fromLatin1(text));
    action->setData(tag);
    if (group) {
      action->setCheckable(true);
      group->addAction(action);
    }
    connect(action, &QAction::triggered, this, [this, handler, tag = tag] {
      Guarded(this, [&] { (this->*handler)(tag); });
    });
  }
  return menu;
}

void TPlotForm::CreateMenu() {
  plot_menu_ = menu_bar_->addMenu(QStringLiteral("&Plot"));
  plot_menu_->setObjectName(QStringLiteral("PlotMenu"));
  connect(plot_menu_, &QMenu::aboutToShow, this, &TPlotForm::UpdatePlotMenu);

  AddItem(plot_menu_, "ShowLegend", "Show &Legend", &TPlotForm::ShowLegendClick)
      ->setCheckable(true);
  AddItem(plot_menu_, "ShowSoilLayer", "Show &Soil Layer",
          &TPlotForm::ShowSoilLayerClick)
      ->setCheckable(true);
  AddItem(plot_menu_, "ShowWallGeometry", "Show &Wall Geometry",
          &TPlotForm::ShowWallClick)
      ->setCheckable(true);
  marker_group_ = new QActionGroup(this);
  marker_group_->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
  AddTagMenu("ShowMarkers", "Show &Markers",
             {{"&Never", 0}, {nullptr, 0}, {"Every &Increment", 1},
              {"Every &2 Increments", 2}, {"Every &3 Incrments", 3},
              {"Every &5 Increments", 5}, {"Every &10 Incements", 10}},
             marker_group_, &TPlotForm::MarkersClick);
  AddTagMenu("FontSize", "&Font Size",
             {{"&Default", 10}, {nullptr, 0}, {"1.5 * Default", 15},
              {"2 * Default", 20}, {"2.5 * Default", 25}, {"3 * Default", 30},
              {"4 * Default", 40}},
             nullptr, &TPlotForm::FontSizeClick);
  AddTagMenu("LineWidth", "&Line Width",
             {{"&Default", 1}, {nullptr, 0}, {"2 * Default", 2},
              {"4 * Default", 4}, {"6 * Default", 6}, {"10 * Default", 10}},
             nullptr, &TPlotForm::LineWidthClick);
  AddItem(plot_menu_, "GraphTitle", "&Graph Title", &TPlotForm::GraphTitleClick);
  AddItem(plot_menu_, "EditLegend", "&Edit Legend", &TPlotForm::EditLegendClick);
  AddItem(plot_menu_, "ActiveCurves", "&Active Curves",
          &TPlotForm::ActiveCurvesClick);
  plot_menu_->addSeparator();
  // Always offered: the print dialog can write a PDF file without any
  // printer installed.
  AddItem(plot_menu_, "Print", "&Print...", &TPlotForm::PrintClick);
  AddItem(plot_menu_, "PageSetup", "P&age Setup", &TPlotForm::PageSetupClick);
  AddItem(plot_menu_, "SaveToDisk", "&Save To Disk...", &TPlotForm::SaveToDiskClick);
  curve_separator_ = plot_menu_->addSeparator();
}

void TPlotForm::UpdatePlotMenu() {
  Item(QStringLiteral("ShowLegend"))->setChecked(plot_.ShowLegend);
  QAction* soil = Item(QStringLiteral("ShowSoilLayer"));
  soil->setVisible(plot_.LineCount(CurveGroup::LayerLines) > 0);
  soil->setChecked(plot_.ShowLayers);
  QAction* wall = Item(QStringLiteral("ShowWallGeometry"));
  wall->setVisible(plot_.WallLineCount > 0);
  wall->setEnabled(plot_.ShowLayers);
  wall->setChecked(plot_.ShowWall);
  Item(QStringLiteral("FontSize"))->setVisible(plot_.ShowFontWidth);
  Item(QStringLiteral("LineWidth"))->setVisible(plot_.ShowFontWidth);
  for (QAction* item : curve_items_) {
    const int c = item->data().toInt();
    item->setChecked(c >= 0 && c < plot_.LineCount(CurveGroup::Lines) &&
                     plot_.Line(CurveGroup::Lines, c).Visible);
  }
  for (QAction* marker : marker_group_->actions())
    marker->setChecked(marker->data().toInt() == plot_.Markers);
}

std::string TPlotForm::EntryName(int curve) const {
  std::string name = plot_.CurveLabel(plot_.Line(CurveGroup::Lines, curve));
  if (plot_.onGetCaption) plot_.onGetCaption(curve, name);
  return name;
}

void TPlotForm::BuildCurveEntries() {
  for (QAction* item : curve_items_) {
    plot_menu_->removeAction(item);
    delete item;
  }
  curve_items_.clear();
  std::vector<TPlotLegend::Entry> entries;
  for (int c : ActiveCurves(plot_)) {
    const QString name = Q(EntryName(c));
    entries.push_back({c, name});
    QAction* item = plot_menu_->addAction(MenuText(name));
    item->setObjectName(QStringLiteral("Curve%1").arg(c + 1));
    item->setCheckable(true);
    item->setChecked(plot_.Line(CurveGroup::Lines, c).Visible);
    item->setData(c);
    connect(item, &QAction::triggered, this, [this, c] { ToggleCurve(c); });
    curve_items_.push_back(item);
  }
  legend_->SetEntries(std::move(entries));
}

void TPlotForm::FitLegend(int spare, bool assume_visible) {
  legend_->FitHeight();
  legend_->resize(kLegendStartWidth, legend_->height());
  legend_->GrowWidth(spare, assume_visible);
}

void TPlotForm::ComputeRanges() {
  full_[0] = GroupRange(plot_, CurveGroup::Lines);
  if (plot_.ShowThree) {
    full_[1] = GroupRange(plot_, CurveGroup::Lines2);
    full_[2] = GroupRange(plot_, CurveGroup::Lines3);
  } else {
    full_[1] = full_[2] = full_[0];
  }
}

PlotTarget TPlotForm::ScreenTarget() const {
  PlotTarget t;
  t.output = {0, 0, canvas_->width(), canvas_->height()};
  t.dpi_x = canvas_->logicalDpiX();
  t.dpi_y = canvas_->logicalDpiY();
  t.mode = LayoutMode::kWindow;
  return t;
}

PlotView TPlotForm::View() const {
  PlotView v;
  v.plot = &plot_;
  v.range = range_;
  v.legend_curves = legend_->Curves();
  v.legend_shown = !legend_->isHidden();
  v.legend_pos = {legend_->x(), legend_->y()};
  v.window_width = canvas_->width();
  v.window_height = canvas_->height();
  v.patterns = &patterns_;
  return v;
}

void TPlotForm::Relayout(bool place_legend) {
  layout_ = PlotLayoutFor(plot_, ScreenTarget());
  const PixelPoint at =
      place_legend
          ? LegendAtPlotCorner(layout_.plot, legend_->width(), legend_->height(),
                               canvas_->width(), canvas_->height())
          : ClampLegend({legend_->x(), legend_->y()}, legend_->width(),
                        legend_->height(), canvas_->width(), canvas_->height());
  legend_->move(at.X, at.Y);
  canvas_->update();
}

bool TPlotForm::eventFilter(QObject* watched, QEvent* event) {
  if (watched != canvas_) return QWidget::eventFilter(watched, event);
  switch (event->type()) {
    case QEvent::Paint:
      Paint();
      return true;
    case QEvent::Resize:
      Relayout(place_legend_);
      return false;
    case QEvent::MouseMove:
      MouseMove(static_cast<QMouseEvent*>(event));
      return true;
    case QEvent::MouseButtonPress:
      MousePress(static_cast<QMouseEvent*>(event));
      return true;
    case QEvent::MouseButtonRelease:
      MouseRelease(static_cast<QMouseEvent*>(event));
      return true;
    default:
      return QWidget::eventFilter(watched, event);
  }
}

void TPlotForm::Paint() {
  place_legend_ = false;
  QPainter p(canvas_);
  PaintPlot(p, ScreenTarget(), View());
  if (banding_) {
    // The band being dragged, over the graph.
    p.setPen(QPen(Qt::black, 1, Qt::DashLine));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRect(anchor_, corner_).normalized());
  }
}

void TPlotForm::MouseMove(QMouseEvent* event) {
  const QPoint pos = event->position().toPoint();
  if (banding_) {
    corner_ = pos;
    canvas_->update();
  }
  PixelPoint at = ClampToRect({pos.x(), pos.y()}, layout_.plot);
  const int panel = PanelAt(layout_, at.X);
  const PixelRect& rect = layout_.panels[static_cast<size_t>(panel)];
  at = ClampToRect(at, rect);
  const PanelMap map(rect, range_[static_cast<size_t>(panel)], plot_.XOnTop);
  setWindowTitle(Q(CaptionReadout(plot_.Caption, map.ValueX(at.X), map.ValueY(at.Y))));
}

void TPlotForm::MousePress(QMouseEvent* event) {
  const QPoint pos = event->position().toPoint();
  if (!Contains(layout_.plot, pos)) return;
  if (event->button() == Qt::LeftButton && layout_.panel_count == 1) {
    banding_ = true;
    anchor_ = corner_ = pos;
  } else if (event->button() == Qt::RightButton) {
    const size_t panel = static_cast<size_t>(PanelAt(layout_, pos.x()));
    const PanelMap map(layout_.panels[panel], range_[panel], plot_.XOnTop);
    range_[panel] = ZoomOut(range_[panel], full_[panel], map.ValueX(pos.x()),
                            map.ValueY(pos.y()));
    canvas_->update();
  }
}

void TPlotForm::MouseRelease(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !banding_) return;
  banding_ = false;
  const QPoint pos = event->position().toPoint();
  const PanelMap map(layout_.panels[0], range_[0], plot_.XOnTop);
  if (const std::optional<PanelRange> zoom =
          RubberBandZoom(map, layout_.plot, {anchor_.x(), anchor_.y()},
                         {pos.x(), pos.y()}, full_[0])) {
    range_[0] = *zoom;
  }
  canvas_->update();
}

void TPlotForm::ToggleCurve(int curve) {
  if (curve < 0 || curve >= plot_.LineCount(CurveGroup::Lines)) return;
  TLine& line = plot_.Line(CurveGroup::Lines, curve);
  line.Visible = !line.Visible;
  for (QAction* item : curve_items_) {
    if (item->data().toInt() == curve) item->setChecked(line.Visible);
  }
  legend_->update();
  canvas_->update();
}

// ---------------------------------------------------------------------------
// Menu commands

void TPlotForm::ShowLegendClick() {
  plot_.ShowLegend = !plot_.ShowLegend;
  legend_->setVisible(plot_.ShowLegend &&
                      plot_.LineCount(CurveGroup::Lines) > 0);
}

void TPlotForm::ShowSoilLayerClick() {
  plot_.ShowLayers = !plot_.ShowLayers;
  Relayout(true);
}

void TPlotForm::ShowWallClick() {
  plot_.ShowWall = !plot_.ShowWall;
  Relayout(true);
}

void TPlotForm::MarkersClick(int tag) {
  plot_.Markers = tag;
  canvas_->update();
}

void TPlotForm::FontSizeClick(int tag) {
  plot_.SizeFont = tag;
  legend_->SetFontPoints(tag * plot_.LegendFont / 10.0);
  legend_->FitHeight();
  legend_->resize(kLegendStartWidth, legend_->height());
  legend_->GrowWidth(canvas_->logicalDpiX() / 8, false);
  Relayout(true);
}

void TPlotForm::LineWidthClick(int tag) {
  plot_.WidthLine = tag;
  canvas_->update();
}

void TPlotForm::GraphTitleClick() {
  EditTitle(plot_);
  Relayout(true);
}

void TPlotForm::EditLegendClick() {
  if (!EditNames(plot_)) return;
  for (int row = 0; row < legend_->Count(); ++row) {
    const int c = legend_->Curve(row);
    if (c < 0 || c >= plot_.LineCount(CurveGroup::Lines)) continue;
    const QString name = Q(EntryName(c));
    legend_->SetName(row, name);
    if (static_cast<size_t>(row) < curve_items_.size())
      curve_items_[static_cast<size_t>(row)]->setText(MenuText(name));
  }
  legend_->GrowWidth(canvas_->logicalDpiX() / 8, false);
  Relayout(false);
}

void TPlotForm::ActiveCurvesClick() {
  if (!EditActive(plot_)) return;
  BuildCurveEntries();
  FitLegend(canvas_->logicalDpiX() / 4, true);
  Relayout(false);
}

QPrinter& TPlotForm::Printer() {
  if (!printer_) printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
  return *printer_;
}

void TPlotForm::PrintClick() {
  QPrinter& printer = Printer();
  printer.setDocName(Q(plot_.Caption));
  if (!ChoosePrinter(printer)) return;
  if (!PrintTo(printer)) ShowInformation(this, "The graph could not be printed.");
}

void TPlotForm::PageSetupClick() { page_setup_.Execute(this, Printer()); }

bool TPlotForm::PrintTo(QPrinter& printer) {
  printer.setDocName(Q(plot_.Caption));
  printer.setFullPage(true);
  QPainter p;
  if (!p.begin(&printer)) return false;
  const int dpi_x = printer.logicalDpiX(), dpi_y = printer.logicalDpiY();
  // The margins in thousandths of an inch, never inside the part of the
  // paper the printer cannot reach.
  QPageLayout reach = printer.pageLayout();
  reach.setMargins(reach.minimumMargins());
  const QMargins offset = reach.marginsPixels(dpi_x);
  const auto margin = [](int thousandths, int dpi, int least) {
    return std::max(static_cast<int>(static_cast<long long>(thousandths) * dpi / 1000),
                    least);
  };
  PlotTarget t;
  t.output = {margin(page_setup_.MarginLeft, dpi_x, offset.left()),
              margin(page_setup_.MarginTop, dpi_y, offset.top()),
              printer.width() - margin(page_setup_.MarginRight, dpi_x, offset.right()),
              printer.height() - margin(page_setup_.MarginBottom, dpi_y, offset.bottom())};
  t.dpi_x = dpi_x;
  t.dpi_y = dpi_y;
  t.mode = LayoutMode::kPrint;
  PaintPlot(p, t, View());
  const bool ended = p.end();
  canvas_->update();
  return ended;
}

void TPlotForm::SaveToDiskClick() {
  const QString path = ChooseSaveFile();
  if (path.isEmpty()) return;
  QImage bitmap;
  SaveColours colours = SaveColours::k16;
  switch (ChooseBitmap(bitmap, colours)) {
    case SaveAttributesResult::kNoMemory:
      ShowInformation(this, kNoMemory);
      return;
    case SaveAttributesResult::kCancel:
      return;
    case SaveAttributesResult::kOk:
      break;
  }
  SaveBitmap(path, bitmap, colours);
}

bool TPlotForm::SaveBitmap(const QString& path, const QImage& bitmap,
                           SaveColours colours) {
  QImage image;
  try {
    image = bitmap.format() == QImage::Format_RGB32
                ? bitmap
                : QImage(bitmap.size(), QImage::Format_RGB32);
  } catch (const std::bad_alloc&) {
    image = QImage();
  }
  if (image.isNull()) {
    ShowInformation(this, kNoMemory);
    return false;
  }
  image.fill(Qt::white);
  {
    QPainter p(&image);
    PlotTarget t;
    t.output = {0, 0, image.width(), image.height()};
    t.dpi_x = canvas_->logicalDpiX();
    t.dpi_y = canvas_->logicalDpiY();
    t.mode = LayoutMode::kBitmap;
    PaintPlot(p, t, View());
  }
  if (!SavePicture(ToSaveColours(image, colours), path)) {
    ShowInformation(this, (QStringLiteral("Cannot create file \"") + path +
                           QStringLiteral("\"."))
                              .toStdString());
    return false;
  }
  return true;
}

void TPlotForm::GraphChanged() {
  const std::array<PanelRange, 3> old_full = full_;
  ComputeRanges();
  for (size_t i = 0; i < range_.size(); ++i) {
    if (SameRange(range_[i], old_full[i])) range_[i] = full_[i];
  }
  // Another set of curves: the opening's limit applies to it.
  if (plot_.LineCount(CurveGroup::Lines) != seen_curves_) {
    seen_curves_ = plot_.LineCount(CurveGroup::Lines);
    ActivateFirstCurves(plot_);
  }
  BuildCurveEntries();
  FitLegend(canvas_->logicalDpiX() / 4, true);
  const bool has_curves = plot_.LineCount(CurveGroup::Lines) > 0;
  legend_->setVisible(has_curves && plot_.ShowLegend);
  Item(QStringLiteral("ShowLegend"))->setVisible(has_curves);
  Relayout(false);
}

// ---------------------------------------------------------------------------
// One window per graph

TPlotWindows::TPlotWindows(QMdiArea* area) : area_(area) {}

TPlotWindows::~TPlotWindows() { CloseAll(); }

TPlotForm* TPlotWindows::ShowPlot(TGraphPlot& plot) {
  if (!area_) return nullptr;
  QPointer<TPlotForm>& window = windows_[&plot];
  QMdiSubWindow* sub = nullptr;
  if (!window) {
    auto* form = new TPlotForm(plot);
    sub = area_->addSubWindow(form);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->setWindowIcon(area_->window()->windowIcon());
    window = form;
    sub->showMaximized();
  } else {
    sub = qobject_cast<QMdiSubWindow*>(window->parentWidget());
    if (sub && sub->isMinimized()) {
      sub->showNormal();
    } else if (sub) {
      sub->show();
    } else {
      window->show();
    }
  }
  if (sub) area_->setActiveSubWindow(sub);
  return window;
}

TPlotForm* TPlotWindows::Window(const TGraphPlot& plot) const {
  const auto it = windows_.find(&plot);
  return it == windows_.end() ? nullptr : it->second.data();
}

void TPlotWindows::GraphsChanged() {
  for (auto& [plot, window] : windows_) {
    if (window) window->GraphChanged();
  }
}

void TPlotWindows::CloseAll() {
  for (auto& [plot, window] : windows_) {
    if (!window) continue;
    QWidget* frame = window->parentWidget();
    if (qobject_cast<QMdiSubWindow*>(frame)) {
      delete frame;
    } else {
      delete window.data();
    }
  }
  windows_.clear();
}

}  // namespace kestra
