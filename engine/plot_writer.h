// Plot data file: per problem the earth-pressure rows, the p-y curves and
// the results per station, read back by the graphs as a stream of tokens.
#pragma once

#include <initializer_list>
#include <span>
#include <string>

#include "report_writer.h"

namespace kestra {

// One free-format line: values separated by blanks, reals in full precision.
struct PlotToken {
  PlotToken(int v) : is_int(true), i(v) {}
  PlotToken(double v) : is_int(false), d(v) {}
  bool is_int;
  int i = 0;
  double d = 0.0;
};
void WriteFreeFormatLine(std::string& out, std::initializer_list<PlotToken> values);

void WritePlotCurveCount(std::string& out, int IUNIT, int count);
// Result header (NBLK, row count, IUNIT) and rows: X, deflection, moment,
// shear and net reaction for stations 0 to NINC+1.
void WritePlotResults(std::string& out, int NBLK, int IUNIT,
                      std::span<const StationResult> rows);

}  // namespace kestra
