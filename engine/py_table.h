// The p-y curves acting on the wall and their linearisation: before each
// solution every curve is replaced by the straight line through the segment
// on which the station's deflection lies.
#pragma once

#include <string>
#include <vector>

#include "problem_input.h"
#include "run_status.h"
#include "station_model.h"

namespace kestra {

struct PyCurveEntry {
  int station = 0;
  int flag = 0;  // 1: interpolated with the next curve over the stations between
  std::vector<double> y, p;  // p as force per station (times HINC)
};

// The line p = b - m*Y of the segment the deflection Y falls on; m acts as a
// spring, b as a load. Sets off_curve when Y lies beyond the curve's points.
struct PyLine {
  double b = 0.0, m = 0.0;
};
PyLine Linearize(const PyCurveEntry& curve, double Y, bool& off_curve);

// Adds the lines of all curves to QW and SW at the deflections Y; continued
// curves are interpolated over the stations between them. False when a
// pair of continued curves runs upwards.
bool AddPyLines(const std::vector<PyCurveEntry>& curves, int NINC,
                const StationArray& Y, StationArray& QW, StationArray& SW,
                bool& off_curve);

// Reads the curve file written by the p-y generation. With user curves in
// it (`user` not empty) those keep their station and points; generated
// curves take their station from their depth. The plot data file gets each
// curve's header and points.
ReadStatus ReadPyCurveFile(const std::string& text, const std::vector<UserPyCurve>& user,
                           double HINC, int IUNIT, std::vector<PyCurveEntry>& curves,
                           std::string& plot);

}  // namespace kestra
