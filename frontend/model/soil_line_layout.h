// The six positions of a soil layer's parameter line in the input data file
// and the column of the layer's parameter table each one comes from.
#pragma once

#include <array>

namespace kestra {

enum class SoilValue {
  kNone,                      // written as the "0.0  " placeholder
  kUnitWeight,                // lbs/ft^3 in the table, lbs/in^3 in the file
  kCohesion,                  // lbs/ft^2 in the table, lbs/in^2 in the file
  kAsShown,
  kEarthPressureCoefficient,  // short-term layers only
};

struct SoilPosition {
  SoilValue value = SoilValue::kNone;
  int column = -1;  // 0-based column of the parameter table
};

using SoilLine = std::array<SoilPosition, 6>;

// Soil types 1 to 7; any other type has no values.
const SoilLine& SoilLineLayout(int soil_type);

// The table's value divided by this is the file's (per ft^3 and per ft^2
// become per in^3 and per in^2 in English units).
int SoilFileDivisor(SoilValue value, int units);

}  // namespace kestra
