// The graph windows: one command per result graph.
#include "main_form.h"
#include "plot_form.h"

namespace kestra {

void TMainForm::WireGraphWindows() {
  plot_windows_ = std::make_unique<TPlotWindows>(mdi_);
  const std::pair<const char*, TGraphPlot ResultGraphs::*> commands[] = {
      {"Comppy", &ResultGraphs::pltPY},          {"CompDef", &ResultGraphs::pltDef},
      {"CompMom", &ResultGraphs::pltMom},        {"CompShear", &ResultGraphs::pltShear},
      {"CompSoil", &ResultGraphs::pltSoil},      {"DefMomShear", &ResultGraphs::pltDMS},
      {"CompLD", &ResultGraphs::pltLD},          {"CompCombine", &ResultGraphs::PltCombine}};
  for (const auto& [name, graph] : commands) {
    SetCommandHandler(QString::fromLatin1(name),
                      [this, graph = graph] { plot_windows_->ShowPlot(graphs_.*graph); });
  }
}

}  // namespace kestra
