#include "input_file_reader.h"

#include <algorithm>

#include "input_tables.h"
#include "program_data.h"
#include "soil_line_layout.h"
#include "word_reader.h"

namespace kestra {
namespace {

const char kIncomplete[] = "This file either invalid or incomplete.";

// Older files held the unit weight of water in the place of the factor.
constexpr double kOldWaterWeight = 0.036;

class TInputFileReader {
 public:
  TInputFileReader(TProgramData& data, TWordReader& in, InputFormat format)
      : d_(data), t_(data.Tables()), in_(in), format_(format) {}

  // R2 to R12 of one problem; the caller reads R1 and R13.
  void Problem(bool long_term) {
    long_term_ = long_term;
    Control();
    Wall();
    if (d_.ApplyRestraints) Restraints();
    Stiffness();
    ConcentratedLoads();
    SpringsAndTiebacks();
    PYModifiers();
    if (d_.PressureOption == 1) UserPressure();
    if (d_.PressureOption > 1 || d_.PyCurveOption > 1) SoilData();
    ExternalPYCurves();
    if (d_.ApplyEICurves) EICurves();
  }

 private:
  // A count the rest of the file cannot hold is not believed: the table is
  // never sized from it.
  int Count(size_t words_per_row) {
    const int n = in_.ReadInteger();
    if (n < 0 || static_cast<size_t>(n) > in_.RemainingWords() / words_per_row)
      throw EInOutError(kIncomplete);
    return n;
  }

  bool English() const { return d_.Units == 1; }
  Extended Depth(double in_file) const {
    return English() ? in_file / 12.0L : in_file;
  }

  void Control() {
    d_.SetUnits(in_.ReadInteger());
    const int restraints = Count(4);
    t_.SoilLayer.SetRowCount(restraints);
    if (restraints > 0) d_.ApplyRestraints = true;
    t_.PileSect.SetRowCount(Count(4));
    t_.PYMod.SetRowCount(Count(3));
    const int pressure = in_.ReadInteger();
    d_.PressureOption = pressure;
    if (!long_term_) d_.PressureDistribution = pressure;
    const int py = in_.ReadInteger();
    d_.PyCurveOption = py;

    if (long_term_ ? pressure == 2 : pressure > 1) d_.KeepGeneratedPressure = 1;
    if (pressure == 0 || pressure == 1) d_.KeepGeneratedPressure = 0;
    if (py == 2) d_.GeneratePYCurves = 1;
    if (py < 2 || pressure == 0) d_.GeneratePYCurves = 0;
    if (!long_term_) d_.LongTermAnalysis = false;
    d_.UserPressure = pressure == 1;
    if (py == 1) d_.ApplyExternalPY = true;
    if (py == 0) d_.ApplyExternalPY = false;

    const int sets = Count(format_.extras ? 4 : 2);
    t_.PYCurves2.SetRowCount(sets);
    if (sets > 0) d_.ApplyExternalPY = true;
    if (t_.PYMod.RowCount() > 0) d_.ApplyPYModifiers = true;

    if (format_.stage_count) d_.StageCount = std::clamp(in_.ReadInteger(), 1, 5);
    if (format_.extras) {
      d_.EICurveSetCount = long_term_ ? in_.ReadInteger() : Count(3);
    }
    if (format_.tiebacks) {
      d_.TiebackCount = long_term_ ? in_.ReadInteger() : Count(6);
    }
    if (long_term_) return;
    t_.MEICurves2.SetRowCount(format_.extras ? d_.EICurveSetCount : 0);
    if (t_.MEICurves2.RowCount() > 0) d_.ApplyEICurves = true;
    t_.TiebackTable1.SetRowCount(format_.tiebacks ? d_.TiebackCount : 0);
    if (t_.TiebackTable1.RowCount() > 0) d_.ApplyTiebacks = true;
  }

  void Wall() {
    d_.IncrementCount = in_.ReadInteger();
    d_.IncrementLength = in_.ReadFloat();
    d_.MaxDeflection = in_.ReadFloat();
    d_.ClosureTolerance = in_.ReadFloat();
    d_.FreeHeight = in_.ReadFloat();
    // Kept: the engine takes the width from here, and a file without soil
    // data has no other place for it.
    if (format_.tiebacks) d_.WidthActive = in_.ReadFloat();
  }

  void Restraints() {
    TGridTable& s = t_.SoilLayer;
    for (int r = 0; r < s.RowCount(); ++r) {
      s.SetCellInteger(0, r, in_.ReadInteger());
      s.SetCellInteger(1, r, in_.ReadInteger());
      s.SetCellFloat(2, r, in_.ReadFloat());
      s.SetCellFloat(3, r, in_.ReadFloat());
    }
  }

  void Stiffness() {
    TGridTable& s = t_.PileSect;
    for (int r = 0; r < s.RowCount(); ++r) {
      for (int c = 0; c < 3; ++c) s.SetCellInteger(c, r, in_.ReadInteger());
      s.SetCellFloat(3, r, in_.ReadFloat());
    }
  }

  void ConcentratedLoads() {
    TGridTable& b = t_.BoundCond;
    const int n = Count(6);
    b.SetRowCount(n);
    if (n > 0) d_.ApplyConcentratedLoads = true;
    for (int r = 0; r < n; ++r) {
      for (int c = 0; c < 3; ++c) b.SetCellInteger(c, r, in_.ReadInteger());
      for (int c = 3; c < 6; ++c) b.SetCellFloat(c, r, in_.ReadFloat());
    }
  }

  void SpringsAndTiebacks() {
    TGridTable& s = t_.SoilStrength;
    const int n = Count(5);
    s.SetRowCount(n);
    if (n > 0) d_.ApplySprings = true;
    for (int r = 0; r < n; ++r) {
      s.SetCellInteger(1, r, in_.ReadInteger());
      s.SetCellInteger(2, r, in_.ReadInteger());
      s.SetCellInteger(0, r, in_.ReadInteger());
      s.SetCellFloat(3, r, in_.ReadFloat());
      s.SetCellFloat(4, r, in_.ReadFloat());
    }
    TGridTable& tb = t_.TiebackTable1;
    for (int r = 0; r < tb.RowCount(); ++r) {
      for (int c = 0; c < 6; ++c) tb.SetCellFloat(c, r, in_.ReadFloat());
      // Older lines end without the prestressing force.
      if (in_.WordCount() > 6) tb.SetCellFloat(6, r, in_.ReadFloat());
      if (d_.Units == 2) {
        tb.SetCellFloat(1, r, *tb.CellFloat(1, r) * 1000 * 1000);
      }
    }
  }

  void PYModifiers() {
    TGridTable& m = t_.PYMod;
    if (m.RowCount() == 0) {
      d_.ApplyPYModifiers = false;
      return;
    }
    for (int r = 0; r < m.RowCount(); ++r) {
      m.SetCellFloat(0, r, Depth(in_.ReadFloat()));
      m.SetCellFloat(1, r, in_.ReadFloat());
      m.SetCellFloat(2, r, in_.ReadFloat());
    }
    d_.ApplyPYModifiers = true;
  }

  void UserPressure() {
    TGridTable& p = long_term_ ? t_.LongDist : t_.DistLoad;
    const int n = Count(2);
    p.SetRowCount(n);
    if (!long_term_) d_.PressureDistribution = 1;
    d_.UserPressure = n >= 1;
    for (int r = 0; r < n; ++r) {
      p.SetCellFloat(0, r, Depth(in_.ReadFloat()));
      const double load = in_.ReadFloat();
      p.SetCellFloat(1, r, English() ? load * 12.0L : load);
    }
  }

  void SoilData() {
    d_.FreeHeight = in_.ReadFloat();
    d_.WidthActive = in_.ReadFloat();
    d_.WidthPY = in_.ReadFloat();
    d_.WaterDepthBackfill = in_.ReadFloat();
    d_.WaterDepthExcavation = in_.ReadFloat();
    const double factor = in_.ReadFloat();
    d_.ActivePressureFactor = factor == kOldWaterWeight ? 1.0 : factor;
    d_.WaterPressureCode = in_.ReadInteger();
    d_.BackfillSlope = in_.ReadFloat();
    d_.UniformSurcharge = in_.ReadFloat();
    for (Extended& v : d_.LegacySurcharge) v = in_.ReadFloat();
    if (format_.extras) {
      Surcharges();
    } else {
      LegacySurcharges();
    }
    if (format_.oldest_soil) {
      OldestSoilLayers();
    } else {
      SoilLayers();
    }
  }

  void Surcharges() {
    TGridTable& s = t_.SurchargeTable;
    const int n = Count(4);
    s.SetRowCount(n);
    if (n > 0) d_.ApplySurcharge = true;
    for (int r = 0; r < n; ++r) {
      s.SetCellInteger(surcharge_columns::kLoadType, r, in_.ReadInteger());
      s.SetCellFloat(surcharge_columns::kMagnitude, r, in_.ReadFloat());
      s.SetCellFloat(surcharge_columns::kDistance, r, in_.ReadFloat());
      s.SetCellFloat(surcharge_columns::kWidth, r, in_.ReadFloat());
    }
  }

  // The single surcharge of older files becomes a point, a line and a strip
  // load at its distance. The table holds distances in mm for SI, where the
  // legacy values are in metres.
  void LegacySurcharges() {
    const auto& legacy = d_.LegacySurcharge;
    if (!(legacy[0] > 0)) return;
    const Extended to_table = d_.Units == 2 ? 1000 : 1;
    TGridTable& s = t_.SurchargeTable;
    s.SetRowCount(3);
    for (int r = 0; r < 3; ++r) {
      s.SetCellInteger(surcharge_columns::kLoadType, r, r + 1);
      s.SetCellFloat(surcharge_columns::kMagnitude, r, legacy[1 + r]);
      s.SetCellFloat(surcharge_columns::kDistance, r, legacy[0] * to_table);
      s.SetCellFloat(surcharge_columns::kWidth, r, legacy[4] * to_table);
    }
    d_.ApplySurcharge = true;
  }

  TGridTable& Layers() { return long_term_ ? t_.LongSoil : t_.NewSoil; }

  // Sets the layer's type, which picks its parameter table.
  TGridTable& LayerTable(TGridTable& layers, int r) {
    const int type = in_.ReadInteger();
    if (type < 1 || type > 7) throw EInOutError(kIncomplete);
    layers.SetCellInteger(soil_columns::kSoilType, r, type);
    TGridTable* params = layers.SubTable(soil_columns::kParameters, r);
    if (!params) throw EInOutError(kIncomplete);
    params->SetRowCount(params->MinRows());
    return *params;
  }

  void SoilLayers() {
    TGridTable& layers = Layers();
    const int n = Count(14);
    layers.SetRowCount(n);
    for (int r = 0; r < n; ++r) {
      TGridTable& params = LayerTable(layers, r);
      const int type = *layers.CellInteger(soil_columns::kSoilType, r);
      layers.SetCellFloat(soil_columns::kBottomDepth, r,
                          Depth(in_.ReadFloat()));
      for (int row = 0; row < 2; ++row) {
        for (const SoilPosition& p : SoilLineLayout(type)) {
          const double v = in_.ReadFloat();
          if (p.value == SoilValue::kNone ||
              (long_term_ && p.value == SoilValue::kEarthPressureCoefficient))
            continue;
          params.SetCellFloat(p.column, row,
                              v * static_cast<Extended>(
                                      SoilFileDivisor(p.value, d_.Units)));
        }
      }
    }
  }

  // Layers by thickness and one line of five values for both rows, as the
  // oldest files held them, without unit conversion.
  void OldestSoilLayers() {
    TGridTable& layers = Layers();
    const int n = Count(2);
    layers.SetRowCount(n);
    Extended bottom = 0;
    for (int r = 0; r < n; ++r) {
      TGridTable& params = LayerTable(layers, r);
      const int type = *layers.CellInteger(soil_columns::kSoilType, r);
      bottom += in_.ReadFloat();
      layers.SetCellFloat(soil_columns::kBottomDepth, r, bottom);
      if (type == 7) continue;  // weak rock had no values
      const SoilLine& line = SoilLineLayout(type);
      for (size_t i = 0; i < 5; ++i) {
        const double v = in_.ReadFloat();
        if (line[i].value == SoilValue::kNone) continue;
        params.SetCellFloat(line[i].column, 0, v);
        params.SetCellFloat(line[i].column, 1, v);
      }
    }
  }

  void ExternalPYCurves() {
    TGridTable& sets = t_.PYCurves2;
    if (sets.RowCount() == 0) {
      d_.ApplyExternalPY = false;
      return;
    }
    d_.ApplyExternalPY = true;
    for (int r = 0; r < sets.RowCount(); ++r) {
      sets.SetCellInteger(0, r, in_.ReadInteger());
      const int count = Count(2);
      sets.SetCellFloat(2, r, 1.0L);
      sets.SetCellFloat(3, r, 1.0L);
      if (format_.extras) {
        sets.SetCellFloat(2, r, in_.ReadFloat());
        sets.SetCellFloat(3, r, in_.ReadFloat());
      }
      Points(sets.SubTable(1, r), count);
    }
  }

  void EICurves() {
    TGridTable& sets = t_.MEICurves2;
    if (sets.RowCount() == 0) {
      d_.ApplyEICurves = false;
      return;
    }
    for (int r = 0; r < sets.RowCount(); ++r) {
      sets.SetCellInteger(0, r, in_.ReadInteger());
      sets.SetCellInteger(1, r, in_.ReadInteger());
      Points(sets.SubTable(2, r), Count(2));
    }
  }

  void Points(TGridTable* points, int count) {
    if (!points) throw EInOutError(kIncomplete);
    points->SetRowCount(count);
    for (int p = 0; p < count; ++p) {
      points->SetCellFloat(0, p, in_.ReadFloat());
      points->SetCellFloat(1, p, in_.ReadFloat());
    }
  }

  TProgramData& d_;
  InputTables& t_;
  TWordReader& in_;
  InputFormat format_;
  bool long_term_ = false;
};

// Empty tables get their minimum rows for the editing windows. A table
// that holds rows from the file keeps exactly those: padding it would add
// rows of defaults (a p-y curve of zeros at node 0) to the next save.
void PadEmptyTables(InputTables& tables) {
  for (TGridTable* t : tables.TopLevelTables()) {
    if (t->RowCount() == 0) t->SetRowCount(t->MinRows());
  }
}

}  // namespace

TReadResult ReadInputFile(const std::string& path, InputFileKind kind,
                          InputTables& tables) {
  TReadResult result;
  result.data = std::make_unique<TProgramData>(tables);
  TProgramData& d = *result.data;
  d.FileName = path;
  for (TGridTable* t : tables.TopLevelTables()) t->SetRowCount(0);
  const InputFormat format = InputFormat::Of(kind);
  try {
    TWordReader in = TWordReader::FromFile(path);
    TInputFileReader reader(d, in, format);
    d.Title = in.ReadLine();
    reader.Problem(false);
    if (format.stage_count && in.ReadInteger() == 9) {
      in.ReadLine();  // the rest of the terminator's line
      d.Title = in.ReadLine();
      d.LongTermAnalysis = true;
      reader.Problem(true);
      in.ReadInteger();
    }
  } catch (const EInOutError& e) {
    result.message = e.what();
  }
  PadEmptyTables(tables);
  d.FormatHasExtras = true;
  d.FormatHasTiebacks = kind == InputFileKind::kCurrent;
  return result;
}

std::string ReadStageFile(TProgramData& data, const std::string& path) {
  std::string message;
  try {
    TWordReader in = TWordReader::FromFile(path);
    TInputFileReader reader(
        data, in, InputFormat::Stage(data.FormatHasExtras, data.FormatHasTiebacks));
    data.Title = in.ReadLine();
    reader.Problem(false);
    data.LongTermAnalysis = in.ReadInteger() == 9;
  } catch (const EInOutError& e) {
    message = e.what();
  }
  PadEmptyTables(data.Tables());
  return message;
}

}  // namespace kestra
