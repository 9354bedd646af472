// Unit labels of the report, chosen once per problem from the unit flag.
#pragma once

#include <string_view>

namespace kestra {

struct UnitLabels {
  std::string_view L3;  // length, 3 characters
  std::string_view F4;  // force, 4 characters
  std::string_view L2;  // short length, 2 characters
  std::string_view F3;  // short force, 3 characters

  // 1 English (pounds, inches), 2 SI (kN, metres), anything else F and L.
  static UnitLabels For(int iunit) {
    if (iunit == 1) return {" IN", " LBS", "IN", "LBS"};
    if (iunit == 2) return {"  M", "  KN", " M", " KN"};
    return {"  L", "   F", " L", "  F"};
  }
};

}  // namespace kestra
