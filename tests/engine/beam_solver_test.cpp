#include "beam_solver.h"

#include <gtest/gtest.h>

#include <cmath>

#include "results.h"

namespace kestra {
namespace {

// A uniform wall of NINC increments over `length` with a load at a station.
struct Wall {
  Wall(int ninc, double length, double ei) {
    model.Reset(ninc, length / ninc);
    RecordDistributor d;
    StationValues v;
    v.EI = ei;
    FillError e;
    d.Add(model, 0, ninc, 0, v, e);
  }
  void Load(int station, double q) { model.Q[StationIndex(station)] += q; }
  void Restrain(int code, int station, double defl, double slope) {
    EXPECT_EQ(AddSpecifiedPoint(model, code, station, defl, slope, last),
              FillError::None);
  }
  SolveResult Solve() {
    Y.fill(0.0);
    BeamSolver solver;
    SolveResult r = solver.Solve(model, model.Q, model.S, 1e30, 1e-12, Y);
    ExtrapolateFictitious(model.NINC, Y);
    finite = ComputeResults(model, Y, {}, rows);
    return r;
  }
  double y(int station) const { return Y[StationIndex(station)]; }

  StationModel model;
  StationArray Y{};
  std::vector<StationResult> rows;
  bool finite = false;
  int last = StationIndex(-1);
};

// Cantilever of length L fixed at its foot, load P at its free top:
// top deflection P L^3 / (3 EI), moment P x at depth x (Timoshenko & Gere,
// Mechanics of Materials, cantilever with end load).
TEST(BeamSolver, CantileverFixedAtTheTipAgreesWithBeamTheory) {
  const double P = 10000.0, L = 360.0, EI = 3e10;
  Wall w(200, L, EI);
  w.Load(0, P);
  w.Restrain(3, 200, 0.0, 0.0);
  const SolveResult r = w.Solve();
  EXPECT_FALSE(r.singular);
  EXPECT_NEAR(w.y(0), P * L * L * L / (3 * EI), 0.005 * P * L * L * L / (3 * EI));
  EXPECT_EQ(w.y(200), 0.0);
  EXPECT_NEAR((w.y(201) - w.y(199)) / (2 * L / 200), 0.0, 1e-12);
  double largest = 0.0;
  for (int s = 1; s < 200; ++s) {
    const double x = s * L / 200;
    EXPECT_NEAR(w.rows[s].moment, P * x, 0.005 * P * x) << "station " << s;
    largest = std::max(largest, std::fabs(w.rows[s].moment));
  }
  EXPECT_NEAR(largest, P * L, 0.005 * P * L);
  EXPECT_NEAR(w.rows[100].shear, P, 1e-6 * P);
}

// Simply supported beam with a central load: P L^3 / (48 EI), P L / 4.
TEST(BeamSolver, SimplySupportedBeamWithCentralLoad) {
  const double P = 100.0, L = 10.0, EI = 5e4;
  Wall w(100, L, EI);
  w.Load(50, P);
  w.Restrain(1, 0, 0.0, 0.0);
  w.Restrain(1, 100, 0.0, 0.0);
  w.Solve();
  EXPECT_EQ(w.y(0), 0.0) << "a specified deflection holds exactly";
  EXPECT_NEAR(w.y(50), P * L * L * L / (48 * EI), 0.005 * P * L * L * L / (48 * EI));
  EXPECT_NEAR(std::fabs(w.rows[50].moment), P * L / 4, 0.005 * P * L / 4);
}

// Semi-infinite beam on an elastic foundation with a load at its free end
// (Hetenyi, Beams on Elastic Foundation, 1946): y(0) = 2 P lambda / k and
// |M|max = P / lambda * exp(-pi/4) * sin(pi/4) at lambda x = pi/4, with
// lambda = (k / (4 EI))^(1/4).
TEST(BeamSolver, LongWallOnUniformSpringsAgreesWithClosedForm) {
  const double P = 100.0, EI = 5e4, k = 1e4, L = 20.0;
  const int n = 200;
  Wall w(n, L, EI);
  RecordDistributor springs;
  StationValues v;
  v.S = k * L / n;  // spring per station
  FillError e;
  springs.Add(w.model, 0, n, 0, v, e);
  w.Load(0, P);
  const SolveResult r = w.Solve();
  EXPECT_FALSE(r.singular);
  const double lambda = std::pow(k / (4 * EI), 0.25);
  const double y0 = 2 * P * lambda / k;
  const double mmax = P / lambda * std::exp(-M_PI / 4) * std::sin(M_PI / 4);
  EXPECT_NEAR(w.y(0), y0, 0.005 * y0);
  double largest = 0.0;
  for (const StationResult& row : w.rows)
    largest = std::max(largest, std::fabs(row.moment));
  EXPECT_NEAR(largest, mmax, 0.005 * mmax);
}

TEST(BeamSolver, SpecifiedSlopeIsTheCentralDifferenceSlope) {
  Wall w(40, 40.0, 1e4);
  w.Load(0, 10.0);
  w.Restrain(2, 20, 0.0, 0.003);
  w.Restrain(1, 40, 0.0, 0.0);
  w.Solve();
  EXPECT_NEAR((w.y(21) - w.y(19)) / 2.0, 0.003, 1e-12);
  EXPECT_NEAR(w.y(40), 0.0, 0.0);
}

TEST(BeamSolver, CountsExceedingAndOpenStations) {
  Wall w(10, 10.0, 1e4);
  w.Load(0, 10.0);
  w.Restrain(3, 10, 0.0, 0.0);
  BeamSolver solver;
  StationArray Y{};
  const double top = 10.0 * 1000 / (3 * 1e4);
  SolveResult first = solver.Solve(w.model, w.model.Q, w.model.S, top / 2, 1e-9, Y);
  EXPECT_GT(first.exceed_count, 0);
  EXPECT_EQ(first.open_count, 10) << "all but the fixed tip moved";
  SolveResult second = solver.Solve(w.model, w.model.Q, w.model.S, 1e9, 1e-9, Y);
  EXPECT_EQ(second.exceed_count, 0);
  EXPECT_EQ(second.open_count, 0);
}

TEST(BeamSolver, WallFreeToMoveIsSingular) {
  Wall w(20, 20.0, 1e4);
  w.Load(0, 10.0);
  EXPECT_TRUE(w.Solve().singular);
}

TEST(Results, ConcentratedMomentCorrectsShearAndReaction) {
  StationModel m;
  m.Reset(16, 2.0);
  StationArray Y{};
  std::vector<StationResult> rows;
  const double tau = 1000.0 / (2 * 2.0);
  ASSERT_TRUE(ComputeResults(m, Y, {{8, tau}}, rows));
  EXPECT_DOUBLE_EQ(rows[8].shear, -tau);
  EXPECT_DOUBLE_EQ(rows[7].shear, -tau / 2);
  EXPECT_DOUBLE_EQ(rows[9].shear, -tau / 2);
  EXPECT_DOUBLE_EQ(rows[9].reaction, tau);
  EXPECT_DOUBLE_EQ(rows[7].reaction, -tau);
  EXPECT_DOUBLE_EQ(rows[8].reaction, 0.0);
  EXPECT_EQ(rows.size(), 18u);
  EXPECT_DOUBLE_EQ(rows[17].x, 34.0);
}

}  // namespace
}  // namespace kestra
