#include "earth_pressure_loads.h"

#include <cmath>
#include <fstream>
#include <iterator>

#include "free_format_reader.h"
#include "layout.h"
#include "plot_writer.h"
#include "report_writer.h"
#include "soil/earth_pressure.h"
#include "soil/soil_report.h"
#include "soil/surcharge.h"
#include "unit_labels.h"

namespace kestra {
namespace fs = std::filesystem;

std::vector<size_t> PrintedRows(size_t n, int IUNIT) {
  std::vector<size_t> rows;
  const size_t step = n <= 50 ? 1 : IUNIT == 1 ? 6 : IUNIT == 2 ? 4 : 1;
  for (size_t i = 0; i < n; i += step) rows.push_back(i);
  if (n > 0 && rows.back() != n - 1) rows.push_back(n - 1);
  return rows;
}

void AddPressureLoads(const std::vector<PressurePoint>& rows, double z_end,
                      StationModel& m) {
  const double ratio = std::round(z_end / m.HINC);
  // Pressure below the tip does not act on the wall.
  const int nst = ratio > m.NINC ? m.NINC : ratio < 0 ? 0 : static_cast<int>(ratio);
  double p = 0.0;
  size_t j = 0;
  for (int k = 1; k <= nst; ++k) {
    const double z = k * m.HINC;
    while (j < rows.size() && rows[j].depth < z) ++j;
    if (j < rows.size()) {
      // Row "0" before the first is depth 0, pressure 0.
      const double d0 = j == 0 ? 0.0 : rows[j - 1].depth;
      const double p0 = j == 0 ? 0.0 : rows[j - 1].total;
      const double d1 = rows[j].depth, p1 = rows[j].total;
      p = d1 == d0 ? p1 : p0 + (z - d0) * (p1 - p0) / (d1 - d0);
    }  // else no row reaches z: the station above's value again
    m.Q[StationIndex(k)] += p;
  }
}

namespace {

ReadStatus ReadScratchProfile(const fs::path& path,
                              std::vector<PressurePoint>& rows) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return {RunError::ScratchFile, 0, path.filename().string()};
  FreeFormatReader reader(std::string(std::istreambuf_iterator<char>(in), {}));
  int n = 0;
  if (!reader.ReadRecord(n) || n < 0)
    return {RunError::ScratchFile, 0, path.filename().string()};
  rows.resize(n);
  for (PressurePoint& r : rows)
    if (!reader.ReadRecord(r.depth, r.total, r.soil, r.surcharge))
      return {RunError::ScratchFile, 0, path.filename().string()};
  return {};
}

void WritePlotPressureRows(std::string& plot,
                           const std::vector<PressurePoint>& rows,
                           const std::vector<size_t>& printed) {
  WriteFreeFormatLine(plot, {static_cast<int>(printed.size())});
  static const Layout kRow("(4(2X,E10.3))");
  for (size_t i : printed) {
    const PressurePoint& r = rows[i];
    // A soil pressure of exactly 0 would read as no value in the graphs.
    const LayoutValue values[] = {r.depth, r.total,
                                  r.soil == 0.0 ? 1.0e-7 : r.soil, r.surcharge};
    kRow.Write(plot, values);
  }
}

}  // namespace

ReadStatus ApplyEarthPressure(const ProblemInput& p, const SupportInfo& sup,
                              StationModel& m, RunOutputs& out) {
  const ControlRecord& c = p.control;
  const UnitLabels u = UnitLabels::For(c.IUNIT);
  std::vector<PressurePoint> rows;
  std::vector<size_t> printed;
  double z_end = 0.0;

  if (c.IEPOPT == 1) {
    WriteSpecifiedPressureHeading(out.report);
    WritePressureColumnHeading(out.report, u);
    const bool surcharges = p.has_soil && !p.soil.surcharges.empty();
    if (surcharges && p.soil.wall.H < 1.0e-6)
      return {RunError::FreeHeightNotPositive, 0, {}};
    const double wall_length = m.NINC * m.HINC;
    for (const PressureRow& given : p.pressures) {
      PressurePoint r;
      r.depth = given.depth;
      r.soil = given.pressure;
      if (surcharges)
        r.surcharge = SurchargePressureAtDepth(p.soil.surcharges, p.soil.wall.H,
                                               wall_length, given.depth) *
                      p.soil.wall.WA;
      r.total = r.soil + r.surcharge;
      WritePressureRow(out.report, r.depth, r.soil);
      rows.push_back(r);
    }
    for (size_t i = 0; i < rows.size(); ++i) printed.push_back(i);
    z_end = rows.empty() ? 0.0 : rows.back().depth;
  } else if (c.IEPOPT > 1) {
    std::vector<PressurePoint> points;
    if (RunError e = GenerateEarthPressure(p, sup, out.report, out.notes, points,
                                           out.SIGV_LP);
        e != RunError::None)
      return {e, 0, {}};
    // The profile goes through the scratch file, as the tables always did.
    const fs::path scratch = out.folder / "BMWALL.001";
    {
      std::ofstream f(scratch, std::ios::binary | std::ios::trunc);
      f << FormatPressureProfile(points);
      if (!f) return {RunError::ScratchFile, 0, scratch.filename().string()};
    }
    if (ReadStatus s = ReadScratchProfile(scratch, rows); !s.ok()) return s;
    bool below = false;
    for (PressurePoint& r : rows) {
      below = below || r.depth > p.wall.H;
      const double width = below ? p.soil.wall.WP : p.soil.wall.WA;
      r.total *= width;
      r.soil *= width;
      r.surcharge *= width;
    }
    WritePressureColumnHeading(out.report, u);
    printed = PrintedRows(rows.size(), c.IUNIT);
    for (size_t i : printed) WritePressureRow(out.report, rows[i].depth, rows[i].total);
    z_end = p.wall.H;
  }

  WritePlotPressureRows(out.plot, rows, printed);
  // Loads are force per station.
  for (PressurePoint& r : rows) r.total *= m.HINC;
  AddPressureLoads(rows, z_end, m);
  return {};
}

}  // namespace kestra
