// Speed of the engine: a whole run of an example (files included) and the
// beam-column solution alone for walls of growing length.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "analysis_run.h"
#include "beam_solver.h"
#include "iteration.h"
#include "soil/py_models.h"

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
#define KESTRA_EXAMPLE(name, file) \
  BENCHMARK_CAPTURE(BM_FullRun, name, file)->Unit(benchmark::kMicrosecond)
KESTRA_EXAMPLE(cantilever_fixed_tip, "cantilever-fixed-tip.ks5d");
KESTRA_EXAMPLE(wall_on_springs, "wall-on-springs.ks5d");
KESTRA_EXAMPLE(cantilever_triangular, "cantilever-triangular.ks5d");
KESTRA_EXAMPLE(anchored_wall_si, "anchored-wall-si.ks5d");
KESTRA_EXAMPLE(cantilever_sand, "cantilever-sand.ks5d");
KESTRA_EXAMPLE(anchored_clay_si, "anchored-clay-si.ks5d");
KESTRA_EXAMPLE(three_stage_excavation, "three-stage-excavation.ks5d");
KESTRA_EXAMPLE(short_long_term, "short-long-term.ks5d");

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

// The iteration of a 200-station wall resting on soft-clay p-y curves every
// other station (both sides), loaded at its top.
void BM_Iteration200(benchmark::State& state) {
  const int ninc = 200;
  const double h = 0.05;
  kestra::StationModel model;
  model.Reset(ninc, h);
  kestra::RecordDistributor stiffness;
  kestra::StationValues ei;
  ei.EI = 5e4;
  kestra::FillError e;
  stiffness.Add(model, 0, ninc, 0, ei, e);
  model.Q[kestra::StationIndex(0)] = 60.0;
  std::vector<kestra::PyCurveEntry> curves;
  for (int s = 1; s <= ninc; s += 2) {
    kestra::PyPointInput in;
    in.b = 0.6;
    in.c = in.ca = 30;
    in.gamma = 8;
    in.x = in.xe = in.depth = s * h;
    in.e50 = 0.01;
    in.RWA = 2.0;
    const kestra::PyCurve cv = kestra::SoftClayCurve(in);
    kestra::PyCurveEntry c;
    c.station = s;
    c.flag = 1;
    for (int k = kestra::kCurvePoints - 1; k >= 0; --k) {
      c.y.push_back(-cv.y[k]);
      c.p.push_back(cv.p[k] * h);
    }
    for (int k = 1; k < kestra::kCurvePoints; ++k) {
      c.y.push_back(cv.y[k]);
      c.p.push_back(-cv.p[k] * h);
    }
    curves.push_back(std::move(c));
  }
  kestra::WallRecord wall;
  wall.NINC = ninc;
  wall.HINC = h;
  wall.YALLOW = 1.0;
  wall.YCLOSE = 1e-6;
  kestra::BeamSolver solver;
  kestra::StationArray Y{};
  int iterations = 0;
  for (auto _ : state) {
    std::string notes;
    const kestra::IterationOutcome out = kestra::Iterate(model, wall, curves, {}, solver, Y, notes);
    iterations = out.iteration;
    benchmark::DoNotOptimize(Y);
  }
  state.counters["iterations"] = iterations;
}
BENCHMARK(BM_Iteration200)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
