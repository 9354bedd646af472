// Input records of one problem as read from the input data file.
#pragma once

#include <string>
#include <vector>

#include "soil/soil_input.h"

namespace kestra {

struct ControlRecord {
  int IUNIT = 0;
  int NSPEC = 0;
  int NEIREC = 0;
  int NPYMOD = 0;
  int IEPOPT = 0;
  int IPYOPT = 0;
  int NPYUSR = 0;
  int NSTAGE = 0;
  int NMEI = 0;
  int NTIE = 0;
};

struct WallRecord {
  int NINC = 0;
  double HINC = 0.0;
  double YALLOW = 0.0;
  double YCLOSE = 0.0;
  double H = 0.0;
  double WA = 0.0;
};

struct SpecifiedPoint {
  int case_code = 0;
  int station = 0;
  double deflection = 0.0;
  double slope = 0.0;
};

struct TiebackInput {
  double depth = 0.0;
  double area = 0.0;
  double modulus = 0.0;
  double unbonded_length = 0.0;
  double angle = 0.0;  // from horizontal, degrees
  double spacing = 0.0;
  double prestress = 0.0;
};

struct PyModifier {
  double depth = 0.0;
  double p_multiplier = 1.0;
  double y_multiplier = 1.0;
};

struct PressureRow {
  double depth = 0.0;
  double pressure = 0.0;
};

struct CurvePoint {
  double x = 0.0;  // y of a p-y curve, moment of a moment-EI curve
  double y = 0.0;  // p of a p-y curve, EI of a moment-EI curve
};

struct UserPyCurve {
  int station = 0;
  double p_multiplier = 1.0;
  double y_multiplier = 1.0;
  std::vector<CurvePoint> points;  // (y, p) as read
};

struct MomentEiCurve {
  int from = 0;
  int to = 0;
  std::vector<CurvePoint> points;  // (moment, EI)
};

// Everything read for one problem. Stiffness, load and spring records go
// straight into the station model as they are read; the rest is kept here
// for the modules that process it.
struct ProblemInput {
  std::string title;  // 80 characters, blank-padded
  ControlRecord control;
  WallRecord wall;
  std::vector<SpecifiedPoint> specified;
  std::vector<TiebackInput> tiebacks;
  std::vector<PyModifier> py_modifiers;
  std::vector<PressureRow> pressures;
  bool has_soil = false;
  SoilInput soil;
  std::vector<UserPyCurve> py_curves;
  std::vector<MomentEiCurve> ei_curves;
  int ICONT = 0;
};

}  // namespace kestra
