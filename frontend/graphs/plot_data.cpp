#include "plot_data.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "word_reader.h"

namespace kestra {

TGraphPlot::TGraphPlot(std::string caption, std::string curve_name)
    : Caption(std::move(caption)), CurveName(std::move(curve_name)) {}

std::vector<TLine>& TGraphPlot::Group(CurveGroup g) {
  switch (g) {
    case CurveGroup::LayerLines: return layer_lines_;
    case CurveGroup::Lines2: return lines2_;
    case CurveGroup::Lines3: return lines3_;
    default: return lines_;
  }
}

const std::vector<TLine>& TGraphPlot::Group(CurveGroup g) const {
  return const_cast<TGraphPlot*>(this)->Group(g);
}

void TGraphPlot::SetLineCount(CurveGroup g, int n) {
  std::vector<TLine>& lines = Group(g);
  const size_t want = n < 0 ? 0 : static_cast<size_t>(n);
  if (lines.size() > want) lines.resize(want);
  while (lines.size() < want) {
    TLine line;
    line.Value = static_cast<long double>(lines.size() + 1);
    line.Points.resize(lines_.empty() ? 0 : lines_.front().Points.size());
    lines.push_back(std::move(line));
  }
}

void TGraphPlot::SetCurvePointCount(TLine& line, int n) {
  line.Points.resize(n < 0 ? 0 : static_cast<size_t>(n));
}

void TGraphPlot::SetPointCount(CurveGroup g, int n) {
  for (TLine& line : Group(g)) SetCurvePointCount(line, n);
}

int TGraphPlot::PointCount(CurveGroup g) const {
  const std::vector<TLine>& lines = Group(g);
  return lines.empty() ? 0 : static_cast<int>(lines.front().Points.size());
}

std::string TGraphPlot::CurveLabel(const TLine& line) const {
  if (!line.Name.empty()) return line.Name;
  char buf[64];
  auto r = std::to_chars(buf, buf + sizeof buf, static_cast<double>(line.Value));
  return CurveName + std::string(buf, r.ptr);
}

namespace {

TGraphPlot Graph(const char* caption, const char* curve_name, const char* x,
                 const char* xu, const char* y, const char* yu, bool on_top) {
  TGraphPlot g(caption, curve_name);
  g.XCaption = x;
  g.XUnits = xu;
  g.YCaption = y;
  g.YUnits = yu;
  g.XOnTop = on_top;
  return g;
}

}  // namespace

ResultGraphs::ResultGraphs()
    : pltPY(Graph("p-y Curves", "Depth ", "y", "L", "p", "F/L", false)),
      pltDef(Graph("Deflection vs Depth", "Load #", "Deflection", "L", "Depth", "", true)),
      pltMom(Graph("Moment vs Depth", "Load #", "Bending Moment", "", "Depth", "", true)),
      pltShear(Graph("Shear vs Depth", "Load #", "Shear", "", "Depth", "", true)),
      pltSoil(Graph("Net Reaction vs Depth", "Load #", "Reaction", "F", "Depth", "", true)),
      pltDMS(Graph("Deflection, Moment, Shear vs Depth", "Curve #", "Deflection", "L",
                   "Depth", "", true)),
      pltLD(Graph("Earth Pressure Distribution", "Curve #", "Distributed load", "F/L",
                  "Depth", "", true)),
      PltCombine(Graph("Earth Pressure Combined", "Curve #", "Distributed Load", "F/L",
                       "Depth", "L2", true)) {}

std::array<TGraphPlot*, 8> ResultGraphs::All() {
  return {&pltPY, &pltDef, &pltMom, &pltShear, &pltSoil, &pltDMS, &pltLD, &PltCombine};
}

namespace {

constexpr CurveGroup kMain = CurveGroup::Lines;

// A count read from the file; one that more words would be needed for
// than the file still holds cannot be right.
int ReadCount(TWordReader& in, size_t words_per_item) {
  const int n = in.ReadInteger();
  if (n > 0 && static_cast<size_t>(n) * words_per_item > in.RemainingWords())
    throw EInOutError("This file either invalid or incomplete.");
  return n;
}

// The number of result blocks: every further block needs at least six
// more words (its counts and unit flag).
int ReadBlockCount(TWordReader& in) {
  const int n = in.ReadInteger();
  if (n > 1 && static_cast<size_t>(n - 1) * 6 > in.RemainingWords())
    throw EInOutError("This file either invalid or incomplete.");
  return n;
}

// p-y curves of one block: shorter curves repeat their last point.
void ReadPyCurves(TWordReader& in, TGraphPlot& py) {
  const int n = ReadCount(in, 2);
  py.SetLineCount(kMain, n);
  size_t longest = 0;
  std::vector<size_t> read(std::max(n, 0));
  for (int k = 0; k < n; ++k) {
    TLine& line = py.Line(kMain, k);
    line.Value = in.ReadFloat();
    const int m = ReadCount(in, 2);
    TGraphPlot::SetCurvePointCount(line, m);
    for (int j = 0; j < m; ++j) {
      line.Points[j].X = in.ReadFloat();
      line.Points[j].Y = in.ReadFloat();
    }
    read[k] = line.Points.size();
    longest = std::max(longest, line.Points.size());
  }
  for (int k = 0; k < n; ++k) {
    TLine& line = py.Line(kMain, k);
    const TFloatPoint last = read[k] > 0 ? line.Points[read[k] - 1] : TFloatPoint{};
    line.Points.resize(longest, last);
  }
}

struct ResultRow {
  long double depth, deflection, moment, shear, reaction;
};

ResultRow ReadResultRow(TWordReader& in, int units) {
  ResultRow r{in.ReadFloat(), in.ReadFloat(), in.ReadFloat(), in.ReadFloat(),
              in.ReadFloat()};
  if (units == 1) {  // inches to feet, pounds to kips
    r.depth /= 12;
    r.moment /= 1000;
    r.shear /= 1000;
  }
  return r;
}

void PutRow(ResultGraphs& g, int curve, int j, const ResultRow& r) {
  g.pltDef.Line(kMain, curve).Points[j] = {r.deflection, r.depth};
  g.pltMom.Line(kMain, curve).Points[j] = {r.moment, r.depth};
  g.pltShear.Line(kMain, curve).Points[j] = {r.shear, r.depth};
  g.pltSoil.Line(kMain, curve).Points[j] = {r.reaction, r.depth};
  g.pltDMS.Line(CurveGroup::Lines, curve).Points[j] = {r.deflection, r.depth};
  g.pltDMS.Line(CurveGroup::Lines2, curve).Points[j] = {r.moment, r.depth};
  g.pltDMS.Line(CurveGroup::Lines3, curve).Points[j] = {r.shear, r.depth};
}

void MatchDepthGraphs(ResultGraphs& g, int curves) {
  for (TGraphPlot* p : {&g.pltDef, &g.pltMom, &g.pltShear, &g.pltSoil}) p->SetLineCount(kMain, curves);
  for (CurveGroup grp : {CurveGroup::Lines, CurveGroup::Lines2, CurveGroup::Lines3})
    g.pltDMS.SetLineCount(grp, g.pltDef.LineCount(kMain));
}

// Points never read, still (0, 0), repeat the point before them.
void CompleteShortCurves(TGraphPlot& p, CurveGroup grp) {
  if (p.LineCount(grp) <= 1) return;
  for (int k = 0; k < p.LineCount(grp); ++k) {
    auto& pts = p.Line(grp, k).Points;
    for (size_t j = 1; j < pts.size(); ++j)
      if (std::fabs(pts[j].X) < 1e-7L && std::fabs(pts[j].Y) < 1e-7L) pts[j] = pts[j - 1];
  }
}

void LayerOverlay(TGraphPlot& dms, const PlotProject& project) {
  const int w = static_cast<int>(project.layers.size());
  dms.SetLineCount(CurveGroup::LayerLines, w + 2);
  for (int i = 0; i < w + 2; ++i) {
    TLine& entry = dms.Line(CurveGroup::LayerLines, i);
    entry.Points.assign(1, TFloatPoint{});
    entry.Name = "LAYER " + std::to_string(i + 1);
  }
  for (int i = 0; i < w; ++i) {
    TLine& entry = dms.Line(CurveGroup::LayerLines, i);
    const auto [type, bottom] = project.layers[i];
    int code = 0;
    switch (type) {
      case 1: case 2: case 3: entry.Name = " CLAY "; code = 1; break;
      case 4: entry.Name = " SAND "; code = 7; break;
      case 5: entry.Name = " SILT "; code = 8; break;
      case 6: entry.Name = "STRONG ROCK"; code = 9; break;
      case 7: entry.Name = "WEAK ROCK"; code = 10; break;
      default: break;
    }
    entry.Points[0] = {static_cast<long double>(code), bottom};
  }
  dms.WallLineCount = w;
  const long double feet = project.Units == 1 ? 12.0L : 1.0L;
  TLine& tip = dms.Line(CurveGroup::LayerLines, w);
  tip.Name = "PILE";
  tip.Points[0] = {0, project.wall_length / feet};
  TLine& excavation = dms.Line(CurveGroup::LayerLines, w + 1);
  excavation.Name = "PILE";
  excavation.Points[0] = {0, project.free_height / feet};
}

void Load(ResultGraphs& g, TWordReader& in, const PlotProject& project) {
  for (TGraphPlot* p : g.All()) p->SetPointCount(kMain, 0);
  int r = 1;

  // Block 1: earth pressures.
  g.pltLD.SetLineCount(kMain, 1);
  g.PltCombine.SetLineCount(kMain, 3);
  int nEP = ReadCount(in, 4);
  g.pltLD.SetPointCount(kMain, nEP);
  g.PltCombine.SetPointCount(kMain, nEP);
  int largest_ep = nEP;
  const char* names[3] = {"Total Earth Pressure", "from Soils ", "from Surcharge Loads"};
  for (int c = 0; c < 3; ++c) g.PltCombine.Line(kMain, c).Name = names[c];
  for (int j = 0; j < nEP; ++j) {
    long double row[4];
    for (long double& v : row) v = in.ReadFloat();
    g.pltLD.Line(kMain, 0).Points[j] = {row[1], row[0]};
    const long double depth = project.Units == 1 ? row[0] / 12 : row[0];
    for (int c = 0; c < 3; ++c) g.PltCombine.Line(kMain, c).Points[j] = {row[1 + c], depth};
  }
  int units = in.ReadInteger();
  if (units == 1)
    for (TFloatPoint& pt : g.pltLD.Line(kMain, 0).Points) pt.Y /= 12;

  ReadPyCurves(in, g.pltPY);

  const int nRes = ReadBlockCount(in);
  if (nRes < 1) throw EInOutError("This file either invalid or incomplete.");
  g.pltDef.SetLineCount(kMain, nRes);
  r = std::max(r, nRes);
  MatchDepthGraphs(g, g.pltDef.LineCount(kMain));
  int nNode = ReadCount(in, 5);
  int largest_node = nNode;
  for (TGraphPlot* p : {&g.pltDef, &g.pltMom, &g.pltShear, &g.pltSoil}) p->SetPointCount(kMain, nNode);
  in.ReadInteger();
  for (CurveGroup grp : {CurveGroup::Lines, CurveGroup::Lines2, CurveGroup::Lines3})
    g.pltDMS.SetPointCount(grp, nNode);
  g.pltDMS.ShowThree = true;
  for (int j = 0; j < nNode; ++j) PutRow(g, 0, j, ReadResultRow(in, units));
  MatchDepthGraphs(g, r);
  if (g.pltDMS.LineCount(kMain) > 0) LayerOverlay(g.pltDMS, project);

  const int blocks = r;
  for (int s = 1; s < blocks; ++s) {
    g.pltLD.SetLineCount(kMain, r);
    nEP = ReadCount(in, 4);
    TGraphPlot::SetCurvePointCount(g.pltLD.Line(kMain, s), nEP);
    largest_ep = std::max(largest_ep, nEP);
    for (int j = 0; j < nEP; ++j) {
      long double row[4];
      for (long double& v : row) v = in.ReadFloat();
      g.pltLD.Line(kMain, s).Points[j] = {row[1], row[0]};
    }
    units = in.ReadInteger();
    if (units == 1)
      for (TFloatPoint& pt : g.pltLD.Line(kMain, s).Points) pt.Y /= 12;
    ReadPyCurves(in, g.pltPY);
    const int n = ReadBlockCount(in);
    g.pltDef.SetLineCount(kMain, n);
    r = std::max(r, n);
    if (g.pltDef.LineCount(kMain) < r) g.pltDef.SetLineCount(kMain, r);
    MatchDepthGraphs(g, g.pltDef.LineCount(kMain));
    for (TGraphPlot* p : {&g.pltDef, &g.pltMom, &g.pltShear, &g.pltSoil, &g.pltDMS}) {
      p->Line(kMain, 0).Name = project.LongTermAnalysis ? "Short-Term" : "Stage: 1";
      p->Line(kMain, s).Name = project.LongTermAnalysis && s == 1
                                   ? "Long-Term"
                                   : "Stage: " + std::to_string(s + 1);
    }
    nNode = ReadCount(in, 5);
    largest_node = std::max(largest_node, nNode);
    // Only this block's curve takes its length: earlier curves keep theirs.
    for (TGraphPlot* p : {&g.pltDef, &g.pltMom, &g.pltShear, &g.pltSoil})
      TGraphPlot::SetCurvePointCount(p->Line(kMain, s), nNode);
    for (CurveGroup grp : {CurveGroup::Lines, CurveGroup::Lines2, CurveGroup::Lines3})
      TGraphPlot::SetCurvePointCount(g.pltDMS.Line(grp, s), nNode);
    in.ReadInteger();
    for (int j = 0; j < nNode; ++j) PutRow(g, s, j, ReadResultRow(in, units));
    MatchDepthGraphs(g, r);
    g.pltLD.SetLineCount(kMain, r);
  }

  g.pltLD.SetLineCount(kMain, r);
  for (int k = 0; k < g.pltLD.LineCount(kMain); ++k)
    if (static_cast<int>(g.pltLD.Line(kMain, k).Points.size()) < largest_ep)
      TGraphPlot::SetCurvePointCount(g.pltLD.Line(kMain, k), largest_ep);
  MatchDepthGraphs(g, r);
  if (r > 1) {
    for (TGraphPlot* p : {&g.pltDef, &g.pltMom, &g.pltShear, &g.pltSoil})
      for (int k = 0; k < p->LineCount(kMain); ++k)
        if (static_cast<int>(p->Line(kMain, k).Points.size()) < largest_node)
          TGraphPlot::SetCurvePointCount(p->Line(kMain, k), largest_node);
    for (CurveGroup grp : {CurveGroup::Lines, CurveGroup::Lines2, CurveGroup::Lines3})
      for (int k = 0; k < g.pltDMS.LineCount(grp); ++k)
        if (static_cast<int>(g.pltDMS.Line(grp, k).Points.size()) < largest_node)
          TGraphPlot::SetCurvePointCount(g.pltDMS.Line(grp, k), largest_node);
  }
  for (TGraphPlot* p : {&g.pltLD, &g.pltDef, &g.pltMom, &g.pltShear, &g.pltSoil})
    CompleteShortCurves(*p, kMain);
  for (CurveGroup grp : {CurveGroup::Lines, CurveGroup::Lines2, CurveGroup::Lines3})
    CompleteShortCurves(g.pltDMS, grp);

  const bool english = units == 1;
  for (TGraphPlot* p : {&g.pltDef, &g.pltMom, &g.pltShear, &g.pltSoil, &g.pltLD})
    p->YCaption = english ? "Depth (ft)" : "Depth (m)";
  g.pltMom.XCaption = english ? "Bending Moment (in-kips)" : "Bending Moment (m-kN)";
  g.pltShear.XCaption = english ? "Shear (kips)" : "Shear (kN)";
  g.pltDMS.XCaption = g.pltDef.XCaption;
  g.pltDMS.YCaption = g.pltDef.YCaption;
  g.pltDMS.XUnits = g.pltDef.XUnits;
  g.pltDMS.XCaption2 = g.pltMom.XCaption;
  g.pltDMS.YCaption2 = g.pltMom.YCaption;
  g.pltDMS.XUnits2 = g.pltMom.XUnits;
  g.pltDMS.XCaption3 = g.pltShear.XCaption;
  g.pltDMS.YCaption3 = g.pltShear.YCaption;
  g.pltDMS.XUnits3 = g.pltShear.XUnits;
  for (TGraphPlot* p : g.All()) p->SetUnits(units);
}

}  // namespace

bool LoadPlotFile(ResultGraphs& graphs, const std::string& contents,
                  const PlotProject& project, std::string* error) {
  TWordReader in(contents);
  try {
    Load(graphs, in, project);
    return true;
  } catch (const EInOutError& e) {
    if (error) *error = e.what();
    return false;
  }
}

}  // namespace kestra
