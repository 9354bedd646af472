// The iteration of one problem: the beam-column is solved again and again,
// each time with the p-y curves linearised at the last deflections, until
// the deflections close, exceed the allowable deflection, or the limit of
// iterations is reached.
#pragma once

#include <string>
#include <vector>

#include "beam_solver.h"
#include "problem_input.h"
#include "py_table.h"
#include "station_model.h"

namespace kestra {

inline constexpr int kIterationLimit = 100;

struct IterationOutcome {
  int iteration = 0;  // number of the last iteration
  bool off_curve = false;
  int exceed_count = 0;
  int open_count = 0;
  bool singular = false;
  bool stations_not_in_order = false;
};

// Starts from zero deflections (EI first follows the moment-EI curves at the
// deflections Y holds on entry, those of the problem before); writes the
// monitor to `notes` and leaves the final deflections in Y.
IterationOutcome Iterate(StationModel& model, const WallRecord& wall,
                         const std::vector<PyCurveEntry>& curves,
                         const std::vector<MomentEiCurve>& ei_curves,
                         BeamSolver& solver, StationArray& Y, std::string& notes);

}  // namespace kestra
