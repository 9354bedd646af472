#include "input_tables.h"

#include <memory>
#include <optional>
#include <string>

#include "enum_column.h"
#include "float_column.h"
#include "int_column.h"
#include "table_column.h"

namespace kestra {
namespace {

using Header = std::vector<std::string>;

constexpr int kIntMax = 2147483647;
constexpr int kIntMin = -kIntMax - 1;
// The from-node columns stop a little short of the 32-bit limit.
constexpr int kNodeMax = 2147483600;

void Define(TGridTable& table, int identifier, std::string caption,
            int min_rows, int max_rows, std::string top_left = "") {
  table.BeginDefinition();
  table.SetIdentifier(identifier);
  table.SetCaption(std::move(caption));
  table.SetMinRows(min_rows);
  table.SetMaxRows(max_rows);
  table.SetTopLeft(std::move(top_left));
  table.EndDefinition();
}

void Choice(TGridTable& table, Header header, std::vector<std::string> items) {
  table.AddColumn(
      std::make_unique<TEnumColumn>(std::move(header), std::move(items)));
}

void Int(TGridTable& table, Header header, int default_value, int minimum,
         int maximum) {
  table.AddColumn(std::make_unique<TIntColumn>(std::move(header), default_value,
                                               minimum, maximum));
}

void Float(TGridTable& table, Header header, std::string dimension,
           Extended default_value = 0) {
  table.AddColumn(std::make_unique<TFloatColumn>(
      std::move(header), std::move(dimension), default_value));
}

void Flex(TGridTable& table, Header header,
          std::vector<std::optional<int>> templates) {
  table.AddColumn(
      std::make_unique<TTableColumn>(std::move(header), std::move(templates)));
}

void Chart(TGridTableChart& table, bool shown) {
  ChartParameters chart;
  chart.show_chart = shown;
  chart.x_column = 0;
  chart.y_column = shown ? 1 : 0;
  table.SetChart(chart);
  table.SetGetDataFromFile(shown);
}

const char kInterpolationNote[] =
    "Linear interpolation (when selected) is performed from START node of "
    "previous line to END node of the following line.";

const char kEarthPressureNote[] =
    "The user may optionally enter an earth pressure coefficient for "
    "generating \r"
    "lateral earth pressure that is equal to the vertical soil pressure "
    "multiplied \r"
    "by this user-specified coefficient. If the user does not intend to use "
    "this option, \r"
    "please leave the optional earth pressure coefficient as zero and the "
    "program will \r"
    "use the active earth pressure coefficient calculated internally.";

void DefineSoilLayers(TGridTable& table, bool long_term) {
  Choice(
      table, {long_term ? "Soil" : "Soil ", "Type"},
      {"Soft Clay",
       long_term ? "Stiff Clay with Free water" : "Stiff Clay with Free Water",
       "Stiff Clay w/o Free Water", "Sand", "Silt (c-phi soil)", "Strong Rock",
       "Weak Rock"});
  Float(table, {"Depth at Bottom", "of the Layer,"}, "L2");
  // Soil types 1 to 3 are clays and share one parameter table.
  Flex(table, {"Edit Soil", "Parameters"}, {18, 18, 18, 17, 29, 30, 31});
}

void DefineDistributedLoad(TGridTable& table, bool trailing_space) {
  Float(table, {"Depth measured from the top of the wall,"}, "L2");
  Float(table,
        {trailing_space ? "Lateral distributed line load, "
                        : "Lateral distributed line load,"},
        "F/L2");
  table.SetHelpPicture("ApparentEarthPressure");
}

}  // namespace

InputTables::InputTables() {
  Define(PileSect, 15, "Wall Stiffness", 1, 10, "Section");
  Int(PileSect, {"From Node No. (Start)"}, 0, 0, kNodeMax);
  Int(PileSect, {"To Node No. (End)"}, 1, 0, kIntMax);
  Choice(PileSect, {"Constant or Interpolate?    "},
         {"Use Constant Value for all Nodes on this Line",
          "Linear Interpolate to End Node of Next Line"});
  Float(PileSect, {"Flexural Stiffness (EI)"}, "F-L^2");
  PileSect.SetComments(
      std::string("The nodal number at the top of the wall is set to be 0.\r"
                  "Values of Flexural Stiffness (EI) must be specified for "
                  "all nodes of the wall.\r") +
      kInterpolationNote);

  Define(SoilLayer, 0, "Specify Deflection and Slope on Wall", 1, 10, "No");
  Choice(SoilLayer, {"Case    "}, {"Specify Deflection", "Specify Slope"});
  Int(SoilLayer, {"Nodal No."}, 0, 0, kNodeMax);
  Float(SoilLayer, {"Deflection"}, "L");
  Float(SoilLayer, {"Slope"}, "");

  Define(BoundCond, 123, "Concentrated Loads on Wall", 1, 20);
  Choice(BoundCond, {"Constant or Interpolate?"},
         {"Use Constant Values for all Nodes on this Line",
          "Linear Interpolate to End Node of Next Line"});
  Int(BoundCond, {"From Node No.", "(Start)"}, 0, 0, kNodeMax);
  Int(BoundCond, {"To Node No.", "(End)"}, 1, 0, kIntMax);
  Float(BoundCond, {"Lateral Load"}, "F");
  Float(BoundCond, {"Moment"}, "F-L");
  Float(BoundCond, {"Axial Load"}, "F");
  BoundCond.SetComments(
      std::string("The concentrated loads are applied at nodal points only "
                  "(including the specified START and END nodes).\r") +
      kInterpolationNote);

  Define(SoilStrength, 4, "Lateral Spring and Rotation Spring", 1, 20, "Point");
  Choice(SoilStrength, {"Constant or Interpolate?"},
         {"Use Constant Values for all Nodes on this Line  ",
          "Linear Interpolate to End Node of Next Line"});
  Int(SoilStrength, {"From Node No.", "     (Start)"}, 0, 0, kIntMax);
  Int(SoilStrength, {"To Node No.", "   (End)"}, 0, kIntMin, kIntMax);
  Float(SoilStrength, {"Lateral Spring", "Stiffness"}, "F/L");
  Float(SoilStrength, {"Rotational Spr.", "Stiff."}, "F-L/RAD.");
  SoilStrength.SetComments(
      std::string("The spring stiffnesses are applied at nodal points only "
                  "(including the specified START and END nodes).\r") +
      kInterpolationNote);
  SoilStrength.SetHelpPicture("TiebackSpringPlan");

  Define(TiebackTable1, 77, "Tieback (ground anchor) Table", 1, 20);
  Float(TiebackTable1, {"Depth from top", "of wall,"}, "L2");
  Float(TiebackTable1, {"Cross sectional area", "of steel rod,"}, "L1^2");
  Float(TiebackTable1, {"Elastic modulus", "of steel,"}, "F/L^2");
  Float(TiebackTable1, {"Unbonded anchor", "length,"}, "L2");
  Float(TiebackTable1, {"Angle from", "horizontal,"}, "DEG.");
  Float(TiebackTable1, {"Anchor spacing", "in each row,"}, "L2");
  Float(TiebackTable1, {"Prestressing Force"}, "F");

  Define(PYMod, 16, "p-y Modification Factors", 2, 30);
  Float(PYMod, {"Depth"}, "L2");
  Float(PYMod, {"p-Multiplier"}, "", 1.0L);
  Float(PYMod, {"y-Multiplier"}, "", 1.0L);

  Define(DistLoad, 22, "Distributed Loads", 2, 100);
  DefineDistributedLoad(DistLoad, true);
  Define(LongDist, 104, "Distributed Load (Long-Term)", 1, 0);
  DefineDistributedLoad(LongDist, false);

  Define(SurchargeTable, 23, "Surcharge Loads", 1, 20);
  Choice(SurchargeTable, {"Load Types"},
         {"Point Load", "Line Load", "Strip Load"});
  // Its unit depends on the row's load type; SetUnits converts it.
  Float(SurchargeTable, {"Load Magnitude"}, "SEE NOTES");
  Float(SurchargeTable, {"Distance, X"}, "L1");
  Float(SurchargeTable, {"Width of Strip Load, W"}, "L1");
  SurchargeTable.SetComments(
      "The unit for point load is lbs or kN \r"
      "The unit for line load is lbs/in. or kN/m \r"
      "The unit for strip load is lbs/in^2 or kN/m^2 \r"
      "For strip load, Distance X goes from the wall to the middle of the "
      "strip width");

  Define(NewSoil, 19, "Soil Layers", 1, 10);
  DefineSoilLayers(NewSoil, false);
  Define(LongSoil, 44, "Soil Layers (Long-Term)", 1, 10);
  DefineSoilLayers(LongSoil, true);

  // Row 1 holds the values at the top of the layer, row 2 at its bottom.
  Define(TblClay1, 18, "Clay", 2, 2);
  Float(TblClay1, {"Total Unit", "Weight,"}, "F/L2^3");
  Float(TblClay1, {"Cohesive", "Strength,"}, "F/L2^2");
  Float(TblClay1, {"E50"}, "");
  Float(TblClay1, {"k(py)"}, "F/L^3");
  Float(TblClay1, {"Optional Earth", "Pressure Coefficient"}, "");
  TblClay1.SetComments(kEarthPressureNote);

  Define(TblSand1, 17, "Sand", 2, 2);
  Float(TblSand1, {"Total Unit", "Weight,"}, "F/L2^3");
  Float(TblSand1, {"Friction", "Angle, deg."}, "");
  Float(TblSand1, {"k(py)"}, "F/L^3");
  Float(TblSand1, {"Optional Earth", "Pressure Coefficient"}, "");
  TblSand1.SetComments(kEarthPressureNote);

  Define(TblSilt1, 29, "Silt", 2, 2);
  Float(TblSilt1, {"Total Unit ", "Weight,"}, "F/L2^3");
  Float(TblSilt1, {"Friction", "Angle, deg."}, "");
  Float(TblSilt1, {"Cohesive", "Strength,"}, "F/L2^2");
  Float(TblSilt1, {"E50"}, "");
  Float(TblSilt1, {"K(py)"}, "F/L^3");
  Float(TblSilt1, {"Optional Earth", "Pressure Coefficient"}, "");
  TblSilt1.SetComments(kEarthPressureNote);

  Define(TblRock1, 30, "Strong Rock", 2, 2);
  Float(TblRock1, {"Total Unit", "Weight,"}, "F/L2^3");
  Float(TblRock1, {"Uniaxial Compressive", "Strength,"}, "F/L^2");

  Define(TblRock2, 31, "Weak Rock", 2, 2);
  Float(TblRock2, {"Total Unit", "Weight,"}, "F/L2^3");
  Float(TblRock2, {"Uniaxial Compressive", "Strength,"}, "F/L^2");
  Float(TblRock2, {"krm *"}, "");
  Float(TblRock2, {"Elastic", "Modulus,"}, "F/L^2");
  Float(TblRock2, {"RQD", "%"}, "");
  TblRock2.SetComments(
      "* krm is a strain constant that seve to establish the overall "
      "stiffness of the curves");

  Define(PYCurves2, 37, "Sets of Ext. p-y Curves", 2, 30);
  Int(PYCurves2, {"Node # "}, 0, kIntMin, kIntMax);
  Flex(PYCurves2, {"Curve Sets"}, {38});
  Float(PYCurves2, {"Multiplier for p-value"}, "", 1.0L);
  Float(PYCurves2, {"Multiplier for y-value"}, "", 1.0L);
  Chart(PYCurves2, false);

  Define(PYCurve2, 38, "External p-y Curve", 2, 17, "Point");
  Float(PYCurve2, {"Lateral Deflection, y (*)"}, "L");
  Float(PYCurve2, {"Soil Resistance, p"}, "F/L");
  Chart(PYCurve2, true);
  PYCurve2.SetComments(
      "* Use negative (-) values for deflections to the left (to backfill)\r"
      "     and positive (+) to the right (to excavation).\r"
      "Lateral movement (y) should start from negative deflection\r"
      "     (towards backfill) and gradually increase to positive\r"
      "     deflection (towards excavation) for the range of the response.\r"
      "Positive soil resistance (p) should correspond to the negative\r"
      "     soil movement (-y) and negative soil resistance (-p) should\r"
      "     correspond to the positive soil movement (y).");

  Define(MEICurves2, 36, "Nonlinear Moment vs EI Curves", 1, 20, "Section");
  Int(MEICurves2, {"From Node No. (Start)"}, 0, 0, 1000);
  Int(MEICurves2, {"To Node No. (End)"}, 0, 0, 1000);
  Flex(MEICurves2, {}, {0});
  Chart(MEICurves2, false);

  Define(Rows2, 0, "Moment and EI data", 1, 100, "Point");
  Float(Rows2, {"Bending moment"}, "F-L");
  Float(Rows2, {"Flexural rigidity"}, "F-L^2");
  Chart(Rows2, true);
}

std::vector<TGridTable*> InputTables::TopLevelTables() {
  return {&PileSect, &SoilLayer, &BoundCond, &SoilStrength,   &TiebackTable1,
          &PYMod,    &DistLoad,  &LongDist,  &SurchargeTable, &NewSoil,
          &LongSoil, &PYCurves2, &MEICurves2};
}

std::vector<TGridTable*> InputTables::AllTables() {
  std::vector<TGridTable*> tables = TopLevelTables();
  for (TGridTable* t : {static_cast<TGridTable*>(&TblClay1),
                        static_cast<TGridTable*>(&TblSand1),
                        static_cast<TGridTable*>(&TblSilt1),
                        static_cast<TGridTable*>(&TblRock1),
                        static_cast<TGridTable*>(&TblRock2),
                        static_cast<TGridTable*>(&PYCurve2),
                        static_cast<TGridTable*>(&Rows2)}) {
    tables.push_back(t);
  }
  return tables;
}

void InputTables::Reset() {
  for (TGridTable* table : TopLevelTables()) {
    table->SetRowCount(0);
    table->SetRowCount(table->MinRows());
  }
}

bool InputTables::Modified() {
  for (TGridTable* table : TopLevelTables()) {
    if (table->Changed()) return true;
  }
  return false;
}

void InputTables::ResetChanged() {
  for (TGridTable* table : TopLevelTables()) table->ResetChanged();
}

}  // namespace kestra
