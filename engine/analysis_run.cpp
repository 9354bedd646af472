#include "analysis_run.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>

#include "beam_solver.h"
#include "free_format_reader.h"
#include "input_reader.h"
#include "iteration.h"
#include "layout.h"
#include "plot_writer.h"
#include "problem_input.h"
#include "py_curve_step.h"
#include "report_writer.h"
#include "results.h"
#include "run_notes.h"
#include "station_model.h"
#include "tiebacks.h"

namespace kestra {
namespace fs = std::filesystem;

namespace {

std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

std::string TrimRight(std::string s) {
  while (!s.empty() && (s.back() == ' ' || s.back() == '\r' || s.back() == '\t'))
    s.pop_back();
  return s;
}

bool ReadWholeFile(const fs::path& path, std::string& text) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  text.assign(std::istreambuf_iterator<char>(in), {});
  return !in.bad();
}

bool WriteWholeFile(const fs::path& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << text;
  return static_cast<bool>(out);
}

LocalTime Now() {
  std::time_t t = std::time(nullptr);
  std::tm tm{};
  LocalTime lt;
  if (localtime_r(&t, &tm) == nullptr) return lt;
  lt.year = tm.tm_year + 1900;
  lt.month = tm.tm_mon + 1;
  lt.day = tm.tm_mday;
  lt.hour = tm.tm_hour;
  lt.minute = tm.tm_min;
  lt.second = tm.tm_sec;
  return lt;
}

struct NamesFile {
  std::string version;  // 12 characters
  std::string input, report, plot, notes;
};

// Eight lines; only the version text and the four paths matter here.
bool ReadNamesFile(const fs::path& path, NamesFile& names) {
  std::string text;
  if (!ReadWholeFile(path, text)) return false;
  std::istringstream in(text);
  std::string lines[8];
  int n = 0;
  while (n < 8 && std::getline(in, lines[n])) ++n;
  if (n < 8) return false;
  names.version = lines[0].substr(0, 12);
  if (!names.version.empty() && names.version.back() == '\r')
    names.version.pop_back();
  names.version.resize(12, ' ');
  names.input = TrimRight(lines[4].substr(0, 255));
  names.report = TrimRight(lines[5].substr(0, 255));
  names.plot = TrimRight(lines[6].substr(0, 255));
  names.notes = TrimRight(lines[7].substr(0, 255));
  return !names.input.empty() && !names.report.empty() &&
         !names.plot.empty() && !names.notes.empty();
}

// Everything one run holds; most of it is rebuilt for every problem.
struct RunState {
  NamesFile names;
  std::string report, plot, notes;
  int NPROB = 0;
  int NBLK = 1;
  std::string first_title;
  SupportDepths supports;
  StationModel model;
  StationArray Y{};
  BeamSolver solver;
  // Results held for the plot data file until the block is written.
  std::vector<StationResult> results;
  int results_unit = 0;
  double SIGV_LP = 0.0;  // from the last generated earth pressure of the run
};

class Driver {
 public:
  explicit Driver(RunState& s) : s_(s) {}

  void Run(FreeFormatReader& in, const fs::path& folder) {
    RunOutputs outputs{s_.report, s_.plot, s_.notes, folder, s_.SIGV_LP};
    ProblemReader reader(in, outputs);
    for (;;) {
      ProblemInput p;
      ReadStatus status = reader.ReadTitle(p.title);
      if (!status.ok()) return Fail(status);
      ++s_.NPROB;
      if (s_.NPROB == 1) s_.first_title = p.title;
      status = reader.ReadControl(p.control);
      if (!status.ok()) return Fail(status);
      if (s_.NPROB > 1) s_.report += "\n\n";
      TitleLine title{p.control.NSTAGE >= 2, s_.NPROB, s_.first_title, p.title};
      WriteReportHeader(s_.report, s_.names.version,
                        {s_.names.input, s_.names.report, s_.names.plot},
                        Now());
      WriteTitleLine(s_.report, title);

      std::vector<TorqueEntry> torques;
      std::vector<Tieback> tiebacks;
      status = reader.ReadBody(p, s_.model, torques, tiebacks, s_.supports);
      if (!status.ok()) return Fail(status);
      std::vector<PyCurveEntry> curves;
      status = BuildPyCurveTable(p, outputs, curves);
      if (!status.ok()) return Fail(status);

      WriteTitleLine(s_.report, title);
      const IterationOutcome it = Iterate(s_.model, p.wall, curves, p.ei_curves,
                                          s_.solver, s_.Y, s_.notes);
      if (it.stations_not_in_order)
        return Fail({RunError::StationsNotInOrder, 0, {}});
      if (it.singular) return Fail({RunError::Singular, 0, {}});
      ExtrapolateFictitious(s_.model.NINC, s_.Y);
      std::vector<StationResult> rows;
      if (!ComputeResults(s_.model, s_.Y, torques, rows))
        return Fail({RunError::Singular, 0, {}});
      WriteResultsHeading(s_.report, it.iteration, it.off_curve,
                          it.exceed_count, it.open_count);
      WriteResultsTable(s_.report,
                        std::span(rows).first(s_.model.NINC + 1),
                        UnitLabels::For(p.control.IUNIT));
      if (!tiebacks.empty())
        WriteTiebackResults(
            s_.report, ComputeTiebackForces(tiebacks, s_.Y, p.control.IUNIT, p.wall.WA),
            UnitLabels::For(p.control.IUNIT));
      s_.results = std::move(rows);
      s_.results_unit = p.control.IUNIT;

      int ICONT = 0;
      status = reader.ReadTerminator(ICONT);
      if (!status.ok()) return Fail(status);
      if (ICONT == p.control.NSTAGE) ICONT = 0;
      if (ICONT == 0) return;
      s_.NBLK = ICONT == 9 ? 2 : p.control.NSTAGE;
      WritePlotBlock();
    }
  }

  void WritePlotBlock() {
    WritePlotResults(s_.plot, s_.NBLK, s_.results_unit, s_.results);
  }

 private:
  void Fail(const ReadStatus& status) {
    WriteRunError(s_.report, status.error, status.line, status.detail);
  }

  RunState& s_;
};

}  // namespace

fs::path FindFileNoCase(const fs::path& folder, const std::string& name) {
  const fs::path exact = folder / name;
  std::error_code ec;
  if (fs::exists(exact, ec)) return exact;
  const std::string wanted = Lower(name);
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end;
       it.increment(ec)) {
    if (Lower(it->path().filename().string()) == wanted) return it->path();
  }
  return exact;
}

AnalysisRun::AnalysisRun(fs::path working_folder)
    : folder_(std::move(working_folder)) {}

bool AnalysisRun::Execute() {
  auto state = std::make_unique<RunState>();
  RunState& s = *state;
  if (!ReadNamesFile(FindFileNoCase(folder_, "NAMES.dat"), s.names)) {
    std::fputs(
        " PLEASE CREATE AN INPUT DATA FILE AND SAVE IT\n"
        " BEFORE COMPUTATION.  TRY IT AGAIN!\n",
        stderr);
    return false;
  }
  auto resolve = [this](const std::string& p) {
    fs::path path(p);
    return path.is_absolute() ? path : folder_ / path;
  };

  Driver driver(s);
  std::string input;
  if (ReadWholeFile(resolve(s.names.input), input)) {
    FreeFormatReader reader(std::move(input));
    driver.Run(reader, folder_);
  } else {
    WriteRunError(s.report, RunError::CannotOpenInput, 0, s.names.input);
  }
  WriteEndOfAnalysis(s.report);
  driver.WritePlotBlock();

  // Write all three even when one fails.
  bool written = WriteWholeFile(resolve(s.names.report), s.report);
  written = WriteWholeFile(resolve(s.names.plot), s.plot) && written;
  written = WriteWholeFile(resolve(s.names.notes), s.notes) && written;
  if (!written) std::fputs(" KESTRA: CANNOT WRITE THE RESULT FILES\n", stderr);
  return written;
}

}  // namespace kestra
