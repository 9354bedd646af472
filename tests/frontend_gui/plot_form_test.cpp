#include "plot_form.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMouseEvent>
#include <QPrinter>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "main_form.h"
#include "widget_test_support.h"

namespace kestra {
namespace {

using testing::ProcessEvents;
using testing::RecordedMessages;

const QString kExamples = QStringLiteral(KESTRA_EXAMPLES);

// A depth graph of `curves` straight curves of 11 points each.
void FillDepthGraph(TGraphPlot& plot, int curves) {
  plot.XCaption = "Deflection";
  plot.XUnits = "L";
  plot.YCaption = "Depth (ft)";
  plot.XOnTop = true;
  plot.SetLineCount(CurveGroup::Lines, curves);
  for (int k = 0; k < curves; ++k) {
    TLine& line = plot.Line(CurveGroup::Lines, k);
    line.Points.clear();
    for (int j = 0; j <= 10; ++j)
      line.Points.push_back({(k + 1) * 0.1L * j, static_cast<long double>(2 * j)});
  }
}

void Send(QWidget* widget, QEvent::Type type, Qt::MouseButton button, QPoint at) {
  const QPointF local(at);
  const QPointF global(widget->mapToGlobal(at));
  const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : button;
  QMouseEvent event(type, local, global, button, held, Qt::NoModifier);
  QCoreApplication::sendEvent(widget, &event);
}

QPoint Corner(const PixelRect& r, double fx, double fy) {
  return QPoint(r.Left + static_cast<int>(fx * r.Width()),
                r.Top + static_cast<int>(fy * r.Height()));
}

bool AllWhite(const QImage& image) {
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (image.pixel(x, y) != qRgb(255, 255, 255)) return false;
  return true;
}

// A window over a graph built by hand; no dialog ever opens.
class PlotForm : public ::testing::Test {
 protected:
  TPlotForm& Open(int curves = 3) {
    FillDepthGraph(plot, curves);
    form = std::make_unique<TPlotForm>(plot);
    form->ChoosePrinter = [](QPrinter&) { return false; };
    form->ChooseSaveFile = [] { return QString(); };
    form->resize(900, 700);
    form->show();
    ProcessEvents();
    return *form;
  }
  QStringList MenuTexts() const {
    QStringList texts;
    for (QAction* a : form->PlotMenu()->actions()) texts.append(a->text());
    return texts;
  }
  QAction* Item(const char* name) const {
    QAction* item = form->Item(QString::fromLatin1(name));
    EXPECT_NE(item, nullptr) << name;
    return item;
  }

  TGraphPlot plot{"Deflection vs Depth", "Load #"};
  std::unique_ptr<TPlotForm> form;
  QTemporaryDir dir;
  RecordedMessages recorded;
};

TEST_F(PlotForm, MenuItemsInOrderThenOneItemPerCurve) {
  Open(3);
  plot.Line(CurveGroup::Lines, 1).Name = "Stage: 2";
  form->GraphChanged();
  const QStringList fixed{"Show &Legend",   "Show &Soil Layer", "Show &Wall Geometry",
                          "Show &Markers",  "&Font Size",       "&Line Width",
                          "&Graph Title",   "&Edit Legend",     "&Active Curves",
                          "",               "&Print...",        "P&age Setup",
                          "&Save To Disk...", ""};
  EXPECT_EQ(MenuTexts(), fixed + QStringList({"Load #1", "Stage: 2", "Load #3"}));
  EXPECT_EQ(form->windowTitle(), QStringLiteral("Deflection vs Depth"));

  QStringList markers;
  for (QAction* a : Item("ShowMarkers")->menu()->actions()) markers.append(a->text());
  EXPECT_EQ(markers, QStringList({"&Never", "", "Every &Increment", "Every &2 Increments",
                                  "Every &3 Incrments", "Every &5 Increments",
                                  "Every &10 Incements"}));
  QStringList sizes;
  for (QAction* a : Item("FontSize")->menu()->actions()) sizes.append(a->text());
  EXPECT_EQ(sizes, QStringList({"&Default", "", "1.5 * Default", "2 * Default",
                                "2.5 * Default", "3 * Default", "4 * Default"}));
  // Printing and saving need no printer: the print dialog writes PDF files.
  EXPECT_TRUE(Item("Print")->isEnabled());
  EXPECT_TRUE(Item("PageSetup")->isEnabled());
  EXPECT_EQ(form->PageSetup().MarginLeft, 1000);
}

TEST_F(PlotForm, MenuRulesWhenOpened) {
  struct Row {
    const char* name;
    int layer_entries, wall_count;
    bool layers, font_width;
    bool soil_shown, wall_shown, wall_enabled;
  };
  // clang-format off
  const Row rows[] = {
      {"no layers",            0, 0, false, true,  false, false, false},
      {"layers, strip off",    4, 2, false, true,  true,  true,  false},
      {"layers, strip on",     4, 2, true,  true,  true,  true,  true},
      {"no font or width",     0, 0, false, false, false, false, false},
  };
  // clang-format on
  Open(2);
  for (const Row& r : rows) {
    plot.SetLineCount(CurveGroup::LayerLines, r.layer_entries);
    plot.WallLineCount = r.wall_count;
    plot.ShowLayers = r.layers;
    plot.ShowFontWidth = r.font_width;
    plot.Markers = 5;
    plot.Line(CurveGroup::Lines, 1).Visible = false;
    form->UpdatePlotMenu();
    EXPECT_EQ(Item("ShowSoilLayer")->isVisible(), r.soil_shown) << r.name;
    EXPECT_EQ(Item("ShowSoilLayer")->isChecked(), r.layers) << r.name;
    EXPECT_EQ(Item("ShowWallGeometry")->isVisible(), r.wall_shown) << r.name;
    EXPECT_EQ(Item("ShowWallGeometry")->isEnabled(), r.wall_enabled) << r.name;
    EXPECT_EQ(Item("FontSize")->isVisible(), r.font_width) << r.name;
    EXPECT_EQ(Item("LineWidth")->isVisible(), r.font_width) << r.name;
    for (QAction* a : Item("ShowMarkers")->menu()->actions()) {
      if (a->isSeparator()) continue;
      EXPECT_EQ(a->isChecked(), a->data().toInt() == 5) << r.name;
    }
    ASSERT_EQ(form->CurveItems().size(), 2u);
    EXPECT_TRUE(form->CurveItems()[0]->isChecked()) << r.name;
    EXPECT_FALSE(form->CurveItems()[1]->isChecked()) << r.name;
  }
}

TEST_F(PlotForm, TwentyOneCurvesOpenWithTwenty) {
  Open(21);
  EXPECT_EQ(form->Legend()->Count(), 20);
  EXPECT_EQ(form->CurveItems().size(), 20u);
  EXPECT_FALSE(plot.Line(CurveGroup::Lines, 20).Active);
  EXPECT_EQ(form->PlotMenu()->actions().size(), 14 + 20);
  EXPECT_EQ(form->CurveItems().back()->text(), QStringLiteral("Load #20"));
}

TEST_F(PlotForm, LegendSitsAtThePlotCornerAndFitsItsEntries) {
  Open(3);
  TPlotLegend* legend = form->Legend();
  ASSERT_TRUE(legend->isVisible());
  const PixelRect& plot_rect = form->Layout().plot;
  EXPECT_EQ(legend->x() + legend->width(), plot_rect.Right);
  EXPECT_EQ(legend->y() + legend->height(), plot_rect.Bottom);
  EXPECT_EQ(legend->height(), 3 * legend->ItemHeight() + 3);
  const QFontMetrics metrics(legend->font());
  EXPECT_GE(legend->width(), 4 + metrics.horizontalAdvance(QStringLiteral("Load #3 *")) +
                                 form->Canvas()->logicalDpiX() / 4);

  // "Show Legend" hides and shows it again.
  Item("ShowLegend")->trigger();
  EXPECT_FALSE(plot.ShowLegend);
  EXPECT_TRUE(legend->isHidden());
  Item("ShowLegend")->trigger();
  EXPECT_TRUE(legend->isVisible());

  // Dragged, it stays inside the window.
  Send(legend, QEvent::MouseButtonPress, Qt::LeftButton, QPoint(2, 2));
  Send(legend, QEvent::MouseMove, Qt::LeftButton, QPoint(5000, 5000));
  Send(legend, QEvent::MouseButtonRelease, Qt::LeftButton, QPoint(5000, 5000));
  EXPECT_EQ(legend->x() + legend->width(), form->Canvas()->width());
  EXPECT_EQ(legend->y() + legend->height(), form->Canvas()->height());
  Send(legend, QEvent::MouseButtonPress, Qt::LeftButton, QPoint(2, 2));
  Send(legend, QEvent::MouseMove, Qt::LeftButton, QPoint(-5000, -5000));
  EXPECT_EQ(legend->pos(), QPoint(0, 0));
}

TEST_F(PlotForm, DoubleClickTogglesTheCurve) {
  Open(3);
  TPlotLegend* legend = form->Legend();
  EXPECT_EQ(legend->Text(1), QStringLiteral("Load #2 *"));
  const QPoint row1(10, 1 + legend->ItemHeight() + legend->ItemHeight() / 2);
  Send(legend, QEvent::MouseButtonDblClick, Qt::LeftButton, row1);
  EXPECT_FALSE(plot.Line(CurveGroup::Lines, 1).Visible);
  EXPECT_EQ(legend->Text(1), QStringLiteral("Load #2"));
  EXPECT_FALSE(form->CurveItems()[1]->isChecked());
  Send(legend, QEvent::MouseButtonDblClick, Qt::LeftButton, row1);
  EXPECT_TRUE(plot.Line(CurveGroup::Lines, 1).Visible);
  EXPECT_EQ(legend->Text(1), QStringLiteral("Load #2 *"));

  // The curve item does the same.
  form->CurveItems()[2]->trigger();
  EXPECT_FALSE(plot.Line(CurveGroup::Lines, 2).Visible);
  EXPECT_EQ(legend->Text(2), QStringLiteral("Load #3"));
}

TEST_F(PlotForm, RubberBandZoomsAndRightClickZoomsOut) {
  Open(3);
  QWidget* canvas = form->Canvas();
  const PixelRect& rect = form->Layout().plot;
  const PanelRange full = form->FullRange(0);

  // A move reads the values under the mouse into the caption.
  Send(canvas, QEvent::MouseMove, Qt::NoButton, Corner(rect, 0.5, 0.5));
  EXPECT_TRUE(form->windowTitle().startsWith(QStringLiteral("Deflection vs Depth X: ")))
      << form->windowTitle().toStdString();
  EXPECT_TRUE(form->windowTitle().contains(QStringLiteral(" Y: ")));

  Send(canvas, QEvent::MouseButtonPress, Qt::LeftButton, Corner(rect, 0.25, 0.25));
  Send(canvas, QEvent::MouseMove, Qt::LeftButton, Corner(rect, 0.5, 0.75));
  Send(canvas, QEvent::MouseButtonRelease, Qt::LeftButton, Corner(rect, 0.5, 0.75));
  const PanelRange zoomed = form->Range(0);
  const long double full_w = full.X.Max - full.X.Min, full_h = full.Y.Max - full.Y.Min;
  EXPECT_NEAR(static_cast<double>((zoomed.X.Max - zoomed.X.Min) / full_w), 0.25, 0.01);
  EXPECT_NEAR(static_cast<double>((zoomed.Y.Max - zoomed.Y.Min) / full_h), 0.5, 0.01);
  // Depth grows downward: the upper part of the band is the shallower end.
  EXPECT_NEAR(static_cast<double>(zoomed.Y.Min), static_cast<double>(full.Y.Min + full_h / 4),
              0.01 * static_cast<double>(full_h));

  // A click without a band changes nothing.
  Send(canvas, QEvent::MouseButtonPress, Qt::LeftButton, Corner(rect, 0.3, 0.3));
  Send(canvas, QEvent::MouseButtonRelease, Qt::LeftButton, Corner(rect, 0.3, 0.3));
  EXPECT_EQ(form->Range(0).X.Min, zoomed.X.Min);

  // Zoom out doubles about the click, never past the full range.
  Send(canvas, QEvent::MouseButtonPress, Qt::RightButton, Corner(rect, 0.4, 0.5));
  const PanelRange out = form->Range(0);
  EXPECT_NEAR(static_cast<double>(out.X.Max - out.X.Min),
              2 * static_cast<double>(zoomed.X.Max - zoomed.X.Min), 1e-9);
  for (int i = 0; i < 4; ++i)
    Send(canvas, QEvent::MouseButtonPress, Qt::RightButton, Corner(rect, 0.4, 0.5));
  EXPECT_EQ(form->Range(0).X.Min, full.X.Min);
  EXPECT_EQ(form->Range(0).X.Max, full.X.Max);
  EXPECT_EQ(form->Range(0).Y.Max, full.Y.Max);
}

TEST_F(PlotForm, PrintsToAPdfFile) {
  Open(3);
  plot.Title = "Cantilever in sand";
  const QString path = dir.filePath(QStringLiteral("graph.pdf"));
  QString doc_name;
  form->ChoosePrinter = [&](QPrinter& printer) {
    doc_name = printer.docName();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    return true;
  };
  Item("Print")->trigger();
  EXPECT_EQ(doc_name, QStringLiteral("Deflection vs Depth"));
  EXPECT_TRUE(recorded.messages.empty());
  QFile pdf(path);
  ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
  const QByteArray bytes = pdf.readAll();
  EXPECT_TRUE(bytes.startsWith("%PDF-"));
  EXPECT_TRUE(bytes.trimmed().endsWith("%%EOF"));
  EXPECT_GT(bytes.size(), 2000);
}

TEST_F(PlotForm, SavesBitmapsAndPngsOfTheChosenSize) {
  Open(3);
  struct Row {
    const char* file;
    const char* format;
    SaveColours colours;
  };
  // clang-format off
  const Row rows[] = {
      {"graph.bmp", "bmp", SaveColours::k16},
      {"graph.png", "png", SaveColours::kTrue24},
      {"GRAPH.PNG", "png", SaveColours::kBlackWhite},
  };
  // clang-format on
  for (const Row& r : rows) {
    const QString path = dir.filePath(QString::fromLatin1(r.file));
    form->ChooseSaveFile = [&] { return path; };
    form->ChooseBitmap = [&](QImage& bitmap, SaveColours& colours) {
      bitmap = QImage(432, 288, QImage::Format_RGB32);  // 6 x 4 in at 72 ppi
      bitmap.fill(Qt::white);
      colours = r.colours;
      return SaveAttributesResult::kOk;
    };
    Item("SaveToDisk")->trigger();
    QImage saved;
    ASSERT_TRUE(saved.load(path, r.format)) << r.file;
    EXPECT_EQ(saved.size(), QSize(432, 288)) << r.file;
    EXPECT_FALSE(AllWhite(saved.convertToFormat(QImage::Format_RGB32))) << r.file;
  }
  EXPECT_TRUE(recorded.messages.empty());

  // Out of memory: the message, and nothing written.
  const QString none = dir.filePath(QStringLiteral("none.bmp"));
  form->ChooseSaveFile = [&] { return none; };
  form->ChooseBitmap = [](QImage&, SaveColours&) { return SaveAttributesResult::kNoMemory; };
  Item("SaveToDisk")->trigger();
  EXPECT_EQ(recorded.messages,
            std::vector<std::string>({"There is not enough memory to complete this task."}));
  EXPECT_FALSE(QFileInfo::exists(none));

  // Smaller than an inch: only the white background.
  const QString tiny = dir.filePath(QStringLiteral("tiny.png"));
  QImage small(60, 60, QImage::Format_RGB32);
  ASSERT_TRUE(form->SaveBitmap(tiny, small));
  QImage read(tiny);
  EXPECT_TRUE(AllWhite(read.convertToFormat(QImage::Format_RGB32)));
}

TEST_F(PlotForm, DialogCommandsUpdateTheWindow) {
  Open(3);
  const int top = form->Layout().plot.Top;
  form->EditTitle = [](TGraphPlot& p) {
    p.Title = "Wall A";
    p.TitleOnTop = true;
  };
  Item("GraphTitle")->trigger();
  EXPECT_GT(form->Layout().plot.Top, top);

  form->EditNames = [](TGraphPlot& p) {
    p.Line(CurveGroup::Lines, 0).Name = "A much longer legend name";
    return true;
  };
  const int width = form->Legend()->width();
  Item("EditLegend")->trigger();
  EXPECT_EQ(form->Legend()->Name(0), QStringLiteral("A much longer legend name"));
  EXPECT_EQ(form->CurveItems()[0]->text(), QStringLiteral("A much longer legend name"));
  EXPECT_GT(form->Legend()->width(), width);

  // Cancel leaves everything as it was.
  form->EditActive = [](TGraphPlot& p) {
    p.Line(CurveGroup::Lines, 0).Active = false;
    return false;
  };
  Item("ActiveCurves")->trigger();
  EXPECT_EQ(form->Legend()->Count(), 3);

  form->EditActive = [](TGraphPlot& p) {
    p.Line(CurveGroup::Lines, 0).Active = false;
    return true;
  };
  Item("ActiveCurves")->trigger();
  ASSERT_EQ(form->Legend()->Count(), 2);
  EXPECT_EQ(form->Legend()->Curve(0), 1);
  EXPECT_EQ(form->CurveItems()[0]->text(), QStringLiteral("Load #2"));
  EXPECT_EQ(form->Legend()->height(), 2 * form->Legend()->ItemHeight() + 3);

  form->EditActive = [](TGraphPlot& p) {
    for (int k = 0; k < p.LineCount(CurveGroup::Lines); ++k)
      p.Line(CurveGroup::Lines, k).Active = false;
    return true;
  };
  Item("ActiveCurves")->trigger();
  EXPECT_EQ(form->Legend()->Count(), 0);
  EXPECT_TRUE(form->CurveItems().empty());
  EXPECT_EQ(form->PlotMenu()->actions().size(), 14);
}

TEST_F(PlotForm, FontSizeAndLayerStripLayOutAgain) {
  Open(3);
  plot.SetLineCount(CurveGroup::LayerLines, 4);
  plot.Line(CurveGroup::LayerLines, 0).Points = {{kSandCode, 8}};
  plot.Line(CurveGroup::LayerLines, 1).Points = {{kClayCode, 20}};
  plot.Line(CurveGroup::LayerLines, 2).Points = {{0, 16}};  // wall length
  plot.Line(CurveGroup::LayerLines, 3).Points = {{0, 6}};   // excavation
  plot.WallLineCount = 2;
  const int right = form->Layout().plot.Right;
  Item("ShowSoilLayer")->trigger();
  EXPECT_TRUE(plot.ShowLayers);
  EXPECT_TRUE(form->Layout().has_strip);
  EXPECT_EQ(form->Layout().plot.Right, right - form->Canvas()->logicalDpiX());

  Item("ShowWallGeometry")->trigger();
  EXPECT_TRUE(plot.ShowWall);
  // The wall is the gray bar in the middle fifth of the strip.
  const PixelRect strip = form->Layout().strip;
  const QImage shot = form->Canvas()->grab().toImage();
  const QPoint wall((strip.Left + strip.Right) / 2, strip.Top + 5);
  EXPECT_EQ(QColor(shot.pixel(wall)), QColor(128, 128, 128));

  const int legend_item = form->Legend()->ItemHeight();
  const int plot_left = form->Layout().plot.Left;
  for (QAction* a : Item("FontSize")->menu()->actions()) {
    if (a->data().toInt() == 20) a->trigger();
  }
  EXPECT_EQ(plot.SizeFont, 20);
  EXPECT_GT(form->Legend()->ItemHeight(), legend_item);
  EXPECT_GT(form->Layout().plot.Left, plot_left);
  for (QAction* a : Item("LineWidth")->menu()->actions()) {
    if (a->data().toInt() == 4) a->trigger();
  }
  EXPECT_EQ(plot.WidthLine, 4);
}

// The windows of the main window, over the README's example run by the real
// engine.
class PlotWindows : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    previous_dir = testing::UseScratchFolder(dir);
    form = std::make_unique<TMainForm>();
    const QString input = dir.filePath(QStringLiteral("cantilever-sand.ks5d"));
    ASSERT_TRUE(QFile::copy(kExamples + QStringLiteral("/cantilever-sand.ks5d"), input));
    QFile(input).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    form->OpenFileName(input);
    form->CompRunClick();
    ProcessEvents();
    ASSERT_TRUE(form->PlotDataLoaded());
    recorded.messages.clear();
  }
  void TearDown() override {
    form.reset();
    ProcessEvents();
    QDir::setCurrent(previous_dir);
  }
  QMdiSubWindow* Frame(TPlotForm* window) const {
    return window ? qobject_cast<QMdiSubWindow*>(window->parentWidget()) : nullptr;
  }

  QTemporaryDir dir;
  QString previous_dir;
  RecordedMessages recorded;
  std::unique_ptr<TMainForm> form;
};

TEST_F(PlotWindows, OneWindowPerGraphUntilClosed) {
  ResultGraphs& g = form->Graphs();
  const std::pair<const char*, TGraphPlot*> commands[] = {
      {"Comppy", &g.pltPY},     {"CompDef", &g.pltDef},      {"CompMom", &g.pltMom},
      {"CompShear", &g.pltShear}, {"CompSoil", &g.pltSoil}, {"DefMomShear", &g.pltDMS},
      {"CompLD", &g.pltLD},     {"CompCombine", &g.PltCombine}};
  for (const auto& [name, graph] : commands) {
    form->Action(QString::fromLatin1(name))->trigger();
    TPlotForm* window = form->PlotWindows().Window(*graph);
    ASSERT_NE(window, nullptr) << name;
    EXPECT_EQ(window->windowTitle().toStdString(), graph->Caption) << name;
    ASSERT_NE(Frame(window), nullptr) << name;
    EXPECT_TRUE(Frame(window)->isMaximized()) << name;
  }
  EXPECT_EQ(form->MdiArea()->subWindowList().size(), 8);
  // Three panels with the soil layers of the input.
  TPlotForm* dms = form->PlotWindows().Window(g.pltDMS);
  EXPECT_EQ(dms->Layout().panel_count, 3);
  dms->UpdatePlotMenu();
  EXPECT_TRUE(dms->Item(QStringLiteral("ShowSoilLayer"))->isVisible());
  EXPECT_TRUE(dms->Item(QStringLiteral("ShowWallGeometry"))->isVisible());
  EXPECT_FALSE(dms->Item(QStringLiteral("ShowWallGeometry"))->isEnabled());

  // Again: the same window, restored when minimised.
  TPlotForm* def = form->PlotWindows().Window(g.pltDef);
  Frame(def)->showMinimized();
  form->Action(QStringLiteral("btnDef"))->trigger();
  EXPECT_EQ(form->PlotWindows().Window(g.pltDef), def);
  EXPECT_FALSE(Frame(def)->isMinimized());
  EXPECT_EQ(form->MdiArea()->subWindowList().size(), 8);

  // Closing frees it; the next command opens a new one.
  Frame(def)->close();
  ProcessEvents();
  EXPECT_EQ(form->PlotWindows().Window(g.pltDef), nullptr);
  EXPECT_EQ(form->MdiArea()->subWindowList().size(), 7);
  form->Action(QStringLiteral("CompDef"))->trigger();
  EXPECT_NE(form->PlotWindows().Window(g.pltDef), nullptr);

  // Opening the project again closes the windows; new ones show the curves
  // read again.
  form->OpenFileName(dir.filePath(QStringLiteral("cantilever-sand.ks5d")));
  EXPECT_EQ(form->PlotWindows().Window(g.pltDef), nullptr);
  form->Action(QStringLiteral("CompMom"))->trigger();
  ASSERT_NE(form->PlotWindows().Window(g.pltMom), nullptr);
  EXPECT_EQ(form->PlotWindows().Window(g.pltMom)->Legend()->Count(), 1);

  // A new project closes them all.
  form->FileNewClick();
  ProcessEvents();
  EXPECT_TRUE(form->MdiArea()->subWindowList().isEmpty());
}

TEST_F(PlotWindows, ClosingTheMainWindowWithGraphsOpen) {
  form->Action(QStringLiteral("CompDef"))->trigger();
  form->Action(QStringLiteral("DefMomShear"))->trigger();
  form->show();
  ProcessEvents();
  EXPECT_TRUE(form->close());
  ProcessEvents();
  form.reset();
  ProcessEvents();
}

// Pictures of every graph of the example for the documentation, taken when
// KESTRA_SCREENSHOT_DIR names a folder.
TEST_F(PlotWindows, Screenshots) {
  const QString out = qEnvironmentVariable("KESTRA_SCREENSHOT_DIR");
  if (out.isEmpty()) GTEST_SKIP() << "KESTRA_SCREENSHOT_DIR not set";
  ResultGraphs& g = form->Graphs();
  g.pltDMS.ShowLayers = true;
  g.pltDMS.ShowWall = true;
  const std::pair<const char*, const char*> shots[] = {
      {"Comppy", "graph-py-curves"},          {"CompDef", "graph-deflection"},
      {"CompMom", "graph-moment"},            {"CompShear", "graph-shear"},
      {"CompSoil", "graph-net-reaction"},     {"DefMomShear", "graph-deflection-moment-shear"},
      {"CompLD", "graph-earth-pressure"},     {"CompCombine", "graph-earth-pressure-combined"}};
  form->resize(1100, 760);
  form->show();
  for (const auto& [command, file] : shots) {
    form->Action(QString::fromLatin1(command))->trigger();
    ProcessEvents();
    const QString path = out + QLatin1Char('/') + QString::fromLatin1(file) + ".png";
    EXPECT_TRUE(form->grab().save(path)) << path.toStdString();
    form->MdiArea()->closeAllSubWindows();
    ProcessEvents();
  }
  form->Action(QStringLiteral("CompDef"))->trigger();
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(out + QStringLiteral("/graph-deflection.pdf"));
  EXPECT_TRUE(form->PlotWindows().Window(g.pltDef)->PrintTo(printer));
}

}  // namespace
}  // namespace kestra
