#include "input_reader.h"

#include <cmath>

#include "unit_labels.h"

namespace kestra {
namespace {

ReadStatus FromFill(FillError e) {
  ReadStatus s;
  if (e == FillError::StationsNotInOrder) s.error = RunError::StationsNotInOrder;
  if (e == FillError::StationOutsideWall) s.error = RunError::StationOutsideWall;
  return s;
}

ReadStatus TooMuchData() { return {RunError::TooMuchData, 0, {}}; }

constexpr int kMaxPyCurves = 400;
constexpr int kMaxEiCurves = 20;
constexpr int kMaxEiPoints = 100;

}  // namespace

ProblemReader::ProblemReader(FreeFormatReader& in, RunOutputs& out)
    : in_(in), out_(out), report_(out.report) {}

ReadStatus ProblemReader::InputError() const {
  return {RunError::InvalidInput, in_.error_line(), in_.error()};
}

ReadStatus ProblemReader::Invalid(std::string detail) const {
  return {RunError::InvalidInput, in_.line(), std::move(detail)};
}

ReadStatus ProblemReader::ReadCount(int& count) {
  if (!in_.ReadRecord(count)) return InputError();
  if (count < 0) return Invalid("NEGATIVE COUNT");
  return {};
}

ReadStatus ProblemReader::ReadTitle(std::string& title) {
  if (!in_.ReadLine(title)) return InputError();
  title.resize(80, ' ');
  return {};
}

ReadStatus ProblemReader::ReadControl(ControlRecord& c) {
  if (!in_.ReadRecord(c.IUNIT, c.NSPEC, c.NEIREC, c.NPYMOD, c.IEPOPT, c.IPYOPT,
                      c.NPYUSR, c.NSTAGE, c.NMEI, c.NTIE))
    return InputError();
  for (int n : {c.NSPEC, c.NEIREC, c.NPYMOD, c.NPYUSR, c.NMEI, c.NTIE})
    if (n < 0) return Invalid("NEGATIVE COUNT");
  return {};
}

ReadStatus ProblemReader::ReadTerminator(int& ICONT) {
  if (!in_.ReadRecord(ICONT)) return InputError();
  return {};
}

ReadStatus ProblemReader::ReadBody(ProblemInput& p, StationModel& m,
                                   std::vector<TorqueEntry>& torques,
                                   std::vector<Tieback>& tiebacks,
                                   SupportDepths& supports) {
  const ControlRecord& c = p.control;
  WriteControlParameters(report_, c);
  if (ReadStatus s = ReadWall(p); !s.ok()) return s;
  m.Reset(p.wall.NINC, p.wall.HINC);
  if (ReadStatus s = ReadSpecified(p, m); !s.ok()) return s;

  if (c.NEIREC >= 1) {
    if (ReadStatus s = ReadStiffnessAndLoads(p, m, torques, tiebacks, supports);
        !s.ok())
      return s;
    for (int i = 0; i < c.NPYMOD; ++i) {
      PyModifier mod;
      if (!in_.ReadRecord(mod.depth, mod.p_multiplier, mod.y_multiplier))
        return InputError();
      p.py_modifiers.push_back(mod);
    }
    if (c.IEPOPT == 1) {
      if (ReadStatus s = ReadPressureTable(p); !s.ok()) return s;
    }
    if (c.IEPOPT > 1 || c.IPYOPT == 2) {
      if (ReadStatus s = ReadSoilData(p); !s.ok()) return s;
    }
    const SupportInfo sup{nsprings_ + c.NTIE, supports.first, supports.last};
    if (ReadStatus s = ApplyEarthPressure(p, sup, m, out_); !s.ok()) return s;
    if (HasDataBeyondTip(m)) return {RunError::DataBeyondEnd, 0, {}};
  } else {
    WriteNoRecords(report_);
  }
  if (c.NPYUSR > 0) {
    if (ReadStatus s = ReadUserPyCurves(p); !s.ok()) return s;
  }
  return ReadMomentEiCurves(p);
}

ReadStatus ProblemReader::ReadWall(ProblemInput& p) {
  WallRecord& w = p.wall;
  if (!in_.ReadRecord(w.NINC, w.HINC, w.YALLOW, w.YCLOSE, w.H, w.WA))
    return InputError();
  if (w.NINC > kMaxIncrements) return TooMuchData();
  if (w.NINC < 1) return Invalid("NUMBER OF INCREMENTS BELOW 1");
  if (!(w.HINC > 0.0)) return Invalid("INCREMENT LENGTH NOT POSITIVE");
  WriteWallRecord(report_, w, UnitLabels::For(p.control.IUNIT));
  return {};
}

ReadStatus ProblemReader::ReadSpecified(ProblemInput& p, StationModel& m) {
  const int n = p.control.NSPEC;
  if (n > kMaxSpecified) return TooMuchData();
  if (n == 0) {
    WriteNoRecords(report_);
    return {};
  }
  WriteSpecifiedHeading(report_);
  int last_index = StationIndex(-1);
  for (int i = 0; i < n; ++i) {
    SpecifiedPoint sp;
    if (!in_.ReadRecord(sp.case_code, sp.station, sp.deflection, sp.slope))
      return InputError();
    if (ReadStatus s = FromFill(AddSpecifiedPoint(m, sp.case_code, sp.station,
                                                  sp.deflection, sp.slope,
                                                  last_index));
        !s.ok())
      return s;
    WriteSpecifiedPoint(report_, sp);
    p.specified.push_back(sp);
  }
  return {};
}

ReadStatus ProblemReader::ReadStiffnessAndLoads(
    ProblemInput& p, StationModel& m, std::vector<TorqueEntry>& torques,
    std::vector<Tieback>& tiebacks, SupportDepths& supports) {
  const ControlRecord& c = p.control;
  WriteStiffnessHeading(report_, UnitLabels::For(c.IUNIT));
  // Codes other than 2 (continued) are taken as 1 (not continued).
  auto kont_of = [](int code) { return code == 2 ? 1 : 0; };
  auto ei_at = [&m](int station) {
    return m.HasStation(station) ? m.EI[StationIndex(station)] : 0.0;
  };

  RecordDistributor stiffness;
  for (int i = 0; i < c.NEIREC; ++i) {
    int from = 0, to = 0, code = 0;
    StationValues v;
    if (!in_.ReadRecord(from, to, code, v.EI)) return InputError();
    FillError e;
    const int k = stiffness.Add(m, from, to, kont_of(code), v, e);
    if (e != FillError::None) return FromFill(e);
    WriteStiffnessRecord(report_, k, from, to, kont_of(code),
                         {v.EI, 0.0, 0.0, 0.0, 0.0, 0.0});
  }

  int nloads = 0;
  if (ReadStatus s = ReadCount(nloads); !s.ok()) return s;
  RecordDistributor loads;
  for (int i = 0; i < nloads; ++i) {
    int code = 0, from = 0, to = 0;
    double q = 0, t = 0, axial = 0;
    if (!in_.ReadRecord(code, from, to, q, t, axial)) return InputError();
    StationValues v;
    v.Q = q;
    v.T = t;
    v.P = -axial;  // compression is read positive, held negative
    FillError e;
    const int k = loads.Add(m, from, to, kont_of(code), v, e);
    if (e != FillError::None) return FromFill(e);
    if (t != 0.0) torques.push_back({from, t / (2 * p.wall.HINC)});
    WriteStiffnessRecord(report_, k, from, to, kont_of(code),
                         {ei_at(from), q, 0.0, t, 0.0, axial});
  }

  int nsprings = 0;
  if (ReadStatus s = ReadCount(nsprings); !s.ok()) return s;
  nsprings_ = nsprings;
  RecordDistributor springs;
  for (int i = 0; i < nsprings; ++i) {
    int from = 0, to = 0, code = 0;
    StationValues v;
    if (!in_.ReadRecord(from, to, code, v.S, v.R)) return InputError();
    FillError e;
    const int k = springs.Add(m, from, to, kont_of(code), v, e);
    if (e != FillError::None) return FromFill(e);
    if (from == to) {
      if (i == 0) supports.first = from * p.wall.HINC;
      if (i == nsprings - 1) supports.last = from * p.wall.HINC;
    }
    WriteStiffnessRecord(report_, k, from, to, kont_of(code),
                         {ei_at(from), 0.0, v.S, 0.0, v.R, 0.0});
  }
  for (int i = 0; i < c.NTIE; ++i) {
    TiebackInput in;
    if (!in_.ReadRecord(in.depth, in.area, in.modulus, in.unbonded_length,
                        in.angle, in.spacing, in.prestress))
      return InputError();
    p.tiebacks.push_back(in);
    if (!(p.wall.WA > 0.0))
      return Invalid("WIDTH FOR EARTH PRESSURE NOT POSITIVE");
    Tieback t;
    if (!MakeTieback(in, c.IUNIT, p.wall.HINC, p.wall.WA, t))
      return Invalid("TIEBACK SPACING OR UNBONDED LENGTH NOT POSITIVE");
    // A tieback is a single-station record that continues no chain.
    StationValues v;
    v.S = t.S;
    v.Q = t.Q;
    FillError e;
    const int k = springs.Add(m, t.station, t.station, 0, v, e);
    if (e != FillError::None) return FromFill(e);
    WriteStiffnessRecord(report_, k, t.station, t.station, 0,
                         {ei_at(t.station), t.Q, t.S, 0.0, 0.0, 0.0});
    const double depth = t.station * p.wall.HINC;
    if (nsprings == 0 && i == 0) supports.first = depth;
    if (i == c.NTIE - 1) supports.last = depth;
    tiebacks.push_back(t);
  }
  return {};
}

ReadStatus ProblemReader::ReadPressureTable(ProblemInput& p) {
  int n = 0;
  if (ReadStatus s = ReadCount(n); !s.ok()) return s;
  for (int i = 0; i < n; ++i) {
    PressureRow r;
    if (!in_.ReadRecord(r.depth, r.pressure)) return InputError();
    p.pressures.push_back(r);
  }
  return {};
}

ReadStatus ProblemReader::ReadSoilData(ProblemInput& p) {
  p.has_soil = true;
  SoilInput& soil = p.soil;
  WallConfiguration& w = soil.wall;
  if (!in_.ReadRecord(w.H, w.WA, w.WP, w.ZWB, w.ZWE, w.MODFAC, w.IWATER,
                      w.BETA))
    return InputError();
  LegacySurcharge& l = soil.legacy;
  if (!in_.ReadRecord(l.QPRE, l.distance, l.point_load, l.line_load,
                      l.strip_load, l.strip_width))
    return InputError();
  int nsur = 0;
  if (ReadStatus s = ReadCount(nsur); !s.ok()) return s;
  for (int i = 0; i < nsur; ++i) {
    SurchargeLoad sl;
    if (!in_.ReadRecord(sl.type, sl.magnitude, sl.x, sl.width))
      return InputError();
    if (p.control.IUNIT == 2) {  // distances are written in millimetres
      sl.x /= 1000;
      sl.width /= 1000;
    }
    soil.surcharges.push_back(sl);
  }
  int nlayers = 0;
  if (ReadStatus s = ReadCount(nlayers); !s.ok()) return s;
  for (int i = 0; i < nlayers; ++i) {
    SoilLayerInput layer;
    auto& t = layer.top;
    auto& b = layer.bottom_values;
    if (!in_.ReadRecord(layer.type, layer.bottom) ||
        !in_.ReadRecord(t[0], t[1], t[2], t[3], t[4], t[5]) ||
        !in_.ReadRecord(b[0], b[1], b[2], b[3], b[4], b[5]))
      return InputError();
    soil.layers.push_back(layer);
  }
  return {};
}

ReadStatus ProblemReader::ReadPoints(int count,
                                     std::vector<CurvePoint>& points) {
  if (count < 0) return Invalid("NEGATIVE COUNT");
  for (int j = 0; j < count; ++j) {
    CurvePoint pt;
    if (!in_.ReadRecord(pt.x, pt.y)) return InputError();
    points.push_back(pt);
  }
  return {};
}

ReadStatus ProblemReader::ReadUserPyCurves(ProblemInput& p) {
  if (p.control.NPYUSR > kMaxPyCurves) return TooMuchData();
  for (int i = 0; i < p.control.NPYUSR; ++i) {
    UserPyCurve curve;
    int npts = 0;
    if (!in_.ReadRecord(curve.station, npts, curve.p_multiplier,
                        curve.y_multiplier))
      return InputError();
    if (ReadStatus s = ReadPoints(npts, curve.points); !s.ok()) return s;
    p.py_curves.push_back(std::move(curve));
  }
  return {};
}

ReadStatus ProblemReader::ReadMomentEiCurves(ProblemInput& p) {
  if (p.control.NMEI > kMaxEiCurves) return TooMuchData();
  for (int i = 0; i < p.control.NMEI; ++i) {
    MomentEiCurve curve;
    int npts = 0;
    if (!in_.ReadRecord(curve.from, curve.to, npts)) return InputError();
    if (npts > kMaxEiPoints) return TooMuchData();
    if (ReadStatus s = ReadPoints(npts, curve.points); !s.ok()) return s;
    p.ei_curves.push_back(std::move(curve));
  }
  return {};
}

}  // namespace kestra
