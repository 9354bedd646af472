// Speed of the result side of the front end: reading a plot data file into
// the graphs, building the 3D scene of a wall with its deflections, and
// writing the spreadsheet workbook of all graphs.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "excel_export.h"
#include "input_tables.h"
#include "plot_data.h"
#include "project.h"
#include "scene3d.h"

namespace {
namespace fs = std::filesystem;

std::string Read(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The example opened as the program opens it, and its plot data loaded. A
// staged file writes its stage files beside it, so it is opened from a copy.
struct Example {
  explicit Example(const char* name) {
    std::string tmpl = (fs::temp_directory_path() / "kestra-bench-XXXXXX").string();
    if (!mkdtemp(tmpl.data())) return;
    dir = tmpl;
    const fs::path input = dir / (std::string(name) + ".ks5d");
    fs::copy_file(fs::path(KESTRA_EXAMPLES) / input.filename(), input);
    project.Open(input.string(), kestra::InputFileKind::kCurrent);
    plot = Read(fs::path(KESTRA_TEST_DATA) / (std::string(name) + ".ks5p"));
    const kestra::TProgramData& d = project.Data();
    from_project.Units = d.Units;
    from_project.wall_length = static_cast<double>(d.IncrementCount * d.IncrementLength);
    from_project.free_height = static_cast<double>(d.FreeHeight);
    std::string error;
    loaded = kestra::LoadPlotFile(graphs, plot, from_project, &error);
  }
  ~Example() {
    std::error_code ignored;
    if (!dir.empty()) fs::remove_all(dir, ignored);
  }
  Example(const Example&) = delete;
  Example& operator=(const Example&) = delete;

  fs::path dir;
  kestra::InputTables tables;
  kestra::TProject project{tables};
  std::string plot;
  kestra::PlotProject from_project;
  kestra::ResultGraphs graphs;
  bool loaded = false;
};

void BM_LoadPlotFile(benchmark::State& state, const char* name) {
  Example e(name);
  if (!e.loaded) return state.SkipWithError("plot data not read");
  for (auto _ : state) {
    kestra::ResultGraphs graphs;
    std::string error;
    benchmark::DoNotOptimize(kestra::LoadPlotFile(graphs, e.plot, e.from_project, &error));
  }
}
BENCHMARK_CAPTURE(BM_LoadPlotFile, cantilever_sand, "cantilever-sand")
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_LoadPlotFile, three_stage_excavation, "three-stage-excavation")
    ->Unit(benchmark::kMicrosecond);

// What the 3D view does when an option changes: read the project, build all
// display lists (the deformed wall on).
void BM_BuildScene(benchmark::State& state, const char* name) {
  Example e(name);
  if (!e.loaded) return state.SkipWithError("plot data not read");
  kestra::view3d::SceneOptions options;
  options.deformed_shape = true;
  options.undeformed_model = true;
  options.factor = 50;
  std::size_t vertices = 0;
  for (auto _ : state) {
    const kestra::view3d::SceneInput in =
        kestra::view3d::ReadSceneInput(e.project.Data(), e.tables, e.graphs.pltDef);
    const kestra::view3d::Scene scene = kestra::view3d::BuildScene(in, options);
    vertices = 0;
    for (const auto* list : {&scene.soil, &scene.wall}) {
      for (const auto& p : list->items) vertices += p.vertices.size();
    }
    benchmark::DoNotOptimize(vertices);
  }
  state.counters["vertices"] = static_cast<double>(vertices);
}
BENCHMARK_CAPTURE(BM_BuildScene, anchored_wall_si, "anchored-wall-si")
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_BuildScene, cantilever_sand, "cantilever-sand")
    ->Unit(benchmark::kMicrosecond);

// The seven exportable graphs of the example into one workbook file.
void BM_ExportWorkbook(benchmark::State& state, const char* name) {
  Example e(name);
  if (!e.loaded) return state.SkipWithError("plot data not read");
  const kestra::ResultGraphs& g = e.graphs;
  const std::vector<const kestra::TGraphPlot*> graphs{
      &g.pltPY, &g.pltDef, &g.pltShear, &g.pltMom, &g.pltSoil, &g.pltLD, &g.PltCombine};
  std::string dir = (fs::temp_directory_path() / "kestra-bench-XXXXXX").string();
  if (!mkdtemp(dir.data())) return state.SkipWithError("no temporary folder");
  const std::string path = (fs::path(dir) / "plots.xlsx").string();
  for (auto _ : state) {
    std::string error;
    if (!kestra::ExportGraphsToExcel(graphs, path, &error)) {
      state.SkipWithError(error.c_str());
      break;
    }
  }
  fs::remove_all(dir);
}
BENCHMARK_CAPTURE(BM_ExportWorkbook, cantilever_sand, "cantilever-sand")
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
