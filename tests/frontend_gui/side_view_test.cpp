#include "side_view.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QPageLayout>
#include <QPrinter>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>

#include "main_form.h"
#include "widget_test_support.h"

namespace kestra {
namespace {

using testing::ProcessEvents;
using testing::RecordedMessages;

// The SI example (a 10 m wall with 6 m free height) opened beside a plot
// data file, so that "View Wall Geometry" is enabled.
class SideView : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    previous_dir = testing::UseScratchFolder(dir);
    const QString input = dir.filePath(QStringLiteral("anchored-wall-si.ks5d"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(KESTRA_EXAMPLES "/anchored-wall-si.ks5d"), input));
    QFile::setPermissions(input, QFile::ReadOwner | QFile::WriteOwner);
    QFile plot(dir.filePath(QStringLiteral("anchored-wall-si.ks5p")));
    ASSERT_TRUE(plot.open(QIODevice::WriteOnly));
    plot.write("2\n0 1 1 0\n10 2 2 0\n1\n0\n1\n3 0\n"
               "0 0.5 0 0 0\n5 0.2 24 15 3\n10 0 0 0 0\n");
    plot.close();

    form = std::make_unique<TMainForm>();
    form->ChooseOpenName = [] { return std::pair<QString, int>(); };
    form->ChooseSaveName = [](const QString&, const QString&) { return QString(); };
    form->resize(1000, 800);
    form->show();
    form->OpenFileName(input);
    ASSERT_TRUE(form->PlotDataLoaded());
    recorded.messages.clear();
  }
  void TearDown() override {
    form.reset();
    ProcessEvents();
    QDir::setCurrent(previous_dir);
  }

  QList<TDlgSideView*> Views() const {
    QList<TDlgSideView*> views;
    for (QMdiSubWindow* sub : form->MdiArea()->subWindowList()) {
      if (auto* view = qobject_cast<TDlgSideView*>(sub->widget())) views.append(view);
    }
    return views;
  }

  TDlgSideView* OpenView(const char* command = "CompLayers") {
    QAction* action = form->Action(QString::fromLatin1(command));
    EXPECT_TRUE(action->isEnabled()) << command;
    action->trigger();
    ProcessEvents();
    const QList<TDlgSideView*> views = Views();
    return views.size() == 1 ? views.front() : nullptr;
  }

  QTemporaryDir dir;
  QString previous_dir;
  std::unique_ptr<TMainForm> form;
  RecordedMessages recorded;
};

TEST_F(SideView, OpensFromTheCommandOneAtATime) {
  TDlgSideView* view = OpenView();
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(view->windowTitle(), QStringLiteral("Side View"));
  EXPECT_EQ(view->Label1()->text(), QStringLiteral("Wall Profile"));
  EXPECT_EQ(view->Button1()->text(), QStringLiteral("Print"));
  // The project's wall: 6 m free height, 10 m long.
  ASSERT_EQ(view->Geometry().outlines.size(), 1u);
  EXPECT_DOUBLE_EQ(static_cast<double>(view->Geometry().outlines[0][1].x), 0.15);
  EXPECT_DOUBLE_EQ(static_cast<double>(view->Geometry().data.ymax), 11.55);

  // The toolbar button and the menu command bring the same window forward.
  EXPECT_EQ(OpenView("btnSoilProfile"), view);
  EXPECT_EQ(OpenView(), view);
  EXPECT_EQ(form->MdiArea()->activeSubWindow()->widget(), view);

  // Closed, it is forgotten; the next command makes a new one.
  form->MdiArea()->closeAllSubWindows();
  ProcessEvents();
  EXPECT_TRUE(Views().isEmpty());
  ASSERT_NE(OpenView(), nullptr);
}

TEST_F(SideView, DrawsTheWallAndReadsTheDepthIntoTheCaption) {
  TDlgSideView* view = OpenView();
  ASSERT_NE(view, nullptr);
  QWidget* canvas = view->Canvas();
  const side_view::Device screen = side_view::Device::Screen(canvas->width(), canvas->height());
  const side_view::ViewMap map(view->View(), screen);

  const QImage image = canvas->grab().toImage();
  const int mid_wall = static_cast<int>(map.Y(5.5));
  EXPECT_EQ(image.pixelColor(static_cast<int>(map.X(0)), mid_wall), QColor(Qt::black));
  EXPECT_EQ(image.pixelColor(canvas->width() / 4, mid_wall), QColor(Qt::white));

  const auto move = [canvas](double y) {
    const QPointF at(canvas->width() / 3.0, y);
    QMouseEvent event(QEvent::MouseMove, at, canvas->mapToGlobal(at), Qt::NoButton,
                      Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(canvas, &event);
  };
  move(map.Y(1.0));  // the wall top
  EXPECT_EQ(view->windowTitle(), QStringLiteral("  Depth: 0.0"));
  move(map.Y(1.0 + 6.0));  // the excavation
  EXPECT_EQ(view->windowTitle(), QStringLiteral("  Depth: 6.0"));
}

TEST_F(SideView, ChangesShowOnTheNextActivation) {
  TDlgSideView* view = OpenView();
  ASSERT_NE(view, nullptr);
  form->Data().FreeHeight = 8;
  TTableForm* table = form->ShowTable(form->Tables().PileSect);
  ProcessEvents();
  auto* table_sub = qobject_cast<QMdiSubWindow*>(table->parentWidget());
  ASSERT_NE(table_sub, nullptr);
  form->MdiArea()->setActiveSubWindow(table_sub);
  ProcessEvents();
  EXPECT_DOUBLE_EQ(static_cast<double>(view->Geometry().outlines[0][1].x), 0.15);

  form->MdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(view->parentWidget()));
  ProcessEvents();
  EXPECT_DOUBLE_EQ(static_cast<double>(view->Geometry().outlines[0][1].x), 0.2);
}

TEST_F(SideView, PrintsOneLandscapePageToAPdfFile) {
  TDlgSideView* view = OpenView();
  ASSERT_NE(view, nullptr);
  const QString pdf = dir.filePath(QStringLiteral("profile.pdf"));
  QPageLayout::Orientation orientation = QPageLayout::Portrait;
  QString title;
  view->ChoosePrinter = [&](QPrinter& printer) {
    orientation = printer.pageLayout().orientation();
    title = printer.docName();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    return true;
  };
  view->Button1()->click();
  EXPECT_EQ(orientation, QPageLayout::Landscape);
  EXPECT_EQ(title, QStringLiteral("Soil-Pile Profile"));
  QFile file(pdf);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_GT(file.size(), 1000);
  EXPECT_TRUE(file.read(5) == "%PDF-");
  EXPECT_EQ(recorded.messages, std::vector<std::string>());

  // Cancelled: nothing is printed.
  file.close();
  QFile::remove(pdf);
  view->ChoosePrinter = [](QPrinter&) { return false; };
  view->Button1()->click();
  EXPECT_FALSE(QFileInfo::exists(pdf));

  // A file that cannot be written is reported, not a crash.
  view->ChoosePrinter = [&](QPrinter& printer) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath(QStringLiteral("missing/folder/profile.pdf")));
    return true;
  };
  view->Button1()->click();
  EXPECT_EQ(recorded.messages.size(), 1u);
}

}  // namespace
}  // namespace kestra
