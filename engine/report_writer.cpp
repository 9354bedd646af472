#include "report_writer.h"

#include "layout.h"
#include "tiebacks.h"

namespace kestra {
namespace {

std::string_view TrimRight(std::string_view s) {
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return s;
}

}  // namespace

void WriteBanner(std::string& out, std::string_view framed_title) {
  out += FormatLayout("(//6X,50('*')/6X,A/6X,50('*')/)", {framed_title});
}

PathParts SplitPath(std::string_view path) {
  PathParts parts;
  if (path.size() >= 2 && path[1] == ':' &&
      ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'))) {
    parts.drive = std::string(path.substr(0, 2));
    path.remove_prefix(2);
  }
  const size_t slash = path.find_last_of("/\\");
  std::string_view file = path;
  if (slash != std::string_view::npos) {
    parts.directory = std::string(path.substr(0, slash + 1));
    file = path.substr(slash + 1);
  }
  const size_t dot = file.find_last_of('.');
  if (dot != std::string_view::npos) {
    parts.name = std::string(file.substr(0, dot));
    parts.extension = std::string(file.substr(dot));
  } else {
    parts.name = std::string(file);
  }
  return parts;
}

void WriteReportHeader(std::string& out, std::string_view version,
                       const FileNames& files, const LocalTime& t) {
  out += FormatLayout(
      "(5X,73('=')//20X,'  KESTRA for Windows, Version ',A12//20X,'   A "
      "Program for the Analysis of '/20X,'   Flexible Retaining Walls "
      "'//5X,73('=')//)",
      {version});
  const PathParts in = SplitPath(files.input);
  const PathParts rep = SplitPath(files.report);
  const PathParts plot = SplitPath(files.plot);
  out += FormatLayout(
      "(5X,'Path to file locations      : ',A,A/5X,'Name of input data file  "
      "   : ',A,A)",
      {TrimRight(in.drive), TrimRight(in.directory), in.name, in.extension});
  out += FormatLayout("(5X,'Name of output file         : ',A,A)",
                      {rep.name, rep.extension});
  out += FormatLayout("(5X,'Name of plot output file    : ',A,A)",
                      {plot.name, plot.extension});
  out += '\n';
  out += FormatLayout(
      "(5X,73('-')/26X,'Time and Date of Analysis'/5X,73('-')/)");
  static constexpr const char* kMonths[] = {
      "January", "February", "March",     "April",   "May",      "June",
      "July",    "August",   "September", "October", "November", "December"};
  if (t.month >= 1 && t.month <= 12) {
    const std::string layout = std::string("(15X,'Date:  ") +
                               kMonths[t.month - 1] +
                               " ',I2.2,', ',I4,5X,'Time:  ',I2.2,':',I2.2,':',"
                               "I2.2)";
    out += FormatLayout(layout,
                        {t.day, t.year, t.hour, t.minute, t.second});
  }
}

void WriteTitleLine(std::string& out, const TitleLine& t) {
  if (t.staged)
    out += FormatLayout("(/6X,'Stage No :',I2,2X,A70)",
                        {t.NPROB, t.first_title});
  else if (t.NPROB <= 1)
    out += FormatLayout("(/6X,A70)", {t.title});
  else
    out += FormatLayout("(/6X,'Long Term :',2X,A70)", {t.first_title});
}

void WriteControlParameters(std::string& out, const ControlRecord& c) {
  WriteBanner(out, "*        PROGRAM CONTROL PARAMETERS              *");
  out += FormatLayout(
      "(6X,'NO OF POINTS FOR SPECIFIED DEFLECTIONS AND SLOPES  = ',I2/"
      "6X,'NO OF POINTS FOR WALL STIFFNESS AND LOAD DATA      = ',I2/"
      "6X,'GENERATE EARTH PRESSURE INTERNALLY                 = ',I2/"
      "6X,'GENERATE SOIL RESISTANCE (P-Y) CURVES INTERNALLY   = ',I2/"
      "6X,'NO OF P-Y MODIFICATION FACTORS FOR GEN. P-Y CURVES = ',I2/"
      "6X,'NO OF USER-SPECIFIED SOIL RESISTANCE (P-Y) CURVES  = ',I2)",
      {c.NSPEC, c.NEIREC, c.IEPOPT > 1 ? 1 : 0, c.IPYOPT == 2 ? 1 : 0,
       c.NPYMOD, c.NPYUSR});
}

void WriteWallRecord(std::string& out, const WallRecord& w,
                     const UnitLabels& u) {
  out += FormatLayout(
      "(6X,'NUMBER OF INCREMENTS                               = ',I3/"
      "6X,'INCREMENT LENGTH                                   = ',F9.3,A3/"
      "6X,'FREE HEIGHT OF WALL                                = ',F9.3,A3)",
      {w.NINC, w.HINC, u.L3, w.H, u.L3});
  out += FormatLayout(
      "(6X,'MAXIMUM ALLOWABLE DEFLECTION                       = ',F9.3,A3/"
      "6X,'DEFLECTION CLOSURE TOLERANCE                       = ',1P,E9.3,"
      "A3)",
      {w.YALLOW, u.L3, w.YCLOSE, u.L3});
}

void WriteSpecifiedHeading(std::string& out) {
  WriteBanner(out, "*        SPECIFIED DEFLECTIONS AND SLOPES        *");
  out += FormatLayout(
      "(5X,'     STA      CASE       DEFLECTION        SLOPE'/)");
}

void WriteSpecifiedPoint(std::string& out, const SpecifiedPoint& p) {
  if (p.case_code < 2)
    out += FormatLayout("(10X,I3,7X,I2,8X,E10.3,9X,'NONE')",
                        {p.station, p.case_code, p.deflection});
  else if (p.case_code == 2)
    out += FormatLayout("(10X,I3,7X,I2,11X,'NONE',8X,E10.3)",
                        {p.station, p.case_code, p.slope});
  else
    out += FormatLayout("(10X,I3,7X,I2,3X,2(5X,E10.3))",
                        {p.station, p.case_code, p.deflection, p.slope});
}

void WriteNoRecords(std::string& out) {
  out += FormatLayout("(/'                    ')");
}

void WriteStiffnessHeading(std::string& out, const UnitLabels& u) {
  // No empty line below this banner.
  out += FormatLayout(
      "(//6X,'**************************************************'/6X,'*     "
      "   STIFFNESS AND LOAD DATA                 *'/"
      "6X,'**************************************************'/"
      "6X,'EI - FLEXURAL RIGIDITY,  Q - TRANSVERSE LOAD,'/"
      "6X,'S - STIFFNESS OF TRANSVERSE RESISTANCE,'/"
      "6X,'T - TORQUE,              P - AXIAL LOAD,'/"
      "6X,'R - STIFFNESS OF TORSIONAL RESISTANCE.'//"
      "'     FROM TO CONTD     EI         Q        S''        T         R   "
      "      P'/)");
  out += FormatLayout(
      "(18X,A4,A1,A2,A2,A1,4X,A4,4X,A4,A1,A2,3X,A3,A1,A3,2X,A3,A1,A3,4X,A4)",
      {u.F4, "-", u.L2, "**", "2", u.F4, u.F4, "/", u.L2, u.L3, "-", u.F3,
       u.L3, "-", u.F3, u.F4});
}

void WriteStiffnessRecord(std::string& out, int k, int from, int to, int kont,
                          const double (&v)[6]) {
  static const Layout kStart("(5X,I4,4X,I3,1X,6E10.3)");
  static const Layout kEnd("(9X,I4,I3,1X,6E10.3)");
  static const Layout kSingle("(5X,2I4,I3,1X,6E10.3)");
  if (k == 2) {
    const LayoutValue values[] = {from, kont, v[0], v[1], v[2], v[3], v[4], v[5]};
    kStart.Write(out, values);
  } else if (k == 3 || k == 4) {
    const LayoutValue values[] = {to, kont, v[0], v[1], v[2], v[3], v[4], v[5]};
    kEnd.Write(out, values);
  } else {
    const LayoutValue values[] = {from, to,   kont, v[0], v[1],
                                  v[2], v[3], v[4], v[5]};
    kSingle.Write(out, values);
  }
}

void WriteSpecifiedPressureHeading(std::string& out) {
  WriteBanner(out, "*        SPECIFIED ACTIVE EARTH PRESSURE         *");
}

void WritePressureColumnHeading(std::string& out, const UnitLabels& u) {
  out += FormatLayout(
      "(//8X,' DEPTH         ACTIVE EARTH PRESSURE'/8X,1X,A3,17X,A4,A1,A2/"
      "8X,'--------       ------------------------')",
      {u.L3, u.F4, "/", u.L2});
}

void WritePressureRow(std::string& out, double depth, double pressure) {
  static const Layout kRow("(6X,E10.3,10X,E10.3)");
  const LayoutValue values[] = {depth, pressure};
  kRow.Write(out, values);
}

void WriteUserCurvesHeading(std::string& out) {
  WriteBanner(out, "*     INPUTTED  SOIL RESISTANCE (P-Y) CURVES     *");
}

void WriteUserCurve(std::string& out, const UserPyCurve& c, int flag,
                    int previous_flag, bool combined, const UnitLabels& u) {
  out += FormatLayout(
      "(/'     FROM TO CONTD      P-MULTIPLIER  Y-MULTIPLIER''      POINTS     '/)");
  const int n = static_cast<int>(c.points.size());
  const int k = 2 * previous_flag + flag + 1;
  if (combined)
    out += FormatLayout("(/9X,I4,I3,5X,2E14.3,1(10X,I3))",
                        {c.station, 0, c.p_multiplier, c.y_multiplier, n});
  else if (k == 2)
    out += FormatLayout("(/5X,I4,4X,I3,5X,2E14.3,1(10X,I3))",
                        {c.station, flag, c.p_multiplier, c.y_multiplier, n});
  else if (k == 3 || k == 4)
    out += FormatLayout("(/9X,I4,I3,5X,2E14.3,1(10X,I3))",
                        {c.station, flag, c.p_multiplier, c.y_multiplier, n});
  else
    out += FormatLayout("(/5X,2I4,I3,5X,2E14.3,1(8X,I4))",
                        {c.station, c.station, flag, c.p_multiplier, c.y_multiplier, n});
  out += FormatLayout(
      "(//18X,'    Y    ',12X,'   P    '/18X,2X,A3,16X,A4,A1,A2/18X,'---------',"
      "12X,'--------')",
      {u.L3, u.F4, "/", u.L2});
  static const Layout kRow("(17X,E10.3,10X,E10.3)");
  for (const CurvePoint& pt : c.points) {
    const LayoutValue values[] = {pt.x * c.y_multiplier, pt.y * c.p_multiplier};
    kRow.Write(out, values);
  }
}

void WriteResultsHeading(std::string& out, int iteration, bool off_curve,
                         int exceed_count, int open_count) {
  out += FormatLayout(
      "(//'     RESULTS -- ITERATION',I3/'     --------------------')",
      {iteration});
  if (off_curve)
    out += FormatLayout("(/'     ***** DEFLECTION OFF Q - W CURVES *****')");
  if (exceed_count > 0)
    out += FormatLayout(
        "(/'     ***** MAX ALLOWABLE DEFLECTION EXCEEDED AT ***',I4,'  *** "
        "STATIONS *****')",
        {exceed_count});
  if (open_count > 0)
    out += FormatLayout(
        "(/'     ***** SOLUTION NOT CLOSED WITHIN SPECIFIED''TOLERANCE "
        "*****')");
}

void WriteResultsTable(std::string& out, std::span<const StationResult> rows,
                       const UnitLabels& u) {
  out += FormatLayout(
      "(/'   STA I      X         DEFL.       SLOPE','      MOMENT      SHEAR "
      "   NET REACT/STA    EI ')");
  out += FormatLayout(
      "(12X,A3,9X,A3,19X,A3,A1,A2,7X,A4,8X,A4,7X,A3,A1,A2,A2,A1/'   ------    "
      "----        ----       -----','      ------      ------    ---------    "
      "----------')",
      {u.L3, u.L3, u.F3, "-", u.L2, u.F4, u.F4, u.F3, "-", u.L2, "**", "2"});
  static const Layout kRow("(2X,I4,2X,E10.3,6E12.3)");
  for (size_t i = 0; i < rows.size(); ++i) {
    const StationResult& r = rows[i];
    const LayoutValue values[] = {static_cast<int>(i), r.x,     r.deflection,
                                  r.slope,             r.moment, r.shear,
                                  r.reaction,          r.ei};
    kRow.Write(out, values);
  }
}

void WriteTiebackResults(std::string& out, std::span<const TiebackForce> forces,
                         const UnitLabels& u) {
  out += FormatLayout(
      "(//'     TIE BACK RESULTS'/'     ----------------'//'     N     STA    "
      "     X       ',' HOR.FORCE/STA.     FORCE/STA.     FORCE/TIE BACK'/'   "
      "                  ',A3,12X,A3,15X,A3,15X,A3/'   -----  -----    "
      "--------    ',' --------------   --------------   --------------')",
      {u.L3, u.F3, u.F3, u.F3});
  static const Layout kRow("(1X,I5,2X,I5,2X,E12.3,3(2X,E15.4))");
  int n = 0;
  for (const TiebackForce& f : forces) {
    const LayoutValue values[] = {++n,          f.station, f.depth,
                                  f.horizontal, f.axial,   f.per_tieback};
    kRow.Write(out, values);
  }
}

void WriteRunError(std::string& out, RunError error, int line,
                   std::string_view detail) {
  switch (error) {
    case RunError::None:
      break;
    case RunError::TooMuchData:
      out += FormatLayout("(//'     TOO MUCH DATA FOR AVAILABLE STORAGE'//)");
      break;
    case RunError::StationsNotInOrder:
      out += FormatLayout("(//'     ERROR STOP -- STATIONS NOT IN ORDER')");
      break;
    case RunError::DataBeyondEnd:
      out += FormatLayout(
          "(//'     ERROR -- NON-ZERO TABLE 4 DATA BEYOND END')");
      break;
    case RunError::StationOutsideWall:
      out += FormatLayout("(//'     ERROR STOP -- STATION OUTSIDE THE WALL')");
      break;
    case RunError::InvalidInput:
      out += FormatLayout("(//'     ERROR -- INVALID INPUT DATA IN LINE',I6,"
                          "': ',A)",
                          {line, detail});
      break;
    case RunError::Singular:
      out += FormatLayout(
          "(//'     ERROR -- SINGULAR SOLUTION: THE WALL IS FREE TO MOVE OR "
          "HAS NO STIFFNESS'/'     NO RESULTS FOR THIS PROBLEM')");
      break;
    case RunError::ExcavationOutsideProfile:
      out += FormatLayout(
          "(/1X,'EXECUTION HAS BEEN TERMINATED BECAUSE THE EXCAVATION LEVEL'/"
          "1X,'IS NOT THE TOP OF A LAYER OF THE SOIL PROFILE.'/)");
      break;
    case RunError::TooManySublayers:
      out += FormatLayout(
          "(/1X,'EXECUTION HAS BEEN TERMINATED BECAUSE SUBDIVISION OF'/"
          "1X,'A LAYER HAS LED TO CREATION OF MORE THAN 20 LAYERS.'/)");
      break;
    case RunError::NoSupportForTrapezoid:
      out += FormatLayout(
          "(//'     ERROR -- THE TRAPEZOIDAL EARTH PRESSURE NEEDS A TIEBACK OR "
          "A SPRING ABOVE THE EXCAVATION LEVEL')");
      break;
    case RunError::FreeHeightNotPositive:
      out += FormatLayout(
          "(//'     ERROR -- SURCHARGE LOADS NEED A POSITIVE FREE HEIGHT OF "
          "THE WALL')");
      break;
    case RunError::SoilData:
      out += detail;
      break;
    case RunError::ScratchFile:
      out += FormatLayout("(//'     ERROR -- CANNOT USE THE SCRATCH FILE ',A)",
                          {detail});
      break;
    case RunError::CannotOpenInput:
      out += FormatLayout("(//'     ERROR -- CANNOT OPEN INPUT DATA FILE ',A)",
                          {detail});
      break;
  }
}

void WriteEndOfAnalysis(std::string& out) {
  out += FormatLayout("(///'     END OF ANALYSIS                             ')");
}

}  // namespace kestra
