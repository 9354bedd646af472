// Builds the p-y curve table of a problem: user curves, generated curves,
// or both, with their report sections and plot data.
#pragma once

#include <vector>

#include "earth_pressure_loads.h"
#include "problem_input.h"
#include "py_table.h"
#include "run_status.h"

namespace kestra {

ReadStatus BuildPyCurveTable(const ProblemInput& p, RunOutputs& out,
                             std::vector<PyCurveEntry>& curves);

}  // namespace kestra
