// Feeds arbitrary bytes to the front end's plot data reader: it must either
// fill the graphs or fail with a message, never crash or read past a table.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "plot_data.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  kestra::ResultGraphs graphs;
  kestra::PlotProject project;
  project.layers = {{1, 10.0}, {4, 20.0}};
  project.wall_length = 360;
  project.free_height = 120;
  std::string error;
  if (!kestra::LoadPlotFile(graphs, text, project, &error) && error.empty()) std::abort();
  // Every curve of a group holds as many points as the group says.
  for (kestra::TGraphPlot* g : graphs.All())
    for (kestra::CurveGroup grp : {kestra::CurveGroup::Lines, kestra::CurveGroup::Lines2,
                                   kestra::CurveGroup::Lines3})
      for (int k = 0; k < g->LineCount(grp); ++k)
        if (g->Line(grp, k).Points.size() > size) std::abort();
  return 0;
}
