// Result graphs as data: curves of points, the graphs of the main window,
// and the reader that fills them from a plot data file. No drawing here.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <vector>

namespace kestra {

struct TFloatPoint {
  long double X = 0.0L;
  long double Y = 0.0L;
};

class TGraphPlot;

class TLine {
 public:
  std::vector<TFloatPoint> Points;
  long double Value = 0.0L;  // the curve's label number
  std::string Name;          // legend text when not empty
  bool Visible = true;
  bool Active = true;
};

enum class CurveGroup { Lines, LayerLines, Lines2, Lines3 };

class TGraphPlot {
 public:
  TGraphPlot(std::string caption, std::string curve_name);

  // Curves are added or removed at the end; a new curve gets as many (0, 0)
  // points as the first curve of Lines has, and its position as Value.
  void SetLineCount(CurveGroup g, int n);
  // Every curve of the group to n points; nothing when the group is empty.
  void SetPointCount(CurveGroup g, int n);
  static void SetCurvePointCount(TLine& line, int n);

  int LineCount(CurveGroup g) const { return static_cast<int>(Group(g).size()); }
  // The point count of a group is that of its first curve.
  int PointCount(CurveGroup g) const;
  TLine& Line(CurveGroup g, int k) { return Group(g)[k]; }
  const TLine& Line(CurveGroup g, int k) const { return Group(g)[k]; }

  // Name if set, otherwise CurveName followed by Value.
  std::string CurveLabel(const TLine& line) const;

  int Units() const { return units_; }
  void SetUnits(int units) { units_ = units < 1 ? 1 : units > 3 ? 3 : units; }

  std::string Caption, CurveName;
  std::string XCaption, XUnits, YCaption, YUnits;
  std::string XCaption2, XUnits2, YCaption2, YUnits2;
  std::string XCaption3, XUnits3, YCaption3, YUnits3;
  bool XOnTop = false, ShowLegend = true, ShowLayers = false, ShowWall = false,
       ShowThree = false, ShowFontWidth = true;
  // The graph title and where it stands (top or bottom), set from the
  // graph window; kept while the program runs.
  std::string Title;
  bool TitleOnTop = false;
  int WallLineCount = 0, Markers = 1, SizeFont = 10, LegendFont = 11, WidthLine = 1;
  // Called with the curve index and its legend text before each legend
  // entry is added; may change the text.
  std::function<void(int, std::string&)> onGetCaption;

 private:
  std::vector<TLine>& Group(CurveGroup g);
  const std::vector<TLine>& Group(CurveGroup g) const;

  std::vector<TLine> lines_, layer_lines_, lines2_, lines3_;
  int units_ = 1;
};

// The result graphs of the main window.
struct ResultGraphs {
  ResultGraphs();
  TGraphPlot pltPY, pltDef, pltMom, pltShear, pltSoil, pltDMS, pltLD, PltCombine;
  std::array<TGraphPlot*, 8> All();
};

// What the reader takes from the project rather than from the file.
struct PlotProject {
  int Units = 1;                 // 1 English, 2 SI, 3 F and L
  bool LongTermAnalysis = false;
  // Soil layers: type code and bottom depth as the layer table shows it
  // (feet for English).
  std::vector<std::pair<int, double>> layers;
  double wall_length = 0.0;  // IncrementCount x IncrementLength, inches in English
  double free_height = 0.0;  // inches in English
};

// Reads a plot data file into the graphs. False, with the reader's message
// in `error`, when the file is invalid or incomplete.
bool LoadPlotFile(ResultGraphs& graphs, const std::string& contents,
                  const PlotProject& project, std::string* error);

}  // namespace kestra
