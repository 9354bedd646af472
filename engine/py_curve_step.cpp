#include "py_curve_step.h"

#include <fstream>
#include <iterator>

#include "analysis_run.h"
#include "layout.h"
#include "plot_writer.h"
#include "report_writer.h"
#include "soil/py_generation.h"
#include "unit_labels.h"

namespace kestra {
namespace fs = std::filesystem;

ReadStatus BuildPyCurveTable(const ProblemInput& p, RunOutputs& out,
                             std::vector<PyCurveEntry>& curves) {
  const ControlRecord& c = p.control;
  const UnitLabels u = UnitLabels::For(c.IUNIT);
  const double HINC = p.wall.HINC;
  const bool generate = c.IPYOPT == 2;
  const int nuser = static_cast<int>(p.py_curves.size());

  if (!generate && nuser == 0) {
    WritePlotCurveCount(out.plot, c.IUNIT, 0);
    return {};
  }

  std::string user_lines;  // the user curves as the curve file holds them
  if (nuser > 0) {
    WriteUserCurvesHeading(out.report);
    if (!generate) WritePlotCurveCount(out.plot, c.IUNIT, nuser);
    int previous_flag = 0;
    for (const UserPyCurve& uc : p.py_curves) {
      // A curve at or below the excavation level is continued to the next.
      const int flag = !generate && uc.station * HINC >= p.wall.H ? 1 : 0;
      WriteUserCurve(out.report, uc, flag, previous_flag, generate, u);
      previous_flag = flag;
      PyCurveEntry e;
      e.station = uc.station;
      e.flag = flag;
      if (!generate) WriteFreeFormatLine(out.plot, {uc.station, static_cast<int>(uc.points.size())});
      WriteFreeFormatLine(user_lines, {uc.station, static_cast<int>(uc.points.size())});
      int index = 0;
      for (const CurvePoint& pt : uc.points) {
        const double y = pt.x * uc.y_multiplier, pp = pt.y * uc.p_multiplier;
        if (!generate) WriteFreeFormatLine(out.plot, {y, pp});
        WriteFreeFormatLine(user_lines, {++index, pp, y});
        e.y.push_back(y);
        e.p.push_back(pp * HINC);
      }
      if (e.station < -1) return {RunError::StationOutsideWall, 0, {}};
      curves.push_back(std::move(e));
    }
    if (!generate) return {};
    curves.clear();  // read back from the curve file with the generated ones
  }

  PyGenerationInput gin;
  gin.problem = &p;
  gin.SIGV_LP = out.SIGV_LP;
  gin.user_lines = user_lines;
  gin.user_curves = nuser;
  std::string file, detail;
  if (RunError e = GeneratePyCurves(gin, out.report, file, detail); e != RunError::None)
    return {e, 0, detail};
  const fs::path scratch = out.folder / "soildata";
  {
    std::ofstream f(scratch, std::ios::binary | std::ios::trunc);
    f << file;
    if (!f) return {RunError::ScratchFile, 0, "soildata"};
  }
  std::ifstream in(FindFileNoCase(out.folder, "SOILDATA"), std::ios::binary);
  const std::string text(std::istreambuf_iterator<char>(in), {});
  if (ReadStatus s = ReadPyCurveFile(text, p.py_curves, HINC, c.IUNIT, curves, out.plot);
      !s.ok())
    return s;
  if (curves.empty()) WriteNoRecords(out.report);
  return {};
}

}  // namespace kestra
