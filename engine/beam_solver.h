// Finite-difference solution of the beam-column: the fourth-order difference
// equation at every station, solved by a forward recursion on three
// coefficients per station and a back substitution (linear in NINC).
#pragma once

#include "station_model.h"

namespace kestra {

struct SolveResult {
  int exceed_count = 0;  // stations whose |Y| exceeds YALLOW
  int open_count = 0;    // stations whose Y changed by more than YCLOSE
  bool singular = false; // a pivot vanished against its row, or Y not finite
};

class BeamSolver {
 public:
  // Solves for Y at stations -1 to NINC+1 from the model's EI, T, R, P,
  // KCASE and specified values and the working loads QW and springs SW.
  // Y holds the previous deflections on entry (for the closure count).
  SolveResult Solve(const StationModel& model, const StationArray& QW,
                    const StationArray& SW, double YALLOW, double YCLOSE,
                    StationArray& Y);

 private:
  StationArray A_{}, B_{}, C_{};
};

}  // namespace kestra
