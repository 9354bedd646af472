#include "run_notes.h"

#include "layout.h"

namespace kestra {

void WriteIterationMonitorHeading(std::string& out) {
  out += FormatLayout(
      "(///'     ITERATION MONITOR DATA'/'     ----------------------')");
}

void WriteIterationMonitorLine(std::string& out, int iteration, bool off_curve,
                               int open_count, const StationArray& Y) {
  static const Layout kOnCurve("(3X,I4,7X,'NO',7X,I4,2X,5E10.3)");
  static const Layout kOffCurve("(3X,I4,7X,'YES',6X,I4,2X,5E10.3)");
  const LayoutValue values[] = {iteration,           open_count,
                                Y[StationIndex(1)], Y[StationIndex(2)],
                                Y[StationIndex(3)], Y[StationIndex(4)],
                                Y[StationIndex(5)]};
  (off_curve ? kOffCurve : kOnCurve).Write(out, values);
}

}  // namespace kestra
