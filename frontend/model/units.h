// Unit systems, unit categories and dimension strings. Every table column,
// numeric field and converter takes its factors and labels from here.
//
// A dimension string such as "F-L^2" or "F/L2^3" is a product of at most one
// force token and one length token, each with an optional exponent, split
// by "/" into numerator and denominator. Texts that are not units
// ("SEE NOTES", "DEG.", "") have factor 1 and are never converted.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "number_text.h"

namespace kestra {

// 1 English (lbs, in; depths in ft), 2 SI (kN, m), 3 consistent units F, L.
inline constexpr int kEnglishUnits = 1;
inline constexpr int kSIUnits = 2;
inline constexpr int kOtherUnits = 3;

// Values outside 1..3 are taken to the nearest end.
int ClampUnitSystem(int units);

struct UnitCategory {
  std::string_view token;    // "F0", "F1", ..., "L3"
  std::string_view name[3];  // English, SI, other
  Extended factor;           // English units per SI unit
};

// The ten categories, forces first.
std::span<const UnitCategory> UnitCategories();

// The category of a normalised token ("F0", "L2"), or nullptr.
const UnitCategory* FindUnitCategory(std::string_view token);

// English units per SI unit of a dimension string.
Extended DimensionFactor(std::string_view dimension);

// Factor by which stored values are multiplied when the unit system changes
// from `old_units` to `new_units`. Only English <-> SI converts numbers;
// any change to or from system 3 changes labels only.
Extended ConversionFactor(std::string_view dimension, int old_units,
                          int new_units);

// Label of a dimension string as a table column shows it: every token
// replaced by its name ("F/L2^3" reads lbs/ft^3 in English, F/L^3 in
// system 3).
std::string TableUnitLabel(std::string_view dimension, int units);

// Label as a numeric dialog field shows it: only the first kind of force
// token and the first kind of length token found are replaced, and system 3
// shows the dimension string itself.
std::string FieldUnitLabel(std::string_view dimension, int units);

}  // namespace kestra
