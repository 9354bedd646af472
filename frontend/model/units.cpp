#include "units.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace kestra {
namespace {

// F4 (mass in lb-sec2/in) and F5 (time) are the only categories whose
// system-3 names are not F or L.
constexpr std::array<UnitCategory, 10> kCategories = {{
    {"F0", {"lbs", "kN", "F"}, 224.8089237L},
    {"F1", {"kips", "kN", "F"}, 0.2248089237L},
    {"F2", {"tons", "kN", "F"}, 0.1124044745L},
    {"F4", {"lb-sec2/in", "Mg", "M"}, 5.7101483L},
    {"F5", {"sec", "sec", "T"}, 1.0L},
    {"F6", {"slug", "Mg", "F"}, 68.364249L},
    {"L0", {"in", "m", "L"}, 39.37007874L},
    {"L1", {"in", "mm", "L"}, 0.03937007874L},
    {"L2", {"ft", "m", "L"}, 3.280839895L},
    {"L3", {"rad", "rad", "L"}, 1.0L},
}};

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

Extended Power(Extended base, int exponent) {
  return std::pow(base, static_cast<Extended>(exponent));
}

// One side of a "/": an optional force part followed by an optional length
// part. A force part is read as three characters with its separator
// ("F0-"), or five with an exponent ("F0^2-"); a bare "F" counts as "F0".
Extended PartFactor(std::string_view text) {
  Extended factor = 1;
  std::string part(text);
  if (!part.empty() && part[0] == 'F') {
    if (part.size() < 2 ||
        std::string_view("012456").find(part[1]) == std::string_view::npos) {
      part.insert(1, "0");
    }
    const UnitCategory* category = FindUnitCategory(part.substr(0, 2));
    int exponent = 1;
    size_t length = 3;
    if (part.size() > 2 && part[2] == '^') {
      if (part.size() > 3 && IsDigit(part[3])) exponent = part[3] - '0';
      length = 5;
    }
    factor *= Power(category->factor, exponent);
    part = part.size() > length ? part.substr(length) : std::string();
  }
  if (!part.empty() && part[0] == 'L') {
    if (part.size() < 2 ||
        std::string_view("0123").find(part[1]) == std::string_view::npos) {
      part.insert(1, "0");
    }
    const UnitCategory* category = FindUnitCategory(part.substr(0, 2));
    int exponent = 1;
    if (part.size() > 3 && part[2] == '^' && IsDigit(part[3])) {
      exponent = part[3] - '0';
    }
    factor *= Power(category->factor, exponent);
  }
  return factor;
}

std::string_view NameOf(std::string_view token, int units) {
  return FindUnitCategory(token)->name[ClampUnitSystem(units) - 1];
}

void ReplaceAll(std::string& text, std::string_view from, std::string_view to) {
  for (size_t at = text.find(from); at != std::string::npos;
       at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
}

}  // namespace

int ClampUnitSystem(int units) { return std::clamp(units, 1, 3); }

std::span<const UnitCategory> UnitCategories() { return kCategories; }

const UnitCategory* FindUnitCategory(std::string_view token) {
  for (const UnitCategory& c : kCategories) {
    if (c.token == token) return &c;
  }
  return nullptr;
}

Extended DimensionFactor(std::string_view dimension) {
  const size_t slash = dimension.find('/');
  if (slash == std::string_view::npos) return PartFactor(dimension);
  return PartFactor(dimension.substr(0, slash)) /
         PartFactor(dimension.substr(slash + 1));
}

Extended ConversionFactor(std::string_view dimension, int old_units,
                          int new_units) {
  if (old_units == kEnglishUnits && new_units == kSIUnits) {
    return 1 / DimensionFactor(dimension);
  }
  if (old_units == kSIUnits && new_units == kEnglishUnits) {
    return DimensionFactor(dimension);
  }
  return 1;
}

std::string TableUnitLabel(std::string_view dimension, int units) {
  // Numbered tokens before the bare letter they begin with.
  static constexpr std::pair<std::string_view, std::string_view> kOrder[] = {
      {"F2", "F2"}, {"F1", "F1"}, {"F4", "F4"}, {"F5", "F5"}, {"F6", "F6"},
      {"F", "F0"},  {"L3", "L3"}, {"L2", "L2"}, {"L1", "L1"}, {"L", "L0"},
  };
  std::string label(dimension);
  for (const auto& [written, token] : kOrder) {
    ReplaceAll(label, written, NameOf(token, units));
  }
  return label;
}

std::string FieldUnitLabel(std::string_view dimension, int units) {
  std::string label(dimension);
  if (ClampUnitSystem(units) == kOtherUnits) return label;
  static constexpr std::pair<std::string_view, std::string_view> kForces[] = {
      {"F6", "F6"}, {"F5", "F5"}, {"F4", "F4"},
      {"F2", "F2"}, {"F1", "F1"}, {"F", "F0"},
  };
  static constexpr std::pair<std::string_view, std::string_view> kLengths[] = {
      {"L2", "L2"}, {"L1", "L1"}, {"L3", "L3"}, {"L", "L0"}};
  for (const auto& [written, token] : kForces) {
    if (label.find(written) != std::string::npos) {
      ReplaceAll(label, written, NameOf(token, units));
      break;
    }
  }
  for (const auto& [written, token] : kLengths) {
    if (label.find(written) != std::string::npos) {
      ReplaceAll(label, written, NameOf(token, units));
      break;
    }
  }
  return label;
}

}  // namespace kestra
