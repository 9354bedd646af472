// What the runner tells about one analysed file, read back from its report.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace kestra {

// One line of the results table as the report prints it: station, X,
// deflection, slope, moment, shear, net reaction, EI.
using ResultRow = std::array<std::string, 8>;

struct ProblemSummary {
  int iterations = 0;
  bool closed = true;
  double max_deflection = 0.0, max_deflection_depth = 0.0;
  double max_moment = 0.0, max_moment_depth = 0.0;
  std::vector<ResultRow> rows;
};

struct RunSummary {
  std::vector<ProblemSummary> problems;
  std::string length_unit;  // as the report's unit line has it: IN, M, L
  std::string moment_unit;  // LBS-IN, KN- M, F- L
  std::vector<std::string> errors;  // error lines of the report
};

// Reads the results tables and error lines of a report.
RunSummary SummarizeReport(std::string_view report);

// The results table of one problem as CSV, values as the report has them.
std::string FormatResultsCsv(const ProblemSummary& p, const RunSummary& s);

// One line: iterations, closure, largest |deflection| and |moment| with
// their depths, or the first error.
std::string FormatSummaryLine(std::string_view file, const RunSummary& s);

}  // namespace kestra
