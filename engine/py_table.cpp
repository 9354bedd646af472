#include "py_table.h"

#include <cmath>
#include <cstdio>

#include "free_format_reader.h"
#include "layout.h"
#include "plot_writer.h"

namespace kestra {

PyLine Linearize(const PyCurveEntry& c, double Y, bool& off_curve) {
  const size_t n = c.y.size();
  if (n < 2) {
    off_curve = true;
    return {};
  }
  size_t k = n - 2;  // segment (k, k+1), 0-based
  if (n < 3) {
    off_curve = true;
  } else {
    bool found = false;
    for (size_t j = 1; j < n; ++j) {
      if (Y < c.y[j]) {
        if (Y < c.y[0]) off_curve = true;
        k = j - 1;
        found = true;
        break;
      }
      if (Y == c.y[j]) {
        k = j - 1;
        found = true;
        break;
      }
    }
    if (!found) off_curve = true;
  }
  const double dy = c.y[k + 1] - c.y[k];
  if (dy == 0.0) return {};
  const double m = -(c.p[k + 1] - c.p[k]) / dy;
  return {m * c.y[k] + c.p[k], m};
}

namespace {

void AddLine(StationArray& QW, StationArray& SW, int station, const PyLine& l,
             double factor) {
  QW[StationIndex(station)] += l.b * factor;
  SW[StationIndex(station)] += l.m * factor;
}

}  // namespace

bool AddPyLines(const std::vector<PyCurveEntry>& curves, int NINC,
                const StationArray& Y, StationArray& QW, StationArray& SW,
                bool& off_curve) {
  bool pairing = false;
  size_t c0 = 0;
  for (size_t c = 0; c < curves.size(); ++c) {
    if (!pairing) {
      c0 = c;
      if (curves[c].flag == 1) {
        pairing = true;  // c starts a pair
        continue;
      }
    }
    const PyCurveEntry& a = curves[c0];
    const PyCurveEntry& b = curves[c];
    const int l0 = a.station, l2 = b.station, d = l2 - l0;
    if (d < 0) return false;
    if (d == 0) {
      if (c == c0 && l0 <= NINC && l0 >= -1)
        AddLine(QW, SW, l0, Linearize(a, Y[StationIndex(l0)], off_curve), 1.0);
    } else if (l0 < NINC && l0 >= -1) {
      const int end = l2 > NINC ? NINC : l2;
      // Pass 2 takes half back at the two ends, so a station shared by two
      // pairs gets the full line and the ends of a chain half lines.
      for (int pass = 0; pass < 2; ++pass) {
        for (int j = l0; j <= end; ++j) {
          if (pass == 1 && j != l0 && j != end) continue;
          const double y = Y[StationIndex(j)];
          const PyLine la = Linearize(a, y, off_curve);
          const PyLine lb = Linearize(b, y, off_curve);
          const double t = static_cast<double>(j - l0) / d;
          const PyLine mix{la.b + (lb.b - la.b) * t, la.m + (lb.m - la.m) * t};
          AddLine(QW, SW, j, mix, pass == 0 ? 1.0 : -0.5);
        }
      }
    }
    if (b.flag == 1) {
      c0 = c;
      pairing = true;
    } else {
      pairing = false;
    }
  }
  return true;
}

namespace {

ReadStatus FileError(const char* what) {
  return {RunError::ScratchFile, 0, std::string("SOILDATA: ") + what};
}

}  // namespace

ReadStatus ReadPyCurveFile(const std::string& text, const std::vector<UserPyCurve>& user,
                           double HINC, int IUNIT, std::vector<PyCurveEntry>& curves,
                           std::string& plot) {
  FreeFormatReader in(text);
  int n = 0;
  if (!in.ReadRecord(n) || n < 0) return FileError("NO CURVE COUNT");
  std::fprintf(stderr, " %d\n", n);
  WriteFreeFormatLine(plot, {IUNIT, n});
  if (n > 400) return {RunError::TooMuchData, 0, {}};
  const int nuser = static_cast<int>(user.size());
  static const Layout kHeader("(1X,F10.2,1X,I5)");
  for (int c = 0; c < n; ++c) {
    PyCurveEntry e;
    if (c < nuser) {
      int station = 0, count = 0;
      if (!in.ReadRecord(station, count) || count < 0) return FileError("BAD USER CURVE");
      e.station = station;
      e.flag = 0;
      WriteFreeFormatLine(plot, {station, count});
      for (int k = 0; k < count; ++k) {
        int index = 0;
        double p = 0, y = 0;
        if (!in.ReadRecord(index, p, y)) return FileError("BAD USER CURVE POINT");
        e.y.push_back(y);
        e.p.push_back(p);
        WriteFreeFormatLine(plot, {y, p});
      }
    } else {
      double depth = 0;
      int count = 0;
      if (!in.ReadRecord(depth, count)) return FileError("BAD CURVE HEADER");
      e.station = NearestStation(depth, HINC);
      e.flag = 1;
      if (nuser == 0) {
        const LayoutValue values[] = {depth, 33};
        kHeader.Write(plot, values);
      } else {
        WriteFreeFormatLine(plot, {e.station, 33});
      }
      double p[35] = {}, y[35] = {};
      for (int k = 1; k <= 34; ++k) {
        int index = 0;
        if (!in.ReadRecord(index, p[k], y[k])) return FileError("BAD CURVE POINT");
      }
      // Backfill branch (points 18-34) mirrored to negative deflection, then
      // the excavation branch (points 2-17) with its resistance negated.
      for (int j = 1; j <= 17; ++j) {
        e.y.push_back(-y[35 - j]);
        e.p.push_back(p[35 - j]);
      }
      for (int j = 18; j <= 33; ++j) {
        e.y.push_back(y[j - 16]);
        e.p.push_back(-p[j - 16]);
      }
      for (size_t k = 0; k < e.y.size(); ++k) WriteFreeFormatLine(plot, {e.y[k], e.p[k]});
    }
    for (double& p : e.p) p *= HINC;
    curves.push_back(std::move(e));
  }
  return {};
}

}  // namespace kestra
