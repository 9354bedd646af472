#include "input_file_writer.h"

#include <algorithm>
#include <string_view>

#include "input_line.h"
#include "input_tables.h"
#include "program_data.h"
#include "safe_file.h"
#include "soil_line_layout.h"

namespace kestra {
namespace {

Extended Float(const TGridTable& t, int col, int row) {
  return t.CellFloat(col, row).value_or(0);
}

int Integer(const TGridTable& t, int col, int row) {
  return t.CellInteger(col, row).value_or(0);
}

// Line breaks in a title would split R1.
std::string TitleLine(std::string title) {
  for (char& c : title) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  return title;
}

void Prepare(TProgramData& d) {
  InputTables& t = d.Tables();
  if (!d.ApplyConcentratedLoads) t.BoundCond.SetRowCount(0);
  if (!d.ApplyRestraints) t.SoilLayer.SetRowCount(0);
  if (!d.ApplyExternalPY) t.PYCurves2.SetRowCount(0);
  if (!d.ApplyPYModifiers) t.PYMod.SetRowCount(0);
  if (!d.ApplySprings) t.SoilStrength.SetRowCount(0);
  if (!d.ApplyTiebacks) t.TiebackTable1.SetRowCount(0);
  if (!d.ApplySurcharge) t.SurchargeTable.SetRowCount(0);
  // The last line has no next line to interpolate to.
  if (t.PileSect.RowCount() > 0) {
    t.PileSect.SetCellInteger(2, t.PileSect.RowCount() - 1, 1);
  }

  const bool generated = d.GeneratePYCurves != 0 || d.KeepGeneratedPressure != 0;
  if (d.UserPressure) {
    d.PressureOption = 1;
    d.KeepGeneratedPressure = 0;
  } else {
    d.PressureOption = generated ? d.PressureDistribution : 0;
  }
  d.PyCurveOption = d.GeneratePYCurves != 0 ? 2 : d.ApplyExternalPY ? 1 : 0;
  d.EICurveSetCount = d.ApplyEICurves ? t.MEICurves2.RowCount() : 0;
  d.TiebackCount = d.ApplyTiebacks ? t.TiebackTable1.RowCount() : 0;
}

class TInputFileWriter {
 public:
  explicit TInputFileWriter(TProgramData& data)
      : d_(data), t_(data.Tables()), english_(data.Units == 1) {}

  // One problem, R1 to R13.
  void Problem(const std::string& title, bool long_term, int terminator) {
    Line(TInputLine().Text(TitleLine(title)));
    const int pressure_option = long_term ? LongTermPressureOption()
                                          : d_.PressureOption;
    Control(pressure_option);
    Wall();
    Restraints();
    Stiffness();
    ConcentratedLoads();
    SpringsAndTiebacks();
    if (d_.ApplyPYModifiers) PYModifiers();
    if (pressure_option == 1) UserPressure(long_term ? t_.LongDist : t_.DistLoad);
    if (pressure_option > 1 || d_.PyCurveOption == 2) SoilData(long_term);
    ExternalPYCurves();
    EICurves();
    Line(TInputLine().Int(terminator));
  }

  std::string Text() const { return out_; }

 private:
  void Line(const TInputLine& line) {
    out_ += line.str();
    out_ += "\r\n";
  }

  // The long-term block generates a triangular pressure, whatever the
  // short-term distribution.
  int LongTermPressureOption() const {
    if (d_.UserPressure) return 1;
    return d_.GeneratePYCurves != 0 || d_.KeepGeneratedPressure != 0 ? 2 : 0;
  }

  void Control(int pressure_option) {
    Line(TInputLine()
             .Int(d_.Units, kSpace)
             .Int(t_.SoilLayer.RowCount(), kTab)
             .Int(t_.PileSect.RowCount(), kTab)
             .Int(t_.PYMod.RowCount(), kTab)
             .Int(pressure_option, kTab)
             .Int(d_.PyCurveOption, kSpace)
             .Int(t_.PYCurves2.RowCount(), kSpace)
             .Int(d_.StageCount, kSpace)
             .Int(d_.EICurveSetCount, kSpace)
             .Int(d_.TiebackCount));
  }

  void Wall() {
    Line(TInputLine()
             .Int(d_.IncrementCount, kSpace)
             .Real(d_.IncrementLength, kTab)
             .Real(d_.MaxDeflection, kTab)
             .Real(d_.ClosureTolerance, kTab)
             .Real(d_.FreeHeight, kTab)
             .Real(d_.WidthActive));
  }

  void Restraints() {
    if (!d_.ApplyRestraints) return;
    const TGridTable& s = t_.SoilLayer;
    for (int r = 0; r < s.RowCount(); ++r) {
      Line(TInputLine()
               .Int(Integer(s, 0, r), kTab)
               .Int(Integer(s, 1, r), kTab)
               .Real(Float(s, 2, r), kTab)
               .Real(Float(s, 3, r)));
    }
  }

  void Stiffness() {
    const TGridTable& s = t_.PileSect;
    for (int r = 0; r < s.RowCount(); ++r) {
      Line(TInputLine()
               .Int(Integer(s, 0, r), kTab)
               .Int(Integer(s, 1, r), kTab)
               .Int(Integer(s, 2, r), kTab)
               .Real(Float(s, 3, r)));
    }
  }

  void ConcentratedLoads() {
    const TGridTable& b = t_.BoundCond;
    Line(TInputLine().Int(b.RowCount()));
    for (int r = 0; r < b.RowCount(); ++r) {
      Line(TInputLine()
               .Int(Integer(b, 0, r), kTab)
               .Int(Integer(b, 1, r), kTab)
               .Int(Integer(b, 2, r), kTab)
               .Real(Float(b, 3, r), kTab)
               .Real(Float(b, 4, r), kTab)
               .Real(Float(b, 5, r)));
    }
  }

  void SpringsAndTiebacks() {
    const TGridTable& s = t_.SoilStrength;
    Line(TInputLine().Int(s.RowCount()));
    for (int r = 0; r < s.RowCount(); ++r) {
      Line(TInputLine()
               .Int(Integer(s, 1, r), kTab)
               .Int(Integer(s, 2, r), kTab)
               .Int(Integer(s, 0, r), kTab)
               .Real(Float(s, 3, r), kTab)
               .Real(Float(s, 4, r)));
    }
    const TGridTable& tb = t_.TiebackTable1;
    const int rows = std::min(d_.TiebackCount, tb.RowCount());
    for (int r = 0; r < rows; ++r) {
      Extended area = Float(tb, 1, r);
      if (d_.Units == 2) area = area / 1000 / 1000;  // mm^2 to m^2
      Line(TInputLine()
               .Real(Float(tb, 0, r), kTab)
               .Real(area, kTab)
               .Real(Float(tb, 2, r), kTab)
               .Real(Float(tb, 3, r), kTab)
               .Real(Float(tb, 4, r), kTab)
               .Real(Float(tb, 5, r), kTab)
               .Real(Float(tb, 6, r)));
    }
  }

  // Depths are shown in ft, written in inches.
  Extended Depth(Extended shown) const { return english_ ? shown * 12 : shown; }

  void PYModifiers() {
    const TGridTable& m = t_.PYMod;
    for (int r = 0; r < m.RowCount(); ++r) {
      Line(TInputLine()
               .Real(Depth(Float(m, 0, r)), kTab)
               .Real(Float(m, 1, r), kTab)
               .Real(Float(m, 2, r)));
    }
  }

  void UserPressure(const TGridTable& p) {
    Line(TInputLine().Int(p.RowCount()));
    for (int r = 0; r < p.RowCount(); ++r) {
      const Extended load = Float(p, 1, r);
      Line(TInputLine()
               .Real(Depth(Float(p, 0, r)), kTab)
               .Real(english_ ? load / 12 : load));  // lbs/ft to lbs/in
    }
  }

  void SoilData(bool long_term) {
    Line(TInputLine()
             .Real(d_.FreeHeight, kTab)
             .Real(d_.WidthActive, kTab)
             .Real(d_.WidthPY, kTab)
             .Real(d_.WaterDepthBackfill, kTab)
             .Real(d_.WaterDepthExcavation, kTab)
             .Real(d_.ActivePressureFactor, kTab)
             .Int(d_.WaterPressureCode, kTab)
             .Real(d_.BackfillSlope));
    const auto& legacy = d_.LegacySurcharge;
    Line(TInputLine()
             .Real(d_.UniformSurcharge, kTab)
             .Real(legacy[0], kTab)
             .Real(legacy[1], kTab)
             .Real(legacy[2], kTab)
             .Real(legacy[3], kTab)
             .Real(legacy[4]));
    const TGridTable& s = t_.SurchargeTable;
    Line(TInputLine().Int(s.RowCount()));
    for (int r = 0; r < s.RowCount(); ++r) {
      Line(TInputLine()
               .Int(Integer(s, surcharge_columns::kLoadType, r), kTab)
               .Real(Float(s, surcharge_columns::kMagnitude, r), kTab)
               .Real(Float(s, surcharge_columns::kDistance, r), kTab)
               .Real(Float(s, surcharge_columns::kWidth, r)));
    }
    SoilLayers(long_term ? t_.LongSoil : t_.NewSoil, long_term);
  }

  void SoilLayers(const TGridTable& layers, bool long_term) {
    Line(TInputLine().Int(layers.RowCount()));
    for (int r = 0; r < layers.RowCount(); ++r) {
      const int type = Integer(layers, soil_columns::kSoilType, r);
      Line(TInputLine()
               .Int(type, kSpace)
               .Real(Depth(Float(layers, soil_columns::kBottomDepth, r)),
                     kSpace));
      const TGridTable* params = layers.SubTable(soil_columns::kParameters, r);
      for (int row = 0; row < 2; ++row) {
        SoilParameters(type, params, row, long_term);
      }
    }
  }

  void SoilParameters(int type, const TGridTable* params, int row,
                      bool long_term) {
    TInputLine line;
    for (const SoilPosition& p : SoilLineLayout(type)) {
      if (p.value == SoilValue::kNone ||
          (long_term && p.value == SoilValue::kEarthPressureCoefficient)) {
        line.Text(kPlaceholder);
        continue;
      }
      const Extended shown = params ? Float(*params, p.column, row) : 0;
      line.Real(shown / SoilFileDivisor(p.value, d_.Units), kSpace);
    }
    Line(line);
  }

  void ExternalPYCurves() {
    const TGridTable& sets = t_.PYCurves2;
    if (!d_.ApplyExternalPY) return;
    for (int r = 0; r < sets.RowCount(); ++r) {
      const TGridTable* points = sets.SubTable(1, r);
      const int count = points ? points->RowCount() : 0;
      Line(TInputLine()
               .Int(Integer(sets, 0, r), kTab)
               .Int(count, kTab)
               .Real(Float(sets, 2, r), kTab)
               .Real(Float(sets, 3, r)));
      for (int p = 0; p < count; ++p) {
        Line(TInputLine()
                 .Real(Float(*points, 0, p), kTab)
                 .Real(Float(*points, 1, p)));
      }
    }
  }

  void EICurves() {
    const TGridTable& sets = t_.MEICurves2;
    if (!d_.ApplyEICurves) return;
    for (int r = 0; r < sets.RowCount(); ++r) {
      const TGridTable* points = sets.SubTable(2, r);
      const int count = points ? points->RowCount() : 0;
      Line(TInputLine()
               .Int(Integer(sets, 0, r), kTab)
               .Int(Integer(sets, 1, r), kTab)
               .Int(count));
      for (int p = 0; p < count; ++p) {
        Line(TInputLine()
                 .Real(Float(*points, 0, p), kTab)
                 .Real(Float(*points, 1, p)));
      }
    }
  }

  TProgramData& d_;
  InputTables& t_;
  bool english_;
  std::string out_;
};

}  // namespace

std::string InputFileText(TProgramData& data) {
  Prepare(data);
  TInputFileWriter writer(data);
  writer.Problem(data.Title, false, data.LongTermAnalysis ? 9 : 0);
  if (data.LongTermAnalysis) writer.Problem(data.Title, true, 0);
  return writer.Text();
}

std::string StageFileText(TProgramData& data) {
  Prepare(data);
  TInputFileWriter writer(data);
  const int stage = data.CurrentStage;
  const std::string title =
      stage <= 1 ? data.Title : " Stage No : " + std::to_string(stage);
  writer.Problem(title, false, stage);
  return writer.Text();
}

void WriteInputFile(TProgramData& data) {
  WriteFileReplacing(data.FileName, InputFileText(data));
}

void WriteStageFile(TProgramData& data) {
  WriteFileReplacing(data.StageFileName, StageFileText(data));
}

}  // namespace kestra
