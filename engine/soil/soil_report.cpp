#include "soil_report.h"

#include <string_view>

#include "layout.h"
#include "plot_writer.h"
#include "report_writer.h"

namespace kestra {

void WriteWallInformation(std::string& out, const WallConfiguration& w,
                          double GAMW, const UnitLabels& u) {
  WriteBanner(out, "*                WALL INFORMATION                *");
  out += FormatLayout(
      R"(/ 6X "FREE HEIGHT OF WALL                    = " E10.3 A3 / 6X "WIDTH FOR EARTH PRESSURE, WA           = " E10.3 A3 / 6X "WIDTH FOR SOIL RESISTANCE, WP          = " E10.3 A3 / 6X "DEPTH TO THE WATER TABLE AT BACKFILL   = " E10.3 A3 / 6X "DEPTH TO THE WATER TABLE AT EXCAVATION = " E10.3 A3 / 6X "UNIT WEIGHT OF WATER                   = " E10.3 A4 A1 A2 A2 A1 / 6X "SLOPE OF THE BACKFILL (deg.)           = " E10.3 / 6X "MODIFICATION FOR ACTIVE EARTH PRESSURE = " E10.3 /)",
      {w.H, u.L3, w.WA, u.L3, w.WP, u.L3, w.ZWB, u.L3, w.ZWE, u.L3, GAMW, u.F4,
       "/", u.L2, "**", "3", w.BETA, w.MODFAC});
}

void WriteSurchargeInformation(std::string& out, const SoilInput& soil,
                               const UnitLabels& u) {
  WriteBanner(out, "*              SURCHARGE INFORMATION             *");
  out += FormatLayout(
      R"(/ 6X "UNIFORM SURFACE PRESSURE     =" E10.3 A4 A1 A2 A2 A1)",
      {soil.legacy.QPRE, u.F4, "/", u.L2, "**", "2"});
  int n = 0;
  for (const SurchargeLoad& s : soil.surcharges) {
    ++n;
    if (s.type == 3) {
      out += FormatLayout(
          R"(/ 6X "SURCHARGE LOADING NO.        = " I10 / 6X "STRIP LOAD                   = " E10.3 A4 A1 A2 A2 A1 / 6X "WIDTH OF THE STRIP LOAD      = " E10.3 A3 / 6X "HORIZONTAL DISTANCE BETWEEN  = " E10.3 A3 / 6X "WALL AND MIDDLE OF STRIP WIDTH          " /)",
          {n, s.magnitude, u.F4, "/", u.L2, "**", "2", s.width, u.L3, s.x,
           u.L3});
    } else if (s.type == 2) {
      out += FormatLayout(
          R"(/ 6X "SURCHARGE LOADING NO.        = " I10 / 6X "LINE LOAD                    = " E10.3 A4 A1 A2 / 6X "HORIZONTAL DISTANCE BETWEEN  = " E10.3 A3 / 6X "THE WALL AND SURCHARGE         " /)",
          {n, s.magnitude, u.F4, "/", u.L2, s.x, u.L3});
    } else {
      out += FormatLayout(
          R"(/ 6X "SURCHARGE LOADING NO.        = " I10 / 6X "POINT LOAD                   = " E10.3 A4 / 6X "HORIZONTAL DISTANCE BETWEEN  = " E10.3 A3 / 6X "THE WALL AND SURCHARGE         " /)",
          {n, s.magnitude, u.F4, s.x, u.L3});
    }
  }
}

void WriteSoilInformation(std::string& out, const SoilProfile& p, int IUNIT) {
  WriteBanner(out, "*                SOIL INFORMATION                *");
  if (IUNIT != 1 && IUNIT != 2) return;
  out += FormatLayout(
      R"(/ 7X "         TOTAL   COHESION/       TOTAL UNIT" / 7X "LAYER  THICKNESS STRENGTH    PHI   WEIGHT   DRAINED  ZTOP")");
  if (IUNIT == 1)
    out += FormatLayout(
        R"(7X "NO." 6X "FT" 8X "PSI" 7X "DEG" 5X "PCI" 5X "T OR F" 3X "FT")");
  else
    out += FormatLayout(
        R"(7X "NO." 6X " M" 8X "kPa" 7X "DEG" 3X "kN/M^3" 4X "T OR F" 3X " M")");
  static const Layout kRow("7X I3 F10.2 F11.1 F8.1 F9.3 5X L1 F10.2");
  const double feet = IUNIT == 1 ? 12.0 : 1.0;  // depths in feet in English
  for (int i = 1; i <= p.NL; ++i) {
    const Sublayer& s = p.layer[i];
    const LayoutValue values[] = {i,       s.THICK / feet, s.C,
                                  s.PHI,   s.GAMMA,        s.DRAINED,
                                  s.ZTOP / feet};
    kRow.Write(out, values);
  }
}

void WriteOverburden(std::string& out, const SoilProfile& p,
                     const UnitLabels& u) {
  WriteBanner(out, "*            EFFECTIVE OVERBURDEN STRESS         *");
  out += FormatLayout(
      R"(/ 6X "          DEPTH                     STRESS       ")");
  out += FormatLayout("16X A3 22X A4 A1 A2 A2 A1 /",
                      {u.L3, u.F4, "/", u.L2, "**", "2"});
  static const Layout kRow("12X E10.3 17X E10.3");
  for (int i = 1; i <= p.NL; ++i) {
    const LayoutValue values[] = {p.layer[i].ZTOP, p.layer[i].SIGV};
    kRow.Write(out, values);
  }
}

void WriteCoefficientHeading(std::string& out) {
  WriteBanner(out, "* ACTIVE AND PASSIVE EARTH PRESSURE COEFFICIENT  *");
  out += FormatLayout(
      R"(6X "  LAYER         ACTIVE EARTH     PASSIVE EARTH   " "  OPTIONAL EARTH" / 6X "   NO.          COEFFICIENT      COEFFICIENT     " "  COEFFICIENT   ")");
}

void WriteSlopeWarning(std::string& out) {
  out += FormatLayout(
      R"(/ / "**** WARNING ******" / "THE BACKFILL SLOPE ANGLE SHOULD BE LESS THAN THE 'INTERNAL FRICTION ANGLE OF SAND.")");
}

void WriteCoefficientRow(std::string& out, int i,
                         const EarthPressureCoefficients& k, double KOPT) {
  out += FormatLayout("10X I2 9X E10.3 8X E10.3 8X E10.3",
                      {i, k.KA, k.KP, KOPT});
}

void WriteLayerForces(std::string& out, const SoilProfile& p,
                      const ActivePressure& a, const UnitLabels& u) {
  WriteBanner(out, "*      ACTIVE EARTH PRESSURE OF EACH LAYER       *");
  out += FormatLayout(
      R"(6X " LAYER    PA1     Z1       PA2     Z2         PA3     Z3" "        PA4")");
  out += FormatLayout(
      R"(6X "  NO" 1X A4 A1 A2 A2 A1 2X A3 2X A4 A1 A2 A2 A1 2X A3 4X A4 A1 A2 A2 A1 2X A3 4X A4 A1 A2 A2 A1 /)",
      {u.F4, "/", u.L2, "**", "2", u.L3, u.F4, "/", u.L2, "**", "2", u.L3,
       u.F4, "/", u.L2, "**", "2", u.L3, u.F4, "/", u.L2, "**", "2"});
  static const Layout kRow("6X I2 3(1X F10.2 1X F6.2) 1X F10.2");
  for (int i = 1; i < p.LP; ++i) {
    const LayerForces& f = a.forces[i];
    const LayoutValue values[] = {i, f.PA1, f.Z1, f.PA2, f.Z2, f.PA3, f.Z3, f.PA4};
    kRow.Write(out, values);
  }
}

void WriteWaterForces(std::string& out, const SoilProfile& p,
                      const ActivePressure& a) {
  WriteBanner(out, "*      ACTIVE WATER PRESSURE OF EACH LAYER       *");
  out += FormatLayout(
      R"(6X " LAYER    PW1     Z1       PW2     Z2                " / 6X "  NO             " /)");
  static const Layout kRow("6X I2 2(1X F10.2 1X F6.2)");
  for (int i = 1; i < p.LP; ++i) {
    const LayerForces& f = a.forces[i];
    if (!f.water_row) continue;
    const LayoutValue values[] = {i, -f.PW1, f.Z1, -f.PW2, f.Z2};
    kRow.Write(out, values);
  }
}

void WriteNetActiveNegative(std::string& out) {
  out += FormatLayout(R"(/ / 5X "Net active pressure is negative." /)");
}

std::string FormatPressureProfile(const std::vector<PressurePoint>& points) {
  std::string out;
  WriteFreeFormatLine(out, {static_cast<int>(points.size())});
  static const Layout kRow("5X E10.3 4X E10.3 4X E10.3 4X E10.3");
  for (const PressurePoint& pt : points) {
    const LayoutValue values[] = {pt.depth, pt.total, pt.soil, pt.surcharge};
    kRow.Write(out, values);
  }
  return out;
}

}  // namespace kestra
