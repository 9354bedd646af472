// The wall geometry side view.
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <algorithm>
#include <memory>

#include "main_form.h"
#include "side_view.h"

namespace kestra {

// "View Wall Geometry" and the toolbar's "View Soil Profile": one side view
// at a time, created while none is open and brought forward afterwards. The
// pointer forgets the window when it closes.
void TMainForm::WireSideView() {
  auto side_view = std::make_shared<QPointer<TDlgSideView>>();
  SetCommandHandler(QStringLiteral("CompLayers"), [this, side_view] {
    QPointer<TDlgSideView>& view = *side_view;
    if (!view) {
      view = new TDlgSideView([this]() -> const TProgramData& { return Data(); });
      QMdiSubWindow* sub = MdiArea()->addSubWindow(view);
      sub->setAttribute(Qt::WA_DeleteOnClose);
      sub->setWindowIcon(windowIcon());
      // A tall section: most of the frame's height, three quarters of its width.
      const QSize area = MdiArea()->viewport()->size();
      sub->resize(std::max(area.width() * 3 / 4, 480), std::max(area.height() * 9 / 10, 400));
    }
    auto* sub = qobject_cast<QMdiSubWindow*>(view->parentWidget());
    if (!sub) return;
    // A maximised view stays maximised; a minimised one comes back.
    if (sub->isMinimized()) {
      sub->showNormal();
    } else {
      sub->show();
    }
    MdiArea()->setActiveSubWindow(sub);
    // Already active, it is not activated again: rebuild here.
    view->FormActivate();
  });
}

}  // namespace kestra
