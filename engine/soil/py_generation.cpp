#include "py_generation.h"

#include <cmath>
#include <cstdio>
#include <vector>

#include "layout.h"
#include "plot_writer.h"
#include "py_models.h"
#include "py_profile.h"
#include "report_writer.h"
#include "soil_profile.h"
#include "unit_labels.h"

namespace kestra {
namespace {

const char* Description(int type) {
  switch (type) {
    case 2: return "THE SOIL IS A STIFF CLAY BELOW THE WATER TABLE";
    case 3: return "THE SOIL IS A STIFF CLAY ABOVE THE WATER TABLE";
    case 4: return "THE SOIL IS A SAND";
    case 5: return "THE SOIL IS A SILT";
    case 6: return "THE LAYER IS ROCK";
    case 7: return "THE LAYER IS WEAK ROCK";
    default: return "THE SOIL IS A SOFT CLAY";
  }
}

void WriteSections(std::string& out, const PyProfile& prof, const ProblemInput& p,
                   const UnitLabels& u) {
  const double H = p.soil.wall.H;
  WriteBanner(out, "*        SOIL LAYERS AND STRENGTH DATA           *");
  const auto& layers = prof.layers();
  out += FormatLayout(R"(/ 9X "X AT THE SURFACE OF EXCAVATION SIDE     = " F10.2 A3)",
                      {H + (layers.empty() ? 0.0 : layers.front().top), u.L3});
  out += FormatLayout(R"(/ 9X I1 " LAYER(S) OF SOIL")", {static_cast<int>(layers.size())});
  for (size_t i = 0; i < layers.size(); ++i)
    out += FormatLayout(R"(/ 9X "LAYER" I3 / 9X A)",
                        {static_cast<int>(i + 1), Description(layers[i].type)});

  out += FormatLayout(
      R"(/ / 9X "DISTRIBUTION OF EFFECTIVE UNIT WEIGHT WITH DEPTH" / 27X I2 " POINTS" / / 21X "X," A2 3X "WEIGHT," A3 A1 A2 A2 A1)",
      {static_cast<int>(prof.unit_weight().size()), u.L2, u.F3, "/", u.L2, "**", "3"});
  for (const DepthValue& g : prof.unit_weight())
    out += FormatLayout("10X F15.4 D15.4", {g.depth + H, g.value});

  out += FormatLayout(
      R"(/ / 9X "DISTRIBUTION OF STRENGTH PARAMETERS WITH DEPTH" / 27X I2 " POINTS" / / 21X "X," A2 5X "S," A3 A1 A2 A2 A1 6X "PHI,DEGREES" 6X "E50")",
      {static_cast<int>(prof.strength().size()), u.L2, u.F3, "/", u.L2, "**", "2"});
  for (size_t i = 0; i < prof.strength().size(); ++i) {
    const double depth = prof.strength()[i].depth + H;
    const double c = prof.strength()[i].value;
    const double phi = prof.phi()[i].value * 180 / 3.1416;
    const double e50 = prof.e50()[i].value;
    if (e50 <= 1.0e-6)
      out += FormatLayout(R"(10X F15.2 2X D13.4 2X F13.3 7X "-----")", {depth, c, phi});
    else
      out += FormatLayout("10X F15.2 2X D13.4 2X F13.3 D15.4", {depth, c, phi, e50});
  }
  if (!p.py_modifiers.empty()) {
    out += FormatLayout(
        R"(/ 9X "REDUCTION FACTORS FOR CLOSELY-SPACED WALL ELEMENTS" / 7X "                                 " / 7X "      DEPTH     P-FACTOR     Y-FACTOR        " /)");
    for (const PyModifier& m : p.py_modifiers)
      out += FormatLayout("12X F7.2 4X F6.2 6X F6.2",
                          {m.depth, m.p_multiplier, m.y_multiplier});
  }
  out += FormatLayout(R"(/ / 8X "P-Y CURVES DATA" /)");
}

std::string LookupStop(PyLookupError e, double x, std::string& console) {
  std::string text;
  switch (e) {
    case PyLookupError::BeyondStrength:
      text = FormatLayout(
          R"(/ 29X "**** WARNING ****" / 5X "THE VALUE OF X =" D9.1 "IS BEYOND THE EXTENT OF" / 5X "THE INPUT STRENGTH CURVE")",
          {x});
      break;
    case PyLookupError::BeyondPhi:
      text = FormatLayout(
          R"(/ 29X "**** WARNING ****" / 5X "THE VALUE OF X =" D9.1 " IS BEYOND THE EXTENT OF" / 5X "THE INPUT PHI CURVE")",
          {x});
      break;
    default:
      text = FormatLayout(
          R"(/ 29X "**** WARNING ****" / 5X "THE VALUE OF X =" D9.1 "IS BEYOND THE EXTENT OF" / 5X "THE INPUT UNIT WEIGHT CURVE")",
          {x});
      break;
  }
  console += text + text;
  return text;
}

// Depth in a uniform layer at which the layer's own ultimate resistance adds
// up to the force F of the layers above (layered-soil correction).
double EquivalentDepth(int type, const PyPointInput& in, double F) {
  if (!(F > 0.0)) return 0.0;
  const double c = in.c, g = in.gamma, b = in.b;
  if (type == 1 || type < 1 || type > 7) {
    if (!(c > 0.0) || !(b > 0.0)) return 0.0;
    const double xr = 6 * c * b / (0.5 * c + g * b);
    const double Fxr = c * xr * xr / 4 + g * b * xr * xr / 2 + 3 * c * b * xr;
    if (F <= Fxr) {
      const double a = 0.25 * c + 0.5 * g * b, bb = 3 * c * b;
      return a > 0 ? (-bb + std::sqrt(bb * bb + 4 * a * F)) / (2 * a) : F / bb;
    }
    return xr + (F - Fxr) / (9 * c * b);
  }
  if ((type == 4 || type == 5) && b > 0 && in.phi > 0) {
    PyPointInput probe = in;
    double force = 0.0, z = 0.0, previous = 0.0;
    const double dz = b / 10;
    for (int i = 0; i < 100000; ++i) {
      const double next = z + dz;
      probe.x = next;
      double pu = SandUltimate(probe, next);
      if (type == 5) pu += 3 * c * b + g * next * b + 0.5 * c * next;
      const double step = (previous + pu) / 2 * dz;
      if (force + step >= F) return z + dz * (F - force) / step;
      force += step;
      previous = pu;
      z = next;
    }
  }
  return 0.0;  // stiff clays and rock work with the plain depth
}

}  // namespace

RunError GeneratePyCurves(const PyGenerationInput& gin, std::string& report,
                          std::string& file, std::string& detail) {
  const ProblemInput& p = *gin.problem;
  const int IUNIT = p.control.IUNIT;
  const UnitLabels u = UnitLabels::For(IUNIT);
  const WallConfiguration& w = p.soil.wall;
  const double H = w.H, b = w.WP;
  const double RWA = w.WP > 0 ? std::max(w.WA / w.WP, 1.0) : 1.0;
  std::fputs(" READ SOIL DATA....\n", stderr);

  const PyProfile prof(p, WaterUnitWeight(IUNIT));
  WriteSections(report, prof, p, u);

  std::string curves;
  std::string console;
  double force_above = 0.0;
  const auto& layers = prof.layers();
  for (size_t li = 0; li < layers.size(); ++li) {
    const PyLayer& layer = layers[li];
    const int type = layer.type >= 1 && layer.type <= 7 ? layer.type : 1;
    const std::vector<double> depths = CurveDepths(layer, IUNIT);
    double layer_force = 0.0, equivalent_top = 0.0;
    double previous_pu = 0.0, previous_depth = 0.0;
    double c_sum = 0.0, previous_c = 0.0;
    for (size_t ci = 0; ci < depths.size(); ++ci) {
      const double depth = depths[ci];
      PyLookupError e = PyLookupError::None;
      PyPointInput in;
      in.depth = depth;
      in.b = b;
      in.RWA = RWA;
      in.BETA = w.BETA;
      in.SIGV_LP = gin.SIGV_LP;
      in.c = prof.Strength(depth, e);
      in.phi = prof.FrictionAngle(depth, e);
      in.e50 = prof.E50(depth, e);
      in.six = prof.Sixth(depth, e);
      in.gamma = prof.AverageUnitWeight(depth, e);
      in.k = layer.k;
      if (e != PyLookupError::None) {
        detail = LookupStop(e, depth + H, console);
        std::fputs(console.c_str(), stderr);
        return RunError::SoilData;
      }
      if (type == 7 && ci > 0 && in.c < 1.0e-10) {
        detail = FormatLayout(
            R"(/ 7X "--------------------WARNING----------------------" / 7X "THE COHESIVE STRENGTH IS 0 FOR ROCK ACCORING TO THE INPUT" / 7X "DATA. PLEASE ENTER THE CORRECT VALUE AND RUN IT AGAIN.")");
        return RunError::SoilData;
      }
      // Average strength from the layer's first curve down (stiff clays).
      if (ci == 0) {
        in.ca = li == 0 ? (layer.c[0] + in.c) / 2 : in.c;
        c_sum = 0.0;
      } else {
        c_sum += (previous_c + in.c) / 2 * (depth - previous_depth);
        in.ca = c_sum / (depth - depths[0]);
      }
      previous_c = in.c;
      if (ci == 0 && li > 0) equivalent_top = EquivalentDepth(type, in, force_above);
      const Multipliers mult = MultipliersAt(p.py_modifiers, RWA, depth + H, H);
      if (type == 5 && w.BETA >= in.phi * 180 / 3.1416 && ci == 0)
        report += FormatLayout(
            R"(/ / 7X "WARNING-------The Angle of the slope can not" / 7X "              be greater than the internal  " / 7X "              friction angle of the sand.   " /)");
      WriteFreeFormatLine(curves, {depth + H, 34});
      for (int side = 0; side < 2; ++side) {
        const bool excavation = side == 0;
        const double surface = excavation ? 0.0 : H;
        in.excavation_side = excavation;
        in.x = depth + surface;
        in.layer_top = layer.top + surface;
        in.xe = (li == 0 || type == 2 || type == 3 || type >= 6)
                    ? in.x
                    : depth - layer.top + equivalent_top + surface;
        PyCurve cv;
        switch (type) {
          case 2: cv = StiffClayWithFreeWaterCurve(in); break;
          case 3: cv = StiffClayWithoutFreeWaterCurve(in); break;
          case 4: cv = SandCurve(in); break;
          case 5: cv = SiltCurve(in); break;
          case 6: cv = StrongRockCurve(in, mult.p); break;
          case 7: cv = WeakRockCurve(in); break;
          default: cv = SoftClayCurve(in); break;
        }
        if (!cv.error.empty()) {
          if (type == 4)
            detail = FormatLayout(
                R"(/ 7X "--------------------WARNING----------------------" / 7X 2E10.3 4I5 / 7X A / 7X "DATA. PLEASE ENTER THE CORRECT VALUE AND RUN IT AGAIN.")",
                {H + depth, b, static_cast<int>(li + 1), static_cast<int>(ci + 1), type, IUNIT,
                 cv.error});
          else
            detail = FormatLayout(R"(/ 7X "--------------------WARNING----------------------" / 7X A / 7X "PLEASE ENTER THE CORRECT VALUE AND RUN IT AGAIN.")",
                                  {cv.error});
          return RunError::SoilData;
        }
        std::array<double, kCurvePoints> y{}, pp{};
        const double sign = excavation ? -1.0 : 1.0;
        for (int k = 0; k < kCurvePoints; ++k) {
          y[k] = cv.y[k] * mult.y;
          pp[k] = (cv.multiplied ? cv.p[k] : cv.p[k] * mult.p) + sign * cv.shift;
        }
        WritePyCurveTable(report, type, in, cv, y, pp, mult.p, mult.y, u);
        WritePyCurveFileLines(curves, type, y, pp);
        if (excavation) {
          // Resistance of this layer for the equivalent depths below it.
          if (ci > 0) {
            const double dz = depth - previous_depth;
            layer_force += type == 1 ? cv.pu * dz : (previous_pu + cv.pu) / 2 * dz;
          }
          if (ci + 1 == depths.size() && (type == 4 || type == 5))
            layer_force += cv.pu * (layer.bottom - depth);
          previous_pu = cv.pu;
        }
      }
      previous_depth = depth;
    }
    force_above += layer_force;
  }

  file.clear();
  WriteFreeFormatLine(file, {gin.user_curves + 5 * static_cast<int>(layers.size())});
  file += gin.user_lines;
  file += curves;
  return RunError::None;
}

}  // namespace kestra
