// The generated earth pressure of one problem: backfill profile, vertical
// stresses, coefficients, per-layer forces and the pressure profile, with
// their report sections.
#pragma once

#include <string>
#include <vector>

#include "active_pressure.h"
#include "problem_input.h"
#include "run_status.h"

namespace kestra {

// Writes the soil sections to `report` (the slope warning also to `notes`)
// and returns the profile points in the order of the scratch file.
RunError GenerateEarthPressure(const ProblemInput& p, const SupportInfo& supports,
                               std::string& report, std::string& notes,
                               std::vector<PressurePoint>& points,
                               double& SIGV_LP);

}  // namespace kestra
