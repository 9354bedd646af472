// Generation of the p-y curves from the soil data: the report sections and
// the curve file the iteration reads back.
#pragma once

#include <string>

#include "problem_input.h"
#include "run_status.h"

namespace kestra {

struct PyGenerationInput {
  const ProblemInput* problem = nullptr;
  double SIGV_LP = 0.0;  // backfill effective stress at the excavation level
  // Lines of the user curves as the file holds them, and their count.
  std::string user_lines;
  int user_curves = 0;
};

// Writes the sections to `report` and the whole curve file to `file`.
// On a stop, `detail` holds the message lines for the report.
RunError GeneratePyCurves(const PyGenerationInput& in, std::string& report,
                          std::string& file, std::string& detail);

}  // namespace kestra
