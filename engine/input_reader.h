// Reads the records of one problem from the input data file, echoes them to
// the report and fills the station model as they are read.
#pragma once

#include <string>
#include <vector>

#include "free_format_reader.h"
#include "problem_input.h"
#include "report_writer.h"
#include "results.h"
#include "station_model.h"

namespace kestra {

// Depths of the first and last single-station supports (springs and
// tiebacks); they survive from one problem to the next.
struct SupportDepths {
  double first = 0.0;
  double last = 0.0;
};

// Why reading stopped early; RunError::None when all records were read.
struct ReadStatus {
  RunError error = RunError::None;
  int line = 0;        // input line of an invalid value
  std::string detail;  // what was wrong with it

  bool ok() const { return error == RunError::None; }
};

class ProblemReader {
 public:
  ProblemReader(FreeFormatReader& in, std::string& report);

  // Title record; blank-padded to 80 characters, 70 of them used.
  ReadStatus ReadTitle(std::string& title);
  // Control record.
  ReadStatus ReadControl(ControlRecord& control);
  // Every record after the control record up to the moment-EI curves.
  ReadStatus ReadBody(ProblemInput& input, StationModel& model,
                      std::vector<TorqueEntry>& torques,
                      SupportDepths& supports);
  // End-of-problem code.
  ReadStatus ReadTerminator(int& ICONT);

 private:
  ReadStatus InputError() const;
  ReadStatus Invalid(std::string detail) const;
  ReadStatus ReadCount(int& count);
  // `count` pairs of values, one pair per statement.
  ReadStatus ReadPoints(int count, std::vector<CurvePoint>& points);
  ReadStatus ReadWall(ProblemInput& p);
  ReadStatus ReadSpecified(ProblemInput& p, StationModel& m);
  ReadStatus ReadStiffnessAndLoads(ProblemInput& p, StationModel& m,
                                   std::vector<TorqueEntry>& torques,
                                   SupportDepths& supports);
  ReadStatus ReadPressureTable(ProblemInput& p);
  ReadStatus ReadSoilData(ProblemInput& p);
  ReadStatus ReadUserPyCurves(ProblemInput& p);
  ReadStatus ReadMomentEiCurves(ProblemInput& p);

  FreeFormatReader& in_;
  std::string& report_;
};

}  // namespace kestra
