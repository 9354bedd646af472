// Report sections of the soil and earth-pressure modules.
#pragma once

#include <string>
#include <vector>

#include "active_pressure.h"
#include "earth_pressure_coefficients.h"
#include "soil_input.h"
#include "soil_profile.h"
#include "unit_labels.h"

namespace kestra {

void WriteWallInformation(std::string& out, const WallConfiguration& w,
                          double GAMW, const UnitLabels& u);
void WriteSurchargeInformation(std::string& out, const SoilInput& soil,
                               const UnitLabels& u);
// Sublayer table; nothing below the banner for the free-unit system.
void WriteSoilInformation(std::string& out, const SoilProfile& p, int IUNIT);
void WriteOverburden(std::string& out, const SoilProfile& p,
                     const UnitLabels& u);
void WriteCoefficientHeading(std::string& out);
void WriteSlopeWarning(std::string& out);
void WriteCoefficientRow(std::string& out, int i,
                         const EarthPressureCoefficients& k, double KOPT);
void WriteLayerForces(std::string& out, const SoilProfile& p,
                      const ActivePressure& a, const UnitLabels& u);
void WriteWaterForces(std::string& out, const SoilProfile& p,
                      const ActivePressure& a);
void WriteNetActiveNegative(std::string& out);

// Lines of the scratch file: the point count, then one line per point.
std::string FormatPressureProfile(const std::vector<PressurePoint>& points);

}  // namespace kestra
