// Sections of the output report. Each function formats what it is given and
// appends it to `out`; none of them computes results.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "problem_input.h"
#include "run_status.h"
#include "unit_labels.h"

namespace kestra {

struct LocalTime {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};

struct FileNames {
  std::string_view input;  // input data file path
  std::string_view report;
  std::string_view plot;
};

// Title line of a problem: the problem's own title for the first problem of
// an unstaged run, "Long Term :" for later ones, "Stage No :" when staged.
struct TitleLine {
  bool staged = false;
  int NPROB = 1;
  std::string_view first_title;  // blank-padded to 80
  std::string_view title;
};


struct StationResult {
  double x = 0.0, deflection = 0.0, slope = 0.0, moment = 0.0, shear = 0.0,
         reaction = 0.0, ei = 0.0;
};

// Section banner: two empty lines, the framed title between two rows of
// asterisks (50 characters each, indented 6), one empty line.
void WriteBanner(std::string& out, std::string_view framed_title);

void WriteReportHeader(std::string& out, std::string_view version,
                       const FileNames& files, const LocalTime& time);
void WriteTitleLine(std::string& out, const TitleLine& title);

void WriteControlParameters(std::string& out, const ControlRecord& c);
void WriteWallRecord(std::string& out, const WallRecord& w,
                     const UnitLabels& u);

void WriteSpecifiedHeading(std::string& out);
void WriteSpecifiedPoint(std::string& out, const SpecifiedPoint& p);
// The line written in place of an empty list of records.
void WriteNoRecords(std::string& out);

void WriteStiffnessHeading(std::string& out, const UnitLabels& u);
// One stiffness, load, spring or tieback record, its layout chosen by K.
void WriteStiffnessRecord(std::string& out, int k, int from, int to, int kont,
                          const double (&values)[6]);

// Earth pressure on the wall: the banner of a user table, the column heading
// and one row (depth, pressure).
void WriteSpecifiedPressureHeading(std::string& out);
void WritePressureColumnHeading(std::string& out, const UnitLabels& u);
void WritePressureRow(std::string& out, double depth, double pressure);

// User p-y curves: the banner, then per curve its header line (layout by
// the continuation flags of this curve and the one before; `combined` when
// generated curves follow) and its points with the multipliers applied.
void WriteUserCurvesHeading(std::string& out);
void WriteUserCurve(std::string& out, const UserPyCurve& c, int flag,
                    int previous_flag, bool combined, const UnitLabels& u);

void WriteResultsHeading(std::string& out, int iteration, bool off_curve,
                         int exceed_count, int open_count);
void WriteResultsTable(std::string& out, std::span<const StationResult> rows,
                       const UnitLabels& u);

struct TiebackForce;
void WriteTiebackResults(std::string& out, std::span<const TiebackForce> forces,
                         const UnitLabels& u);

// Message of an error that ends the run; `line` and `detail` complete the
// messages about invalid input.
void WriteRunError(std::string& out, RunError error, int line = 0,
                   std::string_view detail = {});
void WriteEndOfAnalysis(std::string& out);

// Drive, directory, file name and extension of a path.
struct PathParts {
  std::string drive, directory, name, extension;
};
PathParts SplitPath(std::string_view path);

}  // namespace kestra
