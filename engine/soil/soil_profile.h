// The backfill profile: the input layers cut into sublayers at the
// excavation level and at the backfill water table, with the vertical
// effective stress at the top of every sublayer.
#pragma once

#include <array>

#include "soil_input.h"

namespace kestra {

inline constexpr int kMaxSublayers = 20;
inline constexpr double kProfileTolerance = 1.0e-5;

struct Sublayer {
  int type = 0;
  double THICK = -1.0;
  double GAMMA = 0.0;
  double C = 0.0;
  double PHI = 0.0;
  double KOPT = 0.0;
  bool DRAINED = true;
  double MODA = 1.0;
  double ZTOP = 0.0;
  bool WET = false;
  double SIGV = 0.0;
};

struct SoilProfile {
  // Sublayers 1 to NL; index NL+1 holds the bottom of the profile in ZTOP.
  std::array<Sublayer, kMaxSublayers + 3> layer{};
  int NL = 0;
  int LP = 0;  // sublayer whose top is the excavation level
  int LW = 0;  // sublayer whose top is the backfill water table, or 0
  bool too_many_layers = false;
  double SIGV_excavation = 0.0;  // effective stress at the excavation level
  double GAMW = 0.0;
};

// Unit weight of water: kN/m^3 in SI, lb/in^3 otherwise.
double WaterUnitWeight(int IUNIT);

// Cuts the input layers into sublayers (no stresses yet).
SoilProfile SubdivideLayers(const SoilInput& soil, int IUNIT);

// Fills WET and SIGV (effective, as the report shows it).
void ComputeOverburden(SoilProfile& p, const SoilInput& soil);

// A clay with a user coefficient works on total stress below the water
// table: the water term goes back into its SIGV.
void RestoreTotalStressForClays(SoilProfile& p, const SoilInput& soil);

}  // namespace kestra
