// Speed of the engine: a whole run of an example (files included) and the
// beam-column solution alone for walls of growing length.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "analysis_run.h"
#include "beam_solver.h"

namespace {
namespace fs = std::filesystem;

void BM_FullRun(benchmark::State& state, const char* example) {
  std::string tmpl = (fs::temp_directory_path() / "kestra-bench-XXXXXX").string();
  if (!mkdtemp(tmpl.data())) {
    state.SkipWithError("no temporary folder");
    return;
  }
  const fs::path dir(tmpl);
  fs::copy_file(fs::path(KESTRA_EXAMPLES) / example, dir / "wall.ks5d");
  std::ofstream(dir / "names.dat")
      << "bench\n.\n.\n0\n" << (dir / "wall.ks5d").string() << "\n"
      << (dir / "wall.ks5o").string() << "\n" << (dir / "wall.ks5p").string()
      << "\n" << (dir / "wall.ks5r").string() << "\n";
  for (auto _ : state) {
    kestra::AnalysisRun run(dir);
    benchmark::DoNotOptimize(run.Execute());
  }
  fs::remove_all(dir);
}
BENCHMARK_CAPTURE(BM_FullRun, cantilever_fixed_tip, "cantilever-fixed-tip.ks5d")
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_FullRun, wall_on_springs, "wall-on-springs.ks5d")
    ->Unit(benchmark::kMicrosecond);

// One solution of a wall on springs with a load at its top.
void BM_Solver(benchmark::State& state) {
  const int ninc = static_cast<int>(state.range(0));
  kestra::StationModel model;
  model.Reset(ninc, 0.1);
  kestra::RecordDistributor stiffness, springs;
  kestra::StationValues ei, spring;
  ei.EI = 5e4;
  spring.S = 1e3;
  kestra::FillError e;
  stiffness.Add(model, 0, ninc, 0, ei, e);
  springs.Add(model, 0, ninc, 0, spring, e);
  model.Q[kestra::StationIndex(0)] = 100.0;
  kestra::BeamSolver solver;
  kestra::StationArray Y{};
  for (auto _ : state) {
    benchmark::DoNotOptimize(solver.Solve(model, model.Q, model.S, 1.0, 1e-6, Y));
    benchmark::ClobberMemory();
  }
  state.SetComplexityN(ninc);
}
BENCHMARK(BM_Solver)->Arg(100)->Arg(200)->Arg(400)->Complexity(benchmark::oN)
    ->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
