// Earth pressure as loads on the wall: the user's pressure table or the
// generated profile, echoed, written to the plot data file and turned into
// a load per station down to the excavation level.
#pragma once

#include <filesystem>
#include <string>

#include "problem_input.h"
#include "run_status.h"
#include "soil/active_pressure.h"
#include "station_model.h"

namespace kestra {

struct RunOutputs {
  std::string& report;
  std::string& plot;
  std::string& notes;
  const std::filesystem::path& folder;  // where scratch files go
  // Backfill effective stress at the excavation level, left by the last
  // generated earth pressure of the run; the p-y curves shift by it.
  double& SIGV_LP;
};

// Rows printed of a profile of n rows: all up to 50, otherwise every 6th
// (English) or 4th (SI) from the first, and the last. 0-based indices.
std::vector<size_t> PrintedRows(size_t n, int IUNIT);

// Adds the pressure of `rows` (force per station) to Q at stations 1 to the
// nearest station of z_end, interpolating linearly between rows.
void AddPressureLoads(const std::vector<PressurePoint>& rows, double z_end,
                      StationModel& m);

ReadStatus ApplyEarthPressure(const ProblemInput& p, const SupportInfo& supports,
                              StationModel& m, RunOutputs& out);

}  // namespace kestra
