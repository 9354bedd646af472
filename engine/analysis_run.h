// One analysis: reads the names file in a working folder, analyses every
// problem of the input data file and writes the report, the plot data file
// and the run notes. All per-run state lives here, so runs in different
// working folders may go on side by side in one process.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace kestra {

class AnalysisRun {
 public:
  explicit AnalysisRun(std::filesystem::path working_folder);
  AnalysisRun(const AnalysisRun&) = delete;
  AnalysisRun& operator=(const AnalysisRun&) = delete;

  // Runs the whole analysis. Errors in the data end up in the report; false
  // only when the names file or the result files could not be used.
  bool Execute();

 private:
  std::filesystem::path folder_;
};

// Finds a file in a folder without regard to letter case; returns the exact
// name when there is none.
std::filesystem::path FindFileNoCase(const std::filesystem::path& folder,
                                     const std::string& name);

}  // namespace kestra
