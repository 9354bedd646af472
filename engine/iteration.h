// The iteration of one problem: the beam-column is solved again and again
// until the deflections close, stay beyond the allowable deflection, or the
// iteration limit is reached.
#pragma once

#include <string>

#include "beam_solver.h"
#include "problem_input.h"
#include "station_model.h"

namespace kestra {

inline constexpr int kIterationLimit = 100;

struct IterationOutcome {
  int iteration = 0;  // number of the last iteration
  bool off_curve = false;
  int exceed_count = 0;
  int open_count = 0;
  bool singular = false;
};

// Iterates from zero deflections; writes the monitor to `notes` and leaves
// the final deflections in Y.
IterationOutcome Iterate(const StationModel& model, const WallRecord& wall,
                         BeamSolver& solver, StationArray& Y,
                         std::string& notes);

}  // namespace kestra
