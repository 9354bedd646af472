// Run notes: how each problem's iteration went.
#pragma once

#include <string>

#include "station_model.h"

namespace kestra {

void WriteIterationMonitorHeading(std::string& out);
// One iteration: its number, whether a deflection lay off a p-y curve, the
// count of stations not closed and the deflections of stations 1 to 5.
void WriteIterationMonitorLine(std::string& out, int iteration, bool off_curve,
                               int open_count, const StationArray& Y);

}  // namespace kestra
