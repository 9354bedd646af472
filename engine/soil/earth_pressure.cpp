#include "earth_pressure.h"

#include <cstdio>

#include "soil_profile.h"
#include "soil_report.h"
#include "unit_labels.h"

namespace kestra {

RunError GenerateEarthPressure(const ProblemInput& p, const SupportInfo& sup,
                               std::string& report, std::string& notes,
                               std::vector<PressurePoint>& points,
                               double& SIGV_LP) {
  const int IUNIT = p.control.IUNIT;
  const SoilInput& soil = p.soil;
  const UnitLabels u = UnitLabels::For(IUNIT);

  SoilProfile profile = SubdivideLayers(soil, IUNIT);
  WriteWallInformation(report, soil.wall, profile.GAMW, u);
  WriteSurchargeInformation(report, soil, u);
  WriteSoilInformation(report, profile, IUNIT);
  if (profile.too_many_layers) return RunError::TooManySublayers;
  if (profile.LP < 1) return RunError::ExcavationOutsideProfile;
  if (!soil.surcharges.empty() && soil.wall.H < 1.0e-6)
    return RunError::FreeHeightNotPositive;

  ComputeOverburden(profile, soil);
  SIGV_LP = profile.SIGV_excavation;
  WriteOverburden(report, profile, u);
  WriteCoefficientHeading(report);
  std::vector<EarthPressureCoefficients> k(profile.NL + 1);
  for (int i = 1; i <= profile.NL; ++i) {
    const Sublayer& s = profile.layer[i];
    k[i] = RankineCoefficients(s.PHI, soil.wall.BETA, s.ZTOP, soil.wall.H);
    if (k[i].slope_warning) {
      WriteSlopeWarning(notes);
      WriteSlopeWarning(report);
    }
    WriteCoefficientRow(report, i, k[i], s.KOPT);
    if (s.KOPT > 1.0e-7) {
      // The user's coefficient replaces Rankine's, without a cohesion term.
      k[i].KA = s.KOPT;
      k[i].SQKA = 0.0;
    }
  }
  RestoreTotalStressForClays(profile, soil);

  ActivePressure active;
  const double wall_length = p.wall.NINC * p.wall.HINC;
  const PressureError error = ComputeActivePressure(
      profile, k, soil, IUNIT, p.control.IEPOPT, wall_length, sup, active);
  WriteLayerForces(report, profile, active, u);
  if (active.water_section) WriteWaterForces(report, profile, active);
  if (active.net_negative) {
    std::string line;
    WriteNetActiveNegative(line);
    std::fputs(line.c_str(), stderr);
    report += line;
  }
  if (error == PressureError::TooManyPoints) return RunError::TooMuchData;
  if (error == PressureError::NoSupportForTrapezoid)
    return RunError::NoSupportForTrapezoid;
  points = std::move(active.points);
  return RunError::None;
}

}  // namespace kestra
