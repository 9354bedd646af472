#include "iteration.h"

#include <cmath>

#include "moment_ei.h"
#include "run_notes.h"

namespace kestra {

IterationOutcome Iterate(StationModel& model, const WallRecord& wall,
                         const std::vector<PyCurveEntry>& curves,
                         const std::vector<MomentEiCurve>& ei_curves,
                         BeamSolver& solver, StationArray& Y, std::string& notes) {
  IterationOutcome outcome;
  const bool nonlinear_ei = !ei_curves.empty();
  if (nonlinear_ei) UpdateEI(ei_curves, Y, model.HINC, model.NINC, model.EI);
  Y.fill(0.0);
  WriteIterationMonitorHeading(notes);
  StationArray YPREV = Y;
  StationArray QW{}, SW{};
  for (int it = 1; it <= kIterationLimit; ++it) {
    QW = model.Q;
    SW = model.S;
    bool off_curve = false;
    if (!AddPyLines(curves, model.NINC, Y, QW, SW, off_curve)) {
      outcome.stations_not_in_order = true;
      break;
    }
    const SolveResult r = solver.Solve(model, QW, SW, wall.YALLOW, wall.YCLOSE, Y);
    outcome.iteration = it;
    outcome.off_curve = off_curve;
    outcome.exceed_count = r.exceed_count;
    outcome.open_count = r.open_count;
    if (r.singular) {
      outcome.singular = true;
      break;
    }
    WriteIterationMonitorLine(notes, it, off_curve, r.open_count, Y);
    if (r.exceed_count > 0) break;
    if (r.open_count != 0) continue;
    if (!nonlinear_ei) break;
    // With nonlinear stiffness the deflections must also have settled since
    // the last change of EI.
    int open = 0;
    for (int s = 0; s <= model.NINC; ++s)
      if (std::fabs(Y[StationIndex(s)] - YPREV[StationIndex(s)]) > wall.YCLOSE) ++open;
    outcome.open_count = open;
    if (open == 0) break;
    for (int s = 0; s <= model.NINC; ++s) YPREV[StationIndex(s)] = Y[StationIndex(s)];
    UpdateEI(ei_curves, Y, model.HINC, model.NINC, model.EI);
  }
  return outcome;
}

}  // namespace kestra
