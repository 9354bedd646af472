// Reads the records of one problem from the input data file, echoes them to
// the report and fills the station model as they are read.
#pragma once

#include <string>
#include <vector>

#include "earth_pressure_loads.h"
#include "free_format_reader.h"
#include "problem_input.h"
#include "report_writer.h"
#include "results.h"
#include "station_model.h"
#include "tiebacks.h"

namespace kestra {

// Depths of the first and last single-station supports (springs and
// tiebacks); they survive from one problem to the next.
struct SupportDepths {
  double first = 0.0;
  double last = 0.0;
};


class ProblemReader {
 public:
  ProblemReader(FreeFormatReader& in, RunOutputs& out);

  // Title record; blank-padded to 80 characters, 70 of them used.
  ReadStatus ReadTitle(std::string& title);
  // Control record.
  ReadStatus ReadControl(ControlRecord& control);
  // Every record after the control record up to the moment-EI curves.
  ReadStatus ReadBody(ProblemInput& input, StationModel& model,
                      std::vector<TorqueEntry>& torques,
                      std::vector<Tieback>& tiebacks, SupportDepths& supports);
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
                                   std::vector<Tieback>& tiebacks,
                                   SupportDepths& supports);
  ReadStatus ReadPressureTable(ProblemInput& p);
  ReadStatus ReadSoilData(ProblemInput& p);
  ReadStatus ReadUserPyCurves(ProblemInput& p);
  ReadStatus ReadMomentEiCurves(ProblemInput& p);

  FreeFormatReader& in_;
  RunOutputs& out_;
  std::string& report_;
  int nsprings_ = 0;  // spring records of the current problem
};

}  // namespace kestra
