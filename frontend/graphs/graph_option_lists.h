// The lists the graph option dialogs edit, without the dialogs: one name and
// one state string per curve of a graph's main group, and how they go back
// into the graph.
#pragma once

#include <string>
#include <vector>

#include "plot_data.h"

namespace kestra {

// State strings of the "Active Curves" list, shown in front of each name.
inline constexpr const char* kCurveActive = " yes : ";
inline constexpr const char* kCurveInactive = " no  : ";

// Legend text of every curve of Lines, in curve order.
std::vector<std::string> CurveNames(const TGraphPlot& plot);
// kCurveActive or kCurveInactive for every curve of Lines.
std::vector<std::string> CurveStates(const TGraphPlot& plot);

// One line of the "Active Curves" list: state, three blanks, name.
std::string ActiveCurveLine(const std::string& state, const std::string& name);
bool IsActiveState(const std::string& state);
std::string FlippedState(const std::string& state);

// Names become the curves' Names, states their Active flags; entries beyond
// the number of curves are ignored, curves beyond the entries keep theirs.
// A name equal to the curve's present label, or empty, changes nothing.
void ApplyCurveNames(TGraphPlot& plot, const std::vector<std::string>& names);
void ApplyCurveStates(TGraphPlot& plot, const std::vector<std::string>& states);

// Palette index (PaletteColour) of every curve of Lines as the graph window
// colours it: its position among the active curves; -1 for an inactive
// curve, which is not drawn.
std::vector<int> CurveColourIndices(const TGraphPlot& plot);

}  // namespace kestra
