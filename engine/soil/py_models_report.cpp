// Report tables and scratch-file lines of the p-y models.
#include <string>

#include "layout.h"
#include "py_models.h"

namespace kestra {
namespace {

void WriteSideLine(std::string& out, bool excavation) {
  out += FormatLayout(excavation ? R"(/ / 9X "AT THE EXCAVATION SIDE")"
                                 : R"(/ / 9X "AT THE BACKFILL SIDE")");
}

void WritePoints(std::string& out, const char* layout,
                 const std::array<double, kCurvePoints>& y,
                 const std::array<double, kCurvePoints>& p) {
  const Layout row(layout);
  for (int k = 0; k < kCurvePoints; ++k) {
    const LayoutValue values[] = {y[k], p[k]};
    row.Write(out, values);
  }
}

void WriteMultipliers(std::string& out, double pm, double ym) {
  out += FormatLayout(R"(/ 21X " P-Multiplier = " E10.3 " Y-Multiplier = " E10.3)",
                      {pm, ym});
}

}  // namespace

void WritePyCurveTable(std::string& out, int type, const PyPointInput& in,
                       const PyCurve& cv,
                       const std::array<double, kCurvePoints>& y,
                       const std::array<double, kCurvePoints>& p, double pm,
                       double ym, const UnitLabels& u) {
  const double phi_deg = in.phi * 180 / 3.1416;
  switch (type) {
    case 2:
      WriteSideLine(out, in.excavation_side);
      out += FormatLayout(
          R"(/ / 9X "DEPTH BELOW GS" 6X "DIAM" 8X "C" 9X "CAVG" 4X "GAMMA AVG" 6X "E50" / 15X A2 13X A2 5X 2(A3 A1 2A2 A1 2X) A3 A1 2A2 A1 / 9X F10.2 5X F10.3 3(1X D10.2) D12.4)",
          {u.L2, u.L2, u.F3, "/", u.L2, "**", "2", u.F3, "/", u.L2, "**", "2",
           u.F3, "/", u.L2, "**", "3", in.x, in.b, in.c, in.ca, in.gamma, in.e50});
      WritePoints(out, "21X 2F20.5", y, p);
      WriteMultipliers(out, pm, ym);
      break;
    case 3:
      WriteSideLine(out, in.excavation_side);
      out += FormatLayout(
          R"(/ / 10X "DEPTH BELOW GS" 5X "DIAM" 8X "C" 7X "CAVG" 4X "GAMMA AVG" 5X "E50" / 16X A2 12X A2 5X 3(A3 A1 A2 A2 A1 1X) / 10X F10.2 5X F10.3 3D10.2 D12.4 / 38X "Y" 19X "P" / 38X A2 15X A3 A1 A2)",
          {u.L2, u.L2, u.F3, "/", u.L2, "**", "2", u.F3, "/", u.L2, "**", "2",
           u.F3, "/", u.L2, "**", "3", in.x, in.b, in.c, in.ca, in.gamma, in.e50,
           u.L2, u.F3, "/", u.L2});
      WritePoints(out, "1X 20X 2F20.5", y, p);
      WriteMultipliers(out, pm, ym);
      break;
    case 4:
      WriteSideLine(out, in.excavation_side);
      out += FormatLayout(
          R"(/ / 11X "DEPTH BELOW GS" 2X "DIAM" 3X "PHI" 2X "GAMMA AVG" 4X "A" 4X "B" 5X "PCT" 7X "PCD" / 17X A2 9X A2 9X A3 A1 A2 A2 A1 / 10X F10.2 4X 2F7.2 E9.2 2X 2F5.2 2E9.2 / / 38X "Y" 19X "P" / 38X A2 15X A3 A1 A2)",
          {u.L2, u.L2, u.F3, "/", u.L2, "**", "3", in.x, in.b, phi_deg, in.gamma,
           cv.A, cv.B, cv.pst, cv.psd, u.L2, u.F3, "/", u.L2});
      WritePoints(out, "21X 2F20.5", y, p);
      WriteMultipliers(out, pm, ym);
      break;
    case 5:
      WriteSideLine(out, in.excavation_side);
      // "Pu" and the letter phi as the one byte 0xED of code page 437.
      out += FormatLayout(
          "/ / 5X \"DEPTH\" 6X \"DIAM\" 6X \"PHI\" 2X \"GAMMA AVG\" 8X \"A\" 9X "
          "\"B\" 5X \"Puc\" 7X \"Pu\xED\" / 7X A2 8X A2 12X A3 A1 A2 A2 A1 / 2F10.2 "
          "F10.1 E10.3 2F10.2 2E10.3 / / 37X \"Y\" 19X \"P\" / 37X A2 16X A3 A1 A2",
          {u.L2, u.L2, u.F3, "/", u.L2, "**", "3", in.x, in.b, phi_deg, in.gamma,
           cv.A, cv.B, cv.pc, cv.ps, u.L2, u.F3, "/", u.L2});
      WritePoints(out, "21X 2E20.3", y, p);
      break;
    case 6:
      out += FormatLayout(
          in.excavation_side
              ? R"(/ / 17X "DEPTH-EXCAVATION SIDE" 5X "DIAM" 8X "C" 7X / 30X A2 12X A2 5X A3 A1 A2 A2 A1 1X / 24X F10.2 5X F10.3 E10.1 / 38X "Y" 19X "P" / 38X A2 15X A3 A1 A2)"
              : R"(/ / 17X "DEPTH-BACKFILL SIDE  " 5X "DIAM" 8X "C" 7X / 30X A2 12X A2 5X A3 A1 A2 A2 A1 1X / 24X F10.2 5X F10.3 E10.1 / 38X "Y" 19X "P" / 38X A2 15X A3 A1 A2)",
          {u.L2, u.L2, u.F3, "/", u.L2, "**", "2", in.x, in.b, cv.su, u.L2, u.F3,
           "/", u.L2});
      WritePoints(out, "1X 20X 2D20.5", y, p);
      break;
    case 7:
      WriteSideLine(out, in.excavation_side);
      out += FormatLayout(
          R"(/ / 14X "DEPTH" 5X "DIAM" 7X "Qu" 7X " Eu " 3X "GAMMA AVG" 6X "E50" / 16X A2 7X A2 4X 3(A3 A1 A2 A2 A1 1X) / 10X F10.2 F10.3 3E10.2 E12.3 / 37X "Y" 19X "P" / 37X A2 16X A3 A1 A2)",
          {u.L2, u.L2, u.F3, "/", u.L2, "**", "2", u.F3, "/", u.L2, "**", "2",
           u.F3, "/", u.L2, "**", "3", in.x, in.b, in.c, in.k, in.gamma, in.e50,
           u.L2, u.F3, "/", u.L2});
      WritePoints(out, "21X 2E20.3", y, p);
      WriteMultipliers(out, pm, ym);
      break;
    default: {  // soft clay
      WriteSideLine(out, in.excavation_side);
      out += FormatLayout(
          R"(/ 9X "DEPTH BELOW GS" 6X "DIAM" 8X "C" 6X "GAMMA AVG" 6X "E50" / 15X A2 13X A2 5X A3 A1 A2 A2 A1 2X A3 A1 A2 A2 A1)",
          {u.L2, u.L2, u.F3, "/", u.L2, "**", "2", u.F3, "/", u.L2, "**", "3"});
      out += FormatLayout("8X F10.2 6X F10.3 1X D10.4 1X D10.4 1X D12.4",
                          {in.x, in.b, in.c, in.gamma, in.e50});
      out += FormatLayout(R"(/ 37X "Y," A2 13X "P," A3 A1 A2)",
                          {u.L2, u.F3, "/", u.L2});
      static const Layout kRow("1X 20X 2F20.5");
      for (int k = 0; k < kCurvePoints; ++k) {
        const LayoutValue values[] = {y[k], p[k]};
        kRow.Write(out, values);
        if (k > 0 && cv.y[k] < 1.0e-14)
          out += FormatLayout(
              R"(/ 29X "**** WARNING ****" / 5X "DEFLECTION IS LESS THAN 1.0E-14.  THE PROGRAM" / 5X "USED A SOIL MODULUS OF " D12.4)",
              {cv.K0});
      }
      WriteMultipliers(out, pm, ym);
      break;
    }
  }
}

void WritePyCurveFileLines(std::string& out, int type,
                           const std::array<double, kCurvePoints>& y,
                           const std::array<double, kCurvePoints>& p) {
  const char* layout = type == 5 || type == 7 ? "I5 2(2X E10.3)"
                       : type == 6            ? "I5 1X 2E10.3"
                                              : "I5 1X E10.3 1X E10.3";
  const Layout row(layout);
  for (int k = 0; k < kCurvePoints; ++k) {
    const LayoutValue values[] = {k + 1, p[k], y[k]};
    row.Write(out, values);
  }
}

}  // namespace kestra
