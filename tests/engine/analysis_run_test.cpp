#include "analysis_run.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <span>
#include <sstream>
#include <thread>
#include <vector>

#include "test_support.h"

namespace kestra {
namespace {
namespace fs = std::filesystem;
using test::NonFiniteLine;
using test::ReadFile;
using test::TempFolder;
using test::WriteFile;

struct Outputs {
  std::string report, plot, notes;
};

// Analyses `input` in `folder` through the run object, as the entry point
// does, and returns the three result files.
Outputs Analyse(const fs::path& folder, const std::string& input,
                const std::string& name = "run.ks5d") {
  const fs::path in = folder / name;
  WriteFile(in, input);
  test::WriteNamesFile(folder, in);
  AnalysisRun run(folder);
  EXPECT_TRUE(run.Execute());
  return {ReadFile(fs::path(in).replace_extension(".ks5o")),
          ReadFile(fs::path(in).replace_extension(".ks5p")),
          ReadFile(fs::path(in).replace_extension(".ks5r"))};
}

int Count(const std::string& text, const std::string& what) {
  int n = 0;
  for (size_t p = text.find(what); p != std::string::npos;
       p = text.find(what, p + 1))
    ++n;
  return n;
}

std::string LastLine(const std::string& text) {
  std::istringstream in(text);
  std::string line, last;
  while (std::getline(in, line))
    if (!line.empty()) last = line;
  return last;
}

// A cantilever of 10 increments fixed at its tip with a load at its top.
std::string Cantilever(const std::string& wall = "10 12\t100\t0.0001\t0\t12",
                       int terminator = 0, int nstage = 0,
                       const std::string& title = "Cantilever") {
  return title + "\n1 1\t1\t0\t0\t0 0 " + std::to_string(nstage) +
         " 0 0\n" + wall +
         "\n3\t10\t0\t0\n0\t10\t1\t1E9\n1\n1\t0\t0\t1000\t0\t0\n0\n" +
         std::to_string(terminator) + "\n";
}

TEST(AnalysisRun, ExamplesMatchTheirGoldenFiles) {
  for (const char* name :
       {"cantilever-fixed-tip", "wall-on-springs", "anchored-wall-si",
        "cantilever-triangular", "cantilever-sand", "anchored-clay-si",
        "three-stage-excavation", "short-long-term"}) {
    SCOPED_TRACE(name);
    TempFolder dir;
    const Outputs out = Analyse(
        dir.path(), ReadFile(fs::path(KESTRA_EXAMPLES) / (std::string(name) + ".ks5d")),
        std::string(name) + ".ks5d");
    const fs::path golden = fs::path(KESTRA_TEST_DATA) / name;
    if (std::getenv("KESTRA_UPDATE_GOLDEN")) {
      // Only real changes: a new date or folder alone is no reason.
      for (const auto& [ext, text] : {std::pair{".ks5o", &out.report},
                                      std::pair{".ks5r", &out.notes},
                                      std::pair{".ks5p", &out.plot}}) {
        const fs::path path = fs::path(golden).replace_extension(ext);
        if (test::GoldenDiff(ReadFile(path), *text) != "") WriteFile(path, *text);
      }
    }
    EXPECT_EQ(test::GoldenDiff(ReadFile(fs::path(golden).replace_extension(".ks5o")),
                               out.report), "");
    EXPECT_EQ(test::GoldenDiff(ReadFile(fs::path(golden).replace_extension(".ks5r")),
                               out.notes), "");
    EXPECT_EQ(test::GoldenDiff(ReadFile(fs::path(golden).replace_extension(".ks5p")),
                               out.plot), "");
  }
}

TEST(AnalysisRun, LinearWallClosesInTheSecondIteration) {
  TempFolder dir;
  const Outputs out = Analyse(dir.path(), Cantilever());
  EXPECT_NE(out.report.find("     RESULTS -- ITERATION  2\n"), std::string::npos);
  EXPECT_EQ(out.report.find("NOT CLOSED"), std::string::npos);
  EXPECT_EQ(out.notes,
            "\n\n\n     ITERATION MONITOR DATA\n     ----------------------\n"
            "      1       NO         10   0.492E+00 0.408E+00 0.327E+00 0.251E+00 0.181E+00\n"
            "      2       NO          0   0.492E+00 0.408E+00 0.327E+00 0.251E+00 0.181E+00\n");
  EXPECT_EQ(LastLine(out.report), "     END OF ANALYSIS                             ");
  EXPECT_EQ(Count(out.report, "Cantilever"), 2) << "title line before the results too";
}

TEST(AnalysisRun, ExceedingTheAllowableDeflectionStopsTheIteration) {
  TempFolder dir;
  const Outputs out = Analyse(dir.path(), Cantilever("10 12\t0.05\t0.0001\t0\t12"));
  EXPECT_NE(out.report.find("     RESULTS -- ITERATION  1\n"), std::string::npos);
  EXPECT_NE(out.report.find("\n     ***** MAX ALLOWABLE DEFLECTION EXCEEDED AT ***   "
                            "8  *** STATIONS *****\n"),
            std::string::npos);
  EXPECT_NE(out.report.find("***** SOLUTION NOT CLOSED WITHIN SPECIFIED'TOLERANCE *****"),
            std::string::npos);
  EXPECT_EQ(Count(out.notes, "NO "), 1);
}

struct ErrorCase {
  const char* name;
  std::string input;
  const char* message;
};

// Each case ends its run normally, with its message in the report.
void ExpectEachEndsWithItsMessage(std::span<const ErrorCase> cases) {
  for (const ErrorCase& c : cases) {
    SCOPED_TRACE(c.name);
    TempFolder dir;
    const Outputs out = Analyse(dir.path(), c.input);
    EXPECT_NE(out.report.find(c.message), std::string::npos) << out.report;
    EXPECT_EQ(LastLine(out.report), "     END OF ANALYSIS                             ");
    for (const char* bad : {"nan", "inf", "NaN", "Inf"}) {
      EXPECT_EQ(out.plot.find(bad), std::string::npos);
    }
  }
}

TEST(AnalysisRun, BadInputEndsTheRunWithOneMessage) {
  const std::string spec21 = [] {
    std::string s = "T\n1 21\t0\t0\t0\t0 0 0 0 0\n10 12\t1\t1\t0\t12\n";
    for (int i = 0; i < 21; ++i) s += "1\t" + std::to_string(i) + "\t0\t0\n";
    return s + "0\n";
  }();
  // clang-format off
  const ErrorCase cases[] = {
      {"empty file",          "",                                          "ERROR -- INVALID INPUT DATA IN LINE     1: MISSING LINE AT END OF FILE"},
      {"binary file",         std::string("\x7f" "ELF\x02\x01\n\x00\x01\xfe\n", 11), "ERROR -- INVALID INPUT DATA IN LINE     2: INTEGER EXPECTED"},
      {"truncated control",   "T\n1 0\t1\n",                               "ERROR -- INVALID INPUT DATA IN LINE     3: MISSING VALUE AT END OF FILE"},
      {"word for a number",   "T\n1 0\t1\t0\t0\t0 0 0 0 0\n10 twelve 1 1 0 1\n", "ERROR -- INVALID INPUT DATA IN LINE     3: NUMBER EXPECTED"},
      {"count beyond data",   "T\n1 0\t1\t0\t0\t0 0 0 0 0\n10 12\t1\t1\t0\t12\n0\t10\t1\t1E9\n5\n1\t0\t0\t1\t0\t0\n", "ERROR -- INVALID INPUT DATA IN LINE     7: MISSING VALUE AT END OF FILE"},
      {"negative count",      "T\n1 0\t1\t0\t0\t0 0 0 0 0\n10 12\t1\t1\t0\t12\n0\t10\t1\t1E9\n-3\n0\n", "ERROR -- INVALID INPUT DATA IN LINE     5: NEGATIVE COUNT"},
      {"negative control",    "T\n1 -1\t1\t0\t0\t0 0 0 0 0\n",             "ERROR -- INVALID INPUT DATA IN LINE     2: NEGATIVE COUNT"},
      {"no increments",       "T\n1 0\t1\t0\t0\t0 0 0 0 0\n0 12\t1\t1\t0\t12\n", "ERROR -- INVALID INPUT DATA IN LINE     3: NUMBER OF INCREMENTS BELOW 1"},
      {"zero increment",      "T\n1 0\t1\t0\t0\t0 0 0 0 0\n10 0\t1\t1\t0\t12\n", "ERROR -- INVALID INPUT DATA IN LINE     3: INCREMENT LENGTH NOT POSITIVE"},
      {"too many increments", "T\n1 0\t1\t0\t0\t0 0 0 0 0\n408 12\t1\t1\t0\t12\n", "TOO MUCH DATA FOR AVAILABLE STORAGE"},
      {"21 restraints",       spec21,                                      "TOO MUCH DATA FOR AVAILABLE STORAGE"},
      {"restraints reversed", "T\n1 2\t0\t0\t0\t0 0 0 0 0\n10 12\t1\t1\t0\t12\n1\t5\t0\t0\n1\t4\t0\t0\n0\n", "ERROR STOP -- STATIONS NOT IN ORDER"},
      {"restraint above top", "T\n1 1\t0\t0\t0\t0 0 0 0 0\n10 12\t1\t1\t0\t12\n1\t-2\t0\t0\n0\n", "ERROR STOP -- STATIONS NOT IN ORDER"},
      {"chain runs upwards",  "T\n1 0\t2\t0\t0\t0 0 0 0 0\n10 12\t1\t1\t0\t12\n10\t10\t2\t1E9\n0\t5\t1\t1E9\n", "ERROR STOP -- STATIONS NOT IN ORDER"},
      {"load far below tip",  "T\n1 0\t1\t0\t0\t0 0 0 0 0\n10 12\t1\t1\t0\t12\n0\t10\t1\t1E9\n1\n1\t0\t9999\t1\t0\t0\n0\n0\n", "ERROR STOP -- STATION OUTSIDE THE WALL"},
      {"stiffness past tip",  "T\n1 0\t1\t0\t0\t0 0 0 0 0\n10 12\t1\t1\t0\t12\n0\t12\t1\t1E9\n0\n0\n0\n", "ERROR -- NON-ZERO TABLE 4 DATA BEYOND END"},
      {"wall free to move",   "T\n1 0\t1\t0\t0\t0 0 0 0 0\n10 12\t1\t1\t0\t12\n0\t10\t1\t1E9\n1\n1\t0\t0\t1000\t0\t0\n0\n0\n", "ERROR -- SINGULAR SOLUTION"},
      {"no terminator",       Cantilever().substr(0, Cantilever().size() - 2), "ERROR -- INVALID INPUT DATA IN LINE     9: MISSING VALUE AT END OF FILE"},
  };
  // clang-format on
  for (const ErrorCase& c : cases) {
    SCOPED_TRACE(c.name);
    TempFolder dir;
    const Outputs out = Analyse(dir.path(), c.input);
    EXPECT_NE(out.report.find(c.message), std::string::npos) << out.report;
    EXPECT_EQ(Count(out.report, "ERROR") + Count(out.report, "TOO MUCH DATA"), 1);
    EXPECT_EQ(LastLine(out.report), "     END OF ANALYSIS                             ");
    EXPECT_EQ(NonFiniteLine(out.report), "");
  }
}

// A cantilever restrained at its tip with generated earth pressure: option,
// free height, a tieback line (or none), surcharge lines and layer lines.
std::string SoilWall(int option, double H, bool tieback, const std::string& surcharges,
                     const std::string& layers, double beta = 0) {
  return "Soil wall\n1 1\t1\t0\t" + std::to_string(option) + "\t0 0 0 0 " +
         (tieback ? "1" : "0") + "\n40 12\t100\t0.00001\t" + std::to_string(H) +
         "\t12\n3\t40\t0\t0\n0\t40\t1\t3E10\n0\n0\n" +
         (tieback ? "5\t1\t29000000\t20\t0\t8\t10000\n" : "") +
         std::to_string(H) + "\t12\t12\t1000\t1000\t1\t0\t" + std::to_string(beta) +
         "\n0\t0\t0\t0\t0\t0\n" + surcharges + layers + "0\n";
}

const std::string kSand = "1\n4 480 \n0.0694 0.0  30 0.0  0 0 \n0.0694 0.0  30 0.0  0 0 \n";

TEST(AnalysisRun, SoilProblemsThatCannotGoOn) {
  std::string many = "21\n";
  for (int i = 1; i <= 21; ++i)
    many += "4 " + std::to_string(10 * i) + " \n0.07 0 30 0 0 0\n0.07 0 30 0 0 0\n";
  // clang-format off
  const ErrorCase cases[] = {
      {"excavation below soil", SoilWall(2, 600, false, "0\n", kSand),
       "EXECUTION HAS BEEN TERMINATED BECAUSE THE EXCAVATION LEVEL\n IS NOT THE TOP OF A LAYER"},
      {"too many sublayers",    SoilWall(2, 100, false, "0\n", many),
       "EXECUTION HAS BEEN TERMINATED BECAUSE SUBDIVISION OF\n A LAYER HAS LED TO CREATION OF MORE THAN 20 LAYERS."},
      {"trapezoid unsupported", SoilWall(3, 120, false, "0\n", kSand),
       "ERROR -- THE TRAPEZOIDAL EARTH PRESSURE NEEDS A TIEBACK OR A SPRING"},
      {"surcharge without H",   SoilWall(2, 0, false, "1\n2\t100\t50\t0\n", kSand),
       "ERROR -- SURCHARGE LOADS NEED A POSITIVE FREE HEIGHT OF THE WALL"},
  };
  // clang-format on
  ExpectEachEndsWithItsMessage(cases);
}

TEST(AnalysisRun, AnchoredWallReportsItsTieback) {
  TempFolder dir;
  const Outputs out = Analyse(dir.path(), SoilWall(3, 120, true, "0\n", kSand));
  EXPECT_EQ(Count(out.report, "ERROR"), 0) << out.report;
  EXPECT_NE(out.report.find("     TIE BACK RESULTS\n"), std::string::npos);
  EXPECT_NE(out.report.find("\n     1      5     0.600E+02"), std::string::npos)
      << "depth in inches for English input";
  // The scratch file stays in the run's folder and holds as many points as
  // it counts (the excavation point twice for the trapezoid).
  const std::string scratch = ReadFile(dir.path() / "BMWALL.001");
  EXPECT_EQ(scratch.substr(0, 5), " 482\n");
  EXPECT_EQ(Count(scratch, "\n"), 483);
}

TEST(AnalysisRun, SteepSlopeWarnsInNotesAndReport) {
  TempFolder dir;
  const Outputs out = Analyse(dir.path(), SoilWall(2, 120, false, "0\n", kSand, 35));
  const std::string warning =
      "\n\n**** WARNING ******\nTHE BACKFILL SLOPE ANGLE SHOULD BE LESS THAN THE "
      "'INTERNAL FRICTION ANGLE OF SAND.\n";
  EXPECT_EQ(out.notes.rfind(warning, 0), 0u) << out.notes;
  EXPECT_EQ(Count(out.report, warning), 1) << "only the sublayer above H warns";
}

TEST(AnalysisRun, UserPressureTableWithSurcharge) {
  // Option 1 with a line load: soils as given, surcharge times WA added.
  const std::string file =
      "User pressure\n1 1\t1\t0\t1\t2 0 0 0 0\n40 12\t100\t0.00001\t120\t12\n"
      "3\t40\t0\t0\n0\t40\t1\t3E10\n0\n0\n"
      "3\n0\t0\n120\t20\n480\t20\n"
      "120\t12\t12\t1000\t1000\t1\t0\t0\n0\t0\t0\t0\t0\t0\n"
      "1\n2\t100\t60\t0\n" + kSand + "0\n";
  TempFolder dir;
  const Outputs out = Analyse(dir.path(), file);
  EXPECT_EQ(Count(out.report, "ERROR"), 0) << out.report;
  EXPECT_NE(out.report.find("*        SPECIFIED ACTIVE EARTH PRESSURE         *"),
            std::string::npos);
  EXPECT_NE(out.report.find("\n       0.120E+03           0.200E+02\n"), std::string::npos);
  // Plot rows: count, then depth, total, soils (0 written as 1.0E-07), surcharge.
  EXPECT_EQ(out.plot.rfind(" 3\n   0.000E+00   0.000E+00   0.100E-06   0.000E+00\n", 0), 0u)
      << out.plot;
}

// A cantilever with generated p-y curves for one layer of the given type
// and parameter lines, excavated to 120 in; WP as given.
std::string PyWall(const std::string& layer, double WP = 12) {
  return "P-y wall\n1 0\t1\t0\t2\t2 0 0 0 0\n40 12\t100\t0.00001\t120\t12\n"
         "0\t40\t1\t3E9\n0\n0\n120\t12\t" + std::to_string(WP) +
         "\t1000\t1000\t1\t0\t0\n0\t0\t0\t0\t0\t0\n0\n1\n" + layer + "0\n";
}

TEST(AnalysisRun, SoilDataThePyCurvesCannotUse) {
  // clang-format off
  const ErrorCase cases[] = {
      {"clay without E50",     PyWall("1 480 \n0.06 5 0.0  0 0 0.0  \n0.06 5 0.0  0 0 0.0  \n"),
       "E50 MUST BE POSITIVE FOR A CLAY OR SILT LAYER"},
      {"no width",             PyWall("1 480 \n0.06 5 0.0  0.01 0 0.0  \n0.06 5 0.0  0.01 0 0.0  \n", 0),
       "THE WIDTH FOR SOIL RESISTANCE, WP, MUST BE POSITIVE"},
      {"sand without phi",     PyWall("4 480 \n0.07 0.0  0 0.0  90 0 \n0.07 0.0  0 0.0  90 0 \n"),
       "THE FRICTION ANGLE IS 0 FOR SAND ACCORING TO THE INPUT"},
      {"weak rock, no qu",     PyWall("7 480 \n0.09 0 0.0  0.0005 100000 50 \n0.09 0 0.0  0.0005 100000 50 \n"),
       "THE COHESIVE STRENGTH IS 0 FOR ROCK ACCORING TO THE INPUT"},
  };
  // clang-format on
  ExpectEachEndsWithItsMessage(cases);
}

TEST(AnalysisRun, EverySoilTypeGivesCurvesThatClose) {
  // clang-format off
  const std::pair<int, std::string> layers[] = {
      {1, "1 480 \n0.06 5 0.0  0.01 0 0.0  \n0.06 8 0.0  0.01 0 0.0  \n"},
      {2, "2 480 \n0.06 10 0.0  0.005 500 0.0  \n0.06 15 0.0  0.005 500 0.0  \n"},
      {3, "3 480 \n0.06 10 0.0  0.005 0 0.0  \n0.06 15 0.0  0.005 0 0.0  \n"},
      {4, "4 480 \n0.07 0.0  32 0.0  90 0 \n0.07 0.0  32 0.0  90 0 \n"},
      {5, "5 480 \n0.07 2 28 0.01 90 0 \n0.07 2 28 0.01 90 0 \n"},
      {6, "6 480 \n0.09 3000 0.0  0.0  0.0  0.0  \n0.09 3000 0.0  0.0  0.0  0.0  \n"},
      {7, "7 480 \n0.09 500 0.0  0.0005 100000 50 \n0.09 500 0.0  0.0005 100000 50 \n"},
  };
  // clang-format on
  for (const auto& [type, layer] : layers) {
    SCOPED_TRACE(type);
    TempFolder dir;
    const Outputs out = Analyse(dir.path(), PyWall(layer));
    EXPECT_EQ(Count(out.report, "ERROR"), 0) << out.report;
    EXPECT_EQ(out.report.find("NOT CLOSED"), std::string::npos);
    EXPECT_EQ(Count(out.report, "P-Y CURVES DATA"), 1);
    // 5 curve depths, both sides each.
    const int sides = type == 6 ? Count(out.report, "DEPTH-EXCAVATION SIDE")
                                : Count(out.report, "AT THE EXCAVATION SIDE");
    EXPECT_EQ(sides, 5);
    EXPECT_NE(out.plot.find("\n 1 5\n"), std::string::npos) << "IUNIT and the curve count";
  }
}

TEST(AnalysisRun, TwentyRestraintsAreAccepted) {
  std::string s = "T\n1 20\t1\t0\t0\t0 0 0 0 0\n20 12\t1\t1E-6\t0\t12\n";
  for (int i = 0; i < 20; ++i) s += "1\t" + std::to_string(i) + "\t0.01\t0\n";
  s += "0\t20\t1\t1E9\n0\n0\n0\n";
  TempFolder dir;
  const Outputs out = Analyse(dir.path(), s);
  EXPECT_EQ(out.report.find("ERROR"), std::string::npos) << out.report;
  EXPECT_NE(out.report.find("     2   0.240E+02   0.100E-01"), std::string::npos);
}

TEST(AnalysisRun, ThreeStagesGiveThreeHeadersAndOneEnd) {
  std::string file;
  for (int stage = 1; stage <= 3; ++stage)
    file += Cantilever("10 12\t100\t0.0001\t0\t12", stage, 3,
                       stage == 1 ? "First stage" : " Stage No : " + std::to_string(stage));
  TempFolder dir;
  const Outputs out = Analyse(dir.path(), file);
  EXPECT_EQ(Count(out.report, "KESTRA for Windows"), 3);
  EXPECT_EQ(Count(out.report, "END OF ANALYSIS"), 1);
  for (int stage = 1; stage <= 3; ++stage)
    EXPECT_EQ(Count(out.report, "      Stage No : " + std::to_string(stage) + "  First stage"), 2);
  EXPECT_EQ(Count(out.report, "\n\n\n     =========="), 2) << "two empty lines between problems";
  EXPECT_EQ(Count(out.plot, " 3 12 1\n"), 3);
  EXPECT_EQ(Count(out.notes, "ITERATION MONITOR DATA"), 3);
}

TEST(AnalysisRun, ShortAndLongTermPair) {
  TempFolder dir;
  const Outputs out = Analyse(
      dir.path(), Cantilever("10 12\t100\t0.0001\t0\t12", 9, 0, "Short") +
                      Cantilever("10 12\t100\t0.0001\t0\t12", 0, 0, "Short"));
  EXPECT_EQ(Count(out.report, "      Long Term :  Short"), 2);
  EXPECT_EQ(Count(out.plot, " 2 12 1\n"), 2);
}

TEST(AnalysisRun, TerminatorZeroAfterTheFirstStageEndsTheRun) {
  TempFolder dir;
  const Outputs out = Analyse(
      dir.path(), Cantilever("10 12\t100\t0.0001\t0\t12", 0, 3) +
                      Cantilever("10 12\t100\t0.0001\t0\t12", 2, 3));
  EXPECT_EQ(Count(out.report, "KESTRA for Windows"), 1);
  EXPECT_EQ(Count(out.plot, " 1 12 1\n"), 1);
}

TEST(AnalysisRun, WithoutStiffnessRecordsTheSoilRecordsAreSkipped) {
  // NEIREC = 0: the next value read after the restraints is the terminator.
  TempFolder dir;
  const Outputs out =
      Analyse(dir.path(), "T\n1 0\t0\t0\t2\t2 0 0 0 0\n10 12\t1\t1\t0\t12\n0\n");
  EXPECT_NE(out.report.find("\n                    \n"), std::string::npos);
  EXPECT_EQ(Count(out.report, "ERROR"), 0) << out.report;
}

TEST(AnalysisRun, EveryRecordKindIsReadInOrder) {
  // Tiebacks, p-y modifiers, soil data, user p-y curves and moment-EI curves
  // are all read, so the terminator after them is found.
  const std::string file =
      "All records\n"
      "2 1\t1\t1\t2\t2 1 0 1 1\n"
      "20 0.5\t1\t0.0001\t5\t1\n"
      "3\t20\t0\t0\n"
      "0\t20\t1\t50000\n"
      "1\n"
      "2, 5, 9, 100.0, 0.0, 0.0\n"
      "1\n"
      "4\t4\t1\t1000\t0\n"
      "2\t0.001\t200000000\t5\t15\t2\t100\n"
      "3\t1\t1\n"
      "5\t1\t1\t2\t9\t0\t1\t0\n"
      "0\t0\t0\t0\t0\t0\n"
      "1\n"
      "3\t10\t2000\t1000\n"
      "2\n"
      "4 5 \n18 0.0  30 0.0  20000 0.0  \n19 0.0  32 0.0  20000 0.0  \n"
      "1 12 \n17 20 0.0  5000 0 0.0  \n17 40 0.0  5000 0 0.0  \n"
      "10\t3\t1\t1\n0\t0\n0.01\t10\n0.1\t20\n"
      "0\t20\t2\n0\t50000\n100\t40000\n"
      "0\n";
  TempFolder dir;
  const Outputs out = Analyse(dir.path(), file);
  EXPECT_EQ(Count(out.report, "ERROR"), 0) << out.report;
  EXPECT_NE(out.report.find("RESULTS -- ITERATION"), std::string::npos);
  // The load record's continuation code comes first.
  EXPECT_NE(out.report.find("\n        5      1  0.500E+05 0.100E+03"), std::string::npos);
}

TEST(AnalysisRun, RunsInSeparateFoldersGoOnSideBySide) {
  TempFolder a, b;
  std::string ra, rb;
  std::thread ta([&] {
    for (int i = 0; i < 20; ++i) ra = Analyse(a.path(), Cantilever()).report;
  });
  std::thread tb([&] {
    for (int i = 0; i < 20; ++i)
      rb = Analyse(b.path(), Cantilever("10 12\t100\t0.0001\t0\t12", 0, 0, "Other")).report;
  });
  ta.join();
  tb.join();
  EXPECT_EQ(Count(ra, "Other"), 0);
  EXPECT_EQ(Count(rb, "Other"), 2);
  EXPECT_EQ(test::GoldenDiff(Analyse(a.path(), Cantilever()).report, ra), "");
}

TEST(AnalysisRun, NamesFileIsFoundWithoutRegardToCase) {
  TempFolder dir;
  const fs::path in = dir.path() / "wall.ks5d";
  WriteFile(in, Cantilever());
  test::WriteNamesFile(dir.path(), in);
  fs::rename(dir.path() / "names.dat", dir.path() / "NAMES.DAT");
  AnalysisRun run(dir.path());
  EXPECT_TRUE(run.Execute());
  EXPECT_TRUE(fs::exists(dir.path() / "wall.ks5o"));
}

TEST(AnalysisRun, IncompleteNamesFileWritesNothing) {
  TempFolder dir;
  WriteFile(dir.path() / "names.dat", "2015.5.16\nx\ny\n0\n");
  AnalysisRun run(dir.path());
  EXPECT_FALSE(run.Execute());
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
}

TEST(AnalysisRun, MissingInputFileIsReported) {
  TempFolder dir;
  test::WriteNamesFile(dir.path(), dir.path() / "absent.ks5d");
  AnalysisRun run(dir.path());
  EXPECT_TRUE(run.Execute());
  const std::string report = ReadFile(dir.path() / "absent.ks5o");
  EXPECT_NE(report.find("ERROR -- CANNOT OPEN INPUT DATA FILE"), std::string::npos);
  EXPECT_EQ(LastLine(report), "     END OF ANALYSIS                             ");
}

// Inputs that once broke the engine (many found by fuzzing) must end
// normally: one report, "END OF ANALYSIS" at its end, nothing not finite.
TEST(AnalysisRun, RegressionInputsEndNormally) {
  const fs::path dir(fs::path(KESTRA_TEST_DATA) / "fuzz");
  int seen = 0;
  for (const auto& entry : fs::directory_iterator(dir)) {
    SCOPED_TRACE(entry.path().filename().string());
    TempFolder work;
    const Outputs out = Analyse(work.path(), ReadFile(entry.path()));
    EXPECT_EQ(LastLine(out.report), "     END OF ANALYSIS                             ");
    EXPECT_EQ(NonFiniteLine(out.report), "");
    ++seen;
  }
  EXPECT_GT(seen, 0);
}

}  // namespace
}  // namespace kestra
