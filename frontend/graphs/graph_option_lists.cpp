#include "graph_option_lists.h"

#include <algorithm>
#include <cstddef>

namespace kestra {

std::vector<std::string> CurveNames(const TGraphPlot& plot) {
  std::vector<std::string> names;
  const int n = plot.LineCount(CurveGroup::Lines);
  names.reserve(static_cast<std::size_t>(n));
  for (int k = 0; k < n; ++k) {
    names.push_back(plot.CurveLabel(plot.Line(CurveGroup::Lines, k)));
  }
  return names;
}

std::vector<std::string> CurveStates(const TGraphPlot& plot) {
  std::vector<std::string> states;
  const int n = plot.LineCount(CurveGroup::Lines);
  states.reserve(static_cast<std::size_t>(n));
  for (int k = 0; k < n; ++k) {
    states.emplace_back(plot.Line(CurveGroup::Lines, k).Active ? kCurveActive
                                                                : kCurveInactive);
  }
  return states;
}

std::string ActiveCurveLine(const std::string& state, const std::string& name) {
  return state + "   " + name;
}

bool IsActiveState(const std::string& state) { return state == kCurveActive; }

std::string FlippedState(const std::string& state) {
  return IsActiveState(state) ? kCurveInactive : kCurveActive;
}

void ApplyCurveNames(TGraphPlot& plot, const std::vector<std::string>& names) {
  const int n = std::min(plot.LineCount(CurveGroup::Lines),
                         static_cast<int>(names.size()));
  for (int k = 0; k < n; ++k) {
    TLine& line = plot.Line(CurveGroup::Lines, k);
    const std::string& name = names[static_cast<std::size_t>(k)];
    // A default label left as it was stays a default, so that it follows
    // the curve's number (a p-y curve's depth) after the next analysis.
    if (name.empty() || name == plot.CurveLabel(line)) continue;
    line.Name = name;
  }
}

void ApplyCurveStates(TGraphPlot& plot, const std::vector<std::string>& states) {
  const int n = std::min(plot.LineCount(CurveGroup::Lines),
                         static_cast<int>(states.size()));
  for (int k = 0; k < n; ++k) {
    plot.Line(CurveGroup::Lines, k).Active =
        IsActiveState(states[static_cast<std::size_t>(k)]);
  }
}

std::vector<int> CurveColourIndices(const TGraphPlot& plot) {
  std::vector<int> indices;
  int next = 0;
  for (int k = 0; k < plot.LineCount(CurveGroup::Lines); ++k) {
    indices.push_back(plot.Line(CurveGroup::Lines, k).Active ? next++ : -1);
  }
  return indices;
}

}  // namespace kestra
