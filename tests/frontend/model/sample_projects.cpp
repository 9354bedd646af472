#include "sample_projects.h"

#include <fstream>
#include <iterator>

#include "input_tables.h"
#include "program_data.h"

namespace kestra::test {

void BuildCantilever(TProgramData& d) {
  InputTables& t = d.Tables();
  d.Title = "Cantilevered sheet-pile wall in sand";
  d.IncrementCount = 60;
  d.IncrementLength = 6;
  d.MaxDeflection = 10;
  d.FreeHeight = 120;
  d.WidthActive = 12;
  d.WidthPY = 12;
  d.WaterDepthBackfill = 1200;
  d.WaterDepthExcavation = 1200;
  t.PileSect.SetRowCount(1);
  t.PileSect.SetCellInteger(0, 0, 0);
  t.PileSect.SetCellInteger(1, 0, 60);
  t.PileSect.SetCellFloat(3, 0, 5.3e9L);
  t.NewSoil.SetRowCount(1);
  t.NewSoil.SetCellInteger(0, 0, 4);
  t.NewSoil.SetCellFloat(1, 0, 40);  // ft
  TGridTable& sand = *t.NewSoil.SubTable(2, 0);
  for (int row = 0; row < 2; ++row) {
    sand.SetCellFloat(0, row, 120);  // lbs/ft^3
    sand.SetCellFloat(1, row, 32);
    sand.SetCellFloat(2, row, 90);
  }
}

namespace {

void FillSoilLayers(TGridTable& layers, Extended depth_step) {
  layers.SetRowCount(7);
  for (int r = 0; r < 7; ++r) {
    layers.SetCellInteger(0, r, r + 1);
    layers.SetCellFloat(1, r, depth_step * (r + 1));
    TGridTable& p = *layers.SubTable(2, r);
    for (int c = 0; c < p.ColumnCount(); ++c) {
      for (int row = 0; row < 2; ++row) {
        p.SetCellFloat(c, row, 10 * (r + 1) + c + 0.25L * row + 0.125L);
      }
    }
  }
}

}  // namespace

void BuildEverything(TProgramData& d) {
  InputTables& t = d.Tables();
  d.Title = "Everything, with tabs\tand 80 characters at most";
  d.IncrementCount = 50;
  d.IncrementLength = 0.3L;
  d.MaxDeflection = 2.5L;
  d.ClosureTolerance = 1.5e-6L;
  d.FreeHeight = 4.5L;
  d.WidthActive = 1.2L;
  d.WidthPY = 0.9L;
  d.WaterDepthBackfill = 3;
  d.WaterDepthExcavation = 6.25L;
  d.ActivePressureFactor = 0.8L;
  d.BackfillSlope = 10;
  d.UniformSurcharge = 12.5L;
  d.WaterPressureCode = 2;
  d.LegacySurcharge = {0, 0, 0, 0, 0};
  d.ChoosePressureDistribution(1);
  d.GeneratePYCurves = 1;
  d.LongTermAnalysis = true;
  for (ApplySwitch s :
       {ApplySwitch::kConcentratedLoads, ApplySwitch::kTiebacks,
        ApplySwitch::kRestraints, ApplySwitch::kExternalPY,
        ApplySwitch::kSprings, ApplySwitch::kPYModifiers,
        ApplySwitch::kSurcharge, ApplySwitch::kEICurves}) {
    d.Switch(s) = true;
  }

  t.SoilLayer.SetRowCount(2);
  t.SoilLayer.SetCellInteger(0, 1, 2);
  t.SoilLayer.SetCellInteger(1, 1, 50);
  t.SoilLayer.SetCellFloat(3, 1, -0.001L);
  t.PileSect.SetRowCount(2);
  t.PileSect.SetCellInteger(1, 0, 20);
  t.PileSect.SetCellInteger(2, 0, 2);
  t.PileSect.SetCellFloat(3, 0, 123456789.0L);
  t.PileSect.SetCellInteger(0, 1, 21);
  t.PileSect.SetCellInteger(1, 1, 50);
  t.PileSect.SetCellFloat(3, 1, 98765.4321L);
  t.BoundCond.SetRowCount(1);
  t.BoundCond.SetCellFloat(3, 0, 15);
  t.BoundCond.SetCellFloat(4, 0, -2.5L);
  t.BoundCond.SetCellFloat(5, 0, 100);
  t.SoilStrength.SetRowCount(1);
  t.SoilStrength.SetCellInteger(0, 0, 2);
  t.SoilStrength.SetCellInteger(1, 0, 3);
  t.SoilStrength.SetCellInteger(2, 0, 7);
  t.SoilStrength.SetCellFloat(3, 0, 1e10L);
  t.SoilStrength.SetCellFloat(4, 0, 0.000012L);
  t.TiebackTable1.SetRowCount(2);
  for (int r = 0; r < 2; ++r) {
    const Extended values[] = {1.5L + r, 1500, 2e8L, 6, 15, 2.5L, 100};
    for (int c = 0; c < 7; ++c) t.TiebackTable1.SetCellFloat(c, r, values[c]);
  }
  t.PYMod.SetRowCount(2);
  t.PYMod.SetCellFloat(0, 1, 5);
  t.PYMod.SetCellFloat(1, 1, 0.5L);
  t.DistLoad.SetRowCount(2);
  t.DistLoad.SetCellFloat(0, 1, 4.5L);
  t.DistLoad.SetCellFloat(1, 1, 30);
  t.LongDist.SetRowCount(3);
  t.LongDist.SetCellFloat(0, 2, 9);
  t.LongDist.SetCellFloat(1, 2, 45);
  t.SurchargeTable.SetRowCount(3);
  for (int r = 0; r < 3; ++r) {
    t.SurchargeTable.SetCellInteger(0, r, r + 1);
    t.SurchargeTable.SetCellFloat(1, r, 10 * (r + 1));
    t.SurchargeTable.SetCellFloat(2, r, 500);
    t.SurchargeTable.SetCellFloat(3, r, r == 2 ? 1000 : 0);
  }
  FillSoilLayers(t.NewSoil, 1.5L);
  FillSoilLayers(t.LongSoil, 2);
  t.PYCurves2.SetRowCount(2);
  for (int r = 0; r < 2; ++r) {
    t.PYCurves2.SetCellInteger(0, r, 30 + r);
    t.PYCurves2.SetCellFloat(2, r, 0.75L);
    TGridTable& points = *t.PYCurves2.SubTable(1, r);
    points.SetRowCount(3);
    for (int p = 0; p < 3; ++p) {
      points.SetCellFloat(0, p, 0.01L * (p - 1));
      points.SetCellFloat(1, p, -100.0L * (p - 1));
    }
  }
  t.MEICurves2.SetRowCount(1);
  t.MEICurves2.SetCellInteger(1, 0, 50);
  TGridTable& mei = *t.MEICurves2.SubTable(2, 0);
  mei.SetRowCount(2);
  mei.SetCellFloat(0, 1, 500);
  mei.SetCellFloat(1, 0, 98765.4321L);
  mei.SetCellFloat(1, 1, 50000);
}

std::filesystem::path DataFile(const std::string& name) {
  return std::filesystem::path(KESTRA_FRONTEND_DATA) / name;
}

std::string ReadText(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteText(const std::filesystem::path& p, const std::string& text) {
  std::ofstream out(p, std::ios::binary | std::ios::trunc);
  out << text;
}

}  // namespace kestra::test
