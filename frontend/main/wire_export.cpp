// Export of the graphs to a spreadsheet workbook.
#include <QAction>
#include <utility>
#include <vector>

#include "export_dialog.h"
#include "main_form.h"

namespace kestra {

void TMainForm::WireExport() {
  SetCommandHandler(QStringLiteral("ExportExcel"), [this] {
    // The list follows the Graphics menu's enabling, computed afresh.
    UpdateMenu(Menu(QStringLiteral("GraphicsMenu")));
    static constexpr std::pair<TGraphPlot ResultGraphs::*, const char*> kPlots[] = {
        {&ResultGraphs::pltPY, "Comppy"},     {&ResultGraphs::pltDef, "CompDef"},
        {&ResultGraphs::pltShear, "CompShear"}, {&ResultGraphs::pltMom, "CompMom"},
        {&ResultGraphs::pltSoil, "CompSoil"}, {&ResultGraphs::pltLD, "CompLD"},
        {&ResultGraphs::PltCombine, "CompCombine"},
    };
    std::vector<TExportPlot> plots;
    for (const auto& [graph, command] : kPlots) {
      const QAction* action = Action(QString::fromLatin1(command));
      plots.push_back({&(graphs_.*graph), action && action->isEnabled()});
    }
    TDlgExport dialog(this);
    dialog.FormActivate(std::move(plots));
    dialog.exec();
  });
}

}  // namespace kestra
