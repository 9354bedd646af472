#include "run_checks.h"

#include <cmath>

#include "input_tables.h"
#include "number_text.h"
#include "program_data.h"

namespace kestra {
namespace {

constexpr int kFromNode = 0;
constexpr int kToNode = 1;
constexpr int kFrictionAngle = 1;  // of the sand and silt parameter tables
constexpr int kSand = 4;
constexpr int kSilt = 5;

std::string Real(Extended value) { return FormatGeneral(value, 15); }

std::optional<std::string> StiffnessMessage(const TProgramData& data) {
  const TGridTable& table = data.Tables().PileSect;
  for (int row = 0; row < table.RowCount(); ++row) {
    for (const auto& [col, which] :
         {std::pair{kFromNode, "Initial Node, "}, {kToNode, "End Node, "}}) {
      const int node = table.CellInteger(col, row).value_or(0);
      if (node > data.IncrementCount) {
        return which + std::to_string(node) + " in row " +
               std::to_string(row + 1) + " of Wall Stiffness definition\n" +
               "is greater than number of nodes defined, " +
               std::to_string(data.IncrementCount) + ".\n" +
               "Please check on Wall Properties Windows and Wall Stiffness "
               "Table";
      }
    }
  }
  return std::nullopt;
}

std::optional<std::string> SlopeMessage(const TProgramData& data) {
  if (!(data.BackfillSlope > 0)) return std::nullopt;
  const TGridTable& soil = data.Tables().NewSoil;
  for (int row = 0; row < soil.RowCount(); ++row) {
    const int type = soil.CellInteger(soil_columns::kSoilType, row).value_or(0);
    if (type != kSand && type != kSilt) continue;
    const TGridTable* params = soil.SubTable(soil_columns::kParameters, row);
    if (!params) continue;
    const std::optional<Extended> angle = params->CellFloat(kFrictionAngle, 0);
    if (!angle || !(*angle < data.BackfillSlope)) continue;
    const std::string layer = std::to_string(row + 1);
    if (type == kSand) {
      return "Slope of the Backfill: " + Real(data.BackfillSlope) +
             " deg.\nis greater than friction angle, " + Real(*angle) +
             " deg.,\nin layer " + layer +
             "\nPlease check on Wall Configuration and Soil Layers Windows";
    }
    return "Slope of the Backfill: " + Real(data.BackfillSlope) +
           "\nis greater than friction angle, " + Real(*angle) +
           ",\nin layer " + layer + "\nPlease check Soil Layers";
  }
  return std::nullopt;
}

std::optional<std::string> DepthMessage(const TProgramData& data) {
  if (data.KeepGeneratedPressure == 0 && data.GeneratePYCurves != 1) {
    return std::nullopt;
  }
  const TGridTable& soil = data.Tables().NewSoil;
  if (soil.RowCount() == 0) return std::nullopt;
  const bool english = data.Units == 1;
  Extended length = data.IncrementCount * data.IncrementLength;
  if (english) length /= 12;
  const Extended depth =
      soil.CellFloat(soil_columns::kBottomDepth, soil.RowCount() - 1)
          .value_or(0);
  // Lengths typed in other units than the depths need not meet exactly.
  const Extended slack = 1e-9L * std::fabs(length);
  if (!(depth < length - slack)) return std::nullopt;
  const std::string unit = english ? " ft" : " m";
  return "Depth of Bottom of Soil Layering: " + Real(depth) + unit +
         "\nshould extend at least below Depth of Wall: " + Real(length) +
         unit + "\nPlease check Soil Layer Data and/or Wall Properties Windows";
}

}  // namespace

std::optional<std::string> ValidateInputMessage(const TProgramData& data) {
  if (auto message = StiffnessMessage(data)) return message;
  if (auto message = SlopeMessage(data)) return message;
  return DepthMessage(data);
}

}  // namespace kestra
