// The 3D view, its menu and its tool buttons.
#include <QAction>
#include <QActionGroup>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <memory>

#include "main_form.h"
#include "scene3d.h"
#include "view3d.h"
#include "view3d_camera.h"

namespace kestra {
namespace {

struct OptionItem {
  const char* name;
  const char* caption;
  bool view3d::SceneOptions::*option;
  void (TDlgBlock::*toggle)();
};

// clang-format off
const OptionItem kOptionItems[] = {
    {"Show3DWall", "Wall", &view3d::SceneOptions::wall,
     &TDlgBlock::ShowRetainingWallOption},
    {"Show3DSoilLayers", "Soil Layers", &view3d::SceneOptions::soil_layers,
     &TDlgBlock::ShowSoilLayersOption},
    {"Show3DWaterLevel", "Water Level", &view3d::SceneOptions::water_level,
     &TDlgBlock::ShowWaterLevelOption},
    {"Show3DUniformLoad", "Uniform Load at Backfill", &view3d::SceneOptions::uniform_load,
     &TDlgBlock::ShowUniformLoadOption},
    {"Show3DSurcharge", "Additional Surcharge", &view3d::SceneOptions::additional_surcharge,
     &TDlgBlock::ShowAditionalSurchargeOption},
    {"Show3DConcentratedLoads", "Concentrated Loads",
     &view3d::SceneOptions::concentrated_loads, &TDlgBlock::ShowConcentratedLoadsOption},
    {"Show3DTieBacks", "Tie Backs", &view3d::SceneOptions::tiebacks,
     &TDlgBlock::ShowTieBacksOption},
    {"Show3DBoundaryConditions", "Boundary Conditions",
     &view3d::SceneOptions::boundary_conditions, &TDlgBlock::ShowBoundaryConditionsOption},
    {"Show3DLateralSprings", "Lateral Springs", &view3d::SceneOptions::lateral_springs,
     &TDlgBlock::ShowLateralSpringsOption},
};
// clang-format on

}  // namespace

TDlgBlock* TMainForm::View3DWindow() const { return view3d_; }

void TMainForm::ShowView3DControls(bool visible) {
  Menu(QStringLiteral("Show3DView"))->menuAction()->setVisible(visible);
  for (QAction* action : view3d_buttons_) action->setVisible(visible);
  Action(QStringLiteral("btnDeformed"))->setEnabled(GraphEnabled(graphs_.pltDef));
}

void TMainForm::WireView3D() {
  // The view's angles, zoom and position last as long as the program runs.
  auto view = std::make_shared<view3d::ViewState>();

  // The mouse modes: one at a time.
  auto* modes = new QActionGroup(this);
  modes->setExclusive(true);
  for (const auto& [name, mode] :
       {std::pair{"btnPan", TDlgBlock::kPan}, {"btnZoomWindow", TDlgBlock::kZoomWindow},
        {"btnZooming", TDlgBlock::kZoom}, {"btnRotating", TDlgBlock::kRotate}}) {
    QAction* button = Action(QString::fromLatin1(name));
    button->setCheckable(true);
    modes->addAction(button);
    SetCommandHandler(QString::fromLatin1(name), [this, mode = mode] {
      if (view3d_) view3d_->SetMouseMode(mode);
    });
  }
  Action(QStringLiteral("btnRotating"))->setChecked(true);
  const auto checked_mode = [this] {
    for (const auto& [name, mode] :
         {std::pair{"btnPan", TDlgBlock::kPan}, {"btnZoomWindow", TDlgBlock::kZoomWindow},
          {"btnZooming", TDlgBlock::kZoom}}) {
      if (Action(QString::fromLatin1(name))->isChecked()) return mode;
    }
    return TDlgBlock::kRotate;
  };

  SetCommandHandler(QStringLiteral("btnZoomIn"), [this] {
    if (view3d_) view3d_->Zooming(view3d::kZoomInFactor);
  });
  SetCommandHandler(QStringLiteral("btnZoomOut"), [this] {
    if (view3d_) view3d_->Zooming(view3d::kZoomOutFactor);
  });
  SetCommandHandler(QStringLiteral("btnRestartView"), [this] {
    if (view3d_) view3d_->RestartViewButtonClick();
  });
  const auto deformed = [this] {
    if (view3d_ && GraphEnabled(graphs_.pltDef)) view3d_->DeformedShapeWindow();
  };
  SetCommandHandler(QStringLiteral("btnDeformed"), deformed);

  // The "Show 3DView" menu: each item shows or hides a part of the scene.
  QMenu* menu = Menu(QStringLiteral("Show3DView"));
  for (const OptionItem& item : kOptionItems) {
    QAction* action = NewAction(QString::fromLatin1(item.name),
                                QString::fromLatin1(item.caption));
    action->setCheckable(true);
    menu->addAction(action);
    Connect(action, [this, toggle = item.toggle] {
      if (view3d_) (view3d_->*toggle)();
    });
  }
  QAction* deformed_item =
      NewAction(QStringLiteral("Show3DDeformedShape"), QStringLiteral("Deformed Shape"));
  deformed_item->setCheckable(true);
  menu->addAction(deformed_item);
  Connect(deformed_item, deformed);
  connect(menu, &QMenu::aboutToShow, this, [this] {
    CommitActiveChild();
    if (!view3d_) return;
    const view3d::SceneOptions& options = view3d_->Options();
    for (const OptionItem& item : kOptionItems) {
      Action(QString::fromLatin1(item.name))->setChecked(options.*item.option);
    }
    QAction* shape = Action(QStringLiteral("Show3DDeformedShape"));
    shape->setChecked(options.deformed_shape);
    shape->setEnabled(GraphEnabled(graphs_.pltDef));
  });

  SetCommandHandler(QStringLiteral("View3D"), [this, view, checked_mode] {
    if (!view3d_) {
      auto* block = new TDlgBlock(
          [this] {
            return view3d::ReadSceneInput(Data(), Tables(), Graphs().pltDef);
          },
          view);
      block->SetMouseMode(checked_mode());
      block->Closed = [this] { ShowView3DControls(false); };
      QMdiSubWindow* sub = mdi_->addSubWindow(block);
      sub->setAttribute(Qt::WA_DeleteOnClose);
      sub->setWindowIcon(windowIcon());
      sub->resize(block->size());
      view3d_ = block;
    }
    ShowView3DControls(true);
    auto* sub = qobject_cast<QMdiSubWindow*>(view3d_->parentWidget());
    if (sub) {
      if (sub->isMinimized()) sub->showNormal();
      sub->show();
      mdi_->setActiveSubWindow(sub);
    }
  });
  // Not a command of its own: the main window calls it after another
  // project was opened or an analysis ran.
  SetCommandHandler(QStringLiteral("View3DRefresh"), [this] {
    if (view3d_) view3d_->ProjectChanged();
  });
}

}  // namespace kestra
