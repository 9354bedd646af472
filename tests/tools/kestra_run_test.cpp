#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>
#include <string>
#include <sys/wait.h>

#include "run_summary.h"
#include "test_support.h"

namespace {
namespace fs = std::filesystem;
using kestra::test::ReadFile;
using kestra::test::TempFolder;
using kestra::test::WriteFile;

struct Result {
  int exit_code = -1;
  std::string output;
};

Result RunCommand(const std::string& program, const std::string& args) {
  Result r;
  const std::string command = program + " " + args + " 2>&1";
  FILE* p = popen(command.c_str(), "r");
  if (!p) return r;
  std::array<char, 512> buf;
  while (fgets(buf.data(), buf.size(), p)) r.output += buf.data();
  const int status = pclose(p);
  r.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return r;
}

Result RunTool(const std::string& args) { return RunCommand(KESTRA_RUN, args); }

void CopyExample(const char* name, const fs::path& to) {
  fs::copy_file(fs::path(KESTRA_EXAMPLES) / name, to / name);
}

TEST(KestraRun, AnalysesFilesInParallelAndWritesOutputsBeside) {
  TempFolder dir;
  CopyExample("cantilever-fixed-tip.ks5d", dir.path());
  CopyExample("wall-on-springs.ks5d", dir.path());
  const Result r = RunTool("-j 2 " + (dir.path() / "cantilever-fixed-tip.ks5d").string() +
                           " " + (dir.path() / "wall-on-springs.ks5d").string());
  EXPECT_EQ(r.exit_code, 0) << r.output;
  EXPECT_NE(r.output.find("cantilever-fixed-tip.ks5d: iterations 2, closed; max "
                          "|deflection| 5.180E+00 IN at depth 0.000E+00 IN; max "
                          "|moment| 3.540E+06 LBS-IN at depth 3.540E+02 IN\n"),
            std::string::npos)
      << r.output;
  EXPECT_NE(r.output.find("wall-on-springs.ks5d: iterations 2, closed"), std::string::npos);
  for (const char* ext : {".ks5o", ".ks5p", ".ks5r"}) {
    EXPECT_TRUE(fs::exists(dir.path() / (std::string("wall-on-springs") + ext)));
  }
  // Nothing else lands in the user's folder: no names file, no scratch files.
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 8);
}

TEST(KestraRun, FailsForUnreadableOrErroneousFiles) {
  TempFolder dir;
  WriteFile(dir.path() / "bad.ks5d", "T\n1 0\t1\n");
  CopyExample("wall-on-springs.ks5d", dir.path());
  const Result r = RunTool((dir.path() / "bad.ks5d").string() + " " +
                           (dir.path() / "wall-on-springs.ks5d").string() + " " +
                           (dir.path() / "absent.ks5d").string());
  EXPECT_EQ(r.exit_code, 1) << r.output;
  EXPECT_NE(r.output.find("bad.ks5d: ERROR: ERROR -- INVALID INPUT DATA IN LINE"),
            std::string::npos)
      << r.output;
  EXPECT_NE(r.output.find("absent.ks5d: FAILED"), std::string::npos) << r.output;
  EXPECT_NE(r.output.find("wall-on-springs.ks5d: iterations 2"), std::string::npos);
}

TEST(KestraRun, CsvPerProblem) {
  TempFolder dir;
  CopyExample("short-long-term.ks5d", dir.path());
  CopyExample("wall-on-springs.ks5d", dir.path());
  const Result r = RunTool("--csv " + (dir.path() / "short-long-term.ks5d").string() + " " +
                           (dir.path() / "wall-on-springs.ks5d").string());
  ASSERT_EQ(r.exit_code, 0) << r.output;
  EXPECT_TRUE(fs::exists(dir.path() / "short-long-term-1.csv"));
  EXPECT_TRUE(fs::exists(dir.path() / "short-long-term-2.csv"));
  const std::string csv = ReadFile(dir.path() / "wall-on-springs.csv");
  EXPECT_EQ(csv.substr(0, csv.find('\n')),
            "station,depth (M),deflection (M),slope,moment (KN-M),shear,net reaction per "
            "station,EI");
  EXPECT_NE(csv.find("\n0,0.000E+00,0.945E-02,-0.447E-02,0.000E+00,"), std::string::npos) << csv;
  EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 202) << "header and stations 0 to 200";
}

TEST(KestraRun, UsageErrors) {
  EXPECT_EQ(RunTool("").exit_code, 2);
  EXPECT_EQ(RunTool("-j 0 x.ks5d").exit_code, 2);
  EXPECT_EQ(RunTool("-j").exit_code, 2);
}

#ifdef KESTRA_CONVERT
Result RunConvert(const std::string& args) { return RunCommand(KESTRA_CONVERT, args); }

// Old projects brought up to date, then analysed.
TEST(KestraConvert, EveryOlderKindConvertsAndRuns) {
  struct Row {
    std::string file;
    const char* kind;
    int run_exit;  // the oldest format carries no weak-rock values: refused
  };
  const std::string data = std::string(KESTRA_FRONTEND_DATA) + "/";
  // clang-format off
  const Row rows[] = {
      {std::string(KESTRA_EXAMPLES) + "/three-stage-excavation.ks5d", "", 0},
      {data + "previous.ks4d", "",         0},
      {data + "older.ksd",     "",         0},
      {data + "oldest.ksd",    "--kind 4", 1},
      {data + "oldest.ksd",    "--kind 5", 1},
  };
  // clang-format on
  for (const Row& row : rows) {
    SCOPED_TRACE(row.file + " " + row.kind);
    TempFolder dir;
    const fs::path out = dir.path() / "new.ks5d";
    const Result r = RunConvert(std::string(row.kind) + " " + row.file + " " + out.string());
    ASSERT_EQ(r.exit_code, 0) << r.output;
    ASSERT_TRUE(fs::exists(out));
    const Result run = RunTool(out.string());
    EXPECT_EQ(run.exit_code, row.run_exit) << run.output;
    if (row.run_exit != 0) {
      EXPECT_NE(run.output.find("MUST BE POSITIVE FOR WEAK ROCK"), std::string::npos) << run.output;
    }
  }
}

TEST(KestraConvert, UnreadableFilesAndUsage) {
  TempFolder dir;
  WriteFile(dir.path() / "short.ks5d", "Title only\n1 0\n");
  EXPECT_EQ(RunConvert((dir.path() / "short.ks5d").string() + " " +
                       (dir.path() / "out.ks5d").string()).exit_code, 1);
  EXPECT_FALSE(fs::exists(dir.path() / "out.ks5d")) << "nothing written from a partial read";
  EXPECT_EQ(RunConvert((dir.path() / "absent.ks5d").string() + " " +
                       (dir.path() / "out.ks5d").string()).exit_code, 1);
  EXPECT_EQ(RunConvert("").exit_code, 2);
}
#endif

TEST(RunSummary, ReadsIterationsClosureAndLargestValues) {
  const std::string report =
      "     RESULTS -- ITERATION  7\n"
      "     --------------------\n"
      "\n"
      "     ***** SOLUTION NOT CLOSED WITHIN SPECIFIED'TOLERANCE *****\n"
      "\n"
      "   STA I      X         DEFL.       SLOPE      MOMENT      SHEAR    NET REACT/STA    EI \n"
      "              M           M                    KN- M         KN          KN        KN- M**2\n"
      "   ------    ----        ----       -----      ------      ------    ---------    ----------\n"
      "     0   0.000E+00   0.100E-01  -0.216E-01   0.000E+00   0.500E+04   0.100E+05   0.150E+11\n"
      "     1   0.500E+00  -0.200E-01  -0.216E-01  -0.600E+02   0.100E+05   0.100E+05   0.300E+11\n"
      "     2   0.100E+01   0.100E-01  -0.216E-01   0.500E+02   0.100E+05   0.100E+05   0.300E+11\n"
      "\n";
  const kestra::RunSummary s = kestra::SummarizeReport(report);
  ASSERT_EQ(s.problems.size(), 1u);
  EXPECT_EQ(s.problems[0].iterations, 7);
  EXPECT_FALSE(s.problems[0].closed);
  EXPECT_DOUBLE_EQ(s.problems[0].max_deflection, -0.02);
  EXPECT_DOUBLE_EQ(s.problems[0].max_moment_depth, 0.5);
  EXPECT_EQ(s.length_unit, "M");
  EXPECT_EQ(s.moment_unit, "KN-M");
  EXPECT_EQ(kestra::FormatSummaryLine("w.ks5d", s),
            "w.ks5d: iterations 7, NOT CLOSED; max |deflection| 2.000E-02 M at depth "
            "5.000E-01 M; max |moment| 6.000E+01 KN-M at depth 5.000E-01 M");
}

}  // namespace
