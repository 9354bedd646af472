#include "iteration.h"

#include "run_notes.h"

namespace kestra {

IterationOutcome Iterate(const StationModel& model, const WallRecord& wall,
                         BeamSolver& solver, StationArray& Y,
                         std::string& notes) {
  IterationOutcome outcome;
  Y.fill(0.0);
  WriteIterationMonitorHeading(notes);
  StationArray QW{}, SW{};
  for (int it = 1; it <= kIterationLimit; ++it) {
    QW = model.Q;
    SW = model.S;
    // Soil springs from p-y curves join QW and SW here once there are any.
    const bool off_curve = false;
    const SolveResult r =
        solver.Solve(model, QW, SW, wall.YALLOW, wall.YCLOSE, Y);
    outcome.iteration = it;
    outcome.off_curve = off_curve;
    outcome.exceed_count = r.exceed_count;
    outcome.open_count = r.open_count;
    if (r.singular) {
      outcome.singular = true;
      break;
    }
    WriteIterationMonitorLine(notes, it, off_curve, r.open_count, Y);
    if (r.exceed_count > 0 || r.open_count == 0) break;
  }
  return outcome;
}

}  // namespace kestra
