// The 3D view's window and its controls in the main window. Nothing here
// draws: the offscreen platform has no OpenGL context (the pictures are
// checked by view3d_render_test).
#include "view3d.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMouseEvent>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>

#include "deformed_shape_dialog.h"
#include "gl_window.h"
#include "main_form.h"
#include "widget_test_support.h"

namespace kestra {
namespace {

using testing::ProcessEvents;
using testing::RecordedMessages;

const QString kExamples = QStringLiteral(KESTRA_EXAMPLES);
const char* const kButtons[] = {"btnPan",    "btnZoomWindow", "btnZooming",
                                "btnRotating", "btnZoomIn",   "btnZoomOut",
                                "btnRestartView", "btnDeformed"};

class View3dWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    previous_dir = testing::UseScratchFolder(dir);
    form = std::make_unique<TMainForm>();
    form->ChooseSaveName = [](const QString&, const QString&) { return QString(); };
    form->ChooseOpenName = [] { return std::pair<QString, int>(); };
  }
  void TearDown() override {
    form.reset();
    ProcessEvents();
    QDir::setCurrent(previous_dir);
  }

  void OpenExample(const char* name) {
    const QString target = dir.filePath(QString::fromLatin1(name));
    QFile::remove(target);
    ASSERT_TRUE(QFile::copy(kExamples + QLatin1Char('/') + QString::fromLatin1(name),
                            target));
    QFile(target).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    form->OpenFileName(target);
  }

  QAction* Action(const char* name) { return form->Action(QString::fromLatin1(name)); }
  QMenu* ShowMenu() { return form->Menu(QStringLiteral("Show3DView")); }

  TDlgBlock* OpenView() {
    Action("View3D")->trigger();
    ProcessEvents();
    return form->View3DWindow();
  }
  void CloseView() {
    if (auto* sub = qobject_cast<QMdiSubWindow*>(form->View3DWindow()->parentWidget())) {
      sub->close();
    }
    ProcessEvents();
  }
  int OpenViews() {
    int n = 0;
    for (QMdiSubWindow* sub : form->MdiArea()->subWindowList()) {
      if (qobject_cast<TDlgBlock*>(sub->widget())) ++n;
    }
    return n;
  }
  bool ControlsVisible() {
    bool all = ShowMenu()->menuAction()->isVisible();
    bool any = all;
    for (const char* name : kButtons) {
      all = all && Action(name)->isVisible();
      any = any || Action(name)->isVisible();
    }
    EXPECT_EQ(all, any) << "the menu and the buttons show together";
    return all;
  }

  // A left-button drag on the OpenGL window, from `from` to `to`.
  void Drag(TDlgBlock* block, QPoint from, QPoint to,
            Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QWidget* gl = block->GL();
    const auto send = [&](QEvent::Type type, QPoint at, Qt::MouseButtons buttons) {
      QMouseEvent event(type, QPointF(at), gl->mapToGlobal(QPointF(at)), Qt::LeftButton,
                        buttons, mods);
      QCoreApplication::sendEvent(gl, &event);
    };
    send(QEvent::MouseButtonPress, from, Qt::LeftButton);
    send(QEvent::MouseMove, (from + to) / 2, Qt::LeftButton);
    send(QEvent::MouseMove, to, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, to, Qt::NoButton);
  }

  QTemporaryDir dir;
  QString previous_dir;
  std::unique_ptr<TMainForm> form;
  RecordedMessages recorded;
};

TEST_F(View3dWindow, OpensOnceShowsItsControlsAndHidesThemWhenClosed) {
  OpenExample("anchored-clay-si.ks5d");
  EXPECT_FALSE(ControlsVisible());
  EXPECT_EQ(form->View3DWindow(), nullptr);

  TDlgBlock* block = OpenView();
  ASSERT_NE(block, nullptr);
  EXPECT_EQ(block->windowTitle(), QStringLiteral("3-D View"));
  EXPECT_TRUE(ControlsVisible());
  // Before a run there is no deflected shape to show.
  EXPECT_FALSE(Action("btnDeformed")->isEnabled());

  // The menu item and the tool button bring back the same window.
  Action("btn3D")->trigger();
  ProcessEvents();
  EXPECT_EQ(form->View3DWindow(), block);
  EXPECT_EQ(OpenViews(), 1);

  CloseView();
  EXPECT_EQ(form->View3DWindow(), nullptr);
  EXPECT_EQ(OpenViews(), 0);
  EXPECT_FALSE(ControlsVisible());

  ASSERT_NE(OpenView(), nullptr);
  EXPECT_TRUE(ControlsVisible());
}

TEST_F(View3dWindow, MouseModeButtonsAreOneExclusiveGroup) {
  OpenExample("anchored-clay-si.ks5d");
  TDlgBlock* block = OpenView();
  ASSERT_NE(block, nullptr);
  EXPECT_TRUE(Action("btnRotating")->isChecked());
  EXPECT_EQ(block->MouseMode(), TDlgBlock::kRotate);

  struct Row {
    const char* button;
    int mode;
  };
  const Row rows[] = {{"btnPan", 1}, {"btnZoomWindow", 4}, {"btnZooming", 2},
                      {"btnRotating", 3}, {"btnPan", 1}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.button);
    Action(row.button)->trigger();
    EXPECT_EQ(block->MouseMode(), row.mode);
    for (const char* name : {"btnPan", "btnZoomWindow", "btnZooming", "btnRotating"}) {
      EXPECT_EQ(Action(name)->isChecked(), std::string(name) == row.button) << name;
    }
  }

  // A new window takes the mode the buttons show.
  CloseView();
  block = OpenView();
  ASSERT_NE(block, nullptr);
  EXPECT_EQ(block->MouseMode(), TDlgBlock::kPan);
}

TEST_F(View3dWindow, ZoomButtonsRestartAndTheViewOutlivesTheWindow) {
  OpenExample("anchored-clay-si.ks5d");
  TDlgBlock* block = OpenView();
  ASSERT_NE(block, nullptr);
  EXPECT_DOUBLE_EQ(block->View().zoom, 1.0);
  Action("btnZoomIn")->trigger();
  EXPECT_DOUBLE_EQ(block->View().zoom, 1.4142);
  Action("btnZoomOut")->trigger();
  EXPECT_NEAR(block->View().zoom, 1.0, 1e-7);

  block->SetView(4);
  Action("btnZoomIn")->trigger();
  block->GetMaxDims();
  const view3d::ViewState kept = block->View();

  // Closed and opened again, the view looks as it was left.
  CloseView();
  block = OpenView();
  ASSERT_NE(block, nullptr);
  EXPECT_EQ(block->View().angle, kept.angle);
  EXPECT_DOUBLE_EQ(block->View().zoom, kept.zoom);

  Action("btnRestartView")->trigger();
  EXPECT_EQ(block->View().angle, (std::array<double, 3>{0.0, 0.0, 0.0}));
  EXPECT_DOUBLE_EQ(block->View().zoom, 1.0);
  EXPECT_DOUBLE_EQ(block->View().translation.z, -block->Extents().centre.z);
}

TEST_F(View3dWindow, ShowMenuListsTheSceneAndTogglesItsParts) {
  OpenExample("anchored-clay-si.ks5d");
  TDlgBlock* block = OpenView();
  ASSERT_NE(block, nullptr);
  QStringList captions;
  for (QAction* a : ShowMenu()->actions()) captions.append(a->text());
  EXPECT_EQ(captions,
            QStringList({"Wall", "Soil Layers", "Water Level", "Uniform Load at Backfill",
                         "Additional Surcharge", "Concentrated Loads", "Tie Backs",
                         "Boundary Conditions", "Lateral Springs", "Deformed Shape"}));

  emit ShowMenu()->aboutToShow();
  for (QAction* a : ShowMenu()->actions()) {
    EXPECT_EQ(a->isChecked(), a->text() != QStringLiteral("Deformed Shape"))
        << a->text().toStdString();
  }
  EXPECT_FALSE(ShowMenu()->actions().last()->isEnabled());

  struct Row {
    const char* caption;
    bool view3d::SceneOptions::*option;
  };
  const Row rows[] = {
      {"Wall", &view3d::SceneOptions::wall},
      {"Soil Layers", &view3d::SceneOptions::soil_layers},
      {"Water Level", &view3d::SceneOptions::water_level},
      {"Uniform Load at Backfill", &view3d::SceneOptions::uniform_load},
      {"Additional Surcharge", &view3d::SceneOptions::additional_surcharge},
      {"Concentrated Loads", &view3d::SceneOptions::concentrated_loads},
      {"Tie Backs", &view3d::SceneOptions::tiebacks},
      {"Boundary Conditions", &view3d::SceneOptions::boundary_conditions},
      {"Lateral Springs", &view3d::SceneOptions::lateral_springs},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.caption);
    QAction* item = nullptr;
    for (QAction* a : ShowMenu()->actions()) {
      if (a->text() == QString::fromLatin1(row.caption)) item = a;
    }
    ASSERT_NE(item, nullptr);
    item->trigger();
    EXPECT_FALSE(block->Options().*row.option);
    emit ShowMenu()->aboutToShow();
    EXPECT_FALSE(item->isChecked());
    item->trigger();
    EXPECT_TRUE(block->Options().*row.option);
  }
}

TEST_F(View3dWindow, MouseDragsPanZoomAndZoomTheWindow) {
  form->resize(1000, 800);
  form->show();
  OpenExample("anchored-clay-si.ks5d");
  TDlgBlock* block = OpenView();
  ASSERT_NE(block, nullptr);
  ProcessEvents();
  const double w = block->GL()->width();
  const double h = block->GL()->height();
  ASSERT_GT(w, 300);
  ASSERT_GT(h, 300);
  const view3d::Vec3 point{-3.0, 0.0, -5.0};

  Action("btnPan")->trigger();
  view3d::Vec3 before = view3d::ToScreen(block->View(), point);
  Drag(block, {100, 100}, {160, 80});
  view3d::Vec3 after = view3d::ToScreen(block->View(), point);
  EXPECT_NEAR(after.x - before.x, 60.0, 1e-6);
  EXPECT_NEAR(after.y - before.y, 20.0, 1e-6);

  // With Shift only the larger component counts.
  before = after;
  Drag(block, {100, 100}, {160, 80}, Qt::ShiftModifier);
  after = view3d::ToScreen(block->View(), point);
  EXPECT_NEAR(after.x - before.x, 60.0, 1e-6);
  EXPECT_NEAR(after.y - before.y, 0.0, 1e-6);

  // Other buttons and Alt do nothing.
  before = after;
  Drag(block, {100, 100}, {160, 80}, Qt::AltModifier);
  after = view3d::ToScreen(block->View(), point);
  EXPECT_NEAR(after.x - before.x, 0.0, 1e-9);

  Action("btnZooming")->trigger();
  Drag(block, {150, 250}, {150, 150});  // 100 pixels upward
  const double zoom = 1.0 + 100.0 / h;
  EXPECT_NEAR(block->View().zoom, zoom, 1e-9);

  Action("btnRotating")->trigger();
  Drag(block, {100, 100}, {250, 100});
  EXPECT_NEAR(block->View().angle[2], 90.0 * 150.0 / w, 1e-9);

  block->SetView(1);
  Action("btnZoomWindow")->trigger();
  Drag(block, {150, 100}, {150, 160});  // no width: ignored
  EXPECT_NEAR(block->View().zoom, zoom, 1e-9);
  Drag(block, {150, 100}, {270, 180});  // 120 x 80
  EXPECT_NEAR(block->View().zoom, zoom * std::min(w / 120.0, h / 80.0), 1e-9);
}

TEST_F(View3dWindow, AfterARunTheDeformedShapeDialogIsOneAndAnInvalidFactorBlocksTheClose) {
  OpenExample("cantilever-sand.ks5d");
  form->CompRunClick();
  ProcessEvents();
  ASSERT_TRUE(form->PlotDataLoaded());
  TDlgBlock* block = OpenView();
  ASSERT_NE(block, nullptr);
  EXPECT_TRUE(Action("btnDeformed")->isEnabled());
  emit ShowMenu()->aboutToShow();
  EXPECT_TRUE(ShowMenu()->actions().last()->isEnabled());

  Action("btnDeformed")->trigger();
  ShowMenu()->actions().last()->trigger();
  ProcessEvents();
  EXPECT_EQ(block->findChildren<TDlgDeformedShape*>().size(), 1);
  TDlgDeformedShape* dialog = block->DeformedShapeDialog();
  ASSERT_NE(dialog, nullptr);

  recorded.messages.clear();
  dialog->EditDefFactor()->setText(QStringLiteral("abc"));
  CloseView();
  EXPECT_EQ(form->View3DWindow(), block);
  EXPECT_TRUE(ControlsVisible());
  EXPECT_EQ(recorded.messages,
            std::vector<std::string>({"'abc' is not a valid floating point value"}));

  // Corrected, the window closes and takes the dialog with it.
  CloseView();
  EXPECT_EQ(form->View3DWindow(), nullptr);
  EXPECT_FALSE(ControlsVisible());
}

TEST_F(View3dWindow, ANewProjectWithoutAWallOpensAnEmptyView) {
  TDlgBlock* block = OpenView();
  ASSERT_NE(block, nullptr);
  EXPECT_EQ(block->Extents().across, 0.0);
  EXPECT_EQ(block->GetWallLength(), 0.0);
  // Every command still works on the empty scene.
  for (const char* name : {"btnZoomIn", "btnZoomOut", "btnRestartView"}) {
    Action(name)->trigger();
  }
  block->SetView(4);
  block->ReverseView();
  EXPECT_TRUE(std::isfinite(block->View().zoom));
  EXPECT_TRUE(recorded.messages.empty());
}

TEST_F(View3dWindow, AnotherProjectIsDrawnAndCentredInTheOpenView) {
  OpenExample("anchored-clay-si.ks5d");
  TDlgBlock* block = OpenView();
  ASSERT_NE(block, nullptr);
  const double clay_bottom = block->Extents().bottom;
  block->SetView(4);

  OpenExample("cantilever-sand.ks5d");
  ASSERT_EQ(form->View3DWindow(), block);
  EXPECT_NE(block->Extents().bottom, clay_bottom);
  EXPECT_DOUBLE_EQ(block->View().translation.z, -block->Extents().centre.z);
  // The direction the user chose stays.
  EXPECT_DOUBLE_EQ(block->View().angle[0], 22.5);
}

}  // namespace
}  // namespace kestra
