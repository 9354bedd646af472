// Results per station from the final deflections.
#pragma once

#include <vector>

#include "report_writer.h"
#include "station_model.h"

namespace kestra {

// A concentrated moment: its station and T/(2*HINC).
struct TorqueEntry {
  int station = 0;
  double tau = 0.0;
};

// Extrapolates the outer fictitious deflections Y(-2) and Y(NINC+2).
void ExtrapolateFictitious(int NINC, StationArray& Y);

// Rows for stations 0 to NINC+1: X, deflection, slope, moment, shear, net
// reaction per station and EI, shear and reaction corrected for the
// concentrated moments. False when a value is not finite.
bool ComputeResults(const StationModel& model, const StationArray& Y,
                    const std::vector<TorqueEntry>& torques,
                    std::vector<StationResult>& rows);

}  // namespace kestra
